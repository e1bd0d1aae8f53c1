// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one game model of the program and its start-up: the settings file, the dictionary, the
// settings, the field and the per-game state, owned together.

#include <filesystem>
#include <memory>
#include <string>

#include "base/game_state.h"
#include "base/messages.h"
#include "base/random.h"
#include "base/rules.h"
#include "dict/word_store.h"
#include "settings/settings_file.h"

namespace tq {

struct GameModel {
    std::filesystem::path StartFolder;      // the current directory at start-up
    std::unique_ptr<IniFile> SettingsFile;  // open from start-up to exit
    WordStore Words;
    TDictInfo Dict;
    GameSettings Settings;
    std::string StyleName = "Marble";
    Field Board;
    GameState State;
    Random Rng;

    std::filesystem::path DictsFolder() const { return StartFolder / "Dicts"; }
    std::filesystem::path StylesFolder() const { return StartFolder / "Styles"; }
    std::filesystem::path RecordsFolder() const { return StartFolder / "Records"; }
};

// Opens startFolder/Tessaroon.ini, loads the dictionary it names and reads the settings, in that
// order. On failure the status holds the text to show (the dictionary message, or an I/O error),
// the model holds no usable dictionary and the program must end.
Status StartUp(GameModel& model, const std::filesystem::path& startFolder);

}  // namespace tq
