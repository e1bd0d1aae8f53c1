// SPDX-License-Identifier: GPL-3.0-or-later
#include "coach/score_chart.h"

namespace tq {

std::vector<SeatScores> ScoreLines(const ReviewGame& game) {
    const int seats = game.Settings.Count;
    std::vector<SeatScores> lines;
    for (int seat = 1; seat <= seats && seat <= kMaxSeats; ++seat)
        lines.push_back({seat, {ScorePoint{}}});
    for (std::size_t i = 0; i < game.Moves.size(); ++i) {
        const ReviewGame::PlayedMove& m = game.Moves[i];
        if (m.Seat < 1 || m.Seat > static_cast<int>(lines.size())) continue;
        std::vector<ScorePoint>& points = lines[m.Seat - 1].Points;
        const ScorePoint& last = points.back();
        points.push_back({last.Round + 1, last.Total + m.Points, static_cast<int>(i)});
    }
    return lines;
}

}  // namespace tq
