// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The review window: every move of the seats at this computer with its points (as the results
// table shows them) beside the best word the field offered at that move and its word points, the
// total of each seat, and the hints it took. Selecting a move, by click or by keys, shows the
// field as it was before that move with the played word and the best word, each in its look.

#include <QDialog>

#include <functional>
#include <vector>

#include "coach/review.h"

class QLabel;
class QTableWidget;

namespace tq::ui {

class TReviewForm : public QDialog {
    Q_OBJECT
  public:
    // The table's columns.
    enum Column { kSeat, kWord, kPoints, kBestWord, kBestPoints, kHint, kColumns };

    // showRow shows a selected move on the field.
    TReviewForm(std::function<void(const ReviewRow&)> showRow, QWidget* parent);

    // Shows the review; the seats' names and colours come from the settings. With no move to
    // show, the line under the table tells whether a player at this computer may still move.
    void Fill(const Review& review, const GameSettings& settings, bool playerMayMove);

    QTableWidget* Table() const { return table_; }
    QLabel* Totals() const { return totals_; }
    const Review& Shown() const { return review_; }
    // A row selected: the move shown on the field.
    void RowClicked(int row);

  signals:
    // The window was closed or hidden: the field goes back to the game of now.
    void hidden();

  protected:
    void hideEvent(QHideEvent* e) override;

  private:
    std::function<void(const ReviewRow&)> showRow_;
    QTableWidget* table_;
    QLabel* totals_;
    Review review_;
};

// Where the review window goes (its frame's top left corner, for a frame of `size`): beside the
// main window's frame on the side of the screen with room for it, level with its top; where
// neither side has room, as far right as the screen allows but never over the field.
QPoint ReviewPlace(const QRect& screen, const QRect& mainFrame, const QRect& field,
                   const QSize& size);

// The text of a move's word in the review: the word, or "----" for a letter put without one.
QString ReviewWordText(const Move& move);
// A seat's line under the table: "<name>: you scored 330 points; your words made 310 of 520
// possible word points, 2 hints".
QString SeatTotalText(const SeatReview& seat);

}  // namespace tq::ui
