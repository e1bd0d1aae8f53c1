// SPDX-License-Identifier: GPL-3.0-or-later
// The turn loop, scoring with the time award, the move clock, new game and the results rows.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "base/chain_rules.h"
#include "flow_fixture.h"
#include "test_support.h"

namespace tq::test {
namespace {

// --- time award -------------------------------------------------------------------------------

struct AwardCase {
    int32_t remaining, secBonus, secFine;
    int16_t award;
};

class TimeAwardTest : public ::testing::TestWithParam<AwardCase> {};

TEST_P(TimeAwardTest, BonusAndFine) {
    const AwardCase& c = GetParam();
    EXPECT_EQ(GameFlow::TimeAwardFor(c.remaining, c.secBonus, c.secFine), c.award)
        << c.remaining << " " << c.secBonus << " " << c.secFine;
}

// SecMove 60: answered after 25 s (35 left), 60 s, 61 s, 70 s, 79 s, 80 s.
INSTANTIATE_TEST_SUITE_P(Awards, TimeAwardTest,
                         ::testing::Values(AwardCase{35, 10, 10, 3}, AwardCase{0, 10, 10, 0},
                                           AwardCase{-1, 10, 10, -1}, AwardCase{-9, 10, 10, -1},
                                           AwardCase{-10, 10, 10, -2}, AwardCase{-19, 10, 10, -2},
                                           AwardCase{-20, 10, 10, -3}, AwardCase{9, 10, 10, 0},
                                           AwardCase{3600, 0, 10, 0}, AwardCase{-3600, 10, 0, 0},
                                           AwardCase{3600, 1, 1, 3600},
                                           // Hours over time: the most a 16-bit award holds.
                                           AwardCase{-2000000000, 1, 1, -32768}));

struct ScoredCase {
    int32_t remaining;
    int bonus, fine;
    const char* points;
};

class ScoreMoveTest : public FlowTest, public ::testing::WithParamInterface<ScoredCase> {};

TEST_P(ScoreMoveTest, AwardIsCreditedAndShownInTheRow) {
    const ScoredCase& c = GetParam();
    model.Settings.SecMove = 60;
    model.Settings.SecBonus = 10;
    model.Settings.SecFine = 10;
    NewGame();
    EXPECT_TRUE(view.clockVisible);
    EXPECT_TRUE(view.clockTimer);
    EXPECT_TRUE(Flow().Clock().Running());
    Flow().Clock().Suspend();
    Flow().Clock().SetRemaining(c.remaining);
    Put({1, 1}, 'T');
    Mark({H, O, {1, 1}});
    Flow().AcceptWord();
    EXPECT_EQ(model.State.TimeAward, c.bonus - c.fine);
    EXPECT_EQ(model.State.Score(1).BonusPoints, c.bonus);
    EXPECT_EQ(model.State.Score(1).FinePoints, c.fine);
    EXPECT_EQ(model.State.Score(1).WordPoints, 30);
    EXPECT_EQ(view.results[0].points, c.points);
    // Seat 2 is human too: its clock starts afresh.
    EXPECT_EQ(Flow().Clock().Remaining(), 60);
}

INSTANTIATE_TEST_SUITE_P(Scores, ScoreMoveTest,
                         ::testing::Values(ScoredCase{35, 3, 0, "33"}, ScoredCase{0, 0, 0, "30"},
                                           ScoredCase{-1, 0, 1, "29"}, ScoredCase{-10, 0, 2, "28"},
                                           ScoredCase{-20, 0, 3, "27"}));

TEST_F(FlowTest, MoveWithoutAWordStillGetsItsTimeAward) {
    model.Settings.SecMove = 60;
    model.Settings.SecBonus = 10;
    NewGame();
    Flow().Clock().Suspend();
    Flow().Clock().SetRemaining(50);
    Put({1, 1}, 'T');
    Mark({{1, 1}});
    Flow().AcceptWord();
    EXPECT_EQ(view.results[0].word, "----");
    EXPECT_EQ(view.results[0].points, "5");
    EXPECT_EQ(model.State.Score(1).WordPoints, 0);
    EXPECT_EQ(model.State.Score(1).BonusPoints, 5);
}

// --- the clock label --------------------------------------------------------------------------

struct ClockCase {
    int32_t seconds;
    const char* text;
    uint32_t colour;
};

class ClockLabelTest : public ::testing::TestWithParam<ClockCase> {};

TEST_P(ClockLabelTest, TextAndColour) {
    EXPECT_EQ(GameFlow::ClockText(GetParam().seconds), GetParam().text);
    EXPECT_EQ(GameFlow::ClockColour(GetParam().seconds), GetParam().colour);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, ClockLabelTest,
    ::testing::Values(ClockCase{65, "01:05", 25600}, ClockCase{61, "01:01", 25600},
                      ClockCase{60, "01:00", 30850}, ClockCase{59, "00:59", 30850},
                      ClockCase{1, "00:01", 30850}, ClockCase{0, "00:00", 128},
                      ClockCase{-7, "+00:07", 128}, ClockCase{3600, "60:00", 25600},
                      ClockCase{-6000, "+100:00", 128}));

TEST_F(FlowTest, ClockTickShowsTheCounter) {
    model.Settings.SecMove = 600;
    NewGame();
    Flow().Clock().Suspend();
    Flow().Clock().SetRemaining(-7);
    Flow().ClockTick();
    EXPECT_EQ(view.clockText, "+00:07");
    EXPECT_EQ(view.clockColour, 128u);
}

TEST_F(FlowTest, NoClockWithoutMoveTime) {
    NewGame();
    EXPECT_FALSE(view.clockVisible);
    EXPECT_FALSE(view.clockTimer);
    EXPECT_FALSE(Flow().Clock().Running());
}

// --- whole games between computer seats --------------------------------------------------------

struct GameShape {
    int count, cols, rows, wordsPerMove, rounds;
};

class WholeGameTest : public FlowTest, public ::testing::WithParamInterface<GameShape> {};

TEST_P(WholeGameTest, SeatsMoveInOrderUntilTheFieldIsFull) {
    const GameShape& g = GetParam();
    GameSettings& s = model.Settings;
    s.Count = static_cast<uint8_t>(g.count);
    s.ColCount = static_cast<uint8_t>(g.cols);
    s.RowCount = static_cast<uint8_t>(g.rows);
    s.WordsPerMove = static_cast<uint8_t>(g.wordsPerMove);
    for (int seat = 1; seat <= g.count; ++seat) s.Seat(seat).Type = PlayerType::Computer;
    struct Turn {
        int round, seat, word;
    };
    std::vector<Turn> turns;
    view.onResultRow = [&](int) {
        turns.push_back({model.State.Round, model.State.CurrentSeat, model.State.MoveWord});
    };
    NewGame();

    EXPECT_EQ(model.State.RoundCount, g.rounds);
    EXPECT_EQ(Flow().Phase(), GamePhase::GameOver);
    EXPECT_EQ(view.statusDialogs, 1);
    EXPECT_EQ(model.State.LetterCountOnField, g.cols * g.rows);
    for (int c = 0; c < g.cols; ++c)
        for (int r = 0; r < g.rows; ++r) EXPECT_NE(model.Board.At(c, r), kEmptyCell);
    const int moves = g.cols * (g.rows - 1);
    ASSERT_EQ(static_cast<int>(turns.size()), moves);
    ASSERT_EQ(static_cast<int>(view.rowOrder.size()), moves);
    for (int i = 0; i < moves; ++i) {
        // Each seat makes its WordsPerMove moves in a row, seats in order 1..Count.
        const int turn = i / g.wordsPerMove;
        EXPECT_EQ(turns[i].round, turn / g.count + 1) << i;
        EXPECT_EQ(turns[i].seat, turn % g.count + 1) << i;
        EXPECT_EQ(turns[i].word, i % g.wordsPerMove + 1) << i;
        EXPECT_EQ(view.rowOrder[i], i);
        EXPECT_EQ(view.results[i].colour, s.Seat(turn % g.count + 1).Color) << i;
    }
    EXPECT_EQ(model.State.PlayedPaths.size(), static_cast<std::size_t>(moves));
}

INSTANTIATE_TEST_SUITE_P(Shapes, WholeGameTest,
                         ::testing::Values(GameShape{2, 5, 5, 1, 10}, GameShape{4, 5, 5, 1, 5},
                                           GameShape{2, 5, 5, 2, 5}, GameShape{3, 4, 4, 1, 4},
                                           GameShape{2, 6, 6, 3, 5}, GameShape{5, 10, 10, 2, 9},
                                           GameShape{2, 3, 3, 1, 3}));

// --- the row a move lands in ------------------------------------------------------------------

struct RowCase {
    int count, wordsPerMove, round, seat, word, row;
};

class ResultRowTest : public FlowTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(ResultRowTest, RowAndItsSeat) {
    const RowCase& c = GetParam();
    model.Settings.Count = static_cast<uint8_t>(c.count);
    model.Settings.WordsPerMove = static_cast<uint8_t>(c.wordsPerMove);
    model.State.Round = static_cast<uint8_t>(c.round);
    model.State.CurrentSeat = static_cast<uint8_t>(c.seat);
    model.State.MoveWord = static_cast<uint8_t>(c.word);
    EXPECT_EQ(Flow().ResultRow(), c.row);
    EXPECT_EQ(Flow().SeatOfRow(c.row), c.seat);
}

INSTANTIATE_TEST_SUITE_P(Rows, ResultRowTest,
                         ::testing::Values(RowCase{2, 1, 1, 1, 1, 0}, RowCase{2, 1, 1, 2, 1, 1},
                                           RowCase{2, 1, 2, 1, 1, 2}, RowCase{2, 2, 1, 1, 2, 1},
                                           RowCase{2, 2, 1, 2, 1, 2}, RowCase{2, 2, 2, 1, 1, 4},
                                           RowCase{3, 3, 2, 3, 3, 17}, RowCase{5, 5, 4, 5, 5, 99}));

// --- stopping the game during a computer move --------------------------------------------------

struct StopCase {
    const char* name;
    std::function<void(GameFlow&)> act;
    friend void PrintTo(const StopCase& c, std::ostream* os) { *os << c.name; }
};

class StopTest : public FlowTest, public ::testing::WithParamInterface<StopCase> {};

TEST_P(StopTest, GameStopsAfterTheCurrentComputerMove) {
    model.Settings.Seat(1).Type = PlayerType::Computer;
    model.Settings.Seat(2).Type = PlayerType::Computer;
    bool acted = false;
    view.onWake = [&] {
        // Events between the computer's wake-ups: after the second computer move.
        if (view.results.size() == 2 && !acted) {
            acted = true;
            ASSERT_EQ(Flow().Phase(), GamePhase::ComputerThinking);
            EXPECT_FALSE(Flow().CanStartNewGame());
            GetParam().act(Flow());
        }
    };
    NewGame();
    EXPECT_EQ(Flow().Phase(), GamePhase::GameOver);
    EXPECT_EQ(view.results.size(), 2u);
    EXPECT_EQ(view.statusDialogs, 0);
    EXPECT_TRUE(Flow().CanStartNewGame());
}

INSTANTIATE_TEST_SUITE_P(
    Stops, StopTest,
    ::testing::Values(StopCase{"RightClick",
                               [](GameFlow& f) {
                                   f.CellClick({3, 4}, MouseButton::Right, ShiftState{});
                               }},
                      StopCase{"Esc", [](GameFlow& f) { f.KeyEscape(); }},
                      StopCase{"CloseRequest",
                               [](GameFlow& f) { EXPECT_FALSE(f.CloseRequest()); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FlowTest, NoNewGameWhileTheComputerIsToMove) {
    model.Settings.Seat(2).Type = PlayerType::Computer;
    int refused = 0;
    view.onWake = [&] { refused += !Flow().CanStartNewGame(); };
    NewGame();
    Put({1, 1}, 'T');
    Mark({H, O, {1, 1}});
    Flow().AcceptWord();
    EXPECT_EQ(view.RunWakes(), 1);
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(Flow().Phase(), GamePhase::PutLetter);
    EXPECT_TRUE(Flow().CanStartNewGame());
}

TEST_F(FlowTest, NewGameStartedBetweenComputerMovesReplacesTheOldGame) {
    model.Settings.Seat(1).Type = PlayerType::Computer;
    model.Settings.Seat(2).Type = PlayerType::Computer;
    bool started = false;
    view.onWake = [&] {
        if (view.results.size() == 2 && !started) {
            started = true;
            Flow().StartNewGame();  // as the options dialog's Apply would
        }
    };
    NewGame();
    EXPECT_EQ(Flow().Phase(), GamePhase::GameOver);
    EXPECT_EQ(view.statusDialogs, 1);
    EXPECT_EQ(view.resultResets, 2);
    EXPECT_EQ(model.State.LetterCountOnField, 25);
    EXPECT_EQ(view.results.size(), 20u);
}

TEST_F(FlowTest, ClientCannotStartNewGames) {
    model.Settings.Mode = GameMode::Client;
    EXPECT_FALSE(Flow().CanStartNewGame());
}

// --- new game ---------------------------------------------------------------------------------

struct MiddleRowCase {
    int cols, rows, middle;
};

class MiddleRowTest : public FlowTest, public ::testing::WithParamInterface<MiddleRowCase> {};

TEST_P(MiddleRowTest, InitialWordLiesOnTheMiddleRow) {
    const MiddleRowCase& c = GetParam();
    model.Settings.ColCount = static_cast<uint8_t>(c.cols);
    model.Settings.RowCount = static_cast<uint8_t>(c.rows);
    NewGame();
    ASSERT_EQ(model.State.UsedWords.Size(), 1u);
    const std::string word = model.State.UsedWords.Words()[0];
    ASSERT_EQ(static_cast<int>(word.size()), c.cols);
    EXPECT_EQ(model.State.FieldLetters, word);
    EXPECT_EQ(model.State.LetterCountOnField, c.cols);
    for (int col = 0; col < c.cols; ++col) {
        EXPECT_EQ(model.Board.At(col, c.middle), word[col]);
        EXPECT_EQ(view.letters[col][c.middle], std::string(1, word[col]));
        EXPECT_TRUE(model.Dict.IsLetter(static_cast<unsigned char>(word[col])));
    }
    int occupied = 0;
    for (int col = 0; col < c.cols; ++col)
        for (int r = 0; r < c.rows; ++r) occupied += model.Board.At(col, r) != kEmptyCell;
    EXPECT_EQ(occupied, c.cols);
}

// 5 columns draw HORSE; the other widths have no word in the test store and get random letters.
INSTANTIATE_TEST_SUITE_P(Rows, MiddleRowTest,
                         ::testing::Values(MiddleRowCase{5, 5, 2}, MiddleRowCase{10, 10, 4},
                                           MiddleRowCase{4, 3, 1}, MiddleRowCase{3, 4, 1},
                                           MiddleRowCase{6, 6, 2}, MiddleRowCase{7, 8, 3},
                                           MiddleRowCase{9, 9, 4}));

TEST_F(FlowTest, InitialWordIsDrawnFromTheStoreWhenItHasOne) {
    for (int i = 0; i < 5; ++i) {
        NewGame();
        EXPECT_EQ(model.State.FieldLetters, "HORSE");
    }
    std::set<std::string> seen;
    for (int i = 0; i < 200; ++i) seen.insert(Flow().PickInitialWord(4));
    EXPECT_EQ(seen,
              (std::set<std::string>{"HERO", "HOTS", "ROSE", "ROTE", "SHOE", "SORT", "TORE"}));
}

TEST_F(FlowTest, NewGameResetsEverythingOfTheOldOne) {
    NewGame();
    Put({1, 1}, 'T');
    Mark({H, O, {1, 1}});
    Flow().AcceptWord();  // seat 1: 30 points
    Put({3, 3}, 'E');
    Mark({S, {3, 3}});
    model.State.NewRecordPlace = 3;
    NewGame();
    EXPECT_EQ(Flow().Phase(), GamePhase::PutLetter);
    EXPECT_EQ(model.State.CurrentSeat, 1);
    EXPECT_EQ(model.State.Round, 1);
    EXPECT_EQ(model.State.MoveWord, 1);
    EXPECT_EQ(model.State.NewRecordPlace, 0);
    EXPECT_EQ(model.State.Score(1).WordPoints, 0);
    EXPECT_EQ(model.State.UsedWords.Size(), 1u);
    EXPECT_TRUE(model.State.PlayedPaths.empty());
    EXPECT_TRUE(view.results.empty());
    EXPECT_EQ(view.letters[3][3], "");
    EXPECT_EQ(view.letters[1][1], "");
    EXPECT_EQ(view.MarkedCount(), 0);
    EXPECT_EQ(model.Board.At(1, 1), kEmptyCell);
    EXPECT_TRUE(view.statusButtonVisible);
}

// --- network hand-over ------------------------------------------------------------------------

TEST_F(FlowTest, ServerSendsTheGameTheTurnsAndTheMoves) {
    model.Settings.Mode = GameMode::Server;
    model.Settings.Seat(2).Type = PlayerType::Client;
    model.Settings.Seat(2).Name = "Bob";
    model.Settings.UseJoker = true;
    NewGame();
    ASSERT_EQ(sender.newGames.size(), 1u);
    const NewGameContent& ng = sender.newGames[0];
    EXPECT_EQ(ng.Count, 2);
    ASSERT_EQ(ng.Seats.size(), 2u);
    EXPECT_EQ(ng.Seats[1].Name, "Bob");
    EXPECT_EQ(ng.Seats[1].Type, PlayerType::Client);
    EXPECT_EQ(ng.InitialWord, model.State.FieldLetters);  // as placed, with its '?'
    EXPECT_NE(ng.InitialWord.find('?'), std::string::npos);
    EXPECT_TRUE(ng.UseJoker);
    EXPECT_EQ(ng.Directions, "11110000");

    Put({1, 1}, 'T');
    Mark({{1, 1}});
    Flow().AcceptWord();
    ASSERT_EQ(sender.moves.size(), 1u);
    const MoveReport& m = sender.moves[0];
    EXPECT_EQ(m.Word, "T");
    EXPECT_EQ(ChainText(m.Chain), "11:");
    EXPECT_FALSE(m.BareChain);  // a human's chain goes out as marked, with its final ':'
    EXPECT_EQ(m.Letter, 'T');
    EXPECT_EQ(m.Col, 1);
    EXPECT_EQ(m.Row, 1);
    EXPECT_EQ(sender.lines,
              (std::vector<std::string>{"NewGame " + ng.InitialWord, "UpdateMove 1,1,1",
                                        "NewMove T", "UpdateMove 1,2,1", "YourMove Bob"}));
    EXPECT_EQ(Flow().Phase(), GamePhase::AwaitRemote);
}

TEST_F(FlowTest, ServerGameOfComputersEndsWithEndGame) {
    model.Settings.Mode = GameMode::Server;
    model.Settings.Seat(1).Type = PlayerType::Computer;
    model.Settings.Seat(2).Type = PlayerType::Computer;
    NewGame();
    ASSERT_FALSE(sender.lines.empty());
    EXPECT_EQ(sender.lines.back(), "EndGame");
    EXPECT_EQ(std::count_if(sender.lines.begin(), sender.lines.end(),
                            [](const std::string& l) { return l.rfind("UpdateMove", 0) == 0; }),
              20);
    ASSERT_EQ(sender.moves.size(), 20u);
    for (const MoveReport& m : sender.moves) {
        EXPECT_EQ(m.TimeAward, 0);
        EXPECT_TRUE(m.BareChain);  // a computer's chain goes out without its final ':'
    }
    EXPECT_EQ(view.statusDialogs, 1);
}

TEST_F(FlowTest, ClientBuildsTheFieldAndReportsItsMoveWithoutAdvancing) {
    model.Settings.Mode = GameMode::Client;
    model.Settings.InitialWord = "HO?SE";
    model.Settings.UseJoker = true;
    NewGame();
    EXPECT_EQ(Flow().Phase(), GamePhase::Setup);
    EXPECT_TRUE(sender.lines.empty());
    EXPECT_EQ(model.State.FieldLetters, "HO?SE");
    EXPECT_TRUE(model.State.UsedWords.Contains("HO?SE"));
    EXPECT_TRUE(view.waits.empty());

    model.State.MoveWord = 1;  // "UpdateMove" and "YourMove//" as the client side applies them
    Flow().SetPhase(GamePhase::PutLetter);
    Put({1, 1}, 'T');
    Mark({H, O, {1, 1}});
    Flow().AcceptWord();
    EXPECT_EQ(sender.lines, std::vector<std::string>{"MyMove HOT"});
    EXPECT_EQ(sender.moves[0].WordPoints, 30);
    EXPECT_EQ(ChainText(sender.moves[0].Chain), "02:12:11:");
    EXPECT_FALSE(sender.moves[0].BareChain);
    EXPECT_EQ(Flow().Phase(), GamePhase::MoveDone);
    EXPECT_TRUE(view.waits.empty());
}

// --- the results table ------------------------------------------------------------------------

TEST_F(FlowTest, ClickedWordMarksItsCellsOnlyWhenWaitingOrOver) {
    NewGame();
    Put({1, 1}, 'T');
    Mark({H, O, {1, 1}});
    Flow().AcceptWord();  // row 0: HOT, seat 2 to move
    Put({3, 1}, 'Q');
    Mark({{3, 1}});
    Flow().AcceptWord();  // row 1: ----, seat 1 to move
    ASSERT_EQ(Flow().Phase(), GamePhase::PutLetter);

    Flow().ResultsWordClicked(0, "HOT");
    EXPECT_EQ(view.MarkedCount(), 3);
    EXPECT_EQ(Flow().CellMark(O), MarkState::Marked);
    Flow().ResultsWordClicked(1, "----");
    EXPECT_EQ(view.MarkedCount(), 1);
    EXPECT_EQ(Flow().CellMark({3, 1}), MarkState::Marked);
    EXPECT_EQ(view.results.size(), 2u);   // nothing added to the table
    Flow().ResultsWordClicked(7, "HOT");  // no such row
    Flow().ResultsWordClicked(0, "");
    EXPECT_EQ(view.MarkedCount(), 1);

    Put({1, 3}, 'E');
    Mark({{1, 3}});
    Flow().ResultsWordClicked(0, "HOT");  // while marking: the field stays as it is
    EXPECT_EQ(view.MarkedCount(), 1);
    EXPECT_EQ(Flow().CellMark({1, 3}), MarkState::Marked);
}

// --- the end of a rated game -------------------------------------------------------------------

struct RatedCase {
    const char* name;
    bool rated;
    bool recordsFolder;
    bool bigLead;  // the human seat wins by far: a record
    int recordDialogs, statusDialogs, messages;
    friend void PrintTo(const RatedCase& c, std::ostream* os) { *os << c.name; }
};

class RatedGameTest : public FlowTest, public ::testing::WithParamInterface<RatedCase> {};

TEST_P(RatedGameTest, RecordTableOrStatusDialog) {
    const RatedCase& c = GetParam();
    TempDir dir;
    if (c.recordsFolder) std::filesystem::create_directories(dir / "Records");
    model.StartFolder = dir.path();
    model.Settings.RatedGame = c.rated;
    model.Settings.ColCount = 3;
    model.Settings.RowCount = 3;
    model.Settings.Seat(2).Type = PlayerType::Computer;
    model.Settings.Seat(2).Skill = 1;
    NewGame();
    // The human seat puts letters without words until the field is full.
    while (Flow().Phase() == GamePhase::PutLetter) {
        if (c.bigLead) model.State.Score(1).WordPoints = 5000;
        Cell free{-1, -1};
        for (int col = 0; col < 3 && free.col < 0; ++col)
            for (int r = 0; r < 3 && free.col < 0; ++r)
                if (CanPutLetter(model.Board, model.Settings, {col, r})) free = {col, r};
        ASSERT_GE(free.col, 0);
        Put(free, 'Q');
        Left(free);
        Flow().AcceptWord();
        view.RunWakes();
    }
    EXPECT_EQ(Flow().Phase(), GamePhase::GameOver);
    EXPECT_EQ(view.recordDialogs, c.recordDialogs);
    EXPECT_EQ(view.statusDialogs, c.statusDialogs);
    ASSERT_EQ(static_cast<int>(view.messages.size()), c.messages);
    if (c.messages) {
        EXPECT_EQ(view.messages[0].second, MessageIcon::Warning);
    }
    EXPECT_EQ(model.State.NewRecordPlace != 0, c.recordDialogs == 1);
    EXPECT_EQ(std::filesystem::exists(dir / "Records" / "Test_eng.tqr"), c.recordDialogs == 1);
}

INSTANTIATE_TEST_SUITE_P(EndOfRatedGame, RatedGameTest,
                         ::testing::Values(RatedCase{"Record", true, true, true, 1, 0, 0},
                                           RatedCase{"NoRecord", true, true, false, 0, 1, 0},
                                           RatedCase{"RecordsFolderMissing", true, false, true, 0,
                                                     1, 1},
                                           RatedCase{"NotRated", false, true, true, 0, 1, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tq::test

// --- the status line before the first game and after the last move ----------------------------

namespace tq::test {
namespace {

TEST_F(FlowTest, StatusLineSaysHowToStartUntilTheFirstGame) {
    Flow().SetPhase(GamePhase::Idle);  // as the window does when it is built
    EXPECT_EQ(view.hint, "Press F2 to start a new game");
    EXPECT_EQ(view.hintColour, kPromptColor);
    EXPECT_TRUE(view.hintVisible);
    NewGame();
    EXPECT_EQ(view.hint, "Put a letter");
    EXPECT_TRUE(view.hintVisible);
}

struct OutcomeCase {
    const char* name;
    int count;
    std::vector<std::array<int32_t, 3>> points;  // word, bonus and fine points by seat
    const char* text;
};

class OutcomeTest : public FlowTest, public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(OutcomeTest, WinnerOrDraw) {
    const OutcomeCase& c = GetParam();
    model.Settings.Count = static_cast<uint8_t>(c.count);
    const char* names[] = {"Ann", "Bob", "Cid", "Dee", "Eve"};
    for (int seat = 1; seat <= c.count; ++seat) {
        model.Settings.Seat(seat).Name = names[seat - 1];
        SeatScore& p = model.State.Score(seat);
        p.WordPoints = c.points[seat - 1][0];
        p.BonusPoints = c.points[seat - 1][1];
        p.FinePoints = c.points[seat - 1][2];
    }
    EXPECT_EQ(Flow().OutcomeText(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Totals, OutcomeTest,
    ::testing::Values(
        OutcomeCase{"FirstSeatWins", 2, {{50, 0, 0}, {40, 0, 0}}, "Ann wins"},
        OutcomeCase{"LastSeatWins", 3, {{50, 0, 0}, {40, 0, 0}, {60, 0, 0}}, "Cid wins"},
        OutcomeCase{"Draw", 2, {{50, 0, 0}, {50, 0, 0}}, "The game is a draw"},
        OutcomeCase{"NothingScored", 2, {{0, 0, 0}, {0, 0, 0}}, "The game is a draw"},
        OutcomeCase{
            "SharedTopIsADraw", 3, {{30, 0, 0}, {50, 0, 0}, {50, 0, 0}}, "The game is a draw"},
        OutcomeCase{"TieBelowTheTopIsNoDraw", 3, {{30, 0, 0}, {30, 0, 0}, {50, 0, 0}}, "Cid wins"},
        OutcomeCase{"BonusDecides", 2, {{50, 5, 0}, {50, 0, 0}}, "Ann wins"},
        OutcomeCase{"FineDecides", 2, {{60, 0, 20}, {50, 0, 0}}, "Bob wins"},
        OutcomeCase{
            "SeatsPastTheCountDoNotPlay", 2, {{10, 0, 0}, {20, 0, 0}, {90, 0, 0}}, "Bob wins"}),
    [](const auto& info) { return std::string(info.param.name); });

// After the last move the status line names the outcome and keeps it until the next game; a
// game stopped during a computer move names none.
TEST_F(FlowTest, StatusLineNamesTheOutcomeAfterTheLastMove) {
    model.Settings.Seat(1).Type = PlayerType::Computer;
    model.Settings.Seat(2).Type = PlayerType::Computer;
    NewGame();
    ASSERT_EQ(Flow().Phase(), GamePhase::GameOver);
    const std::string outcome = Flow().OutcomeText();
    EXPECT_EQ(view.hint, outcome);
    EXPECT_TRUE(view.hintVisible);
    Flow().ResultsWordClicked(0, view.results[0].word);
    EXPECT_EQ(view.hint, outcome);
    EXPECT_TRUE(view.hintVisible);

    model.Settings.Seat(1).Type = PlayerType::Human;
    NewGame();
    EXPECT_EQ(view.hint, "Put a letter");

    model.Settings.Seat(1).Type = PlayerType::Computer;
    view.onWake = [&] {
        if (view.results.size() == 2) Flow().KeyEscape();
    };
    view.hints.clear();
    NewGame();
    EXPECT_EQ(Flow().Phase(), GamePhase::GameOver);
    for (const std::string& h : view.hints) EXPECT_NE(h, Flow().OutcomeText());
}

}  // namespace
}  // namespace tq::test

// --- pacing computer moves
// ------------------------------------------------------------------------

namespace tq::test {
namespace {

struct PaceCase {
    const char* name;
    PlayerType first, second;
    int pace;
    int waits;  // expected waits on a 5 x 5 field of 20 moves
};

class PaceTest : public FlowTest, public ::testing::WithParamInterface<PaceCase> {};

// Each computer move waits before the next computer move or the end of the game, never before a
// human's turn; a pace of 0 never waits.
TEST_P(PaceTest, ComputerMovesWaitTheirPace) {
    const PaceCase& c = GetParam();
    model.Settings.ComputerPace = c.pace;
    model.Settings.Seat(1).Type = c.first;
    model.Settings.Seat(2).Type = c.second;
    bool busyWhileWaiting = true;
    view.onWake = [&] { busyWhileWaiting = busyWhileWaiting && !Flow().CanStartNewGame(); };
    NewGame();
    // The human seat, if any, puts letters without words until the game ends.
    while (Flow().Phase() == GamePhase::PutLetter) {
        Cell free{-1, -1};
        for (int col = 0; col < 5 && free.col < 0; ++col)
            for (int r = 0; r < 5 && free.col < 0; ++r)
                if (CanPutLetter(model.Board, model.Settings, {col, r})) free = {col, r};
        ASSERT_GE(free.col, 0);
        Put(free, 'Q');
        Left(free);
        Flow().AcceptWord();
        view.RunWakes();
    }
    EXPECT_EQ(Flow().Phase(), GamePhase::GameOver);
    EXPECT_EQ(view.statusDialogs, 1);
    EXPECT_EQ(model.State.LetterCountOnField, 25);
    // Besides the paced waits, the computer asks for a wake-up without delay before each of its
    // moves, so that the window's events run first.
    const auto paced =
        std::count_if(view.waits.begin(), view.waits.end(), [](int ms) { return ms > 0; });
    EXPECT_EQ(paced, c.waits);
    for (int ms : view.waits) EXPECT_TRUE(ms == 0 || ms == c.pace) << ms;
    EXPECT_TRUE(busyWhileWaiting);
    EXPECT_TRUE(Flow().CanStartNewGame());
}

INSTANTIATE_TEST_SUITE_P(
    Seats, PaceTest,
    ::testing::Values(
        // Twenty computer moves: a wait after each, the last one before the end.
        PaceCase{"Computers", PlayerType::Computer, PlayerType::Computer, 300, 20},
        PaceCase{"ComputersUnpaced", PlayerType::Computer, PlayerType::Computer, 0, 0},
        // The computer moves second: a human's turn follows, except after the last move.
        PaceCase{"HumanFirst", PlayerType::Human, PlayerType::Computer, 300, 1},
        // The computer moves first: the human follows every time; the human ends the game.
        PaceCase{"ComputerFirst", PlayerType::Computer, PlayerType::Human, 300, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// A close request while a computer move waits stops the game at once; no further move is played
// and no dialog opens. The next close request is allowed.
TEST_F(FlowTest, CloseRequestDuringThePaceStopsTheGame) {
    model.Settings.ComputerPace = 500;
    model.Settings.Seat(1).Type = PlayerType::Computer;
    model.Settings.Seat(2).Type = PlayerType::Computer;
    const auto paced = [&] { return std::count(view.waits.begin(), view.waits.end(), 500); };
    view.onWake = [&] {
        if (paced() == 3 && view.waits.back() == 500) {
            EXPECT_FALSE(Flow().CloseRequest());
        }
    };
    NewGame();
    EXPECT_EQ(Flow().Phase(), GamePhase::GameOver);
    EXPECT_EQ(view.results.size(), 3u);
    EXPECT_EQ(paced(), 3);
    EXPECT_EQ(view.statusDialogs, 0);
    EXPECT_TRUE(Flow().CloseRequest());
}

}  // namespace
}  // namespace tq::test
