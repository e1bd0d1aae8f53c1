// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/score_chart_view.h"

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

#include "ui/fonts.h"
#include "ui/text.h"

namespace tq::ui {

namespace {

// A readable step for an axis that must show `span` units in at most `ticks` steps: 1, 2, 5,
// 10, 20, 50...
double NiceStep(double span, int ticks) {
    const double raw = std::max(1.0, span / std::max(1, ticks));
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0, 10.0})
        if (m * magnitude >= raw) return m * magnitude;
    return 10.0 * magnitude;
}

}  // namespace

ScoreChartView::ScoreChartView(QWidget* parent) : QChartView(parent) {
    setAccessibleName(tr("Score chart"));
    setAccessibleDescription(tr("Each seat's total after every move, round by round."));
    setRenderHint(QPainter::Antialiasing);
    auto* chart = new QChart;
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->legend()->setFont(SansSerif(11));
    rounds_ = new QValueAxis(chart);
    rounds_->setTitleText(tr("Round"));
    rounds_->setLabelFormat("%d");
    points_ = new QValueAxis(chart);
    points_->setTitleText(tr("Points"));
    points_->setLabelFormat("%d");
    for (QValueAxis* axis : {rounds_, points_}) {
        axis->setLabelsFont(SansSerif(10));
        axis->setTitleFont(SansSerif(11));
        axis->setTickType(QValueAxis::TicksDynamic);
    }
    chart->addAxis(rounds_, Qt::AlignBottom);
    chart->addAxis(points_, Qt::AlignLeft);
    setChart(chart);
    setMinimumHeight(170);
}

void ScoreChartView::ShowScores(const std::vector<SeatScores>& lines,
                                const GameSettings& settings) {
    QChart* c = chart();
    c->removeAllSeries();
    series_.clear();
    lines_ = lines;
    int lastRound = 1;
    int64_t low = 0, high = 10;
    for (const SeatScores& line : lines_) {
        auto* series = new QLineSeries(c);
        const bool known = line.Seat >= 1 && line.Seat <= kMaxSeats;
        series->setName(known ? ToQString(settings.Seat(line.Seat).Name) : QString());
        QPen pen(known ? ToQColor(settings.Seat(line.Seat).Color) : QColor(Qt::black));
        pen.setWidthF(2.0);
        series->setPen(pen);
        series->setPointsVisible(true);
        for (const ScorePoint& p : line.Points) {
            series->append(p.Round, static_cast<double>(p.Total));
            lastRound = std::max(lastRound, p.Round);
            low = std::min(low, p.Total);
            high = std::max(high, p.Total);
        }
        c->addSeries(series);
        series->attachAxis(rounds_);
        series->attachAxis(points_);
        const int seat = line.Seat;
        connect(series, &QLineSeries::clicked, this, [this, seat](const QPointF& value) {
            if (const int move = MoveNear(seat, value); move >= 0) emit moveClicked(move);
        });
        series_.push_back(series);
    }
    rounds_->setRange(0, lastRound);
    rounds_->setTickAnchor(0);
    rounds_->setTickInterval(NiceStep(lastRound, 10));
    const double step = NiceStep(static_cast<double>(high - low), 5);
    const double bottom = std::floor(static_cast<double>(low) / step) * step;
    const double top = std::ceil(static_cast<double>(high) / step) * step;
    points_->setRange(bottom, std::max(top, bottom + step));
    points_->setTickAnchor(0);
    points_->setTickInterval(step);
    c->legend()->setVisible(lines_.size() > 0);
}

QLineSeries* ScoreChartView::SeriesOf(int seat) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].Seat == seat) return series_[i];
    return nullptr;
}

int ScoreChartView::MoveNear(int seat, const QPointF& value) const {
    for (const SeatScores& line : lines_) {
        if (line.Seat != seat || line.Points.empty()) continue;
        const auto nearest = std::min_element(line.Points.begin(), line.Points.end(),
                                              [&value](const ScorePoint& a, const ScorePoint& b) {
                                                  return std::abs(a.Round - value.x()) <
                                                         std::abs(b.Round - value.x());
                                              });
        return nearest->Move;
    }
    return -1;
}

}  // namespace tq::ui
