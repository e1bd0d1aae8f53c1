// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The computer at the keyboard: it chooses a move for the seat to move with the computer player
// and enters it the way a player does (the letter into its cell, the chain cell by cell, the
// letter window answered where a joker asks, Enter),
// so the move takes the game's own path, on a client as "GetMyMove/" to the server. The
// companion's network bot and the network tests play client seats with it.

#include <vector>

#include "computer/computer_move.h"
#include "core/game_flow.h"

namespace tq::net {

class SeatBot {
  public:
    SeatBot(GameFlow& flow, int skill);

    // Plays the current seat's move when a local move is awaited (phase PutLetter). Returns
    // whether a move was entered.
    bool Play();

  private:
    // The computer's choice for the current seat, at the bot's skill; the game is left as it was.
    Move Choose();
    bool Enter(const Move& move, const std::vector<Cell>& chain);
    // A click on the cell, answering the letter window with the letter when it asks.
    void Click(Cell cell, char letter);

    GameFlow& flow_;
    int skill_;
    ComputerPlayer computer_;
};

}  // namespace tq::net
