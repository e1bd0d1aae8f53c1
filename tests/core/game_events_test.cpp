// SPDX-License-Identifier: GPL-3.0-or-later
// The game events the flow tells its observers, and moves received from the network, which take
// the same commit path as every other move.

#include <gtest/gtest.h>

#include <array>

#include "base/chain_rules.h"
#include "core/game_events.h"
#include "flow_fixture.h"

namespace tq::test {
namespace {

class EventLog : public GameEvents {
  public:
    void GameStarted(const GameStartedEvent& e) override { started.push_back(e); }
    void MovePlayed(const MovePlayedEvent& e) override { moves.push_back(e); }
    void GameEnded(const GameEndedEvent& e) override { ended.push_back(e); }

    std::vector<GameStartedEvent> started;
    std::vector<MovePlayedEvent> moves;
    std::vector<GameEndedEvent> ended;
};

class EventsTest : public FlowTest {
  public:
    EventsTest() { Flow().Subscribe(log); }
    EventLog log;
};

TEST_F(EventsTest, AGameOfComputersIsToldMoveByMoveWithTheTotalsAtTheEnd) {
    model.Settings.Seat(1).Type = PlayerType::Computer;
    model.Settings.Seat(2).Type = PlayerType::Computer;
    model.Settings.UseJoker = true;
    NewGame();

    ASSERT_EQ(log.started.size(), 1u);
    EXPECT_EQ(log.started[0].DrawnWord, "HORSE");
    EXPECT_EQ(log.started[0].PlacedWord.size(), 5u);
    EXPECT_NE(log.started[0].PlacedWord.find('?'), std::string::npos);

    ASSERT_EQ(log.moves.size(), 20u);
    std::array<int32_t, 3> points{};
    for (std::size_t i = 0; i < log.moves.size(); ++i) {
        const MovePlayedEvent& m = log.moves[i];
        EXPECT_EQ(m.Source, MoveSource::Computer);
        EXPECT_EQ(m.ResultRow, static_cast<int>(i));
        EXPECT_EQ(m.Seat, static_cast<int>(i % 2) + 1);
        EXPECT_EQ(m.Round, static_cast<int>(i / 2) + 1);
        EXPECT_EQ(m.Points, m.FormsWord() ? 10 * static_cast<int>(m.Report.Word.size()) : 0);
        EXPECT_EQ(view.results[m.ResultRow].points, std::to_string(m.Points));
        EXPECT_EQ(m.Path, model.State.PlayedPaths[i]);
        EXPECT_FALSE(m.Path.empty());
        EXPECT_TRUE(m.Report.BareChain);  // a computer's chain goes out without its final ':'
        EXPECT_EQ(m.Report.Chain, m.Path);
        points[m.Seat] += m.Points;
    }

    ASSERT_EQ(log.ended.size(), 1u);
    const GameEndedEvent& end = log.ended[0];
    ASSERT_EQ(end.Totals.size(), 2u);
    for (const auto& t : end.Totals) {
        EXPECT_EQ(t.WordPoints, points[t.Seat]);
        EXPECT_EQ(t.Total, model.State.Score(t.Seat).Total());
    }
    EXPECT_EQ(end.RecordPlace, 0);
}

TEST_F(EventsTest, AHumanMoveIsToldWithItsAwardAndAnObserverMayLeave) {
    model.Settings.SecMove = 60;
    model.Settings.SecBonus = 10;
    NewGame();
    Flow().Clock().Suspend();
    Flow().Clock().SetRemaining(35);
    Put({1, 1}, 'T');
    Mark({H, O, {1, 1}});
    Flow().AcceptWord();
    ASSERT_EQ(log.moves.size(), 1u);
    const MovePlayedEvent& m = log.moves[0];
    EXPECT_EQ(m.Source, MoveSource::Human);
    EXPECT_EQ(m.Report.Word, "HOT");
    EXPECT_EQ(m.Report.TimeAward, 3);
    EXPECT_EQ(m.Points, 33);
    EXPECT_EQ(ChainText(m.Path), "02:12:11:");
    EXPECT_EQ(m.Report.WordPoints, 30);
    EXPECT_EQ(m.Report.BonusPoints, 3);

    Flow().Unsubscribe(log);
    Put({3, 1}, 'Q');
    Mark({{3, 1}});
    Flow().AcceptWord();
    EXPECT_EQ(log.moves.size(), 1u);
}

// --- moves received from the network -----------------------------------------------------------

class ServerTest : public EventsTest {
  public:
    ServerTest() {
        model.Settings.Mode = GameMode::Server;
        model.Settings.Seat(1).Type = PlayerType::Client;
        model.Settings.Seat(1).Name = "Ann";
        NewGame();
    }
};

MoveReport Received(std::string word, std::string chain, char letter, Cell cell) {
    MoveReport r;
    r.WordPoints = 30;
    r.BonusPoints = 2;
    r.FinePoints = 1;
    r.TimeAward = 2;
    r.Word = std::move(word);
    r.Chain = ParseChain(chain).value_or(std::vector<Cell>{});
    r.Letter = letter;
    r.Col = cell.col;
    r.Row = cell.row;
    return r;
}

TEST_F(ServerTest, AClientsMoveIsCommittedPassedOnAndTheTurnMovesOn) {
    ASSERT_EQ(Flow().Phase(), GamePhase::AwaitRemote);
    sender.lines.clear();
    const Status st = Flow().CommitReceivedMove(Received("HOT", "02:12:11:", 'T', {1, 1}));
    ASSERT_TRUE(st.ok()) << st.message();

    EXPECT_EQ(model.Board.At(1, 1), 'T');
    EXPECT_TRUE(model.State.UsedWords.Contains("HOT"));
    EXPECT_EQ(model.State.Score(1).WordPoints, 30);
    EXPECT_EQ(model.State.Score(1).BonusPoints, 2);
    EXPECT_EQ(model.State.Score(1).FinePoints, 1);
    EXPECT_EQ(view.results[0].word, "HOT");
    EXPECT_EQ(view.results[0].points, "32");
    EXPECT_EQ(Flow().CellMark(O), MarkState::Marked);
    ASSERT_EQ(log.moves.size(), 1u);
    EXPECT_EQ(log.moves[0].Source, MoveSource::Remote);
    ASSERT_EQ(sender.moves.size(), 1u);
    EXPECT_EQ(sender.moves[0].WordPoints, 30);
    EXPECT_EQ(sender.lines, (std::vector<std::string>{"NewMove HOT", "UpdateMove 1,2,1"}));
    EXPECT_EQ(Flow().Phase(), GamePhase::PutLetter);  // seat 2, a human here, moves next
}

TEST_F(ServerTest, ABadOrUnawaitedMoveIsRefusedAndChangesNothing) {
    const std::vector<MoveReport> bad = {
        Received("HOT", "02:12:11:", 'T', {1, 7}),  // off the field
        Received("HOT", "02:12:", 'T', {1, 2}),     // an occupied cell
        Received("HOT", "02:12:11:", '1', {1, 1}),  // not a letter
        Received("", "11:", 'T', {1, 1}),           // no word
    };
    for (const MoveReport& r : bad) {
        const Status st = Flow().CommitReceivedMove(r);
        EXPECT_FALSE(st.ok()) << r.Word << " " << r.Col << r.Row;
        EXPECT_FALSE(st.message().empty());
    }
    EXPECT_TRUE(log.moves.empty());
    EXPECT_EQ(model.State.LetterCountOnField, 5);
    EXPECT_EQ(Flow().Phase(), GamePhase::AwaitRemote);

    ASSERT_TRUE(Flow().CommitReceivedMove(Received("T", "11", 'T', {1, 1})).ok());
    ASSERT_EQ(Flow().Phase(), GamePhase::PutLetter);
    // Now the server's own human is to move: a client's move is not awaited.
    EXPECT_FALSE(Flow().CommitReceivedMove(Received("E", "13", 'E', {1, 3})).ok());
    EXPECT_EQ(model.State.LetterCountOnField, 6);
}

TEST_F(FlowTest, AClientShowsAMoveOfAnotherSeatWithoutAdvancing) {
    model.Settings.Mode = GameMode::Client;
    model.Settings.InitialWord = "HORSE";
    NewGame();
    model.State.MoveWord = 1;
    const Status st = Flow().CommitReceivedMove(Received("T", "11", 'T', {1, 1}));
    ASSERT_TRUE(st.ok()) << st.message();
    EXPECT_EQ(model.Board.At(1, 1), 'T');
    EXPECT_TRUE(model.State.UsedWords.Contains("T"));  // a received letter alone is recorded
    EXPECT_EQ(view.results[0].word, "----");
    EXPECT_TRUE(sender.lines.empty());
    EXPECT_EQ(Flow().Phase(), GamePhase::Setup);
    EXPECT_EQ(model.State.Round, 1);
}

TEST_F(FlowTest, AGeneralGameTakesNoMoveFromTheNetwork) {
    NewGame();
    EXPECT_FALSE(Flow().CommitReceivedMove(Received("T", "11", 'T', {1, 1})).ok());
    EXPECT_EQ(model.Board.At(1, 1), kEmptyCell);
}

}  // namespace
}  // namespace tq::test
