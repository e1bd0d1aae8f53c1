#pragma once
// The window fonts. The windows ask for "MS Sans Serif" and "System" by name; those names are
// substituted with metric-compatible free fonts where they are not installed.

#include <QFont>

namespace tq::ui {

// Registers the substitutes once per program (call after QApplication exists).
void InstallFontSubstitutes();

// "MS Sans Serif" with a character height in pixels (a font height of -11 is 11 pixels).
QFont SansSerif(int pixelHeight, bool bold = false);
// The "System" font of the clock label.
QFont SystemFont();

}  // namespace tq::ui
