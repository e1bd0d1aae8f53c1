// SPDX-License-Identifier: GPL-3.0-or-later
// tessaroon-cli info: the game's start-up, then the effective settings and dictionary facts.

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "commands.h"
#include "core/game_model.h"
#include "printable.h"
#include "settings/interface_language.h"

namespace tq::cli {

namespace {

// The window's language as the settings file forces it: "ru", "en", or empty when the locale
// decides (an empty key or any other value).
std::string ForcedLanguage(const IniFile& ini) {
    const std::string key = ReadLanguageKey(ini);
    const InterfaceLanguage underRussian = ChooseInterfaceLanguage(key, {"ru"});
    if (underRussian != ChooseInterfaceLanguage(key, {"en"})) return "";
    return underRussian == InterfaceLanguage::Russian ? "ru" : "en";
}

int Info(const std::vector<std::string>& args) {
    if (!TakesNoArguments("info", args)) return 2;
    GameModel model;
    if (!StartModel(model, std::cout)) return 1;
    const GameSettings& s = model.Settings;
    std::ostream& out = std::cout;
    out << "Count=" << int(s.Count) << "\n";
    for (int i = 1; i <= kMaxSeats; ++i)
        out << "Name" << i << "=" << Printable(s.Seat(i).Name) << "\n";
    for (int i = 1; i <= kMaxSeats; ++i) out << "Type" << i << "=" << int(s.Seat(i).Type) << "\n";
    for (int i = 1; i <= kMaxSeats; ++i) out << "Skill" << i << "=" << int(s.Seat(i).Skill) << "\n";
    for (int i = 1; i <= kMaxSeats; ++i)
        out << "Color" << i << "=" << static_cast<int32_t>(s.Seat(i).Color) << "\n";
    out << "ColCount=" << int(s.ColCount) << "\n"
        << "RowCount=" << int(s.RowCount) << "\n"
        << "WordsPerMove=" << int(s.WordsPerMove) << "\n"
        << "MinWordLen=" << int(s.MinWordLen) << "\n"
        << "MaxWordLen=" << int(s.MaxWordLen) << "\n"
        << "Directions=" << s.Directions << "\n"
        << "UseJoker=" << int(s.UseJoker) << "\n"
        << "AllowCrossings=" << int(s.AllowCrossings) << "\n"
        << "AllowExWords=" << int(s.AllowExWords) << "\n"
        << "SecMove=" << s.SecMove << "\n"
        << "SecBonus=" << s.SecBonus << "\n"
        << "SecFine=" << s.SecFine << "\n"
        << "AcceptAllWords=" << int(s.AcceptAllWords) << "\n"
        << "ComputerPace=" << s.ComputerPace << "\n"
        << "RatedGame=" << int(s.RatedGame) << "\n"
        << "Dict=" << Printable(model.Dict.DictName) << "\n"
        << "Style=" << Printable(model.StyleName) << "\n"
        << "Language=" << ForcedLanguage(*model.SettingsFile) << "\n"
        << "DictLanguage=" << int(model.Dict.Language) << "\n"
        << "Edition=" << int(model.Dict.Edition) << "\n"
        << "ShortestLen=" << int(model.Dict.ShortestLen) << "\n"
        << "LongestLen=" << int(model.Dict.LongestLen) << "\n"
        << "WordCount=" << model.Words.TotalWords() << "\n";
    return 0;
}

const CommandRegistrar kInfo(
    "info", "info                 print the effective settings and dictionary facts", Info,
    "usage: tessaroon-cli info\n"
    "Starts up as the game does and prints the settings in force (after their fallbacks and\n"
    "consistency rules) and the facts of the loaded dictionary, one Key=value a line.\n"
    "Language is the window's language as the settings force it (ru, en, or empty: the\n"
    "locale's); DictLanguage is the dictionary's language number.\n");

}  // namespace

}  // namespace tq::cli
