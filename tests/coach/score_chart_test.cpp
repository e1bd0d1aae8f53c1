// SPDX-License-Identifier: GPL-3.0-or-later
#include "coach/score_chart.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace tq {
namespace {

// A game of `seats` seats with moves given as (seat, points).
ReviewGame GameOf(int seats, const std::vector<std::pair<int, int32_t>>& moves) {
    ReviewGame game;
    game.Settings.Count = static_cast<uint8_t>(seats);
    for (const auto& [seat, points] : moves) {
        ReviewGame::PlayedMove m;
        m.Seat = seat;
        m.Points = points;
        game.Moves.push_back(m);
    }
    return game;
}

// (round, total, move) of each point of each seat's line.
using Line = std::vector<std::tuple<int, int64_t, int>>;

std::vector<Line> LinesOf(const ReviewGame& game) {
    std::vector<Line> out;
    for (const SeatScores& s : ScoreLines(game)) {
        Line line;
        for (const ScorePoint& p : s.Points) line.emplace_back(p.Round, p.Total, p.Move);
        out.push_back(line);
    }
    return out;
}

TEST(ScoreChart, EachSeatsTotalAfterEveryMoveRoundByRound) {
    struct Case {
        const char* name;
        ReviewGame game;
        std::vector<Line> lines;
    };
    const Case cases[] = {
        {"no move yet", GameOf(2, {}), {{{0, 0, -1}}, {{0, 0, -1}}}},
        {"two seats, a fine and a letter without a word",
         GameOf(2, {{1, 40}, {2, 50}, {1, -10}, {2, 0}, {1, 30}}),
         {{{0, 0, -1}, {1, 40, 0}, {2, 30, 2}, {3, 60, 4}}, {{0, 0, -1}, {1, 50, 1}, {2, 50, 3}}}},
        {"three seats, one never moved",
         GameOf(3, {{1, 30}, {2, 40}}),
         {{{0, 0, -1}, {1, 30, 0}}, {{0, 0, -1}, {1, 40, 1}}, {{0, 0, -1}}}},
        {"a seat outside the game is left out",
         GameOf(2, {{0, 99}, {3, 99}, {-1, 99}, {2, 20}}),
         {{{0, 0, -1}}, {{0, 0, -1}, {1, 20, 3}}}},
        {"large totals do not wrap",
         GameOf(1, {{1, 2'000'000'000}, {1, 2'000'000'000}}),
         {{{0, 0, -1}, {1, 2'000'000'000, 0}, {2, 4'000'000'000, 1}}}},
    };
    for (const Case& c : cases) EXPECT_EQ(LinesOf(c.game), c.lines) << c.name;
}

}  // namespace
}  // namespace tq
