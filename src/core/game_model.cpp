// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/game_model.h"

namespace tq {

Status StartUp(GameModel& model, const std::filesystem::path& startFolder) {
    model.StartFolder = startFolder;
    model.SettingsFile = std::make_unique<IniFile>(startFolder / "Tessaroon.ini");
    model.Dict = TDictInfo{};
    model.Dict.DictName = ReadDictName(*model.SettingsFile);

    const Status loaded = LoadDictionary(model.DictsFolder(), model.Words, model.Dict);
    if (!loaded.ok()) {
        std::string message(msg::DictionaryError);
        if (loaded.Is(LoadFailure::IoError)) message += "\n" + loaded.message();
        return Status::Error(std::move(message));
    }
    model.StyleName = ReadStyleName(*model.SettingsFile);
    model.Settings = ReadSettings(*model.SettingsFile, model.Dict);
    model.State = GameState{};
    model.Rng.SeedFromClock();
    return Status::Ok();
}

}  // namespace tq
