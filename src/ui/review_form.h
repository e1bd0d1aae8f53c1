// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The review window: every move of the seats at this computer with its points (as the results
// table shows them) beside the best word the field offered at that move and its word points, the
// total of each seat, and the hints it took. Selecting a move, by click or by keys, shows the
// field as it was before that move with the played word and the best word, each in its look.

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

#include "coach/review.h"

class QLabel;
class QTableWidget;

namespace tq::ui {

class ScoreChartView;

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

    // The chart of how the game went: every seat's total after each move.
    void ShowScores(const ReviewGame& game);
    // The review row of a move (its place in the game); -1 when the review does not show it (a
    // move of a seat at another computer or of the computer).
    int RowOfMove(int move) const;

    QTableWidget* Table() const { return table_; }
    ScoreChartView* Chart() const { return chart_; }
    QLabel* Totals() const { return totals_; }
    const Review& Shown() const { return review_; }
    // A row selected: the move shown on the field.
    void RowClicked(int row);
    // What a double-click on a row's played or best word and the row's context menu do: explain
    // shows a word's meaning beside a global point, menu offers the words' choices there.
    void SetWordActions(std::function<void(const std::string&, const QPoint&)> explain,
                        std::function<void(const std::vector<std::string>&, const QPoint&)> menu);
    // The words of a row a double-click on a cell explains: the best word in its columns, the
    // played word elsewhere; both for the context menu.
    std::string WordAt(int row, int column) const;
    std::vector<std::string> RowWords(int row) const;

  signals:
    // The window was closed or hidden: the field goes back to the game of now.
    void hidden();

  protected:
    void hideEvent(QHideEvent* e) override;

  private:
    std::function<void(const ReviewRow&)> showRow_;
    std::function<void(const std::string&, const QPoint&)> explain_;
    std::function<void(const std::vector<std::string>&, const QPoint&)> menu_;
    QTableWidget* table_;
    QLabel* totals_;
    ScoreChartView* chart_;
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
