// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keys of the settings file in one table: each with its section, its default and its range.
// The reader and the writer of Tessaroon.ini, the options dialog's limits, the companion's
// options and the check of the settings a server sends all take them from here.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/field.h"
#include "base/rules.h"
#include "dict/word_store.h"

namespace tq {

enum class Setting : uint8_t {
    Dict,
    Style,
    RatedGame,
    Count,
    Name,
    Type,
    Skill,
    Color,
    ColCount,
    RowCount,
    WordsPerMove,
    MinWordLen,
    MaxWordLen,
    Directions,
    UseJoker,
    AllowCrossings,
    AllowExWords,
    SecMove,
    SecBonus,
    SecFine,
    AcceptAllWords,
    ComputerPace,
    ClientMoveLimit,
    Language,
    Scale,
    UseRelay,
    Relay,
};

// How a key's value is read: a whole number within its range (the default otherwise), a flag
// (any whole number but 0 is set), or a value the reader takes apart in its own way (a name, a
// seat's type and colour, the directions, the scale).
enum class SettingKind : uint8_t { Ranged, Flag, Own };

// Where a bound or a default comes from: the table's number, or the dictionary's shortest or
// longest word.
enum class FromDict : uint8_t { No, Shortest, Longest };

struct SettingSpec {
    Setting setting;
    std::string_view section;
    std::string_view key;  // a seat's key has the seat's number after it: Name1 .. Name5
    bool perSeat;
    SettingKind kind;
    long def, min, max;  // with any dictionary: min..max is the widest the range can be
    FromDict defFrom = FromDict::No, minFrom = FromDict::No, maxFrom = FromDict::No;
    // The default of a text key; a seat's name has the seat's number after it ("Player 3").
    std::string_view text = {};
};

inline constexpr std::array<SettingSpec, 27> kSettingsSchema = {{
    {Setting::Dict, "General", "Dict", false, SettingKind::Own, 0, 0, 0, {}, {}, {}, "General_rus"},
    {Setting::Style, "General", "Style", false, SettingKind::Own, 0, 0, 0, {}, {}, {}, "Marble"},
    {Setting::RatedGame, "General", "RatedGame", false, SettingKind::Flag, 0, 0, 1},
    {Setting::Count, "Players", "Count", false, SettingKind::Ranged, 2, 2, kMaxSeats},
    {Setting::Name, "Players", "Name", true, SettingKind::Own, 0, 0, 0, {}, {}, {}, "Player "},
    {Setting::Type, "Players", "Type", true, SettingKind::Own, 1, 0, 1},
    {Setting::Skill, "Players", "Skill", true, SettingKind::Ranged, 2, 1, 7},
    {Setting::Color, "Players", "Color", true, SettingKind::Own, 0, 0, 0},  // kDefaultSeatColors
    {Setting::ColCount, "Field", "ColCount", false, SettingKind::Ranged, 5, kMinFieldSide,
     kMaxFieldSide},
    {Setting::RowCount, "Field", "RowCount", false, SettingKind::Ranged, 5, kMinFieldSide,
     kMaxFieldSide},
    {Setting::WordsPerMove, "Rules", "WordsPerMove", false, SettingKind::Ranged, 1, 1, 5},
    {Setting::MinWordLen, "Rules", "MinWordLen", false, SettingKind::Ranged, kMinWordLength,
     kMinWordLength, 6, FromDict::Shortest, FromDict::Shortest, FromDict::No},
    {Setting::MaxWordLen, "Rules", "MaxWordLen", false, SettingKind::Ranged, kMaxWordLength, 3,
     kMaxWordLength, FromDict::Longest, FromDict::No, FromDict::Longest},
    {Setting::Directions,
     "Rules",
     "Directions",
     false,
     SettingKind::Own,
     0,
     0,
     0,
     {},
     {},
     {},
     "11110000"},
    {Setting::UseJoker, "Rules", "UseJoker", false, SettingKind::Flag, 0, 0, 1},
    {Setting::AllowCrossings, "Rules", "AllowCrossings", false, SettingKind::Flag, 0, 0, 1},
    {Setting::AllowExWords, "Rules", "AllowExWords", false, SettingKind::Flag, 0, 0, 1},
    {Setting::SecMove, "Additional", "SecMove", false, SettingKind::Ranged, 0, 0, 3600},
    {Setting::SecBonus, "Additional", "SecBonus", false, SettingKind::Ranged, 0, 0, 900},
    {Setting::SecFine, "Additional", "SecFine", false, SettingKind::Ranged, 0, 0, 900},
    {Setting::AcceptAllWords, "Additional", "AcceptAllWords", false, SettingKind::Flag, 0, 0, 1},
    {Setting::ComputerPace, "Additional", "ComputerPace", false, SettingKind::Ranged,
     kDefaultComputerPace, 0, kMaxComputerPace},
    // Seconds a player at another computer may take for a move in the window's server; 0: none.
    {Setting::ClientMoveLimit, "Additional", "ClientMoveLimit", false, SettingKind::Ranged, 0, 0,
     kMaxClientMoveLimit},
    {Setting::Language, "Additional", "Language", false, SettingKind::Own, 0, 0, 0},
    {Setting::Scale, "Additional", "Scale", false, SettingKind::Own, 0, 0, 0, {}, {}, {}, "1"},
    // The window's server opens a room at the relay (host[:port]) instead of listening.
    {Setting::UseRelay, "Additional", "UseRelay", false, SettingKind::Flag, 0, 0, 1},
    {Setting::Relay, "Additional", "Relay", false, SettingKind::Own, 0, 0, 0},
}};

constexpr const SettingSpec& SpecOf(Setting setting) {
    return kSettingsSchema[static_cast<std::size_t>(setting)];
}

struct SettingRange {
    long min = 0, max = 0;
    constexpr bool Contains(long v) const { return v >= min && v <= max; }
};

// The widest range, whatever the dictionary: what a value from elsewhere (a network line, an
// option) must lie within before the dictionary is known.
constexpr SettingRange RangeOf(Setting setting) {
    return {SpecOf(setting).min, SpecOf(setting).max};
}

// The range and the default with this dictionary.
SettingRange RangeOf(Setting setting, const TDictInfo& dict);
long DefaultOf(Setting setting, const TDictInfo& dict);

// The key in the file: "Count", or for a seat's key "Name3".
std::string KeyOf(Setting setting, int seat = 0);

// The section of the key.
constexpr std::string_view SectionOf(Setting setting) {
    return SpecOf(setting).section;
}

}  // namespace tq
