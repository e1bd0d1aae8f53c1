// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <array>
#include <memory>
#include <optional>

#include "base/messages.h"
#include "settings/settings_file.h"
#include "ui/text.h"

namespace tq::ui {

namespace {

constexpr char kMessagesContext[] = "Messages";
// Built into the program by the build (translations/tessaroon_ru.ts).
constexpr char kOwnTranslation[] = ":/i18n/tessaroon_ru.qm";

struct Installed {
    std::unique_ptr<QTranslator> own;
    std::unique_ptr<QTranslator> qt;
    InterfaceLanguage language = InterfaceLanguage::English;
};

Installed& Current() {
    static Installed installed;
    return installed;
}

void Remove(std::unique_ptr<QTranslator>& t) {
    if (!t) return;
    QCoreApplication::removeTranslator(t.get());
    t.reset();
}

// Messages with numbered places, matched against a shown text to find what fills them.
constexpr std::array<std::string_view, 8> kPatterns = {
    msg::Wins,           msg::MessageFrom,     msg::RecordsFolderMissing, msg::ConnectRefused,
    msg::ConnectNoRoute, msg::ConnectTimedOut, msg::ConnectHostNotFound,  msg::ConnectFailed};

// The texts filling the places of pattern in text, when text is the pattern filled in; the
// places are taken in order, each ending where the literal text after it first occurs (the last
// one reaching to the suffix).
bool MatchPattern(const QString& pattern, const QString& text, QStringList& args) {
    QStringList literals;
    qsizetype start = 0;
    for (qsizetype i = 0; i + 1 < pattern.size(); ++i) {
        if (pattern[i] == '%' && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            literals << pattern.mid(start, i - start);
            start = i + 2;
            ++i;
        }
    }
    literals << pattern.mid(start);
    if (literals.size() < 2) return false;
    const QString& suffix = literals.back();
    if (!text.startsWith(literals.front()) || !text.endsWith(suffix)) return false;
    const qsizetype end = text.size() - suffix.size();
    qsizetype at = literals.front().size();
    if (at > end) return false;
    args.clear();
    for (qsizetype k = 1; k + 1 < literals.size(); ++k) {
        const qsizetype next = text.indexOf(literals[k], at);
        if (next < 0 || next + literals[k].size() > end) return false;
        args << text.mid(at, next - at);
        at = next + literals[k].size();
    }
    args << text.mid(at, end - at);
    return true;
}

QString TranslateMessage(std::string_view english) {
    const std::string key(english);
    return QCoreApplication::translate(kMessagesContext, key.c_str());
}

// The translation of a message of base/messages.h, or nothing when text is none or has no other
// words in the interface's language (the English texts are plain ASCII).
std::optional<QString> TranslatedMessage(std::string_view text) {
    if (text.empty()) return std::nullopt;
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80 || c == 0) return std::nullopt;
    const QString english = QString::fromLatin1(text.data(), qsizetype(text.size()));
    const QString shown = TranslateMessage(text);
    if (shown == english) return std::nullopt;
    return shown;
}

}  // namespace

std::vector<std::string> LocaleLanguages() {
    std::vector<std::string> out;
    for (const QString& name : QLocale::system().uiLanguages()) out.push_back(name.toStdString());
    return out;
}

InterfaceLanguage LanguageFor(const std::filesystem::path& settingsFile) {
    const IniFile ini(settingsFile);
    return ChooseInterfaceLanguage(ReadLanguageKey(ini), LocaleLanguages());
}

InterfaceLanguage InstallTranslations(InterfaceLanguage language) {
    Installed& now = Current();
    Remove(now.own);
    Remove(now.qt);
    now.language = InterfaceLanguage::English;
    if (language != InterfaceLanguage::Russian) return now.language;

    auto own = std::make_unique<QTranslator>();
    if (!own->load(QString::fromLatin1(kOwnTranslation))) return now.language;
    QCoreApplication::installTranslator(own.get());
    now.own = std::move(own);
    // Qt's own texts, from the system's Qt translations when they are installed.
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt.get());
        now.qt = std::move(qt);
    }
    now.language = InterfaceLanguage::Russian;
    return now.language;
}

InterfaceLanguage CurrentLanguage() {
    return Current().language;
}

QString ShownText(std::string_view text) {
    if (const auto message = TranslatedMessage(text)) return *message;
    const QString shown = ToQString(text);
    const bool severalLines = text.find_first_of("\r\n") != std::string_view::npos;
    for (std::string_view pattern : kPatterns) {
        // A pattern of one line is no match for a text of several: its place would swallow the
        // lines before it.
        if (severalLines && pattern.find_first_of("\r\n") == std::string_view::npos) continue;
        QStringList args;
        if (!MatchPattern(QString::fromLatin1(pattern.data(), qsizetype(pattern.size())), shown,
                          args))
            continue;
        QString out = TranslateMessage(pattern);
        if (args.size() == 1) return out.arg(args[0]);
        if (args.size() == 2) return out.arg(args[0], args[1]);
    }
    // A message followed by more lines (the dictionary error with the system's reason, a failed
    // connection with its server and cause): each line on its own, a line that is no message as
    // it is.
    const std::size_t lineEnd = text.find_first_of("\r\n");
    if (lineEnd != std::string_view::npos && lineEnd > 0) {
        const QString first = ShownText(text.substr(0, lineEnd));
        const std::string_view rest = text.substr(lineEnd + 1);
        return first + QChar::fromLatin1(text[lineEnd]) +
               (rest.empty() ? QString() : ShownText(rest));
    }
    return shown;
}

QString HelpFileName(InterfaceLanguage language) {
    return language == InterfaceLanguage::Russian ? QStringLiteral("Tessaroon.ru.chm")
                                                  : QStringLiteral("Tessaroon.chm");
}

}  // namespace tq::ui
