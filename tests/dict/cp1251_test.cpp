// SPDX-License-Identifier: GPL-3.0-or-later
#include "dict/cp1251.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

TEST(Cp1251Test, RussianCapitalsSmallLettersYoAndAscii) {
    EXPECT_EQ(Cp1251ToUtf8("\xC0\xDF"), "\u0410\u042F");  // А Я
    EXPECT_EQ(Cp1251ToUtf8("\xE0\xFF"), "\u0430\u044F");  // а я
    EXPECT_EQ(Cp1251ToUtf8("\xA8\xB8"), "\u0401\u0451");  // Ё ё
    EXPECT_EQ(Cp1251ToUtf8("WORD-?"), "WORD-?");
    EXPECT_EQ(Cp1251ToUtf8("\x88\xB9"), "\u20AC\u2116");
    EXPECT_EQ(Cp1251ToUtf8("\x98"), "\uFFFD");
    EXPECT_EQ(Cp1251ToUtf8(""), "");
}

}  // namespace
}  // namespace tq
