// SPDX-License-Identifier: GPL-3.0-or-later
// The game program: the start folder (the current directory, or the player's own folder of an
// installed game), start-up there, then the windows.

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>

#include "base/messages.h"
#include "base/version.h"
#include "core/game_model.h"
#include "core/new_folder.h"
#include "launch/start_folder.h"
#include "settings/interface_language.h"
#include "settings/settings_file.h"
#include "ui/app.h"
#include "ui/language.h"
#include "ui/main_form.h"
#include "ui/text.h"

namespace {

const char kUsage[] =
    "usage: tessaroon [--scale FACTOR] [--start-folder | --version | --help]\n"
    "\n"
    "Starts the word game Tessaroon in its start folder: the current folder when it holds\n"
    "Tessaroon.ini or Dicts; otherwise, for an installed game, the player's own folder\n"
    "$XDG_DATA_HOME/tessaroon (~/.local/share/tessaroon), which each start fills with the shipped\n"
    "files it lacks without replacing any file already there.\n"
    "\n"
    "  --scale FACTOR  draw the window and its dialogs FACTOR times as large: 1 to 3 in steps\n"
    "                  of 0.25 (default: Scale in section [Additional] of Tessaroon.ini, or 1)\n"
    "  --start-folder  make the start folder ready, print its path and exit\n"
    "  --version       print the version and exit\n"
    "  --help          print this text and exit\n";

tq::Result<tq::launch::StartFolderChoice> ChooseStartFolder(const char* argv0) {
    std::error_code ec;
    std::filesystem::path current = std::filesystem::current_path(ec);
    // A player's new folder starts with the dictionary of the interface's language.
    const auto prepare = [](const std::filesystem::path& newSettings) {
        (void)tq::PrepareNewSettings(newSettings, tq::ui::LocaleLanguages());
    };
    const auto choice =
        tq::launch::ChooseStartFolder(current, tq::launch::ProgramFile(argv0),
                                      std::getenv("XDG_DATA_HOME"), std::getenv("HOME"), prepare);
    // A Russian folder's record tables start with Russian titles.
    if (choice.ok() && choice->newSettings)
        (void)tq::PrepareNewRecords(choice->folder, tq::ui::LocaleLanguages());
    return choice;
}

// Draws every window of the program `scale` times as large: Qt's own device-pixel scaling, so
// the layout, the pictures and the fonts grow together and text and lines are drawn at the full
// resolution. It must be set before the application object exists; a factor the user's
// environment sets already is kept and multiplied.
void SetWindowScale(double scale) {
    if (scale == 1.0) return;
    double factor = scale;
    bool ok = false;
    const double given = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    if (ok && given > 0) factor *= given;
    qputenv("QT_SCALE_FACTOR", QByteArray::number(factor, 'g', 6));
}

void ShowError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, tq::ui::ToQString(tq::msg::Caption), text,
                    QMessageBox::Ok);
    box.exec();
}

}  // namespace

int main(int argc, char** argv) {
    // The program's own options come before the toolkit, which needs a display.
    std::optional<double> scale;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--scale" || arg.starts_with("--scale=")) {
            const char* value = arg == "--scale" ? (i + 1 < argc ? argv[++i] : "") : argv[i] + 8;
            scale = tq::ParseScale(value);
            if (!scale) {
                std::fprintf(stderr,
                             "tessaroon: --scale takes a factor from 1 to 3 in steps of 0.25, "
                             "not \"%s\"\n",
                             value);
                return 2;
            }
            continue;
        }
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
            if (!choice.ok()) {
                std::fprintf(stderr, "tessaroon: %s\n", choice.message().c_str());
                return 1;
            }
            std::printf("%s\n", choice->folder.c_str());
            return 0;
        }
    }

    // The start folder comes before the toolkit too: its settings file holds the window scale.
    const auto choice = ChooseStartFolder(argv[0]);
    std::error_code ec;
    if (choice.ok()) std::filesystem::current_path(choice->folder, ec);
    const bool inStartFolder = choice.ok() && !ec;
    if (!scale && inStartFolder)
        scale = tq::ReadScale(tq::IniFile(choice->folder / "Tessaroon.ini"));
    SetWindowScale(scale.value_or(1.0));

    QApplication app(argc, argv);
    tq::ui::InitialiseApplication();

    if (!inStartFolder) {
        tq::ui::InstallTranslations(tq::ChooseInterfaceLanguage("", tq::ui::LocaleLanguages()));
        // Folder names are in the system's encoding, not the game's code page.
        ShowError(choice.ok() ? QCoreApplication::translate("main", "Cannot open the folder %1: %2")
                                    .arg(QString::fromLocal8Bit(choice->folder.string()),
                                         QString::fromLocal8Bit(ec.message()))
                              : QString::fromLocal8Bit(choice.message()));
        return 1;
    }
    // The language of the start folder's settings, else the locale's.
    tq::ui::InstallTranslations(tq::ui::LanguageFor("Tessaroon.ini"));

    // The settings file and the dictionary come before any window; without a dictionary the
    // program ends with its message and no window.
    tq::GameModel model;
    const tq::Status started = tq::StartUp(model, std::filesystem::current_path());
    if (!started.ok()) {
        ShowError(tq::ui::DictionaryErrorText(model, started.message()));
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
