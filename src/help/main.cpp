// SPDX-License-Identifier: GPL-3.0-or-later
// The help viewer: tessaroon-help <target> shows the help file Tessaroon.chm, or one of its
// topics ("Tessaroon.chm::/5_options.htm"), maximised. The file is looked for in the current
// directory, then beside the viewer. A missing target, file or topic ends it quietly. Its own
// captions follow the game's language (the start folder's settings, then the locale).

#include <QApplication>
#include <QScreen>

#include "help/help_window.h"
#include "ui/app.h"
#include "ui/language.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tq::ui::InitialiseApplication();
    QApplication::setApplicationName("Tessaroon Help");
    tq::ui::InstallTranslations(tq::ui::LanguageFor("Tessaroon.ini"));
    const QStringList args = QApplication::arguments();
    const QString target = args.size() > 1 ? args.at(1) : QString("Tessaroon.chm");
    tq::help::HelpWindow window;
    if (!window.OpenTarget(target, QApplication::applicationDirPath().toStdString())) return 1;
    // Maximised; without a window manager to do it, the window takes the screen's work area.
    if (const QScreen* screen = window.screen()) window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    return app.exec();
}
