// SPDX-License-Identifier: GPL-3.0-or-later
// The record table dialog: the default table for a missing or damaged file, the file's entries
// in red and green, the new record's caption and row, the row restored on hiding, a long name
// cut, the keys that close it, and the window's "Records..." command.

#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

#include "records/records.h"
#include "ui/app.h"
#include "ui/main_form.h"
#include "ui/rec_form.h"
#include "ui/text.h"
#include "ui_support.h"

using namespace tq;
using namespace tq::ui;

namespace {

// A model whose start folder is a fresh folder with an empty Records folder; the style is the
// shipped Marble.
struct Table {
    QTemporaryDir dir;
    GameModel model;
    Style style{std::filesystem::path(TESSAROON_START_FOLDER) / "Styles"};
    std::unique_ptr<TRecForm> form;

    Table() {
        test::FillEnglishModel(model, dir.path().toStdString());
        std::filesystem::create_directories(model.RecordsFolder());
        style.Load("Marble");
        form = std::make_unique<TRecForm>(model, style, nullptr);
    }
    std::filesystem::path File() const {
        return RecordsFilePath(model.RecordsFolder(), model.Dict);
    }
    void Write(const RecordLines& lines) {
        QVERIFY(WriteRecordsFile(File(), lines, model.Dict.Language, model.Dict.Edition)
                    .message()
                    .empty());
    }
    QColor Colour(StyleColour c) const { return style.Colour(c); }
    void ExpectRowFill(int row, const QColor& fill) const {
        for (int col = 0; col < TRecForm::kCols; ++col)
            QCOMPARE(*form->Shape(row, col)->Fill(), fill);
    }
};

const QColor kRed(192, 0, 0);
const QColor kGreen(0, 128, 0);

}  // namespace

class RecFormTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { InitialiseApplication(); }

    void layout() {
        Table t;
        QCOMPARE(t.form->size(), QSize(326, 276));
        QCOMPARE(t.form->windowTitle(), QString("Record Table"));
        QCOMPARE(t.form->Shape(0, 0)->geometry(), QRect(2, 2, 80, 22));
        QCOMPARE(t.form->Shape(0, 1)->geometry(), QRect(83, 2, 160, 22));
        QCOMPARE(t.form->Shape(10, 2)->geometry(), QRect(244, 232, 80, 22));
        QCOMPARE(t.form->OkButton()->geometry(), QRect(128, 257, 68, 17));
        QCOMPARE(t.form->OkFrame()->geometry(), QRect(127, 256, 70, 19));
        QCOMPARE(t.form->Shape(5, 1)->Pen(), QColor(128, 128, 128));
    }

    // No file, a damaged file and a file of another dictionary's check all give the default
    // table, in the style's colours, with no row marked.
    void defaultTable_data() {
        QTest::addColumn<QByteArray>("content");  // empty: no file
        QTest::newRow("no file") << QByteArray();
        QTest::newRow("short") << QByteArray("500 H-90,C3-10,55,0 Ann\r\n");
        QByteArray bad;
        for (const std::string& l : DefaultRecordTable())
            bad += QByteArray::fromStdString(l) + "\r\n";
        QTest::newRow("bad check") << bad + "0BADCAFE\r\n";
    }

    void defaultTable() {
        QFETCH(QByteArray, content);
        Table t;
        if (!content.isEmpty()) std::ofstream(t.File(), std::ios::binary) << content.toStdString();
        t.form->show();
        QCOMPARE(t.form->windowTitle(), QString("Record Table"));
        QCOMPARE(t.form->HighlightedRow(), 0);
        const QStringList head = {"Rating", "Player Name", "Record"};
        for (int col = 0; col < 3; ++col) {
            QCOMPARE(t.form->Label(0, col)->Text(), head[col]);
            QCOMPARE(t.form->Label(0, col)->Colour(), t.Colour(StyleColour::HeadFontColor));
            QCOMPARE(*t.form->Shape(0, col)->Fill(), t.Colour(StyleColour::HeadColor));
            QCOMPARE(t.form->Shape(0, col)->Pen(), t.Colour(StyleColour::HeadBorderColor));
        }
        const QStringList values = {"1000", "400", "300", "200", "100",
                                    "50",   "40",  "30",  "20",  "10"};
        for (int row = 1; row <= 10; ++row) {
            QCOMPARE(t.form->Label(row, 0)->Text(), QString::number(row));
            QCOMPARE(t.form->Label(row, 1)->Text(), QString(row == 1   ? "Champion"
                                                            : row <= 5 ? "Expert"
                                                                       : "Novice"));
            QCOMPARE(t.form->Label(row, 2)->Text(), values[row - 1]);
            for (int col = 0; col < 3; ++col)
                QCOMPARE(t.form->Label(row, col)->Colour(), row == 1 ? kRed : kGreen);
            t.ExpectRowFill(row, t.Colour(StyleColour::FillColor));
        }
        QCOMPARE(t.form->OkFrame()->Pen(), t.Colour(StyleColour::BorderColor));
        // Every label sits centred in its cell.
        for (int row = 0; row <= 10; ++row)
            for (int col = 0; col < 3; ++col) {
                const ShapeView* s = t.form->Shape(row, col);
                const TextLabel* l = t.form->Label(row, col);
                QCOMPARE(l->x(), s->x() + (s->width() - l->width()) / 2);
                QCOMPARE(l->y(), s->y() + (s->height() - l->height()) / 2);
            }
        // A damaged file is only read, never mended.
        if (!content.isEmpty())
            QCOMPARE(QByteArray::number(qint64(std::filesystem::file_size(t.File()))),
                     QByteArray::number(content.size()));
    }

    // The file's entries replace the default ones; the new entry's row is highlighted while the
    // dialog shows, with "New Record!" for place 1 only; hiding restores both, and the mark
    // comes back on the next showing because the place is kept until the next game.
    void newRecord_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("place");
        QTest::addColumn<QString>("caption");
        QTest::newRow("place 1") << 1500 << 1 << "New Record!";
        QTest::newRow("place 4") << 250 << 4 << "Record Table";
        QTest::newRow("place 10") << 15 << 10 << "Record Table";
    }

    void newRecord() {
        QFETCH(int, value);
        QFETCH(int, place);
        QFETCH(QString, caption);
        Table t;
        RecordLines lines = DefaultRecordTable();
        QCOMPARE(InsertRecord(lines, value, "H-300,C3-10,55,0", "Ann Lee"), place);
        t.Write(lines);
        t.model.State.NewRecordPlace = static_cast<uint8_t>(place);
        const QColor highlight = t.Colour(StyleColour::HighlightColor);
        const QColor fill = t.Colour(StyleColour::FillColor);
        for (int pass = 0; pass < 2; ++pass) {
            t.form->show();
            QCOMPARE(t.form->windowTitle(), caption);
            QCOMPARE(t.form->HighlightedRow(), place);
            QCOMPARE(t.form->Label(place, 1)->Text(), QString("Ann Lee"));
            QCOMPARE(t.form->Label(place, 2)->Text(), QString::number(value));
            QCOMPARE(t.form->Label(place, 0)->Text(), QString::number(place));
            QCOMPARE(t.form->Label(place, 1)->Colour(), place == 1 ? kRed : kGreen);
            for (int row = 1; row <= 10; ++row)
                t.ExpectRowFill(row, row == place ? highlight : fill);
            QTest::keyClick(t.form.get(), pass == 0 ? Qt::Key_Escape : Qt::Key_Return);
            QVERIFY(!t.form->isVisible());
            QCOMPARE(t.form->windowTitle(), QString("Record Table"));
            t.ExpectRowFill(place, fill);
            QCOMPARE(int(t.model.State.NewRecordPlace), place);
        }
        // After the next game starts there is no mark.
        t.model.State.NewRecordPlace = 0;
        t.form->show();
        QCOMPARE(t.form->HighlightedRow(), 0);
        t.ExpectRowFill(place, fill);
    }

    // A name wider than the cell is cut at 156 pixels and stays centred; an empty name is empty.
    void longAndEmptyNames() {
        Table t;
        RecordLines lines = DefaultRecordTable();
        QCOMPARE(InsertRecord(lines, 800, "H-300,C7-10,55,0", std::string(40, 'W')), 2);
        QCOMPARE(InsertRecord(lines, 700, "H-300,C7-10,55,0", ""), 3);
        t.Write(lines);
        t.form->show();
        QCOMPARE(t.form->Label(2, 1)->width(), 156);
        QCOMPARE(t.form->Label(2, 1)->x(), 83 + 2);
        QVERIFY(t.form->Label(3, 1)->Text().isEmpty());
        QCOMPARE(t.form->Label(3, 2)->Text(), QString("700"));
        QTest::keyClick(t.form.get(), Qt::Key_Enter);
        QVERIFY(!t.form->isVisible());
    }

    void okButtonCloses() {
        Table t;
        t.form->show();
        QTest::mouseClick(t.form->OkButton(), Qt::LeftButton);
        QVERIFY(!t.form->isVisible());
        QCOMPARE(t.form->result(), int(QDialog::Accepted));
    }

    // "Records..." (F4) opens the record table from the main window, with no mark after a game
    // that made no entry.
    void recordsCommand() {
        Table t;
        TMainForm main(t.model);
        test::ModalRecorder modals;
        int highlighted = -1;
        modals.onShow = [&](QDialog& d) {
            if (auto* rec = qobject_cast<TRecForm*>(&d)) {
                rec->Fill();
                highlighted = rec->HighlightedRow();
            }
        };
        main.SetModalRunner(modals.Runner());
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QTest::keyClick(&main, Qt::Key_F4);
        QCOMPARE(modals.Count("tq::ui::TRecForm"), 1);
        QCOMPARE(highlighted, 0);
        main.ShowRecordTable();
        QCOMPARE(modals.Count("tq::ui::TRecForm"), 2);
    }
};

QTEST_MAIN(RecFormTest)
#include "rec_form_test.moc"
