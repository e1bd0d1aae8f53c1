// SPDX-License-Identifier: GPL-3.0-or-later
// The same seeds give the same games: "selfplay --json" over a table of seeds and rule sets must
// print exactly the games recorded in golden/selfplay.txt. A change of the engine that alters a
// single move, a point or the order of the seats shows up here.
//
// The file holds one block per case: a line "$ <selfplay options>" and the lines it printed. To
// record it again after a deliberate change of the games, run the test with
// TESSAROON_RECORD_GOLDEN=1 and review the difference.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "test_support.h"

namespace {

constexpr const char* kCases[] = {
    "--seed 1 --seats 2,2 --size 5x5",
    "--seed 2 --seats 7,1 --size 6x6 --joker 1",
    "--seed 3 --seats 3,4,5 --size 7x7",
    "--seed 4 --seats 1,2,3,4,5 --size 10x10",
    "--seed 5 --seats 6,6 --size 4x4 --directions 11111111 --crossings 1",
    "--seed 6 --seats 2,7 --size 5x5 --words-per-move 2",
    "--seed 7 --seats 4,4 --size 8x5 --min-len 3 --max-len 6 --ex-words 1",
    "--seed 8 --seats 5,3 --size 3x3 --games 3",
    "--seed 9 --seats 7,6,5,4,3 --size 10x10 --joker 1 --directions 11111111",
    "--seed 10 --seats 3,3 --size 6x4 --directions 10100101 --joker 1 --crossings 1",
};

const std::string kFixture = std::string(TESSAROON_SOURCE_DIR) + "/tests/tools/golden/selfplay.txt";

std::map<std::string, std::string> ReadFixture() {
    std::map<std::string, std::string> out;
    std::ifstream in(kFixture, std::ios::binary);
    std::string line, args;
    while (std::getline(in, line)) {
        if (line.starts_with("$ ")) {
            args = line.substr(2);
            out[args];
        } else {
            out[args] += line + "\n";
        }
    }
    return out;
}

std::string Play(const std::string& args) {
    const tq::test::CliRun r =
        tq::test::RunCli(TESSAROON_START_FOLDER, "selfplay --json " + args, false);
    EXPECT_EQ(r.status, 0) << args;
    return r.out;
}

TEST(CliSelfPlayGolden, SameSeedsGiveTheRecordedGames) {
    if (std::getenv("TESSAROON_RECORD_GOLDEN")) {
        std::ofstream out(kFixture, std::ios::binary);
        for (const char* args : kCases) out << "$ " << args << "\n" << Play(args);
        GTEST_SKIP() << "recorded " << kFixture;
    }
    const std::map<std::string, std::string> golden = ReadFixture();
    for (const char* args : kCases) {
        const auto it = golden.find(args);
        ASSERT_NE(it, golden.end()) << "no recorded games for: " << args;
        EXPECT_EQ(Play(args), it->second) << "the games changed for: " << args;
    }
}

}  // namespace
