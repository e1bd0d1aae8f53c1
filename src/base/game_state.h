// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state of the game in progress: the phase the game waits in, the turn, the played words and
// the move being entered. Reset by every new game.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/field.h"
#include "base/letters.h"
#include "base/rules.h"

namespace tq {

// What the game waits for. The numbers are fixed (they appear in tests and the status widgets).
enum class GamePhase : uint8_t {
    Idle = 0,
    Setup = 10,
    PutLetter = 11,
    LetterPut = 12,
    Marking = 13,
    MoveDone = 14,
    ComputerThinking = 15,
    AwaitRemote = 16,
    GameOver = 17,
};

// What a seat has earned in the game so far.
struct SeatScore {
    int32_t WordPoints = 0;
    int32_t BonusPoints = 0;
    int32_t FinePoints = 0;  // counted positive

    int32_t Total() const { return WordPoints + BonusPoints - FinePoints; }
};

struct GameState {
    GamePhase Phase = GamePhase::Idle;
    uint8_t Round = 0;
    uint8_t RoundCount = 0;
    uint8_t CurrentSeat = 1;
    uint8_t MoveWord = 0;
    SortedWordList UsedWords;
    // The initial word as drawn while the joker hides one of its letters and no move has formed
    // it; empty otherwise. UsedWords holds it, but the clients of a network game hold the word as
    // placed, with its '?', and may form the drawn word.
    std::string JokerHiddenWord;
    std::string FieldLetters;  // one character per occupied cell, in filling order
    uint8_t LetterCountOnField = 0;
    uint8_t NewRecordPlace = 0;
    Cell NewLetterCell;
    Cell LastMarkedCell;
    std::vector<Cell> MarkedPath;  // the marked chain, in marking order
    std::string MarkedWord;
    int16_t TimeAward = 0;
    std::vector<std::vector<Cell>> PlayedPaths;  // each row's chain of the results table
    std::array<SeatScore, kMaxSeats> Scores{};   // seat 1 first

    SeatScore& Score(int seat) { return Scores[seat - 1]; }  // 1-based
    const SeatScore& Score(int seat) const { return Scores[seat - 1]; }
};

}  // namespace tq
