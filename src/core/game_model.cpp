#include "core/game_model.h"

namespace tq {

StartUpResult StartUp(GameModel& model, const std::filesystem::path& startFolder) {
    model.StartFolder = startFolder;
    model.SettingsFile = std::make_unique<IniFile>(startFolder / "Tessaroon.ini");
    model.Dict = TDictInfo{};
    model.Dict.DictName = ReadDictName(*model.SettingsFile);

    StartUpResult result;
    LoadResult loaded = LoadDictionary(model.DictsFolder(), model.Words, model.Dict);
    if (!loaded.ok()) {
        result.message = std::string(msg::DictionaryError);
        if (loaded.status == LoadStatus::IoError) result.message += "\n" + loaded.message;
        return result;
    }
    model.StyleName = ReadStyleName(*model.SettingsFile);
    model.Settings = ReadSettings(*model.SettingsFile, model.Dict);
    model.State = GameState{};
    model.Rng.SeedFromClock();
    result.ok = true;
    return result;
}

}  // namespace tq
