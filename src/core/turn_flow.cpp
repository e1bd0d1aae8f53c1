// SPDX-License-Identifier: GPL-3.0-or-later
// The turn loop, scoring and the move clock.

#include <cstdio>
#include <cstdlib>
#include <limits>

#include "computer/computer_move.h"
#include "core/game_flow.h"
#include "records/records.h"

namespace tq {

void GameFlow::EndOfMove() {
    const FlowMoment start = Moment();
    GameState& st = model_.State;
    const GameSettings& s = model_.Settings;
    bool afterComputerMove = false;  // this loop has just shown a computer move
    for (;;) {
        const bool wasBusy = busy_;  // a loop may run inside another one's pending events
        busy_ = true;
        view_.ProcessPendingEvents();
        busy_ = wasBusy;
        // A new game started from a pending event (the options dialog's Apply, a received new
        // game) has opened its own first turn; this loop served the old game and ends.
        if (GameReplacedSince(start)) return;
        if (Phase() == GamePhase::GameOver) return;

        // A computer move stays on the field a moment before the next computer move or the end
        // of the game; a human's turn needs no pause, the move stays in view anyway.
        if (afterComputerMove && ComputerMovesNextOrGameEnds()) {
            PaceComputerMove(start);
            if (GameReplacedSince(start) || Phase() == GamePhase::GameOver) return;
        }

        if (st.MoveWord >= s.WordsPerMove) {
            if (st.CurrentSeat >= s.Count) {
                if (st.Round >= st.RoundCount) {
                    GameOver();
                    return;
                }
                ++st.Round;
                st.CurrentSeat = 1;
            } else {
                ++st.CurrentSeat;
            }
            st.MoveWord = 1;
        } else {
            ++st.MoveWord;
        }

        if (s.Mode == GameMode::Server)
            sender_->SendUpdateMove(st.Round, st.CurrentSeat, st.MoveWord);

        const TPlayers& seat = s.Seat(st.CurrentSeat);
        switch (seat.Type) {
            case PlayerType::Human:
                SetPhase(GamePhase::PutLetter);
                if (s.SecMove != 0) StartClock();
                return;
            case PlayerType::Computer:
                SetPhase(GamePhase::ComputerThinking);
                ComputerTurn();
                afterComputerMove = true;
                continue;
            default:
                SetPhase(GamePhase::AwaitRemote);
                if (s.Mode == GameMode::Server) sender_->SendYourMove(seat.Name);
                return;
        }
    }
}

bool GameFlow::ComputerMovesNextOrGameEnds() const {
    const GameSettings& s = model_.Settings;
    const GameState& st = model_.State;
    int seat = st.CurrentSeat;
    if (st.MoveWord >= s.WordsPerMove) {
        if (st.CurrentSeat < s.Count)
            ++seat;
        else if (st.Round < st.RoundCount)
            seat = 1;
        else
            return true;
    }
    return s.Seat(seat).Type == PlayerType::Computer;
}

void GameFlow::PaceComputerMove(FlowMoment game) {
    const int pace = model_.Settings.ComputerPace;
    if (pace <= 0) return;
    const bool wasBusy = busy_;
    busy_ = true;
    view_.LetEventsRun(pace, [this, game] {
        return GameReplacedSince(game) || Phase() != GamePhase::ComputerThinking;
    });
    busy_ = wasBusy;
}

void GameFlow::ComputerTurn() {
    const Move move =
        computer_->ChooseMove(model_.Board, model_.Settings, model_.State, model_.Dict, model_.Rng);
    if (move.Word.empty()) return;  // no empty cell left: nothing was played
    CommitMove(move, MoveSource::Computer, 0);
}

std::string GameFlow::OutcomeText() const {
    const GameSettings& s = model_.Settings;
    int best = 1;
    bool shared = false;
    for (int seat = 2; seat <= s.Count; ++seat) {
        const int32_t total = s.Seat(seat).Total();
        if (total > s.Seat(best).Total()) {
            best = seat;
            shared = false;
        } else if (total == s.Seat(best).Total()) {
            shared = true;
        }
    }
    if (shared) return std::string(msg::Draw);
    return msg::Fill(msg::Wins, {s.Seat(best).Name});
}

void GameFlow::ShowOutcome() {
    SetPhase(GamePhase::GameOver);
    ShowHint(OutcomeText(), kPromptColor);
    view_.SetHintVisible(true);
}

void GameFlow::NotifyGameEnded(int recordPlace) {
    const GameSettings& s = model_.Settings;
    GameEndedEvent ended;
    for (int seat = 1; seat <= s.Count; ++seat) {
        const TPlayers& p = s.Seat(seat);
        ended.Totals.push_back({seat, p.WordPoints, p.BonusPoints, p.FinePoints, p.Total()});
    }
    ended.RecordPlace = recordPlace;
    Notify(&GameEvents::GameEnded, ended);
}

void GameFlow::GameOver() {
    const GameSettings& s = model_.Settings;
    ShowOutcome();
    if (s.Mode == GameMode::Server) sender_->SendEndGame();
    RecordsOutcome outcome;
    if (s.Mode == GameMode::General && s.RatedGame)
        outcome = UpdateRecords(model_.RecordsFolder(), model_.Dict, s, model_.State);
    NotifyGameEnded(outcome.entered ? model_.State.NewRecordPlace : 0);

    if (!outcome.error.empty()) {
        view_.ShowMessage(outcome.error, MessageIcon::Warning);
    } else if (outcome.entered) {
        view_.ShowRecordTable();
        return;
    }
    view_.ShowGameStatus();
}

void GameFlow::EndReceivedGame() {
    StopClock();
    ShowOutcome();
    NotifyGameEnded(0);
    view_.ShowGameStatus();
}

int16_t GameFlow::TimeAwardFor(int32_t remaining, int32_t secBonus, int32_t secFine) {
    int64_t award = 0;
    if (remaining > 0 && secBonus > 0)
        award = remaining / secBonus;
    else if (remaining < 0 && secFine > 0)
        award = static_cast<int64_t>(remaining) / secFine - 1;  // C++ division truncates to zero
    // The award travels as a 16-bit number; a move hours over time is fined the most it can hold.
    if (award < std::numeric_limits<int16_t>::min()) award = std::numeric_limits<int16_t>::min();
    if (award > std::numeric_limits<int16_t>::max()) award = std::numeric_limits<int16_t>::max();
    return static_cast<int16_t>(award);
}

int16_t GameFlow::HumanTimeAward() {
    const GameSettings& s = model_.Settings;
    if (s.SecMove == 0) return 0;
    StopClock();
    return TimeAwardFor(clock_.Remaining(), s.SecBonus, s.SecFine);
}

void GameFlow::StartClock() {
    clock_.Suspend();
    clock_.SetRemaining(model_.Settings.SecMove);
    view_.ShowClock("", ClockColour(model_.Settings.SecMove));
    view_.SetClockVisible(true);
    clock_.Resume();
    view_.SetClockTimerEnabled(true);
}

void GameFlow::StopClock() {
    clock_.Suspend();
    view_.SetClockTimerEnabled(false);
}

void GameFlow::ClockTick() {
    const int32_t r = clock_.Remaining();
    view_.ShowClock(ClockText(r), ClockColour(r));
}

std::string GameFlow::ClockText(int32_t seconds) {
    const long long a = std::llabs(static_cast<long long>(seconds));
    char text[32];
    // Over time the clock counts the overrun up: the sign tells it from time left.
    std::snprintf(text, sizeof text, "%s%02lld:%02lld", seconds < 0 ? "+" : "", a / 60, a % 60);
    return text;
}

uint32_t GameFlow::ClockColour(int32_t seconds) {
    if (seconds > 60) return 25600;
    if (seconds > 0) return 30850;
    return 128;
}

}  // namespace tq
