// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// sgRes, the results table: four columns (the first has no width), rows 19 pixels high with
// one-pixel grid lines, drawn entirely by the program, paged by the buttons beside it.

#include <QColor>
#include <QString>
#include <QWidget>

#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "ui/style.h"

namespace tq::ui {

class ResultsGrid : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kStartRows = 16;
    static constexpr int kRowHeight = 19;
    static constexpr int kLineWidth = 1;
    static constexpr std::array<int, 4> kColWidths = {0, 160, 50, 50};

    ResultsGrid(const Style& style, QWidget* parent);

    // New game: columns 1 to 3 of the first 16 rows emptied, 16 rows, row 0 selected.
    void Reset();
    // Writes a row in the colour of its seat, growing the table when needed, then selects it
    // and scrolls it into view.
    void SetRow(int row, const QString& word, const QString& points, const QString& letter,
                const QColor& colour);
    int RowCount() const { return static_cast<int>(rows_.size()); }
    int TopRow() const { return topRow_; }
    int SelectedRow() const { return selected_; }
    QString Text(int col, int row) const;
    // Who made the move of a row (no column of its own: the row's colour shows it).
    void SetRowPlayer(int row, const QString& player);
    QString Player(int row) const;
    // The rows up to the last one written.
    int FilledRows() const;
    QColor RowColour(int row) const;
    // The number of rows the grid shows whole.
    int VisibleRows() const;
    // One page up or down, as the grid's own page scrolling does.
    void PageUp();
    void PageDown();
    // Scrolls by whole rows (negative: up), never past the first row or the last page.
    void ScrollRows(int rows);
    // The grid's own background, seen only where no row is (set by a style's Apply).
    void SetBackground(const QColor& c);
    QColor Background() const { return background_; }
    // The rectangle of a cell in the grid's coordinates (empty when scrolled out of view).
    QRect CellRect(int col, int row) const;

  signals:
    // A press of the left mouse button on a cell; the other buttons do nothing.
    void cellClicked(int col, int row);
    // A double-click of the left button on a cell (after the press's cellClicked), at a global
    // point.
    void cellDoubleClicked(int col, int row, QPoint at);
    // The context menu asked for on a cell (by the right button, or by the menu key for the
    // selected row's word), at a global point.
    void cellMenuRequested(int col, int row, QPoint at);

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    // The wheel scrolls the rows, as many per notch as the desktop's wheel setting says.
    void wheelEvent(QWheelEvent* e) override;
    // With the keyboard focus (reached by Tab), the arrow, page, Home and End keys move the
    // selected row, which a screen reader reads; Enter shows its word on the field as a click on
    // the word does.
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

  private:
    struct Row {
        std::array<QString, 4> text;
        QString player;
        QColor colour = Qt::black;
    };
    void ScrollIntoView(int row);
    // The cell (column, row) at a point of the grid, if any.
    std::optional<std::pair<int, int>> CellAt(const QPoint& at) const;
    int ColLeft(int col) const;

    const Style& style_;
    std::vector<Row> rows_;
    int topRow_ = 0;
    int selected_ = 0;
    int wheelRest_ = 0;  // wheel movement short of a notch, kept for the next turn
    QColor background_ = Qt::white;
};

}  // namespace tq::ui
