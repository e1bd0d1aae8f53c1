#include "ui/fonts.h"

#include <QStringList>

namespace tq::ui {

void InstallFontSubstitutes() {
    QFont::insertSubstitutions("MS Sans Serif", {"Liberation Sans", "DejaVu Sans", "Arial"});
    QFont::insertSubstitutions("System", {"DejaVu Sans", "Liberation Sans"});
}

QFont SansSerif(int pixelHeight, bool bold) {
    QFont f("MS Sans Serif");
    f.setPixelSize(pixelHeight);
    f.setBold(bold);
    f.setStyleHint(QFont::SansSerif);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

QFont SystemFont() {
    QFont f("System");
    f.setPixelSize(13);
    f.setBold(true);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

}  // namespace tq::ui
