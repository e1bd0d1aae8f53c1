// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's dict and records commands, run as the user runs them.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "records/records.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status;
    std::string out;
};

// Runs tessaroon-cli with the arguments in `dir`, capturing standard output and error.
CliRun Cli(const fs::path& dir, const std::string& args) {
    const std::string cmd =
        "cd '" + dir.string() + "' && '" + std::string(TESSAROON_CLI) + "' " + args + " 2>&1";
    CliRun r{-1, {}};
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    r.status = pclose(p);
    return r;
}

// Runs a shell command line in `dir`, capturing standard output and error.
CliRun CliShell(const fs::path& dir, const std::string& line) {
    const std::string cmd = "cd '" + dir.string() + "' && ( " + line + " ) 2>&1";
    CliRun r{-1, {}};
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    r.status = pclose(p);
    return r;
}

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tq_cli_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "Dicts");
        fs::create_directories(dir_ / "Records");
    }
    void TearDown() override { fs::remove_all(dir_); }
    void Write(const fs::path& rel, const std::string& text) {
        std::ofstream(dir_ / rel, std::ios::binary) << text;
    }
    fs::path dir_;
};

// "{eng}" and 120 three- and four-letter words in the store's order, CR LF line ends.
std::string EnglishList() {
    std::string three, four;
    for (char a = 'A'; a <= 'L'; ++a)
        for (char b = 'A'; b <= 'E'; ++b) {
            three += std::string{a, b, 'Z'} + "\r\n";
            four += std::string{a, b, 'Q', 'X'} + "\r\n";
        }
    return "{eng}\r\n" + three + four;
}

TEST_F(CliTest, PackVerifyUnpackRoundTrip) {
    // Unordered, with a duplicate, a lower-case line and blanks: the game's list rules apply.
    Write("Dicts/in.txt", "{eng}\r\nQUIZ\r\n  CAT \r\nQUIZ\r\nzebra\r\nAXE\r\n");
    CliRun r = Cli(dir_, "dict pack Dicts/in.txt out.tqd --edition 7");
    ASSERT_EQ(r.status, 0) << r.out;

    r = Cli(dir_, "dict verify out.tqd");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("passes"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Language=2"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Edition=7"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Length3=2\nLength4=1\n"), std::string::npos) << r.out;

    r = Cli(dir_, "dict unpack out.tqd");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "{eng}\r\nAXE\r\nCAT\r\nQUIZ\r\n");

    // A larger list round-trips byte for byte.
    Write("Dicts/big.txt", EnglishList());
    ASSERT_EQ(Cli(dir_, "dict pack Dicts/big.txt big.tqd").status, 0);
    EXPECT_EQ(Cli(dir_, "dict unpack big.tqd").out, EnglishList());
}

TEST_F(CliTest, RefusesBadInputWithAMessage) {
    Write("Dicts/nomarker.txt", "CAT\r\nDOG\r\n");
    CliRun r = Cli(dir_, "dict pack Dicts/nomarker.txt x.tqd");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.out.find("{rus} or {eng}"), std::string::npos) << r.out;

    // 40000 distinct 30-letter words need more than 640000 bytes.
    std::string big = "{eng}\r\n";
    for (int i = 0; i < 40000; ++i) {
        std::string w(30, 'A');
        uint32_t v = static_cast<uint32_t>(i) * 7919u + 13u;
        for (char& c : w) {
            v = v * 1103515245u + 12345u;
            c = static_cast<char>('A' + (v >> 16) % 26);
        }
        big += w + "\r\n";
    }
    Write("Dicts/big.txt", big);
    r = Cli(dir_, "dict pack Dicts/big.txt big.tqd");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.out.find("640000"), std::string::npos) << r.out;
    EXPECT_FALSE(fs::exists(dir_ / "big.tqd"));

    Write("bad.tqd", std::string(1000, 'x'));
    r = Cli(dir_, "dict verify bad.tqd");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.out.find("fails the game's checks"), std::string::npos) << r.out;
}

// A list without a word left after the list's rules is refused at once, naming the file, and no
// file is written; a list too small for the game packs, with a note saying so.
TEST_F(CliTest, PackRefusesAListWithoutWords) {
    const struct {
        const char* list;
        int status;
        const char* says;
    } cases[] = {
        {"{eng}", 1, "Dicts/in.txt: holds no words"},
        {"{rus}\r\n\r\n", 1, "Dicts/in.txt: holds no words"},
        {"{eng}\r\nA1\r\nab\r\nX\r\n", 1, "Dicts/in.txt: holds no words"},
        {"", 1, "Dicts/in.txt: the first line must be {rus} or {eng}"},
        {"{eng}\r\nAAAA\r\n", 0, "the game starts only with 100 words or more"},
    };
    for (const auto& c : cases) {
        Write("Dicts/in.txt", c.list);
        fs::remove(dir_ / "out.tqd");
        // A packer that loops is stopped, and fails the case, after a minute.
        const CliRun r = CliShell(
            dir_, "timeout 60 '" + std::string(TESSAROON_CLI) + "' dict pack Dicts/in.txt out.tqd");
        EXPECT_EQ(WEXITSTATUS(r.status), c.status) << c.list << "\n" << r.out;
        EXPECT_NE(r.out.find(c.says), std::string::npos) << c.says << " not in\n" << r.out;
        EXPECT_EQ(fs::exists(dir_ / "out.tqd"), c.status == 0) << c.list;
    }
    EXPECT_NE(Cli(dir_, "dict verify out.tqd").out.find("Words=1\n"), std::string::npos);
}

// Given what is not a .tqd, verify and unpack name the file and say what to pass instead.
TEST_F(CliTest, SaysWhatToPassInsteadOfAPlainListOrAMissingFile) {
    Write("Dicts/words.txt", EnglishList());
    fs::create_directories(dir_ / "folder.tqd");
    const struct {
        const char* file;
        const char* says;
    } cases[] = {
        {"Dicts/words.txt", "a plain word list, not a compressed dictionary"},
        {"Dicts/words.txt", "tessaroon-cli dict pack Dicts/words.txt OUT.tqd"},
        {"missing.tqd", "missing.tqd does not exist"},
        {"folder.tqd", "folder.tqd is not a regular file"},
    };
    for (const auto& c : cases)
        for (const char* command : {"verify", "unpack"}) {
            CliRun r = Cli(dir_, std::string("dict ") + command + " " + c.file);
            EXPECT_NE(r.status, 0) << command << " " << c.file;
            EXPECT_NE(r.out.find(c.says), std::string::npos) << c.says << " not in\n" << r.out;
            if (std::string(c.file) != "Dicts/words.txt") {
                EXPECT_NE(r.out.find("Pass a compressed dictionary (.tqd)"), std::string::npos)
                    << r.out;
            }
        }
}

// Rebuilding a .tqd goes through a temporary file: a write that fails part-way (the file-size
// limit fails it as a full disk does) leaves the old file whole.
TEST_F(CliTest, AFailedPackLeavesTheOldFile) {
    Write("Dicts/in.txt", EnglishList());
    ASSERT_EQ(Cli(dir_, "dict pack Dicts/in.txt out.tqd").status, 0);
    std::ifstream in(dir_ / "out.tqd", std::ios::binary);
    const std::string old{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_GT(old.size(), 512u);
    // The limit is in blocks of 512 bytes; SIGXFSZ ignored turns the kill into a write error.
    const std::string cmd = "trap '' XFSZ; ulimit -f 1; '" + std::string(TESSAROON_CLI) +
                            "' dict pack Dicts/in.txt out.tqd --edition 9";
    const CliRun r = CliShell(dir_, cmd);
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.out.find("dict pack: Cannot write the compressed dictionary"), std::string::npos)
        << r.out;
    std::ifstream again(dir_ / "out.tqd", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(again), std::istreambuf_iterator<char>()),
              old);
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Dicts", "Records", "out.tqd"}));
}

TEST_F(CliTest, RecordsPrintsTheTableOrTheDefault) {
    Write("Tessaroon.ini", "[General]\r\nDict=Mine\r\n");
    Write("Dicts/Mine.txt", EnglishList());
    CliRun r = Cli(dir_, "records");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Rating\tPlayer Name\tRecord\n1\tChampion\t1000\n"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("10\tNovice\t10\n"), std::string::npos) << r.out;

    RecordLines lines = DefaultRecordTable();
    lines[0] = "2000 H-300,C7-10,55,1 Mary Ann";
    Write("Records/Mine.tqr", RecordsFileText(lines, 2, 0));
    r = Cli(dir_, "records");
    EXPECT_NE(r.out.find("1\tMary Ann\t2000\n2\tExpert\t400\n"), std::string::npos) << r.out;
}

// Names from the settings and records files reach the terminal with their control bytes
// escaped: no escape sequence gets through and a tab cannot break the table.
TEST_F(CliTest, ControlBytesInNamesArePrintedEscaped) {
    Write("Tessaroon.ini",
          "[General]\r\nDict=Mine\r\n[Players]\r\nName1=A\x1b[2JB\r\n"
          "Name2=C\tD\\E\r\n");
    Write("Dicts/Mine.txt", EnglishList());
    RecordLines lines = DefaultRecordTable();
    lines[0] = "2000 H-300,C7-10,55,1 Eve\x1b]0;owned\x07\tX";
    Write("Records/Mine.tqr", RecordsFileText(lines, 2, 0));

    CliRun r = Cli(dir_, "info");
    ASSERT_EQ(r.status, 0) << r.out;
    // Seat names are mended as they are read (a control byte becomes a blank); the backslash
    // is still escaped on the way out.
    EXPECT_NE(r.out.find("Name1=A [2JB\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Name2=C D\\\\E\n"), std::string::npos) << r.out;
    r = Cli(dir_, "records");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("1\tEve\\x1B]0;owned\\x07\\x09X\t2000\n"), std::string::npos) << r.out;
    r = Cli(dir_, "selfplay --games 1 --seats 1,1 --size 4x4 --seed 3");
    EXPECT_NE(r.out.find("A [2JB"), std::string::npos) << r.out;
    for (const std::string& out : {Cli(dir_, "info").out, Cli(dir_, "records").out, r.out}) {
        EXPECT_EQ(out.find('\x1b'), std::string::npos);
        EXPECT_EQ(out.find('\x07'), std::string::npos);
    }
}

}  // namespace
}  // namespace tq
