// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's "info" command, run as a user would: in a start folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "test_support.h"

namespace {

using tq::test::RunCli;

TEST(CliInfo, PrintsTheShippedStartFolder) {
    tq::test::CliRun r = RunCli(TESSAROON_START_FOLDER, "info");
    EXPECT_EQ(r.status, 0) << r.out;
    for (const char* line : {"Count=2\n", "Type1=0\n", "Type2=1\n", "ColCount=5\n", "RowCount=5\n",
                             "Directions=11110000\n", "Dict=General_rus\n", "Style=Marble\n",
                             "Language=\n", "DictLanguage=1\n", "ShortestLen=2\n"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line << " not in\n" << r.out;
}

// The window's language as the settings file takes it, not a number.
TEST(CliInfo, PrintsTheLanguageAsTheSettingsFileTakesIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"ru", "ru"}, {" EN ", "en"}, {"de", ""}, {"", ""}};
    for (const auto& [key, shown] : cases) {
        tq::test::TempDir dir;
        std::filesystem::copy(std::filesystem::path(TESSAROON_START_FOLDER) / "Dicts",
                              dir.path() / "Dicts", std::filesystem::copy_options::recursive);
        std::ofstream(dir.path() / "Tessaroon.ini")
            << "[General]\nDict=General_eng\n[Additional]\nLanguage=" << key << "\n";
        const tq::test::CliRun r = RunCli(dir.path(), "info");
        ASSERT_EQ(r.status, 0) << r.out;
        EXPECT_NE(r.out.find("\nLanguage=" + std::string(shown) + "\n"), std::string::npos)
            << key << "\n"
            << r.out;
    }
}

// Run outside a start folder, it says the window's message, then where it looked and what to do.
TEST(CliInfo, FailsWithoutADictionaryNamingWhereItLooked) {
    tq::test::TempDir dir;
    tq::test::CliRun r = RunCli(dir.path(), "info");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.starts_with("Error when opening the dictionary file.\n")) << r.out;
    const std::string dicts = (dir.path() / "Dicts").string();
    for (const char* part :
         {"General_rus.tqd or General_rus.txt", dicts.c_str(), "Run it in the game's start folder"})
        EXPECT_NE(r.out.find(part), std::string::npos) << part << " not in\n" << r.out;
}

}  // namespace
