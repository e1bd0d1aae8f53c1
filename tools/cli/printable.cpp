// SPDX-License-Identifier: GPL-3.0-or-later
#include "printable.h"

#include <cstdio>

#include "dict/cp1251.h"

namespace tq::cli {

std::string Printable(std::string_view cp1251) {
    std::string escaped;
    escaped.reserve(cp1251.size());
    for (const char ch : cp1251) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F) {
            char code[5];
            std::snprintf(code, sizeof code, "\\x%02X", c);
            escaped += code;
        } else if (c == '\\') {
            escaped += "\\\\";
        } else {
            escaped += ch;
        }
    }
    return Cp1251ToUtf8(escaped);
}

std::string PrintableLines(std::string_view cp1251) {
    std::string out;
    for (std::size_t pos = 0;;) {
        const std::size_t lf = cp1251.find('\n', pos);
        out += Printable(cp1251.substr(pos, lf - pos));
        if (lf == std::string_view::npos) return out;
        out += '\n';
        pos = lf + 1;
    }
}

std::string PrintableMessage(std::string_view cp1251) {
    std::string out;
    for (std::size_t pos = 0;;) {
        const std::size_t cr = cp1251.find('\r', pos);
        out += Printable(cp1251.substr(pos, cr - pos));
        if (cr == std::string_view::npos) return out;
        out += ' ';
        pos = cr + 1;
    }
}

}  // namespace tq::cli
