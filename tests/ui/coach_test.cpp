// SPDX-License-Identifier: GPL-3.0-or-later
// The hint (F7) and the review window (F8) of the game window, offscreen.

#include <QLabel>
#include <QShortcut>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

#include <deque>

#include "base/chain_rules.h"
#include "coach/review.h"
#include "game_window.h"
#include "net/seat_bot.h"
#include "ui/app.h"
#include "ui/coach.h"
#include "ui/coach_layer.h"
#include "ui/main_form.h"
#include "ui/results_grid.h"
#include "ui/review_form.h"
#include "ui/text.h"

using namespace tq;
using namespace tq::ui;

namespace {

// Ann (a human) against Bob (the computer, skill 7) on the 5 x 5 field of STONE.
struct Window : test::GameWindow {
    explicit Window(bool rated = false) {
        model.Settings.Seat(2).Type = PlayerType::Computer;
        model.Settings.Seat(2).Skill = 7;
        model.Settings.RatedGame = rated;
        Make();
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    Coach& C() { return form->Coaching(); }
    GameFlow& Flow() { return form->Flow(); }
    // A key, and the computer's moves that follow it.
    void Key(Qt::Key k) {
        QTest::keyClick(form.get(), k);
        Settle();
    }

    // F7, then waits for the search to end; returns whether a hint was shown.
    bool Hint() {
        QSignalSpy done(&C(), &Coach::hintDone);
        Key(Qt::Key_F7);
        if (!C().HintSearching() && done.isEmpty()) return false;
        if (done.isEmpty() && !done.wait(5000)) return false;
        return done.first().first().toBool();
    }

    // Ann's move: the letter A alone into the first empty cell (by columns) that takes a letter.
    void PlayLetterAlone() {
        for (int c = 0; c < model.Settings.ColCount; ++c)
            for (int r = 0; r < model.Settings.RowCount; ++r)
                if (model.Board.IsEmpty(c, r) &&
                    CanPutLetter(model.Board, model.Settings, Cell{c, r})) {
                    letters.push_back('A');
                    QTest::mouseClick(form->CellAt(c, r), Qt::LeftButton);
                    QTest::mouseClick(form->CellAt(c, r), Qt::LeftButton);
                    Key(Qt::Key_Return);
                    return;
                }
    }

    // Plays the whole game, asking for a hint before the moves the predicate picks.
    void PlayGame(const std::function<bool(int move)>& hintBefore) {
        Key(Qt::Key_F2);
        for (int move = 0; model.State.Phase == GamePhase::PutLetter; ++move) {
            if (hintBefore(move)) QVERIFY(Hint());
            PlayLetterAlone();
        }
    }

    // The field's own marks, cell by cell.
    std::vector<MarkState> Marks() const {
        std::vector<MarkState> marks;
        for (int c = 0; c < kMaxFieldSide; ++c)
            for (int r = 0; r < kMaxFieldSide; ++r) marks.push_back(form->CellState(c, r));
        return marks;
    }

    // The results table, row by row.
    QStringList Rows() const {
        QStringList rows;
        for (int r = 0; r < form->Results()->RowCount(); ++r)
            rows << form->Results()->Text(1, r) + "|" + form->Results()->Text(2, r) + "|" +
                        form->Results()->Text(3, r);
        return rows;
    }
};

}  // namespace

class CoachTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { InitialiseApplication(); }

    void keysAreF7AndF8() {
        Window w;
        QStringList keys;
        for (QShortcut* s : w.form->findChildren<QShortcut*>()) keys << s->key().toString();
        QVERIFY(keys.contains("F7"));
        QVERIFY(keys.contains("F8"));
    }

    // Before every move of Ann the hint is the best move of the position, shown as its text in
    // the hint line and over the field in its own look (its chain in order, the letter it puts),
    // the field's own marks untouched; nothing of the game changes: the game goes on move for
    // move as the same game without hints.
    void hintIsTheBestMoveAndChangesNothing() {
        Window hinted;
        hinted.Key(Qt::Key_F2);
        int hints = 0, withWord = 0;
        while (hinted.model.State.Phase == GamePhase::PutLetter) {
            const GameModel& m = hinted.model;
            const Move best =
                BestMove(hinted.Flow().Computer(), m.Board, m.Settings, m.State, m.Dict);
            const GameState before = m.State;
            const auto marks = hinted.Marks();
            QVERIFY(hinted.Hint());
            ++hints;
            withWord += best.FormsWord() ? 1 : 0;
            QCOMPARE(hinted.form->HintLabel()->Text(), ToQString(Coach::HintText(best)));
            const CoachLayer& layer = hinted.C().Layer();
            QCOMPARE(layer.Shows(),
                     best.FormsWord() ? CoachLayer::Showing::Hint : CoachLayer::Showing::Nothing);
            if (best.FormsWord()) {
                const std::vector<Cell>& chain = best.Chain;
                for (std::size_t i = 0; i < chain.size(); ++i)
                    QCOMPARE(layer.OrderIn(CoachLook::Hint, chain[i]), static_cast<int>(i) + 1);
                QCOMPARE(layer.LetterAt(best.NewCell), best.Letter);
            }
            QVERIFY(hinted.Marks() == marks);
            QCOMPARE(m.State.Phase, before.Phase);
            QCOMPARE(m.State.FieldLetters, before.FieldLetters);
            QCOMPARE(m.State.UsedWords.Words(), before.UsedWords.Words());
            QVERIFY(m.State.MarkedPath == before.MarkedPath);
            QVERIFY(m.State.PlayedPaths == before.PlayedPaths);
            hinted.PlayLetterAlone();
            QCOMPARE(hinted.C().Layer().Shows(), CoachLayer::Showing::Nothing);
        }
        QCOMPARE(hinted.model.State.Phase, GamePhase::GameOver);
        QCOMPARE(hints, 10);
        QVERIFY(withWord > 0);
        Window plain;
        plain.PlayGame([](int) { return false; });
        QCOMPARE(hinted.Rows(), plain.Rows());
        QCOMPARE(hinted.model.State.Score(2).WordPoints, plain.model.State.Score(2).WordPoints);
    }

    // With a letter put and a chain marked the hint only speaks: the marks stay the player's
    // chain, and the move goes on to be accepted as without it.
    void hintWhileMarking() {
        Window w;
        w.Key(Qt::Key_F2);
        const GameModel& m = w.model;
        const Move best = BestMove(w.Flow().Computer(), m.Board, m.Settings, m.State, m.Dict);
        w.letters.push_back('A');
        QTest::mouseClick(w.form->CellAt(0, 1), Qt::LeftButton);
        QTest::mouseClick(w.form->CellAt(0, 1), Qt::LeftButton);
        QCOMPARE(m.State.Phase, GamePhase::Marking);
        QVERIFY(w.Hint());
        QCOMPARE(w.form->HintLabel()->Text(), ToQString(Coach::HintText(best)));
        for (int c = 0; c < 5; ++c)
            for (int r = 0; r < 5; ++r)
                QCOMPARE(w.form->CellState(c, r),
                         c == 0 && r == 1 ? MarkState::Marked : MarkState::Normal);
        QCOMPARE(ChainText(m.State.MarkedPath), std::string("01:"));
        w.Key(Qt::Key_Return);
        QCOMPARE(w.form->Results()->Text(1, 0), QString("----"));
        QVERIFY(w.C().Recorder().Game().Moves.front().Hint);
    }

    // No hint in a rated game, for a seat played at another computer or by the computer, before
    // a game or after it; no review of a rated game under way nor before a game. The hint line
    // says why, and a few seconds later shows again what it showed.
    void hintAndReviewRefused() {
        using R = Coach::Refusal;
        struct Case {
            const char* name;
            bool rated;
            PlayerType first;
            bool start;
            bool playToEnd;
            Qt::Key key;
            R refusal;
        };
        const Case cases[] = {
            {"rated", true, PlayerType::Human, true, false, Qt::Key_F7, R::Rated},
            {"seat at another computer", false, PlayerType::Client, true, false, Qt::Key_F7,
             R::AnotherComputer},
            {"before a game", false, PlayerType::Human, false, false, Qt::Key_F7, R::NoGame},
            {"after the game", false, PlayerType::Human, true, true, Qt::Key_F7, R::GameOver},
            {"computer's move", false, PlayerType::Computer, true, false, Qt::Key_F7,
             R::ComputerMoves},
            {"review of a rated game", true, PlayerType::Human, true, false, Qt::Key_F8,
             R::RatedUnderWay},
            {"review before a game", false, PlayerType::Human, false, false, Qt::Key_F8,
             R::NoReviewYet},
        };
        for (const Case& c : cases) {
            Window w(c.rated);
            const PlayerType first = c.first == PlayerType::Computer ? PlayerType::Human : c.first;
            w.model.Settings.Seat(1).Type = first;
            if (c.playToEnd)
                w.PlayGame([](int) { return false; });
            else if (c.start)
                w.Key(Qt::Key_F2);
            const GamePhase expected = !c.start                     ? GamePhase::Idle
                                       : c.playToEnd                ? GamePhase::GameOver
                                       : first == PlayerType::Human ? GamePhase::PutLetter
                                                                    : GamePhase::AwaitRemote;
            QCOMPARE(w.model.State.Phase, expected);
            // The computer's turn as the hint sees it: the seat to move is the computer's.
            if (c.first == PlayerType::Computer) w.model.Settings.Seat(1).Type = c.first;
            const QString hintLine = w.form->HintLabel()->Text();
            const bool hintVisible = w.form->HintLabel()->isVisible();
            if (c.key == Qt::Key_F7) {
                QVERIFY2(!w.Hint(), c.name);
                QVERIFY2(!w.C().HintSearching(), c.name);
            } else {
                w.Key(c.key);
                QVERIFY2(!w.C().ReviewForm().isVisible(), c.name);
            }
            QVERIFY2(w.form->HintLabel()->isVisible(), c.name);
            QCOMPARE(w.form->HintLabel()->Text(), Coach::RefusalText(c.refusal));
            for (const auto& m : w.C().Recorder().Game().Moves) QVERIFY(!m.Hint);
            if (c.playToEnd) {
                // The outcome comes back to the line.
                QTRY_COMPARE_WITH_TIMEOUT(w.form->HintLabel()->Text(), hintLine, 6000);
                QCOMPARE(w.form->HintLabel()->isVisible(), hintVisible);
            }
        }
    }

    // The hint over the field goes once the player puts a letter, or marks a cell after a
    // letter was put; the field's own marks are the player's alone.
    void hintGoesWithThePlayersMove() {
        Window w;
        w.Key(Qt::Key_F2);
        QVERIFY(w.Hint());
        QCOMPARE(w.C().Layer().Shows(), CoachLayer::Showing::Hint);
        w.letters.push_back('A');
        QTest::mouseClick(w.form->CellAt(0, 1), Qt::LeftButton);
        QCOMPARE(w.model.State.Phase, GamePhase::LetterPut);
        QCOMPARE(w.C().Layer().Shows(), CoachLayer::Showing::Nothing);
        // Asked again with the letter put, the hint speaks and draws nothing.
        QVERIFY(w.Hint());
        QCOMPARE(w.C().Layer().Shows(), CoachLayer::Showing::Nothing);
    }

    // A hint found after the move went on is not shown.
    void lateHintIsDropped() {
        Window w;
        w.Key(Qt::Key_F2);
        QSignalSpy done(&w.C(), &Coach::hintDone);
        w.Key(Qt::Key_F7);
        w.PlayLetterAlone();  // before the queued answer can arrive
        QVERIFY(!done.isEmpty() || done.wait(5000));
        QCOMPARE(done.first().first().toBool(), false);
        QCOMPARE(w.C().Recorder().Game().Moves.front().Hint, false);
    }

    // After the game F8 shows one row per move of Ann, as the review of the recorded game has
    // it, with the hints marked and the total; a click marks the played word and the best one.
    void reviewAfterTheGame() {
        Window w;
        w.PlayGame([](int move) { return move == 1 || move == 4; });
        QCOMPARE(w.model.State.Phase, GamePhase::GameOver);
        w.Key(Qt::Key_F8);
        TReviewForm& form = w.C().ReviewForm();
        QVERIFY(form.isVisible());
        const Review expected = ReviewOf(w.Flow().Computer(), w.model.Dict, w.C().Recorder().Game(),
                                         [](int seat) { return seat == 1; });
        QTableWidget* t = form.Table();
        QCOMPARE(t->rowCount(), 10);
        QCOMPARE(static_cast<int>(expected.Rows.size()), 10);
        for (int r = 0; r < 10; ++r) {
            const ReviewRow& e = expected.Rows[r];
            QCOMPARE(t->item(r, TReviewForm::kSeat)->text(), QString("Ann"));
            QCOMPARE(t->item(r, TReviewForm::kWord)->text(), QString("----"));
            // The points of the results table's row of the move.
            QCOMPARE(t->item(r, TReviewForm::kPoints)->text(), w.form->Results()->Text(2, e.Index));
            QCOMPARE(t->item(r, TReviewForm::kBestWord)->text(),
                     e.Best.Word.empty() ? QString("----") : ToQString(e.Best.Word));
            QCOMPARE(t->item(r, TReviewForm::kBestPoints)->text(), QString::number(e.BestPoints));
            QCOMPARE(t->item(r, TReviewForm::kHint)->text().isEmpty(), !(r == 1 || r == 4));
        }
        QCOMPARE(expected.Seats.size(), std::size_t{1});
        QCOMPARE(form.Totals()->text(), "Ann: you scored 0 points; your words made 0 of " +
                                            QString::number(expected.Seats[0].BestPoints) +
                                            " possible word points, 2 hints");
        // Beside the main window, never over the field.
        const QWidget* field = w.form->Background();
        QVERIFY(!form.frameGeometry().intersects(
            QRect(field->mapToGlobal(QPoint(0, 0)), field->size())));

        // The first move with a best word, by click, then the next one by the arrow key: the
        // field as it was before the move, the played and the best word each in its look; the
        // field's own marks stay.
        int row = 0;
        while (row < 9 && expected.Rows[row].Best.Word.empty()) ++row;
        QVERIFY(row < 9);
        const auto marks = w.Marks();
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {},
                          t->visualItemRect(t->item(row, TReviewForm::kWord)).center());
        for (const int shown : {row, row + 1}) {
            if (shown != row) QTest::keyClick(t, Qt::Key_Down);
            const ReviewRow& e = expected.Rows[shown];
            const CoachLayer& layer = w.C().Layer();
            QCOMPARE(layer.Shows(), CoachLayer::Showing::Review);
            QCOMPARE(layer.OrderIn(CoachLook::Played, e.Played.NewCell), 1);
            const std::vector<Cell>& best = e.Best.Chain;
            for (std::size_t i = 0; i < best.size(); ++i)
                QCOMPARE(layer.OrderIn(CoachLook::Best, best[i]), static_cast<int>(i) + 1);
            for (int c = 0; c < 5; ++c)
                for (int r = 0; r < 5; ++r) {
                    const Cell at{c, r};
                    const char want = at == e.Played.NewCell ? e.Played.Letter
                                      : at == e.Best.NewCell ? e.Best.Letter
                                                             : e.Before.At(at);
                    QCOMPARE(layer.LetterAt(at), want);
                }
            QVERIFY(w.Marks() == marks);
        }
        // Closed, the review leaves the field of now.
        form.close();
        QCOMPARE(w.C().Layer().Shows(), CoachLayer::Showing::Nothing);
    }

    // A game of computer seats alone: the review says no player here moved in it.
    void reviewOfAComputerGame() {
        Window w;
        w.model.Settings.Seat(1).Type = PlayerType::Computer;
        w.model.Settings.ComputerPace = 0;
        w.Key(Qt::Key_F2);
        QTRY_COMPARE_WITH_TIMEOUT(w.model.State.Phase, GamePhase::GameOver, 20000);
        w.C().ShowReview();
        QVERIFY(w.C().ReviewForm().isVisible());
        QCOMPARE(w.C().ReviewForm().Table()->rowCount(), 0);
        QCOMPARE(w.C().ReviewForm().Totals()->text(),
                 QString("No player at this computer moved in this game."));
    }

    // The review goes beside the main window on the side with room, level with it and on the
    // screen; with no room on either side it may cover the results table, never the field.
    void reviewPlace() {
        struct Case {
            const char* name;
            QRect main;
            QSize review;
            QPoint place;
        };
        const QRect screen(0, 0, 1600, 900);
        const Case cases[] = {
            {"room on the right", {100, 100, 627, 382}, {480, 400}, {735, 100}},
            {"room on the left only", {900, 100, 627, 382}, {480, 400}, {412, 100}},
            {"no room: as far right as the screen lets",
             {500, 50, 627, 382},
             {600, 400},
             {1000, 50}},
            {"no room and a wide review: off the field",
             {300, 50, 1254, 764},
             {968, 800},
             {991, 50}},
            {"lower than the screen allows", {100, 700, 627, 382}, {480, 400}, {735, 500}},
        };
        for (const Case& c : cases) {
            const QRect field(c.main.left() + 3, c.main.top() + 20, c.main.width() * 340 / 627,
                              c.main.width() * 340 / 627);
            const QPoint at = ReviewPlace(screen, c.main, field, c.review);
            QVERIFY2(at == c.place,
                     qPrintable(QString("%1: %2,%3").arg(c.name).arg(at.x()).arg(at.y())));
            QVERIFY2(!QRect(at, c.review).intersects(field), c.name);
        }
    }

    // A rated game is reviewed only once it has ended; an unrated one also while under way, up to
    // its last move.
    void reviewOfAGameUnderWay() {
        {
            Window w(true);
            w.Key(Qt::Key_F2);
            w.PlayLetterAlone();
            w.Key(Qt::Key_F8);
            QVERIFY(!w.C().ReviewForm().isVisible());
            w.PlayGame([](int) { return false; });
        }
        Window w;
        w.Key(Qt::Key_F2);
        w.PlayLetterAlone();
        w.PlayLetterAlone();
        w.Key(Qt::Key_F8);
        QVERIFY(w.C().ReviewForm().isVisible());
        QCOMPARE(w.C().ReviewForm().Table()->rowCount(), 2);
        // A new game takes the old game's review away.
        w.Key(Qt::Key_F2);
        QVERIFY(!w.C().ReviewForm().isVisible());
    }

    // A network game: each window reviews its own seat from the moves it saw, the client with the
    // hint its player took; both saw the same game, so their reviews of every seat agree.
    void reviewOfANetworkGame() {
        using test::WaitFor;
        test::BotWindow server(5), client(5);
        GameSettings& s = server.model.Settings;
        s.Seat(2).Type = PlayerType::Client;
        s.Seat(2).Name = "Bob";
        s.Mode = GameMode::Server;
        QVERIFY(server.form->Net().Server().StartListening(0));
        QCOMPARE(client.form->Net().Client().Connect("127.0.0.1", "Bob",
                                                     server.form->Net().Server().Port()),
                 net::ConnectResult::Started);
        QVERIFY(WaitFor([&] { return !server.form->Net().Server().ClientNames().empty(); }, 20000));
        server.form->Flow().StartNewGame();
        QVERIFY(WaitFor([&] { return client.model.Settings.Mode == GameMode::Client; }, 20000));

        Coach& bobCoach = client.form->Coaching();
        bool hinted = false;
        QVERIFY(WaitFor(
            [&] {
                if (server.model.State.Phase == GamePhase::PutLetter) server.bot->Play();
                if (client.model.State.Phase == GamePhase::PutLetter) {
                    if (!hinted) {
                        QSignalSpy done(&bobCoach, &Coach::hintDone);
                        bobCoach.RequestHint();
                        hinted = done.wait(5000) && done.first().first().toBool();
                        if (!hinted) return true;
                    }
                    client.bot->Play();
                }
                return server.model.State.Phase == GamePhase::GameOver &&
                       client.model.State.Phase == GamePhase::GameOver;
            },
            60000));
        QVERIFY(hinted);
        QCOMPARE(server.model.State.Phase, GamePhase::GameOver);

        client.form->Coaching().ShowReview();
        server.form->Coaching().ShowReview();
        const Review bob = client.form->Coaching().ReviewForm().Shown();
        const Review ann = server.form->Coaching().ReviewForm().Shown();
        QCOMPARE(bob.Rows.size(), std::size_t{10});
        QCOMPARE(ann.Rows.size(), std::size_t{10});
        for (const ReviewRow& r : bob.Rows) QCOMPARE(r.Seat, 2);
        for (const ReviewRow& r : ann.Rows) QCOMPARE(r.Seat, 1);
        QVERIFY(bob.Rows.front().Hint);
        QCOMPARE(bob.Seats.front().Hints, 1);

        const Review seenByBob = ReviewOf(client.form->Flow().Computer(), client.model.Dict,
                                          client.form->Coaching().Recorder().Game());
        const Review seenByAnn = ReviewOf(server.form->Flow().Computer(), server.model.Dict,
                                          server.form->Coaching().Recorder().Game());
        QCOMPARE(seenByBob.Rows.size(), std::size_t{20});
        QCOMPARE(seenByAnn.Rows.size(), seenByBob.Rows.size());
        for (std::size_t i = 0; i < seenByBob.Rows.size(); ++i) {
            QCOMPARE(seenByBob.Rows[i].Played.Word, seenByAnn.Rows[i].Played.Word);
            QCOMPARE(seenByBob.Rows[i].Best.Word, seenByAnn.Rows[i].Best.Word);
            QVERIFY(seenByBob.Rows[i].Best.Chain == seenByAnn.Rows[i].Best.Chain);
        }
    }
};

QTEST_MAIN(CoachTest)
#include "coach_test.moc"
