#pragma once
// The text-line format of configuration files, read and written through bounded windows,
// so that memory does not grow with the size of a file nor with the length of a line.
#include "cleaning/PlatformServices.h"
#include "cleaning/Sha256.h"
#include "engine/EngineError.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The window every read and write of a file's content goes through.
constexpr std::size_t FileWindow = 64 * 1024;

enum class LineEnd { CrLf, Cr, Lf, None };

// Reads the lines of a file from one offset to another. CR LF is one break, any other CR
// or LF is a break by itself (so LF CR leaves an empty line between). A last line
// without terminator is a line, a final terminator adds none. Every other byte, NUL
// included, belongs to its line unchanged.
class LineReader {
public:
    // A read that fails throws failure.
    LineReader(OpenedFile& file, std::uint64_t from, std::uint64_t to, EngineError failure);

    // Hands the next line's bytes to piece(const char*, std::size_t) in one or more parts
    // and tells how the line ended; false when no line is left.
    template <typename Piece>
    bool Next(Piece&& piece, LineEnd& end)
    {
        if (Available().empty())
            return false;
        for (;;) {
            const Bytes bytes = Available();
            if (bytes.empty()) {
                end = LineEnd::None;
                return true;
            }
            std::size_t length = 0;
            while (length < bytes.size && bytes.data[length] != '\r' && bytes.data[length] != '\n')
                ++length;
            if (length)
                piece(bytes.data, length);
            if (length == bytes.size) {
                Consume(length);
                continue;
            }
            const char terminator = bytes.data[length];
            Consume(length + 1);
            end = terminator == '\n' ? LineEnd::Lf : LineEnd::Cr;
            if (terminator == '\r' && !Available().empty() && Available().data[0] == '\n') {
                Consume(1);
                end = LineEnd::CrLf;
            }
            return true;
        }
    }

    // Where the next line starts.
    std::uint64_t Offset() const { return offset_ + next_; }

private:
    struct Bytes {
        const char* data;
        std::size_t size;
        bool empty() const { return size == 0; }
    };
    // The bytes read but not yet consumed, refilled when none are left; none at the end.
    Bytes Available();
    void Consume(std::size_t size) { next_ += size; }

    OpenedFile& file_;
    const std::uint64_t to_;
    const EngineError failure_;
    std::vector<char> window_;
    std::uint64_t offset_;       // of the window's first byte
    std::size_t filled_ = 0;     // bytes in the window
    std::size_t next_ = 0;       // the first one not consumed
    bool ended_ = false;
};

// Writes bytes into a file from an offset on. Throws "Stream write error" when a write
// fails.
class WindowWriter {
public:
    WindowWriter(OpenedFile& file, std::uint64_t at);
    void Add(const char* bytes, std::size_t size);
    // Takes back everything added after offset (an earlier value of Offset()): what
    // follows is written over or cut off by the caller.
    void Rewind(std::uint64_t offset);
    // Writes out what is held.
    void Flush();
    std::uint64_t Offset() const { return written_ + held_.size(); }

private:
    OpenedFile& file_;
    std::uint64_t written_;   // where the bytes held go
    std::vector<char> held_;
};

// Copies length bytes of one file into another, adding them to hash where one is given;
// copied falls short when from ends sooner. False when a read or a write failed.
bool CopyFileBytes(OpenedFile& from, std::uint64_t fromOffset, OpenedFile& to, std::uint64_t toOffset,
                   std::uint64_t length, std::uint64_t& copied, Sha256* hash = nullptr);
