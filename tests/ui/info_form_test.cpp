// SPDX-License-Identifier: GPL-3.0-or-later
// The game status dialog: captions, the highlighted seat, the "----" rows, totals.

#include <QtTest>

#include "ui/app.h"
#include "ui/info_form.h"
#include "ui/text.h"
#include "ui_support.h"

using namespace tq;
using namespace tq::ui;

class InfoFormTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { InitialiseApplication(); }

    void standingsDuringGame() {
        GameModel model;
        test::FillEnglishModel(model);
        Style style(model.StylesFolder());
        style.Load("Marble");
        model.State.Phase = GamePhase::PutLetter;
        model.State.CurrentSeat = 2;
        model.State.Score(1).WordPoints = 30;
        model.State.Score(2).WordPoints = 10;
        model.State.Score(2).FinePoints = 14;
        TInfoForm info(model, style, nullptr);
        QCOMPARE(info.size(), QSize(325, 161));
        info.show();
        QCOMPARE(info.windowTitle(), QString("Game Status"));
        QCOMPARE(info.Label(0, 0)->Text(), QString("Player Name"));
        QCOMPARE(info.Label(0, 1)->Text(), QString("Score"));
        QCOMPARE(info.Label(1, 0)->Text(), QString("Ann"));
        QCOMPARE(info.Label(1, 1)->Text(), QString("30"));
        QCOMPARE(info.Label(2, 1)->Text(), QString("-4"));
        QCOMPARE(info.Label(2, 0)->Colour(), ToQColor(model.Settings.Seat(2).Color));
        const QColor highlight = style.Colour(StyleColour::HighlightColor);
        const QColor fill = style.Colour(StyleColour::FillColor);
        QCOMPARE(*info.Shape(2, 0)->Fill(), highlight);
        QCOMPARE(*info.Shape(2, 1)->Fill(), highlight);
        QCOMPARE(*info.Shape(1, 0)->Fill(), fill);
        QCOMPARE(*info.Shape(0, 0)->Fill(), style.Colour(StyleColour::HeadColor));
        for (int row = 3; row <= 5; ++row)
            for (int col = 0; col < 2; ++col) {
                QCOMPARE(info.Label(row, col)->Text(), QString("----"));
                QCOMPARE(info.Label(row, col)->Colour(), QColor(128, 128, 128));
            }
        // Labels sit centred in their cells.
        const ShapeView* s = info.Shape(1, 0);
        const TextLabel* l = info.Label(1, 0);
        QCOMPARE(l->x(), s->x() + (s->width() - l->width()) / 2);
        QCOMPARE(l->y(), s->y() + (s->height() - l->height()) / 2);

        // Closing returns the highlighted row to the plain fill; Escape closes.
        QTest::keyClick(&info, Qt::Key_Escape);
        QVERIFY(!info.isVisible());
        QCOMPARE(*info.Shape(2, 0)->Fill(), fill);
    }

    void resultsAfterGame() {
        GameModel model;
        test::FillEnglishModel(model);
        model.Settings.Count = 5;
        model.Settings.Seat(5).Name = "A name far too long for its cell";
        Style style(model.StylesFolder());
        style.Load("Marble");
        model.State.Phase = GamePhase::GameOver;
        model.State.CurrentSeat = 1;
        TInfoForm info(model, style, nullptr);
        info.show();
        QCOMPARE(info.windowTitle(), QString("Game Results"));
        const QColor fill = style.Colour(StyleColour::FillColor);
        for (int row = 1; row <= 5; ++row) QCOMPARE(*info.Shape(row, 0)->Fill(), fill);
        QCOMPARE(info.Label(5, 0)->width(), 156);
        QTest::keyClick(&info, Qt::Key_Return);
        QVERIFY(!info.isVisible());
    }
};

QTEST_MAIN(InfoFormTest)
#include "info_form_test.moc"
