// SPDX-License-Identifier: GPL-3.0-or-later
// The letter window: its geometry for both alphabets, the key rules, the clicks, the hover
// highlight with its timer, and asking for a letter.

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <vector>
#include "ui/app.h"

#include "ui/input_form.h"
#include "ui/text.h"

using namespace tq;
using namespace tq::ui;

namespace {

TDictInfo Alphabet(int language) {
    TDictInfo d;
    d.Language = static_cast<uint8_t>(language);
    d.SetAlphabetFromLanguage();
    return d;
}

struct Letters {
    TDictInfo dict;
    Style style{std::filesystem::path(TESSAROON_START_FOLDER) / "Styles"};
    std::unique_ptr<TInputForm> form;
    explicit Letters(int language, const std::string& styleName = "Marble")
        : dict(Alphabet(language)) {
        style.Load(styleName);
        form = std::make_unique<TInputForm>(dict, style, nullptr);
    }
    void Open() {
        form->Open();
        form->show();
    }
    // A key that produces text, as the keyboard delivers it.
    void Type(const QString& text, Qt::Key key = Qt::Key_unknown) {
        QTest::sendKeyEvent(QTest::Click, form.get(), key, text, Qt::NoModifier);
    }
};

}  // namespace

class InputFormTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { InitialiseApplication(); }

    void russianGeometry() {
        Letters l(1);
        QCOMPARE(l.form->size(), QSize(194, 98));
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 8; ++c) {
                CellView* cell = l.form->CellAt(c, r);
                QCOMPARE(cell->geometry(), QRect(2 + 24 * c, 2 + 24 * r, 22, 22));
                QVERIFY(!cell->isHidden());
                TextLabel* label = l.form->LabelAt(c, r);
                QCOMPARE(FromQString(label->Text()), std::string(1, char(192 + 8 * r + c)));
                QCOMPARE(label->x(), cell->x() + (22 - label->width()) / 2);
                QCOMPARE(label->y(), cell->y() + (22 - label->height()) / 2);
            }
        }
        QCOMPARE(l.form->LabelAt(0, 0)->Text(), QString::fromUtf8("А"));
        QCOMPARE(l.form->LabelAt(7, 3)->Text(), QString::fromUtf8("Я"));
        QVERIFY(l.form->windowFlags().testFlag(Qt::FramelessWindowHint));
    }

    // A to U in three rows of seven, V to Z centred in the fourth; nothing else can be clicked.
    void englishGeometry() {
        Letters l(2);
        QCOMPARE(l.form->size(), QSize(170, 98));
        QCOMPARE(l.form->LabelAt(0, 0)->Text(), QString("A"));
        QCOMPARE(l.form->LabelAt(6, 2)->Text(), QString("U"));
        QCOMPARE(l.form->LabelAt(1, 3)->Text(), QString("V"));
        QCOMPARE(l.form->LabelAt(5, 3)->Text(), QString("Z"));
        for (int r = 0; r < 3; ++r) QVERIFY(l.form->CellAt(7, r)->isHidden());
        for (int c : {0, 6, 7}) QVERIFY(l.form->CellAt(c, 3)->isHidden());
        for (int c = 1; c <= 5; ++c) QVERIFY(!l.form->CellAt(c, 3)->isHidden());
    }

    // The places of the unused cells after Z show the window's background picture, like the
    // margins around the cells.
    void englishUnusedCellsShowTheBackground_data() {
        QTest::addColumn<QString>("style");
        for (const char* style : {"Marble", "Granite", "Malachite"}) QTest::newRow(style) << style;
    }
    void englishUnusedCellsShowTheBackground() {
        QFETCH(QString, style);
        Letters l(2, style.toStdString());
        l.Open();
        const QImage shown = l.form->grab().toImage();
        if (const QString dir = qEnvironmentVariable("TESSAROON_SCREENSHOTS"); !dir.isEmpty())
            l.form->grab().save(dir + "/letters-eng-" + style + ".png");
        const QImage background = l.style.Pictures().inputBackground.scaled(
            l.form->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY(!background.isNull());
        int differing = 0;
        for (int c : {0, 6}) {
            const QRect cell(2 + 24 * c, 2 + 24 * 3, 22, 22);
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                for (int x = cell.left(); x <= std::min(cell.right(), shown.width() - 1); ++x) {
                    const QColor a = shown.pixelColor(x, y);
                    const QColor b = background.pixelColor(x, y);
                    differing += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                                     std::abs(a.blue() - b.blue()) >
                                 48;
                }
        }
        QVERIFY2(differing == 0, qPrintable(QString::number(differing)));
        l.form->hide();
    }

    void keys_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<int>("chosen");
        const QString zhe = QString::fromUtf8("ж");
        const QString bigZhe = QString::fromUtf8("Ж");
        QTest::newRow("ru small letter") << 1 << zhe << 0 << false << 0xC6;
        QTest::newRow("ru first") << 1 << QString::fromUtf8("а") << 0 << false << 0xC0;
        QTest::newRow("ru last") << 1 << QString::fromUtf8("я") << 0 << false << 0xDF;
        QTest::newRow("ru caps lock capital") << 1 << bigZhe << 0 << false << 0xC6;
        QTest::newRow("ru caps lock last") << 1 << QString::fromUtf8("Я") << 0 << false << 0xDF;
        QTest::newRow("ru shift capital") << 1 << bigZhe << 0 << true << int('?');
        QTest::newRow("ru shift with caps lock") << 1 << zhe << 0 << true << int('?');
        QTest::newRow("ru yo is no letter")
            << 1 << QString::fromUtf8("ё") << 0 << false << int('?');
        QTest::newRow("ru caps lock yo") << 1 << QString::fromUtf8("Ё") << 0 << false << int('?');
        QTest::newRow("ru latin f") << 1 << "f" << 0 << false << 0xC0;
        QTest::newRow("ru latin q") << 1 << "q" << 0 << false << 0xC9;
        QTest::newRow("ru latin m") << 1 << "m" << 0 << false << 0xDC;
        QTest::newRow("ru bracket") << 1 << "[" << 0 << false << 0xD5;
        QTest::newRow("ru caps lock latin F") << 1 << "F" << 0 << false << 0xC0;
        QTest::newRow("ru shift latin F") << 1 << "F" << 0 << true << int('?');
        QTest::newRow("ru shift brace") << 1 << "{" << 0 << true << int('?');
        QTest::newRow("ru digit") << 1 << "5" << 0 << false << int('?');
        QTest::newRow("ru escape") << 1 << "\x1b" << int(Qt::Key_Escape) << false << int('?');
        QTest::newRow("ru enter") << 1 << "\r" << int(Qt::Key_Return) << false << int('?');
        QTest::newRow("en small") << 2 << "k" << 0 << false << int('K');
        QTest::newRow("en z") << 2 << "z" << 0 << false << int('Z');
        QTest::newRow("en caps lock capital") << 2 << "K" << 0 << false << int('K');
        QTest::newRow("en shift capital") << 2 << "K" << 0 << true << int('?');
        QTest::newRow("en shift with caps lock") << 2 << "k" << 0 << true << int('?');
        QTest::newRow("en cyrillic") << 2 << QString::fromUtf8("к") << 0 << false << int('?');
        QTest::newRow("en cyrillic capital")
            << 2 << QString::fromUtf8("К") << 0 << false << int('?');
        QTest::newRow("en bracket") << 2 << "[" << 0 << false << int('?');
    }

    // Every key that produces a character closes the window; a letter chooses unless Shift is
    // held (a capital without Shift is typed with Caps Lock on).
    void keys() {
        QFETCH(int, language);
        QFETCH(QString, text);
        QFETCH(int, key);
        QFETCH(bool, shift);
        QFETCH(int, chosen);
        Letters l(language);
        l.Open();
        QTest::sendKeyEvent(QTest::Click, l.form.get(), key ? Qt::Key(key) : Qt::Key_unknown, text,
                            shift ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(static_cast<unsigned char>(l.form->Chosen()), static_cast<unsigned char>(chosen));
        QVERIFY(!l.form->isVisible());
    }

    // The window opens at the pointer, moved left or up only as far as needed to stay inside
    // the screen's available area.
    void keptOnScreen_data() {
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QPoint>("expected");
        // A 1000 x 700 area at (100, 50), a 194 x 98 window.
        QTest::newRow("inside") << QPoint(300, 200) << QPoint(300, 200);
        QTest::newRow("right edge") << QPoint(1050, 200) << QPoint(906, 200);
        QTest::newRow("bottom edge") << QPoint(300, 740) << QPoint(300, 652);
        QTest::newRow("bottom right corner") << QPoint(1099, 749) << QPoint(906, 652);
        QTest::newRow("just fits") << QPoint(906, 652) << QPoint(906, 652);
        QTest::newRow("left of the area") << QPoint(20, 200) << QPoint(100, 200);
        QTest::newRow("above the area") << QPoint(300, 10) << QPoint(300, 50);
    }

    void keptOnScreen() {
        QFETCH(QPoint, pointer);
        QFETCH(QPoint, expected);
        QCOMPARE(PopupPosition(pointer, QSize(194, 98), QRect(100, 50, 1000, 700)), expected);
    }

    // Opened at the screen's bottom right corner, the real window lies wholly on the screen.
    void opensOnScreen() {
        Letters l(1);
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCursor::setPos(area.bottomRight() - QPoint(3, 3));
        l.Open();
        QVERIFY(area.contains(l.form->geometry()));
        QCOMPARE(l.form->geometry().bottomRight(), area.bottomRight());
        l.form->hide();
    }

    void keysWithoutCharacterKeepItOpen() {
        Letters l(1);
        l.Open();
        QTest::keyClick(l.form.get(), Qt::Key_Left);
        QTest::keyClick(l.form.get(), Qt::Key_F5);
        QTest::keyClick(l.form.get(), Qt::Key_Shift);
        QVERIFY(l.form->isVisible());
        QCOMPARE(l.form->Chosen(), '?');
    }

    // A typed small letter wins over the cell under the pointer.
    void typedLetterWhileHovering() {
        Letters l(2);
        l.Open();
        QTest::mouseMove(l.form->CellAt(3, 1));
        l.Type("b");
        QCOMPARE(l.form->Chosen(), 'B');
    }

    void clicks() {
        Letters l(2);
        l.Open();
        QTest::mouseClick(l.form->CellAt(2, 1), Qt::LeftButton);
        QCOMPARE(l.form->Chosen(), 'J');
        QVERIFY(!l.form->isVisible());

        l.Open();
        QTest::mouseClick(l.form->CellAt(2, 1), Qt::MiddleButton);
        QCOMPARE(l.form->Chosen(), '?');
        QVERIFY(!l.form->isVisible());

        l.Open();
        QWidget* background = l.form->childAt(1, 1);
        QVERIFY(background);
        QTest::mouseClick(background, Qt::LeftButton, {}, QPoint(1, 1));
        QVERIFY(l.form->isVisible());
        QTest::mouseClick(background, Qt::RightButton, {}, QPoint(1, 1));
        QCOMPARE(l.form->Chosen(), '?');
        QVERIFY(!l.form->isVisible());
    }

    // The cell under the pointer is highlighted; the timer removes the highlight once the
    // pointer has left the window.
    void hoverAndTimer() {
        Letters l(1);
        l.Open();
        const QImage& hot = l.style.Pictures().inputCellHot;
        const QImage& normal = l.style.Pictures().inputCell;
        QVERIFY(!hot.isNull() && hot != normal);
        QTest::mouseMove(l.form->CellAt(1, 1));
        QCOMPARE(l.form->HoveredCol(), 1);
        QVERIFY(l.form->CellAt(1, 1)->Image() == hot);
        QTest::mouseMove(l.form->CellAt(2, 1));
        QVERIFY(l.form->CellAt(1, 1)->Image() == normal);
        QVERIFY(l.form->CellAt(2, 1)->Image() == hot);

        QCursor::setPos(l.form->mapToGlobal(QPoint(10, 10)));
        l.form->TimerTick();
        QCOMPARE(l.form->HoveredCol(), 2);
        QCursor::setPos(l.form->mapToGlobal(QPoint(400, 300)));
        l.form->TimerTick();
        QCOMPARE(l.form->HoveredCol(), int(TInputForm::kNoCell));
        QVERIFY(l.form->CellAt(2, 1)->Image() == normal);
    }

    // Asking opens the window at the pointer and returns at once; the letter chosen in it, or
    // '?' for none, is the answer, given once when it closes.
    void askLetter() {
        Letters l(2);
        const QPoint pointer(120, 80);
        QCursor::setPos(pointer);
        std::vector<char> answers;
        l.form->Ask(std::nullopt, [&](char c) { answers.push_back(c); });
        QVERIFY(l.form->isVisible());
        QCOMPARE(l.form->pos(), pointer);
        QVERIFY(answers.empty());
        QTest::sendKeyEvent(QTest::Click, l.form.get(), Qt::Key_unknown, "q", Qt::NoModifier);
        QCOMPARE(answers, std::vector<char>{'Q'});
        QVERIFY(!l.form->isVisible());
        l.form->Ask(std::nullopt, [&](char c) { answers.push_back(c); });
        QTest::keyClick(l.form.get(), Qt::Key_Escape);
        QCOMPARE(answers, (std::vector<char>{'Q', '?'}));
        // A window closed from outside (a server line) answers "none" too.
        l.form->Ask(std::nullopt, [&](char c) { answers.push_back(c); });
        l.form->close();
        QCOMPARE(answers, (std::vector<char>{'Q', '?', '?'}));
    }
};

QTEST_MAIN(InputFormTest)
#include "input_form_test.moc"
