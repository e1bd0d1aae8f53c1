// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window fonts. The windows ask for "MS Sans Serif" and "System" by name; those names are
// substituted with metric-compatible free fonts where they are not installed.

#include <QFont>
#include <QSize>

namespace tq::ui {

// Registers the substitutes once per program (call after QApplication exists).
void InstallFontSubstitutes();

// "MS Sans Serif" with a character height in pixels (a font height of -11 is 11 pixels).
QFont SansSerif(int pixelHeight, bool bold = false);
// The bold "System" font of the clock label, 13 pixels high or smaller: the largest size at
// which the stand-in shows "00:00" whole in a label of the given size.
QFont SystemFont(QSize label = QSize(36, 16));

}  // namespace tq::ui
