// SPDX-License-Identifier: GPL-3.0-or-later
// The about box: its size, the panel and its controls at their places, the two-coloured title,
// the two lines left of OK, the OK frame in the style's border colour, and the keys that close it.

#include <QLabel>
#include <QMenu>
#include <QtTest>

#include "ui/about_form.h"
#include "ui/app.h"
#include "ui/main_form.h"
#include "ui/text.h"
#include "ui_support.h"

using namespace tq;
using namespace tq::ui;

class AboutFormTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { InitialiseApplication(); }

    void layout() {
        Style style(std::filesystem::path(TESSAROON_START_FOLDER) / "Styles");
        style.Load("Marble");
        TAboutForm about(style, nullptr);
        QCOMPARE(about.size(), QSize(244, 103));
        QCOMPARE(about.windowTitle(), QString("About Tessaroon"));
        QCOMPARE(about.Panel()->geometry(), QRect(4, 4, 237, 96));
        QCOMPARE(about.Icon()->geometry(), QRect(26, 12, 32, 32));
        QVERIFY(!about.Icon()->Image().isNull());
        QCOMPARE(about.Title1()->pos(), QPoint(80, 20));
        QCOMPARE(about.Title2()->pos(), QPoint(81, 21));
        QCOMPARE(about.Title1()->Text(), QString("Tessaroon 2.1"));
        QCOMPARE(about.Title2()->Text(), about.Title1()->Text());
        QCOMPARE(about.Title1()->Colour(), QColor(100, 100, 0));
        QCOMPARE(about.Title2()->Colour(), QColor(225, 225, 0));
        QVERIFY(about.Title1()->font().bold());
        QCOMPARE(about.Title1()->font().pixelSize(), 13);
        QCOMPARE(about.Ver1()->pos(), QPoint(60, 28));
        QCOMPARE(about.Ver2()->pos(), QPoint(61, 29));
        QVERIFY(about.Ver1()->Text().isEmpty());
        QCOMPARE(about.Line()->geometry(), QRect(12, 54, 213, 2));
        QCOMPARE(about.Copyright()->pos(), QPoint(12, 61));
        QCOMPARE(about.Sources()->pos(), QPoint(12, 75));
        QVERIFY(about.Copyright()->text().contains("Tessaroon"));
        for (const char* source : {"OpenCorpora", "CC BY-SA", "WordNet", "SCOWL", "licence"})
            QVERIFY2(about.Sources()->text().contains(source), source);
        QCOMPARE(about.OkButton()->geometry(), QRect(156, 67, 68, 17));
        QCOMPARE(about.OkFrame()->geometry(), QRect(155, 66, 70, 19));
        // Both lines stay left of the OK frame and inside the panel.
        for (const QLabel* l : {about.Copyright(), about.Sources()}) {
            QVERIFY2(l->geometry().right() < 155, qPrintable(l->text()));
            QVERIFY2(l->geometry().bottom() < 96, qPrintable(l->text()));
        }
    }

    // The two lines fit inside the panel's inner bevel (rows 2 to 93) and end before the OK
    // frame: every row of their text, not only their boxes, as drawn.
    void linesFitTheirPanel() {
        Style style(std::filesystem::path(TESSAROON_START_FOLDER) / "Styles");
        style.Load("Marble");
        TAboutForm about(style, nullptr);
        about.show();
        const QImage panel = about.Panel()->grab().toImage();
        if (const QString dir = qEnvironmentVariable("TESSAROON_SCREENSHOTS"); !dir.isEmpty())
            about.grab().save(dir + "/about.png");
        for (const QLabel* l : {about.Copyright(), about.Sources()}) {
            QVERIFY2(l->sizeHint().height() <= l->height(), qPrintable(l->text()));
            QVERIFY2(l->sizeHint().width() <= l->width(), qPrintable(l->text()));
            QVERIFY2(l->geometry().bottom() <= 93, qPrintable(l->text()));
            QVERIFY2(l->geometry().right() < 155 - 2, qPrintable(l->text()));
        }
        // No text pixel below the lines' area or between them and the OK frame.
        const QColor face = panel.pixelColor(150, 60);
        for (int y = 60; y <= 93; ++y)
            for (int x = 12; x < 155; ++x)
                if (x >= 153 || y >= 92)
                    QVERIFY2(panel.pixelColor(x, y) == face,
                             qPrintable(QString("text at %1, %2").arg(x).arg(y)));
    }

    // Each showing takes the style's border colour for the OK frame; OK, Enter and Escape close.
    void showingAndClosing() {
        Style style(std::filesystem::path(TESSAROON_START_FOLDER) / "Styles");
        style.Load("Marble");
        TAboutForm about(style, nullptr);
        for (int key : {int(Qt::Key_Return), int(Qt::Key_Escape), int(Qt::Key_Enter), 0}) {
            StyleColours c = style.Colours();
            c[StyleColour::BorderColor] = 0x123456u + static_cast<uint32_t>(key & 0xFF);
            style.SetColours(c);
            about.show();
            QCOMPARE(about.OkFrame()->Pen(), style.Colour(StyleColour::BorderColor));
            if (key)
                QTest::keyClick(&about, Qt::Key(key));
            else
                QTest::mouseClick(about.OkButton(), Qt::LeftButton);
            QVERIFY(!about.isVisible());
        }
    }

    void aboutCommand() {
        GameModel model;
        test::FillEnglishModel(model);
        TMainForm main(model);
        test::ModalRecorder modals;
        main.SetModalRunner(modals.Runner());
        main.HelpMenu()->actions().value(2)->trigger();
        QCOMPARE(modals.shown.size(), std::size_t(1));
        QCOMPARE(modals.Count("tq::ui::TAboutForm"), 1);
    }
};

QTEST_MAIN(AboutFormTest)
#include "about_form_test.moc"
