// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Coaching in the game window: F7 shows the seat to move the word a skill-7 computer seat would
// play now (never in a rated game, never for a computer seat or a seat at another computer), and
// F8 opens the review of the game's moves. The hint is searched on another thread, on a copy of
// the position; the window keeps answering meanwhile.

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <thread>

#include "base/move.h"
#include "coach/review_recorder.h"
#include "core/game_flow.h"

class QShortcut;

namespace tq::ui {

class CoachLayer;
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

  signals:
    // A hint search has ended: shown is false when the move went on before it was found.
    void hintDone(bool shown);

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
};

}  // namespace tq::ui
