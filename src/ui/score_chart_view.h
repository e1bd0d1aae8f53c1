// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The review's chart of how the game went: each seat's total after every move as a line in the
// seat's colour, the rounds along the bottom. Clicking a point picks that move.

#include <QChartView>

#include <vector>

#include "base/rules.h"
#include "coach/score_chart.h"

class QLineSeries;
class QValueAxis;

namespace tq::ui {

class ScoreChartView : public QChartView {
    Q_OBJECT
  public:
    explicit ScoreChartView(QWidget* parent);

    // Draws the lines, each seat named and coloured as the settings say.
    void ShowScores(const std::vector<SeatScores>& lines, const GameSettings& settings);

    const std::vector<SeatScores>& Shown() const { return lines_; }
    // The series of a seat's line (nullptr when the chart has none for it), for tests.
    QLineSeries* SeriesOf(int seat) const;
    QValueAxis* RoundAxis() const { return rounds_; }
    QValueAxis* PointsAxis() const { return points_; }
    // The move of the point nearest to `value` (round, points) on a seat's line; -1 for the
    // start of the game or a seat without a line.
    int MoveNear(int seat, const QPointF& value) const;

  signals:
    // A point of a line was clicked: the move it stands for (its place in the game).
    void moveClicked(int move);

  private:
    std::vector<SeatScores> lines_;
    std::vector<QLineSeries*> series_;  // parallel to lines_
    QValueAxis* rounds_;
    QValueAxis* points_;
};

}  // namespace tq::ui
