// SPDX-License-Identifier: GPL-3.0-or-later
// Styles: the colour files with their defaults, the pictures with their fallbacks (JPEG before
// BMP, missing files keeping the previous picture, the transparent colour), and the style dialog
// (Cancel, Save with its question, Apply).

#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QStackedWidget>
#include <QtTest>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "../test_support.h"
#include "settings/style_colours.h"
#include "ui/app.h"
#include "ui/jpeg.h"
#include "ui/language.h"
#include "ui/main_form.h"
#include "ui/style.h"
#include "ui/style_form.h"
#include "ui/text.h"
#include "ui_support.h"

using namespace tq;
using namespace tq::ui;
namespace fs = std::filesystem;

namespace {

const fs::path kShippedStyles = fs::path(TESSAROON_START_FOLDER) / "Styles";

QString Q(const fs::path& p) {
    return QString::fromStdString(p.string());
}

void SaveImage(const QImage& image, const fs::path& file) {
    fs::create_directories(file.parent_path());
    QVERIFY(image.save(Q(file)));
}

QImage Plain(int w, int h, QColor c) {
    QImage i(w, h, QImage::Format_RGB32);
    i.fill(c);
    return i;
}

// A w x h JPEG of one grey, encoded by libjpeg: progressive (all pixels decoded at once, the
// kind that allocates its whole picture up front) or baseline.
std::string EncodeJpeg(int w, int h, bool progressive) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = static_cast<JDIMENSION>(w);
    cinfo.image_height = static_cast<JDIMENSION>(h);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    if (progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(w) * 3, 128);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::string bytes(reinterpret_cast<char*>(out), size);
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return bytes;
}

// The same file with the size in its frame header changed: a picture that claims w x h.
std::string ClaimSize(std::string jpeg, int w, int h) {
    for (std::size_t i = 0; i + 9 < jpeg.size(); ++i) {
        const auto m = static_cast<unsigned char>(jpeg[i + 1]);
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && (m == 0xC0 || m == 0xC2)) {
            jpeg[i + 5] = static_cast<char>(h >> 8);
            jpeg[i + 6] = static_cast<char>(h & 0xFF);
            jpeg[i + 7] = static_cast<char>(w >> 8);
            jpeg[i + 8] = static_cast<char>(w & 0xFF);
            return jpeg;
        }
    }
    return jpeg;
}

}  // namespace

class StyleTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { InitialiseApplication(); }

    void defaultsAndMissingKeys() {
        test::TempDir dir;
        const StyleColours missing = ReadStyleColours(dir / "Nothing.ini");
        QCOMPARE(missing[StyleColour::FillColor], 16777215u);
        QCOMPARE(missing[StyleColour::BorderColor], 25600u);
        QCOMPARE(static_cast<int32_t>(missing[StyleColour::HighlightColor]), -16777192);
        QCOMPARE(missing[StyleColour::HeadFontColor], 65535u);
        QCOMPARE(missing[StyleColour::HeadColor], 32768u);
        QCOMPARE(missing[StyleColour::HeadBorderColor], 16384u);
        QCOMPARE(missing[StyleColour::FieldFontColor], 0u);
        QCOMPARE(missing[StyleColour::InputFontColor], 24576u);
        // The system colour of the highlight is the tooltip background.
        QCOMPARE(ToQColor(missing[StyleColour::HighlightColor]), QColor(255, 255, 225));

        test::WriteFile(dir / "Part.ini",
                        "[General]\r\nFillColor=255\r\nBorderColor=junk\r\n"
                        "[FieldCell]\r\nFontColor=-16777208\r\n");
        const StyleColours part = ReadStyleColours(dir / "Part.ini");
        QCOMPARE(part[StyleColour::FillColor], 255u);
        QCOMPARE(part[StyleColour::BorderColor], 25600u);
        QCOMPARE(part[StyleColour::FieldFontColor], 0xFF000008u);
        QCOMPARE(part[StyleColour::InputFontColor], 24576u);
    }

    void writeKeepsOtherKeys() {
        test::TempDir dir;
        test::WriteFile(dir / "S.ini", "[Notes]\r\nAuthor=me\r\n");
        StyleColours c;
        c[StyleColour::HighlightColor] = 0xFF000018;
        c[StyleColour::HeadColor] = 0x123456;
        QCOMPARE(WriteStyleColours(dir / "S.ini", c).message(), std::string());
        QVERIFY(ReadStyleColours(dir / "S.ini") == c);
        const std::string text = test::ReadFile(dir / "S.ini");
        QVERIFY(text.find("Author=me") != std::string::npos);
        QVERIFY(text.find("HighlightColor=-16777192") != std::string::npos);
    }

    // A save that fails part-way (a write error, as on a full disk) reports it and leaves the
    // colour file as it was, with no temporary file beside it.
    void failedSaveKeepsTheFile() {
        test::TempDir dir;
        const std::string old = "[Notes]\r\nAuthor=" + std::string(300, 'm') + "\r\n";
        test::WriteFile(dir / "S.ini", old);
        std::string error;
        {
            test::FileSizeLimit limit(100);
            error = WriteStyleColours(dir / "S.ini", StyleColours{}).message();
        }
        QVERIFY2(error.find("Cannot write the style file") != std::string::npos, error.c_str());
        QCOMPARE(test::ReadFile(dir / "S.ini"), old);
        QCOMPARE(test::FolderNames(dir.path()), std::vector<std::string>{"S.ini"});
    }

    // Hostile backgrounds are refused before the decoder spends memory or time on them, and the
    // BMP beside them serves. A real progressive picture still decodes.
    void hostileBackgrounds() {
        test::TempDir dir;
        const std::string progressive = EncodeJpeg(40, 30, true);
        test::WriteFile(dir / "ok.jpg", progressive);
        QCOMPARE(DecodeJpeg(Q(dir / "ok.jpg")).size(), QSize(40, 30));

        // The 60000 x 60000 progressive file took over 10 GB before its size was checked.
        test::WriteFile(dir / "bomb.jpg", ClaimSize(progressive, 60000, 60000));
        test::WriteFile(dir / "wide.jpg",
                        ClaimSize(EncodeJpeg(16, 16, true), kMaxJpegSide + 1, 16));
        test::WriteFile(dir / "tall.jpg", ClaimSize(EncodeJpeg(16, 16, false), 16, 60000));
        test::WriteFile(dir / "huge.jpg",
                        progressive + std::string(kMaxJpegFileSize, '\0'));  // past the file bound
        fs::create_directory(dir / "folder.jpg");
        QVERIFY(mkfifo((dir / "fifo.jpg").c_str(), 0600) == 0);
        fs::create_symlink("/dev/zero", dir / "zero.jpg");
        for (const char* name :
             {"bomb.jpg", "wide.jpg", "tall.jpg", "huge.jpg", "folder.jpg", "fifo.jpg", "zero.jpg"})
            QVERIFY2(DecodeJpeg(Q(dir / name)).isNull(), name);

        // A BMP whose header claims 60000 x 60000 is refused the same way.
        SaveImage(Plain(4, 4, Qt::red), dir / "big.bmp");
        std::string bmp = test::ReadFile(dir / "big.bmp");
        for (int at : {18, 22}) {
            bmp[at] = '\x60';
            bmp[at + 1] = '\xEA';
            bmp[at + 2] = bmp[at + 3] = '\0';
        }
        test::WriteFile(dir / "big.bmp", bmp);
        QVERIFY(LoadCellPicture(Q(dir / "big.bmp")).isNull());

        // In a style the bomb counts as missing: the BMP of the same name is shown.
        test::WriteFile(dir / "A.ini", "");
        fs::copy_file(dir / "bomb.jpg", dir / "A_bg01.jpg");
        SaveImage(Plain(20, 20, Qt::red), dir / "A_bg01.bmp");
        Style style(dir.path());
        style.Load("A");
        QCOMPARE(style.Pictures().fieldBackground.size(), QSize(20, 20));
    }

    void listAndResolveNames() {
        test::TempDir dir;
        for (const char* name : {"Marble.ini", "stone.ini", "Old.ini.bak", ".ini", "Up.INI",
                                 "Two.ini.ini", "Cells.bmp"})
            test::WriteFile(dir / name, "");
        const std::vector<std::string> names = ListStyles(dir.path());
        QCOMPARE(names, (std::vector<std::string>{"Marble", "stone", "Two"}));
        QCOMPARE(ResolveStyleName(dir.path(), "stone"), std::string("stone"));
        QCOMPARE(ResolveStyleName(dir.path(), "Gone"), std::string("Marble"));
        QVERIFY(ListStyles(dir / "missing").empty());
    }

    // The shipped default style is complete: colours and all eight pictures at their sizes.
    void shippedStylesComplete() {
        for (const char* name : {"Marble", "Granite", "Malachite"}) {
            Style style(kShippedStyles);
            style.Load(name);
            QCOMPARE(style.CurrentStyle(), std::string(name));
            const StylePictures& p = style.Pictures();
            QCOMPARE(p.fieldCell.size(), QSize(32, 32));
            QCOMPARE(p.fieldCellMarked.size(), QSize(32, 32));
            QCOMPARE(p.inputCell.size(), QSize(22, 22));
            QCOMPARE(p.inputCellHot.size(), QSize(22, 22));
            QCOMPARE(p.fieldBackground.size(), QSize(338, 338));
            QCOMPARE(p.inputBackground.size(), QSize(194, 98));
            QVERIFY(!p.arrowUp.isNull() && !p.arrowDown.isNull());
            // Corners are see-through, the middle is not.
            QCOMPARE(qAlpha(p.fieldCell.pixel(0, 0)), 0);
            QCOMPARE(qAlpha(p.fieldCell.pixel(16, 16)), 255);
            QVERIFY(!(style.Colours() == StyleColours()));
        }
    }

    // No colour file for the configured name: Marble; none for Marble either: the defaults and
    // no pictures.
    void missingStyleFiles() {
        Style shipped(kShippedStyles);
        shipped.Load("NoSuchStyle");
        QCOMPARE(shipped.CurrentStyle(), std::string("Marble"));
        QVERIFY(shipped.Colours() == ReadStyleColours(kShippedStyles / "Marble.ini"));

        test::TempDir empty;
        Style none(empty.path());
        none.Load("NoSuchStyle");
        QCOMPARE(none.CurrentStyle(), std::string("Marble"));
        QVERIFY(none.Colours() == StyleColours());
        QVERIFY(none.Pictures().fieldCell.isNull());
        QVERIFY(none.Pictures().fieldBackground.isNull());
    }

    // A JPEG background comes before a BMP of the same name; a missing picture keeps the one
    // shown before; an unreadable JPEG counts as missing.
    void pictureFallbacks() {
        test::TempDir dir;
        test::WriteFile(dir / "A.ini", "");
        SaveImage(Plain(20, 20, Qt::red), dir / "A_bg01.bmp");
        SaveImage(Plain(30, 30, Qt::blue), dir / "A_bg01.jpg");
        SaveImage(Plain(32, 32, Qt::green), dir / "A_fc01.bmp");
        Style style(dir.path());
        style.Load("A");
        QCOMPARE(style.Pictures().fieldBackground.size(), QSize(30, 30));
        QVERIFY(qBlue(style.Pictures().fieldBackground.pixel(15, 15)) > 200);
        QCOMPARE(style.Pictures().fieldCell.pixelColor(5, 5), QColor(Qt::green));

        // Style B has only a BMP background and no cells: the cells stay those of A.
        test::WriteFile(dir / "B.ini", "");
        SaveImage(Plain(20, 20, Qt::red), dir / "B_bg01.bmp");
        style.SetCurrentStyle("B");
        style.ReloadFieldPictures();
        QCOMPARE(style.Pictures().fieldBackground.size(), QSize(20, 20));
        QCOMPARE(style.Pictures().fieldCell.pixelColor(5, 5), QColor(Qt::green));

        // A damaged JPEG: the BMP beside it serves; without one the picture stays.
        test::WriteFile(dir / "B_bg01.jpg", std::string("\xFF\xD8\xFF\xE0 not really", 16));
        QVERIFY(DecodeJpeg(Q(dir / "B_bg01.jpg")).isNull());
        style.ReloadFieldPictures();
        QCOMPARE(style.Pictures().fieldBackground.size(), QSize(20, 20));
        fs::remove(dir / "B_bg01.bmp");
        style.SetCurrentStyle("A");
        style.ReloadFieldPictures();
        style.SetCurrentStyle("B");
        style.ReloadFieldPictures();
        QCOMPARE(style.Pictures().fieldBackground.size(), QSize(30, 30));
    }

    void transparentColour() {
        test::TempDir dir;
        QImage cell = Plain(4, 4, QColor(10, 20, 30));
        cell.setPixelColor(0, 0, QColor(240, 255, 255));
        cell.setPixelColor(1, 0, QColor(255, 255, 240));  // the same bytes the other way round
        SaveImage(cell, dir / "c.bmp");
        const QImage loaded = LoadCellPicture(Q(dir / "c.bmp"));
        QCOMPARE(qAlpha(loaded.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(loaded.pixel(1, 0)), 255);
        QCOMPARE(qAlpha(loaded.pixel(2, 2)), 255);
        QVERIFY(LoadCellPicture(Q(dir / "none.bmp")).isNull());
        // Glyphs leave out the colour of their bottom-left pixel.
        QImage glyph = Plain(3, 3, Qt::magenta);
        glyph.setPixelColor(1, 1, Qt::black);
        SaveImage(glyph, dir / "g.bmp");
        const QImage g = LoadGlyph(Q(dir / "g.bmp"));
        QCOMPARE(qAlpha(g.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(g.pixel(1, 1)), 255);
    }

    // The dialog: Cancel changes nothing; Save over an existing style asks and "No" writes
    // nothing; a new name is written and listed; Apply takes the colours and the name.
    void styleDialog() {
        test::TempDir dir;
        fs::create_directories(dir / "Styles");
        for (const auto& e : fs::directory_iterator(kShippedStyles))
            fs::copy(e.path(), dir / "Styles" / e.path().filename());
        GameModel model;
        test::FillEnglishModel(model, dir.path());
        TMainForm form(model);
        test::ModalRecorder modals;
        form.SetModalRunner(modals.Runner());
        TStyleForm& dialog = form.StyleForm();
        const StyleColours before = form.CurrentStyle().Colours();
        const std::string marbleFile = test::ReadFile(dir / "Styles" / "Marble.ini");

        dialog.show();
        QCOMPARE(dialog.StyleCombo()->currentText(), QString("Marble"));
        QCOMPARE(dialog.StyleCombo()->count(), 3);
        dialog.StyleCombo()->setCurrentText("Granite");
        const StyleColours granite = ReadStyleColours(dir / "Styles" / "Granite.ini");
        QVERIFY(dialog.SwatchColours() == granite);
        QVERIFY(dialog.FieldPreview(0)->Image() ==
                LoadCellPicture(Q(dir / "Styles" / "Granite_fc01.bmp")));
        // The colour dialog answers with a colour of its own.
        modals.onShow = [](QDialog& d) {
            if (auto* c = qobject_cast<QColorDialog*>(&d)) c->setCurrentColor(QColor(1, 2, 3));
        };
        dialog.shFillMouseDown(StyleColour::FillColor);
        QCOMPARE(dialog.Swatch(StyleColour::FillColor)->Value(), 0x030201u);
        dialog.reject();
        QVERIFY(form.CurrentStyle().Colours() == before);
        QCOMPARE(form.CurrentStyle().CurrentStyle(), std::string("Marble"));

        // Save over Marble: "No" writes nothing.
        dialog.show();
        dialog.Swatch(StyleColour::BorderColor)->SetValue(0x0000FF);
        modals.onShow = nullptr;
        modals.answer = QMessageBox::No;
        dialog.sbSaveStyleClick();
        QCOMPARE(modals.Count("QMessageBox"), 1);
        QCOMPARE(test::ReadFile(dir / "Styles" / "Marble.ini"), marbleFile);
        modals.answer = QMessageBox::Yes;
        dialog.sbSaveStyleClick();
        QCOMPARE(ReadStyleColours(dir / "Styles" / "Marble.ini")[StyleColour::BorderColor],
                 0x0000FFu);

        // A new name: written without a question and listed.
        dialog.StyleCombo()->setEditText("Mine");
        dialog.sbSaveStyleClick();
        QCOMPARE(modals.Count("QMessageBox"), 2);
        QVERIFY(fs::exists(dir / "Styles" / "Mine.ini"));
        QVERIFY(dialog.StyleCombo()->findText("Mine") >= 0);

        // A name with a folder in it is refused.
        dialog.StyleCombo()->setEditText("../Escape");
        dialog.sbSaveStyleClick();
        QVERIFY(!fs::exists(dir / "Escape.ini"));

        // Apply "Mine": its colours, its name; its pictures are missing, so Marble's stay.
        dialog.StyleCombo()->setCurrentText("Mine");
        dialog.Swatch(StyleColour::FieldFontColor)->SetValue(0x00FF00);
        const QImage cell = form.CurrentStyle().Pictures().fieldCell;
        dialog.bbApplyClick();
        QCOMPARE(form.CurrentStyle().CurrentStyle(), std::string("Mine"));
        QCOMPARE(form.CurrentStyle().Value(StyleColour::FieldFontColor), 0x00FF00u);
        QCOMPARE(form.LetterAt(0, 0)->Colour(), QColor(0, 255, 0));
        QVERIFY(form.CurrentStyle().Pictures().fieldCell == cell);
        QCOMPARE(form.WordFrame()->Pen(), QColor(255, 0, 0));

        // Apply with a name that is no item keeps the style in force.
        dialog.show();
        dialog.StyleCombo()->setEditText("Unsaved");
        dialog.bbApplyClick();
        QCOMPARE(form.CurrentStyle().CurrentStyle(), std::string("Mine"));
    }

    // The shipped styles show their translated names; the files keep theirs: choosing, saving
    // over and applying "Мрамор" all mean Marble.
    void translatedStyleNames() {
        test::TempDir dir;
        fs::create_directories(dir / "Styles");
        for (const auto& e : fs::directory_iterator(kShippedStyles))
            fs::copy(e.path(), dir / "Styles" / e.path().filename());
        QCOMPARE(InstallTranslations(InterfaceLanguage::Russian), InterfaceLanguage::Russian);
        GameModel model;
        test::FillEnglishModel(model, dir.path());
        TMainForm form(model);
        test::ModalRecorder modals;
        modals.answer = QMessageBox::Yes;
        form.SetModalRunner(modals.Runner());
        TStyleForm& dialog = form.StyleForm();
        dialog.show();
        QStringList shown;
        for (int i = 0; i < dialog.StyleCombo()->count(); ++i)
            shown << dialog.StyleCombo()->itemText(i);
        QCOMPARE(shown, (QStringList{"Гранит", "Малахит", "Мрамор"}));
        QCOMPARE(dialog.StyleCombo()->currentText(), QString("Мрамор"));
        dialog.StyleCombo()->setCurrentText("Гранит");
        QVERIFY(dialog.SwatchColours() == ReadStyleColours(dir / "Styles" / "Granite.ini"));
        dialog.Swatch(StyleColour::FillColor)->SetValue(0x010203);
        dialog.sbSaveStyleClick();
        QCOMPARE(modals.Count("QMessageBox"), 1);  // an existing style: asked first
        QCOMPARE(ReadStyleColours(dir / "Styles" / "Granite.ini")[StyleColour::FillColor],
                 0x010203u);
        QVERIFY(!fs::exists(dir / "Styles" / "Гранит.ini"));
        dialog.bbApplyClick();
        QCOMPARE(form.CurrentStyle().CurrentStyle(), std::string("Granite"));
        InstallTranslations(InterfaceLanguage::English);
        dialog.show();
        QCOMPARE(dialog.StyleCombo()->currentText(), QString("Granite"));
    }

    // The four tabs: a click, the arrows on the tabs, and Ctrl+Tab or Ctrl+Shift+Tab from
    // anywhere in the dialog turn the page, Ctrl+Tab round from the last to the first; the row of
    // the current tab lies next to the page.
    void tabsWorkAsTabs() {
        GameModel model;
        test::FillEnglishModel(model);
        TMainForm form(model);
        TStyleForm& dialog = form.StyleForm();
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        TabRows* tabs = dialog.Tabs();
        QCOMPARE(tabs->Count(), 4);
        QVERIFY(tabs->hasFocus());
        QCOMPARE(dialog.Pages()->currentIndex(), 0);
        const auto pageTop = [tabs] { return tabs->PageRect().top(); };
        QVERIFY(tabs->TabRect(0).bottom() < pageTop() &&
                tabs->TabRect(0).bottom() >= pageTop() - 2);

        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->TabRect(3).center());
        QCOMPARE(dialog.Pages()->currentIndex(), 3);
        // The current row moved next to the page, the other row above it.
        QVERIFY(tabs->TabRect(3).bottom() >= pageTop() - 2);
        QVERIFY(tabs->TabRect(0).bottom() < tabs->TabRect(3).top());
        QTest::keyClick(tabs, Qt::Key_Left);
        QCOMPARE(dialog.Pages()->currentIndex(), 2);
        QTest::keyClick(tabs, Qt::Key_Home);
        QCOMPARE(dialog.Pages()->currentIndex(), 0);
        QTest::keyClick(tabs, Qt::Key_Left);  // no wrapping on the arrows
        QCOMPARE(dialog.Pages()->currentIndex(), 0);

        QWidget* edit = dialog.StyleCombo()->lineEdit();
        edit->setFocus();
        for (int expected : {1, 2, 3, 0}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
            QCOMPARE(dialog.Pages()->currentIndex(), expected);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(dialog.Pages()->currentIndex(), 3);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(dialog.Pages()->currentIndex(), 2);
        dialog.reject();
    }

    // A swatch keeps all four lines of its frame at every window scale.
    void swatchFrameWhole_data() {
        QTest::addColumn<qreal>("scale");
        for (qreal scale : {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0})
            QTest::newRow(QByteArray::number(scale)) << scale;
    }

    void swatchFrameWhole() {
        QFETCH(qreal, scale);
        ColourSwatch swatch(nullptr);
        swatch.resize(76, 20);
        swatch.SetValue(0xFFFFFF);
        QImage drawn((QSizeF(swatch.size()) * scale).toSize(), QImage::Format_RGB32);
        drawn.setDevicePixelRatio(scale);
        drawn.fill(Qt::red);
        swatch.render(&drawn);
        const QColor frame(64, 64, 64);
        const int w = drawn.width(), h = drawn.height();
        for (int x = 0; x < w; ++x) {
            QCOMPARE(drawn.pixelColor(x, 0), frame);
            QCOMPARE(drawn.pixelColor(x, h - 1), frame);
        }
        for (int y = 0; y < h; ++y) {
            QCOMPARE(drawn.pixelColor(0, y), frame);
            QCOMPARE(drawn.pixelColor(w - 1, y), frame);
        }
        QCOMPARE(drawn.pixelColor(w / 2, h / 2), QColor(Qt::white));
    }

    // Typing a new name keeps the text as typed (no inline completion into "Granite") and the
    // user's colours; a save that cannot write says so, naming the style file.
    void newStyleName() {
        test::TempDir dir;
        fs::create_directories(dir / "Styles");
        for (const auto& e : fs::directory_iterator(kShippedStyles))
            fs::copy(e.path(), dir / "Styles" / e.path().filename());
        GameModel model;
        test::FillEnglishModel(model, dir.path());
        TMainForm form(model);
        test::ModalRecorder modals;
        QString message;
        modals.onShow = [&](QDialog& d) {
            if (auto* box = qobject_cast<QMessageBox*>(&d)) message = box->text();
        };
        form.SetModalRunner(modals.Runner());
        TStyleForm& dialog = form.StyleForm();
        dialog.show();
        dialog.Swatch(StyleColour::FillColor)->SetValue(0x010203);
        QLineEdit* edit = dialog.StyleCombo()->lineEdit();
        QApplication::setActiveWindow(&dialog);
        edit->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        edit->clear();
        QTest::keyClicks(edit, "Gran");
        QCOMPARE(dialog.StyleCombo()->currentText(), QString("Gran"));
        QCOMPARE(dialog.Swatch(StyleColour::FillColor)->Value(), 0x010203u);
        dialog.sbSaveStyleClick();
        QVERIFY(message.isEmpty());  // a new name: no question
        QCOMPARE(ReadStyleColours(dir / "Styles" / "Gran.ini")[StyleColour::FillColor], 0x010203u);
        QCOMPARE(ReadStyleColours(dir / "Styles" / "Granite.ini"),
                 ReadStyleColours(kShippedStyles / "Granite.ini"));

        // A folder where the colour file would go: the save fails and names the file.
        fs::create_directories(dir / "Styles" / "Blocked.ini");
        dialog.StyleCombo()->setEditText("Blocked");
        dialog.sbSaveStyleClick();
        const QString file = Q(dir / "Styles" / "Blocked.ini");
        QCOMPARE(message, "Cannot write the style file " + file + ".");
        dialog.reject();
    }
};

QTEST_MAIN(StyleTest)
#include "style_test.moc"
