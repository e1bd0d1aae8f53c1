// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a game went: each seat's total after every one of its moves, round by round, as the review
// window draws it.

#include <cstdint>
#include <vector>

#include "coach/review.h"

namespace tq {

struct ScorePoint {
    int Round = 0;      // 0 before the first move, then the seat's n-th move is round n
    int64_t Total = 0;  // the seat's total after that move, bonus and fine included
    int Move = -1;      // the move's place in the game (its results row); -1 for the start
};

struct SeatScores {
    int Seat = 0;                    // 1-based
    std::vector<ScorePoint> Points;  // from the start (round 0, total 0) on
};

// One line per seat of the game (1..Count), in seat order, each starting at round 0 with 0 points
// and adding a point after each of the seat's moves. A move of a seat outside the game is left
// out.
std::vector<SeatScores> ScoreLines(const ReviewGame& game);

}  // namespace tq
