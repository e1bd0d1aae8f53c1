// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What happened in the game, for everything that is not the window: the companion, the network
// sessions, tests. The window keeps learning through GameView; an observer learns through these
// events, each once, in the order they happen, on the user-interface thread.

#include <cstdint>
#include <string>
#include <vector>

#include "base/move.h"
#include "core/net_sender.h"

namespace tq {

// A new game stands on the field, before its first turn opens.
struct GameStartedEvent {
    std::string DrawnWord;   // the initial word as drawn (or received)
    std::string PlacedWord;  // as placed in the middle row, with its joker
};

// A move was committed: scored, placed, shown and sent; the turn has not advanced yet.
struct MovePlayedEvent {
    MoveSource Source = MoveSource::Human;
    int Round = 0;
    int Seat = 0;  // 1-based
    int MoveWord = 0;
    int ResultRow = 0;  // the move's row of the results table, from 0
    // What the move earned, as its row shows it: 10 points a letter of its word plus the time
    // award.
    int32_t Points = 0;
    // The chain as marked: the word's cells, or the new cell alone.
    std::vector<Cell> Path;
    // The move as a move line carries it: the seat's counters after the move, the time award, the
    // word (the letter alone when no word was formed), the chain as the mover wrote it, the letter
    // and its cell.
    MoveReport Report;

    bool FormsWord() const { return Report.Word.size() > 1; }
};

// The last move of the last round was played (on a client: the server ended the game), and a
// rated game is recorded.
struct GameEndedEvent {
    struct SeatTotal {
        int Seat = 0;  // 1-based
        int32_t WordPoints = 0;
        int32_t BonusPoints = 0;
        int32_t FinePoints = 0;
        int32_t Total = 0;
    };
    std::vector<SeatTotal> Totals;  // the seats in play, in order
    int RecordPlace = 0;            // the place a rated game took in the record table, 0 for none
};

// Subscribe with GameFlow::Subscribe. A handler may read the model and send lines; it must not
// start a game or commit a move from inside the handler.
class GameEvents {
  public:
    virtual ~GameEvents() = default;
    virtual void GameStarted(const GameStartedEvent&) {}
    virtual void MovePlayed(const MovePlayedEvent&) {}
    virtual void GameEnded(const GameEndedEvent&) {}
};

}  // namespace tq
