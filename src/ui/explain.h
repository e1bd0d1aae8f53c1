// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a word means, on the player's asking: a small window beside the word (never over the
// field) with the word's explanation from the file beside the dictionary, or the word that there
// is none, and the choice to look it up in Wiktionary, which opens in the desktop's browser. The
// game never goes online by itself.

#include <QFrame>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <string>

class QLabel;
class QMenu;
class QPushButton;

namespace tq {
struct GameModel;
}

namespace tq::ui {

// A word of the dictionary and what the game knows of its meaning.
struct WordMeaning {
    QString word;         // as the player sees it
    QStringList glosses;  // empty: no explanation (a word a player added, every Russian word, or
                          // a missing or damaged file)
    QUrl lookUp;          // its page in the Wiktionary of the dictionary's language
};

// The meaning of a word (code page 1251 capitals, as the game holds words) of the model's
// dictionary. Reads the explanations file now; never fails.
WordMeaning MeaningOf(const GameModel& model, const std::string& word);

// Where the window of a meaning goes (its top left corner, for a window of `size`): beside the
// anchor point, to its right or else to its left, then below or above the field, the first place
// that fits the screen and leaves the field free; on a screen too small for any, at the right of
// the screen.
QPoint ExplainPlace(const QRect& screen, const QRect& field, const QPoint& anchor,
                    const QSize& size);

class ExplainWindow : public QFrame {
    Q_OBJECT
  public:
    // openUrl opens a page in the desktop's browser.
    ExplainWindow(std::function<bool(const QUrl&)> openUrl, QWidget* parent);

    // Shows the meaning beside anchor (global), never over field (global).
    void ShowMeaning(const WordMeaning& meaning, const QPoint& anchor, const QRect& field);

    QLabel* Text() const { return text_; }
    QPushButton* LookUpButton() const { return lookUp_; }
    const WordMeaning& Shown() const { return meaning_; }

  private:
    std::function<bool(const QUrl&)> openUrl_;
    QLabel* title_;
    QLabel* text_;
    QPushButton* lookUp_;
    WordMeaning meaning_;
};

// Adds a word's two choices to a menu: its explanation, and its page in Wiktionary.
void AddWordActions(QMenu& menu, const QString& word, const std::function<void()>& explain,
                    const std::function<void()>& lookUp);

}  // namespace tq::ui
