// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The review window: every move of the seats at this computer with its word and points beside
// the best word the field offered at that move, the total of each seat, and the hints it took.
// Clicking a move marks its word on the field and shows the best word's cells golden.

#include <QDialog>

#include <vector>

#include "coach/review.h"

class QLabel;
class QTableWidget;

namespace tq {
class GameFlow;
}

namespace tq::ui {

class TReviewForm : public QDialog {
    Q_OBJECT
  public:
    // The table's columns.
    enum Column { kSeat, kWord, kPoints, kBestWord, kBestPoints, kHint, kColumns };

    TReviewForm(GameFlow& flow, QWidget* parent);

    // Shows the review; the seats' names and colours come from the settings.
    void Fill(const Review& review, const GameSettings& settings);

    QTableWidget* Table() const { return table_; }
    QLabel* Totals() const { return totals_; }
    const Review& Shown() const { return review_; }
    // A click on a row: the played word marked, the best word golden (where the field may show
    // past words).
    void RowClicked(int row);

  private:
    GameFlow& flow_;
    QTableWidget* table_;
    QLabel* totals_;
    Review review_;
};

// The text of a move's word in the review: the word, or "----" for a letter put without one.
QString ReviewWordText(const Move& move);
// A seat's line under the table: "<name>: you made 310 of 520 possible points, 2 hints".
QString SeatTotalText(const SeatReview& seat);

}  // namespace tq::ui
