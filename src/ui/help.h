// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening the help. The game starts the help viewer tessaroon-help, which lies beside the
// program, on the help file Tessaroon.chm or one of its topics (the Russian interface opens the
// same topic of Tessaroon.ru.chm, and the English file when that one is missing); the viewer looks
// for the file in the start folder (the current directory), then beside the program, and shows it
// in a maximised window of its own. The game does not wait for it, nor block it while a dialog is
// open, and ignores every failure: a missing viewer, a missing or damaged file.

#include <QString>

#include <functional>

#include "settings/interface_language.h"

namespace tq::ui {

// The targets, in the form the viewer takes: the file alone opens its first page.
inline constexpr char kHelpContents[] = "Tessaroon.chm";
inline constexpr char kOptionsHelpTopic[] = "Tessaroon.chm::/5_options.htm";
inline constexpr char kStylesHelpTopic[] = "Tessaroon.chm::/6_styles.htm";

// The name of the viewer program beside the game.
inline constexpr char kHelpViewerName[] = "tessaroon-help";

// The target in the help file of a language: Tessaroon.chm[::topic] becomes the same topic of
// that language's file when the file lies in the start folder or beside the program; any other
// target stays as it is.
QString LocalHelpTarget(const QString& target, InterfaceLanguage language);

// Starts the viewer on a target in the interface's language and returns at once.
void OpenHelp(const QString& target);

// Test seam: replaces how OpenHelp starts the viewer; an empty function restores the viewer.
void SetHelpLauncher(std::function<void(const QString&)> launcher);

}  // namespace tq::ui
