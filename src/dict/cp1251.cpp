// SPDX-License-Identifier: GPL-3.0-or-later
#include "dict/cp1251.h"

#include <cstdint>

namespace tq {

namespace {

// Code points of the bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
constexpr char16_t kHigh[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes the character at text[pos], moving pos past it; false on a malformed sequence.
bool NextUtf8(std::string_view text, std::size_t& pos, char32_t& cp) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    int extra;
    char32_t min;
    if (lead < 0x80) {
        cp = lead;
        ++pos;
        return true;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        min = 0x80;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        min = 0x800;
        cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        min = 0x10000;
        cp = lead & 0x07;
    } else {
        return false;
    }
    if (text.size() - pos <= static_cast<std::size_t>(extra)) return false;
    for (int k = 1; k <= extra; ++k) {
        const unsigned char c = byte(pos + k);
        if ((c & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    pos += static_cast<std::size_t>(extra) + 1;
    return true;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
    char32_t cp;
    for (std::size_t pos = 0; pos < text.size();)
        if (!NextUtf8(text, pos, cp)) return false;
    return true;
}

bool Utf8ToCp1251(std::string_view text, std::string& out) {
    out.clear();
    char32_t cp;
    for (std::size_t pos = 0; pos < text.size();) {
        if (!NextUtf8(text, pos, cp)) return false;
        const unsigned char b = UnicodeToCp1251(cp);
        out += b != 0 || cp == 0 ? static_cast<char>(b) : '?';
    }
    return true;
}

char32_t Cp1251ToUnicode(unsigned char b) {
    if (b < 0x80) return b;
    if (b >= 0xC0) return 0x0410 + (b - 0xC0);
    return kHigh[b - 0x80];
}

unsigned char UnicodeToCp1251(char32_t cp) {
    if (cp < 0x80) return static_cast<unsigned char>(cp);
    if (cp >= 0x0410 && cp <= 0x044F) return static_cast<unsigned char>(0xC0 + (cp - 0x0410));
    if (cp == 0xFFFD) return 0;
    for (int i = 0; i < 64; ++i)
        if (kHigh[i] == cp) return static_cast<unsigned char>(0x80 + i);
    return 0;
}

std::string Cp1251ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char ch : text) AppendUtf8(out, Cp1251ToUnicode(static_cast<unsigned char>(ch)));
    return out;
}

}  // namespace tq
