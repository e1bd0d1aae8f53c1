// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target for the settings file. Any text reads as settings that keep every rule; "Save"
// into a file holding that text writes settings that read back the same, leaves every key the
// program does not write with the value it had, and a second save changes nothing more.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "base/names.h"
#include "fuzz_checks.h"
#include "fuzz_files.h"
#include "fuzz_ini.h"
#include "settings/settings_file.h"

namespace {

void CheckRules(const tq::GameSettings& s, const tq::TDictInfo& dict) {
    Require(s.Count >= 2 && s.Count <= 5);
    for (int seat = 1; seat <= tq::kMaxSeats; ++seat) {
        const tq::TPlayers& p = s.Seat(seat);
        Require(!p.Name.empty() && p.Name.size() <= 12);
        Require(tq::IsValidName(p.Name));
        Require(p.Type == tq::PlayerType::Human || p.Type == tq::PlayerType::Computer);
        Require(p.Skill >= 1 && p.Skill <= 7);
    }
    Require(s.ColCount >= 3 && s.ColCount <= 10 && s.RowCount >= 3 && s.RowCount <= 10);
    Require(s.WordsPerMove >= 1 && s.WordsPerMove <= 5);
    Require(tq::FairTurn(s.ColCount, s.RowCount, s.Count, s.WordsPerMove));
    Require(s.MinWordLen <= s.MaxWordLen && s.MaxWordLen <= dict.LongestLen);
    Require(s.Directions.size() == 8 && s.Directions != "00000000" &&
            s.Directions.find_first_not_of("01") == std::string::npos);
    Require(s.SecMove >= 0 && s.SecMove <= 3600 && s.SecBonus >= 0 && s.SecBonus <= 900 &&
            s.SecFine >= 0 && s.SecFine <= 900);
}

bool SameSaved(const tq::GameSettings& a, const tq::GameSettings& b) {
    if (a.RatedGame != b.RatedGame || a.Count != b.Count || a.ColCount != b.ColCount ||
        a.RowCount != b.RowCount || a.WordsPerMove != b.WordsPerMove ||
        a.MinWordLen != b.MinWordLen || a.MaxWordLen != b.MaxWordLen ||
        a.Directions != b.Directions || a.UseJoker != b.UseJoker ||
        a.AllowCrossings != b.AllowCrossings || a.AllowExWords != b.AllowExWords ||
        a.SecMove != b.SecMove || a.SecBonus != b.SecBonus || a.SecFine != b.SecFine ||
        a.AcceptAllWords != b.AcceptAllWords)
        return false;
    for (int seat = 1; seat <= tq::kMaxSeats; ++seat) {
        const tq::TPlayers& p = a.Seat(seat);
        const tq::TPlayers& q = b.Seat(seat);
        if (p.Name != q.Name || p.Type != q.Type || p.Skill != q.Skill || p.Color != q.Color)
            return false;
    }
    return true;
}

// The keys "Save" writes for a player count.
std::set<std::pair<std::string, std::string>> SavedKeys(int count) {
    std::set<std::pair<std::string, std::string>> keys = {
        {"general", "ratedgame"},    {"players", "count"},      {"field", "colcount"},
        {"field", "rowcount"},       {"rules", "wordspermove"}, {"rules", "minwordlen"},
        {"rules", "maxwordlen"},     {"rules", "directions"},   {"rules", "usejoker"},
        {"rules", "allowcrossings"}, {"rules", "allowexwords"}, {"additional", "secmove"},
        {"additional", "secbonus"},  {"additional", "secfine"}, {"additional", "acceptallwords"},
    };
    for (int seat = 1; seat <= count; ++seat)
        for (const char* key : {"name", "color", "type", "skill"})
            keys.insert({"players", key + std::to_string(seat)});
    return keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    tq::TDictInfo dict;
    dict.ShortestLen = static_cast<uint8_t>(2 + size % 3);
    dict.LongestLen = static_cast<uint8_t>(dict.ShortestLen + 1 + size % 23);

    const auto file = fuzz::ScratchFile("Tessaroon.ini");
    fuzz::WriteBytes(file, text);
    tq::IniFile ini(file);
    const tq::GameSettings s = tq::ReadSettings(ini, dict);
    CheckRules(s, dict);
    Require(!tq::ReadDictName(ini).empty());
    const auto before = fuzz::KeysOf(ini.Document());

    Require(tq::SaveSettings(ini, s).ok());
    const std::string saved = fuzz::ReadBytes(file);
    tq::IniFile again(file);
    Require(again.Document().Text() == saved);
    const tq::GameSettings back = tq::ReadSettings(again, dict);
    Require(SameSaved(s, back));
    const auto owned = SavedKeys(s.Count);
    const auto after = fuzz::KeysOf(again.Document());
    for (const auto& [key, value] : before) {
        if (owned.count(key)) continue;
        const auto it = after.find(key);
        Require(it != after.end() && it->second == value);
    }

    Require(tq::SaveSettings(again, back).ok());
    Require(fuzz::ReadBytes(file) == saved);
    return 0;
}
