// SPDX-License-Identifier: GPL-3.0-or-later
// The turns, scoring and the move clock.

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <optional>
#include <utility>

#include "computer/computer_move.h"
#include "core/game_flow.h"
#include "core/turn_order.h"
#include "records/records.h"

namespace tq {

void GameFlow::EndOfMove() {
    GameState& st = model_.State;
    const GameSettings& s = model_.Settings;
    wake_ = WakeFor::None;
    if (Phase() == GamePhase::GameOver) return;
    const std::optional<Turn> next = TurnOrder(s, st).Next(TurnOrder::Of(st));
    if (!next) {
        GameOver();
        return;
    }
    TurnOrder::Set(st, *next);

    if (seats_.Lead == GameLead::HereShared)
        sender_->SendUpdateMove(st.Round, st.CurrentSeat, st.MoveWord);

    // The seat is asked for its move. Held here: a seat handed over while it is asked (its client
    // cut off as the request goes out) stays alive until it returns.
    const int seat = st.CurrentSeat;
    std::shared_ptr<SeatPlayer> player;
    if (static_cast<std::size_t>(seat) <= seats_.Players.size()) player = seats_.Players[seat - 1];
    if (!player) player = std::make_shared<ComputerSeat>();
    player->YourTurn(*this, seat);
}

void GameFlow::OpenHumanMove() {
    SetPhase(GamePhase::PutLetter);
    if (model_.Settings.SecMove != 0) StartClock();
}

void GameFlow::OpenComputerMove() {
    // The window's events run before the computer moves: a click, a key or a line that came
    // meanwhile is handled first, as it would be during a long game between computer seats.
    SetPhase(GamePhase::ComputerThinking);
    RequestWake(WakeFor::ComputerMove, 0);
}

void GameFlow::RequestWake(WakeFor what, int ms) {
    wake_ = what;
    view_.WakeAfter(ms);
}

void GameFlow::Wake() {
    const WakeFor what = std::exchange(wake_, WakeFor::None);
    // Esc or a close request during a computer move ends the game after that move.
    if (what == WakeFor::None || Phase() != GamePhase::ComputerThinking) return;
    if (what == WakeFor::ComputerMove) {
        ComputerTurn();
        // A computer move stays on the field a moment before the next computer move or the end
        // of the game; a human's turn needs no pause, the move stays in view anyway.
        const int pace = model_.Settings.ComputerPace;
        if (pace > 0 && ComputerMovesNextOrGameEnds()) {
            RequestWake(WakeFor::Pace, pace);
            return;
        }
    }
    EndOfMove();
}

bool GameFlow::ComputerMovesNextOrGameEnds() const {
    const GameSettings& s = model_.Settings;
    const GameState& st = model_.State;
    const std::optional<Turn> next = TurnOrder(s, st).Next(TurnOrder::Of(st));
    return !next || KindOf(next->Seat) == SeatKind::Computer;
}

void GameFlow::ComputerTurn() {
    const Move move =
        computer_->ChooseMove(model_.Board, model_.Settings, model_.State, model_.Dict, model_.Rng);
    if (move.Word.empty()) return;  // no empty cell left: nothing was played
    CommitMove(move, MoveSource::Computer, 0);
}

std::string GameFlow::OutcomeText() const {
    const GameSettings& s = model_.Settings;
    const GameState& st = model_.State;
    int best = 1;
    bool shared = false;
    for (int seat = 2; seat <= s.Count; ++seat) {
        const int32_t total = st.Score(seat).Total();
        if (total > st.Score(best).Total()) {
            best = seat;
            shared = false;
        } else if (total == st.Score(best).Total()) {
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
        const SeatScore& p = model_.State.Score(seat);
        ended.Totals.push_back({seat, p.WordPoints, p.BonusPoints, p.FinePoints, p.Total()});
    }
    ended.RecordPlace = recordPlace;
    Notify(&GameEvents::GameEnded, ended);
}

void GameFlow::GameOver() {
    const GameSettings& s = model_.Settings;
    ShowOutcome();
    if (seats_.Lead == GameLead::HereShared) sender_->SendEndGame();
    Result<int> place = 0;
    if (seats_.Lead == GameLead::Here && s.RatedGame)
        place = UpdateRecords(model_.RecordsFolder(), model_.Dict, s, model_.State);
    NotifyGameEnded(place.ok() && *place > 0 ? model_.State.NewRecordPlace : 0);

    if (!place.ok()) {
        // The status follows once the warning is read.
        view_.ShowMessage(place.message(), MessageIcon::Warning,
                          [this] { view_.ShowGameStatus(); });
        return;
    }
    if (*place > 0) {
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
