// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/interface_language.h"

#include <cctype>

#include "dict/cp1251.h"
#include "settings/settings_file.h"
#include "settings/settings_schema.h"

namespace tq {

namespace {

std::string LowerTrimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    std::string out;
    for (char c : text)
        out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    return out;
}

// The language part of a locale name: "ru" of "ru-RU", "ru_RU.UTF-8" or "ru@petr1708".
std::string LanguagePart(std::string_view name) {
    const std::size_t end = name.find_first_of("-_.@");
    return LowerTrimmed(name.substr(0, end));
}

}  // namespace

InterfaceLanguage ChooseInterfaceLanguage(std::string_view key,
                                          const std::vector<std::string>& localeLanguages) {
    const std::string forced = LowerTrimmed(key);
    if (forced == "ru") return InterfaceLanguage::Russian;
    if (forced == "en") return InterfaceLanguage::English;
    for (const std::string& name : localeLanguages) {
        const std::string language = LanguagePart(name);
        if (language == "ru") return InterfaceLanguage::Russian;
        if (language == "en") return InterfaceLanguage::English;
    }
    return InterfaceLanguage::English;
}

std::string ReadLanguageKey(const IniFile& ini) {
    return ini.ReadString(SectionOf(Setting::Language), KeyOf(Setting::Language), "");
}

bool IsRussianFolder(const IniFile& ini, const std::vector<std::string>& localeLanguages) {
    return ChooseInterfaceLanguage(ReadLanguageKey(ini), localeLanguages) ==
           InterfaceLanguage::Russian;
}

std::string RussianSeatName(int seat) {
    std::string name;
    (void)Utf8ToCp1251(seat == 2 ? "Компьютер" : "Игрок", name);
    if (seat > 2) {
        name += ' ';
        name += std::to_string(seat);
    }
    return name;
}

Status PrepareNewSettings(const std::filesystem::path& newSettings,
                          const std::vector<std::string>& localeLanguages) {
    IniFile ini(newSettings);
    if (!ini.ReadError().empty()) return Status::Error(ini.ReadError());
    if (!IsRussianFolder(ini, localeLanguages)) {
        ini.WriteString(SectionOf(Setting::Dict), KeyOf(Setting::Dict), kEnglishDictionary);
    } else {
        for (int seat = 1; seat <= 5; ++seat) {
            const std::string key = "Name" + std::to_string(seat);
            const std::string number = std::to_string(seat);
            const std::string name = ini.ReadText("Players", key, "");
            if (name.empty() || name == "Player" || name == "Computer" ||
                name == "Player " + number)
                ini.WriteText("Players", key, RussianSeatName(seat));
        }
    }
    return ini.Save("the new settings file");
}

}  // namespace tq
