// SPDX-License-Identifier: GPL-3.0-or-later
#include "launch/start_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <fstream>

#include "test_support.h"

namespace fs = std::filesystem;
using tq::test::ReadFile;
using tq::test::TempDir;
using tq::test::WriteFile;

namespace tq::launch {
namespace {

// An installed game under root: the program in games and the shipped start folder beside it.
struct Installed {
    explicit Installed(const fs::path& root)
        : program(root / "prefix" / "games" / "tessaroon"),
          shipped((program.parent_path() / TESSAROON_SHIPPED_FROM_BIN).lexically_normal()) {
        WriteFile(program, "");
        WriteFile(shipped / "Tessaroon.ini", "[General]\nDict=General_eng\n");
        WriteFile(shipped / "Dicts" / "General_eng.txt", "{eng}\r\nCAT\r\n");
        WriteFile(shipped / "Styles" / "Marble.ini", "[General]\n");
        fs::create_directories(shipped / "Records");
    }
    fs::path program, shipped;
};

// Every file under dir with its content, by path relative to dir, and every folder.
std::map<std::string, std::string> Tree(const fs::path& dir) {
    std::map<std::string, std::string> tree;
    for (const auto& e : fs::recursive_directory_iterator(dir))
        tree[e.path().lexically_relative(dir).string()] =
            e.is_directory() ? "<folder>" : ReadFile(e.path());
    return tree;
}

TEST(StartFolder, AFolderWithSettingsOrDictionariesIsAStartFolder) {
    TempDir dir;
    EXPECT_FALSE(IsStartFolder(dir.path()));
    fs::create_directories(dir / "Styles");
    EXPECT_FALSE(IsStartFolder(dir.path()));
    fs::create_directories(dir / "Dicts");
    EXPECT_TRUE(IsStartFolder(dir.path()));
    TempDir other;
    WriteFile(other / "Tessaroon.ini", "");
    EXPECT_TRUE(IsStartFolder(other.path()));
}

TEST(StartFolder, PerUserFolderFollowsTheXdgRule) {
    struct Case {
        const char* xdg;
        const char* home;
        std::optional<fs::path> expected;
    };
    const Case cases[] = {
        {"/data", "/home/ann", fs::path("/data/tessaroon")},
        {nullptr, "/home/ann", fs::path("/home/ann/.local/share/tessaroon")},
        {"", "/home/ann", fs::path("/home/ann/.local/share/tessaroon")},
        {"relative/data", "/home/ann", fs::path("/home/ann/.local/share/tessaroon")},
        {"/data", nullptr, fs::path("/data/tessaroon")},
        {nullptr, nullptr, std::nullopt},
        {"", "", std::nullopt},
        {"data", "home", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.xdg ? c.xdg : "(unset)") + " " + (c.home ? c.home : "(unset)"));
        EXPECT_EQ(PerUserFolder(c.xdg, c.home), c.expected);
    }
}

TEST(StartFolder, ShippedDataLiesBesideAnInstalledProgramOnly) {
    TempDir root;
    Installed game(root.path());
    EXPECT_EQ(ShippedData(game.program), game.shipped);
    // A game's data lies where Debian keeps games' data, not beside other programs' data.
    EXPECT_EQ(game.shipped, root.path() / "prefix" / "share" / "games" / "tessaroon");
    // A program in its build tree has no shipped data beside it.
    EXPECT_EQ(ShippedData(root / "build" / "src" / "ui" / "tessaroon"), std::nullopt);
    fs::remove(game.shipped / "Tessaroon.ini");
    EXPECT_EQ(ShippedData(game.program), std::nullopt);
}

TEST(StartFolder, FillingCopiesEverythingOnceAndNeverReplacesAFile) {
    TempDir root;
    Installed game(root.path());
    const fs::path own = root / "home" / ".local" / "share" / "tessaroon";

    const Result<FilledFolder> first = FillStartFolder(game.shipped, own);
    ASSERT_TRUE(first.ok()) << first.message();
    EXPECT_EQ(first->copied, 3);
    EXPECT_EQ(Tree(own), Tree(game.shipped));  // the empty Records folder included

    // The player adds a word, saves settings, gets a record and removes a style.
    WriteFile(own / "Dicts" / "General_eng.txt", "{eng}\r\nCAT\r\nDOG\r\n");
    WriteFile(own / "Tessaroon.ini", "");
    WriteFile(own / "Records" / "General_eng.tqr", "record");
    fs::remove(own / "Styles" / "Marble.ini");
    // A later version ships a new style.
    WriteFile(game.shipped / "Styles" / "Granite.ini", "[General]\n");

    const Result<FilledFolder> second = FillStartFolder(game.shipped, own);
    ASSERT_TRUE(second.ok()) << second.message();
    EXPECT_EQ(second->copied, 2);
    EXPECT_EQ(ReadFile(own / "Dicts" / "General_eng.txt"), "{eng}\r\nCAT\r\nDOG\r\n");
    EXPECT_EQ(ReadFile(own / "Tessaroon.ini"), "");
    EXPECT_EQ(ReadFile(own / "Records" / "General_eng.tqr"), "record");
    EXPECT_EQ(ReadFile(own / "Styles" / "Marble.ini"), "[General]\n");
    EXPECT_EQ(ReadFile(own / "Styles" / "Granite.ini"), "[General]\n");
    // No temporary copies are left behind.
    for (const auto& e : fs::recursive_directory_iterator(own))
        EXPECT_EQ(e.path().filename().string().find(".part"), std::string::npos) << e.path();

    // A link the player made (even a dangling one) is theirs too.
    fs::remove(own / "Tessaroon.ini");
    fs::create_symlink(root / "nowhere.ini", own / "Tessaroon.ini");
    ASSERT_TRUE(FillStartFolder(game.shipped, own).ok());
    EXPECT_TRUE(fs::is_symlink(own / "Tessaroon.ini"));
}

TEST(StartFolder, TheHelpFilesAreLinkedSoThatTheyFollowUpdates) {
    for (const char* name : {"Tessaroon.chm", "Tessaroon.ru.chm", "Dicts/General_eng.tqe"}) {
        SCOPED_TRACE(name);
        TempDir root;
        Installed game(root.path());
        WriteFile(game.shipped / name, "help 1");
        const fs::path own = root / "own";
        ASSERT_TRUE(FillStartFolder(game.shipped, own).ok());
        EXPECT_TRUE(fs::is_symlink(own / name));
        WriteFile(game.shipped / name, "help 2");  // the game is updated
        ASSERT_TRUE(FillStartFolder(game.shipped, own).ok());
        EXPECT_EQ(ReadFile(own / name), "help 2");

        // A help file of the player's own stays.
        fs::remove(own / name);
        WriteFile(own / name, "mine");
        ASSERT_TRUE(FillStartFolder(game.shipped, own).ok());
        EXPECT_EQ(ReadFile(own / name), "mine");
    }
}

// The first start may prepare the player's new settings file; it never touches one that exists.
TEST(StartFolder, OnlyANewSettingsFileIsPrepared) {
    TempDir root;
    Installed game(root.path());
    const fs::path own = root / "own";
    std::vector<std::string> prepared;
    const NewSettingsHook prepare = [&](const fs::path& file) {
        prepared.push_back(ReadFile(file));
        std::ofstream(file, std::ios::app) << "Language=ru\n";
    };
    ASSERT_TRUE(FillStartFolder(game.shipped, own, prepare).ok());
    ASSERT_EQ(prepared.size(), 1u);
    EXPECT_EQ(prepared[0], "[General]\nDict=General_eng\n");
    EXPECT_EQ(ReadFile(own / "Tessaroon.ini"), "[General]\nDict=General_eng\nLanguage=ru\n");
    // No stray copy is left beside it.
    for (const auto& e : fs::directory_iterator(own))
        EXPECT_EQ(e.path().filename().string().find(".part"), std::string::npos) << e.path();

    // The folder exists now: other missing files come back, the settings file is left alone.
    WriteFile(own / "Tessaroon.ini", "[General]\nDict=Mine\n");
    fs::remove(own / "Styles" / "Marble.ini");
    ASSERT_TRUE(FillStartFolder(game.shipped, own, prepare).ok());
    EXPECT_EQ(prepared.size(), 1u);
    EXPECT_EQ(ReadFile(own / "Tessaroon.ini"), "[General]\nDict=Mine\n");
    EXPECT_TRUE(fs::exists(own / "Styles" / "Marble.ini"));

    // Through the choice of an installed program's start folder, too.
    TempDir home;
    const fs::path elsewhere = root / "elsewhere";
    fs::create_directories(elsewhere);
    const Result<StartFolderChoice> c =
        ChooseStartFolder(elsewhere, game.program, nullptr, home.path().c_str(), prepare);
    ASSERT_TRUE(c.ok()) << c.message();
    EXPECT_EQ(prepared.size(), 2u);
    EXPECT_EQ(ReadFile(c->folder / "Tessaroon.ini"), "[General]\nDict=General_eng\nLanguage=ru\n");
}

TEST(StartFolder, CopiesOfReadOnlyShippedFilesCanBeChanged) {
    TempDir root;
    Installed game(root.path());
    fs::permissions(game.shipped / "Dicts" / "General_eng.txt", fs::perms::owner_read);
    const fs::path own = root / "own";
    ASSERT_TRUE(FillStartFolder(game.shipped, own).ok());
    const fs::perms perms = fs::status(own / "Dicts" / "General_eng.txt").permissions();
    EXPECT_NE(perms & fs::perms::owner_write, fs::perms::none);
}

TEST(StartFolder, FillingFailsClearlyWhenAFileIsInTheWay) {
    TempDir root;
    Installed game(root.path());
    // Where the folder itself belongs.
    WriteFile(root / "blocked", "");
    Result<FilledFolder> r = FillStartFolder(game.shipped, root / "blocked");
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.message().find((root / "blocked").string()), std::string::npos) << r.message();
    // Where one of its folders belongs.
    WriteFile(root / "own" / "Dicts", "");
    r = FillStartFolder(game.shipped, root / "own");
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.message().find((root / "own" / "Dicts").string()), std::string::npos)
        << r.message();
    EXPECT_EQ(ReadFile(root / "own" / "Dicts"), "");
}

TEST(StartFolder, ChoiceKeepsAStartFolderAndOtherwiseFillsThePlayersFolder) {
    TempDir root;
    Installed game(root.path());
    const fs::path home = root / "home";
    const fs::path elsewhere = root / "elsewhere";
    fs::create_directories(elsewhere);

    // Started where the player keeps a start folder: played there, nothing made.
    TempDir chosen;
    fs::create_directories(chosen / "Dicts");
    Result<StartFolderChoice> c =
        ChooseStartFolder(chosen.path(), game.program, nullptr, home.c_str());
    EXPECT_EQ(c->folder, chosen.path());
    EXPECT_FALSE(c->perUser);
    EXPECT_FALSE(fs::exists(home));

    // A program in its build tree plays in the current folder, as it always did.
    c = ChooseStartFolder(elsewhere, root / "build" / "tessaroon", nullptr, home.c_str());
    EXPECT_EQ(c->folder, elsewhere);
    EXPECT_FALSE(fs::exists(home));

    // An installed game started anywhere else plays in the player's own folder.
    c = ChooseStartFolder(elsewhere, game.program, nullptr, home.c_str());
    ASSERT_TRUE(c.ok()) << c.message();
    EXPECT_TRUE(c->perUser);
    EXPECT_EQ(c->folder, home / ".local" / "share" / "tessaroon");
    EXPECT_TRUE(fs::is_regular_file(c->folder / "Dicts" / "General_eng.txt"));

    const fs::path xdg = root / "xdg";
    c = ChooseStartFolder(elsewhere, game.program, xdg.c_str(), home.c_str());
    EXPECT_EQ(c->folder, xdg / "tessaroon");

    // Nowhere to make it: a clear error instead of a game without its files.
    c = ChooseStartFolder(elsewhere, game.program, nullptr, nullptr);
    EXPECT_FALSE(c.ok());
    EXPECT_NE(c.message(), "");
}

}  // namespace
}  // namespace tq::launch
