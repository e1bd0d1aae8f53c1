// SPDX-License-Identifier: GPL-3.0-or-later
// The main menu: its items, shortcuts and sizes, the owner drawing of the bar and command items,
// and the commands that do nothing while a computer seat moves.

#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <QtTest>

#include "ui/app.h"
#include "ui/fonts.h"
#include "ui/main_form.h"
#include "ui/menu_look.h"
#include "ui/text.h"
#include "ui_support.h"

using namespace tq;
using namespace tq::ui;

namespace {

const QColor kButtonFace(240, 240, 240);
const QColor kMenuColour(240, 240, 240);

struct Item {
    const char* caption;  // nullptr: a separator
    int key;              // 0: no shortcut
};

// Draws one item into a picture of its size (plus a margin of 2 for the bar items' frames).
QImage Draw(bool bar, const QString& text, QStyle::State state, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QStyleOptionMenuItem item;
    item.rect = QRect(QPoint(0, 0), size);
    item.text = text;
    item.state = state;
    item.font = SansSerif(11);
    item.menuItemType = QStyleOptionMenuItem::Normal;
    QPainter p(&image);
    if (bar)
        miGameAdvancedDrawItem(p, item);
    else
        miNewGameAdvancedDrawItem(p, item);
    return image;
}

// The leftmost column in [from, to) holding a pixel of the colour.
int LeftmostOf(const QImage& image, const QColor& colour, int from, int to) {
    for (int x = from; x < to; ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixelColor(x, y) == colour) return x;
    return -1;
}

// The leftmost column in [from, to) holding a dark pixel (text).
int LeftmostDark(const QImage& image, int from, int to) {
    for (int x = from; x < to; ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixelColor(x, y).lightness() < 110) return x;
    return -1;
}

bool HasColour(const QImage& image, const QColor& colour) {
    return LeftmostOf(image, colour, 0, image.width()) >= 0;
}

}  // namespace

class MenuLookTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { InitialiseApplication(); }

    // The two menus with their items, separators and shortcuts; every command item is
    // 112 x 20 whatever its text.
    void itemsAndSizes() {
        GameModel model;
        test::FillEnglishModel(model);
        TMainForm main(model);
        main.show();
        const QList<QAction*> bar = main.menuBar()->actions();
        QCOMPARE(bar.size(), 2);
        QCOMPARE(bar[0]->text(), QString("Game"));
        QCOMPARE(bar[1]->text(), QString("Help"));
        const std::vector<Item> game = {{"New Game", Qt::Key_F2},   {"Options...", Qt::Key_F3},
                                        {"Records...", Qt::Key_F4}, {nullptr, 0},
                                        {"Style...", Qt::Key_F5},   {nullptr, 0},
                                        {"Exit", Qt::Key_F6}};
        const std::vector<Item> help = {{"Contents", Qt::Key_F1}, {nullptr, 0}, {"About...", 0}};
        for (auto [menu, items] :
             {std::pair{main.GameMenu(), game}, std::pair{main.HelpMenu(), help}}) {
            const QList<QAction*> actions = menu->actions();
            QCOMPARE(actions.size(), qsizetype(items.size()));
            menu->popup(main.mapToGlobal(QPoint(0, 0)));
            for (std::size_t i = 0; i < items.size(); ++i) {
                QAction* a = actions[qsizetype(i)];
                if (!items[i].caption) {
                    QVERIFY(a->isSeparator());
                    QCOMPARE(menu->actionGeometry(a).width(), 112);
                    continue;
                }
                QCOMPARE(a->text(), QString(items[i].caption));
                QCOMPARE(a->shortcut(), items[i].key ? QKeySequence(items[i].key) : QKeySequence());
                QCOMPARE(menu->actionGeometry(a).size(), QSize(112, 20));
            }
            menu->hide();
        }
    }

    // A command item: lavender with a navy frame and dark navy text when highlighted, the menu
    // colours otherwise; the caption from 16 pixels and the shortcut text from 96.
    void commandItemDrawing() {
        const QSize size = miNewGameMeasureItem();
        QCOMPARE(size, QSize(112, 20));
        const QImage hot =
            Draw(false, "Records...\tF4", QStyle::State_Selected | QStyle::State_Enabled, size);
        const QImage plain = Draw(false, "Records...\tF4", QStyle::State_Enabled, size);
        QCOMPARE(hot.pixelColor(50, 0), MenuNavy());
        QCOMPARE(hot.pixelColor(0, 10), MenuNavy());
        QCOMPARE(hot.pixelColor(111, 10), MenuNavy());
        QCOMPARE(hot.pixelColor(50, 19), MenuNavy());
        QCOMPARE(hot.pixelColor(5, 10), MenuLavender());
        QCOMPARE(plain.pixelColor(5, 10), kMenuColour);
        QCOMPARE(plain.pixelColor(50, 0), kMenuColour);
        QVERIFY(HasColour(hot, MenuDarkNavy()));
        QVERIFY(!HasColour(hot, Qt::black));
        QVERIFY(HasColour(plain, Qt::black));
        const int caption = LeftmostDark(plain, 0, 90);
        QVERIFY2(caption >= 16 && caption <= 18, qPrintable(QString::number(caption)));
        const int shortcut = LeftmostDark(plain, 90, 112);
        QVERIFY2(shortcut >= 96 && shortcut <= 99, qPrintable(QString::number(shortcut)));
        // An item without a shortcut draws nothing past its caption.
        const QImage about = Draw(false, "About...", QStyle::State_Enabled, size);
        QCOMPARE(LeftmostDark(about, 70, 112), -1);
    }

    // A bar item: hot in lavender with a navy frame, open with a thin sunken edge, else plain
    // in the button face with the menu text colour; the caption from 7 pixels.
    void barItemDrawing() {
        const QSize size(40, 19);
        const QImage hot = Draw(true, "Game", QStyle::State_Selected | QStyle::State_Enabled, size);
        const QImage open =
            Draw(true, "Game",
                 QStyle::State_Selected | QStyle::State_Sunken | QStyle::State_Enabled, size);
        const QImage plain = Draw(true, "Game", QStyle::State_Enabled, size);
        QCOMPARE(hot.pixelColor(20, 0), MenuNavy());
        QCOMPARE(hot.pixelColor(3, 10), MenuLavender());
        QVERIFY(HasColour(hot, MenuDarkNavy()));
        QCOMPARE(open.pixelColor(20, 0), QColor(128, 128, 128));
        QCOMPARE(open.pixelColor(0, 10), QColor(128, 128, 128));
        QCOMPARE(open.pixelColor(20, 18), QColor(255, 255, 255));
        QCOMPARE(open.pixelColor(39, 10), QColor(255, 255, 255));
        QCOMPARE(open.pixelColor(3, 10), kButtonFace);
        QVERIFY(HasColour(open, MenuDarkNavy()));
        QCOMPARE(plain.pixelColor(20, 0), kButtonFace);
        QVERIFY(HasColour(plain, Qt::black));
        const int caption = LeftmostDark(plain, 0, 40);
        QVERIFY2(caption >= 7 && caption <= 9, qPrintable(QString::number(caption)));
    }

    // Each bar item of the real bar is wide enough for its caption, which starts 7 pixels in:
    // drawn hot, the caption keeps a gap of at least two pixels to the frame on the right. The
    // bar stays the window's own, above the client area.
    void barItemsFitTheirCaptions() {
        GameModel model;
        test::FillEnglishModel(model);
        TMainForm main(model);
        main.show();
        QMenuBar* bar = main.menuBar();
        QVERIFY(!bar->isNativeMenuBar());
        QVERIFY(bar->isVisible() && bar->height() > 0);
        QCOMPARE(main.height(), TMainForm::kClientHeight + bar->height());
        if (const QString dir = qEnvironmentVariable("TESSAROON_SCREENSHOTS"); !dir.isEmpty())
            main.grab().save(dir + "/main-menu-bar.png");
        for (QAction* a : bar->actions()) {
            const QRect r = bar->actionGeometry(a);
            const QImage hot =
                Draw(true, a->text(), QStyle::State_Selected | QStyle::State_Enabled, r.size());
            int rightmost = -1;  // the rightmost column of caption pixels inside the frame
            for (int x = 1; x < hot.width() - 1; ++x)
                for (int y = 1; y < hot.height() - 1; ++y)
                    if (hot.pixelColor(x, y) != MenuLavender()) rightmost = std::max(rightmost, x);
            QVERIFY2(rightmost > 7, qPrintable(a->text()));
            QVERIFY2(rightmost <= r.width() - 4, qPrintable(QString("%1: caption to %2 of %3")
                                                                .arg(a->text())
                                                                .arg(rightmost)
                                                                .arg(r.width())));
        }
    }

    // F2 and F3 do nothing while a computer seat moves; F2 and F3 work otherwise; F6 closes.
    void commandsDuringComputerMove() {
        GameModel model;
        test::FillEnglishModel(model);
        TMainForm main(model);
        test::ModalRecorder modals;
        main.SetModalRunner(modals.Runner());
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        main.Flow().SetPhase(GamePhase::ComputerThinking);
        QTest::keyClick(&main, Qt::Key_F2);
        QTest::keyClick(&main, Qt::Key_F3);
        QVERIFY(model.State.Phase == GamePhase::ComputerThinking);
        QVERIFY(modals.shown.empty());

        main.Flow().SetPhase(GamePhase::Idle);
        QTest::keyClick(&main, Qt::Key_F3);
        QCOMPARE(modals.shown.size(), std::size_t(1));
        QTest::keyClick(&main, Qt::Key_F2);
        QVERIFY(model.State.Phase == GamePhase::PutLetter);
        QTest::keyClick(&main, Qt::Key_F6);
        QVERIFY(!main.isVisible());
    }
};

QTEST_MAIN(MenuLookTest)
#include "menu_look_test.moc"
