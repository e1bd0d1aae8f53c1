// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A move as the game commits it, whoever made it (a human here, the computer, a human at another
// computer), and what it earns.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/field.h"
#include "base/game_state.h"
#include "base/rules.h"

namespace tq {

// Who made a move.
enum class MoveSource : uint8_t {
    Human,     // a human at this computer
    Computer,  // a computer seat
    Remote,    // a human at another computer, received from the network
};

struct Move {
    std::string Word;  // the word formed, or the new letter alone; empty when there is no move
    char Letter = kEmptyCell;
    Cell NewCell;
    // The cells of the word's chain in the word's order, or the new cell alone when no word was
    // formed.
    std::vector<Cell> Chain;

    bool FormsWord() const { return Word.size() > 1; }
};

inline constexpr int32_t kPointsPerLetter = 10;

// What a word earns: 10 points a letter; a letter alone earns nothing.
constexpr int32_t WordPointsOf(std::string_view word) {
    return word.size() > 1 ? kPointsPerLetter * static_cast<int32_t>(word.size()) : 0;
}

// The model's side of committing a move: the letter goes into its cell and onto FieldLetters and
// LetterCountOnField; TimeAward becomes `timeAward`, credited to the seat as bonus (positive) or
// fine (negative); a word enters UsedWords and earns the seat 10 points a letter. A letter alone
// earns nothing and enters UsedWords only from the computer or the network (a human's does not).
// A move that forms the initial word a joker hides makes it a played word for every computer.
void ApplyMove(Field& field, GameState& state, SeatScore& seat, const Move& move, MoveSource source,
               int16_t timeAward);

}  // namespace tq
