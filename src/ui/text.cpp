#include "ui/text.h"

#include <array>

namespace tq::ui {

namespace {

// Unicode of the code page 1251 bytes 0x80..0xBF; 0x98 has no character.
constexpr std::array<char16_t, 64> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

char16_t ToUnicode(unsigned char b) {
    if (b < 0x80) return b;
    if (b >= 0xC0) return static_cast<char16_t>(0x0410 + (b - 0xC0));
    return kHighHalf[b - 0x80];
}

// The classic defaults of the system colours, as 0x00BBGGRR, by index.
constexpr std::array<uint32_t, 31> kSystemColours = {
    0xC8D0D4,  // 0 scroll bar
    0xA56E3A,  // 1 desktop
    0x6A240A,  // 2 active caption
    0x808080,  // 3 inactive caption
    0xF0F0F0,  // 4 menu
    0xFFFFFF,  // 5 window
    0x000000,  // 6 window frame
    0x000000,  // 7 menu text
    0x000000,  // 8 window text
    0xFFFFFF,  // 9 caption text
    0xC8D0D4,  // 10 active border
    0xC8D0D4,  // 11 inactive border
    0x808080,  // 12 application workspace
    0x6A240A,  // 13 highlight
    0xFFFFFF,  // 14 highlight text
    0xF0F0F0,  // 15 button face
    0x808080,  // 16 button shadow
    0x808080,  // 17 grey text
    0x000000,  // 18 button text
    0xC8D0D4,  // 19 inactive caption text
    0xFFFFFF,  // 20 button highlight
    0x404040,  // 21 3D dark shadow
    0xC8D0D4,  // 22 3D light
    0x000000,  // 23 tooltip text
    0xE1FFFF,  // 24 tooltip background
    0xB5B5B5,  // 25 unused
    0x800000,  // 26 hot light
    0xF0CAA6,  // 27 gradient active caption
    0xC0C0C0,  // 28 gradient inactive caption
    0xFF9933,  // 29 menu highlight
    0xF0F0F0,  // 30 menu bar
};

}  // namespace

QString ToQString(std::string_view cp1251) {
    QString out;
    out.reserve(static_cast<qsizetype>(cp1251.size()));
    for (char ch : cp1251) {
        const char16_t u = ToUnicode(static_cast<unsigned char>(ch));
        out.append(QChar(u ? u : u'?'));
    }
    return out;
}

unsigned char ToCp1251(QChar c) {
    const char16_t u = c.unicode();
    if (u == 0) return 0;
    if (u < 0x80) return static_cast<unsigned char>(u);
    if (u >= 0x0410 && u <= 0x044F) return static_cast<unsigned char>(0xC0 + (u - 0x0410));
    for (int i = 0; i < 64; ++i)
        if (kHighHalf[i] == u) return static_cast<unsigned char>(0x80 + i);
    return 0;
}

std::string FromQString(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) {
        const unsigned char b = ToCp1251(c);
        out.push_back(b || c.unicode() == 0 ? static_cast<char>(b) : '?');
    }
    return out;
}

QColor ToQColor(uint32_t value) {
    if ((value >> 24) == 0xFF) {
        const uint32_t index = value & 0xFF;
        value = index < kSystemColours.size() ? kSystemColours[index] : 0x808080;
    }
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

uint32_t FromQColor(const QColor& colour) {
    return static_cast<uint32_t>(colour.red()) | (static_cast<uint32_t>(colour.green()) << 8) |
           (static_cast<uint32_t>(colour.blue()) << 16);
}

}  // namespace tq::ui
