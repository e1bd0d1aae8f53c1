// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keyboard play on the field. While a human of this computer can enter a move, the arrow keys
// move a cell cursor over the field; a letter typed on an empty cell puts it, Space acts as a
// left click on the cursor's cell (the letter window opens there, cells are marked), Enter on an
// empty cell opens the letter window, and Backspace unmarks the last marked cell. Every one of
// them goes through the game's own move entry, as the mouse does. Using the mouse on the field
// hides the cursor; the next arrow key shows it again where the mouse was.

#include <QObject>
#include <QPoint>
#include <QWidget>

#include "base/field.h"
#include "base/game_state.h"

class QKeyEvent;

namespace tq::ui {

class Style;
class TMainForm;

// The frame drawn around the cursor's cell, in the style's border and highlight colours. It
// takes no mouse input.
class FieldCursor : public QWidget {
    Q_OBJECT
  public:
    FieldCursor(const Style& style, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    const Style& style_;
};

class FieldKeys : public QObject {
    Q_OBJECT
  public:
    explicit FieldKeys(TMainForm& form);

    // A key pressed on the main window: true when it was the field's and is done with. Keys
    // with Ctrl, Alt or Meta, keys while a mouse button is held, and keys outside a move are
    // never the field's, so the window's own keys (Enter, Esc, the menu's) work as they did.
    bool KeyPress(QKeyEvent* e);

    // The game entered a phase; the cursor shows only while a move can be entered.
    void PhaseChanged(GamePhase phase);
    // A new field size: the cursor starts above the middle of the initial word.
    void FieldLaidOut(int cols, int rows);
    // The style's colours changed.
    void StyleChanged();

    // For tests: the cursor's cell and whether it shows.
    Cell Position() const { return pos_; }
    bool CursorShown() const;
    const FieldCursor* Cursor() const { return cursor_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool MoveCanBeEntered() const;
    void MoveBy(int dc, int dr);
    // The cursor's cell as a left click would press it; the letter window, if it opens, opens
    // at the cell.
    void ClickAtCursor();
    void MouseUsed(const QObject* watched);
    void Place();

    TMainForm& form_;
    FieldCursor* cursor_;
    Cell pos_{0, 0};
    int cols_ = 0;  // the laid-out field; 0 before the first game
    int rows_ = 0;
    bool wanted_ = false;  // the player moves with the keys (until the mouse is used)
    QPoint pointerAtShow_;
    Cell readAt_{0, 0};  // the cell a screen reader last heard as the cursor's
};

}  // namespace tq::ui
