// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/coach.h"

#include <QShortcut>

#include "base/chain_rules.h"
#include "coach/review.h"
#include "ui/main_form.h"
#include "ui/review_form.h"
#include "ui/text.h"

namespace tq::ui {

Coach::Coach(TMainForm& form)
    : form_(form),
      recorder_(form.Model()),
      reviewForm_(std::make_unique<TReviewForm>(form.Flow(), &form)),
      hintKey_(new QShortcut(QKeySequence(Qt::Key_F7), &form)),
      reviewKey_(new QShortcut(QKeySequence(Qt::Key_F8), &form)) {
    form_.Flow().Subscribe(recorder_);
    form_.Flow().Subscribe(*this);
    connect(hintKey_, &QShortcut::activated, this, &Coach::RequestHint);
    connect(reviewKey_, &QShortcut::activated, this, &Coach::ShowReview);
}

Coach::~Coach() {
    if (worker_.joinable()) worker_.join();
    form_.Flow().Unsubscribe(*this);
    form_.Flow().Unsubscribe(recorder_);
}

void Coach::GameStarted(const GameStartedEvent&) {
    reviewForm_->hide();
}

bool Coach::HintAllowed() const {
    const GameFlow& flow = form_.Flow();
    const GameSettings& s = flow.Model().Settings;
    if (!flow.LocalHumanMoving()) return false;
    if (s.Mode == GameMode::General && s.RatedGame) return false;
    // On a client the turn of its own seat is the only one entered here; elsewhere the seat
    // must be a human's at this computer.
    const int seat = flow.Model().State.CurrentSeat;
    if (seat < 1 || seat > s.Count) return false;
    return s.Mode == GameMode::Client || s.Seat(seat).Type == PlayerType::Human;
}

std::string Coach::HintText(const Move& best) {
    // In the interface's language, as the status line shows it (in the game's code page).
    if (!best.FormsWord()) return FromQString(tr("No word to form here"));
    const int points = static_cast<int>(WordPointsOf(best.Word));
    return FromQString(tr("Try %1, %n points", nullptr, points).arg(ToQString(best.Word)));
}

void Coach::RequestHint() {
    if (!HintAllowed() || searching_) return;
    if (worker_.joinable()) worker_.join();
    GameFlow& flow = form_.Flow();
    const GameModel& m = flow.Model();
    const Request request{flow.Moment(), m.State.CurrentSeat, m.State.LetterCountOnField};
    searching_ = true;
    // The search reads only copies of the position and a frozen player: the window's own player
    // may rebuild its graph (a word accepted meanwhile) while this one runs, and the review
    // searches with it on this thread.
    worker_ = std::thread([this, request, computer = std::shared_ptr(flow.Computer().Frozen()),
                           field = m.Board, settings = m.Settings, state = m.State, dict = m.Dict] {
        const Move best = BestMove(*computer, field, settings, state, dict);
        QMetaObject::invokeMethod(
            this, [this, request, best] { HintFound(request, best); }, Qt::QueuedConnection);
    });
}

void Coach::HintFound(const Request& request, const Move& best) {
    searching_ = false;
    GameFlow& flow = form_.Flow();
    const GameState& st = flow.Model().State;
    if (flow.GameReplacedSince(request.moment) || st.CurrentSeat != request.seat ||
        st.LetterCountOnField != request.letters || !HintAllowed()) {
        emit hintDone(false);
        return;
    }
    flow.ShowCoachHint(HintText(best));
    // While no letter is put the field shows the word's cells, the empty one included; later the
    // marks are the player's chain and stay as they are.
    if (best.FormsWord() && flow.Phase() == GamePhase::PutLetter) {
        const auto cells = ParseChain(best.Chain);
        if (cells) flow.ShowCoachMarks(*cells, {});
    }
    recorder_.NoteHint(request.seat);
    emit hintDone(true);
}

bool Coach::SeatAtThisComputer(int seat) const {
    for (const auto& m : recorder_.Game().Moves)
        if (m.Seat == seat && m.Source == MoveSource::Human) return true;
    const GameSettings& s = recorder_.Game().Settings;
    return s.Mode != GameMode::Client && seat >= 1 && seat <= s.Count &&
           s.Seat(seat).Type == PlayerType::Human;
}

bool Coach::ReviewAllowed() const {
    if (!recorder_.Started()) return false;
    const GameSettings& s = recorder_.Game().Settings;
    const bool rated = s.Mode == GameMode::General && s.RatedGame;
    return recorder_.Ended() || !rated;
}

void Coach::ShowReview() {
    if (!ReviewAllowed()) return;
    const GameModel& m = form_.Flow().Model();
    const Review review = ReviewOf(form_.Flow().Computer(), m.Dict, recorder_.Game(),
                                   [this](int seat) { return SeatAtThisComputer(seat); });
    reviewForm_->Fill(review, recorder_.Game().Settings);
    reviewForm_->show();
    reviewForm_->raise();
    reviewForm_->activateWindow();
}

}  // namespace tq::ui
