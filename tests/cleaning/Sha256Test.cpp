// SHA-256 against the standard test vectors, fed whole and in pieces of awkward sizes.
#include "cleaning/Sha256.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace {

std::string Hex(const Sha256Digest& digest)
{
    std::string hex;
    char pair[3];
    for (unsigned char byte : digest) {
        std::snprintf(pair, sizeof pair, "%02x", byte);
        hex += pair;
    }
    return hex;
}

TEST(Sha256, StandardVectorsInAnyPieces)
{
    const std::pair<std::string, const char*> vectors[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& [bytes, expected] : vectors) {
        for (const std::size_t piece : {bytes.size() + 1, std::size_t{1}, std::size_t{63}, std::size_t{65}}) {
            Sha256 hash;
            for (std::size_t at = 0; at < bytes.size(); at += piece)
                hash.Add(bytes.data() + at, std::min(piece, bytes.size() - at));
            EXPECT_EQ(Hex(hash.Finish()), expected) << bytes.size() << " bytes in pieces of " << piece;
        }
    }
}

} // namespace
