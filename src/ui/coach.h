// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Coaching in the game window: F7 shows the seat to move the word a skill-7 computer seat would
// play now (never in a rated game, never for a computer seat or a seat at another computer), and
// F8 opens the review of the game's moves. The hint is searched on another thread, on a copy of
// the position; the window keeps answering meanwhile.

#include <QObject>

#include <atomic>
#include <memory>
#include <thread>

#include "base/move.h"
#include "coach/review_recorder.h"
#include "core/game_flow.h"

class QShortcut;

namespace tq::ui {

class TMainForm;
class TReviewForm;

class Coach : public QObject, private GameEvents {
    Q_OBJECT
  public:
    // Adds the F7 and F8 keys to the window and follows its game's events.
    explicit Coach(TMainForm& form);
    ~Coach() override;

    // F7: starts the search of a hint when one may be given; the hint shows when it is found,
    // unless the move has gone on meanwhile.
    void RequestHint();
    // Whether a hint may be given now: a human at this computer is entering a move of a game
    // that is not rated.
    bool HintAllowed() const;
    // F8: fills and opens the review window, unless no game has started or the game is rated and
    // still under way.
    void ShowReview();
    bool ReviewAllowed() const;
    // The seats the review shows: those played by a human at this computer.
    bool SeatAtThisComputer(int seat) const;

    const ReviewRecorder& Recorder() const { return recorder_; }
    TReviewForm& ReviewForm() { return *reviewForm_; }
    bool HintSearching() const { return searching_; }

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
    // A new game: the review of the old one goes.
    void GameStarted(const GameStartedEvent&) override;

    TMainForm& form_;
    ReviewRecorder recorder_;
    std::unique_ptr<TReviewForm> reviewForm_;
    QShortcut* hintKey_;
    QShortcut* reviewKey_;
    std::thread worker_;
    std::atomic<bool> searching_{false};
};

}  // namespace tq::ui
