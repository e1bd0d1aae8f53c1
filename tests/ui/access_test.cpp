// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader learns of the game window: the field read cell by cell against the game's
// own field, the keyboard cursor as the accessible focus, the results read row by row, every move
// (the player's and the computer's), a refusal and the end of a game announced, Tab going round
// the field, the results and the buttons, and no unnamed control in any window.

#include <QAccessible>
#include <QCheckBox>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QtTest>

#include <vector>

#include "game_window.h"
#include "ui/about_form.h"
#include "ui/access.h"
#include "ui/app.h"
#include "ui/field_keys.h"
#include "ui/info_form.h"
#include "ui/input_form.h"
#include "ui/main_form.h"
#include "ui/options_form.h"
#include "ui/rec_form.h"
#include "ui/results_grid.h"
#include "ui/style_form.h"

using namespace tq;
using namespace tq::ui;

namespace {

// The texts the announcer spoke, in order. (Without a platform bridge, as offscreen, Qt sends
// no events: the announcer's own signal stands for them; tests/e2e/access.sh hears the events.)
QStringList spoken;
QStringList Spoken() {
    return spoken;
}

QAccessibleInterface* Access(QObject* o) {
    return QAccessible::queryAccessibleInterface(o);
}

// The letters a screen reader reads off the field's table, '.' for an empty cell, by rows.
QString FieldAsRead(TMainForm& form) {
    QAccessibleTableInterface* table = Access(form.Background())->tableInterface();
    if (!table) return "no table";
    QString read;
    for (int r = 0; r < table->rowCount(); ++r) {
        for (int c = 0; c < table->columnCount(); ++c) {
            const QString name = table->cellAt(r, c)->text(QAccessible::Name);
            const QString what = name.section(", ", 0, 0);
            read += what == "empty" ? QString('.') : what;
            if (!name.contains(QString("column %1, row %2").arg(c + 1).arg(r + 1)))
                return "misplaced " + name;
        }
        read += '/';
    }
    return read;
}

QString FieldOfGame(const GameModel& model) {
    QString field;
    for (int r = 0; r < model.Board.Rows(); ++r) {
        for (int c = 0; c < model.Board.Cols(); ++c)
            field += model.Board.IsEmpty(c, r) ? QChar('.') : QChar(model.Board.At(c, r));
        field += '/';
    }
    return field;
}

// Interactive controls without a name, below an accessible object (windows included).
void Unnamed(QAccessibleInterface* iface, QStringList& found, const QString& where) {
    if (!iface) return;
    static const QList<QAccessible::Role> interactive = {
        QAccessible::Button,     QAccessible::CheckBox,       QAccessible::RadioButton,
        QAccessible::ComboBox,   QAccessible::EditableText,   QAccessible::SpinBox,
        QAccessible::PageTab,    QAccessible::Table,          QAccessible::Slider,
        QAccessible::ButtonMenu, QAccessible::ButtonDropDown, QAccessible::Tree};
    const QAccessible::State s = iface->state();
    if (!s.invisible && interactive.contains(iface->role()) &&
        iface->text(QAccessible::Name).trimmed().isEmpty())
        found << QString("%1: role %2 (%3)")
                     .arg(where)
                     .arg(int(iface->role()))
                     .arg(iface->object() ? iface->object()->metaObject()->className() : "");
    for (int i = 0; i < iface->childCount(); ++i) Unnamed(iface->child(i), found, where);
}

struct Window : test::GameWindow {
    explicit Window(bool computer = false) {
        if (computer) {
            model.Settings.Seat(2).Type = PlayerType::Computer;
            model.Settings.Seat(2).Skill = 1;
            model.Settings.Seat(2).Name = "Computer";
        }
        Make();
        QObject::connect(form->Announcements(), &Announcer::said,
                         [](const QString& text) { spoken << text; });
        form->show();
        form->activateWindow();
        spoken.clear();
    }
    void Key(int key, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QWidget* to = QApplication::focusWidget() ? QApplication::focusWidget() : form.get();
        QTest::keyClick(to, Qt::Key(key), m);
    }
    void Type(char c) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A + (c - 'a'), Qt::NoModifier, QString(QChar(c)));
        QCoreApplication::sendEvent(form.get(), &press);
    }
    // The human's move AS: A put at (0,1) above the S of STONE, then marked with the S.
    void PlayAs() {
        Key(Qt::Key_Up);  // shows the cursor at (2,1)
        Key(Qt::Key_Left);
        Key(Qt::Key_Left);
        Type('a');
        Key(Qt::Key_Space);
        Key(Qt::Key_Down);
        Key(Qt::Key_Space);
        Key(Qt::Key_Return);
    }
};

}  // namespace

class AccessTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { InitialiseApplication(); }

    // After moves of both seats the table reads back the game's own field, letter for letter
    // and place for place; each move was announced with its player, word and points.
    void fieldAndMovesAsRead() {
        Window w(true);
        QCOMPARE(Access(w.form->Background())->tableInterface()->rowCount(), 0);  // the emblem
        w.form->Flow().StartNewGame();
        QCOMPARE(FieldAsRead(*w.form), FieldOfGame(w.model));
        QVERIFY(Spoken().contains("A new game on a field of 5 by 5 cells."));
        w.PlayAs();
        QVERIFY(test::WaitFor([&] { return w.form->Results()->FilledRows() >= 2; }));
        QVERIFY(test::WaitFor([&] { return w.model.State.Phase == GamePhase::PutLetter; }));
        QCOMPARE(FieldAsRead(*w.form), FieldOfGame(w.model));
        QCOMPARE(FieldOfGame(w.model).count('.'), 25 - 5 - 2);

        // The results: player, word, points, letter.
        QAccessibleTableInterface* results = Access(w.form->Results())->tableInterface();
        QVERIFY(results);
        QCOMPARE(results->rowCount(), 2);
        QCOMPARE(results->columnCount(), 4);
        QStringList row0;
        for (int c = 0; c < 4; ++c) row0 << results->cellAt(0, c)->text(QAccessible::Name);
        QCOMPARE(row0, QStringList({"Ann", "AS", "20", "A"}));
        QCOMPARE(results->columnDescription(0), QString("Player"));
        const QString word = w.form->Results()->Text(1, 1);
        const QString points = w.form->Results()->Text(2, 1);
        QCOMPARE(results->cellAt(1, 0)->text(QAccessible::Name), QString("Computer"));

        const QStringList said = Spoken();
        QVERIFY2(said.contains("Ann: AS, 20 points"), qPrintable(said.join(" | ")));
        const QString computer = word == "----"
                                     ? QString("Computer: no word, letter %1, %2 points")
                                           .arg(w.form->Results()->Text(3, 1), points)
                                     : QString("Computer: %1, %2 points").arg(word, points);
        QVERIFY2(said.contains(computer), qPrintable(said.join(" | ") + " / " + computer));
        // The prompts are not repeated aloud; the moves are.
        QVERIFY(!said.contains("Put a letter"));
    }

    // The cursor is the accessible focus while the field has the keyboard: every arrow key
    // reports the cell it reaches, which says so.
    void cursorIsTheFocus() {
        Window w;
        w.form->Flow().StartNewGame();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.form->Background()->setFocus();
        w.Key(Qt::Key_Up);
        w.Key(Qt::Key_Right);
        QAccessibleInterface* field = Access(w.form->Background());
        QAccessibleInterface* cell = field->focusChild();
        QVERIFY(cell);
        QVERIFY(cell->state().focused);
        QCOMPARE(cell->text(QAccessible::Name), QString("empty, column 4, row 2, cursor"));
        // Below it, the N of STONE; marked cells say so.
        w.Key(Qt::Key_Down);
        QCOMPARE(field->focusChild()->text(QAccessible::Name),
                 QString("N, column 4, row 3, cursor"));
        w.form->ShowCellMark(Cell{0, 2}, MarkState::Marked);
        QCOMPARE(field->tableInterface()->cellAt(2, 0)->text(QAccessible::Name),
                 QString("S, column 1, row 3, marked"));
        QVERIFY(field->tableInterface()->cellAt(2, 0)->state().selected);
    }

    // A refused word and the outcome are spoken too.
    void refusalAndOutcome() {
        Window w;
        w.form->Flow().StartNewGame();
        w.Key(Qt::Key_Up);
        w.Key(Qt::Key_Left);
        w.Key(Qt::Key_Left);
        w.Type('a');
        w.Key(Qt::Key_Down);
        w.Key(Qt::Key_Space);
        w.Key(Qt::Key_Up);
        w.Key(Qt::Key_Space);
        w.Key(Qt::Key_Return);  // SA
        QCOMPARE(Spoken().last(), QString("Unknown word"));
        QCOMPARE(w.form->HintLabel()->Colour(), QColor(128, 0, 0));
        spoken.clear();
        w.form->Flow().SetPhase(GamePhase::GameOver);
        w.form->ShowHintLabel("Ann wins", kPromptColor);
        QCOMPARE(Spoken(), QStringList({"The game is over. Ann wins"}));
    }

    // Tab and Shift+Tab go round the field, the results and the buttons beside them.
    void tabGoesRound() {
        Window w;
        w.form->Flow().StartNewGame();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.form->Background()->setFocus();
        const std::vector<QWidget*> order = {w.form->Results(), w.form->PageUpButton(),
                                             w.form->PageDownButton(), w.form->StatusButton(),
                                             w.form->Background()};
        for (QWidget* next : order) {
            w.Key(Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        w.Key(Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), w.form->StatusButton());
        // F10 opens the menu bar for the keyboard, as Alt does: its first menu highlighted.
        QVERIFY(!w.form->menuBar()->activeAction());
        w.Key(Qt::Key_F10);
        QCOMPARE(w.form->menuBar()->activeAction(), w.form->GameMenu()->menuAction());
        w.Key(Qt::Key_Escape);
    }

    // Every interactive control of every window has a name a screen reader can say.
    void everyControlNamed() {
        Window w;
        w.form->Flow().StartNewGame();
        QStringList found;
        Unnamed(Access(w.form.get()), found, "main window");
        std::vector<std::pair<QDialog*, QString>> dialogs = {{&w.form->OptionsForm(), "options"},
                                                             {&w.form->StyleForm(), "style"},
                                                             {&w.form->RecForm(), "records"},
                                                             {&w.form->InfoForm(), "status"},
                                                             {&w.form->AboutForm(), "about"}};
        for (auto& [dialog, name] : dialogs) {
            dialog->show();
            Unnamed(Access(dialog), found, name);
            dialog->hide();
        }
        // Every page of the options dialog, and its tabs without their padding.
        auto* tabs = w.form->OptionsForm().findChild<QTabBar*>();
        QVERIFY(tabs);
        w.form->OptionsForm().show();
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QCOMPARE(tabs->accessibleTabName(i), tabs->tabText(i).trimmed());
            Unnamed(Access(&w.form->OptionsForm()), found, "options page " + tabs->tabText(i));
        }
        // Each direction box says its own direction.
        QStringList boxes;
        for (auto* box : w.form->OptionsForm().findChildren<QCheckBox*>())
            if (box->text().isEmpty()) boxes << Access(box)->text(QAccessible::Name);
        QCOMPARE(boxes.size(), 8);
        QCOMPARE(QSet<QString>(boxes.begin(), boxes.end()).size(), 8);
        QVERIFY(boxes.contains("Down and right"));
        w.form->OptionsForm().hide();
        QVERIFY2(found.isEmpty(), qPrintable(found.join("\n")));
    }
};

QTEST_MAIN(AccessTest)
#include "access_test.moc"
