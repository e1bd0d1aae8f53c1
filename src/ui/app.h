// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the game program sets up before its windows: the font substitutes, the program icon
// and the built-in pictures (compiled into the static UI library).

#include <QIcon>

namespace tq::ui {

// Once per program, after QApplication exists: registers the built-in pictures, the fonts and
// the application icon.
void InitialiseApplication();

// The program icon in all its sizes.
QIcon ProgramIcon();

}  // namespace tq::ui
