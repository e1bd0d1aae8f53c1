// SPDX-License-Identifier: GPL-3.0-or-later
// The window scale: pictures drawn at whole multiples keep their pixels sharp and are smoothed
// at other sizes; a window drawn at scale 2 keeps its layout and has twice the pixels, with the
// cell pictures repeated pixel for pixel.

#include <QPainter>
#include <QtTest>

#include "ui/app.h"
#include "ui/main_form.h"
#include "ui/widgets.h"
#include "ui_support.h"

using namespace tq;
using namespace tq::ui;

class WindowScaleTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { InitialiseApplication(); }

    void pictureSharpAtWholeMultiples_data() {
        QTest::addColumn<qreal>("dpr");
        QTest::addColumn<int>("side");  // the target's side in device-independent pixels
        QTest::addColumn<bool>("sharp");
        QTest::newRow("1, own size") << 1.0 << 4 << true;
        QTest::newRow("2, own size") << 2.0 << 4 << true;
        QTest::newRow("3, own size") << 3.0 << 4 << true;
        QTest::newRow("1, doubled") << 1.0 << 8 << true;
        QTest::newRow("1.5, own size") << 1.5 << 4 << false;
        QTest::newRow("1.25, own size") << 1.25 << 4 << false;
        QTest::newRow("2, half again as large") << 2.0 << 6 << true;  // three device pixels each
        QTest::newRow("2, a quarter larger") << 2.0 << 5 << false;
        QTest::newRow("1, half again as large") << 1.0 << 6 << false;
    }

    // A black and white checkerboard: drawn sharp, every device pixel is black or white; smoothed,
    // some are grey.
    void pictureSharpAtWholeMultiples() {
        QFETCH(qreal, dpr);
        QFETCH(int, side);
        QFETCH(bool, sharp);
        QImage board(4, 4, QImage::Format_RGB32);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) board.setPixel(x, y, (x + y) % 2 ? 0xFFFFFFFF : 0xFF000000);
        const int device = qRound(side * dpr);
        QImage target(device, device, QImage::Format_RGB32);
        target.setDevicePixelRatio(dpr);
        target.fill(Qt::red);
        {
            QPainter p(&target);
            DrawPicture(p, QRectF(0, 0, side, side), board);
        }
        int grey = 0;
        for (int y = 0; y < device; ++y)
            for (int x = 0; x < device; ++x) {
                const QRgb c = target.pixel(x, y);
                grey += c != 0xFFFFFFFF && c != 0xFF000000;
            }
        QCOMPARE(grey == 0, sharp);
    }

    // At scale 2 the window keeps its layout in device-independent pixels and draws twice as many
    // pixels; a cell's picture is repeated pixel for pixel.
    void windowAtScaleTwo() {
        GameModel model;
        test::FillEnglishModel(model);
        TMainForm form(model);
        form.show();
        form.Flow().StartNewGame();
        QCOMPARE(form.devicePixelRatioF(), 2.0);
        QCOMPARE(form.ClientArea()->size(), QSize(627, 364));
        const QPixmap shot = form.ClientArea()->grab();
        QCOMPARE(shot.size(), QSize(2 * 627, 2 * 364));
        const QImage shown = shot.toImage();
        const QImage& picture = form.CellAt(0, 0)->Image();
        const QPoint at = form.CellAt(0, 0)->pos() * 2;
        int differ = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb want = picture.pixel(x, y);
                if (qAlpha(want) != 255) continue;  // see-through: the background shows
                for (int k = 0; k < 4; ++k)
                    differ += (shown.pixel(at + QPoint(2 * x + k % 2, 2 * y + k / 2)) |
                               0xFF000000) != (want | 0xFF000000);
            }
        QCOMPARE(differ, 0);
    }
};

int main(int argc, char** argv) {
    // The scale is the toolkit's, fixed before the application object exists, as the game
    // program sets it.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    WindowScaleTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_scale_test.moc"
