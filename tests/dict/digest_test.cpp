// SPDX-License-Identifier: GPL-3.0-or-later
#include "dict/digest.h"

#include <gtest/gtest.h>

#include <vector>

namespace tq {
namespace {

TEST(Digest128, TextAbcGivesTheWorkedExample) {
    const Digest expected = {0x0B0B0639, 0x21D8D078, 0xF668796B, 0x3CC8BD03};
    EXPECT_EQ(Digest128("abc"), expected);
    // The text form is the word form over the padded, big-endian packed text.
    const std::vector<uint32_t> words = {0x61626323, 0x23232323, 0x23232323, 0x23232323};
    EXPECT_EQ(Digest128(words, 1), expected);
}

TEST(Digest128, OnlyTheFirstQuarterOfTheBlocksCounts) {
    // A 32-byte text has two blocks, and only the first is digested.
    EXPECT_EQ(Digest128("0123456789ABCDEFxxxxxxxxxxxxxxxx"),
              Digest128("0123456789ABCDEFyyyyyyyyyyyyyyy"));
    // Five blocks: the blocks at word offsets 0 and 4 count, the one at 8 does not.
    std::vector<uint32_t> words(20, 7);
    const Digest base = Digest128(words, 5);
    words[8] = 99;
    words[19] = 99;
    EXPECT_EQ(Digest128(words, 5), base);
    words[7] = 99;
    EXPECT_NE(Digest128(words, 5), base);
}

TEST(Digest128, ReadsNothingBeyondItsWords) {
    // The first block is always digested, but a shorter input is not read past its end.
    const std::vector<uint32_t> none;
    EXPECT_EQ(Digest128(none, 0), (Digest{1, 2, 3, 4}));
    EXPECT_EQ(Digest128(""), Digest128("################"));
}

}  // namespace
}  // namespace tq
