// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app.h"

#include <QApplication>

#include "ui/fonts.h"

// The resources live in a static library: they are registered explicitly, at global scope as
// the registration function is declared there.
static void RegisterResources() {
    Q_INIT_RESOURCE(resources);
}

namespace tq::ui {

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QString(":/tessaroon/icon_%1.png").arg(size), QSize(size, size));
    return icon;
}

void InitialiseApplication() {
    RegisterResources();
    InstallFontSubstitutes();
    QApplication::setApplicationName("Tessaroon");
    // Ties the windows to the installed desktop entry (its icon and name in the desktop's
    // task list).
    QGuiApplication::setDesktopFileName("org.tessaroon.Tessaroon");
    QApplication::setWindowIcon(ProgramIcon());
    // The game draws its menu bar itself as part of its window: a desktop's global menu gets
    // none, not even for a moment while the window is built.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
}

}  // namespace tq::ui
