// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/coach.h"

#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

#include "base/messages.h"
#include "coach/review.h"
#include "ui/coach_layer.h"
#include "ui/explain.h"
#include "ui/main_form.h"
#include "ui/results_grid.h"
#include "ui/review_form.h"
#include "ui/text.h"

namespace tq::ui {

Coach::Coach(TMainForm& form)
    : form_(form),
      recorder_(form.Model()),
      reviewForm_(std::make_unique<TReviewForm>(
          [this](const ReviewRow& row) { ShowReviewRow(row); }, &form)),
      layer_(new CoachLayer(form)),
      hintKey_(new QShortcut(QKeySequence(Qt::Key_F7), &form)),
      reviewKey_(new QShortcut(QKeySequence(Qt::Key_F8), &form)),
      explainWindow_(new ExplainWindow(
          [this](const QUrl& url) {
              return urlOpener_ ? urlOpener_(url) : QDesktopServices::openUrl(url);
          },
          &form)) {
    form_.Flow().Subscribe(recorder_);
    form_.Flow().Subscribe(*this);
    connect(hintKey_, &QShortcut::activated, this, &Coach::RequestHint);
    connect(reviewKey_, &QShortcut::activated, this, &Coach::ShowReview);
    connect(reviewForm_.get(), &TReviewForm::hidden, this, [this] {
        if (layer_->Shows() == CoachLayer::Showing::Review) layer_->Clear();
    });

    // The words of the results table, the review and the hint line explain themselves.
    const auto resultsWord = [this](int col, int row) -> std::string {
        if (col != 1) return {};
        const std::string word = FromQString(form_.Results()->Text(1, row));
        return word == msg::NoWord ? std::string() : word;
    };
    // The meaning of a results word stands beside the table, level with the word's row.
    const auto besideResults = [this](QPoint at) {
        const QWidget* area = form_.ClientArea();
        return QPoint(area->mapToGlobal(QPoint(area->width(), 0)).x(), at.y());
    };
    connect(form_.Results(), &ResultsGrid::cellDoubleClicked, this,
            [this, resultsWord, besideResults](int col, int row, QPoint at) {
                if (const std::string word = resultsWord(col, row); !word.empty())
                    ExplainWord(word, besideResults(at));
            });
    connect(form_.Results(), &ResultsGrid::cellMenuRequested, this,
            [this, resultsWord, besideResults](int col, int row, QPoint at) {
                if (const std::string word = resultsWord(col, row); !word.empty())
                    WordMenu({word}, at, besideResults(at));
            });
    reviewForm_->SetWordActions(
        [this](const std::string& word, const QPoint& at) { ExplainWord(word, at); },
        [this](const std::vector<std::string>& words, const QPoint& at) { WordMenu(words, at); });
    form_.ClientArea()->installEventFilter(this);
}

Coach::~Coach() {
    delete explainWindow_;
    if (worker_.joinable()) worker_.join();
    form_.Flow().Unsubscribe(*this);
    form_.Flow().Unsubscribe(recorder_);
}

void Coach::GameStarted(const GameStartedEvent&) {
    reviewForm_->hide();
    layer_->Clear();
}

QString Coach::RefusalText(Refusal refusal) {
    switch (refusal) {
        case Refusal::NoGame:
            return tr("No hint: no game is under way");
        case Refusal::GameOver:
            return tr("No hint: the game is over");
        case Refusal::Rated:
            return tr("No hints in a rated game");
        case Refusal::AnotherComputer:
            return tr("No hint: the move is made at another computer");
        case Refusal::ComputerMoves:
            return tr("No hint: it is the computer's move");
        case Refusal::NotYourMove:
            return tr("No hint now: wait for your move");
        case Refusal::NoReviewYet:
            return tr("No review: no game has been played yet");
        case Refusal::RatedUnderWay:
            return tr("No review of a rated game before its end");
    }
    return {};
}

QString Coach::HintRefusal() const {
    const GameFlow& flow = form_.Flow();
    const GameSettings& s = flow.Model().Settings;
    const GamePhase phase = flow.Phase();
    if (phase == GamePhase::Idle || phase == GamePhase::Setup) return RefusalText(Refusal::NoGame);
    if (phase == GamePhase::GameOver) return RefusalText(Refusal::GameOver);
    if (s.Mode == GameMode::General && s.RatedGame) return RefusalText(Refusal::Rated);
    const int seat = flow.Model().State.CurrentSeat;
    if (phase == GamePhase::AwaitRemote) return RefusalText(Refusal::AnotherComputer);
    if (phase == GamePhase::ComputerThinking ||
        (s.Mode != GameMode::Client && seat >= 1 && seat <= s.Count &&
         s.Seat(seat).Type == PlayerType::Computer))
        return RefusalText(Refusal::ComputerMoves);
    // On a client the turn of its own seat is the only one entered here; elsewhere the seat
    // must be a human's at this computer.
    if (!flow.LocalHumanMoving() || seat < 1 || seat > s.Count ||
        (s.Mode != GameMode::Client && s.Seat(seat).Type != PlayerType::Human))
        return RefusalText(Refusal::NotYourMove);
    return {};
}

void Coach::ShowRefusal(const QString& text) {
    TextLabel* line = form_.HintLabel();
    const QString was = line->Text();
    const QColor wasColour = line->Colour();
    const bool wasVisible = line->isVisible();
    form_.ShowHintText(text, QColor(128, 0, 0));
    form_.SetHintVisible(true);
    QTimer::singleShot(4000, this, [this, text, was, wasColour, wasVisible] {
        TextLabel* line = form_.HintLabel();
        if (line->Text() != text) return;
        form_.ShowHintText(was, wasColour);
        form_.SetHintVisible(wasVisible);
    });
}

std::string Coach::HintText(const Move& best) {
    // In the interface's language, as the status line shows it (in the game's code page).
    if (!best.FormsWord()) return FromQString(tr("No word to form here"));
    const int points = static_cast<int>(WordPointsOf(best.Word));
    return FromQString(tr("Try %1, %n points", nullptr, points).arg(ToQString(best.Word)));
}

void Coach::RequestHint() {
    if (searching_) return;
    if (const QString refusal = HintRefusal(); !refusal.isEmpty()) {
        ShowRefusal(refusal);
        return;
    }
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
    hintWord_ = best.FormsWord() ? best.Word : std::string();
    hintLine_ = form_.HintLabel()->Text();
    // While no letter is put the field shows the word's chain in order and the letter it puts;
    // once the player has put a letter the field shows the player's own move alone.
    if (best.FormsWord() && flow.Phase() == GamePhase::PutLetter) layer_->ShowHint(best);
    recorder_.NoteHint(request.seat);
    emit hintDone(true);
}

std::string Coach::HintWordShown() const {
    const TextLabel* line = form_.HintLabel();
    if (hintWord_.empty() || !line->isVisible() || line->Text() != hintLine_) return {};
    return hintWord_;
}

bool Coach::eventFilter(QObject* watched, QEvent* event) {
    const bool twice = event->type() == QEvent::MouseButtonDblClick;
    if (watched != form_.ClientArea() || (!twice && event->type() != QEvent::ContextMenu))
        return QObject::eventFilter(watched, event);
    const QPoint pos = twice ? static_cast<QMouseEvent*>(event)->position().toPoint()
                             : static_cast<QContextMenuEvent*>(event)->pos();
    const std::string word = HintWordShown();
    if (word.empty() || !form_.HintLabel()->geometry().contains(pos))
        return QObject::eventFilter(watched, event);
    const QPoint at = form_.ClientArea()->mapToGlobal(pos);
    if (twice)
        ExplainWord(word, at);
    else
        WordMenu({word}, at);
    return true;
}

void Coach::ExplainWord(const std::string& word, const QPoint& at) {
    const QWidget* field = form_.Background();
    const QRect fieldOnScreen(field->mapToGlobal(QPoint(0, 0)), field->size());
    explainWindow_->ShowMeaning(MeaningOf(form_.Model(), word), at, fieldOnScreen);
}

void Coach::LookUpWord(const std::string& word) {
    const QUrl url = MeaningOf(form_.Model(), word).lookUp;
    if (urlOpener_)
        urlOpener_(url);
    else
        QDesktopServices::openUrl(url);
}

void Coach::WordMenu(const std::vector<std::string>& words, const QPoint& at,
                     std::optional<QPoint> explainAt) {
    // Shown without waiting for it: the menu goes once it is hidden (a chosen action runs
    // before that).
    auto* menu = new QMenu(&form_);
    connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
    for (const std::string& word : words) {
        if (word.empty() || word == msg::NoWord) continue;
        if (!menu->isEmpty()) menu->addSeparator();
        AddWordActions(
            *menu, ToQString(word),
            [this, word, at = explainAt.value_or(at)] { ExplainWord(word, at); },
            [this, word] { LookUpWord(word); });
    }
    if (menu->isEmpty()) {
        delete menu;
        return;
    }
    if (menuRunner_) {
        menuRunner_(*menu, at);
        delete menu;
    } else {
        menu->popup(at);
    }
}

bool Coach::SeatAtThisComputer(int seat) const {
    for (const auto& m : recorder_.Game().Moves)
        if (m.Seat == seat && m.Source == MoveSource::Human) return true;
    const GameSettings& s = recorder_.Game().Settings;
    return s.Mode != GameMode::Client && seat >= 1 && seat <= s.Count &&
           s.Seat(seat).Type == PlayerType::Human;
}

QString Coach::ReviewRefusal() const {
    if (!recorder_.Started()) return RefusalText(Refusal::NoReviewYet);
    const GameSettings& s = recorder_.Game().Settings;
    const bool rated = s.Mode == GameMode::General && s.RatedGame;
    if (rated && !recorder_.Ended()) return RefusalText(Refusal::RatedUnderWay);
    return {};
}

void Coach::ShowReview() {
    if (const QString refusal = ReviewRefusal(); !refusal.isEmpty()) {
        ShowRefusal(refusal);
        return;
    }
    const GameModel& m = form_.Flow().Model();
    const Review review = ReviewOf(form_.Flow().Computer(), m.Dict, recorder_.Game(),
                                   [this](int seat) { return SeatAtThisComputer(seat); });
    bool playerHere = false;
    for (int seat = 1; seat <= recorder_.Game().Settings.Count; ++seat)
        playerHere = playerHere || SeatAtThisComputer(seat);
    reviewForm_->Fill(review, recorder_.Game().Settings, playerHere && !recorder_.Ended());
    reviewForm_->ShowScores(recorder_.Game());
    if (!reviewForm_->isVisible()) {
        // Beside the main window, never over the field the review marks.
        const QScreen* screen = form_.screen() ? form_.screen() : QGuiApplication::primaryScreen();
        const QRect frame = form_.frameGeometry();
        const QSize margins = frame.size() - form_.size();
        const QWidget* field = form_.Background();
        const QRect fieldOnScreen(field->mapToGlobal(QPoint(0, 0)), field->size());
        reviewForm_->move(ReviewPlace(screen ? screen->availableGeometry() : frame, frame,
                                      fieldOnScreen, reviewForm_->size() + margins));
    }
    reviewForm_->show();
    reviewForm_->raise();
    reviewForm_->activateWindow();
}

bool Coach::ShowReviewRow(const ReviewRow& row) {
    if (!recorder_.Started() || row.Before.Cols() != recorder_.Game().Settings.ColCount ||
        row.Before.Rows() != recorder_.Game().Settings.RowCount)
        return false;
    layer_->ShowReviewMove(row.Before, row.Played, row.Best);
    return true;
}

void Coach::FieldChanged() {
    layer_->Clear();
}

void Coach::CellPressed() {
    if (layer_->Shows() == CoachLayer::Showing::Review) layer_->Clear();
}

}  // namespace tq::ui
