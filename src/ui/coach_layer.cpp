// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/coach_layer.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

#include "base/chain_rules.h"
#include "ui/fonts.h"
#include "ui/main_form.h"
#include "ui/style.h"
#include "ui/text.h"

namespace tq::ui {

namespace {

// The chain's cells: the word's chain, or the new cell of a letter put alone.
std::vector<Cell> ChainCells(const Move& move) {
    if (move.Word.empty()) return {};
    if (!move.FormsWord()) return {move.NewCell};
    return move.Chain.empty() ? std::vector<Cell>{move.NewCell} : move.Chain;
}

int OrderOf(const Move& move, Cell cell) {
    if (!move.FormsWord()) return 0;
    const std::vector<Cell> cells = ChainCells(move);
    const auto at = std::find(cells.begin(), cells.end(), cell);
    return at == cells.end() ? 0 : static_cast<int>(at - cells.begin()) + 1;
}

bool InChain(const Move& move, Cell cell) {
    const std::vector<Cell> cells = ChainCells(move);
    return std::find(cells.begin(), cells.end(), cell) != cells.end();
}

QString LetterText(char letter) {
    return ToQString(std::string(1, letter));
}

}  // namespace

QColor CoachColour(CoachLook look) {
    switch (look) {
        case CoachLook::Hint:
            return QColor(0, 128, 112);
        case CoachLook::Played:
            return QColor(24, 84, 204);
        case CoachLook::Best:
            return QColor(204, 60, 0);
    }
    return Qt::black;
}

void PaintCoachCell(QPainter& p, const QRect& cell, CoachLook look, int order) {
    const QColor colour = CoachColour(look);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // The played word is framed on the cell's edge and tinted, the best word framed inside it with
    // dashes, so a cell of both shows both; the hint has a frame of its own colour.
    QPen pen(colour, 3);
    QRectF frame = QRectF(cell).adjusted(1.5, 1.5, -1.5, -1.5);
    if (look == CoachLook::Played) {
        QColor tint = colour;
        tint.setAlpha(48);
        p.fillRect(cell, tint);
    } else if (look == CoachLook::Best) {
        pen.setDashPattern({2.0, 1.0});
        frame = QRectF(cell).adjusted(5.5, 5.5, -5.5, -5.5);
    }
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame);
    if (order > 0) {
        // The cell's place in the chain on a small badge: top left for the hint and the played
        // word, bottom right for the best word.
        QFont font = SansSerif(9, true);
        p.setFont(font);
        const QString text = QString::number(order);
        const int w = std::max(11, p.fontMetrics().horizontalAdvance(text) + 4);
        const int h = 11;
        const QRect badge = look == CoachLook::Best
                                ? QRect(cell.right() - w + 1, cell.bottom() - h + 1, w, h)
                                : QRect(cell.left(), cell.top(), w, h);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawRoundedRect(badge, 3, 3);
        p.setPen(Qt::white);
        p.drawText(badge, Qt::AlignCenter, text);
    }
    p.restore();
}

CoachLayer::CoachLayer(TMainForm& form) : QWidget(form.ClientArea()), form_(form) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(form.Background()->geometry());
    raise();
    hide();
}

QRect CoachLayer::CellRect(Cell cell) const {
    if (cell.col < 0 || cell.row < 0 || cell.col >= kMaxFieldSide || cell.row >= kMaxFieldSide)
        return {};
    const QRect g = form_.CellAt(cell.col, cell.row)->geometry();
    return g.translated(-pos());
}

void CoachLayer::ShowHint(const Move& best) {
    showing_ = Showing::Hint;
    first_ = best;
    second_ = {};
    raise();
    show();
    update();
}

void CoachLayer::ShowReviewMove(const Field& before, const Move& played, const Move& best) {
    showing_ = Showing::Review;
    before_ = before;
    first_ = played;
    second_ = best;
    raise();
    show();
    update();
}

void CoachLayer::Clear() {
    if (showing_ == Showing::Nothing) return;
    showing_ = Showing::Nothing;
    hide();
}

int CoachLayer::OrderIn(CoachLook look, Cell cell) const {
    switch (showing_) {
        case Showing::Nothing:
            return 0;
        case Showing::Hint:
            return look == CoachLook::Hint && InChain(first_, cell)
                       ? std::max(1, OrderOf(first_, cell))
                       : 0;
        case Showing::Review:
            if (look == CoachLook::Played && InChain(first_, cell))
                return std::max(1, OrderOf(first_, cell));
            if (look == CoachLook::Best && InChain(second_, cell))
                return std::max(1, OrderOf(second_, cell));
            return 0;
    }
    return 0;
}

char CoachLayer::LetterAt(Cell cell) const {
    if (showing_ == Showing::Nothing) return kEmptyCell;
    if (!first_.Word.empty() && cell == first_.NewCell) return first_.Letter;
    if (showing_ == Showing::Review) {
        if (!second_.Word.empty() && cell == second_.NewCell) return second_.Letter;
        if (before_.Inside(cell.col, cell.row)) return before_.At(cell);
    }
    return kEmptyCell;
}

void CoachLayer::PaintChain(QPainter& p, const Move& move, CoachLook look) {
    for (const Cell c : ChainCells(move)) {
        const QRect r = CellRect(c);
        if (!r.isEmpty()) PaintCoachCell(p, r, look, OrderOf(move, c));
    }
}

void CoachLayer::PaintPutLetter(QPainter& p, const Move& move, CoachLook look, bool small) {
    if (move.Word.empty()) return;
    const QRect r = CellRect(move.NewCell);
    if (r.isEmpty()) return;
    p.setPen(CoachColour(look));
    if (small) {
        // A second letter in a cell the played move filled: small, in the top right corner.
        p.setFont(SansSerif(12, true));
        p.drawText(r.adjusted(0, 1, -3, 0), Qt::AlignRight | Qt::AlignTop, LetterText(move.Letter));
    } else {
        p.setFont(SansSerif(21));
        p.drawText(r, Qt::AlignCenter, LetterText(move.Letter));
    }
}

void CoachLayer::paintEvent(QPaintEvent*) {
    if (showing_ == Showing::Nothing) return;
    QPainter p(this);
    if (showing_ == Showing::Hint) {
        PaintChain(p, first_, CoachLook::Hint);
        PaintPutLetter(p, first_, CoachLook::Hint, false);
        return;
    }
    // The field as it stood before the move, over the field of now.
    const Style& style = form_.CurrentStyle();
    const QImage& cellPicture = style.Pictures().fieldCell;
    p.setFont(SansSerif(21));
    for (int c = 0; c < before_.Cols(); ++c)
        for (int r = 0; r < before_.Rows(); ++r) {
            const QRect rect = CellRect(Cell{c, r});
            if (rect.isEmpty()) continue;
            p.drawImage(rect, cellPicture);
            if (before_.IsEmpty(c, r)) continue;
            p.setPen(style.Colour(StyleColour::FieldFontColor));
            p.drawText(rect, Qt::AlignCenter, LetterText(before_.At(c, r)));
        }
    PaintChain(p, first_, CoachLook::Played);
    PaintChain(p, second_, CoachLook::Best);
    PaintPutLetter(p, first_, CoachLook::Played, false);
    const bool sameCell = !first_.Word.empty() && second_.NewCell == first_.NewCell;
    if (!(sameCell && second_.Letter == first_.Letter))
        PaintPutLetter(p, second_, CoachLook::Best, sameCell);
}

}  // namespace tq::ui
