// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/fonts.h"

#include <QFontMetrics>
#include <QStringList>

namespace tq::ui {

void InstallFontSubstitutes() {
    QFont::insertSubstitutions("MS Sans Serif", {"Liberation Sans", "DejaVu Sans", "Arial"});
    // Liberation Sans keeps the digits narrow enough for the clock label at the System font's
    // size; DejaVu Sans, the usual fallback, is a fifth wider.
    QFont::insertSubstitutions("System", {"Liberation Sans", "Arial", "DejaVu Sans"});
}

QFont SansSerif(int pixelHeight, bool bold) {
    QFont f("MS Sans Serif");
    f.setPixelSize(pixelHeight);
    f.setBold(bold);
    f.setStyleHint(QFont::SansSerif);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

QFont SystemFont(QSize label) {
    QFont f("System");
    f.setBold(true);
    f.setStyleHint(QFont::SansSerif);
    // Digits share one width in every stand-in, so "00:00" is as wide as any clock text. One
    // pixel stays free on either side so that centring never clips an outer digit.
    for (int px = 13; px >= 8; --px) {
        f.setPixelSize(px);
        const QFontMetrics m(f);
        if (m.horizontalAdvance("00:00") <= label.width() - 2 && m.height() <= label.height())
            break;
    }
    return f;
}

}  // namespace tq::ui
