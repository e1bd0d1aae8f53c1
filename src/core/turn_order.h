// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The order of the turns, in one place: every round each seat from 1 to the seat count moves in
// turn, each move being WordsPerMove words. The game flow steps forward with it and peeks at the
// turn to come; the server steps back with it when a client leaves while its move is awaited.

#include <algorithm>
#include <cstdint>
#include <optional>

#include "base/game_state.h"
#include "base/rules.h"

namespace tq {

// One turn: a word of a seat's move in a round. Before the first turn of a game the turn stands
// at round 1, seat 1, word 0.
struct Turn {
    int Round = 1;
    int Seat = 1;
    int MoveWord = 0;
    bool operator==(const Turn&) const = default;
};

class TurnOrder {
  public:
    TurnOrder(int seats, int wordsPerMove, int rounds)
        : seats_(std::max(1, seats)), words_(std::max(1, wordsPerMove)), rounds_(rounds) {}
    TurnOrder(const GameSettings& s, const GameState& st)
        : TurnOrder(s.Count, s.WordsPerMove, st.RoundCount) {}

    static Turn Start() { return Turn{}; }
    static Turn Of(const GameState& st) { return {st.Round, st.CurrentSeat, st.MoveWord}; }
    static void Set(GameState& st, Turn t) {
        st.Round = static_cast<uint8_t>(t.Round);
        st.CurrentSeat = static_cast<uint8_t>(t.Seat);
        st.MoveWord = static_cast<uint8_t>(t.MoveWord);
    }

    // The turn after t; nothing after the last word of the last seat in the last round.
    std::optional<Turn> Next(Turn t) const {
        if (t.MoveWord < words_) return Turn{t.Round, t.Seat, t.MoveWord + 1};
        if (t.Seat < seats_) return Turn{t.Round, t.Seat + 1, 1};
        if (t.Round < rounds_) return Turn{t.Round + 1, 1, 1};
        return std::nullopt;
    }
    // The turn before t, so that Next gives t again; the start stays where it is.
    Turn Previous(Turn t) const {
        if (t.MoveWord > 1) return Turn{t.Round, t.Seat, t.MoveWord - 1};
        if (t.MoveWord < 1) return t;
        if (t.Seat > 1) return Turn{t.Round, t.Seat - 1, words_};
        if (t.Round > 1) return Turn{t.Round - 1, seats_, words_};
        return Start();
    }

  private:
    int seats_;
    int words_;
    int rounds_;
};

}  // namespace tq
