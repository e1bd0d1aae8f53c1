// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

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

}  // namespace

void OpenHelp(const QString& target) {
    if (Launcher())
        Launcher()(target);
    else
        StartViewer(target);
}

void SetHelpLauncher(std::function<void(const QString&)> launcher) {
    Launcher() = std::move(launcher);
}

}  // namespace tq::ui
