// SPDX-License-Identifier: GPL-3.0-or-later
// Move entry: putting the letter, marking, take-back and the checks of the word in their order.

#include <gtest/gtest.h>

#include <unistd.h>
#include <fstream>

#include <functional>

#include "base/chain_rules.h"
#include "flow_fixture.h"
#include "test_support.h"

namespace tq::test {
namespace {

struct RefusalCase {
    const char* name;
    std::function<void(GameModel&)> setup;
    Cell newCell;
    char letter;
    std::vector<Cell> chain;
    std::string_view hint;  // empty: accepted
    std::function<void(GameModel&)> afterNewGame = nullptr;
    friend void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }
};

class RefusalTest : public FlowTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusalTest, ChecksRunInTheirOrder) {
    const RefusalCase& c = GetParam();
    if (c.setup) c.setup(model);
    NewGame();
    if (c.afterNewGame) c.afterNewGame(model);
    ASSERT_EQ(Flow().Phase(), GamePhase::PutLetter);
    Put(c.newCell, c.letter);
    for (Cell cell : c.chain) Left(cell);
    const std::vector<Cell> path = model.State.MarkedPath;
    const std::string label = Flow().WordLabel();
    Flow().KeyEnter();

    if (c.hint.empty()) {
        EXPECT_EQ(Flow().Phase(), GamePhase::PutLetter);  // seat 2's turn
        ASSERT_EQ(view.results.count(0), 1u);
        EXPECT_EQ(view.results[0].word, label);
        return;
    }
    EXPECT_EQ(view.hint, c.hint);
    EXPECT_EQ(view.hintColour, kRefusalColor);
    // A refusal changes nothing: the player goes on marking.
    EXPECT_EQ(Flow().Phase(), GamePhase::Marking);
    EXPECT_EQ(model.State.MarkedPath, path);
    EXPECT_EQ(Flow().WordLabel(), label);
    EXPECT_EQ(view.letters[c.newCell.col][c.newCell.row], std::string(1, c.letter));
    EXPECT_EQ(model.Board.At(c.newCell), kEmptyCell);
    EXPECT_TRUE(view.results.empty());
    EXPECT_EQ(model.State.Score(1).WordPoints, 0);
}

const Cell T11{1, 1}, A21{2, 1};

INSTANTIATE_TEST_SUITE_P(
    Refusals, RefusalTest,
    ::testing::Values(
        RefusalCase{"OneCellWithoutNewLetter", nullptr, T11, 'T', {H}, msg::NewLetterNotMarked},
        RefusalCase{"UsedWordWithoutNewLetter",
                    nullptr,
                    T11,
                    'T',
                    {H, O, R, S, E},
                    msg::NewLetterNotMarked},
        RefusalCase{"ShortBeforeUnknown",
                    [](GameModel& m) { m.Settings.MinWordLen = 3; },
                    T11,
                    'T',
                    {O, T11},
                    msg::TooShort},
        RefusalCase{"LongBeforeUnknown",
                    [](GameModel& m) { m.Settings.MaxWordLen = 3; },
                    T11,
                    'T',
                    {T11, O, R, S},
                    msg::TooLong},
        // An unknown word played earlier (accepted through the question), in any letter case.
        RefusalCase{"UsedBeforeUnknown",
                    nullptr,
                    T11,
                    'T',
                    {T11, O, R},
                    msg::AlreadyConstructed,
                    [](GameModel& m) { m.State.UsedWords.Add("tor"); }},
        RefusalCase{"UnknownBeforeFormed", nullptr, A21, 'S', {R, A21}, msg::UnknownWord},
        RefusalCase{"Formed", nullptr, A21, 'O', {A21, R}, msg::AlreadyFormed},
        RefusalCase{"FormedAllowed",
                    [](GameModel& m) { m.Settings.AllowExWords = true; },
                    A21,
                    'O',
                    {A21, R},
                    ""},
        RefusalCase{"Accepted", nullptr, T11, 'T', {H, O, T11}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FlowTest, TheDrawnInitialWordCountsAsPlayedEvenUnderTheJoker) {
    model.Settings.UseJoker = true;
    NewGame();
    int jokers = 0;
    for (int c = 0; c < 5; ++c) jokers += model.Board.At(c, 2) == kJoker;
    EXPECT_EQ(jokers, 1);
    EXPECT_TRUE(model.State.UsedWords.Contains("HORSE"));
    EXPECT_EQ(model.State.UsedWords.Size(), 1u);
}

TEST_F(FlowTest, AcceptedWordIsScoredCommittedAndListed) {
    NewGame();
    Put({1, 1}, 'T');
    EXPECT_EQ(Flow().Phase(), GamePhase::LetterPut);
    EXPECT_EQ(view.hint, msg::MarkWord);
    Mark({H, O, {1, 1}});
    EXPECT_EQ(Flow().WordLabel(), "HOT");
    EXPECT_EQ(view.wordLabel, "HOT");
    EXPECT_EQ(ChainText(model.State.MarkedPath), "02:12:11:");
    EXPECT_EQ(view.MarkedCount(), 3);
    Flow().KeyEnter();

    EXPECT_EQ(model.Board.At(1, 1), 'T');
    EXPECT_EQ(model.State.FieldLetters, "HORSET");
    EXPECT_EQ(model.State.LetterCountOnField, 6);
    EXPECT_EQ(model.State.Score(1).WordPoints, 30);
    EXPECT_TRUE(model.State.UsedWords.Contains("HOT"));
    ASSERT_EQ(view.results.count(0), 1u);
    EXPECT_EQ(view.results[0].word, "HOT");
    EXPECT_EQ(view.results[0].points, "30");
    EXPECT_EQ(view.results[0].letter, "T");
    EXPECT_EQ(view.results[0].colour, model.Settings.Seat(1).Color);
    ASSERT_EQ(model.State.PlayedPaths.size(), 1u);
    EXPECT_EQ(ChainText(model.State.PlayedPaths[0]), "02:12:11:");
    EXPECT_EQ(view.MarkedCount(), 0);
    EXPECT_EQ(view.wordLabel, "");
    // Seat 2, a human here too, is to put a letter.
    EXPECT_EQ(model.State.CurrentSeat, 2);
    EXPECT_EQ(Flow().Phase(), GamePhase::PutLetter);
    EXPECT_EQ(view.hint, msg::PutLetter);
    EXPECT_EQ(view.hintColour, kPromptColor);
    EXPECT_TRUE(view.hintVisible);
}

TEST_F(FlowTest, NewLetterAloneIsAMoveWithoutAWord) {
    NewGame();
    Put({1, 1}, 'Q');
    Mark({{1, 1}});
    Flow().AcceptWord();
    EXPECT_EQ(model.Board.At(1, 1), 'Q');
    EXPECT_EQ(model.State.Score(1).WordPoints, 0);
    EXPECT_FALSE(model.State.UsedWords.Contains("Q"));
    EXPECT_EQ(view.results[0].word, "----");
    EXPECT_EQ(view.results[0].points, "0");
    EXPECT_EQ(view.results[0].letter, "Q");
}

class UnknownWordTest : public FlowTest {
  protected:
    UnknownWordTest() {
        std::filesystem::create_directories(dir / "Dicts");
        model.StartFolder = dir.path();
        model.Settings.AcceptAllWords = true;
        NewGame();
        Put({1, 1}, 'T');
        Mark({{1, 1}, O, R});  // TOR, not in the store
    }
    std::filesystem::path WordList() const { return dir / "Dicts" / "Test_eng.txt"; }
    TempDir dir;
};

TEST_F(UnknownWordTest, FirstEnterAsksSecondAccepts) {
    Flow().KeyEnter();
    EXPECT_EQ(view.hint, msg::UnknownWordAccept);
    EXPECT_EQ(view.hintColour, kPromptColor);
    EXPECT_EQ(Flow().Phase(), GamePhase::Marking);
    Flow().KeyEnter();
    EXPECT_EQ(view.results[0].word, "TOR");
    EXPECT_TRUE(model.State.UsedWords.Contains("TOR"));
    EXPECT_FALSE(model.Words.ContainsWord("TOR"));
    EXPECT_FALSE(std::filesystem::exists(WordList()));
}

TEST_F(UnknownWordTest, MarkingAnotherCellWithdrawsTheQuestion) {
    Flow().KeyEnter();
    ASSERT_EQ(view.hint, msg::UnknownWordAccept);
    Left(S);  // TORS
    EXPECT_EQ(view.hint, msg::MarkWord);
    Flow().KeyEnter();
    EXPECT_EQ(view.hint, msg::UnknownWordAccept);
    EXPECT_TRUE(view.results.empty());
}

TEST_F(UnknownWordTest, ShiftAtTheSecondEnterAppendsToTheWordList) {
    Flow().KeyEnter();
    view.shift = true;
    Flow().KeyEnter();
    EXPECT_EQ(view.results[0].word, "TOR");
    std::ifstream in(WordList(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text, "{eng}\r\nTOR\r\n");
    EXPECT_FALSE(model.Words.ContainsWord("TOR"));
}

TEST_F(UnknownWordTest, AppendFailureIsShownAndTheMoveStillCounts) {
    std::filesystem::remove_all(dir / "Dicts");
    std::ofstream(dir / "Dicts") << "a file where the folder should be";
    Flow().KeyEnter();
    view.shift = true;
    Flow().KeyEnter();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].second, MessageIcon::Warning);
    EXPECT_FALSE(view.messages[0].first.empty());
    EXPECT_EQ(view.results[0].word, "TOR");
}

// Take-back: by right click or Esc from phases 12 and 13, and by a click on another empty cell
// from phase 12.
struct TakeBackCase {
    const char* name;
    bool marked;  // phase 13 rather than 12
    std::function<void(FlowTest&)> act;
    friend void PrintTo(const TakeBackCase& c, std::ostream* os) { *os << c.name; }
};

class TakeBackTest : public FlowTest, public ::testing::WithParamInterface<TakeBackCase> {};

TEST_P(TakeBackTest, LetterAndMarksGo) {
    NewGame();
    Put({1, 1}, 'T');
    if (GetParam().marked) Mark({H, O, {1, 1}});
    GetParam().act(*this);
    EXPECT_EQ(Flow().Phase(), GamePhase::PutLetter);
    EXPECT_EQ(view.letters[1][1], "");
    EXPECT_EQ(view.MarkedCount(), 0);
    EXPECT_EQ(view.wordLabel, "");
    EXPECT_EQ(ChainText(model.State.MarkedPath), "");
    EXPECT_EQ(view.hint, msg::PutLetter);
    EXPECT_EQ(model.Board.At(1, 1), kEmptyCell);
    // The letter can be put again, anywhere.
    Put({3, 3}, 'E');
    EXPECT_EQ(Flow().Phase(), GamePhase::LetterPut);
    EXPECT_EQ(view.letters[3][3], "E");
}

INSTANTIATE_TEST_SUITE_P(
    TakeBacks, TakeBackTest,
    ::testing::Values(TakeBackCase{"RightClickPut", false,
                                   [](FlowTest& t) {
                                       t.Right({4, 4});
                                   }},
                      TakeBackCase{"RightClickMarked", true, [](FlowTest& t) { t.Right(); }},
                      TakeBackCase{"EscPut", false, [](FlowTest& t) { t.Flow().KeyEscape(); }},
                      TakeBackCase{"EscMarked", true, [](FlowTest& t) { t.Flow().KeyEscape(); }},
                      TakeBackCase{"OtherEmptyCell", false,
                                   [](FlowTest& t) {
                                       t.Left({3, 1});
                                   }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FlowTest, EmptyCellClickWhileMarkingDoesNothing) {
    NewGame();
    Put({1, 1}, 'T');
    Mark({H, O, {1, 1}});
    Left({3, 3});
    EXPECT_EQ(Flow().Phase(), GamePhase::Marking);
    EXPECT_EQ(ChainText(model.State.MarkedPath), "02:12:11:");
    EXPECT_EQ(view.picks, 1);
}

TEST_F(FlowTest, EscWhileWaitingForALetterOnlyClearsMarks) {
    NewGame();
    Put({1, 1}, 'T');
    Mark({H, O, {1, 1}});
    Flow().AcceptWord();
    Flow().ResultsWordClicked(0, "HOT");
    ASSERT_EQ(view.MarkedCount(), 3);
    Flow().KeyEscape();
    EXPECT_EQ(Flow().Phase(), GamePhase::PutLetter);
    EXPECT_EQ(view.MarkedCount(), 0);
    EXPECT_EQ(model.State.LetterCountOnField, 6);
}

TEST_F(FlowTest, CancelledPickerPutsNothing) {
    NewGame();
    Left({1, 1});  // the picker answers '?'
    EXPECT_EQ(Flow().Phase(), GamePhase::PutLetter);
    EXPECT_EQ(view.letters[1][1], "");
    // A cell with no occupied neighbour, or an occupied one, does not even open the picker.
    Left({0, 0});
    Left(H);
    EXPECT_EQ(view.picks, 1);
}

TEST_F(FlowTest, EnterBeforeMarkingDoesNothing) {
    NewGame();
    Put({1, 1}, 'T');
    Flow().KeyEnter();
    EXPECT_EQ(Flow().Phase(), GamePhase::LetterPut);
    EXPECT_EQ(view.hint, msg::MarkWord);
}

TEST_F(FlowTest, NothingHappensBeforeTheFirstGame) {
    Flow();
    Left({2, 2});
    Right();
    Flow().KeyEnter();
    Flow().KeyEscape();
    EXPECT_EQ(Flow().Phase(), GamePhase::Idle);
    EXPECT_EQ(view.picks, 0);
    EXPECT_TRUE(view.hints.empty());
    EXPECT_EQ(Flow().CellMark({0, 0}), MarkState::Golden);
}

TEST_F(FlowTest, ClickOnAMarkedCellAcceptsUnlessCtrlIsHeld) {
    NewGame();
    Put({1, 1}, 'T');
    Mark({H, O, {1, 1}});
    ShiftState ctrl;
    ctrl.ctrl = true;
    Left(H, ctrl);
    EXPECT_EQ(Flow().Phase(), GamePhase::Marking);
    Left(H);  // not the last cell: accepts, does not shorten the chain
    EXPECT_EQ(view.results[0].word, "HOT");
}

TEST_F(FlowTest, OccupiedCellOffTheChainRestartsIt) {
    NewGame();
    Put({1, 1}, 'T');
    Mark({H, O});
    Left(S);  // not a step from O
    EXPECT_EQ(ChainText(model.State.MarkedPath), "32:");
    EXPECT_EQ(Flow().WordLabel(), "S");
    EXPECT_EQ(view.MarkedCount(), 1);
    EXPECT_EQ(Flow().CellMark(S), MarkState::Marked);
}

TEST_F(FlowTest, CtrlSweepMarksCellsButNeverAccepts) {
    NewGame();
    Put({1, 1}, 'T');
    ShiftState ctrl;
    ctrl.ctrl = true;
    for (Cell c : {H, O, Cell{1, 1}, O}) Flow().CellHover(c, ctrl);
    EXPECT_EQ(ChainText(model.State.MarkedPath), "02:12:11:");
    EXPECT_EQ(Flow().Phase(), GamePhase::Marking);
    // Without Ctrl alone (Shift too, or a button held) the pointer does nothing.
    ShiftState both = ctrl;
    both.shift = true;
    Flow().CellHover(R, both);
    ShiftState button = ctrl;
    button.anyButton = true;
    Flow().CellHover(R, button);
    EXPECT_EQ(ChainText(model.State.MarkedPath), "02:12:11:");
}

TEST_F(FlowTest, CtrlSweepOverAnEmptyCellTakesThePutLetterBack) {
    NewGame();
    Put({1, 1}, 'T');
    ShiftState ctrl;
    ctrl.ctrl = true;
    Flow().CellHover({3, 3}, ctrl);
    EXPECT_EQ(Flow().Phase(), GamePhase::PutLetter);
    EXPECT_EQ(view.letters[1][1], "");
}

TEST_F(FlowTest, JokerStandsForTheLetterChosenEachTime) {
    NewGame();
    model.Board.Set(R, kJoker);  // the field as a joker game has it
    Put({2, 1}, 'S');
    view.picked = {'?'};
    Left(R);  // cancelled: nothing marked
    EXPECT_EQ(Flow().Phase(), GamePhase::LetterPut);
    view.picked = {'O'};
    Left(R);
    EXPECT_EQ(Flow().WordLabel(), "O");
    Left(H);  // not a step from R: a new chain
    Left(O);
    view.picked = {'T'};
    Left(R);
    Left({2, 1});
    EXPECT_EQ(Flow().WordLabel(), "HOTS");
    Flow().KeyEnter();
    EXPECT_EQ(view.results[0].word, "HOTS");
    EXPECT_EQ(model.Board.At(R), kJoker);
    EXPECT_EQ(view.picks, 4);
}

TEST_F(FlowTest, DiagonalStepAcrossTheChainRestartsUnlessCrossingsAreAllowed) {
    for (bool allow : {false, true}) {
        model.Settings.Directions = "11111111";
        model.Settings.AllowCrossings = allow;
        NewGame();
        model.Board.Set(1, 1, 'A');
        Put({0, 1}, 'T');
        // (0,1) -> (1,2) -> (1,1) -> (0,2): the last step crosses the first.
        Mark({{0, 1}, O, {1, 1}, H});
        EXPECT_EQ(ChainText(model.State.MarkedPath), allow ? "01:12:11:02:" : "02:") << allow;
    }
}

// A typed letter goes where the letter window's answer would go, and nowhere else; typed again
// while a letter stands put, it replaces or moves that letter.
TEST_F(FlowTest, TypedLetterPutsLikeTheLetterWindow) {
    struct Case {
        const char* name;
        std::function<void(FlowTest&)> before;  // after the new game
        Cell cell;
        char letter;
        std::string put;  // CellCode of the put letter and the letter afterwards; "" for none
        GamePhase phase;
    };
    auto putX = [](FlowTest& t) { t.Put({1, 1}, 'X'); };
    const Case cases[] = {
        {"next to the letters", nullptr, {1, 1}, 'T', "11T", GamePhase::LetterPut},
        {"diagonal only, straight steps", nullptr, {1, 0}, 'T', "", GamePhase::PutLetter},
        {"occupied", nullptr, O, 'T', "", GamePhase::PutLetter},
        {"not a letter of the alphabet", nullptr, {1, 1}, '1', "", GamePhase::PutLetter},
        {"the joker", nullptr, {1, 1}, kJoker, "", GamePhase::PutLetter},
        {"retyped in its cell", putX, {1, 1}, 'T', "11T", GamePhase::LetterPut},
        {"moved while marking",
         [](FlowTest& t) {
             t.Put({1, 1}, 'X');
             t.Mark({{1, 1}, O});
         },
         {3, 3},
         'T',
         "33T",
         GamePhase::LetterPut},
        // Only the put letter borders (1,0); taken back, nothing would: the X stays.
        {"beside the put letter only", putX, {1, 0}, 'T', "11X", GamePhase::LetterPut},
        {"computer's turn",
         [](FlowTest& t) { t.Flow().SetPhase(GamePhase::ComputerThinking); },
         {1, 1},
         'T',
         "",
         GamePhase::ComputerThinking},
    };
    for (const Case& c : cases) {
        NewGame();
        view.picked.clear();
        if (c.before) c.before(*this);
        const int picks = view.picks;
        Flow().TypeLetter(c.cell, c.letter);
        EXPECT_EQ(Flow().Phase(), c.phase) << c.name;
        EXPECT_EQ(view.picks, picks) << c.name;  // the letter window is never asked
        EXPECT_EQ(Flow().WordLabel(), "") << c.name;
        EXPECT_EQ(view.MarkedCount(), 0) << c.name;
        int shown = 0;
        for (int col = 0; col < 5; ++col)
            for (int row = 0; row < 5; ++row)
                shown += !view.letters[col][row].empty() && model.Board.At(col, row) == kEmptyCell;
        if (c.put.empty()) {
            EXPECT_EQ(shown, 0) << c.name;
            continue;
        }
        EXPECT_EQ(shown, 1) << c.name;
        const Cell at = model.State.NewLetterCell;
        EXPECT_EQ(CellCode(at) + Flow().CellLetter(at), c.put) << c.name;
        EXPECT_EQ(view.letters[at.col][at.row], c.put.substr(2)) << c.name;
    }
}

// Backspace unmarks the chain from its end, one cell at a time, then takes the letter back.
TEST_F(FlowTest, BackspaceUnmarksTheLastCellThenTakesTheLetterBack) {
    NewGame();
    Put({1, 1}, 'T');
    Mark({H, O, {1, 1}});
    Flow().KeyEnter();  // HOT is accepted by seat 1
    Put({2, 1}, 'S');   // seat 2: H O T S would be played twice, so build R O T S
    Mark({R, O, {1, 1}, {2, 1}});
    ASSERT_EQ(Flow().WordLabel(), "ROTS");
    Flow().KeyEnter();
    ASSERT_EQ(view.hint, msg::UnknownWord);

    Flow().UnmarkLast();
    EXPECT_EQ(Flow().WordLabel(), "ROT");
    EXPECT_EQ(view.wordLabel, "ROT");
    EXPECT_EQ(ChainText(model.State.MarkedPath), "22:12:11:");
    EXPECT_EQ(Flow().CellMark({2, 1}), MarkState::Normal);
    EXPECT_EQ(Flow().CellMark({1, 1}), MarkState::Marked);
    EXPECT_EQ(Flow().Phase(), GamePhase::Marking);
    EXPECT_EQ(view.hint, msg::MarkWord);  // the refusal is gone with the cell it was about
    // The chain goes on from the cell now last: (1,0) is a step from T(1,1), not from S(2,1).
    model.Board.Set(1, 0, 'E');
    Left({1, 0});
    EXPECT_EQ(Flow().WordLabel(), "ROTE");
    Flow().UnmarkLast();

    for (const char* left : {"RO", "R", ""}) {
        Flow().UnmarkLast();
        EXPECT_EQ(Flow().WordLabel(), left);
        EXPECT_EQ(view.MarkedCount(), static_cast<int>(std::string(left).size()));
    }
    EXPECT_EQ(Flow().Phase(), GamePhase::LetterPut);
    EXPECT_EQ(ChainText(model.State.MarkedPath), "");
    EXPECT_EQ(view.letters[2][1], "S");
    Flow().KeyEnter();  // nothing marked: Enter does nothing
    EXPECT_EQ(Flow().Phase(), GamePhase::LetterPut);

    Flow().UnmarkLast();  // nothing marked: the letter goes
    EXPECT_EQ(Flow().Phase(), GamePhase::PutLetter);
    EXPECT_TRUE(view.letters[2][1].empty());
    Flow().UnmarkLast();  // nothing put: nothing happens
    EXPECT_EQ(Flow().Phase(), GamePhase::PutLetter);
    EXPECT_EQ(model.State.CurrentSeat, 2);
}

}  // namespace
}  // namespace tq::test
