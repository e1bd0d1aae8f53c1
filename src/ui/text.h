// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Game text is single bytes (code page 1251 for Russian, ASCII for English); Qt draws and reads
// Unicode. These helpers convert at the edge of the window and turn the game's colour values
// into QColor.

#include <QColor>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

namespace tq::ui {

// Code page 1251 bytes as Unicode text.
QString ToQString(std::string_view cp1251);
// The code page 1251 byte of one Unicode character, or 0 when the code page has none.
unsigned char ToCp1251(QChar c);
// Unicode text as code page 1251 bytes; characters the code page lacks become '?'.
std::string FromQString(const QString& text);

// A colour value 0x00BBGGRR; a value whose high byte is 0xFF names a system colour by the index
// in its low byte (the classic defaults of those colours are used).
QColor ToQColor(uint32_t value);
// The colour value 0x00BBGGRR of a QColor.
uint32_t FromQColor(const QColor& colour);

}  // namespace tq::ui
