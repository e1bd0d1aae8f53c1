// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's help: asked for, it goes to standard output, succeeds and ends with a new
// line; after a mistake the usage goes to standard error with status 2.

#include <gtest/gtest.h>

#include "test_support.h"

namespace {

using tq::test::RunCli;

struct HelpCase {
    const char* args;
    const char* first;  // the start of what it prints
};

class CliHelp : public ::testing::TestWithParam<HelpCase> {};

TEST_P(CliHelp, GoesToStandardOutput) {
    const HelpCase& c = GetParam();
    const tq::test::CliRun r = RunCli(TESSAROON_START_FOLDER, c.args, false);
    EXPECT_EQ(r.status, 0) << c.args;
    EXPECT_EQ(r.out.rfind(c.first, 0), 0u) << c.args << " printed\n" << r.out;
    ASSERT_FALSE(r.out.empty());
    EXPECT_EQ(r.out.back(), '\n') << c.args;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CliHelp,
    ::testing::Values(HelpCase{"help", "usage: tessaroon-cli COMMAND"},
                      HelpCase{"--help", "usage: tessaroon-cli COMMAND"},
                      HelpCase{"-h", "usage: tessaroon-cli COMMAND"},
                      HelpCase{"help dict", "usage: tessaroon-cli dict pack"},
                      HelpCase{"dict --help", "usage: tessaroon-cli dict pack"},
                      HelpCase{"dict pack --help", "usage: tessaroon-cli dict pack"},
                      HelpCase{"info --help", "usage: tessaroon-cli info"},
                      HelpCase{"records -h", "usage: tessaroon-cli records"},
                      HelpCase{"selfplay --help", "usage: tessaroon-cli selfplay"},
                      HelpCase{"review --help", "usage: tessaroon-cli review"}));

// Every command of the list has a help of its own.
TEST(CliHelpList, NamesEveryCommand) {
    const tq::test::CliRun r = RunCli(TESSAROON_START_FOLDER, "help", false);
    for (const char* name : {"dict", "info", "records", "selfplay"}) {
        EXPECT_NE(r.out.find(std::string("\n  ") + name + " "), std::string::npos) << name;
        const tq::test::CliRun own =
            RunCli(TESSAROON_START_FOLDER, std::string(name) + " --help", false);
        EXPECT_EQ(own.out.rfind(std::string("usage: tessaroon-cli ") + name, 0), 0u) << name;
    }
}

TEST(CliHelpMistakes, UsageGoesToStandardError) {
    for (const char* args : {"", "nosuch", "help nosuch", "dict", "dict pack only-one.txt"}) {
        const tq::test::CliRun out = RunCli(TESSAROON_START_FOLDER, args, false);
        EXPECT_EQ(out.status, 2) << args;
        EXPECT_EQ(out.out, "") << args;
        const tq::test::CliRun both = RunCli(TESSAROON_START_FOLDER, args);
        EXPECT_NE(both.out.find("usage: tessaroon-cli"), std::string::npos) << args;
    }
}

// Help for a command that does not exist names it rather than listing the commands as if asked.
TEST(CliHelpMistakes, HelpForAnUnknownCommandSaysSo) {
    const tq::test::CliRun r = RunCli(TESSAROON_START_FOLDER, "help nosuch");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out.rfind("tessaroon-cli: unknown command \"nosuch\"\n", 0), 0u) << r.out;
}

// Every command refuses what it does not take, naming it, with status 2, before it does
// anything: nothing goes to standard output.
TEST(CliOptions, EveryCommandRefusesAnUnknownOptionByName) {
    struct Case {
        const char* args;
        const char* says;
    };
    for (const Case& c : {
             Case{"info --bogus", "unknown option \"--bogus\""},
             Case{"info -x", "unknown option \"-x\""},
             Case{"info extra", "unexpected argument \"extra\""},
             Case{"records --x", "unknown option \"--x\""},
             Case{"records --x=1", "unknown option \"--x\""},
             Case{"selfplay --seed 1 --frobnicate", "unknown option \"--frobnicate\""},
             Case{"selfplay --json=1", "--json takes no value"},
             Case{"selfplay --games", "--games needs a value"},
             Case{"selfplay 5", "unexpected argument \"5\""},
             Case{"review --jsn", "unknown option \"--jsn\""},
             Case{"dict verify x.tqd --bogus", "unknown option \"--bogus\""},
             Case{"dict unpack -q x.tqd", "unknown option \"-q\""},
             Case{"serve --clients 1 --bogus 3", "unknown option \"--bogus\""},
             Case{"join localhost --name Ann --bogus", "unknown option \"--bogus\""},
         }) {
        const tq::test::CliRun out = RunCli(TESSAROON_START_FOLDER, c.args, false);
        EXPECT_EQ(out.status, 2) << c.args;
        EXPECT_EQ(out.out, "") << c.args;
        const tq::test::CliRun both = RunCli(TESSAROON_START_FOLDER, c.args);
        EXPECT_NE(both.out.find(c.says), std::string::npos) << c.args << " printed\n" << both.out;
    }
}

// What looks like an option but is a value stays a value, and a lone "-" is standard input.
TEST(CliOptions, ValuesThatLookLikeOptionsStayValues) {
    const tq::test::CliRun r =
        RunCli(TESSAROON_START_FOLDER, "selfplay --seed 3 --size=4x3 --seats 1,1 --json");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("\"cols\":4"), std::string::npos) << r.out;
    // --seed takes "-5" as its value and refuses it as a value, not as an unknown option.
    EXPECT_NE(RunCli(TESSAROON_START_FOLDER, "selfplay --seed -5").out.find("--seed must be"),
              std::string::npos);
    // "-" is read as standard input, whose emptiness is the only fault found.
    const tq::test::CliRun empty = RunCli(TESSAROON_START_FOLDER, "review - < /dev/null");
    EXPECT_EQ(empty.status, 1) << empty.out;
    EXPECT_NE(empty.out.find("standard input"), std::string::npos) << empty.out;
}

}  // namespace
