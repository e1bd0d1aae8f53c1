// SPDX-License-Identifier: GPL-3.0-or-later
// The help: the compiled help file and its topics, every link of every page walked, the contents,
// a missing or damaged file ignored, the help window following links, and F1 and "Contents"
// landing on their topics.

#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTreeWidget>
#include <QtTest>

#include <fstream>
#include <set>

#include "help/help_file.h"
#include "help/help_window.h"
#include "ui/app.h"
#include "ui/help.h"
#include "ui/main_form.h"
#include "ui/options_form.h"
#include "ui/style_form.h"
#include "ui_support.h"

using namespace tq;
using namespace tq::ui;
using namespace tq::help;

namespace {

const std::filesystem::path kHelpFile = TESSAROON_HELP_FILE;
const std::filesystem::path kHelpFileRu = TESSAROON_HELP_FILE_RU;

// The anchors a page names.
std::set<std::string> Anchors(const std::string& html) {
    static const QRegularExpression re("(?:name|id)\\s*=\\s*\"([^\"]*)\"",
                                       QRegularExpression::CaseInsensitiveOption);
    std::set<std::string> anchors;
    auto it = re.globalMatch(QString::fromStdString(html));
    while (it.hasNext()) anchors.insert(it.next().captured(1).toStdString());
    return anchors;
}

std::unique_ptr<HelpFile> OpenBuilt() {
    return HelpFile::Open(kHelpFile);
}

// The targets of href= and src= in a page.
std::vector<std::string> Links(const std::string& html) {
    static const QRegularExpression re("(?:href|src)\\s*=\\s*\"([^\"]*)\"",
                                       QRegularExpression::CaseInsensitiveOption);
    std::vector<std::string> links;
    auto it = re.globalMatch(QString::fromStdString(html));
    while (it.hasNext()) links.push_back(it.next().captured(1).toStdString());
    return links;
}

bool HasAnchor(const std::string& html, const std::string& anchor) {
    return html.find("name=\"" + anchor + "\"") != std::string::npos ||
           html.find("id=\"" + anchor + "\"") != std::string::npos;
}

// Whether a link of the file's root pages leads to an object and, with "#x", to an anchor x.
QString CheckLink(const HelpFile& file, const std::string& link) {
    if (link.find(':') != std::string::npos) return {};  // outside the file: none are used
    const std::size_t hash = link.find('#');
    const std::string page = link.substr(0, hash);
    if (page.empty()) return "empty page in " + QString::fromStdString(link);
    const std::optional<std::string> target = file.Read(page);
    if (!target) return "missing " + QString::fromStdString(page);
    if (hash != std::string::npos && !HasAnchor(*target, link.substr(hash + 1)))
        return "missing anchor " + QString::fromStdString(link);
    return {};
}

// Clicks the link of the shown page whose address is href.
bool ClickLink(HelpWindow& w, const QString& href) {
    QTextBrowser* b = w.Browser();
    for (QTextBlock block = b->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.charFormat().anchorHref() != href) continue;
            QTextCursor c(b->document());
            c.setPosition(f.position() + 1);
            b->setTextCursor(c);
            b->ensureCursorVisible();
            const QRect r = b->cursorRect(c);
            QTest::mouseClick(b->viewport(), Qt::LeftButton, {}, r.center() - QPoint(2, 0));
            return true;
        }
    }
    return false;
}

}  // namespace

class HelpTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { InitialiseApplication(); }
    void cleanup() { SetHelpLauncher({}); }

    void builtFileHasEveryTopic() {
        const auto file = OpenBuilt();
        QVERIFY(file);
        QCOMPARE(file->Title(), std::string("Tessaroon Help"));
        QCOMPARE(file->DefaultTopic(), std::string("index.htm"));
        for (const char* page :
             {"index.htm", "1_playing.htm", "2_rules.htm", "3_records.htm", "4_network.htm",
              "5_options.htm", "6_styles.htm", "7_dictionaries.htm", "8_keys.htm", "help.css"}) {
            const std::optional<std::string> text = file->Read(page);
            QVERIFY2(text && text->size() > 500, page);
        }
        QVERIFY(file->Read("/5_options.htm")->find("<title>The options dialog</title>") !=
                std::string::npos);
        QVERIFY(file->Read("/6_styles.htm")->find("<title>Styles</title>") != std::string::npos);
        QVERIFY(!file->Has("/missing.htm"));
        QVERIFY(!file->Read("/missing.htm"));
    }

    // Every link and picture of every page, and every line of the contents and the index, leads
    // to an object of the file and, where it names one, to an anchor of that page; every page is
    // in the contents. In both help files.
    void everyLinkResolves_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("en") << QString::fromStdString(kHelpFile.string());
        QTest::newRow("ru") << QString::fromStdString(kHelpFileRu.string());
    }

    void everyLinkResolves() {
        QFETCH(QString, path);
        const auto file = HelpFile::Open(path.toStdString());
        QVERIFY(file);
        int pages = 0;
        int links = 0;
        for (const std::string& path : file->Paths()) {
            if (!path.ends_with(".htm")) continue;
            ++pages;
            QVERIFY2(path.find('/', 1) == std::string::npos, path.c_str());  // all at the root
            for (const std::string& link : Links(*file->Read(path))) {
                ++links;
                const QString error = CheckLink(*file, link);
                QVERIFY2(error.isEmpty(), qPrintable(QString::fromStdString(path) + ": " + error));
            }
        }
        QCOMPARE(pages, 10);
        QVERIFY(links > 40);

        const std::vector<HelpContentsEntry> contents = file->Contents();
        std::set<std::string> listed;
        for (const HelpContentsEntry& e : contents) {
            QVERIFY(!e.Name.empty());
            const QString error = CheckLink(*file, e.Local);
            QVERIFY2(error.isEmpty(), qPrintable(QString::fromStdString(e.Name) + ": " + error));
            listed.insert("/" + e.Local.substr(0, e.Local.find('#')));
        }
        for (const std::string& path : file->Paths())
            if (path.ends_with(".htm")) QVERIFY2(listed.count(path), path.c_str());
        for (const HelpContentsEntry& e : ParseSitemap(*file->Read("/Tessaroon.hhk")))
            QVERIFY2(CheckLink(*file, e.Local).isEmpty(), e.Local.c_str());
    }

    // The Russian file has the English file's pages and anchors, so that every topic the game
    // opens is there in both; its pages are Russian and say so.
    void bothFilesHaveTheSameTopics() {
        const auto en = HelpFile::Open(kHelpFile);
        const auto ru = HelpFile::Open(kHelpFileRu);
        QVERIFY(en && ru);
        QCOMPARE(ru->Paths(), en->Paths());
        QCOMPARE(ru->DefaultTopic(), en->DefaultTopic());
        for (const std::string& path : en->Paths()) {
            if (!path.ends_with(".htm")) continue;
            const std::string english = *en->Read(path);
            const std::string russian = *ru->Read(path);
            QVERIFY2(Anchors(russian) == Anchors(english), path.c_str());
            QVERIFY2(russian.find("lang=\"ru\"") != std::string::npos, path.c_str());
            // Mostly Cyrillic words: more two-byte UTF-8 Cyrillic letters than Latin ones.
            const QString text =
                QString::fromStdString(russian).remove(QRegularExpression("<[^>]*>"));
            int cyrillic = 0, latin = 0;
            for (QChar c : text) {
                if (c.unicode() >= 0x410 && c.unicode() <= 0x44F) ++cyrillic;
                if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) ++latin;
            }
            QVERIFY2(cyrillic > 2 * latin, path.c_str());
        }
        QVERIFY(ru->Read("/5_options.htm")->find("<title>Окно параметров</title>") !=
                std::string::npos);
    }

    void sitemap() {
        const std::vector<HelpContentsEntry> e = ParseSitemap(
            "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"A\"><param na"
            "me=\"Local\" value=\"a.htm\"></OBJECT><ul><li><object TYPE='text/sitemap'><PARAM"
            " NAME=name VALUE=\"B b\"><param name=\"Local\" value=\"a.htm#b\"></object></ul><"
            "LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"C\"></OBJECT></UL>"
            "<OBJECT type=\"text/site properties\"><param name=\"Name\" value=\"x\"></OBJECT>"
            "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"cut");
        QCOMPARE(e.size(), std::size_t(3));
        QCOMPARE(e[0].Name, std::string("A"));
        QCOMPARE(e[0].Depth, 0);
        QCOMPARE(e[1].Name, std::string("B b"));
        QCOMPARE(e[1].Local, std::string("a.htm#b"));
        QCOMPARE(e[1].Depth, 1);
        QCOMPARE(e[2].Local, std::string());
        QCOMPARE(e[2].Depth, 0);
        QVERIFY(ParseSitemap("").empty());
        QVERIFY(ParseSitemap("<<<>").empty());
    }

    void targets_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("topic");
        QTest::newRow("contents") << kHelpContents << "Tessaroon.chm"
                                  << "";
        QTest::newRow("options") << kOptionsHelpTopic << "Tessaroon.chm"
                                 << "/5_options.htm";
        QTest::newRow("styles") << kStylesHelpTopic << "Tessaroon.chm"
                                << "/6_styles.htm";
        QTest::newRow("no slash") << "a.chm::b.htm#x"
                                  << "a.chm"
                                  << "/b.htm#x";
    }

    void targets() {
        QFETCH(QString, target);
        QFETCH(QString, file);
        QFETCH(QString, topic);
        const HelpTarget t = ParseHelpTarget(target.toStdString());
        QCOMPARE(QString::fromStdString(t.File), file);
        QCOMPARE(QString::fromStdString(t.Topic), topic);
    }

    // A missing file, a file that is no help file, a cut-off copy of the real one and a topic the
    // file lacks are refused without a crash and show nothing.
    void damagedFilesRefused() {
        QTemporaryDir dir;
        const std::filesystem::path folder = dir.path().toStdString();
        std::string real;
        {
            std::ifstream in(kHelpFile, std::ios::binary);
            real.assign(std::istreambuf_iterator<char>(in), {});
        }
        QVERIFY(real.size() > 10000);
        std::ofstream(folder / "Noise.chm", std::ios::binary) << std::string(5000, '\x5A');
        std::ofstream(folder / "Empty.chm", std::ios::binary);
        std::ofstream(folder / "Cut.chm", std::ios::binary) << real.substr(0, real.size() / 3);
        std::string flipped = real;
        for (std::size_t i = 200; i < flipped.size(); i += 97)
            flipped[i] = static_cast<char>(~flipped[i]);
        std::ofstream(folder / "Flipped.chm", std::ios::binary) << flipped;

        QVERIFY(!HelpFile::Open(folder / "Missing.chm"));
        QVERIFY(!HelpFile::Open(folder / "Noise.chm"));
        QVERIFY(!HelpFile::Open(folder / "Empty.chm"));
        QVERIFY(!HelpFile::Open(folder));  // a folder
        for (const char* name : {"Cut.chm", "Flipped.chm"}) {
            // Opening may succeed on what is left; reading then fails or gives what is there.
            if (auto f = HelpFile::Open(folder / name)) {
                for (const std::string& p : f->Paths()) (void)f->Read(p);
                (void)f->Contents();
            }
            HelpWindow w;
            (void)w.OpenTarget(QString::fromStdString((folder / name).string()));
        }
        HelpWindow w;
        QVERIFY(!w.OpenTarget(QString::fromStdString((folder / "Missing.chm").string())));
        QVERIFY(!w.OpenTarget(QString::fromStdString((folder / "Noise.chm").string())));
        QVERIFY(!w.OpenTarget(QString::fromStdString(kHelpFile.string()) + "::/nowhere.htm"));
        QVERIFY(!w.OpenTarget(""));
        QVERIFY(w.CurrentTopic().isEmpty());
    }

    // The window opens a topic given relative to the start folder, or else beside the program,
    // lists the contents with the topic selected, follows a link, goes back, and opens a topic
    // from the contents.
    void windowFollowsLinks() {
        const std::filesystem::path folder = kHelpFile.parent_path();
        HelpWindow w;
        QVERIFY(w.OpenTarget(kOptionsHelpTopic, folder));
        w.show();
        QCOMPARE(w.windowTitle(), QString("Tessaroon Help"));
        QCOMPARE(w.CurrentTopic(), QString("/5_options.htm"));
        QCOMPARE(w.Browser()->documentTitle(), QString("The options dialog"));
        QVERIFY(w.Browser()->toPlainText().contains("Incorrect game parameters."));
        QVERIFY(w.ContentsTree()->currentItem());
        QCOMPARE(w.ContentsTree()->currentItem()->text(0), QString("The options dialog"));
        QVERIFY(w.ContentsTree()->topLevelItemCount() >= 9);

        QVERIFY(ClickLink(w, "2_rules.htm#clock"));
        QTRY_COMPARE(w.CurrentTopic(), QString("/2_rules.htm"));
        QCOMPARE(w.Browser()->source().fragment(), QString("clock"));
        QCOMPARE(w.ContentsTree()->currentItem()->text(0), QString("Move clock, bonus and fine"));
        w.Browser()->backward();
        QCOMPARE(w.CurrentTopic(), QString("/5_options.htm"));

        QTreeWidgetItem* styles = w.ContentsTree()->findItems("Styles", Qt::MatchExactly).value(0);
        QVERIFY(styles);
        emit w.ContentsTree()->itemClicked(styles, 0);
        QCOMPARE(w.CurrentTopic(), QString("/6_styles.htm"));

        HelpWindow contents;
        QVERIFY(contents.OpenTarget(kHelpContents, folder));
        QCOMPARE(contents.CurrentTopic(), QString("/index.htm"));
    }

    // Every contents title shows whole in its pane, in both languages, in the window as the
    // viewer first shows it.
    void contentsTitlesShowWhole_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("en") << QString::fromStdString(kHelpFile.string());
        QTest::newRow("ru") << QString::fromStdString(kHelpFileRu.string());
    }

    void contentsTitlesShowWhole() {
        QFETCH(QString, file);
        HelpWindow w;
        QVERIFY(w.OpenTarget(file));
        w.showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QTreeWidget* tree = w.ContentsTree();
        const QFontMetrics fm(tree->font());
        QStringList cut;
        for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it) {
            const QRect r = tree->visualItemRect(*it);
            const int right = r.x() + fm.horizontalAdvance((*it)->text(0)) + 6;
            if (right > tree->viewport()->width())
                cut << QString("%1 ends at %2 of %3")
                           .arg((*it)->text(0))
                           .arg(right)
                           .arg(tree->viewport()->width());
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join("\n")));
        // The pages keep the larger part of the window.
        QVERIFY2(w.Browser()->width() >= w.width() / 2,
                 qPrintable(QString("%1 of %2").arg(w.Browser()->width()).arg(w.width())));
    }

    // A copy in the start folder that opens but cannot give the page (cut short, or damaged
    // inside) is passed over for the copy beside the program, as a missing one is.
    void viewerFallsBackPastAnUnreadableCopy_data() {
        QTest::addColumn<int>("keptPercent");  // of the real file; 0: every 97th byte flipped
        QTest::addColumn<QString>("target");
        QTest::newRow("cut to 80 %, contents") << 80 << QString(kHelpContents);
        QTest::newRow("cut to 50 %, options topic") << 50 << QString(kOptionsHelpTopic);
        QTest::newRow("flipped inside, styles topic") << 0 << QString(kStylesHelpTopic);
    }
    void viewerFallsBackPastAnUnreadableCopy() {
        QFETCH(int, keptPercent);
        QFETCH(QString, target);
        std::string real;
        {
            std::ifstream in(kHelpFile, std::ios::binary);
            real.assign(std::istreambuf_iterator<char>(in), {});
        }
        std::string copy = real.substr(0, real.size() * std::size_t(keptPercent) / 100);
        if (keptPercent == 0) {
            copy = real;
            for (std::size_t i = 4000; i < copy.size(); i += 97)
                copy[i] = static_cast<char>(~copy[i]);
        }
        QTemporaryDir dir;
        const std::filesystem::path start = dir.path().toStdString();
        std::ofstream(start / "Tessaroon.chm", std::ios::binary) << copy;
        const HelpTarget t = ParseHelpTarget(target.toStdString());
        const std::string page = t.Topic.empty() ? "/index.htm" : t.Topic;
        {
            // The damaged copy opens, but its page cannot be read.
            const auto damaged = HelpFile::Open(start / "Tessaroon.chm");
            QVERIFY(damaged);
            QVERIFY(!damaged->Read(page));
        }
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        HelpWindow w;
        const bool opened = w.OpenTarget(target, kHelpFile.parent_path());
        QDir::setCurrent(before);
        QVERIFY(opened);
        QCOMPARE(w.CurrentTopic(), QString::fromStdString(page));
        QVERIFY(w.Browser()->toPlainText().size() > 200);
        // Without a copy beside the program nothing is shown.
        HelpWindow alone;
        QVERIFY(QDir::setCurrent(dir.path()));
        const bool openedAlone = alone.OpenTarget(target);
        QDir::setCurrent(before);
        QVERIFY(!openedAlone);
    }

    // "Contents" and F1 in the main window open the file, F1 in the style and options dialogs
    // their topics.
    void keysOpenTopics() {
        QStringList opened;
        SetHelpLauncher([&](const QString& t) { opened << t; });
        GameModel model;
        test::FillEnglishModel(model);
        TMainForm main(model);
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QTest::keyClick(&main, Qt::Key_F1);
        QCOMPARE(opened, QStringList{kHelpContents});
        main.HelpMenu()->actions().value(0)->trigger();
        QCOMPARE(opened.value(1), QString(kHelpContents));
        main.StyleForm().show();
        main.StyleForm().activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &main.StyleForm());
        QTest::keyClick(&main.StyleForm(), Qt::Key_F1);
        QVERIFY(main.StyleForm().isVisible());
        QCOMPARE(opened.value(2), QString(kStylesHelpTopic));
        main.StyleForm().hide();
        main.OptionsForm().show();
        main.OptionsForm().activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &main.OptionsForm());
        QTest::keyClick(&main.OptionsForm(), Qt::Key_F1);
        QCOMPARE(opened.value(3), QString(kOptionsHelpTopic));
        QCOMPARE(opened.size(), 4);
    }

    // The viewer program ends at once, quietly, without a help file.
    void viewerWithoutFile() {
        QTemporaryDir dir;
        QProcess viewer;
        viewer.setWorkingDirectory(dir.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        viewer.setProcessEnvironment(env);
        viewer.start(TESSAROON_HELP_VIEWER, {"Nothing.chm::/5_options.htm"});
        QVERIFY(viewer.waitForFinished(20000));
        QCOMPARE(viewer.exitStatus(), QProcess::NormalExit);
        QCOMPARE(viewer.exitCode(), 1);
    }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
