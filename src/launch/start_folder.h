// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where an installed program plays: the start folder. The game reads Tessaroon.ini, Dicts,
// Styles and Records from its current directory. Started from a folder that holds a settings
// file or a Dicts folder it stays there; otherwise an installed copy plays in the player's own
// folder under the XDG data home, which it fills from the shipped data without ever replacing
// a file the player already has. Plain C++: no Qt.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "base/status.h"

namespace tq::launch {

// True when dir holds Tessaroon.ini or a Dicts folder: a start folder the player chose.
bool IsStartFolder(const std::filesystem::path& dir);

// $XDG_DATA_HOME/tessaroon, or $HOME/.local/share/tessaroon when XDG_DATA_HOME is unset, empty
// or relative (the XDG rule); nothing when neither gives an absolute folder. Either pointer may
// be null.
std::optional<std::filesystem::path> PerUserFolder(const char* xdgDataHome, const char* home);

// The shipped start-folder data of a program installed at programFile:
// <prefix>/games/../share/games/tessaroon. Nothing when that folder holds no Tessaroon.ini (a
// program run from its build tree).
std::optional<std::filesystem::path> ShippedData(const std::filesystem::path& programFile);

// What filling a start folder did.
struct FilledFolder {
    int copied = 0;            // files copied (or linked) this time
    bool newSettings = false;  // the folder got its settings file this time
};

// Called on the copy of the shipped Tessaroon.ini that becomes the player's settings file, before
// it is put in place: only when the folder gets its settings file, never on a file the player
// already has. What it changes lands whole or not at all, like the copy itself.
using NewSettingsHook = std::function<void(const std::filesystem::path& newSettings)>;

// Copies into target every file and folder of shipped that target lacks, making target when it
// is missing. An existing file is never replaced, whatever it holds: a file the player changed
// stays as it is, and one the player removed comes back. Each file appears whole or not at all
// (copied under a temporary name, then moved into place unless a file appeared there meanwhile),
// so a start broken off half-way leaves no cut file behind. The help files Tessaroon.chm and
// Tessaroon.ru.chm and the words' explanations Dicts/*.tqe, which the player has no reason to
// change, become links to the shipped ones, so that they follow updates of the game; a file of
// the player's own under such a name is kept like any other. A failure names the file or folder
// that failed.
Result<FilledFolder> FillStartFolder(const std::filesystem::path& shipped,
                                     const std::filesystem::path& target,
                                     const NewSettingsHook& onNewSettings = {});

struct StartFolderChoice {
    std::filesystem::path folder;
    bool perUser = false;      // the player's folder under the XDG data home, filled from shipped
    bool newSettings = false;  // the player's folder got its settings file this time
};

// The folder a program started in `current` plays in: `current` when it is a start folder or
// when no shipped data lies beside the program; otherwise the player's folder, filled from the
// shipped data (onNewSettings as for FillStartFolder). A failure when the player's folder could
// not be made.
Result<StartFolderChoice> ChooseStartFolder(const std::filesystem::path& current,
                                            const std::filesystem::path& programFile,
                                            const char* xdgDataHome, const char* home,
                                            const NewSettingsHook& onNewSettings = {});

// The running program's file (/proc/self/exe), or argv0 made absolute when that is unreadable.
std::filesystem::path ProgramFile(const char* argv0);

}  // namespace tq::launch
