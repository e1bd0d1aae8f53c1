// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's "define" command, run as a user would: in a start folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using tq::test::RunCli;

// A start folder with the shipped dictionaries that plays the English one.
struct EnglishFolder {
    tq::test::TempDir dir;
    EnglishFolder() {
        fs::copy(fs::path(TESSAROON_START_FOLDER) / "Dicts", dir.path() / "Dicts",
                 fs::copy_options::recursive);
        std::ofstream(dir.path() / "Tessaroon.ini") << "[General]\nDict=General_eng\n";
    }
};

TEST(CliDefine, ExplainsOrSaysThereIsNoneWithItsExitStatus) {
    EnglishFolder folder;
    struct Case {
        const char* args;
        int status;
        const char* says;
    };
    const Case cases[] = {
        {"define tyre", 0, "TYRE\n  1. hoop that covers a wheel\n"},
        {"define Bass", 0, "  2. the lowest part in polyphonic music\n"},
        {"define qqqq", 1,
         "QQQQ is not a word of General_eng. Look it up: "
         "https://en.wiktionary.org/wiki/qqqq\n"},
        {"define 'a b'", 1, "\"a b\" is not a word of General_eng's alphabet"},
        {"define кот --dict General_rus", 1,
         "No explanation of КОТ in General_rus. Look it up: "
         "https://ru.wiktionary.org/wiki/%D0%BA%D0%BE%D1%82\n"},
        {"define motet --json", 0,
         "{\"dict\":\"General_eng\",\"glosses\":[\"an unaccompanied choral composition with "
         "sacred lyrics; intended to be sung as part of a church service; originated in the 13th "
         "century\"],\"in_dictionary\":true,\"look_up\":\"https://en.wiktionary.org/wiki/"
         "motet\",\"word\":\"MOTET\"}\n"},
        {"define", 2, "which word?"},
        {"define cat dog", 2, "one word at a time"},
        {"define cat --dicts x", 2, "unknown option \"--dicts\""},
        {"define cat --dict ../x", 2, "--dict takes the name of a dictionary"},
        {"define cat --dict None", 3, ""},
    };
    for (const Case& c : cases) {
        const tq::test::CliRun r = RunCli(folder.dir.path(), c.args);
        EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.out;
        EXPECT_NE(r.out.find(c.says), std::string::npos) << c.args << "\n" << r.out;
    }
}

// Without the explanations, or with damaged ones, a word has none and the command says so.
TEST(CliDefine, AMissingOrDamagedFileExplainsNothing) {
    EnglishFolder folder;
    const fs::path file = folder.dir.path() / "Dicts" / "General_eng.tqe";
    fs::remove(file);
    tq::test::CliRun r = RunCli(folder.dir.path(), "define tyre", false);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              "No explanation of TYRE in General_eng. Look it up: "
              "https://en.wiktionary.org/wiki/tyre\n");
    std::ofstream(file, std::ios::binary) << "TQEX\1\0\0\0 damaged";
    r = RunCli(folder.dir.path(), "define tyre");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("damaged"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("No explanation of TYRE"), std::string::npos) << r.out;
}

}  // namespace
