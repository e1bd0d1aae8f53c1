// SPDX-License-Identifier: GPL-3.0-or-later
// What a word means in the game window (the results table, the review, the hint line), looking
// it up by choice, and the review's score chart, offscreen.

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSignalSpy>
#include <QTableWidget>
#include <QValueAxis>
#include <QtTest>

#include "base/chain_rules.h"
#include "coach/score_chart.h"
#include "dict/explanations.h"
#include "game_window.h"
#include "ui/app.h"
#include "ui/coach.h"
#include "ui/explain.h"
#include "ui/main_form.h"
#include "ui/results_grid.h"
#include "ui/review_form.h"
#include "ui/score_chart_view.h"
#include "ui/text.h"

using namespace tq;
using namespace tq::ui;

namespace {

// Ann (a human) against Bob (the computer) on the field of STONE, with the shipped English
// explanations beside the dictionary; every page the game would open and every word menu is
// recorded instead.
struct Window : test::GameWindow {
    QList<QUrl> opened;
    QStringList menu;  // the last word menu's choices
    QList<QAction*> actions;

    Window() {
        model.Dict.DictName = "General_eng";
        model.Settings.Seat(2).Type = PlayerType::Computer;
        model.Settings.Seat(2).Skill = 7;
        model.Settings.ComputerPace = 0;
        Make();
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        C().SetUrlOpener([this](const QUrl& url) {
            opened << url;
            return true;
        });
        C().SetMenuRunner([this](QMenu& m, const QPoint&) {
            menu.clear();
            for (QAction* a : m.actions())
                if (!a->isSeparator()) menu << a->text();
            // The first choice: the first word's explanation.
            if (!m.actions().isEmpty()) m.actions().first()->trigger();
        });
    }
    Coach& C() { return form->Coaching(); }
    void Key(Qt::Key k) {
        QTest::keyClick(form.get(), k);
        Settle();
    }
    // Ann's move: the letter A alone into the first empty cell that takes one.
    void PlayLetterAlone() {
        for (int c = 0; c < 5; ++c)
            for (int r = 0; r < 5; ++r)
                if (model.Board.IsEmpty(c, r) &&
                    CanPutLetter(model.Board, model.Settings, Cell{c, r})) {
                    letters.push_back('A');
                    QTest::mouseClick(form->CellAt(c, r), Qt::LeftButton);
                    QTest::mouseClick(form->CellAt(c, r), Qt::LeftButton);
                    Key(Qt::Key_Return);
                    return;
                }
    }
    QRect FieldOnScreen() const {
        const QWidget* field = form->Background();
        return {field->mapToGlobal(QPoint(0, 0)), field->size()};
    }
    ExplainWindow& Shown() { return C().Explanation(); }
};

// A double-click as the mouse makes it: a click, then the second press as a double-click.
void DoubleClick(QWidget* widget, const QPoint& at) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
}

QString FirstGloss(const std::string& word) {
    const auto found = ReadExplanation(
        std::filesystem::path(TESSAROON_START_FOLDER) / "Dicts/General_eng.tqe", word);
    return found.ok() && !found->empty() ? QString::fromStdString(found->front()) : QString();
}

}  // namespace

class ExplainTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { InitialiseApplication(); }

    // A word's meaning: the shipped explanations for English words, none for a word the file
    // lacks or a dictionary without a file, and always the word's Wiktionary page.
    void meaningOfAWord() {
        struct Case {
            const char* dict;
            uint8_t language;
            std::string word;
            bool explained;
            const char* page;
        };
        const Case cases[] = {
            {"General_eng", 2, "TYRE", true, "https://en.wiktionary.org/wiki/tyre"},
            {"General_eng", 2, "QQQQ", false, "https://en.wiktionary.org/wiki/qqqq"},
            {"Test_eng", 2, "STONE", false, "https://en.wiktionary.org/wiki/stone"},
            {"General_rus", 1, "\xCA\xCE\xD2", false,
             "https://ru.wiktionary.org/wiki/%D0%BA%D0%BE%D1%82"},
        };
        for (const Case& c : cases) {
            GameModel model;
            model.StartFolder = TESSAROON_START_FOLDER;
            model.Dict.DictName = c.dict;
            model.Dict.Language = c.language;
            const WordMeaning m = MeaningOf(model, c.word);
            QCOMPARE(m.word, ToQString(c.word));
            QCOMPARE(!m.glosses.isEmpty(), c.explained);
            QCOMPARE(m.lookUp.toString(QUrl::FullyEncoded), QString(c.page));
        }
    }

    // The window of a meaning goes beside the word, never over the field, and on the screen.
    void explainPlace() {
        struct Case {
            const char* name;
            QPoint anchor;
            QPoint place;
        };
        const QRect screen(0, 0, 1600, 900);
        const QRect field(100, 100, 340, 340);
        const QSize size(400, 120);
        const Case cases[] = {
            {"right of the results table", {600, 200}, {612, 140}},
            {"no room on the right: left of the word", {1500, 200}, {1088, 140}},
            {"left and right over the field: below it", {300, 300}, {100, 452}},
            {"near the screen's top", {600, 10}, {612, 0}},
        };
        for (const Case& c : cases) {
            const QPoint at = ExplainPlace(screen, field, c.anchor, size);
            QVERIFY2(at == c.place,
                     qPrintable(QString("%1: %2,%3").arg(c.name).arg(at.x()).arg(at.y())));
            QVERIFY2(!QRect(at, size).intersects(field), c.name);
            QVERIFY2(screen.contains(QRect(at, size)), c.name);
        }
    }

    // A double-click on a word of the results table still marks and copies it as a click does,
    // and shows its meaning beside the table; "Look it up" opens its page, by choice only.
    void resultsWordByDoubleClickAndMenu() {
        Window w;
        w.Key(Qt::Key_F2);
        w.PlayLetterAlone();  // Bob answers with a word
        ResultsGrid* grid = w.form->Results();
        int row = -1;
        for (int r = 0; r < grid->FilledRows(); ++r)
            if (grid->Text(1, r) != "----" && !grid->Text(1, r).isEmpty()) row = r;
        QVERIFY(row >= 0);
        const QString word = grid->Text(1, row);
        QVERIFY(!FirstGloss(FromQString(word)).isEmpty());
        QVERIFY(w.opened.isEmpty());

        DoubleClick(grid, grid->CellRect(1, row).center());
        QCOMPARE(QGuiApplication::clipboard()->text(), word.toLower());
        QVERIFY(w.Shown().isVisible());
        QCOMPARE(w.Shown().Shown().word, word);
        QVERIFY(w.Shown().Text()->text().contains(FirstGloss(FromQString(word))));
        QVERIFY(!w.Shown().frameGeometry().intersects(w.FieldOnScreen()));
        QVERIFY(w.opened.isEmpty());
        w.Shown().LookUpButton()->click();
        QCOMPARE(w.opened, QList<QUrl>{QUrl("https://en.wiktionary.org/wiki/" + word.toLower())});
        QVERIFY(!w.Shown().isVisible());

        // The context menu offers both choices; its first shows the meaning.
        QContextMenuEvent menu(QContextMenuEvent::Mouse, grid->CellRect(1, row).center(),
                               grid->mapToGlobal(grid->CellRect(1, row).center()));
        QCoreApplication::sendEvent(grid, &menu);
        QCOMPARE(w.menu, QStringList({QString("What does %1 mean?").arg(word),
                                      QString("Look %1 up in Wiktionary").arg(word)}));
        QVERIFY(w.Shown().isVisible());
        w.Shown().hide();
        // A move without a word, or a column without one, explains nothing.
        w.menu.clear();
        QContextMenuEvent points(QContextMenuEvent::Mouse, grid->CellRect(2, row).center(),
                                 grid->mapToGlobal(grid->CellRect(2, row).center()));
        QCoreApplication::sendEvent(grid, &points);
        QVERIFY(w.menu.isEmpty());
        QVERIFY(!w.Shown().isVisible());
    }

    // A word without an explanation says so and still offers its page.
    void wordWithoutAnExplanation() {
        Window w;
        w.model.Dict.DictName = "Test_eng";  // no explanations beside it
        w.C().ExplainWord("STONE", w.form->mapToGlobal(QPoint(600, 100)));
        QVERIFY(w.Shown().isVisible());
        QCOMPARE(w.Shown().Text()->text(),
                 QString("No explanation of this word comes with the game."));
        w.Shown().LookUpButton()->click();
        QCOMPARE(w.opened, QList<QUrl>{QUrl("https://en.wiktionary.org/wiki/stone")});
    }

    // The hint's word explains itself on a double-click on the hint line, while the line shows
    // it.
    void hintWord() {
        Window w;
        w.Key(Qt::Key_F2);
        QSignalSpy done(&w.C(), &Coach::hintDone);
        w.Key(Qt::Key_F7);
        QVERIFY(done.wait(10000) || !done.isEmpty());
        const std::string word = w.C().HintWordShown();
        QVERIFY(!word.empty());
        const QRect line = w.form->HintLabel()->geometry();
        DoubleClick(w.form->ClientArea(), line.center());
        QVERIFY(w.Shown().isVisible());
        QCOMPARE(w.Shown().Shown().word, ToQString(word));
        QVERIFY(!w.Shown().frameGeometry().intersects(w.FieldOnScreen()));
        w.Shown().hide();
        // Its context menu offers the same.
        QContextMenuEvent menu(QContextMenuEvent::Mouse, line.center(),
                               w.form->ClientArea()->mapToGlobal(line.center()));
        QCoreApplication::sendEvent(w.form->ClientArea(), &menu);
        QCOMPARE(w.menu.value(0), QString("What does %1 mean?").arg(ToQString(word)));
        w.Shown().hide();
        // Once the player has moved, the line shows something else: no word to explain.
        w.PlayLetterAlone();
        QVERIFY(w.C().HintWordShown().empty());
        DoubleClick(w.form->ClientArea(), line.center());
        QVERIFY(!w.Shown().isVisible());
    }

    // The review: a double-click on a row's best word explains it, the row's menu offers both
    // words; the chart draws every seat's total after each move in the seat's colour, and a
    // click on a point of Ann's line selects her move's row.
    void reviewWordsAndChart() {
        Window w;
        w.Key(Qt::Key_F2);
        while (w.model.State.Phase == GamePhase::PutLetter) w.PlayLetterAlone();
        w.Key(Qt::Key_F8);
        TReviewForm& review = w.C().ReviewForm();
        QVERIFY(review.isVisible());
        QTableWidget* t = review.Table();
        int row = 0;
        while (row < t->rowCount() && review.Shown().Rows[row].Best.Word.empty()) ++row;
        QVERIFY(row < t->rowCount());
        const std::string best = review.Shown().Rows[row].Best.Word;
        DoubleClick(t->viewport(),
                    t->visualItemRect(t->item(row, TReviewForm::kBestWord)).center());
        QVERIFY(w.Shown().isVisible());
        QCOMPARE(w.Shown().Shown().word, ToQString(best));
        w.Shown().hide();
        // Ann put letters alone: her row's menu has the best word only.
        emit t->customContextMenuRequested(
            t->visualItemRect(t->item(row, TReviewForm::kWord)).center());
        QCOMPARE(w.menu, QStringList({QString("What does %1 mean?").arg(ToQString(best)),
                                      QString("Look %1 up in Wiktionary").arg(ToQString(best))}));
        w.Shown().hide();

        // The chart: one line per seat from 0, a point per move, in the seat's colour.
        ScoreChartView* chart = review.Chart();
        const std::vector<SeatScores> lines = ScoreLines(w.C().Recorder().Game());
        QCOMPARE(chart->Shown().size(), std::size_t{2});
        for (const SeatScores& line : lines) {
            QLineSeries* series = chart->SeriesOf(line.Seat);
            QVERIFY(series);
            QCOMPARE(series->count(), static_cast<int>(line.Points.size()));
            QCOMPARE(series->name(), ToQString(w.model.Settings.Seat(line.Seat).Name));
            QCOMPARE(series->pen().color(), ToQColor(w.model.Settings.Seat(line.Seat).Color));
            QCOMPARE(series->at(series->count() - 1).y(),
                     static_cast<double>(line.Points.back().Total));
        }
        QCOMPARE(chart->RoundAxis()->max(), static_cast<double>(lines[0].Points.back().Round));
        const ScorePoint& third = lines[0].Points[3];
        emit chart->SeriesOf(1)->clicked(QPointF(third.Round + 0.2, third.Total));
        QCOMPARE(t->currentRow(), review.RowOfMove(third.Move));
        QVERIFY(t->currentRow() >= 0);
        // Bob's moves are not rows of Ann's review: a click on his line picks nothing.
        t->setCurrentCell(-1, -1);
        emit chart->SeriesOf(2)->clicked(QPointF(2, 0));
        QCOMPARE(t->currentRow(), -1);
    }
};

QTEST_MAIN(ExplainTest)
#include "explain_test.moc"
