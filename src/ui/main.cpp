// SPDX-License-Identifier: GPL-3.0-or-later
// The game program: the start folder (the current directory, or the player's own folder of an
// installed game), start-up there, then the windows.

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "base/messages.h"
#include "base/version.h"
#include "core/game_model.h"
#include "launch/start_folder.h"
#include "ui/app.h"
#include "ui/main_form.h"
#include "ui/text.h"

namespace {

const char kUsage[] =
    "usage: tessaroon [--start-folder | --version | --help]\n"
    "\n"
    "Starts the word game Tessaroon in its start folder: the current folder when it holds\n"
    "Tessaroon.ini or Dicts; otherwise, for an installed game, the player's own folder\n"
    "$XDG_DATA_HOME/tessaroon (~/.local/share/tessaroon), which each start fills with the shipped\n"
    "files it lacks without replacing any file already there.\n"
    "\n"
    "  --start-folder  make the start folder ready, print its path and exit\n"
    "  --version       print the version and exit\n"
    "  --help          print this text and exit\n";

tq::launch::StartFolderChoice ChooseStartFolder(const char* argv0) {
    std::error_code ec;
    std::filesystem::path current = std::filesystem::current_path(ec);
    return tq::launch::ChooseStartFolder(current, tq::launch::ProgramFile(argv0),
                                         std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

void ShowError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, tq::ui::ToQString(tq::msg::Caption), text,
                    QMessageBox::Ok);
    box.exec();
}

}  // namespace

int main(int argc, char** argv) {
    // The program's own options come before the toolkit, which needs a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("tessaroon %s\n", std::string(tq::kVersion).c_str());
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--start-folder") == 0) {
            const auto choice = ChooseStartFolder(argv[0]);
            if (!choice.error.empty()) {
                std::fprintf(stderr, "tessaroon: %s\n", choice.error.c_str());
                return 1;
            }
            std::printf("%s\n", choice.folder.c_str());
            return 0;
        }
    }

    QApplication app(argc, argv);
    tq::ui::InitialiseApplication();

    const auto choice = ChooseStartFolder(argv[0]);
    std::error_code ec;
    if (choice.error.empty()) std::filesystem::current_path(choice.folder, ec);
    if (!choice.error.empty() || ec) {
        // Folder names are in the system's encoding, not the game's code page.
        ShowError(QString::fromLocal8Bit(choice.error.empty()
                                             ? "Cannot open the folder " + choice.folder.string() +
                                                   ": " + ec.message()
                                             : choice.error));
        return 1;
    }

    // The settings file and the dictionary come before any window; without a dictionary the
    // program ends with its message and no window.
    tq::GameModel model;
    const tq::Status started = tq::StartUp(model, std::filesystem::current_path());
    if (!started.ok()) {
        ShowError(tq::ui::ToQString(started.message()));
        return 1;
    }

    tq::ui::TMainForm window(model);
    window.show();
    // Centred on the screen at start.
    if (const QScreen* screen = window.screen()) {
        const QRect area = screen->availableGeometry();
        const QRect frame = window.frameGeometry();
        window.move(area.left() + (area.width() - frame.width()) / 2,
                    area.top() + (area.height() - frame.height()) / 2);
    }
    window.activateWindow();
    return app.exec();
}
