// SPDX-License-Identifier: GPL-3.0-or-later
// The first start of an installed game makes the player's folder from the shipped files; the
// dictionary it plays with follows the interface's language. A folder that exists is left
// alone.

#include <gtest/gtest.h>

#include "core/game_model.h"
#include "core/new_folder.h"
#include "dict/cp1251.h"
#include "launch/start_folder.h"
#include "records/records.h"
#include "settings/interface_language.h"
#include "settings/settings_file.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace tq {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// The repository's start folder is what an installed game ships.
const fs::path kShipped = TESSAROON_START_FOLDER;

launch::NewSettingsHook PrepareFor(std::vector<std::string> locale) {
    return [locale](const fs::path& file) { ASSERT_TRUE(PrepareNewSettings(file, locale).ok()); };
}

TEST(FirstDictionary, ANewFolderPlaysTheLanguageOfTheLocale) {
    struct Case {
        std::vector<std::string> locale;
        const char* dict;
        uint8_t alphabet;  // 1 Russian, 2 English
    };
    const Case cases[] = {
        {{"en-US"}, "General_eng", 2},
        {{"ru-RU"}, "General_rus", 1},
        {{"de-DE", "ru-RU"}, "General_rus", 1},
        {{"C"}, "General_eng", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale.front());
        TempDir home;
        const fs::path own = home / "tessaroon";
        const Result<launch::FilledFolder> filled =
            launch::FillStartFolder(kShipped, own, PrepareFor(c.locale));
        ASSERT_TRUE(filled.ok()) << filled.message();
        GameModel model;
        ASSERT_TRUE(StartUp(model, own).ok());
        EXPECT_EQ(model.Dict.DictName, c.dict);
        EXPECT_EQ(model.Dict.Language, c.alphabet);
    }
    // The shipped file itself keeps the shipped default.
    EXPECT_NE(ReadFile(kShipped / "Tessaroon.ini").find("Dict=General_rus"), std::string::npos);
}

TEST(FirstDictionary, AnExistingFolderIsLeftAlone) {
    TempDir home;
    const fs::path own = home / "tessaroon";
    // A player who plays Russian under an English locale, and one whose folder lost files.
    ASSERT_TRUE(launch::FillStartFolder(kShipped, own, PrepareFor({"ru-RU"})).ok());
    const std::string settings = ReadFile(own / "Tessaroon.ini");
    fs::remove_all(own / "Styles");
    ASSERT_TRUE(launch::FillStartFolder(kShipped, own, PrepareFor({"en-US"})).ok());
    EXPECT_EQ(ReadFile(own / "Tessaroon.ini"), settings);
    EXPECT_TRUE(fs::exists(own / "Styles" / "Marble.ini"));
    GameModel model;
    ASSERT_TRUE(StartUp(model, own).ok());
    EXPECT_EQ(model.Dict.DictName, "General_rus");
}

std::string Cp1251(std::string_view utf8) {
    std::string out;
    EXPECT_TRUE(Utf8ToCp1251(utf8, out));
    return out;
}

// A Russian folder names the seats and the record tables' entries in Russian, in the files' own
// code page; an English one keeps the shipped names and writes no table.
TEST(FirstDictionary, ARussianFolderStartsWithRussianNames) {
    struct Case {
        const char* locale;
        std::vector<std::string> names;  // seats 1 to 5, UTF-8
        const char* champion;            // nullptr: no records file
    };
    const Case cases[] = {
        {"ru-RU", {"Игрок", "Компьютер", "Игрок 3", "Игрок 4", "Игрок 5"}, "Чемпион"},
        {"en-US", {"Player", "Computer", "Player 3", "Player 4", "Player 5"}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        TempDir home;
        const fs::path own = home / "tessaroon";
        const Result<launch::FilledFolder> filled =
            launch::FillStartFolder(kShipped, own, PrepareFor({c.locale}));
        ASSERT_TRUE(filled.ok()) << filled.message();
        ASSERT_TRUE(filled->newSettings);
        ASSERT_TRUE(PrepareNewRecords(own, {c.locale}).ok());

        // The names as the game reads them, with five seats in play.
        IniFile ini(own / "Tessaroon.ini");
        ini.WriteInteger("Players", "Count", 5);
        GameModel model;
        ASSERT_TRUE(StartUp(model, own).ok());
        const GameSettings s = ReadSettings(ini, model.Dict);
        for (int seat = 1; seat <= 5; ++seat)
            EXPECT_EQ(s.Seat(seat).Name, Cp1251(c.names[seat - 1])) << seat;

        for (const char* dict : {"General_rus", "General_eng"}) {
            const fs::path file = own / "Records" / (std::string(dict) + ".tqr");
            if (!c.champion) {
                EXPECT_FALSE(fs::exists(file)) << dict;
                continue;
            }
            // Valid whatever the dictionary's language and edition.
            const auto lines = ReadRecordsFile(file, 1, 7);
            ASSERT_TRUE(lines) << dict;
            EXPECT_EQ(SplitRecordLine(lines->front(), 1).Name, Cp1251(c.champion));
            EXPECT_EQ(*lines, DefaultRecordTable(RussianRecordTitles()));
            EXPECT_TRUE(ReadRecordsFile(file, 2, 0)) << dict;
        }
    }
    // What the game ships stays English and holds no table.
    const std::string shipped = ReadFile(kShipped / "Tessaroon.ini");
    EXPECT_NE(shipped.find("Name1=Player\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(kShipped / "Records" / "General_rus.tqr"));
}

// Names the shipped file does not give by default, and tables already there, stay; so does an
// existing folder when a later start would make it Russian.
TEST(FirstDictionary, RussianDefaultsReplaceNoChoiceOfThePlayer) {
    TempDir dir;
    const fs::path shipped = dir / "shipped";
    fs::create_directories(shipped / "Records");
    WriteFile(shipped / "Tessaroon.ini", "[Players]\nName1=Anna\nName2=Computer\nName4=\n");
    const std::string kept = "kept\r\n";
    WriteFile(shipped / "Records" / "General_rus.tqr", kept);
    const fs::path own = dir / "own";
    ASSERT_TRUE(launch::FillStartFolder(shipped, own, PrepareFor({"ru"})).ok());
    ASSERT_TRUE(PrepareNewRecords(own, {"ru"}).ok());
    const IniFile ini(own / "Tessaroon.ini");
    EXPECT_EQ(ini.ReadText("Players", "Name1", ""), "Anna");
    EXPECT_EQ(ini.ReadText("Players", "Name2", ""), RussianSeatName(2));
    EXPECT_EQ(ini.ReadText("Players", "Name4", ""), RussianSeatName(4));
    EXPECT_EQ(ReadFile(own / "Records" / "General_rus.tqr"), kept);

    const std::string settings = ReadFile(own / "Tessaroon.ini");
    fs::remove(own / "Records" / "General_rus.tqr");
    const Result<launch::FilledFolder> again =
        launch::FillStartFolder(shipped, own, PrepareFor({"ru"}));
    ASSERT_TRUE(again.ok()) << again.message();
    EXPECT_FALSE(again->newSettings);
    EXPECT_EQ(ReadFile(own / "Tessaroon.ini"), settings);
}

}  // namespace
}  // namespace tq
