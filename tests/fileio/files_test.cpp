// SPDX-License-Identifier: GPL-3.0-or-later
// Bounded reads of hostile files and the save through a temporary file and a rename.

#include <sys/stat.h>
#include <unistd.h>

#include <optional>

#include <gtest/gtest.h>

#include "fileio/read_limited.h"
#include "fileio/safe_write.h"
#include "test_support.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

// Each hostile thing in a file's place is refused at once, with a message naming it: none of
// them is read (the FIFO would hang, /dev/zero and the large file would fill memory).
TEST(ReadFileLimited, RefusesWhatIsNotASmallRegularFile) {
    test::TempDir dir;
    test::WriteFile(dir / "small.txt", "abc\n");
    test::WriteFile(dir / "large.txt", std::string(4097, 'x'));
    fs::create_directory(dir / "folder");
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir / "zero");
    fs::create_symlink(dir / "small.txt", dir / "link");
    struct Case {
        const char* name;
        std::optional<ReadFailure> failure;
        const char* message;
    };
    const Case cases[] = {
        {"small.txt", std::nullopt, ""},
        {"link", std::nullopt, ""},
        {"missing", ReadFailure::Missing, "does not exist"},
        {"large.txt", ReadFailure::TooLarge, "is larger than 4 KB"},
        {"folder", ReadFailure::NotRegular, "is not a regular file"},
        {"fifo", ReadFailure::NotRegular, "is not a regular file"},
        {"zero", ReadFailure::NotRegular, "is not a regular file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Result<std::string> r = ReadFileLimited(dir / c.name, 4096);
        EXPECT_EQ(r.ok(), !c.failure);
        if (c.failure) {
            EXPECT_TRUE(r.Is(*c.failure));
        } else {
            EXPECT_EQ(*r, "abc\n");
        }
        EXPECT_NE(r.message().find(c.message), std::string::npos) << r.message();
    }
}

TEST(ReadFileLimited, LinesStopsAtTheLastWantedLineEnd) {
    test::TempDir dir;
    test::WriteFile(dir / "f", "a\nbb\nccc\n" + std::string(100000, 'x'));
    const Result<std::string> two = ReadFileLinesLimited(dir / "f", 2, 10);
    ASSERT_TRUE(two.ok()) << two.message();
    EXPECT_EQ(*two, "a\nbb\n");
    // The bound counts the bytes up to the wanted line end, whatever follows.
    EXPECT_TRUE(ReadFileLinesLimited(dir / "f", 4, 1000).Is(ReadFailure::TooLarge));
    const Result<std::string> all = ReadFileLinesLimited(dir / "f", 9, 200000);
    ASSERT_TRUE(all.ok()) << all.message();
    EXPECT_EQ(all->size(), 9u + 100000u);
}

TEST(WriteFileSafely, CreatesAndReplacesKeepingTheMode) {
    test::TempDir dir;
    EXPECT_EQ(WriteFileSafely(dir / "a.ini", "one", "the file").message(), "");
    EXPECT_EQ(test::ReadFile(dir / "a.ini"), "one");
    fs::permissions(dir / "a.ini", fs::perms(0640));
    EXPECT_EQ(WriteFileSafely(dir / "a.ini", "two", "the file").message(), "");
    EXPECT_EQ(test::ReadFile(dir / "a.ini"), "two");
    EXPECT_EQ(fs::status(dir / "a.ini").permissions(), fs::perms(0640));
    EXPECT_EQ(test::FolderNames(dir.path()), std::vector<std::string>{"a.ini"});
}

TEST(WriteFileSafely, FollowsALinkAndKeepsIt) {
    test::TempDir dir;
    test::WriteFile(dir / "real" / "t.ini", "old");
    fs::create_directory(dir / "links");
    fs::create_symlink("../real/t.ini", dir / "links" / "t.ini");
    EXPECT_EQ(WriteFileSafely(dir / "links" / "t.ini", "new", "the file").message(), "");
    EXPECT_TRUE(fs::is_symlink(dir / "links" / "t.ini"));
    EXPECT_EQ(test::ReadFile(dir / "real" / "t.ini"), "new");
}

// A write that fails part-way (here the file-size limit, which fails a write as a full disk
// does) leaves the old file byte for byte and no temporary file, and says why.
TEST(WriteFileSafely, AFailedWriteLeavesTheOldFileWhole) {
    test::TempDir dir;
    const std::string old(3000, 'o');
    test::WriteFile(dir / "f.tqd", old);
    std::string error;
    {
        test::FileSizeLimit limit(1000);
        error = WriteFileSafely(dir / "f.tqd", std::string(5000, 'n'), "the dictionary").message();
    }
    EXPECT_NE(error.find("Cannot write the dictionary"), std::string::npos) << error;
    EXPECT_NE(error.find("f.tqd"), std::string::npos) << error;
    EXPECT_EQ(test::ReadFile(dir / "f.tqd"), old);
    EXPECT_EQ(test::FolderNames(dir.path()), std::vector<std::string>{"f.tqd"});
    // A new file that cannot be written completely is not left behind either.
    {
        test::FileSizeLimit limit(1000);
        error =
            WriteFileSafely(dir / "new.tqd", std::string(5000, 'n'), "the dictionary").message();
    }
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(test::FolderNames(dir.path()), std::vector<std::string>{"f.tqd"});
}

TEST(WriteFileSafely, LeavesWhatItMustNotReplace) {
    test::TempDir dir;
    test::WriteFile(dir / "ro.ini", "keep");
    fs::permissions(dir / "ro.ini", fs::perms(0444));
    fs::create_directories(dir / "folder.ini" / "inside");
    ASSERT_EQ(mkfifo((dir / "fifo.ini").c_str(), 0600), 0);
    fs::create_directory(dir / "missing");
    fs::remove(dir / "missing");
    for (const char* name : {"ro.ini", "folder.ini", "fifo.ini", "missing/x.ini"}) {
        SCOPED_TRACE(name);
        EXPECT_NE(WriteFileSafely(dir / name, "new", "the file").message(), "");
    }
    EXPECT_EQ(test::ReadFile(dir / "ro.ini"), "keep");
    EXPECT_EQ(fs::status(dir / "ro.ini").permissions(), fs::perms(0444));
    EXPECT_TRUE(fs::is_directory(dir / "folder.ini" / "inside"));
    EXPECT_EQ(test::FolderNames(dir.path()),
              (std::vector<std::string>{"fifo.ini", "folder.ini", "ro.ini"}));
}

}  // namespace
}  // namespace tq
