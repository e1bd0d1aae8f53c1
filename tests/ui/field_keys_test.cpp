// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard play on the field: a whole move by keys alone, Space against a click step by step,
// Backspace, the letter window at the cursor, the mouse hiding the cursor, and the keys doing
// nothing outside a move of this computer's human.

#include <QMouseEvent>
#include <QTimer>
#include <QtTest>

#include "base/chain_rules.h"
#include "game_window.h"
#include "ui/app.h"
#include "ui/field_keys.h"
#include "ui/input_form.h"
#include "ui/main_form.h"
#include "ui/results_grid.h"
#include "ui/text.h"

using namespace tq;
using namespace tq::ui;

namespace {

// STONE stands on row 2 of a 5 x 5 field: S(0,2) T(1,2) O(2,2) N(3,2) E(4,2). The cursor starts
// at (2,1), above the O.
struct Window : test::GameWindow {
    Window() {
        Make();
        form->show();
    }
    void Key(int key, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(form.get(), Qt::Key(key), m);
    }
    void Type(char c, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A + (QChar(c).toUpper().unicode() - 'A'), m,
                        QString(QChar(c)));
        QCoreApplication::sendEvent(form.get(), &press);
    }
    // Shows the cursor (the first arrow) and walks it to the cell.
    void CursorTo(Cell target) {
        if (!Keys().CursorShown()) Key(Qt::Key_Up);
        while (Keys().Position().col < target.col) Key(Qt::Key_Right);
        while (Keys().Position().col > target.col) Key(Qt::Key_Left);
        while (Keys().Position().row < target.row) Key(Qt::Key_Down);
        while (Keys().Position().row > target.row) Key(Qt::Key_Up);
        QCOMPARE_EQ(CellCode(Keys().Position()), CellCode(target));
    }
    FieldKeys& Keys() { return form->Keys(); }
    GamePhase Phase() const { return model.State.Phase; }
    QString Hint() const { return form->HintLabel()->Text(); }
    QString Word() const { return form->WordLabel()->Text(); }
    // What a step of move entry leaves behind, to compare keys with clicks.
    QString State() const {
        QString marks;
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 5; ++c)
                marks += form->CellState(c, r) == MarkState::Marked ? 'x' : '.';
        return QString("%1|%2|%3|%4|%5|%6")
            .arg(int(model.State.Phase))
            .arg(Word(), Hint(), QString::fromStdString(ChainText(model.State.MarkedPath)), marks)
            .arg(model.State.Score(1).WordPoints);
    }
};

}  // namespace

class FieldKeysTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { InitialiseApplication(); }

    // Cursor, typed letter, marking with Space, the refusals a click gets, Backspace and Enter:
    // a whole move without the mouse.
    void wholeMoveByKeys() {
        Window w;
        w.form->Flow().StartNewGame();
        QVERIFY(!w.Keys().CursorShown());
        w.Key(Qt::Key_Up);  // the first arrow shows the cursor where it stands
        QVERIFY(w.Keys().CursorShown());
        QCOMPARE(CellCode(w.Keys().Position()), std::string("21"));
        QCOMPARE(w.Keys().Cursor()->geometry(),
                 w.form->CellAt(2, 1)->geometry().adjusted(-1, -1, 1, 1));
        w.Key(Qt::Key_Left);
        w.Key(Qt::Key_Left);
        w.Key(Qt::Key_Left);  // stops at the edge
        QCOMPARE(CellCode(w.Keys().Position()), std::string("01"));
        QCOMPARE(w.Keys().Cursor()->geometry(),
                 w.form->CellAt(0, 1)->geometry().adjusted(-1, -1, 1, 1));

        w.Type('a');
        QVERIFY(w.Phase() == GamePhase::LetterPut);
        QCOMPARE(w.form->LetterAt(0, 1)->Text(), QString("A"));
        QCOMPARE(w.Hint(), QString("Mark the word"));
        QVERIFY(w.modals.shown.empty());

        w.Key(Qt::Key_Down);
        w.Key(Qt::Key_Space);  // S alone
        QCOMPARE(w.Word(), QString("S"));
        w.Key(Qt::Key_Return);
        QCOMPARE(w.Hint(), QString("New letter is not marked"));
        w.Key(Qt::Key_Up);
        w.Key(Qt::Key_Space);  // S, A
        QCOMPARE(w.Word(), QString("SA"));
        w.Key(Qt::Key_Enter);
        QCOMPARE(w.Hint(), QString("Unknown word"));
        QCOMPARE(w.form->HintLabel()->Colour(), QColor(128, 0, 0));

        w.Key(Qt::Key_Backspace);
        QCOMPARE(w.Word(), QString("S"));
        QVERIFY(w.form->CellState(0, 1) == MarkState::Normal);
        QCOMPARE(w.Hint(), QString("Mark the word"));
        w.Key(Qt::Key_Backspace);
        QVERIFY(w.Phase() == GamePhase::LetterPut);
        QVERIFY(w.Word().isEmpty());
        QCOMPARE(w.form->LetterAt(0, 1)->Text(), QString("A"));

        w.Key(Qt::Key_Space);  // A
        w.Key(Qt::Key_Down);
        w.Key(Qt::Key_Space);  // A, S
        QCOMPARE(w.Word(), QString("AS"));
        w.Key(Qt::Key_Return);
        QCOMPARE(w.model.State.Score(1).WordPoints, 20);
        QCOMPARE(w.form->Results()->Text(1, 0), QString("AS"));
        QCOMPARE(w.model.State.CurrentSeat, uint8_t(2));
        QVERIFY(w.Phase() == GamePhase::PutLetter);
        // The next human at this computer keeps the cursor where it was.
        QVERIFY(w.Keys().CursorShown());
        QCOMPARE(CellCode(w.Keys().Position()), std::string("02"));
        QVERIFY(w.modals.shown.empty());
        QVERIFY(w.letters.empty());
    }

    // Space on the cursor's cell does what a click on it does, step for step: put the letter,
    // mark, restart the chain off a step, take the letter back on an empty cell, accept on a
    // marked cell.
    void spaceIsAClick_data() {
        QTest::addColumn<QString>("cells");  // column and row digits; the first puts the letter
        QTest::newRow("accept on a marked cell") << "01 01 02 01";
        QTest::newRow("restart off a step") << "01 12 01 02 22 01";
        QTest::newRow("empty cell takes back") << "01 11 11 01 02";
        QTest::newRow("empty cell while marking") << "01 02 11 01 02";
        QTest::newRow("no neighbour") << "00 44 01 01";
    }

    void spaceIsAClick() {
        QFETCH(QString, cells);
        Window byMouse;
        Window byKeys;
        for (Window* w : {&byMouse, &byKeys}) {
            w->form->Flow().StartNewGame();
            w->letters = {'A', 'B', 'C', 'D'};
        }
        for (const QString& code : cells.split(' ')) {
            const Cell cell{code[0].digitValue(), code[1].digitValue()};
            QTest::mouseClick(byMouse.form->CellAt(cell.col, cell.row), Qt::LeftButton);
            byKeys.CursorTo(cell);
            byKeys.Key(Qt::Key_Space);
            QCOMPARE(byKeys.State(), byMouse.State());
            QCOMPARE(byKeys.letters.size(), byMouse.letters.size());  // the same letter windows
        }
    }

    // Enter or Space on an empty cell where a letter may go opens the letter window at the
    // cell; Enter elsewhere offers the word as ever, and typed letters go nowhere else.
    void letterWindowAtTheCursor() {
        Window w;
        w.form->Flow().StartNewGame();
        std::vector<QPoint> openedAt;
        w.form->SetLetterSource([&] {
            openedAt.push_back(w.form->LetterWindowAt().value_or(QPoint(-1, -1)));
            return 'B';
        });
        w.CursorTo({0, 0});  // no letter beside it
        w.Key(Qt::Key_Return);
        w.Key(Qt::Key_Space);
        w.Type('b');
        QVERIFY(openedAt.empty());
        QVERIFY(w.Phase() == GamePhase::PutLetter);

        w.CursorTo({3, 3});
        w.Key(Qt::Key_Return);
        QCOMPARE(openedAt.size(), size_t(1));
        const QWidget* cell = w.form->CellAt(3, 3);
        QCOMPARE(openedAt[0], cell->mapToGlobal(QPoint(0, cell->height() + 1)));
        QCOMPARE(w.form->LetterAt(3, 3)->Text(), QString("B"));
        QVERIFY(!w.form->LetterWindowAt());  // the mouse's letter window opens at the pointer

        w.Key(Qt::Key_Return);  // letter put, nothing marked: Enter does nothing
        QVERIFY(w.Phase() == GamePhase::LetterPut);
        w.Type('t');  // typed again on its cell: the letter changes
        QCOMPARE(w.form->LetterAt(3, 3)->Text(), QString("T"));
        w.Type('X', Qt::ShiftModifier);  // with Shift: no letter, as in the letter window
        QCOMPARE(w.form->LetterAt(3, 3)->Text(), QString("T"));
        QCOMPARE(openedAt.size(), size_t(1));

        w.Key(Qt::Key_Escape);  // Esc takes it back as ever
        QVERIFY(w.Phase() == GamePhase::PutLetter);
        QVERIFY(w.form->LetterAt(3, 3)->Text().isEmpty());
        w.Key(Qt::Key_Space);
        QCOMPARE(openedAt.size(), size_t(2));
        QCOMPARE(w.form->LetterAt(3, 3)->Text(), QString("B"));
    }

    // While the letter window is open, the keys are its own: arrows move no cursor, Backspace
    // and Space do nothing on the field, and a letter is chosen there.
    void keysWhileTheLetterWindowIsOpen() {
        Window w;
        w.form->SetLetterSource(nullptr);  // the real window
        w.form->Flow().StartNewGame();
        w.CursorTo({1, 1});
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        bool opened = false;
        QPoint openedAt;
        QTimer::singleShot(0, w.form.get(), [&] {
            TInputForm& input = w.form->InputForm();
            opened = input.isVisible();
            openedAt = input.pos();
            // Through the window system to the letter window, which holds the keyboard while it
            // is open, as a real key comes.
            QWindow* focus = input.windowHandle();
            for (Qt::Key k : {Qt::Key_Left, Qt::Key_Down, Qt::Key_Up}) QTest::keyClick(focus, k);
            QTest::keyClick(focus, Qt::Key_N, Qt::NoModifier);
        });
        // Should the letter reach the main window instead, the letter window would stay open.
        QTimer::singleShot(3000, &w.form->InputForm(), [&] { w.form->InputForm().reject(); });
        w.Key(Qt::Key_Space);
        // The letter window opens and the key returns; the letter comes through the event loop.
        QTRY_VERIFY(opened);
        QTRY_VERIFY(!w.form->InputForm().isVisible());
        const QWidget* cell = w.form->CellAt(1, 1);
        const QRect screen = w.form->screen()->availableGeometry();
        QCOMPARE(openedAt, PopupPosition(cell->mapToGlobal(QPoint(0, cell->height() + 1)),
                                         w.form->InputForm().size(), screen));
        QVERIFY(!w.form->InputForm().isVisible());
        QCOMPARE(CellCode(w.Keys().Position()), std::string("11"));
        QCOMPARE(w.form->LetterAt(1, 1)->Text(), QString("N"));
        QVERIFY(w.Phase() == GamePhase::LetterPut);
    }

    // The mouse on the field hides the cursor; the next arrow brings it back where the mouse
    // was, without moving it. A pointer that did not move does not count.
    void mouseHidesTheCursor() {
        Window w;
        w.form->Flow().StartNewGame();
        w.Key(Qt::Key_Down);
        QVERIFY(w.Keys().CursorShown());
        CellView* cell = w.form->CellAt(4, 3);
        const QPoint resting = QCursor::pos();
        QMouseEvent still(QEvent::MouseMove, QPointF(5, 5), QPointF(resting), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(cell, &still);
        QVERIFY(w.Keys().CursorShown());
        QMouseEvent moved(QEvent::MouseMove, QPointF(6, 5), QPointF(resting + QPoint(1, 0)),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(cell, &moved);
        QVERIFY(!w.Keys().CursorShown());
        w.Key(Qt::Key_Left);
        QVERIFY(w.Keys().CursorShown());
        QCOMPARE(CellCode(w.Keys().Position()), std::string("43"));

        w.letters = {'E'};
        QTest::mouseClick(w.form->CellAt(4, 1), Qt::LeftButton);
        QVERIFY(!w.Keys().CursorShown());
        QVERIFY(w.Phase() == GamePhase::LetterPut);
        // Keys typed while the cursor is hidden put nothing and mark nothing.
        w.Type('x');
        w.Key(Qt::Key_Space);
        QCOMPARE(w.form->LetterAt(4, 1)->Text(), QString("E"));
        QVERIFY(w.Word().isEmpty());
        // Backspace needs no cursor: it takes the letter back.
        w.Key(Qt::Key_Backspace);
        QVERIFY(w.Phase() == GamePhase::PutLetter);
        QVERIFY(w.form->LetterAt(4, 1)->Text().isEmpty());
    }

    // Before a game, in a computer's turn and after the game the keys do nothing, and the
    // window's own keys keep their meaning: Esc in a computer's turn stops the game.
    void nothingOutsideAMove() {
        Window w;
        auto press = [&w] {
            w.Key(Qt::Key_Up);
            w.Key(Qt::Key_Left);
            w.Type('a');
            w.Key(Qt::Key_Space);
            w.Key(Qt::Key_Backspace);
        };
        press();
        QVERIFY(w.Phase() == GamePhase::Idle);
        QVERIFY(!w.Keys().CursorShown());

        w.form->Flow().StartNewGame();
        w.Key(Qt::Key_Up);
        QVERIFY(w.Keys().CursorShown());
        w.form->Flow().SetPhase(GamePhase::ComputerThinking);
        QVERIFY(!w.Keys().CursorShown());
        press();
        QCOMPARE(CellCode(w.Keys().Position()), std::string("21"));
        QVERIFY(w.form->LetterAt(2, 1)->Text().isEmpty());
        QVERIFY(w.Phase() == GamePhase::ComputerThinking);
        w.Key(Qt::Key_Escape);
        QVERIFY(w.Phase() == GamePhase::GameOver);
        press();
        QVERIFY(!w.Keys().CursorShown());
        QVERIFY(w.form->LetterAt(2, 1)->Text().isEmpty());
    }

    // Real computer turns after a move by keys: the keys pressed while they move (paced, so the
    // window answers meanwhile) change nothing, and the cursor is back for the human after.
    void keysDuringAComputerTurn() {
        Window w;
        GameSettings& s = w.model.Settings;
        s.Count = 4;
        for (int seat = 2; seat <= 4; ++seat) {
            s.Seat(seat).Type = PlayerType::Computer;
            s.Seat(seat).Skill = 1;
        }
        s.ComputerPace = 300;
        w.form->Flow().StartNewGame();
        w.CursorTo({0, 1});
        w.Type('a');
        w.Key(Qt::Key_Space);
        w.Key(Qt::Key_Down);
        w.Key(Qt::Key_Space);
        bool shownMeanwhile = true;
        GamePhase phaseMeanwhile = GamePhase::Idle;
        QTimer::singleShot(100, w.form.get(), [&] {
            phaseMeanwhile = w.Phase();
            for (int k : {int(Qt::Key_Up), int(Qt::Key_Right), int(Qt::Key_Backspace)}) w.Key(k);
            w.Type('a');
            w.Key(Qt::Key_Space);
            shownMeanwhile = w.Keys().CursorShown();
        });
        w.Key(Qt::Key_Return);  // AS; three computer moves, paced
        QTRY_VERIFY_WITH_TIMEOUT(w.Phase() == GamePhase::PutLetter, 10000);
        QVERIFY(phaseMeanwhile == GamePhase::ComputerThinking);
        QVERIFY(!shownMeanwhile);
        QCOMPARE(w.model.State.LetterCountOnField, uint8_t(9));  // STONE, A and three more
        QVERIFY(w.Phase() == GamePhase::PutLetter);
        QCOMPARE(w.model.State.CurrentSeat, uint8_t(1));
        QVERIFY(w.Keys().CursorShown());
        QCOMPARE(CellCode(w.Keys().Position()), std::string("02"));
    }
};

QTEST_MAIN(FieldKeysTest)
#include "field_keys_test.moc"
