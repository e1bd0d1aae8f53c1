#pragma once
// Game text for the world outside: code page 1251 bytes as UTF-8 (ASCII stays as it is).

#include <string>
#include <string_view>

namespace tq {

// Every byte of code page 1251 as UTF-8; the one unassigned byte (0x98) becomes U+FFFD.
std::string Cp1251ToUtf8(std::string_view text);

}  // namespace tq
