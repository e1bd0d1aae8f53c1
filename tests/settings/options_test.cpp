// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/options.h"

#include <gtest/gtest.h>

#include <functional>

#include "settings/settings_file.h"

namespace tq {
namespace {

TDictInfo Dict(int shortest = 2, int longest = 24) {
    TDictInfo d;
    d.ShortestLen = static_cast<uint8_t>(shortest);
    d.LongestLen = static_cast<uint8_t>(longest);
    return d;
}

// The dialog's values as the shipped settings leave them: 5 x 5, one human against a computer.
GameSettings Values() {
    GameSettings s;
    s.Count = 2;
    for (int seat = 1; seat <= kMaxSeats; ++seat)
        s.Seat(seat).Name = std::string("P") + char('0' + seat);
    s.Seat(1).Type = PlayerType::Human;
    return s;
}

TEST(OptionsChecks, TableOfCases) {
    struct Case {
        const char* what;
        std::function<void(GameSettings&)> change;
        std::string_view message;  // empty: passes
        std::optional<OptionsPage> page;
    };
    const Case cases[] = {
        {"shipped values", [](GameSettings&) {}, "", std::nullopt},
        {"5x5, 3 players: 20 cells, 3 words a round", [](GameSettings& s) { s.Count = 3; },
         msg::IncorrectParameters, std::nullopt},
        {"5x5, 4 players", [](GameSettings& s) { s.Count = 4; }, "", std::nullopt},
        {"4x4, 3 players, 2 words: 12 cells, 6 words a round",
         [](GameSettings& s) {
             s.ColCount = s.RowCount = 4;
             s.Count = 3;
             s.WordsPerMove = 2;
         },
         "", std::nullopt},
        {"the fair turn comes before an empty name",
         [](GameSettings& s) {
             s.Count = 3;
             s.Seat(1).Name.clear();
             s.Directions = "00000000";
         },
         msg::IncorrectParameters, std::nullopt},
        {"empty name of a seat in play",
         [](GameSettings& s) {
             s.Count = 4;
             s.Seat(3).Name.clear();
         },
         msg::NamesMissing, OptionsPage::Players},
        // Names that differ from others only by blanks, or that hold what no name may.
        {"a lone blank as a name", [](GameSettings& s) { s.Seat(2).Name = ' '; }, msg::NamesMissing,
         OptionsPage::Players},
        {"a blank after a name", [](GameSettings& s) { s.Seat(1).Name = "Ann "; },
         msg::NamesMissing, OptionsPage::Players},
        {"two blanks in a row", [](GameSettings& s) { s.Seat(1).Name = "Ann  Lee"; },
         msg::NamesMissing, OptionsPage::Players},
        {"a byte code page 1251 leaves undefined",
         [](GameSettings& s) { s.Seat(1).Name = "A\x98"; }, msg::NamesMissing,
         OptionsPage::Players},
        {"one blank inside a name", [](GameSettings& s) { s.Seat(1).Name = "Ann Lee"; }, "",
         std::nullopt},
        {"empty name of a hidden seat",
         [](GameSettings& s) {
             s.Count = 4;
             s.Seat(5).Name.clear();
         },
         "", std::nullopt},
        {"no direction", [](GameSettings& s) { s.Directions = "00000000"; }, msg::NoDirections,
         OptionsPage::Rules},
        {"a name comes before the directions",
         [](GameSettings& s) {
             s.Seat(2).Name.clear();
             s.Directions = "00000000";
         },
         msg::NamesMissing, OptionsPage::Players},
        {"one diagonal direction", [](GameSettings& s) { s.Directions = "00000001"; }, "",
         std::nullopt},
        {"rated, no human",
         [](GameSettings& s) {
             s.RatedGame = true;
             s.Seat(1).Type = PlayerType::Computer;
         },
         msg::NoHuman, OptionsPage::Players},
        {"rated, two humans",
         [](GameSettings& s) {
             s.RatedGame = true;
             s.Seat(2).Type = PlayerType::Human;
         },
         msg::OneHumanOnly, OptionsPage::Players},
        {"rated, a human beyond the count does not count",
         [](GameSettings& s) {
             s.RatedGame = true;
             s.Seat(3).Type = PlayerType::Human;
         },
         "", std::nullopt},
        {"rated tick hidden in server mode",
         [](GameSettings& s) {
             s.Mode = GameMode::Server;
             s.RatedGame = true;
             s.Seat(1).Type = PlayerType::Client;
         },
         "", std::nullopt},
        {"not rated, no human", [](GameSettings& s) { s.Seat(1).Type = PlayerType::Computer; }, "",
         std::nullopt},
    };
    for (const Case& c : cases) {
        GameSettings s = Values();
        c.change(s);
        const auto refusal = CheckOptions(s);
        if (c.message.empty()) {
            EXPECT_FALSE(refusal) << c.what << ": " << refusal->message;
            continue;
        }
        ASSERT_TRUE(refusal) << c.what;
        EXPECT_EQ(refusal->message, c.message) << c.what;
        EXPECT_EQ(refusal->page, c.page) << c.what;
    }
}

TEST(OptionsRated, TickSetsTheRuleValuesAndLeavesTheSeats) {
    GameSettings s = Values();
    s.ColCount = s.RowCount = 7;
    s.WordsPerMove = 3;
    s.MinWordLen = 5;
    s.MaxWordLen = 6;
    s.Directions = "10100101";
    s.UseJoker = s.AllowCrossings = s.AllowExWords = s.AcceptAllWords = true;
    s.SecBonus = s.SecFine = 900;
    s.Seat(2).Type = PlayerType::Human;

    GameSettings four = s;
    TickRatedGame(four, Dict(2, 21), false);
    EXPECT_EQ(four.WordsPerMove, 1);
    EXPECT_EQ(four.MinWordLen, 3);
    EXPECT_EQ(four.MaxWordLen, 21);
    EXPECT_EQ(four.Directions, "11110000");
    EXPECT_FALSE(four.UseJoker || four.AllowCrossings || four.AllowExWords || four.AcceptAllWords);
    EXPECT_EQ(four.SecMove, 180);  // 7 x 7
    EXPECT_EQ(four.SecBonus, 40);
    EXPECT_EQ(four.SecFine, 40);
    EXPECT_EQ(four.Seat(2).Type, PlayerType::Human) << "the checks refuse, the tick does not fix";

    GameSettings eight = s;
    TickRatedGame(eight, Dict(2, 21), true);
    EXPECT_EQ(eight.Directions, "11111111");

    // Apply imposes the values again but keeps the boxes' directions.
    GameSettings applied = s;
    ImposeRatedRuleValues(applied, Dict(2, 21));
    EXPECT_EQ(applied.Directions, "10100101");
    EXPECT_EQ(applied.SecMove, 180);
}

TEST(OptionsLengths, TheOtherLengthFollows) {
    struct Case {
        bool minChanged;
        int min, max;
        WordLengths expected;
    };
    const Case cases[] = {
        {true, 5, 4, {5, 5}},  {true, 3, 8, {3, 8}},  {true, 6, 6, {6, 6}},
        {false, 5, 4, {4, 4}}, {false, 3, 8, {3, 8}}, {false, 2, 3, {2, 3}},
    };
    for (const Case& c : cases) {
        const WordLengths got =
            c.minChanged ? MinLengthChanged(c.min, c.max) : MaxLengthChanged(c.min, c.max);
        EXPECT_EQ(got, c.expected)
            << (c.minChanged ? "min" : "max") << " " << c.min << "-" << c.max;
    }
}

TEST(OptionsKeys, LimitsAndCommas) {
    struct Case {
        TypedText field;
        std::size_t length;
        char key;
        bool accepted;
    };
    const Case cases[] = {
        {TypedText::SeatName, 11, 'A', true},
        {TypedText::SeatName, 12, 'A', false},
        {TypedText::SeatName, 12, '\b', true},
        {TypedText::SeatName, 0, ',', false},
        {TypedText::OwnName, 11, 'z', true},
        {TypedText::OwnName, 12, 'z', false},
        {TypedText::OwnName, 12, '\b', true},
        {TypedText::OwnName, 3, ',', false},
        {TypedText::ServerName, 14, '.', true},
        // "192.168.100.200:16282" and longer host names with a port fit.
        {TypedText::ServerName, 15, ':', true},
        {TypedText::ServerName, 258, '1', true},
        {TypedText::ServerName, 259, '1', false},
        {TypedText::ServerName, 259, '\b', true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyAccepted(c.field, c.length, c.key), c.accepted)
            << int(c.field) << " at " << c.length << " key " << int(c.key);
}

TEST(OptionsModes, WhatEachModeShows) {
    const ModeView general = ViewForMode(GameMode::General);
    EXPECT_TRUE(general.ratedGame && general.applyButton && general.saveButton &&
                general.seatsAndField);
    EXPECT_FALSE(general.connectionPanel || general.messagePanel || general.clientType);
    EXPECT_FALSE(general.rulesAndTimes.has_value()) << "the rated-game handling decides";

    const ModeView client = ViewForMode(GameMode::Client);
    EXPECT_TRUE(client.connectionPanel && client.messagePanel && client.clientType);
    EXPECT_FALSE(client.ratedGame || client.applyButton || client.saveButton ||
                 client.seatsAndField);
    EXPECT_EQ(client.rulesAndTimes, false);

    const ModeView server = ViewForMode(GameMode::Server);
    EXPECT_TRUE(server.messagePanel && server.applyButton && server.seatsAndField &&
                server.clientType);
    EXPECT_FALSE(server.connectionPanel || server.ratedGame || server.saveButton);
    EXPECT_EQ(server.rulesAndTimes, true);
}

TEST(OptionsPreview, CentredWithTruncatedHalves) {
    EXPECT_EQ(PreviewPlacement(180, 180, 10, 10), (PreviewOrigin{5, 5}));
    EXPECT_EQ(PreviewPlacement(180, 180, 5, 5), (PreviewOrigin{47, 47}));  // 95 / 2
    EXPECT_EQ(PreviewPlacement(181, 170, 3, 10), (PreviewOrigin{65, 0}));
}

TEST(OptionsApply, CopiesTheSeatsInPlayAndImposesRatedValues) {
    GameSettings target = Values();
    target.Seat(4).Name = "Stays";
    target.InitialWord = "STONE";

    GameSettings values = Values();
    values.Count = 3;
    values.ColCount = 4;
    values.RowCount = 4;
    values.Seat(1) = TPlayers{"Ann", 0x123456, PlayerType::Human, 7};
    values.Seat(3).Type = PlayerType::Human;
    values.Seat(4).Name = "Ignored";
    values.Directions = "11111111";
    values.SecMove = 30;
    values.SecBonus = 10;
    values.ClientMoveLimit = 90;
    values.MinWordLen = 4;
    values.UseJoker = true;

    GameSettings plain = target;
    ApplyOptions(plain, values, Dict());
    EXPECT_EQ(plain.Count, 3);
    EXPECT_EQ(plain.Seat(1).Name, "Ann");
    EXPECT_EQ(plain.Seat(1).Color, 0x123456u);
    EXPECT_EQ(plain.Seat(1).Skill, 7);
    EXPECT_EQ(plain.Seat(3).Type, PlayerType::Human);
    EXPECT_EQ(plain.Seat(4).Name, "Stays");
    EXPECT_EQ(plain.ColCount, 4);
    EXPECT_TRUE(plain.InitialWord.empty());
    EXPECT_EQ(plain.MinWordLen, 4);
    EXPECT_TRUE(plain.UseJoker);
    EXPECT_EQ(plain.SecMove, 30);
    EXPECT_EQ(plain.ClientMoveLimit, 90);

    values.RatedGame = true;
    GameSettings rated = target;
    ApplyOptions(rated, values, Dict(2, 19));
    EXPECT_EQ(rated.MinWordLen, 3);
    EXPECT_EQ(rated.MaxWordLen, 19);
    EXPECT_FALSE(rated.UseJoker);
    EXPECT_EQ(rated.SecMove, 90);  // 4 x 4
    EXPECT_EQ(rated.SecBonus, 40);
    EXPECT_EQ(rated.Directions, "11111111");

    values.Mode = GameMode::Server;
    GameSettings server = target;
    ApplyOptions(server, values, Dict(2, 19));
    EXPECT_EQ(server.Mode, GameMode::Server);
    EXPECT_TRUE(server.RatedGame);
    EXPECT_EQ(server.SecMove, 30) << "rated values are imposed in general mode only";
}

}  // namespace
}  // namespace tq
