// SPDX-License-Identifier: GPL-3.0-or-later
// The about box: its size, the panel and its controls at their places, the two-coloured title,
// the lines below the rule with room for each, the OK frame in the style's border colour, the
// menu item that names it, and the keys that close it.

#include <QLabel>
#include <QMenu>
#include <QtTest>

#include "ui/about_form.h"
#include "ui/app.h"
#include "ui/language.h"
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
        QCOMPARE(about.width(), 244);
        QCOMPARE(about.windowTitle(), QString("About Tessaroon"));
        QCOMPARE(about.Panel()->geometry().topLeft(), QPoint(4, 4));
        QCOMPARE(about.Panel()->width(), 237);
        QCOMPARE(about.height(), about.Panel()->height() + 7);
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
        QCOMPARE(about.Copyright()->pos(), QPoint(12, 63));
        QVERIFY(about.Copyright()->text().contains("Tessaroon"));
        for (const char* source : {"OpenCorpora", "CC BY-SA", "WordNet", "SCOWL", "licence"})
            QVERIFY2(about.Sources()->text().contains(source), source);
        // OK beside the copyright, in its frame; the sources below both.
        QCOMPARE(about.OkFrame()->geometry().left(), 155);
        QCOMPARE(about.OkFrame()->size(), QSize(70, 19));
        QCOMPARE(about.OkButton()->geometry(), about.OkFrame()->geometry().adjusted(1, 1, -1, -1));
        QVERIFY(about.OkFrame()->geometry().top() > about.Line()->geometry().bottom() + 3);
        QVERIFY(about.Sources()->y() > about.OkFrame()->geometry().bottom());
        QVERIFY(about.Sources()->y() > about.Copyright()->geometry().bottom());
    }

    // Every line has room, in both languages and at the window scales: one font for all, each
    // label as large as its text, inside the panel's inner bevel with free rows above it, and
    // no text within three pixels of the OK frame, as drawn.
    void linesHaveRoom_data() {
        QTest::addColumn<InterfaceLanguage>("language");
        QTest::addColumn<qreal>("scale");
        for (const auto& [language, name] : {std::pair{InterfaceLanguage::English, "en"},
                                             std::pair{InterfaceLanguage::Russian, "ru"}})
            for (qreal scale : {1.0, 1.25, 1.5, 2.0, 3.0})
                QTest::newRow(QString("%1 %2").arg(name).arg(scale).toUtf8().constData())
                    << language << scale;
    }

    void linesHaveRoom() {
        QFETCH(InterfaceLanguage, language);
        QFETCH(qreal, scale);
        QCOMPARE(InstallTranslations(language), language);
        Style style(std::filesystem::path(TESSAROON_START_FOLDER) / "Styles");
        style.Load("Marble");
        TAboutForm about(style, nullptr);
        about.show();
        InstallTranslations(InterfaceLanguage::English);
        const QWidget* panel = about.Panel();
        const QRect okZone = about.OkFrame()->geometry().adjusted(-3, -3, 3, 3);
        for (const QLabel* l : {about.Copyright(), about.Sources()}) {
            QCOMPARE(l->font().pixelSize(), about.font().pixelSize());
            QVERIFY2(l->sizeHint().height() <= l->height(), qPrintable(l->text()));
            QVERIFY2(l->sizeHint().width() <= l->width(), qPrintable(l->text()));
            QVERIFY2(l->geometry().bottom() <= panel->height() - 5, qPrintable(l->text()));
            QVERIFY2(l->geometry().right() <= panel->width() - 12, qPrintable(l->text()));
            QVERIFY2(!l->geometry().intersects(okZone), qPrintable(l->text()));
        }

        // Drawn at the scale: the rows above the bevel and the band round the OK frame hold
        // nothing but the panel's face.
        QImage drawn((QSizeF(panel->size()) * scale).toSize(), QImage::Format_RGB32);
        drawn.setDevicePixelRatio(scale);
        drawn.fill(Qt::red);
        const_cast<QWidget*>(panel)->render(&drawn);
        if (const QString dir = qEnvironmentVariable("TESSAROON_SCREENSHOTS"); !dir.isEmpty())
            drawn.save(QString("%1/about-%2.png").arg(dir, QTest::currentDataTag()));
        // The device rows and columns wholly inside a logical span, clear of the lines drawn
        // next to it.
        const auto first = [scale](double v) { return qCeil(v * scale); };
        const auto last = [scale](double v) { return qFloor(v * scale - scale / 2) - 1; };
        const QColor face = drawn.pixelColor(first(150), first(57));
        QStringList ink;
        const auto check = [&](int x0, int x1, int y0, int y1) {
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x)
                    if (drawn.pixelColor(x, y) != face) ink << QString("%1,%2").arg(x).arg(y);
        };
        // Three rows above the inner bevel's bottom line.
        const int h = panel->height();
        check(first(4), last(panel->width() - 3), first(h - 5), last(h - 2));
        // The gap left of the OK frame.
        const QRect frame = about.OkFrame()->geometry();
        check(first(okZone.left()), last(frame.left()), first(frame.top()),
              last(frame.bottom() + 1));
        QVERIFY2(ink.isEmpty(), qPrintable("text at " + ink.mid(0, 10).join(" ")));
    }

    // The Help menu's item and the box it opens name the box alike.
    void menuItemAndTitleAgree_data() {
        QTest::addColumn<InterfaceLanguage>("language");
        QTest::newRow("en") << InterfaceLanguage::English;
        QTest::newRow("ru") << InterfaceLanguage::Russian;
    }

    void menuItemAndTitleAgree() {
        QFETCH(InterfaceLanguage, language);
        QCOMPARE(InstallTranslations(language), language);
        GameModel model;
        test::FillEnglishModel(model);
        TMainForm main(model);
        const QString item = main.HelpMenu()->actions().value(2)->text().remove("...");
        const QString title = main.AboutForm().windowTitle();
        InstallTranslations(InterfaceLanguage::English);
        QVERIFY2(title.startsWith(item + " "), qPrintable(item + " / " + title));
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
