// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/text.h"

#include <array>

#include "dict/cp1251.h"

namespace tq::ui {

namespace {

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
    for (char ch : cp1251)
        out.append(QChar(static_cast<char16_t>(Cp1251ToUnicode(static_cast<unsigned char>(ch)))));
    return out;
}

unsigned char ToCp1251(QChar c) {
    return UnicodeToCp1251(c.unicode());
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
