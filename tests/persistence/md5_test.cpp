#include "persistence/md5.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using persistence::Md5;
using persistence::Md5Hex;

TEST(Md5, MatchesTheReferenceTestSuite) {
    const struct {
        const char* input;
        const char* digest;
    } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& c : cases) EXPECT_EQ(Md5Hex(c.input), c.digest) << '"' << c.input << '"';
}

TEST(Md5, PaddingBoundariesAndPiecewiseUpdatesAgree) {
    // Lengths around the 56-byte padding limit and the 64-byte block, fed at once and in pieces.
    for (size_t length : {55u, 56u, 57u, 63u, 64u, 65u, 119u, 120u, 128u, 1000u}) {
        std::string text(length, '\0');
        for (size_t i = 0; i < length; ++i) text[i] = char(i * 7 + 3);
        const auto whole = persistence::Md5Of(text);
        Md5 pieces;
        for (size_t i = 0; i < length; i += 5) {
            pieces.Update(text.data() + i, std::min<size_t>(5, length - i));
        }
        EXPECT_EQ(pieces.Final(), whole) << length;
    }
    // A million 'a' is a well-known long vector.
    EXPECT_EQ(Md5Hex(std::string(1000000, 'a')), "7707d6ae4e027c70eea2a935c2296f21");
}

}  // namespace
