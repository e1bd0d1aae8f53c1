// SPDX-License-Identifier: GPL-3.0-or-later
// The window's language: the game logic's messages as the window shows them in either language,
// the translation file's messages against their sources, Qt's own texts, the language a start
// folder's settings ask for, and F1 opening the help of the interface's language.

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <fstream>
#include <set>

#include "base/messages.h"
#include "core/game_model.h"
#include "ui/app.h"
#include "ui/help.h"
#include "ui/language.h"
#include "ui/main_form.h"
#include "ui/options_form.h"
#include "ui/text.h"
#include "ui_support.h"

using namespace tq;
using namespace tq::ui;

namespace {

std::set<QString> Places(const QString& text) {
    std::set<QString> places;
    static const QRegularExpression re("%[1-9n]");
    for (auto it = re.globalMatch(text); it.hasNext();) places.insert(it.next().captured());
    return places;
}

// The text of the element just started, with the control characters the translation tools
// write as <byte value="xd"/>.
QString ElementText(QXmlStreamReader& xml) {
    QString text;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters()) text += xml.text();
        if (xml.isStartElement() && xml.name() == u"byte")
            text += QChar(xml.attributes().value("value").mid(1).toUShort(nullptr, 16));
        if (xml.isEndElement() && xml.name() != u"byte") break;
    }
    return text;
}

// The forms of the translation element just started: its text, or each of its plural forms.
QStringList TranslationForms(QXmlStreamReader& xml) {
    QStringList forms;
    QString text;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"numerusform") forms << ElementText(xml);
        if (xml.isStartElement() && xml.name() == u"byte")
            text += QChar(xml.attributes().value("value").mid(1).toUShort(nullptr, 16));
        if (xml.isCharacters()) text += xml.text();
        if (xml.isEndElement() && xml.name() == u"translation") break;
    }
    return forms.isEmpty() ? QStringList{text} : forms;
}

// Changes the current directory while it lives.
struct InFolder {
    explicit InFolder(const QString& dir) : old(QDir::currentPath()) { QDir::setCurrent(dir); }
    ~InFolder() { QDir::setCurrent(old); }
    QString old;
};

}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() {
        InstallTranslations(InterfaceLanguage::English);
        SetHelpLauncher({});
    }

    void shownTexts_data() {
        QTest::addColumn<QByteArray>("text");  // code page 1251, as the game logic gives it
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("russian");
        QTest::newRow("hint") << QByteArray(msg::PutLetter.data()) << "Put a letter"
                              << "Поставьте букву";
        QTest::newRow("refusal") << QByteArray(msg::AlreadyFormed.data())
                                 << "The word is already formed"
                                 << "Слово уже есть на поле";
        // The winner's name in code page 1251 ("Иван").
        QTest::newRow("winner") << QByteArray(msg::Fill(msg::Wins, {"\xC8\xE2\xE0\xED"}).c_str())
                                << "Иван wins"
                                << "Победитель: Иван";
        QTest::newRow("winner named like a place")
            << QByteArray(msg::Fill(msg::Wins, {"%2 wins"}).c_str()) << "%2 wins wins"
            << "Победитель: %2 wins";
        QTest::newRow("chat") << QByteArray(msg::Fill(msg::MessageFrom, {"Bob", "hi\r>%1"}).c_str())
                              << "Message from: Bob\r>hi\r>%1"
                              << "Сообщение от Bob:\r>hi\r>%1";
        QTest::newRow("dictionary error with reason")
            << (QByteArray(msg::DictionaryError.data()) + "\nDicts/X.tqd: Permission denied")
            << "Error when opening the dictionary file.\nDicts/X.tqd: Permission denied"
            << "Ошибка при открытии файла словаря.\nDicts/X.tqd: Permission denied";
        QTest::newRow("failed connection with its cause")
            << QByteArray((std::string(msg::ServerInaccessible) + "\r" +
                           msg::Fill(msg::ConnectRefused, {"10.0.0.5", "16282"}))
                              .c_str())
            << "The server is inaccessible.\r10.0.0.5, port 16282: the server refused the "
               "connection."
            << "Сервер недоступен.\r10.0.0.5, порт 16282: сервер отказал в соединении.";
        QTest::newRow("records folder")
            << QByteArray(msg::Fill(msg::RecordsFolderMissing, {"/home/ann/Records"}).c_str())
            << "The records folder /home/ann/Records does not exist."
            << "Папка рекордов /home/ann/Records не существует.";
        QTest::newRow("no message") << QByteArray("STONE") << "STONE"
                                    << "STONE";
        QTest::newRow("a message inside a text")
            << QByteArray("Say Put a letter") << "Say Put a letter"
            << "Say Put a letter";
    }

    void shownTexts() {
        QFETCH(QByteArray, text);
        QFETCH(QString, english);
        QFETCH(QString, russian);
        const std::string_view bytes(text.constData(), std::size_t(text.size()));
        QCOMPARE(ShownText(bytes), english);
        QCOMPARE(InstallTranslations(InterfaceLanguage::Russian), InterfaceLanguage::Russian);
        QCOMPARE(CurrentLanguage(), InterfaceLanguage::Russian);
        QCOMPARE(ShownText(bytes), russian);
        QCOMPARE(InstallTranslations(InterfaceLanguage::English), InterfaceLanguage::English);
        QCOMPARE(ShownText(bytes), english);
    }

    // Every message of the translation is translated, keeps its numbered places and its line
    // breaks, and the context of each is one the program looks up.
    void translationKeepsPlaces() {
        QFile ts(TESSAROON_TS_FILE);
        QVERIFY(ts.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&ts);
        QString context, source;
        int messages = 0;
        std::set<QString> contexts;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement()) continue;
            if (xml.name() == u"name") {
                context = xml.readElementText();
                contexts.insert(context);
            } else if (xml.name() == u"source") {
                source = ElementText(xml);
            } else if (xml.name() == u"translation") {
                const QString type = xml.attributes().value("type").toString();
                const QStringList forms = TranslationForms(xml);
                ++messages;
                const QString where = context + ": " + source;
                QVERIFY2(type.isEmpty(), qPrintable(where));
                // Russian plurals have three forms: one, a few, many.
                QVERIFY2(forms.size() == (source.contains("%n") ? 3 : 1), qPrintable(where));
                for (const QString& translation : forms) {
                    QVERIFY2(!translation.trimmed().isEmpty(), qPrintable(where));
                    QVERIFY2(Places(source) == Places(translation), qPrintable(where));
                    QVERIFY2(source.count('\n') == translation.count('\n'), qPrintable(where));
                    QVERIFY2(source.count('\r') == translation.count('\r'), qPrintable(where));
                }
            }
        }
        QVERIFY(!xml.hasError());
        QVERIFY(messages > 100);
        QVERIFY(contexts.count("Messages"));
        QVERIFY(contexts.count("tq::ui::TMainForm"));
    }

    // Qt's own texts (the standard buttons, the colour dialog) come in Russian when the
    // system has Qt's translations.
    // Without a dictionary the window says which files it looked for, where, and what to do,
    // in the interface's language, after the message itself.
    void dictionaryErrorSaysWhereAndWhat() {
        GameModel model;
        model.StartFolder = "/home/ann/game";
        model.Dict.DictName = "General_rus";
        const std::string message = std::string(msg::DictionaryError) + "\nreason";
        QString text = DictionaryErrorText(model, message);
        QVERIFY2(text.startsWith("Error when opening the dictionary file.\nreason\n\n"),
                 qPrintable(text));
        for (const char* part :
             {"General_rus.tqd or General_rus.txt", "/home/ann/game/Dicts", "Tessaroon.ini"})
            QVERIFY2(text.contains(part), qPrintable(text));
        QCOMPARE(InstallTranslations(InterfaceLanguage::Russian), InterfaceLanguage::Russian);
        text = DictionaryErrorText(model, message);
        InstallTranslations(InterfaceLanguage::English);
        QVERIFY2(text.startsWith("Ошибка при открытии файла словаря."), qPrintable(text));
        QVERIFY2(text.contains("General_rus.tqd") && text.contains("/home/ann/game/Dicts") &&
                     !text.contains("looked for"),
                 qPrintable(text));
    }

    void qtTextsFollow() {
        QCOMPARE(InstallTranslations(InterfaceLanguage::Russian), InterfaceLanguage::Russian);
        QDialogButtonBox box(QDialogButtonBox::Cancel);
        const QString cancel = box.button(QDialogButtonBox::Cancel)->text().remove('&');
        if (cancel == "Cancel") QSKIP("Qt's Russian translation is not installed");
        QCOMPARE(cancel, QString("Отмена"));
    }

    // The Language key of the start folder's settings wins over the locale.
    void settingsChooseTheLanguage() {
        QTemporaryDir dir;
        const std::filesystem::path ini = (dir.path() + "/Tessaroon.ini").toStdString();
        std::ofstream(ini) << "[Additional]\nLanguage=ru\n";
        QCOMPARE(LanguageFor(ini), InterfaceLanguage::Russian);
        std::ofstream(ini) << "[Additional]\nLanguage=en\n";
        QCOMPARE(LanguageFor(ini), InterfaceLanguage::English);
        std::ofstream(ini) << "[Additional]\nLanguage=\n";
        QCOMPARE(LanguageFor(ini), ChooseInterfaceLanguage("", LocaleLanguages()));
    }

    // F1 opens the same topic in the help file of the interface's language, and the English
    // file when that one is missing.
    void helpFollowsTheLanguage_data() {
        QTest::addColumn<InterfaceLanguage>("language");
        QTest::addColumn<bool>("russianFile");
        QTest::addColumn<QString>("contents");
        QTest::addColumn<QString>("options");
        QTest::newRow("en") << InterfaceLanguage::English << true << "Tessaroon.chm"
                            << "Tessaroon.chm::/5_options.htm";
        QTest::newRow("ru") << InterfaceLanguage::Russian << true << "Tessaroon.ru.chm"
                            << "Tessaroon.ru.chm::/5_options.htm";
        QTest::newRow("ru without its file")
            << InterfaceLanguage::Russian << false << "Tessaroon.chm"
            << "Tessaroon.chm::/5_options.htm";
    }

    void helpFollowsTheLanguage() {
        QFETCH(InterfaceLanguage, language);
        QFETCH(bool, russianFile);
        QFETCH(QString, contents);
        QFETCH(QString, options);
        QTemporaryDir dir;
        QVERIFY(QFile::copy(TESSAROON_HELP_FILE, dir.filePath("Tessaroon.chm")));
        if (russianFile)
            QVERIFY(QFile::copy(TESSAROON_HELP_FILE_RU, dir.filePath("Tessaroon.ru.chm")));
        const InFolder in(dir.path());
        QCOMPARE(InstallTranslations(language), language);
        QStringList opened;
        SetHelpLauncher([&](const QString& t) { opened << t; });
        GameModel model;
        test::FillEnglishModel(model);
        TMainForm main(model);
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QTest::keyClick(&main, Qt::Key_F1);
        main.OptionsForm().show();
        main.OptionsForm().activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &main.OptionsForm());
        QTest::keyClick(&main.OptionsForm(), Qt::Key_F1);
        QCOMPARE(opened, (QStringList{contents, options}));
        // Targets of other files stay as they are.
        QCOMPARE(LocalHelpTarget("Other.chm::/a.htm", language), QString("Other.chm::/a.htm"));
        QCOMPARE(LocalHelpTarget("Tessaroon.chmx", language), QString("Tessaroon.chmx"));
    }
};

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
