// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include "ui/language.h"

namespace tq::ui {

namespace {

std::function<void(const QString&)>& Launcher() {
    static std::function<void(const QString&)> launcher;
    return launcher;
}

void StartViewer(const QString& target) {
    const QString viewer = QDir(QCoreApplication::applicationDirPath()).filePath(kHelpViewerName);
    if (!QFileInfo(viewer).isExecutable()) return;
    // Detached: the viewer outlives nothing of ours and we never wait for it; it inherits the
    // current directory, where the help file is looked for first.
    QProcess::startDetached(viewer, {target});
}

// Where the viewer finds a help file: the start folder (the current directory), then beside
// the program.
bool HelpFileFound(const QString& name) {
    return QFileInfo(QDir::current().filePath(name)).isFile() ||
           QFileInfo(QDir(QCoreApplication::applicationDirPath()).filePath(name)).isFile();
}

}  // namespace

QString LocalHelpTarget(const QString& target, InterfaceLanguage language) {
    const QString english = HelpFileName(InterfaceLanguage::English);
    const QString own = HelpFileName(language);
    if (own == english || !target.startsWith(english)) return target;
    const QString rest = target.mid(english.size());
    if (!rest.isEmpty() && !rest.startsWith("::")) return target;
    return HelpFileFound(own) ? own + rest : target;
}

void OpenHelp(const QString& target) {
    const QString local = LocalHelpTarget(target, CurrentLanguage());
    if (Launcher())
        Launcher()(local);
    else
        StartViewer(local);
}

void SetHelpLauncher(std::function<void(const QString&)> launcher) {
    Launcher() = std::move(launcher);
}

}  // namespace tq::ui
