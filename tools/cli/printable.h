// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text from the game's files (code page 1251) as the companion prints it.

#include <string>
#include <string_view>

namespace tq::cli {

// The text in UTF-8 with every control byte (0x00-0x1F, 0x7F) written visibly as "\xNN" and a
// backslash as "\\", so a name from a settings or records file can neither send escape sequences
// to the terminal nor break a line or a tab-separated table.
std::string Printable(std::string_view cp1251);

// A message of several lines: each line as Printable, the line ends kept.
std::string PrintableLines(std::string_view cp1251);

// The text of a message box (its lines parted by carriage returns, as a chat message's are) on
// one line: each part as Printable, a blank between them.
std::string PrintableMessage(std::string_view cp1251);

}  // namespace tq::cli
