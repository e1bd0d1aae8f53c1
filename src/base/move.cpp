// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/move.h"

namespace tq {

void ApplyMove(Field& field, GameState& state, SeatScore& seat, const Move& move, MoveSource source,
               int16_t timeAward) {
    state.TimeAward = timeAward;
    if (timeAward > 0) seat.BonusPoints += timeAward;
    if (timeAward < 0) seat.FinePoints += -timeAward;
    if (move.FormsWord() || source != MoveSource::Human) state.UsedWords.Add(move.Word);
    if (move.FormsWord() && SameText(move.Word, state.JokerHiddenWord))
        state.JokerHiddenWord.clear();
    seat.WordPoints += WordPointsOf(move.Word);
    field.Set(move.NewCell, move.Letter);
    state.FieldLetters += move.Letter;
    ++state.LetterCountOnField;
}

}  // namespace tq
