// SPDX-License-Identifier: GPL-3.0-or-later
// The first start of an installed game makes the player's folder from the shipped files; the
// dictionary it plays with follows the interface's language. A folder that exists is left
// alone.

#include <gtest/gtest.h>

#include "core/game_model.h"
#include "launch/start_folder.h"
#include "settings/interface_language.h"
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
        const launch::FillResult filled =
            launch::FillStartFolder(kShipped, own, PrepareFor(c.locale));
        ASSERT_TRUE(filled.ok) << filled.error;
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
    ASSERT_TRUE(launch::FillStartFolder(kShipped, own, PrepareFor({"ru-RU"})).ok);
    const std::string settings = ReadFile(own / "Tessaroon.ini");
    fs::remove_all(own / "Styles");
    ASSERT_TRUE(launch::FillStartFolder(kShipped, own, PrepareFor({"en-US"})).ok);
    EXPECT_EQ(ReadFile(own / "Tessaroon.ini"), settings);
    EXPECT_TRUE(fs::exists(own / "Styles" / "Marble.ini"));
    GameModel model;
    ASSERT_TRUE(StartUp(model, own).ok());
    EXPECT_EQ(model.Dict.DictName, "General_rus");
}

}  // namespace
}  // namespace tq
