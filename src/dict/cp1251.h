// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Game text for the world outside: code page 1251 bytes as UTF-8 (ASCII stays as it is).

#include <string>
#include <string_view>

namespace tq {

// The Unicode code point of a code page 1251 byte; the unassigned byte 0x98 gives U+FFFD.
char32_t Cp1251ToUnicode(unsigned char b);
// The code page 1251 byte of a code point, or 0 when the code page has none.
unsigned char UnicodeToCp1251(char32_t cp);

// Every byte of code page 1251 as UTF-8; the one unassigned byte (0x98) becomes U+FFFD.
std::string Cp1251ToUtf8(std::string_view text);

// Whether the bytes are well-formed UTF-8: shortest forms only, no surrogates, nothing above
// U+10FFFF.
bool IsValidUtf8(std::string_view text);

// UTF-8 text as code page 1251, one byte per character; a character the code page lacks becomes
// "?". Returns false (and leaves out unspecified) when the text is not well-formed UTF-8.
bool Utf8ToCp1251(std::string_view text, std::string& out);

}  // namespace tq
