// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the emblem, the field layout, a whole human move by clicks and keys, take-back,
// the results table with its colours, page buttons and clipboard, the status dialog and the close
// request during a computer move.

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "game_window.h"
#include "ui/app.h"
#include "ui/fonts.h"
#include "ui/info_form.h"
#include "ui/main_form.h"
#include "ui/message_box.h"
#include "ui/results_grid.h"
#include "ui/text.h"

using namespace tq;
using namespace tq::ui;

namespace {

struct Window : test::GameWindow {
    Window() { Make(); }
    void Click(int c, int r, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseClick(form->CellAt(c, r), b);
    }
    void Put(int c, int r, char letter) {
        letters.push_back(letter);
        Click(c, r);
    }
    void Key(Qt::Key k) { QTest::keyClick(form.get(), k); }
    GamePhase Phase() const { return model.State.Phase; }
    QString Hint() const { return form->HintLabel()->Text(); }
};

}  // namespace

class MainFormTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { InitialiseApplication(); }

    void clientAreaAndControls() {
        Window w;
        QCOMPARE(w.form->windowTitle(), QString("Tessaroon 2.1"));
        QCOMPARE(w.form->ClientArea()->size(), QSize(627, 364));
        QCOMPARE(w.form->Background()->geometry(), QRect(3, 2, 338, 338));
        QCOMPARE(w.form->WordFrame()->geometry(), QRect(1, 344, 170, 19));
        QCOMPARE(w.form->HintFrame()->geometry(), QRect(173, 344, 170, 19));
        QCOMPARE(w.form->ClockLabel()->geometry(), QRect(507, 345, 46, 16));
        QCOMPARE(w.form->ClockLabel()->text(), QString("00:00"));
        QCOMPARE(w.form->StatusButton()->geometry(), QRect(557, 345, 68, 17));
        QCOMPARE(w.form->PageUpButton()->geometry(), QRect(608, 1, 17, 168));
        QCOMPARE(w.form->PageDownButton()->geometry(), QRect(608, 173, 17, 168));
        QCOMPARE(w.form->Results()->mapTo(w.form->ClientArea(), QPoint(0, 0)), QPoint(342, 22));
        QCOMPARE(w.form->Results()->size(), QSize(264, 320));
        QCOMPARE(w.form->NewGameAction()->shortcut(), QKeySequence(Qt::Key_F2));
    }

    // Before the first game the golden emblem shows; clicks, Enter, Esc and a double click on
    // the background change nothing.
    void emblemBeforeFirstGame() {
        Window w;
        w.form->show();
        QVERIFY(w.form->CellAt(4, 0)->isVisible());
        QVERIFY(w.form->CellAt(0, 7)->isVisible());
        QVERIFY(!w.form->CellAt(0, 0)->isVisible());
        QVERIFY(!w.form->CellAt(0, 9)->isVisible());
        QVERIFY(w.form->CellState(4, 0) == MarkState::Golden);
        QVERIFY(!w.form->CellAt(4, 0)->Image().isNull());
        w.Put(4, 0, 'A');
        w.Key(Qt::Key_Return);
        w.Key(Qt::Key_Escape);
        QTest::mouseDClick(w.form->Background(), Qt::LeftButton);
        QVERIFY(w.Phase() == GamePhase::Idle);
        QCOMPARE(w.letters.size(), size_t(1));  // the picker was never asked
        QVERIFY(w.form->LetterAt(4, 0)->Text().isEmpty());
        QVERIFY(w.modals.shown.empty());
        QVERIFY(!w.form->StatusButton()->isVisible());
    }

    void layoutField_data() {
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QPoint>("firstCell");
        QTest::newRow("5x5") << 5 << 5 << QPoint(90, 89);
        QTest::newRow("3x3") << 3 << 3 << QPoint(123, 122);
        QTest::newRow("4x4") << 4 << 4 << QPoint(106, 105);
        QTest::newRow("4x3") << 4 << 3 << QPoint(106, 122);
        QTest::newRow("10x10") << 10 << 10 << QPoint(7, 6);
    }

    void layoutField() {
        QFETCH(int, cols);
        QFETCH(int, rows);
        QFETCH(QPoint, firstCell);
        Window w;
        w.form->show();
        w.form->LayoutField(cols, rows);
        for (int r = 0; r < kMaxFieldSide; ++r) {
            for (int c = 0; c < kMaxFieldSide; ++c) {
                const bool inside = c < cols && r < rows;
                QCOMPARE(w.form->CellAt(c, r)->isVisible(), inside);
                QCOMPARE(w.form->CellAt(c, r)->pos(), firstCell + QPoint(33 * c, 33 * r));
                QCOMPARE(w.form->LetterAt(c, r)->pos(), firstCell + QPoint(33 * c + 4, 33 * r + 4));
                if (inside) QVERIFY(w.form->CellState(c, r) == MarkState::Normal);
            }
        }
    }

    // Letters and the word label are centred, the word label up to its maximum width.
    void lettersAndLabelsCentred() {
        Window w;
        w.form->LayoutField(5, 5);
        w.form->ShowCellLetter(Cell{1, 1}, "W");
        TextLabel* l = w.form->LetterAt(1, 1);
        const QPoint cell = w.form->CellAt(1, 1)->pos();
        QVERIFY(l->width() > 0);
        QCOMPARE(l->x(), cell.x() + (32 - l->width()) / 2);
        QCOMPARE(l->y(), cell.y() + (32 - l->height()) / 2);

        w.form->ShowWordLabel("STONE");
        TextLabel* word = w.form->WordLabel();
        QCOMPARE(word->x(), 1 + (171 - word->width()) / 2);
        QCOMPARE(word->y(), 347);
        w.form->ShowWordLabel(std::string(40, 'W'));
        QCOMPARE(word->width(), 161);
        QCOMPARE(word->x(), 1 + (171 - 161) / 2);

        w.form->ShowHintLabel("Unknown word", kRefusalColor);
        QCOMPARE(w.form->HintLabel()->x(), 173 + (171 - w.form->HintLabel()->width()) / 2);
        QCOMPARE(w.form->HintLabel()->Colour(), QColor(128, 0, 0));
    }

    // Put a letter, mark a chain without it (refused), a chain that is no word (refused), then
    // a word (accepted): the results table, the points and the next seat follow.
    void wholeHumanMove() {
        Window w;
        w.form->show();
        w.form->Flow().StartNewGame();
        QVERIFY(w.Phase() == GamePhase::PutLetter);
        QCOMPARE(w.Hint(), QString("Put a letter"));
        QVERIFY(w.form->StatusButton()->isVisible());
        QCOMPARE(w.form->LetterAt(0, 2)->Text(), QString("S"));

        w.Put(0, 1, 'A');
        QVERIFY(w.Phase() == GamePhase::LetterPut);
        QCOMPARE(w.form->LetterAt(0, 1)->Text(), QString("A"));
        QCOMPARE(w.Hint(), QString("Mark the word"));

        w.Click(0, 2);  // S alone
        QVERIFY(w.form->CellState(0, 2) == MarkState::Marked);
        QCOMPARE(w.form->WordLabel()->Text(), QString("S"));
        w.Key(Qt::Key_Return);
        QCOMPARE(w.Hint(), QString("New letter is not marked"));
        QCOMPARE(w.form->HintLabel()->Colour(), QColor(128, 0, 0));

        w.Click(0, 1);  // S, A
        QCOMPARE(w.form->WordLabel()->Text(), QString("SA"));
        w.Key(Qt::Key_Enter);
        QCOMPARE(w.Hint(), QString("Unknown word"));
        QVERIFY(w.Phase() == GamePhase::Marking);

        w.Click(1, 2);  // not a step from A: the chain starts again at T
        w.Click(0, 1);  // not a step from T: again at A
        w.Click(0, 2);  // A, S
        QCOMPARE(w.form->WordLabel()->Text(), QString("AS"));
        QVERIFY(w.form->CellState(0, 1) == MarkState::Marked);
        QVERIFY(w.form->CellState(1, 2) == MarkState::Normal);
        w.Key(Qt::Key_Return);

        QCOMPARE(w.model.State.Score(1).WordPoints, 20);
        QCOMPARE(w.model.State.CurrentSeat, uint8_t(2));
        QVERIFY(w.Phase() == GamePhase::PutLetter);
        QCOMPARE(w.Hint(), QString("Put a letter"));
        QVERIFY(w.form->WordLabel()->Text().isEmpty());
        ResultsGrid* grid = w.form->Results();
        QCOMPARE(grid->Text(1, 0), QString("AS"));
        QCOMPARE(grid->Text(2, 0), QString("20"));
        QCOMPARE(grid->Text(3, 0), QString("A"));
        QCOMPARE(grid->RowColour(0), ToQColor(w.model.Settings.Seat(1).Color));
        QVERIFY(w.form->CellState(0, 1) == MarkState::Normal);
        QVERIFY(w.form->CellState(0, 2) == MarkState::Normal);
        QCOMPARE(w.form->LetterAt(0, 1)->Text(), QString("A"));
    }

    // Esc takes the put letter back with every mark; the picker's "?" leaves the cell empty.
    void escapeTakesBack() {
        Window w;
        w.form->Flow().StartNewGame();
        w.Put(1, 1, '?');
        QVERIFY(w.Phase() == GamePhase::PutLetter);
        QVERIFY(w.form->LetterAt(1, 1)->Text().isEmpty());

        w.Put(1, 1, 'B');
        w.Click(1, 1);
        w.Click(1, 2);
        QVERIFY(w.Phase() == GamePhase::Marking);
        w.Key(Qt::Key_Escape);
        QVERIFY(w.Phase() == GamePhase::PutLetter);
        QVERIFY(w.form->LetterAt(1, 1)->Text().isEmpty());
        QVERIFY(w.form->WordLabel()->Text().isEmpty());
        QCOMPARE(w.Hint(), QString("Put a letter"));
        QVERIFY(w.form->CellState(1, 1) == MarkState::Normal);
        QVERIFY(w.form->CellState(1, 2) == MarkState::Normal);

        // A right click on the background between cells does the same.
        w.Put(1, 1, 'B');
        QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(2, 2),
                               w.form->Background()->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(w.form->Background(), &menu);
        QVERIFY(w.Phase() == GamePhase::PutLetter);
        QVERIFY(w.form->LetterAt(1, 1)->Text().isEmpty());
    }

    // A word cell copies the word in small letters and, in phase 11, marks its chain; a move
    // without a word shows "----", copies nothing, and takes the colour of its seat.
    void resultsClipboardAndChain() {
        Window w;
        w.form->show();
        w.form->Flow().StartNewGame();
        w.Put(0, 1, 'A');
        w.Click(0, 1);
        w.Click(0, 2);
        w.Key(Qt::Key_Return);  // Ann: AS
        w.Put(4, 1, 'X');
        w.Click(4, 1);
        w.Key(Qt::Key_Return);  // Bob: the letter alone
        ResultsGrid* grid = w.form->Results();
        QCOMPARE(grid->Text(1, 1), QString("----"));
        QCOMPARE(grid->Text(2, 1), QString("0"));
        QCOMPARE(grid->RowColour(1), ToQColor(w.model.Settings.Seat(2).Color));

        QGuiApplication::clipboard()->setText("before");
        QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(1, 1).center());
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("before"));
        QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(2, 0).center());
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("before"));
        QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(1, 0).center());
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("as"));
        QVERIFY(w.form->CellState(0, 1) == MarkState::Marked);
        QVERIFY(w.form->CellState(0, 2) == MarkState::Marked);
        QVERIFY(w.form->CellState(4, 1) == MarkState::Normal);

        // While a letter is put the word is copied but the field stays as it is.
        w.Key(Qt::Key_Escape);
        QVERIFY(w.form->CellState(0, 1) == MarkState::Normal);
        w.Put(1, 1, 'O');
        QGuiApplication::clipboard()->setText("before");
        QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(1, 0).center());
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("as"));
        QVERIFY(w.form->CellState(0, 1) == MarkState::Normal);
    }

    // Russian words are copied as small Cyrillic letters.
    void clipboardRussian() {
        Window w;
        w.form->ShowResultRow(0, "\xD1\xCB\xCE\xC2\xCE", "50", "\xC2", 128);  // СЛОВО
        ResultsGrid* grid = w.form->Results();
        QCOMPARE(grid->Text(1, 0), QString::fromUtf8("СЛОВО"));
        QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(1, 0).center());
        QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromUtf8("слово"));
    }

    // Past 16 rows the table grows, scrolls the new row into view, and the page buttons reach
    // every row.
    void resultsGrowAndPage() {
        Window w;
        ResultsGrid* grid = w.form->Results();
        QCOMPARE(grid->RowCount(), 16);
        QCOMPARE(grid->VisibleRows(), 16);
        for (int row = 0; row < 17; ++row)
            w.form->ShowResultRow(row, "TO", "20", "T", row % 2 ? 32768 : 128);
        QCOMPARE(grid->RowCount(), 17);
        QCOMPARE(grid->SelectedRow(), 16);
        QCOMPARE(grid->TopRow(), 1);
        QVERIFY(!grid->CellRect(1, 16).isEmpty());
        QTest::mousePress(w.form->PageUpButton(), Qt::LeftButton);
        QCOMPARE(grid->TopRow(), 0);
        QTest::mouseRelease(w.form->PageUpButton(), Qt::LeftButton);
        QTest::mousePress(w.form->PageDownButton(), Qt::LeftButton);
        QCOMPARE(grid->TopRow(), 1);
        QTest::mouseRelease(w.form->PageDownButton(), Qt::LeftButton);
        QCOMPARE(grid->RowColour(15), QColor(0, 128, 0));

        w.form->ResetResults();
        QCOMPARE(grid->RowCount(), 16);
        QCOMPARE(grid->TopRow(), 0);
        QVERIFY(grid->Text(1, 0).isEmpty());
    }

    // The wheel scrolls the table a few rows a notch, within the rows there are; half notches
    // add up.
    void resultsWheel() {
        Window w;
        ResultsGrid* grid = w.form->Results();
        for (int row = 0; row < 40; ++row) w.form->ShowResultRow(row, "TO", "20", "T", 128);
        QCOMPARE(grid->TopRow(), 24);
        const int step = QApplication::wheelScrollLines();
        auto wheel = [grid](int delta) {
            const QPointF at = grid->rect().center();
            QWheelEvent e(at, grid->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(grid, &e);
        };
        wheel(120);  // away from the user: up
        QCOMPARE(grid->TopRow(), 24 - step);
        wheel(60);
        QCOMPARE(grid->TopRow(), 24 - step);
        wheel(60);
        QCOMPARE(grid->TopRow(), 24 - 2 * step);
        wheel(-240);
        QCOMPARE(grid->TopRow(), 24);
        wheel(-1200);  // not past the last page
        QCOMPARE(grid->TopRow(), 24);
        wheel(120 * 40);  // not past the first row
        QCOMPARE(grid->TopRow(), 0);
    }

    // Only the left button copies a word and marks its cells.
    void resultsOtherButtonsDoNothing() {
        Window w;
        w.form->show();
        w.form->Flow().StartNewGame();
        w.Put(0, 1, 'A');
        w.Click(0, 1);
        w.Click(0, 2);
        w.Key(Qt::Key_Return);  // Ann: AS
        w.Put(4, 1, 'X');
        w.Click(4, 1);
        w.Key(Qt::Key_Return);  // Bob: the letter alone; Ann is to put a letter
        ResultsGrid* grid = w.form->Results();
        QGuiApplication::clipboard()->setText("before");
        for (Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton}) {
            QTest::mouseClick(grid, b, {}, grid->CellRect(1, 0).center());
            QCOMPARE(QGuiApplication::clipboard()->text(), QString("before"));
            QVERIFY(w.form->CellState(0, 1) == MarkState::Normal);
        }
        QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(1, 0).center());
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("as"));
        QVERIFY(w.form->CellState(0, 1) == MarkState::Marked);
    }

    // The status button and a double click on the background open the status dialog once a
    // game has started.
    void statusDialog() {
        Window w;
        w.form->show();
        w.form->Flow().StartNewGame();
        QTest::mouseClick(w.form->StatusButton(), Qt::LeftButton);
        QTest::mouseDClick(w.form->Background(), Qt::LeftButton);
        QCOMPARE(w.modals.Count("tq::ui::TInfoForm"), 2);
    }

    // The last move of a game opens the game status dialog with the final results.
    void gameEndShowsResults() {
        Window w;
        w.model.Settings.ColCount = 3;
        w.model.Settings.RowCount = 3;
        w.model.Words.AddWord("SET");  // a three-letter initial word
        QString caption;
        w.modals.onShow = [&](QDialog& d) {
            if (auto* info = qobject_cast<TInfoForm*>(&d)) {
                info->Fill();
                caption = info->windowTitle();
            }
        };
        w.form->Flow().StartNewGame();
        // Six free cells, one letter each, the letter alone as the move.
        for (int r : {0, 2})
            for (int c = 0; c < 3; ++c) {
                w.Put(c, r, 'Z');
                w.Click(c, r);
                w.Key(Qt::Key_Return);
            }
        QVERIFY(w.Phase() == GamePhase::GameOver);
        QCOMPARE(w.modals.Count("tq::ui::TInfoForm"), 1);
        QCOMPARE(caption, QString("Game Results"));
        // Nobody formed a word: the status line calls it a draw until the next game.
        QCOMPARE(w.Hint(), QString("The game is a draw"));
        QVERIFY(!w.form->HintLabel()->isHidden());
        w.form->Flow().StartNewGame();
        QCOMPARE(w.Hint(), QString("Put a letter"));
    }

    // The status line's first and last words fit the hint frame whole.
    void startAndEndLines() {
        Window w;
        w.form->show();
        QCOMPARE(w.Hint(), QString("Press F2 to start a new game"));
        QVERIFY(w.form->HintLabel()->isVisible());
        QCOMPARE(w.form->HintLabel()->Colour(), QColor(0, 100, 0));
        const QRect frame = w.form->HintFrame()->geometry();
        // The widest twelve-letter name stands for any.
        for (const char* text :
             {"Press F2 to start a new game", "The game is a draw", "WWWWWWWWWWWW wins"}) {
            w.form->ShowHintLabel(text, kPromptColor);
            QCOMPARE(w.Hint(), QString(text));
            QVERIFY2(w.form->HintLabel()->fontMetrics().horizontalAdvance(text) <= 160, text);
            QVERIFY2(frame.contains(w.form->HintLabel()->geometry()), text);
        }
    }

    // A paced game between computer seats waits after each move and still ends with its results.
    void pacedComputerGame() {
        Window w;
        GameSettings& s = w.model.Settings;
        s.Seat(1).Type = s.Seat(2).Type = PlayerType::Computer;
        s.ColCount = s.RowCount = 3;
        s.ComputerPace = 30;
        w.form->show();
        QElapsedTimer elapsed;
        elapsed.start();
        w.form->Flow().StartNewGame();
        // The game returns at once; the window's event loop plays it on, wake-up by wake-up.
        QVERIFY(w.Phase() == GamePhase::ComputerThinking);
        QTRY_VERIFY_WITH_TIMEOUT(w.Phase() == GamePhase::GameOver, 10000);
        QVERIFY(elapsed.elapsed() >= 6 * 30);  // six moves, each kept on the field
        QVERIFY(!w.form->Results()->Text(1, 5).isEmpty());
        QCOMPARE(w.modals.Count("tq::ui::TInfoForm"), 1);
    }

    // Between paced moves the window answers: a close request stops the game at once, the next
    // one closes the window.
    void closeBetweenPacedMoves() {
        Window w;
        GameSettings& s = w.model.Settings;
        s.Seat(1).Type = s.Seat(2).Type = PlayerType::Computer;
        s.ComputerPace = 200;
        w.form->show();
        bool firstClose = true;
        QTimer::singleShot(300, w.form.get(), [&] { firstClose = w.form->close(); });
        w.form->Flow().StartNewGame();
        QTRY_VERIFY_WITH_TIMEOUT(!firstClose, 10000);
        QVERIFY(w.Phase() == GamePhase::GameOver);
        QTest::qWait(500);  // the wake-up still due finds the game stopped
        QVERIFY(!w.form->Results()->Text(1, 0).isEmpty());
        QVERIFY(w.form->Results()->Text(1, 19).isEmpty());  // stopped well before the end
        QCOMPARE(w.modals.Count("tq::ui::TInfoForm"), 0);
        QVERIFY(w.form->close());
    }

    // A close request while a computer seat moves stops the game; the next one closes.
    void closeDuringComputerMove() {
        Window w;
        w.form->show();
        w.form->Flow().StartNewGame();
        w.form->Flow().SetPhase(GamePhase::ComputerThinking);
        QVERIFY(!w.form->close());
        QVERIFY(w.Phase() == GamePhase::GameOver);
        QVERIFY(w.form->isVisible());
        QVERIFY(w.form->close());
    }

    // With a move clock the label shows and the 50 ms tick writes the remaining time.
    void moveClock() {
        Window w;
        w.model.Settings.SecMove = 65;
        w.form->show();
        w.form->Flow().StartNewGame();
        QVERIFY(w.form->ClockLabel()->isVisible());
        QVERIFY(w.form->ClockTimerActive());
        QTRY_COMPARE_WITH_TIMEOUT(w.form->ClockLabel()->text(), QString("01:05"), 2000);
        QVERIFY(w.form->ClockLabel()->styleSheet().contains("rgb(0, 100, 0)"));
        w.Put(0, 1, 'A');
        w.Click(0, 1);
        w.Key(Qt::Key_Return);  // the move ends; the next seat's clock starts again
        QVERIFY(w.form->ClockTimerActive());
        w.form->Flow().StartNewGame();
        w.model.Settings.SecMove = 0;
        w.form->Flow().StartNewGame();
        QVERIFY(!w.form->ClockTimerActive());
        QVERIFY(!w.form->ClockLabel()->isVisible());
    }

    // Every clock text, the overrun's sign included, shows whole in the label: its ink stays
    // inside the label once centred, so no outer digit is cut.
    void clockTextFitsLabel() {
        Window w;
        const QLabel* led = w.form->ClockLabel();
        const QFontMetrics m(led->font());
        QVERIFY(led->font().bold());
        QCOMPARE(led->font().pixelSize(), 13);  // the stand-in needs no shrinking
        for (const char* text : {"00:00", "59:59", "88:88", "44:11", "+88:88", "+00:16"}) {
            const QRect ink = m.boundingRect(QString(text));
            QVERIFY2(m.horizontalAdvance(QString(text)) <= led->width() - 2, text);
            QVERIFY2(ink.width() <= led->width(), text);
            QVERIFY2(m.height() <= led->height(), text);
        }
        // A narrower label gets a smaller size rather than a clipped text.
        const QFont narrow = SystemFont(QSize(28, 16));
        QVERIFY(narrow.pixelSize() < 13);
        QVERIFY(QFontMetrics(narrow).horizontalAdvance("00:00") <= 26);
    }

    void messageBoxPlacement_data() {
        QTest::addColumn<QRect>("mainFrame");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QPoint>("expected");
        const QSize box(200, 100);
        QTest::newRow("centred") << QRect(100, 100, 627, 382) << box << QPoint(313, 241);
        QTest::newRow("odd halves truncate")
            << QRect(0, 0, 627, 383) << QSize(201, 100) << QPoint(213, 141);
        QTest::newRow("right edge") << QRect(900, 100, 627, 382) << box << QPoint(824, 241);
        QTest::newRow("left edge") << QRect(-600, 100, 627, 382) << box << QPoint(0, 241);
        QTest::newRow("bottom edge") << QRect(100, 700, 627, 382) << box << QPoint(313, 668);
        QTest::newRow("top edge") << QRect(100, -380, 627, 382) << box << QPoint(313, 0);
    }

    // Message boxes sit centred over the main window and fully on a 1024 x 768 screen.
    void messageBoxPlacement() {
        QFETCH(QRect, mainFrame);
        QFETCH(QSize, box);
        QFETCH(QPoint, expected);
        QCOMPARE(CentredBoxPosition(mainFrame, box, QRect(0, 0, 1024, 768)), expected);
    }

    // F2 starts a game through the menu shortcut; in a client game it does nothing.
    void newGameShortcut() {
        Window w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.model.Settings.Mode = GameMode::Client;
        QTest::keyClick(w.form.get(), Qt::Key_F2);
        QVERIFY(w.Phase() == GamePhase::Idle);
        w.model.Settings.Mode = GameMode::General;
        QTest::keyClick(w.form.get(), Qt::Key_F2);
        QVERIFY(w.Phase() == GamePhase::PutLetter);
    }
};

QTEST_MAIN(MainFormTest)
#include "main_form_test.moc"
