// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/names.h"

namespace tq {

namespace {

// Code page 1251 maps every byte to a character but 0x98.
constexpr unsigned char kUndefinedByte = 0x98;

bool Unwanted(char c) {
    const auto u = static_cast<unsigned char>(c);
    return c == ',' || u < 32 || u == 127 || u == kUndefinedByte;
}

}  // namespace

bool IsValidName(std::string_view name) {
    if (name.empty() || name.size() > kMaxNameLength) return false;
    if (name.front() == ' ' || name.back() == ' ') return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (Unwanted(name[i])) return false;
        if (name[i] == ' ' && i > 0 && name[i - 1] == ' ') return false;
    }
    return true;
}

std::string MendedName(std::string_view name, std::string_view fallback) {
    if (name.size() > kMaxNameLength) return std::string(fallback);
    std::string out;
    bool blank = false;  // a blank waits to be written before the next character
    for (const char c : name) {
        if (c == ' ' || Unwanted(c)) {
            blank = !out.empty();
            continue;
        }
        if (blank) out += ' ';
        blank = false;
        out += c;
    }
    return out.empty() ? std::string(fallback) : out;
}

}  // namespace tq
