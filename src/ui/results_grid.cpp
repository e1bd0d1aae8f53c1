// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results_grid.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

#include "ui/access.h"
#include "ui/fonts.h"

namespace tq::ui {

ResultsGrid::ResultsGrid(const Style& style, QWidget* parent) : QWidget(parent), style_(style) {
    setFont(SansSerif(11, true));
    setFocusPolicy(Qt::NoFocus);
    rows_.resize(kStartRows);
}

void ResultsGrid::Reset() {
    for (int r = 0; r < kStartRows && r < RowCount(); ++r) rows_[r] = Row{};
    rows_.resize(kStartRows);
    selected_ = 0;
    topRow_ = 0;
    update();
    NotifyTableReset(this);
}

void ResultsGrid::SetRow(int row, const QString& word, const QString& points, const QString& letter,
                         const QColor& colour) {
    if (row < 0) return;
    if (row >= RowCount()) rows_.resize(row + 1);
    Row& r = rows_[row];
    r.text[1] = word;
    r.text[2] = points;
    r.text[3] = letter;
    r.colour = colour;
    selected_ = row;
    ScrollIntoView(row);
    update();
    NotifyTableReset(this);
}

QString ResultsGrid::Text(int col, int row) const {
    if (row < 0 || row >= RowCount() || col < 0 || col > 3) return {};
    return rows_[row].text[col];
}

void ResultsGrid::SetRowPlayer(int row, const QString& player) {
    if (row < 0 || row >= RowCount()) return;
    rows_[row].player = player;
}

QString ResultsGrid::Player(int row) const {
    if (row < 0 || row >= RowCount()) return {};
    return rows_[row].player;
}

int ResultsGrid::FilledRows() const {
    for (int row = RowCount(); row > 0; --row) {
        const Row& r = rows_[row - 1];
        if (!r.text[1].isEmpty() || !r.text[2].isEmpty() || !r.text[3].isEmpty()) return row;
    }
    return 0;
}

void ResultsGrid::keyPressEvent(QKeyEvent* e) {
    const int filled = FilledRows();
    int row = selected_;
    switch (e->key()) {
        case Qt::Key_Up:
            --row;
            break;
        case Qt::Key_Down:
            ++row;
            break;
        case Qt::Key_PageUp:
            row -= VisibleRows();
            break;
        case Qt::Key_PageDown:
            row += VisibleRows();
            break;
        case Qt::Key_Home:
            row = 0;
            break;
        case Qt::Key_End:
            row = filled - 1;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (selected_ < filled) {
                emit cellClicked(1, selected_);
                return;
            }
            QWidget::keyPressEvent(e);
            return;
        default:
            QWidget::keyPressEvent(e);
            return;
    }
    if (filled == 0) return;
    selected_ = std::clamp(row, 0, filled - 1);
    ScrollIntoView(selected_);
    update();
    NotifyResultsFocus(this, selected_);
}

void ResultsGrid::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    NotifyResultsFocus(this, selected_);
}

QColor ResultsGrid::RowColour(int row) const {
    if (row < 0 || row >= RowCount()) return {};
    return rows_[row].colour;
}

int ResultsGrid::VisibleRows() const {
    return std::max(1, height() / (kRowHeight + kLineWidth));
}

void ResultsGrid::ScrollIntoView(int row) {
    if (row < topRow_)
        topRow_ = row;
    else if (row >= topRow_ + VisibleRows())
        topRow_ = row - VisibleRows() + 1;
}

void ResultsGrid::PageUp() {
    ScrollRows(-VisibleRows());
}

void ResultsGrid::PageDown() {
    ScrollRows(VisibleRows());
}

void ResultsGrid::ScrollRows(int rows) {
    const int last = std::max(0, RowCount() - VisibleRows());
    topRow_ = std::clamp(topRow_ + rows, 0, std::max(topRow_, last));
    update();
}

void ResultsGrid::wheelEvent(QWheelEvent* e) {
    // 120 units are one notch; finer wheels and touchpads send less at a time.
    wheelRest_ += e->angleDelta().y();
    const int notches = wheelRest_ / 120;
    wheelRest_ -= notches * 120;
    if (notches != 0) ScrollRows(-notches * std::max(1, QApplication::wheelScrollLines()));
    e->accept();
}

void ResultsGrid::SetBackground(const QColor& c) {
    background_ = c;
    update();
}

int ResultsGrid::ColLeft(int col) const {
    int x = 0;
    for (int i = 0; i < col; ++i) x += kColWidths[i] + kLineWidth;
    return x;
}

QRect ResultsGrid::CellRect(int col, int row) const {
    if (col < 0 || col > 3 || row < topRow_ || row >= RowCount()) return {};
    const int top = (row - topRow_) * (kRowHeight + kLineWidth);
    if (top >= height()) return {};
    return QRect(ColLeft(col), top, kColWidths[col], kRowHeight);
}

void ResultsGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), background_);
    const QColor fill = style_.Colour(StyleColour::FillColor);
    // The grid lines, in the colour of the grid's lines on a plain grid.
    const QColor line(192, 192, 192);
    const QColor light(255, 255, 255);
    const QColor shadow(128, 128, 128);
    p.setFont(font());
    for (int row = topRow_; row < RowCount(); ++row) {
        const int top = (row - topRow_) * (kRowHeight + kLineWidth);
        if (top >= height()) break;
        p.fillRect(QRect(0, top + kRowHeight, width(), kLineWidth), line);
        for (int col = 0; col < 4; ++col) {
            const QRect cell(ColLeft(col), top, kColWidths[col], kRowHeight);
            p.fillRect(QRect(cell.right() + 1, top, kLineWidth, kRowHeight), line);
            if (cell.width() <= 0) continue;
            p.fillRect(cell, fill);
            const QString& text = rows_[row].text[col];
            if (!text.isEmpty()) {
                p.setPen(rows_[row].colour);
                const QRect textRect = cell.adjusted(0, 4, 3, 0);
                p.drawText(textRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, text);
            }
            // A bump edge along the left and top sides: raised outer, sunken inner.
            p.setPen(light);
            p.drawLine(cell.left(), cell.top(), cell.right(), cell.top());
            p.drawLine(cell.left(), cell.top(), cell.left(), cell.bottom());
            p.setPen(shadow);
            p.drawLine(cell.left() + 1, cell.top() + 1, cell.right(), cell.top() + 1);
            p.drawLine(cell.left() + 1, cell.top() + 1, cell.left() + 1, cell.bottom());
        }
    }
}

std::optional<std::pair<int, int>> ResultsGrid::CellAt(const QPoint& at) const {
    const int row = topRow_ + at.y() / (kRowHeight + kLineWidth);
    if (at.y() < 0 || row >= RowCount()) return std::nullopt;
    for (int col = 0; col < 4; ++col) {
        const int left = ColLeft(col);
        if (at.x() >= left && at.x() < left + kColWidths[col]) return std::pair(col, row);
    }
    return std::nullopt;
}

void ResultsGrid::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    if (const auto cell = CellAt(e->position().toPoint()))
        emit cellClicked(cell->first, cell->second);
}

void ResultsGrid::mouseDoubleClickEvent(QMouseEvent* e) {
    // The press before it has marked the word's cells and copied it, as a click does.
    if (e->button() != Qt::LeftButton) return;
    if (const auto cell = CellAt(e->position().toPoint()))
        emit cellDoubleClicked(cell->first, cell->second, e->globalPosition().toPoint());
}

void ResultsGrid::contextMenuEvent(QContextMenuEvent* e) {
    const auto cell = e->reason() == QContextMenuEvent::Mouse
                          ? CellAt(e->pos())
                          : std::optional(std::pair(1, selected_));  // the menu key
    if (!cell || cell->second >= RowCount()) return;
    const QRect rect = CellRect(1, cell->second);
    const QPoint at = e->reason() == QContextMenuEvent::Mouse
                          ? e->globalPos()
                          : mapToGlobal(rect.isEmpty() ? QPoint(0, 0) : rect.center());
    emit cellMenuRequested(cell->first, cell->second, at);
}

}  // namespace tq::ui
