// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the game program sets up before its windows: the font substitutes, the program icon
// and the built-in pictures (compiled into the static UI library).

#include <QIcon>
#include <QString>
#include <string_view>

namespace tq {
struct GameModel;
}

namespace tq::ui {

// Once per program, after QApplication exists: registers the built-in pictures, the fonts and
// the application icon.
void InitialiseApplication();

// The program icon in all its sizes.
QIcon ProgramIcon();

// The message of a start-up that found no dictionary (StartUp's message, shown in the interface's
// language), followed by the files it looked for, where, and what to do.
QString DictionaryErrorText(const GameModel& model, std::string_view message);

}  // namespace tq::ui
