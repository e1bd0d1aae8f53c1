// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Coaching in the game window: F7 shows the seat to move the word a skill-7 computer seat would
// play now (never in a rated game, never for a computer seat or a seat at another computer), and
// F8 opens the review of the game's moves. The hint is searched on another thread, on a copy of
// the position; the window keeps answering meanwhile.

#include <QObject>
#include <QPoint>
#include <QString>
#include <QUrl>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "base/move.h"
#include "coach/review_recorder.h"
#include "core/game_flow.h"

class QMenu;
class QShortcut;

namespace tq::ui {

class CoachLayer;
class ExplainWindow;
class TMainForm;
class TReviewForm;

class Coach : public QObject, private GameEvents {
    Q_OBJECT
  public:
    // Adds the F7 and F8 keys to the window and follows its game's events.
    explicit Coach(TMainForm& form);
    ~Coach() override;

    // F7: starts the search of a hint when one may be given; the hint shows when it is found,
    // unless the move has gone on meanwhile. A refused hint says why in the hint line.
    void RequestHint();
    // Whether a hint may be given now: a human at this computer is entering a move of a game
    // that is not rated.
    bool HintAllowed() const { return HintRefusal().isEmpty(); }
    // Why no hint may be given now, in the hint line's words; empty when one may.
    QString HintRefusal() const;
    // F8: fills and opens the review window beside the main window, unless no game has started
    // or the game is rated and still under way; a refused review says why in the hint line.
    void ShowReview();
    bool ReviewAllowed() const { return ReviewRefusal().isEmpty(); }
    QString ReviewRefusal() const;
    // The field's letters or marks changed: what coaching drew over the field goes.
    void FieldChanged();
    // The player pressed a cell: a reviewed move shown over the field goes, the hint stays.
    void CellPressed();
    // A review row on the field: the field before the move with its played and best words.
    // False, showing nothing, while no game is laid out.
    bool ShowReviewRow(const ReviewRow& row);
    // The seats the review shows: those played by a human at this computer.
    bool SeatAtThisComputer(int seat) const;

    const ReviewRecorder& Recorder() const { return recorder_; }
    TReviewForm& ReviewForm() { return *reviewForm_; }
    CoachLayer& Layer() { return *layer_; }
    bool HintSearching() const { return searching_; }

    // Why F7 or F8 did nothing, as the hint line says it.
    enum class Refusal {
        NoGame,
        GameOver,
        Rated,
        AnotherComputer,
        ComputerMoves,
        NotYourMove,
        NoReviewYet,
        RatedUnderWay,
    };
    static constexpr int kRefusals = static_cast<int>(Refusal::RatedUnderWay) + 1;
    static QString RefusalText(Refusal refusal);

    // The hint line's text for a move ("Try WORD, 40 points"), or that the field offers none.
    static std::string HintText(const Move& best);

    // What a word means (a word of the game, code page 1251 capitals): its explanation in a
    // small window beside `at` (global), never over the field, with the choice to look it up.
    // A double-click on a word of the results table, of the review or of the hint line shows it.
    void ExplainWord(const std::string& word, const QPoint& at);
    // Opens the word's page in the Wiktionary of the dictionary's language, by the player's
    // choice only.
    void LookUpWord(const std::string& word);
    // The context menu of words (the results table's word, a review row's played and best word,
    // the hinted word) at `at`: for each its explanation (beside explainAt, or else at `at`) and
    // its page in Wiktionary.
    void WordMenu(const std::vector<std::string>& words, const QPoint& at,
                  std::optional<QPoint> explainAt = std::nullopt);
    ExplainWindow& Explanation() { return *explainWindow_; }
    // The word the hint line shows now; empty when it shows no hinted word.
    std::string HintWordShown() const;
    // Test seams: how a page opens (in the desktop's browser when unset), and how a word menu
    // runs (at the point, until chosen, when unset).
    void SetUrlOpener(std::function<bool(const QUrl&)> opener) { urlOpener_ = std::move(opener); }
    void SetMenuRunner(std::function<void(QMenu&, const QPoint&)> runner) {
        menuRunner_ = std::move(runner);
    }

  signals:
    // A hint search has ended: shown is false when the move went on before it was found.
    void hintDone(bool shown);

  protected:
    // Double-clicks and the context menu on the hint line (a label the mouse passes through).
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Request {
        FlowMoment moment;
        int seat = 0;
        int letters = 0;
    };
    void HintFound(const Request& request, const Move& best);
    // Says why F7 or F8 did nothing in the hint line for a few seconds; then the line shows what
    // it showed before, unless the game has written something else into it meanwhile.
    void ShowRefusal(const QString& text);
    // A new game: the review of the old one goes.
    void GameStarted(const GameStartedEvent&) override;

    TMainForm& form_;
    ReviewRecorder recorder_;
    std::unique_ptr<TReviewForm> reviewForm_;
    CoachLayer* layer_;  // a child of the window's client area
    QShortcut* hintKey_;
    QShortcut* reviewKey_;
    std::thread worker_;
    std::atomic<bool> searching_{false};
    ExplainWindow* explainWindow_;
    std::function<bool(const QUrl&)> urlOpener_;
    std::function<void(QMenu&, const QPoint&)> menuRunner_;
    std::string hintWord_;  // the word of the last hint shown, and the line's text with it
    QString hintLine_;
};

}  // namespace tq::ui
