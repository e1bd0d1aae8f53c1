// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's "selfplay" command, run as a user would: in a start folder.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "test_support.h"

namespace {

using nlohmann::json;
using tq::test::RunCli;

std::vector<json> JsonLines(const std::string& out) {
    std::vector<json> games;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) games.push_back(json::parse(line));
    return games;
}

// The code points of a UTF-8 text.
std::u32string CodePoints(const std::string& utf8) {
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t cp = n == 1 ? b : b & (0x3F >> (n - 1));
        for (int k = 1; k < n; ++k) cp = cp << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        out += cp;
        i += n;
    }
    return out;
}

TEST(CliSelfPlay, JsonGamesReplayOnTheirField) {
    const std::string args = "selfplay --json --seed 11 --games 3 --seats 7,3 --size 4x4 --joker 1";
    const tq::test::CliRun r = RunCli(TESSAROON_START_FOLDER, args);
    ASSERT_EQ(r.status, 0) << r.out;
    const std::vector<json> games = JsonLines(r.out);
    ASSERT_EQ(games.size(), 3u);
    for (const json& g : games) {
        const json& s = g["settings"];
        EXPECT_EQ(s["cols"], 4);
        EXPECT_EQ(s["rows"], 4);
        EXPECT_EQ(s["useJoker"], true);
        ASSERT_EQ(s["seats"].size(), 2u);
        EXPECT_EQ(s["seats"][1]["skill"], 3);
        EXPECT_EQ(s["language"], "rus");

        // The field, one code point a cell, from the placed initial word on the middle row.
        std::u32string field[4][4];
        const std::u32string placed = CodePoints(g["initialWordPlaced"]);
        ASSERT_EQ(placed.size(), 4u);
        EXPECT_EQ(std::count(placed.begin(), placed.end(), U'?'), 1);
        for (int c = 0; c < 4; ++c) field[c][1] = placed.substr(c, 1);

        const json& moves = g["moves"];
        ASSERT_EQ(moves.size(), 12u);
        int wordPoints[3] = {0, 0, 0};
        for (std::size_t i = 0; i < moves.size(); ++i) {
            const json& m = moves[i];
            EXPECT_EQ(m["round"], i / 2 + 1);
            EXPECT_EQ(m["seat"], i % 2 + 1);
            const int col = m["column"], row = m["row"];
            ASSERT_TRUE(field[col][row].empty()) << "cell filled twice";
            const std::u32string letter = CodePoints(m["letter"]);
            ASSERT_EQ(letter.size(), 1u);
            EXPECT_TRUE(letter[0] >= U'\u0410' && letter[0] <= U'\u042F');
            field[col][row] = letter;
            const std::u32string word = CodePoints(m["word"]);
            const std::string chain = m["chain"];
            if (word.empty()) {
                EXPECT_EQ(chain, std::to_string(col) + std::to_string(row) + ":");
                EXPECT_EQ(m["points"], 0);
                continue;
            }
            // The chain reads the word through the new cell; the joker stands for any letter.
            ASSERT_EQ(chain.size(), 3 * word.size());
            bool throughNew = false;
            for (std::size_t k = 0; k < word.size(); ++k) {
                const int c = chain[3 * k] - '0', rr = chain[3 * k + 1] - '0';
                throughNew = throughNew || (c == col && rr == row);
                if (field[c][rr] != U"?") {
                    EXPECT_EQ(field[c][rr][0], word[k]);
                }
            }
            EXPECT_TRUE(throughNew);
            EXPECT_EQ(m["points"], 10 * static_cast<int>(word.size()));
            wordPoints[int(m["seat"])] += m["points"].get<int>();
        }
        for (int seat = 1; seat <= 2; ++seat) {
            EXPECT_EQ(g["totals"][seat - 1]["wordPoints"], wordPoints[seat]);
            EXPECT_EQ(g["totals"][seat - 1]["total"], wordPoints[seat]);
        }
    }
    // The same seed plays the same games.
    EXPECT_EQ(RunCli(TESSAROON_START_FOLDER, args).out, r.out);
    // Game i alone, from its own seed, is game i again.
    const tq::test::CliRun third = RunCli(
        TESSAROON_START_FOLDER, "selfplay --json --seed 13 --seats 7,3 --size 4x4 --joker 1");
    json alone = JsonLines(third.out).at(0);
    json again = games[2];
    alone.erase("game");
    again.erase("game");
    EXPECT_EQ(alone, again);
}

TEST(CliSelfPlay, TablesTotalsAndWins) {
    const tq::test::CliRun r =
        RunCli(TESSAROON_START_FOLDER, "selfplay --seed 4 --games 2 --size 3x3 --words-per-move 3");
    ASSERT_EQ(r.status, 0) << r.out;
    for (const char* text : {"Game 1 (seed 4)", "Game 2 (seed 5)", "Points  Letter",
                             "Totals:", "Wins over 2 games:", "draws: "})
        EXPECT_NE(r.out.find(text), std::string::npos) << text << " not in\n" << r.out;
}

TEST(CliSelfPlay, EnglishStartFolder) {
    tq::test::TempDir dir;
    std::filesystem::create_directories(dir / "Dicts");
    std::filesystem::copy_file(
        std::filesystem::path(TESSAROON_START_FOLDER) / "Dicts" / "General_eng.txt",
        dir / "Dicts" / "General_eng.txt");
    tq::test::WriteFile(dir / "Tessaroon.ini",
                        "[General]\r\nDict=General_eng\r\n[Players]\r\nCount=3\r\nType1=0\r\n"
                        "[Field]\r\nColCount=4\r\nRowCount=4\r\n");
    const tq::test::CliRun r = RunCli(dir.path(), "selfplay --json --seed 1");
    ASSERT_EQ(r.status, 0) << r.out;
    const json g = JsonLines(r.out).at(0);
    EXPECT_EQ(g["settings"]["language"], "eng");
    EXPECT_EQ(g["settings"]["seats"].size(), 3u);
    EXPECT_EQ(g["moves"].size(), 12u);
}

TEST(CliSelfPlay, BadOptionsAreRefusedClearly) {
    struct Case {
        const char* args;
        const char* message;
    };
    for (const Case& c :
         {Case{"--seats 7,7,7 --size 5x5", "do not divide into turns"},
          Case{"--size 11x5", "--size takes CxR"}, Case{"--seats 7,8", "skills 1..7"},
          Case{"--seats 7", "2 to 5 seats"}, Case{"--games 0", "--games must be"},
          Case{"--games", "needs a value"}, Case{"--directions 00000000", "at least one 1"},
          Case{"--min-len 5 --max-len 4", "above --max-len"}, Case{"--joker yes", "0 or 1"},
          Case{"--frobnicate", "unknown option"}}) {
        const tq::test::CliRun r =
            RunCli(TESSAROON_START_FOLDER, std::string("selfplay ") + c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_NE(r.out.find(c.message), std::string::npos) << c.args << ": " << r.out;
    }
    tq::test::TempDir empty;
    EXPECT_EQ(RunCli(empty.path(), "selfplay").status, 1);
}

}  // namespace
