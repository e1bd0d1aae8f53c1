// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/chain_rules.h"

#include <gtest/gtest.h>

#include <vector>

#include "computer/test_fields.h"

namespace tq {
namespace {

using test::MakeField;
using test::MakeSettings;

TEST(IsStepTest, FollowsTheEnabledDirectionsOnly) {
    struct Case {
        const char* directions;
        Cell from;
        Cell to;
        bool step;
    };
    const Case cases[] = {
        {"11110000", {2, 2}, {3, 2}, true},   // right
        {"11110000", {2, 2}, {3, 3}, false},  // diagonal while only straight steps are on
        {"11110000", {2, 2}, {4, 2}, false},  // two cells away
        {"11110000", {2, 2}, {2, 2}, false}, {"00001000", {2, 2}, {1, 1}, true},  // up-left
        {"00001000", {1, 1}, {2, 2}, false},  // down-right is off
        {"00000001", {1, 1}, {2, 2}, true},  {"00000010", {2, 1}, {1, 2}, true},  // down-left
        {"10000000", {2, 2}, {1, 2}, true},  {"10000000", {1, 2}, {2, 2}, false},
        {"1111", {2, 2}, {3, 2}, false},  // a damaged flag string enables nothing
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsStep(MakeSettings(c.directions), c.from, c.to), c.step)
            << c.directions << " " << CellCode(c.from) << "->" << CellCode(c.to);
    }
}

TEST(CanPutLetterTest, LooksAtTheKindsOfNeighboursSwitchedOn) {
    const Field f = MakeField({
        "-----",
        "-----",
        "--A--",
        "-----",
        "----?",
    });
    struct Case {
        const char* directions;
        Cell cell;
        bool can;
    };
    const Case cases[] = {
        // Up-left only: any diagonal neighbour counts, no straight one.
        {"00001000", {1, 1}, true},
        {"00001000", {3, 3}, true},
        {"00001000", {2, 1}, false},
        // Left only: any straight neighbour counts, though chains only run left.
        {"10000000", {2, 1}, true},
        {"10000000", {3, 2}, true},
        {"10000000", {1, 1}, false},
        {"11111111", {1, 1}, true},
        {"11111111", {2, 2}, false},  // occupied
        {"11111111", {0, 0}, false},  // touches nothing
        // Border cells: the joker counts as a letter; nothing outside the field is read.
        {"11110000", {4, 3}, true},
        {"11110000", {3, 4}, true},
        {"00000000", {3, 4}, false},
        {"11111111", {5, 4}, false},  // outside the field
        {"11111111", {-1, 0}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CanPutLetter(f, MakeSettings(c.directions), c.cell), c.can)
            << c.directions << " " << c.cell.col << "," << c.cell.row;
    }
}

// The cells of a chain text; none for "".
std::vector<Cell> Cells(std::string_view text) {
    return ParseChain(text).value_or(std::vector<Cell>{});
}

TEST(CrossesChainTest, FindsTheOtherDiagonalWalkedEitherWay) {
    // (1,0) -> (0,1) crosses (0,0) -> (1,1) and (1,1) -> (0,0).
    EXPECT_TRUE(CrossesChain({1, 0}, {0, 1}, Cells("00:11:10:")));
    EXPECT_TRUE(CrossesChain({1, 0}, {0, 1}, Cells("11:00:10:")));
    EXPECT_TRUE(CrossesChain({0, 1}, {1, 0}, Cells("11:00:01:")));
    // A straight step never crosses; diagonals of other 2x2 blocks never cross.
    EXPECT_FALSE(CrossesChain({1, 0}, {1, 1}, Cells("00:11:10:")));
    EXPECT_FALSE(CrossesChain({2, 1}, {1, 2}, Cells("00:11:21:")));
    EXPECT_FALSE(CrossesChain({1, 0}, {0, 1}, Cells("00:10:")));
    EXPECT_TRUE(CrossesChain({1, 2}, {2, 1}, Cells("30:22:11:")));
    EXPECT_FALSE(CrossesChain({1, 0}, {0, 1}, Cells("")));
}

TEST(IsLegalChainTest, AppliesTheChainRules) {
    const Field f = MakeField({
        "AB-",
        "CD-",
        "---",
    });
    const GameSettings all = MakeSettings("11111111");
    const GameSettings crossing = MakeSettings("11111111", true);
    const std::vector<Cell> crossesForward = {{0, 0}, {1, 1}, {1, 0}, {0, 1}};
    const std::vector<Cell> crossesBackward = {{1, 1}, {0, 0}, {1, 0}, {0, 1}};
    EXPECT_FALSE(IsLegalChain(f, all, crossesForward));
    EXPECT_TRUE(IsLegalChain(f, crossing, crossesForward));
    EXPECT_FALSE(IsLegalChain(f, all, crossesBackward));
    EXPECT_TRUE(IsLegalChain(f, crossing, crossesBackward));

    const std::vector<Cell> twice = {{0, 0}, {1, 0}, {0, 0}};
    EXPECT_FALSE(IsLegalChain(f, crossing, twice));
    const std::vector<Cell> throughEmpty = {{1, 0}, {2, 0}};
    EXPECT_FALSE(IsLegalChain(f, all, throughEmpty));
    EXPECT_TRUE(IsLegalChain(f, all, throughEmpty, Cell{2, 0}));
    const std::vector<Cell> gap = {{0, 0}, {0, 2}};
    EXPECT_FALSE(IsLegalChain(f, all, gap));
    const std::vector<Cell> outside = {{1, 0}, {1, -1}};
    EXPECT_FALSE(IsLegalChain(f, all, outside));
    const std::vector<Cell> one = {{1, 1}};
    EXPECT_TRUE(IsLegalChain(f, all, one));
    EXPECT_FALSE(IsLegalChain(f, all, std::vector<Cell>{}));
    // Up-left only: the chain may only climb to the left.
    const std::vector<Cell> climb = {{1, 1}, {0, 0}};
    const std::vector<Cell> descend = {{0, 0}, {1, 1}};
    EXPECT_TRUE(IsLegalChain(f, MakeSettings("00001000"), climb));
    EXPECT_FALSE(IsLegalChain(f, MakeSettings("00001000"), descend));
}

TEST(ChainTextTest, WritesAndReadsCellCodes) {
    const std::vector<Cell> cells = {{1, 2}, {2, 2}, {9, 0}};
    EXPECT_EQ(ChainText(cells), "12:22:90:");
    EXPECT_EQ(ParseChain("12:22:90:"), cells);
    EXPECT_EQ(ParseChain("12:22:90"), cells);
    EXPECT_EQ(ParseChain("37"), std::vector<Cell>({{3, 7}}));
    for (const char* bad : {"", ":", "1", "12:2", "12;22", "1a:22", "12::22", "123"})
        EXPECT_FALSE(ParseChain(bad).has_value()) << bad;
    EXPECT_TRUE(ChainHasCell(Cells("12:22:"), {2, 2}));
    EXPECT_FALSE(ChainHasCell(Cells("12:21:"), {2, 2}));
}

TEST(CanExtendChainTest, RefusesRepeatsGapsAndCrossings) {
    const GameSettings all = MakeSettings("11111111");
    EXPECT_TRUE(CanExtendChain(all, Cells(""), {4, 4}));
    EXPECT_TRUE(CanExtendChain(all, Cells("00:11:"), {1, 0}));
    EXPECT_FALSE(CanExtendChain(all, Cells("00:11:10:"), {0, 1}));
    EXPECT_TRUE(CanExtendChain(MakeSettings("11111111", true), Cells("00:11:10:"), {0, 1}));
    EXPECT_FALSE(CanExtendChain(all, Cells("00:11:"), {0, 0}));
    EXPECT_FALSE(CanExtendChain(all, Cells("00:11:"), {3, 3}));
}

TEST(ChainWordTest, ReadsLettersNewLetterAndJokers) {
    const Field f = MakeField({
        "C?T",
        "-?-",
    });
    const std::vector<Cell> cells = {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {1, 1}};
    EXPECT_EQ(ChainWord(f, cells, Cell{2, 1}, 'S', "AO"), "CATSO");
    EXPECT_EQ(ChainWord(f, cells, Cell{2, 1}, 'S', "A"), "CATS?");
}

}  // namespace
}  // namespace tq
