// SPDX-License-Identifier: GPL-3.0-or-later
// The best word of a position and the review of whole games played through the game flow on the
// shipped dictionaries.

#include <gtest/gtest.h>

#include <algorithm>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/chain_rules.h"
#include "coach/review.h"
#include "coach/review_recorder.h"
#include "computer/computer_play.h"
#include "core/game_flow.h"
#include "core/headless_view.h"

namespace tq {
namespace {

const test::ShippedDictionary& Shipped(const std::string& name) {
    static std::map<std::string, std::unique_ptr<test::ShippedDictionary>> loaded;
    auto& d = loaded[name];
    if (!d) {
        d = std::make_unique<test::ShippedDictionary>();
        const Status r = test::LoadShipped(name.c_str(), *d);
        EXPECT_TRUE(r.ok()) << r.message();
    }
    return *d;
}

const ComputerPlayer& Player(const std::string& name) {
    static std::map<std::string, std::unique_ptr<ComputerPlayer>> players;
    auto& p = players[name];
    if (!p) p = std::make_unique<ComputerPlayer>(Shipped(name).words);
    return *p;
}

// A position reached by computer seats of skill `skill` from a random initial word.
struct PositionCase {
    const char* dict;
    int side;
    int letters;  // letters on the field when the position is taken
    const char* directions;
    bool exWords;
    uint64_t seed;
};

GameModel PlayTo(const PositionCase& c, int skill) {
    GameModel model;
    model.Dict = Shipped(c.dict).info;
    model.Settings.ColCount = model.Settings.RowCount = static_cast<uint8_t>(c.side);
    model.Settings.Directions = c.directions;
    model.Settings.AllowExWords = c.exWords;
    model.Settings.MinWordLen = 2;
    model.Board.Reset(c.side, c.side);
    model.Rng.Seed(c.seed);
    const auto& initial = Shipped(c.dict).words.WordsOfLength(c.side);
    const std::string word = initial[model.Rng.Int(static_cast<int>(initial.size()))];
    for (int col = 0; col < c.side && col < kMaxFieldSide; ++col)
        model.Board.Set(col, (c.side - 1) / 2, word[col]);
    model.State.FieldLetters = word;
    model.State.LetterCountOnField = static_cast<uint8_t>(c.side);
    model.State.UsedWords.Add(word);
    for (int seat = 1; model.State.LetterCountOnField < c.letters; seat = seat % 2 + 1) {
        model.State.CurrentSeat = static_cast<uint8_t>(seat);
        model.Settings.Seat(seat).Skill = static_cast<uint8_t>(skill);
        test::PlayComputerMove(Player(c.dict), model);
    }
    return model;
}

// The candidate entry "WORD<k>cc:cc:" a move stands for.
std::string EntryOf(const Move& m) {
    int k = 0;
    for (std::size_t i = 0; i < m.Chain.size(); ++i)
        if (m.Chain[i] == m.NewCell) k = static_cast<int>(i) + 1;
    return m.Word + "<" + std::to_string(k) + ">" + ChainText(m.Chain);
}

const PositionCase kPositions[] = {
    {"General_eng", 5, 5, "11110000", false, 1},   {"General_eng", 5, 14, "11111111", false, 2},
    {"General_rus", 5, 9, "11110000", true, 3},    {"General_rus", 7, 30, "11111111", false, 4},
    {"General_rus", 10, 50, "11111111", false, 5}, {"General_eng", 10, 97, "11110000", false, 6},
    {"General_rus", 10, 99, "11111111", false, 7},
};

// The best move is one of the ways a skill-7 seat sees, of the longest length it sees, and the
// same every time, whatever the seat's own skill and whatever the game's generator holds.
TEST(BestMove, IsTheSkillSevenChoiceOnEveryPosition) {
    for (const PositionCase& c : kPositions) {
        SCOPED_TRACE(std::string(c.dict) + " side " + std::to_string(c.side) + " letters " +
                     std::to_string(c.letters));
        GameModel model = PlayTo(c, 3);
        const Field before = model.Board;
        const std::string lettersBefore = model.State.FieldLetters;
        model.State.CurrentSeat = 1;
        model.Settings.Seat(1).Skill = 1;  // the seat's own skill does not matter

        std::vector<Candidate> ways;
        Random rng(1);
        Player(c.dict).FindCandidates(model.Board, model.Settings, model.State.FieldLetters,
                                      model.State.UsedWords, model.Settings.MinWordLen,
                                      model.Settings.MaxWordLen, true, 7, rng, ways);

        const Move best =
            BestMove(Player(c.dict), model.Board, model.Settings, model.State, model.Dict);
        if (ways.empty()) {
            EXPECT_TRUE(best.Word.empty()) << best.Word;
        } else {
            ASSERT_TRUE(best.FormsWord());
            EXPECT_EQ(best.Word.size(), ways.front().word.size());
            const auto way = [&](const Candidate& w) {
                return w.word == best.Word && w.cells == best.Chain &&
                       w.cells[w.newPos - 1] == best.NewCell;
            };
            EXPECT_TRUE(std::any_of(ways.begin(), ways.end(), way)) << EntryOf(best);
            EXPECT_TRUE(model.Dict.IsLetter(static_cast<unsigned char>(best.Letter)));
            EXPECT_TRUE(model.Board.IsEmpty(best.NewCell.col, best.NewCell.row));
        }
        model.Rng.Seed(c.seed + 100);
        const Move again =
            BestMove(Player(c.dict), model.Board, model.Settings, model.State, model.Dict);
        EXPECT_EQ(EntryOf(again), EntryOf(best));
        for (int col = 0; col < c.side; ++col)
            for (int row = 0; row < c.side; ++row)
                EXPECT_EQ(model.Board.At(col, row), before.At(col, row));
        EXPECT_EQ(model.State.FieldLetters, lettersBefore);
    }
}

// Watches a game: the position before each move, taken from the live model.
struct PositionWatcher : GameEvents {
    explicit PositionWatcher(const GameModel& m) : model(m) {}
    void GameStarted(const GameStartedEvent&) override { Take(); }
    void MovePlayed(const MovePlayedEvent& e) override {
        seats.push_back(e.Seat);
        points.push_back(e.Points);
        Take();
    }
    void Take() {
        boards.push_back(model.Board);
        states.push_back(model.State);
    }
    const GameModel& model;
    std::vector<Field> boards;
    std::vector<GameState> states;
    std::vector<int> seats;
    std::vector<int32_t> points;
};

struct GameCase {
    const char* dict;
    int side;
    std::vector<int> skills;
    int wordsPerMove;
    const char* directions;
    bool joker;
    bool crossings;
    uint64_t seed;
};

// Whole games of computer seats through the game flow: the review, rebuilt from the game events
// alone, names before each move the best move of the live position, a move never makes more than
// it, and a skill-7 seat always makes as much.
TEST(Review, NamesTheBestMoveOfTheLivePositionBeforeEachMove) {
    const GameCase games[] = {
        {"General_rus", 10, {7, 3, 1, 5, 7}, 1, "11111111", false, true, 21},
        {"General_eng", 5, {7, 2}, 2, "11110000", true, false, 22},
        {"General_rus", 6, {4, 7, 6}, 1, "11111111", true, false, 23},
    };
    for (const GameCase& c : games) {
        SCOPED_TRACE(std::string(c.dict) + " seed " + std::to_string(c.seed));
        GameModel model;
        model.Dict = Shipped(c.dict).info;
        ASSERT_TRUE(LoadDictionary(std::filesystem::path(TESSAROON_START_FOLDER) / "Dicts",
                                   model.Words, model.Dict)
                        .ok());
        GameSettings& s = model.Settings;
        s.Count = static_cast<uint8_t>(c.skills.size());
        for (int seat = 1; seat <= s.Count; ++seat) {
            s.Seat(seat).Type = PlayerType::Computer;
            s.Seat(seat).Skill = static_cast<uint8_t>(c.skills[seat - 1]);
        }
        s.ColCount = s.RowCount = static_cast<uint8_t>(c.side);
        s.WordsPerMove = static_cast<uint8_t>(c.wordsPerMove);
        s.Directions = c.directions;
        s.UseJoker = c.joker;
        s.AllowCrossings = c.crossings;
        s.MinWordLen = 2;
        s.ComputerPace = 0;
        model.Rng.Seed(c.seed);
        HeadlessView view;
        NullSender sender;
        GameFlow flow(model, view, sender);
        ReviewRecorder recorder(model);
        PositionWatcher watcher(model);
        flow.Subscribe(recorder);
        flow.Subscribe(watcher);
        flow.StartNewGame();
        view.RunWakes(flow);
        ASSERT_EQ(flow.Phase(), GamePhase::GameOver);
        ASSERT_TRUE(recorder.Ended());

        const Review review = ReviewOf(flow.Computer(), model.Dict, recorder.Game());
        const std::size_t moves = static_cast<std::size_t>(c.side) * (c.side - 1);
        ASSERT_EQ(review.Replayed, moves);
        ASSERT_EQ(review.Rows.size(), moves);
        for (std::size_t i = 0; i < moves; ++i) {
            const ReviewRow& row = review.Rows[i];
            GameState before = watcher.states[i];
            before.CurrentSeat = static_cast<uint8_t>(watcher.seats[i]);
            const Move expected =
                BestMove(flow.Computer(), watcher.boards[i], s, before, model.Dict);
            EXPECT_EQ(row.Seat, watcher.seats[i]);
            EXPECT_EQ(row.Best.Word, expected.Word) << "move " << i + 1;
            EXPECT_EQ(row.Best.Chain, expected.Chain) << "move " << i + 1;
            EXPECT_EQ(row.BestPoints, WordPointsOf(expected.Word));
            EXPECT_EQ(row.Points, watcher.points[i]) << "move " << i + 1;
            EXPECT_EQ(row.WordPoints, WordPointsOf(row.Played.Word));
            EXPECT_LE(row.WordPoints, row.BestPoints) << "move " << i + 1 << " " << row.Played.Word;
            if (s.Seat(row.Seat).Skill == 7) {
                EXPECT_EQ(row.WordPoints, row.BestPoints);
            }
            // The row's field is the one the move was made on, not a later one.
            for (int col = 0; col < c.side; ++col)
                for (int r = 0; r < c.side; ++r)
                    ASSERT_EQ(row.Before.At(col, r), watcher.boards[i].At(col, r))
                        << "move " << i + 1 << " cell " << col << "," << r;
        }
        // Per seat: the sums of its rows, and its word points as the game counted them.
        ASSERT_EQ(review.Seats.size(), c.skills.size());
        for (const SeatReview& seat : review.Seats) {
            int32_t made = 0, words = 0, possible = 0;
            for (const ReviewRow& row : review.Rows)
                if (row.Seat == seat.Seat)
                    made += row.Points, words += row.WordPoints, possible += row.BestPoints;
            EXPECT_EQ(seat.Points, made);
            EXPECT_EQ(seat.WordPoints, words);
            EXPECT_EQ(seat.BestPoints, possible);
            EXPECT_EQ(seat.WordPoints, model.State.Score(seat.Seat).WordPoints);
        }
    }
}

// Only the picked seats are reviewed, with the hints they took; a move that does not fit the
// field ends the replay there.
TEST(Review, PicksSeatsMarksHintsAndStopsAtAMoveThatDoesNotFit) {
    GameModel model;
    model.Dict = Shipped("General_eng").info;
    ReviewGame game;
    game.Settings.Count = 2;
    game.DrawnWord = game.PlacedWord = "STONE";
    auto move = [](int seat, const char* word, char letter, Cell cell, const char* chain) {
        ReviewGame::PlayedMove m;
        m.Seat = seat;
        m.Source = MoveSource::Human;
        m.Made = Move{word, letter, cell, {}};
        ReadChain(m, chain);
        return m;
    };
    game.Moves = {move(1, "STONES", 'S', {4, 1}, "02:12:22:32:42:41"),
                  move(2, "N", 'N', {4, 3}, "43"),
                  move(1, "X", 'X', {4, 3}, "43"),  // the cell is taken
                  move(2, "Y", 'Y', {0, 0}, "00")};
    game.Moves[0].Hint = true;
    game.Moves[0].Points = 63;  // a bonus of 3
    const Review review =
        ReviewOf(Player("General_eng"), model.Dict, game, [](int seat) { return seat == 1; });
    EXPECT_EQ(review.Replayed, 2u);
    EXPECT_EQ(review.Misfit, "its cell 43 is taken");
    ASSERT_EQ(review.Rows.size(), 1u);
    EXPECT_EQ(review.Rows[0].Seat, 1);
    EXPECT_TRUE(review.Rows[0].Hint);
    EXPECT_EQ(review.Rows[0].Points, 63);
    EXPECT_EQ(review.Rows[0].WordPoints, 60);
    ASSERT_EQ(review.Seats.size(), 1u);
    EXPECT_EQ(review.Seats[0].Hints, 1);
    EXPECT_EQ(review.Seats[0].Points, 63);
    EXPECT_EQ(
        MadeOfText(review.Seats[0]),
        "words made 60 of " + std::to_string(review.Seats[0].BestPoints) + " possible word points");
}

// A played word its chain or the field does not hold ends the replay before it, with the reason.
TEST(Review, StopsAtAWordTheFieldDoesNotHold) {
    struct Case {
        const char* word;
        char letter;
        Cell cell;
        const char* chain;
        const char* misfit;
    };
    const Case cases[] = {
        {"STONES", 'S', {4, 1}, "02:12:22:32:42:41", ""},
        {"STONES",
         'S',
         {4, 1},
         "02:12:22:32:42",
         "its chain 02:12:22:32:42: does not pass its "
         "new cell 41"},
        {"STONES", 'S', {4, 1}, "0x:12", "its chain \"0x:12\" is not a chain of cell codes"},
        {"STONES",
         'S',
         {4, 1},
         "02:12:22:32:42:41:40",
         "its chain 02:12:22:32:42:41:40: is not a chain of the field"},
        {"STONER",
         'S',
         {4, 1},
         "02:12:22:32:42:41",
         "its chain 02:12:22:32:42:41: reads STONES, "
         "not STONER"},
        {"NOTES",
         'S',
         {4, 1},
         "32:22:12:42:41",
         "its chain 32:22:12:42:41: is not a chain of "
         "the field"},
        {"STONES", 'S', {5, 1}, "02:12:22:32:42:51", "its cell (column 5, row 1) is off the field"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chain);
        ReviewGame game;
        game.Settings.Count = 1;
        game.DrawnWord = game.PlacedWord = "STONE";
        ReviewGame::PlayedMove m;
        m.Seat = 1;
        m.Made = Move{c.word, c.letter, c.cell, {}};
        ReadChain(m, c.chain);
        game.Moves = {m};
        const Review review = ReviewOf(Player("General_eng"), Shipped("General_eng").info, game);
        EXPECT_EQ(review.Misfit, c.misfit);
        EXPECT_EQ(review.Replayed, c.misfit[0] ? 0u : 1u);
    }
}

}  // namespace
}  // namespace tq
