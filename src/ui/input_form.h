// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TInputForm, the letter window: a frameless pop-up at the pointer with the whole alphabet as a
// grid of picture cells. Ask shows it over the main window and returns at once; the chosen capital,
// or '?', follows when it closes.

#include <QDialog>
#include <QTimer>

#include <array>
#include <functional>
#include <optional>

#include "dict/word_store.h"
#include "ui/style.h"
#include "ui/widgets.h"

namespace tq::ui {

class TInputForm : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kCols = 8;
    static constexpr int kRows = 4;
    static constexpr int kCellSize = 22;
    static constexpr int kNoCell = 255;

    TInputForm(const TDictInfo& dict, Style& style, QWidget* parent);

    // Shows the window at the pointer (or with its top-left corner at `at`, global), blocking
    // the main window's input, and returns at once. When it closes, `answer` gets its letter: a
    // capital of the alphabet, or '?' when the player closed it without choosing.
    void Ask(std::optional<QPoint> at, std::function<void(char)> answer);
    // The showing without opening the window: '?' chosen, the window at the pointer or `at` (moved
    // left or up as far as needed to lie inside the screen's available area), the timer on.
    void Open(std::optional<QPoint> at = std::nullopt);
    char Chosen() const { return chosen_; }

    // The choice a typed character makes: the capital for a letter of the alphabet (with a
    // Russian dictionary also for the Latin letter on the same key of the standard Russian
    // layout), else '?'. A capital typed without Shift comes from Caps Lock and chooses its
    // letter; a letter typed with Shift held chooses nothing.
    char LetterForKey(const QString& text, bool shift = false) const;

    // Style refresh: reloads the three pictures, recolours the letters, draws all cells normal.
    void RefreshStyle();

    // For tests and the style dialog: the cell at column c, row r, and its letter label.
    CellView* CellAt(int c, int r) const { return cells_[r * kCols + c]; }
    TextLabel* LabelAt(int c, int r) const { return labels_[r * kCols + c]; }
    int HoveredCol() const { return hoverCol_; }
    int HoveredRow() const { return hoverRow_; }
    // The 500 ms check that removes a stale highlight.
    void TimerTick();

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void hideEvent(QHideEvent* e) override;

  private:
    void CellPressed(int c, int r, Qt::MouseButton button);
    void CellHovered(int c, int r);
    void DrawCell(int c, int r, bool hot);
    void Choose(char letter);

    const TDictInfo& dict_;
    Style& style_;
    char chosen_ = '?';
    std::function<void(char)> answer_;
    int hoverCol_ = kNoCell;
    int hoverRow_ = 0;
    PictureView* imInput_;
    std::array<CellView*, kCols * kRows> cells_{};
    std::array<TextLabel*, kCols * kRows> labels_{};
    QTimer timer_;
};

// Where a pop-up of the given size opens for a pointer at `pointer`: its top-left corner at the
// pointer, moved left and up as far as needed to lie inside `area` (and never past its left or
// top edge).
QPoint PopupPosition(QPoint pointer, QSize size, const QRect& area);

}  // namespace tq::ui
