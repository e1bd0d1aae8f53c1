// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/seat_bot.h"

#include "base/chain_rules.h"
#include "net/protocol.h"

namespace tq::net {

SeatBot::SeatBot(GameFlow& flow, int skill)
    : flow_(flow), skill_(skill), computer_(flow.Model().Words) {}

bool SeatBot::Play() {
    if (flow_.Phase() != GamePhase::PutLetter) return false;
    const Move move = Choose();
    if (move.Word.empty()) return false;
    if (move.Chain.empty()) return false;
    if (Enter(move, move.Chain)) return true;
    // A word the entry refused (it should not happen): the letter alone instead.
    flow_.CellClick(move.NewCell, MouseButton::Right, {});
    Move alone = move;
    alone.Word = std::string(1, move.Letter);
    return Enter(alone, {move.NewCell});
}

Move SeatBot::Choose() {
    GameModel& model = flow_.Model();
    GameSettings settings = model.Settings;
    settings.Seat(model.State.CurrentSeat).Skill = static_cast<uint8_t>(skill_);
    return computer_.ChooseMove(model.Board, settings, model.State, model.Dict, model.Rng);
}

bool SeatBot::Enter(const Move& move, const std::vector<Cell>& chain) {
    const Field& board = flow_.Model().Board;
    Click(move.NewCell, move.Letter);
    // A joker cell asks which letter it stands for.
    for (std::size_t i = 0; i < chain.size(); ++i) {
        const bool joker = !(chain[i] == move.NewCell) && board.At(chain[i]) == kJoker;
        Click(chain[i], joker && i < move.Word.size() ? move.Word[i] : kJoker);
    }
    flow_.AcceptWord();
    return flow_.Phase() == GamePhase::MoveDone;
}

void SeatBot::Click(Cell cell, char letter) {
    flow_.CellClick(cell, MouseButton::Left, {});
    if (!flow_.AwaitsLetter()) return;
    if (letter == kJoker)
        flow_.PickerCancelled();
    else
        flow_.LetterChosen(letter);
}

}  // namespace tq::net
