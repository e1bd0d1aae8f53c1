// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Coaching: the best word the field offers a seat (the hint), and the review of a game that sets
// every move beside the best word of the position before it. Plain game logic, shared by the
// window and the companion.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/game_state.h"
#include "base/letters.h"
#include "base/move.h"
#include "base/rules.h"
#include "computer/computer_move.h"

namespace tq {

// The seed of the one draw the best move makes among equally long ways: the choice of a skill-7
// computer seat, made the same every time for the same position.
inline constexpr uint64_t kBestMoveSeed = 7;

// The move a skill-7 computer seat would choose for state.CurrentSeat in this position, drawn with
// a generator seeded with kBestMoveSeed, so that the same position always gives the same word.
// Only a move that forms a word counts: the returned move's Word is empty when the field offers
// no word. Works on the given copies only.
Move BestMove(const ComputerPlayer& computer, const Field& field, const GameSettings& settings,
              const GameState& state, const TDictInfo& dict);

// A game as the review reads it: its rules and seats, its initial word and its moves in order.
struct ReviewGame {
    GameSettings Settings;
    std::string DrawnWord;   // the initial word as drawn: the first played word
    std::string PlacedWord;  // as it stands on the middle row, with its joker
    struct PlayedMove {
        int Seat = 0;  // 1-based
        MoveSource Source = MoveSource::Human;
        Move Made;  // the word (or the letter alone), the letter, its cell and the chain
        // The chain's text as a game file gave it, when it is not a chain of cell codes (Made's
        // chain is then empty); nothing otherwise.
        std::optional<std::string> UnreadChain;
        int32_t Points = 0;  // as the results table shows it: word points with bonus or fine
        bool Hint = false;   // the seat was shown a hint before this move
    };
    std::vector<PlayedMove> Moves;
};

// Sets the move's chain from a game file's text: its cells, or, when the text is not a chain of
// cell codes, the text itself as UnreadChain, for the review to name should the move need it.
void ReadChain(ReviewGame::PlayedMove& move, const std::string& text);

// One reviewed move.
struct ReviewRow {
    int Index = 0;  // the move's place in the game, from 0 (its row of the results table)
    int Seat = 0;
    Move Played;
    int32_t Points = 0;      // the played move's points with the clock's bonus or fine
    int32_t WordPoints = 0;  // the played word's points alone: 10 a letter
    Move Best;               // Word empty when the field offered no word
    int32_t BestPoints = 0;  // word points of the best word
    bool Hint = false;
    Field Before;  // the field as it was before the move
};

struct SeatReview {
    int Seat = 0;
    std::string Name;
    int32_t Points = 0;      // the points of the seat's reviewed moves, bonus and fine included
    int32_t WordPoints = 0;  // the word points of those moves
    int32_t BestPoints = 0;  // the word points the best words of those moves would have made
    int Hints = 0;           // moves before which the seat took a hint
    int Moves = 0;
};

struct Review {
    std::vector<ReviewRow> Rows;
    std::vector<SeatReview> Seats;  // the reviewed seats that moved, in seat order
    std::size_t Replayed = 0;       // the moves replayed: all of them unless one did not fit
    std::string Misfit;             // why move Replayed + 1 did not fit; empty when all did
};

// Replays the game from its initial word and reviews the moves of the seats `reviewed` picks
// (every seat when it is empty). A move that does not fit the replayed field (a cell off the
// field or already taken, a chain the field does not hold, a word its chain does not read) ends
// the review there: what came before it is kept.
Review ReviewOf(const ComputerPlayer& computer, const TDictInfo& dict, const ReviewGame& game,
                const std::function<bool(int seat)>& reviewed = {});

// "words made 310 of 520 possible word points"
std::string MadeOfText(const SeatReview& seat);

}  // namespace tq
