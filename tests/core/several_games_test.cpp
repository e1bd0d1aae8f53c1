// SPDX-License-Identifier: GPL-3.0-or-later
// Several games at once in one thread and one event loop: games between computer seats, a game
// with a human seat driven by commands (a click, the letter window's answer, each chain cell,
// Enter, each a step of its own) and a shared game whose scripted remote seat answers later. Their
// steps interleave in the loop; each game must end exactly as the same game run alone.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "base/chain_rules.h"
#include "computer/computer_move.h"
#include "core/game_flow.h"
#include "core/seat.h"
#include "flow_fixture.h"

namespace tq::test {
namespace {

// One event loop for every game: events in the order of their (virtual) time, then of posting.
class Loop {
  public:
    void Post(int64_t delay, std::function<void()> f) {
        events_.emplace(std::make_pair(now_ + delay, next_++), std::move(f));
    }
    void Run() {
        while (!events_.empty()) {
            auto it = events_.begin();
            now_ = it->first.first;
            auto f = std::move(it->second);
            events_.erase(it);
            f();
        }
    }

  private:
    std::map<std::pair<int64_t, uint64_t>, std::function<void()>> events_;
    int64_t now_ = 0;
    uint64_t next_ = 0;
};

enum class Kind { Computers, Human, Remote };

// A player at another computer, scripted: asked for its move, it answers some time later with the
// computer's choice, as the server's line of a client would arrive.
class ScriptedRemote final : public RemoteSeat {
  public:
    ScriptedRemote(Loop& loop, ComputerPlayer& player) : loop_(loop), player_(player) {}

  protected:
    void AskMove(GameFlow& flow, int seat) override {
        loop_.Post(7, [&flow, seat, this] {
            GameModel& m = flow.Model();
            const Move move = player_.ChooseMove(m.Board, m.Settings, m.State, m.Dict, m.Rng);
            const SeatScore& p = m.State.Score(seat);
            MoveReport r;
            r.WordPoints = p.WordPoints + WordPointsOf(move.Word);
            r.BonusPoints = p.BonusPoints;
            r.FinePoints = p.FinePoints;
            r.Word = move.Word;
            r.Chain = move.Chain;
            r.Letter = move.Letter;
            r.Col = move.NewCell.col;
            r.Row = move.NewCell.row;
            EXPECT_TRUE(flow.CommitReceivedMove(r).ok());
        });
    }

  private:
    Loop& loop_;
    ComputerPlayer& player_;
};

// One game with its model and the recording view, both on the shared loop, and the players of
// its seats: the computer, a human at this computer driven by commands, or a scripted player at
// another computer.
class Game : public GameEvents {
  public:
    Game(Loop& loop, Kind kind, uint64_t seed, int pace) : loop_(loop), kind_(kind) {
        UseEnglish(model_, {"HORSE", "HOT",   "HOTS",  "ROT",  "SHOE", "HE",    "TO",
                            "OR",    "ORE",   "TOE",   "ROTE", "TORE", "HERO",  "SORT",
                            "ROSE",  "SHOT",  "HOST",  "REST", "TREE", "STORE", "SHORE",
                            "HOSE",  "THOSE", "OTHER", "TOES", "SET",  "TEE",   "SEE"});
        model_.Rng.Seed(seed);
        GameSettings& s = model_.Settings;
        s.Count = 2;
        s.ColCount = 5;
        s.RowCount = 5;
        s.MinWordLen = 2;
        s.MaxWordLen = 10;
        s.Directions = "11111111";
        s.UseJoker = seed % 2 == 1;
        s.ComputerPace = pace;
        s.Seat(1).Skill = 7;
        s.Seat(2).Skill = 3;
        s.Seat(2).Name = "Rem";
        flow_ = std::make_unique<GameFlow>(model_, view_, sender_);
        flow_->Subscribe(*this);
        player_ = std::make_unique<ComputerPlayer>(model_.Words);

        // The window: wake-ups and the letter window's answers are events of the loop.
        view_.onWakeAfter = [this](int ms) {
            view_.wake.reset();
            const uint64_t token = ++wakeToken_;
            loop_.Post(ms, [this, token] {
                if (token == wakeToken_) flow_->Wake();
            });
        };
        view_.onAskLetter = [this](Cell) {
            const char letter = letters_.empty() ? kJoker : letters_.front();
            if (!letters_.empty()) letters_.erase(letters_.begin());
            loop_.Post(1, [this, letter] {
                if (letter == kJoker)
                    flow_->PickerCancelled();
                else
                    flow_->LetterChosen(letter);
            });
        };
        // The human at this computer moves when the letter is to be put.
        view_.onPhase = [this](GamePhase phase) {
            if (phase == GamePhase::PutLetter) loop_.Post(3, [this] { HumanMoves(); });
        };
    }

    void Start() {
        loop_.Post(0, [this] {
            GameSeats seats;
            seats.Players.push_back(kind_ == Kind::Human
                                        ? std::shared_ptr<SeatPlayer>(new LocalHumanSeat)
                                        : std::make_shared<ComputerSeat>());
            if (kind_ == Kind::Remote) {
                seats.Lead = GameLead::HereShared;
                seats.Players.push_back(std::make_shared<ScriptedRemote>(loop_, *player_));
            } else {
                seats.Players.push_back(std::make_shared<ComputerSeat>());
            }
            flow_->StartNewGame(std::move(seats));
        });
    }
    const std::vector<std::string>& Log() const { return log_; }
    GamePhase Phase() const { return flow_->Phase(); }

    void MovePlayed(const MovePlayedEvent& e) override {
        std::ostringstream line;
        line << e.Round << "/" << e.Seat << "/" << e.MoveWord << " " << e.Report.Word << " "
             << e.Report.Letter << e.Report.Col << e.Report.Row << " " << ChainText(e.Path) << " "
             << e.Points << " " << e.Report.WordPoints;
        log_.push_back(line.str());
    }
    void GameEnded(const GameEndedEvent& e) override {
        std::ostringstream line;
        for (const auto& t : e.Totals) line << t.Seat << ":" << t.Total << " ";
        log_.push_back(line.str());
    }

  private:
    // The computer's choice entered as a player enters it: each click, the letter window's
    // answers and Enter are steps of their own, with the loop's other events between them.
    void HumanMoves() {
        const Move m = player_->ChooseMove(model_.Board, model_.Settings, model_.State, model_.Dict,
                                           model_.Rng);
        const std::vector<Cell>& chain = m.Chain;
        letters_ = {m.Letter};
        for (std::size_t i = 0; i < chain.size() && i < m.Word.size(); ++i)
            if (!(chain[i] == m.NewCell) && model_.Board.At(chain[i]) == kJoker)
                letters_.push_back(m.Word[i]);
        std::vector<std::function<void()>> steps;
        steps.push_back([this, m] { flow_->CellClick(m.NewCell, MouseButton::Left, {}); });
        for (const Cell c : chain)
            steps.push_back([this, c] { flow_->CellClick(c, MouseButton::Left, {}); });
        steps.push_back([this] { flow_->KeyEnter(); });
        for (std::size_t i = 0; i < steps.size(); ++i)
            loop_.Post(2 + 2 * static_cast<int64_t>(i), steps[i]);
    }

    Loop& loop_;
    Kind kind_;
    GameModel model_;
    FakeView view_;
    RecordingSender sender_;
    std::unique_ptr<GameFlow> flow_;
    std::unique_ptr<ComputerPlayer> player_;
    std::vector<char> letters_;
    uint64_t wakeToken_ = 0;
    std::vector<std::string> log_;
};

struct GameSetup {
    Kind kind;
    uint64_t seed;
    int pace;
};

constexpr GameSetup kGames[] = {
    {Kind::Computers, 1, 300}, {Kind::Computers, 2, 0}, {Kind::Human, 3, 200},
    {Kind::Human, 4, 0},       {Kind::Remote, 5, 500},  {Kind::Remote, 6, 0},
};

TEST(SeveralGames, InterleavedInOneLoopEachEndsAsItDoesAlone) {
    std::vector<std::vector<std::string>> alone;
    for (const GameSetup& g : kGames) {
        Loop loop;
        Game game(loop, g.kind, g.seed, g.pace);
        game.Start();
        loop.Run();
        ASSERT_EQ(game.Phase(), GamePhase::GameOver);
        ASSERT_EQ(game.Log().size(), 21u);  // 20 moves on 5 x 5, then the totals
        alone.push_back(game.Log());
    }

    Loop loop;
    std::vector<std::unique_ptr<Game>> games;
    for (const GameSetup& g : kGames) {
        games.push_back(std::make_unique<Game>(loop, g.kind, g.seed, g.pace));
        games.back()->Start();
    }
    loop.Run();
    for (std::size_t i = 0; i < games.size(); ++i) {
        EXPECT_EQ(games[i]->Phase(), GamePhase::GameOver) << "game " << i;
        EXPECT_EQ(games[i]->Log(), alone[i]) << "game " << i;
    }
}

}  // namespace
}  // namespace tq::test
