// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app.h"

#include <QApplication>

#include "core/game_model.h"
#include "ui/fonts.h"
#include "ui/language.h"
#include "ui/text.h"

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

QString DictionaryErrorText(const GameModel& model, std::string_view message) {
    const QString name = ToQString(model.Dict.DictName);
    const QString folder = QString::fromLocal8Bit(model.DictsFolder().string());
    return ShownText(message) + QStringLiteral("\n\n") +
           QCoreApplication::translate(
               "main",
               "Tessaroon looked for the dictionary %1 (the file %1.tqd or %1.txt) in the folder "
               "%2. Start the game in its own folder, the one that holds Tessaroon.ini and Dicts, "
               "or name a dictionary found there by the key Dict in Tessaroon.ini.")
               .arg(name, folder);
}

}  // namespace tq::ui
