// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What coaching draws over the field, in looks of its own that the player's chain marks never
// take: the hinted word (its cells framed and numbered in the chain's order, the letter it puts
// shown in its empty cell), or a reviewed move on the field as it stood before that move, with
// the played word and the best word each in its look. Clicks go through to the field; any change
// of the field's letters or marks clears the layer.

#include <QWidget>

#include "base/field.h"
#include "base/move.h"

namespace tq::ui {

class TMainForm;

// The looks of coaching's cells.
enum class CoachLook { Hint, Played, Best };

// Draws a cell's coaching look on `cell` (the cell's rectangle): its frame and, when order > 0,
// the cell's place in the chain.
void PaintCoachCell(QPainter& p, const QRect& cell, CoachLook look, int order);
// The colour of a look, for its frame, its numbers and the letter it puts.
QColor CoachColour(CoachLook look);

class CoachLayer : public QWidget {
    Q_OBJECT
  public:
    enum class Showing { Nothing, Hint, Review };

    // Lies over the form's field, above its cells and letters.
    explicit CoachLayer(TMainForm& form);

    // The hint: a move that forms a word.
    void ShowHint(const Move& best);
    // A move of the review: the field before it, the played move and the best move.
    void ShowReviewMove(const Field& before, const Move& played, const Move& best);
    void Clear();

    Showing Shows() const { return showing_; }
    // The look a cell has now and its place in that look's chain (0 when not in it), for tests.
    int OrderIn(CoachLook look, Cell cell) const;
    // The letter the layer shows in a cell: the field's letter before the move in a review, the
    // letter a move puts, or nothing.
    char LetterAt(Cell cell) const;

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    void PaintChain(QPainter& p, const Move& move, CoachLook look);
    void PaintPutLetter(QPainter& p, const Move& move, CoachLook look, bool small);
    QRect CellRect(Cell cell) const;

    TMainForm& form_;
    Showing showing_ = Showing::Nothing;
    Field before_;
    Move first_;   // the hint, or the played move
    Move second_;  // the best move of a review
};

}  // namespace tq::ui
