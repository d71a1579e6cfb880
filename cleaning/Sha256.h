#pragma once
// SHA-256, computed over bytes that come in pieces of any size. The same on every system
// the program runs on: Windows 95/98/Me and early NT have no SHA-256 of their own.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

using Sha256Digest = std::array<unsigned char, 32>;

class Sha256 {
public:
    Sha256();
    void Add(const char* bytes, std::size_t size);
    void Add(const std::string& bytes) { Add(bytes.data(), bytes.size()); }
    // The digest of everything added; the object is spent afterwards.
    Sha256Digest Finish();

private:
    void Compress(const unsigned char* block);

    std::array<std::uint32_t, 8> state_;
    std::array<unsigned char, 64> block_{};
    std::size_t filled_ = 0;     // bytes in block_
    std::uint64_t length_ = 0;   // bytes added in all
};
