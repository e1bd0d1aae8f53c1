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
                      HelpCase{"help nosuch", "usage: tessaroon-cli COMMAND"},
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
    for (const char* args : {"", "nosuch", "dict", "dict pack only-one.txt"}) {
        const tq::test::CliRun out = RunCli(TESSAROON_START_FOLDER, args, false);
        EXPECT_EQ(out.status, 2) << args;
        EXPECT_EQ(out.out, "") << args;
        const tq::test::CliRun both = RunCli(TESSAROON_START_FOLDER, args);
        EXPECT_NE(both.out.find("usage: tessaroon-cli"), std::string::npos) << args;
    }
}

}  // namespace
