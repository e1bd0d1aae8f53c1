// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's "review" command on the games of "selfplay --json", run as a user would.

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "coach/review.h"
#include "coach/review_recorder.h"
#include "core/game_flow.h"
#include "core/headless_view.h"
#include "dict/cp1251.h"
#include "test_support.h"

namespace {

using nlohmann::json;
using tq::test::RunCli;

std::vector<json> JsonLines(const std::string& out) {
    std::vector<json> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) lines.push_back(json::parse(line));
    return lines;
}

// The review the game window makes of the same game: the game played here through the game flow
// as selfplay plays it, recorded from its events.
tq::Review WindowReview(uint64_t seed, const std::vector<int>& skills, int side, bool joker,
                        std::vector<std::string>& words) {
    using namespace tq;
    GameModel model;
    EXPECT_TRUE(StartUp(model, TESSAROON_START_FOLDER).ok());
    GameSettings& s = model.Settings;
    s.Mode = GameMode::General;
    s.RatedGame = false;
    s.InitialWord.clear();
    s.Count = static_cast<uint8_t>(skills.size());
    for (int seat = 1; seat <= kMaxSeats; ++seat) s.Seat(seat).Type = PlayerType::Computer;
    for (int seat = 1; seat <= s.Count; ++seat)
        s.Seat(seat).Skill = static_cast<uint8_t>(skills[seat - 1]);
    s.ColCount = s.RowCount = static_cast<uint8_t>(side);
    s.UseJoker = joker;
    HeadlessView view;
    NullSender sender;
    GameFlow flow(model, view, sender);
    ReviewRecorder recorder(model);
    flow.Subscribe(recorder);
    model.Rng.Seed(seed);
    flow.StartNewGame();
    view.RunWakes(flow);
    for (const auto& m : recorder.Game().Moves) words.push_back(Cp1251ToUtf8(m.Made.Word));
    return ReviewOf(flow.Computer(), model.Dict, recorder.Game());
}

TEST(CliReview, MatchesTheWindowsReviewOfTheSameGames) {
    tq::test::TempDir dir;
    const tq::test::CliRun games =
        RunCli(TESSAROON_START_FOLDER,
               "selfplay --json --seed 31 --games 2 --seats 7,3,1 --size 4x4 --joker 1", false);
    ASSERT_EQ(games.status, 0) << games.out;
    std::ofstream(dir / "games.json") << games.out;

    const tq::test::CliRun r =
        RunCli(TESSAROON_START_FOLDER, "review --json '" + (dir / "games.json").string() + "'");
    ASSERT_EQ(r.status, 0) << r.out;
    const std::vector<json> reviews = JsonLines(r.out);
    const std::vector<json> played = JsonLines(games.out);
    ASSERT_EQ(reviews.size(), 2u);
    ASSERT_EQ(played.size(), 2u);
    for (int g = 0; g < 2; ++g) {
        SCOPED_TRACE("game " + std::to_string(g + 1));
        std::vector<std::string> words;
        const tq::Review expected = WindowReview(31 + g, {7, 3, 1}, 4, true, words);
        const json& moves = reviews[g]["moves"];
        // The same game: selfplay's words are the words played here.
        ASSERT_EQ(played[g]["moves"].size(), words.size());
        for (std::size_t i = 0; i < words.size(); ++i)
            if (played[g]["moves"][i]["word"] != "") {
                EXPECT_EQ(played[g]["moves"][i]["word"], words[i]);
            }
        ASSERT_EQ(moves.size(), expected.Rows.size());
        ASSERT_EQ(moves.size(), 12u);
        for (std::size_t i = 0; i < moves.size(); ++i) {
            const tq::ReviewRow& e = expected.Rows[i];
            EXPECT_EQ(moves[i]["seat"], e.Seat);
            EXPECT_EQ(moves[i]["word"], e.Played.FormsWord() ? words[i] : "");
            EXPECT_EQ(moves[i]["points"], e.Points);
            EXPECT_EQ(moves[i]["points"], played[g]["moves"][i]["points"]);
            EXPECT_EQ(moves[i]["wordPoints"], e.WordPoints);
            EXPECT_EQ(moves[i]["bestWord"], tq::Cp1251ToUtf8(e.Best.Word));
            EXPECT_EQ(moves[i]["bestPoints"], e.BestPoints);
            EXPECT_LE(e.WordPoints, e.BestPoints);
        }
        const json& seats = reviews[g]["seats"];
        ASSERT_EQ(seats.size(), expected.Seats.size());
        for (std::size_t i = 0; i < seats.size(); ++i) {
            EXPECT_EQ(seats[i]["points"], expected.Seats[i].Points);
            EXPECT_EQ(seats[i]["wordPoints"], expected.Seats[i].WordPoints);
            EXPECT_EQ(seats[i]["bestPoints"], expected.Seats[i].BestPoints);
        }
    }

    // The text form, from standard input: the same totals, one line a seat.
    const tq::test::CliRun text =
        RunCli(TESSAROON_START_FOLDER, "review < '" + (dir / "games.json").string() + "'");
    ASSERT_EQ(text.status, 0) << text.out;
    for (const json& review : reviews)
        for (const json& seat : review["seats"])
            EXPECT_NE(text.out.find(
                          "(seat " + std::to_string(seat["seat"].get<int>()) + "): " +
                          std::to_string(seat["points"].get<int>()) + " points; words made " +
                          std::to_string(seat["wordPoints"].get<int>()) + " of " +
                          std::to_string(seat["bestPoints"].get<int>()) + " possible word points"),
                      std::string::npos)
                << text.out;
}

// Lines that are not games get a clear message and a failing status; the games around them are
// still reviewed.
TEST(CliReview, RefusesWhatIsNotAGame) {
    tq::test::TempDir dir;
    const tq::test::CliRun game =
        RunCli(TESSAROON_START_FOLDER, "selfplay --json --seed 5 --size 4x4", false);
    ASSERT_EQ(game.status, 0);
    const json good = json::parse(game.out);
    auto with = [&](const std::function<void(json&)>& change) {
        json g = good;
        change(g);
        return g.dump();
    };
    struct Case {
        std::string line;
        std::string message;
    };
    const Case cases[] = {
        {"not json", "not a line of JSON: it goes wrong at character 2"},
        {"{\"game\":1}", "not a game of selfplay --json: the game has no \"settings\""},
        {with([](json& g) { g["moves"][0].erase("chain"); }), "move 1 has no \"chain\""},
        {with([](json& g) { g["settings"]["useJoker"] = 1; }), "useJoker is not true or false"},
        {with([](json& g) { g["settings"]["cols"] = 11; }), "cols is not a whole number"},
        {with([](json& g) { g["settings"]["directions"] = "1111"; }), "directions"},
        {with([](json& g) { g["moves"][0]["column"] = -1; }), "a move's column"},
        {with([](json& g) {
             g["moves"][1]["column"] = g["moves"][0]["column"];
             g["moves"][1]["row"] = g["moves"][0]["row"];
         }),
         "move 2 does not fit the field"},
        {with([](json& g) { g["settings"]["dictionary"] = "../Tessaroon"; }), "is not a file name"},
        {with([](json& g) { g["settings"]["dictionary"] = "Missing"; }), "/Dicts/Missing.tqd or "},
        // A word its chain does not read, and a chain that misses the move's cell.
        {with([](json& g) {
             for (json& m : g["moves"])
                 if (m["word"].get<std::string>().size() > 1) {
                     m["word"] = m["word"].get<std::string>() + m["word"].get<std::string>();
                     break;
                 }
         }),
         "does not fit the field: its chain "},
        {with([](json& g) {
             for (json& m : g["moves"])
                 if (m["word"].get<std::string>().size() > 1) {
                     m["chain"] = "00";
                     break;
                 }
         }),
         "does not fit the field: its chain "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.substr(0, 60));
        std::ofstream(dir / "in.json") << game.out << c.line << "\n" << game.out;
        const tq::test::CliRun r =
            RunCli(TESSAROON_START_FOLDER, "review --json '" + (dir / "in.json").string() + "'");
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.out.find("line 2: "), std::string::npos) << r.out;
        EXPECT_NE(r.out.find(c.message), std::string::npos) << r.out;
        std::size_t reviewed = 0;
        for (std::size_t at = 0; (at = r.out.find("\"bestWord\"", at)) != std::string::npos; ++at)
            ++reviewed;
        EXPECT_EQ(reviewed, 2 * good["moves"].size());
    }
    const tq::test::CliRun missing = RunCli(TESSAROON_START_FOLDER, "review no-such-file");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find("cannot open no-such-file"), std::string::npos);

    // A folder, an empty file and empty input are refused, each by name.
    std::ofstream(dir / "empty.json") << "\n  \n";
    struct Refused {
        std::string args;
        std::string message;
    };
    const Refused refused[] = {
        {"review '" + dir.path().string() + "'", dir.path().string() + " is a folder"},
        {"review '" + (dir / "empty.json").string() + "'",
         (dir / "empty.json").string() + " holds no game"},
        {"review < /dev/null", "standard input holds no game"},
    };
    for (const Refused& c : refused) {
        const tq::test::CliRun r = RunCli(TESSAROON_START_FOLDER, c.args);
        EXPECT_EQ(r.status, 1) << c.args;
        EXPECT_NE(r.out.find(c.message), std::string::npos) << r.out;
    }
}

}  // namespace
