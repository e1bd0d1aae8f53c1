// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/review_form.h"

#include <QCoreApplication>
#include <QHeaderView>

#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "base/chain_rules.h"
#include "core/game_flow.h"
#include "ui/fonts.h"
#include "ui/text.h"

namespace tq::ui {

namespace {

std::vector<Cell> CellsOf(const Move& move) {
    if (move.Word.empty()) return {};
    auto cells = ParseChain(move.Chain);
    if (!cells) return {move.NewCell};
    return *cells;
}

}  // namespace

QString ReviewWordText(const Move& move) {
    return move.FormsWord() ? ToQString(move.Word) : QStringLiteral("----");
}

QString SeatTotalText(const SeatReview& seat) {
    const QString text =
        seat.Hints == 0 ? QCoreApplication::translate("tq::ui::TReviewForm",
                                                      "%1: you made %2 of %3 possible points")
        : seat.Hints == 1
            ? QCoreApplication::translate("tq::ui::TReviewForm",
                                          "%1: you made %2 of %3 possible points, 1 hint")
            : QCoreApplication::translate("tq::ui::TReviewForm",
                                          "%1: you made %2 of %3 possible points, %n hints",
                                          nullptr, seat.Hints);
    return text.arg(ToQString(seat.Name), QString::number(seat.Points),
                    QString::number(seat.BestPoints));
}

TReviewForm::TReviewForm(GameFlow& flow, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      flow_(flow) {
    setWindowTitle(tr("Review"));
    setFont(SansSerif(11));
    auto* layout = new QVBoxLayout(this);
    table_ = new QTableWidget(0, kColumns, this);
    table_->setAccessibleName(tr("Moves"));
    table_->setHorizontalHeaderLabels(
        {tr("Seat"), tr("Word"), tr("Points"), tr("Best word"), tr("Points"), tr("Hint")});
    table_->verticalHeader()->setVisible(false);
    table_->verticalHeader()->setDefaultSectionSize(20);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(table_);
    totals_ = new QLabel(this);
    layout->addWidget(totals_);
    auto* legend = new QLabel(
        tr("Click a move: its word is marked on the field, the best word golden."), this);
    layout->addWidget(legend);
    connect(table_, &QTableWidget::cellClicked, this, [this](int row, int) { RowClicked(row); });
    resize(440, 400);
}

void TReviewForm::Fill(const Review& review, const GameSettings& settings) {
    review_ = review;
    table_->clearContents();
    table_->setRowCount(static_cast<int>(review.Rows.size()));
    for (int i = 0; i < table_->rowCount(); ++i) {
        const ReviewRow& r = review.Rows[i];
        const QColor colour = r.Seat >= 1 && r.Seat <= kMaxSeats
                                  ? ToQColor(settings.Seat(r.Seat).Color)
                                  : QColor(Qt::black);
        const QString cells[kColumns] = {
            r.Seat >= 1 && r.Seat <= kMaxSeats ? ToQString(settings.Seat(r.Seat).Name) : QString(),
            ReviewWordText(r.Played),
            QString::number(r.Points),
            r.Best.Word.empty() ? QStringLiteral("----") : ToQString(r.Best.Word),
            QString::number(r.BestPoints),
            r.Hint ? tr("hint") : QString()};
        for (int c = 0; c < kColumns; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setForeground(colour);
            if (c == kPoints || c == kBestPoints)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(i, c, item);
        }
    }
    QStringList lines;
    for (const SeatReview& seat : review.Seats) lines << SeatTotalText(seat);
    if (lines.isEmpty()) lines << tr("No move of a player at this computer yet.");
    totals_->setText(lines.join('\n'));
    // As wide as the columns need, the words' columns wide enough for a ten-letter word.
    table_->resizeColumnsToContents();
    int width = 0;
    for (int c = 0; c < kColumns; ++c) {
        const int least = c == kWord || c == kBestWord ? 110 : 45;
        if (table_->columnWidth(c) < least) table_->setColumnWidth(c, least);
        width += table_->columnWidth(c);
    }
    resize(std::max(width + 60, totals_->sizeHint().width() + 30), height());
    if (table_->rowCount() > 0) table_->scrollToBottom();
}

void TReviewForm::RowClicked(int row) {
    if (row < 0 || row >= static_cast<int>(review_.Rows.size())) return;
    const ReviewRow& r = review_.Rows[row];
    flow_.ShowCoachMarks(CellsOf(r.Played), CellsOf(r.Best));
}

}  // namespace tq::ui
