// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What assistive technology (a screen reader through AT-SPI) learns of the controls the game
// draws itself: the field as a table of letter cells that follows the keyboard cursor, the
// results as a table of moves, the flat buttons and caption labels by their texts, and the
// announcer, which speaks a short text (a move, the end of a game, a hint) without taking the
// focus from where the player is.

#include <QString>
#include <QWidget>

namespace tq::ui {

// Once, before the first window: hands Qt the accessible views of the game's own controls.
void InstallAccessibility();

// The object names that pick the views (the field background and the window's client area).
inline constexpr const char* kFieldObjectName = "field";
inline constexpr const char* kClientObjectName = "client";

// One spoken text: a notification that shows nothing on the screen.
class Notice : public QWidget {
    Q_OBJECT
  public:
    explicit Notice(QWidget* parent);
    QString text;
};

// A control that shows nothing and speaks: Say() makes one of its notices appear with the text
// as its name, which a screen reader reads out at once. The notices take turns, so that a text
// said right after another (the computer's move after the player's) does not rename the notice
// of the first before the screen reader has read it.
class Announcer : public QWidget {
    Q_OBJECT
  public:
    explicit Announcer(QWidget* parent);
    void Say(const QString& text);
    QString LastText() const { return last_; }

  signals:
    // Every text said, whether or not assistive technology listens.
    void said(const QString& text);

  private:
    static constexpr int kNotices = 8;
    Notice* notices_[kNotices] = {};
    int next_ = 0;
    QString last_;
};

// The field's cells changed (a letter or a mark): a screen reader reading the cell hears it.
void NotifyFieldCell(QWidget* field, int col, int row);
// The field was laid out anew, or the results table emptied or grew.
void NotifyTableReset(QWidget* table);
// The keyboard cursor went to a cell of the field, or the selected row of the results changed:
// it becomes the accessible focus while its table has the keyboard focus.
void NotifyFieldFocus(QWidget* field, int col, int row);
void NotifyResultsFocus(QWidget* results, int row);
// A label's text changed.
void NotifyNameChanged(QWidget* widget);

}  // namespace tq::ui
