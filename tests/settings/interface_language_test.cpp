// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/interface_language.h"

#include <gtest/gtest.h>

#include "settings/settings_file.h"
#include "test_support.h"

namespace tq {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(InterfaceLanguage, TheKeyForcesElseTheLocaleDecides) {
    constexpr auto en = InterfaceLanguage::English;
    constexpr auto ru = InterfaceLanguage::Russian;
    struct Case {
        const char* key;
        std::vector<std::string> locale;
        InterfaceLanguage expected;
    };
    const Case cases[] = {
        {"", {"ru-RU"}, ru},
        {"", {"ru_RU.UTF-8"}, ru},
        {"", {"ru"}, ru},
        {"", {"en-US", "ru-RU"}, en},
        {"", {"de-DE", "de", "ru-RU"}, ru},  // LANGUAGE=de:ru; no German translation
        {"", {"de-DE", "fr-FR"}, en},
        {"", {"C"}, en},
        {"", {}, en},
        {"", {"rus"}, en},  // not the language code "ru"
        {"ru", {"en-US"}, ru},
        {" RU ", {"en-US"}, ru},
        {"en", {"ru-RU"}, en},
        {"En", {"ru-RU"}, en},
        {"de", {"ru-RU"}, ru},  // a language the game lacks: the locale's
        {"russian", {"en-GB"}, en},
    };
    for (const Case& c : cases) {
        std::string trace = std::string("key '") + c.key + "' locale";
        for (const std::string& l : c.locale) trace += " " + l;
        SCOPED_TRACE(trace);
        EXPECT_EQ(ChooseInterfaceLanguage(c.key, c.locale), c.expected);
    }
}

TEST(InterfaceLanguage, TheKeyIsReadFromAdditional) {
    TempDir dir;
    WriteFile(dir / "Tessaroon.ini", "[General]\nLanguage=en\n[Additional]\nLanguage=ru\n");
    EXPECT_EQ(ReadLanguageKey(IniFile(dir / "Tessaroon.ini")), "ru");
    EXPECT_EQ(ReadLanguageKey(IniFile(dir / "missing.ini")), "");
}

// A new settings file names the English dictionary unless the interface is Russian, and the
// Russian seat names when it is; every other line stays as it was.
TEST(InterfaceLanguage, ANewSettingsFileGetsTheDictionaryOfItsLanguage) {
    const std::string shipped =
        "[General]\nDict=General_rus\nStyle=Marble\n\n[Additional]\nSecMove=0\nLanguage=\n";
    struct Case {
        std::string file;
        std::vector<std::string> locale;
        const char* dict;
    };
    std::string forcedRu = shipped;
    forcedRu.replace(forcedRu.find("Language="), 9, "Language=ru");
    std::string noDict = "[Players]\nCount=2\n";
    const Case cases[] = {
        {shipped, {"en-US"}, "General_eng"}, {shipped, {"ru-RU"}, "General_rus"},
        {shipped, {"fr-FR"}, "General_eng"}, {forcedRu, {"en-US"}, "General_rus"},
        {noDict, {"en-US"}, "General_eng"},  {noDict, {"ru-RU"}, "General_rus"},  // the default
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file + " / " + c.locale.front());
        TempDir dir;
        const auto file = dir / "Tessaroon.ini";
        WriteFile(file, c.file);
        ASSERT_TRUE(PrepareNewSettings(file, c.locale).ok());
        const IniFile ini(file);
        EXPECT_EQ(ReadDictName(ini), c.dict);
        EXPECT_EQ(ini.ReadString("General", "Style", "none"), c.file == noDict ? "none" : "Marble");
        if (std::string(c.dict) == "General_rus") {
            // A Russian folder's seats get their Russian names after all that was there.
            EXPECT_TRUE(ReadFile(file).starts_with(c.file)) << ReadFile(file);
            for (int seat = 1; seat <= 5; ++seat)
                EXPECT_EQ(ini.ReadText("Players", "Name" + std::to_string(seat), ""),
                          RussianSeatName(seat));
        }
    }
}

}  // namespace
}  // namespace tq
