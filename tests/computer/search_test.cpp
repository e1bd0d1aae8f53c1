// SPDX-License-Identifier: GPL-3.0-or-later
#include "computer/reference_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/chain_rules.h"
#include "computer/computer_move.h"
#include "computer/test_fields.h"

namespace tq {
namespace {

using test::LettersOf;
using test::MakeField;
using test::MakeSettings;
using test::MakeStore;
using test::Sorted;

TEST(WordOnFieldTest, ReadsChainsOfTheFieldAlone) {
    const Field f = MakeField({
        "CAT",
        "-O?",
        "---",
    });
    const GameSettings straight = MakeSettings("11110000");
    EXPECT_TRUE(WordOnField(f, straight, "CAT"));
    EXPECT_TRUE(WordOnField(f, straight, "TAC"));  // walked to the left
    EXPECT_TRUE(WordOnField(f, straight, "CAO"));
    EXPECT_FALSE(WordOnField(f, MakeSettings("01000000"), "TAC"));  // right only
    EXPECT_FALSE(WordOnField(f, straight, "COT"));                  // needs a diagonal
    EXPECT_TRUE(WordOnField(f, MakeSettings("11111111"), "COT"));
    EXPECT_FALSE(WordOnField(f, straight, "CATA"));  // no cell twice
    EXPECT_FALSE(WordOnField(f, straight, "TOP"));   // the joker matches no letter
    EXPECT_FALSE(WordOnField(f, straight, "CA-"));   // nor does an empty cell
    EXPECT_FALSE(WordOnField(f, straight, ""));
    EXPECT_TRUE(WordOnField(f, straight, "O"));
    EXPECT_FALSE(WordOnField(f, straight, "X"));
}

TEST(WordOnFieldTest, RefusesCrossingsUnlessAllowed) {
    const Field f = MakeField({
        "AB-",
        "CD-",
        "---",
    });
    for (const char* word : {"ADBC", "DABC"}) {
        EXPECT_FALSE(WordOnField(f, MakeSettings("11111111"), word)) << word;
        EXPECT_TRUE(WordOnField(f, MakeSettings("11111111", true), word)) << word;
    }
}

TEST(SkillTest, ChancesFollowTheTable) {
    EXPECT_NEAR(SkillChance(1, 3), 0.206, 1e-9);
    EXPECT_NEAR(SkillChance(2, 5), 0.160, 1e-9);
    EXPECT_NEAR(SkillChance(3, 8), 0.076, 1e-9);
    EXPECT_NEAR(SkillChance(4, 8), 0.256, 1e-9);
    EXPECT_NEAR(SkillChance(5, 5), 0.610, 1e-9);
    EXPECT_NEAR(SkillChance(6, 3), 0.856, 1e-9);
    EXPECT_LT(SkillChance(1, 6), 0.0);
    EXPECT_LT(SkillChance(2, 8), 0.0);
    EXPECT_EQ(SkillChance(7, 30), 1.0);
    Random rng(1);
    for (int i = 0; i < 100; ++i) EXPECT_FALSE(SkillKeeps(1, 6, rng));
    for (int i = 0; i < 100; ++i) EXPECT_TRUE(SkillKeeps(7, 30, rng));
}

TEST(LetterBudgetTest, AllowsOneNewLetterAndOneMorePerJoker) {
    EXPECT_TRUE(WithinLetterBudget("CATS", "TAC"));
    EXPECT_FALSE(WithinLetterBudget("CATS", "TA"));
    EXPECT_TRUE(WithinLetterBudget("CATS", "TA?"));
    EXPECT_FALSE(WithinLetterBudget("AAA", "A"));
    EXPECT_TRUE(WithinLetterBudget("AAA", "AA"));
}

// Every entry names a legal chain through exactly one empty cell, at the new letter's place,
// that spells the word (jokers standing for the word's letters).
void ExpectValidEntries(const Field& f, const GameSettings& s,
                        const std::vector<Candidate>& entries) {
    for (const Candidate& e : entries) {
        const std::string text = test::CandidateText(e);
        Move move;
        ASSERT_TRUE(MoveOfCandidate(e, move)) << text;
        const std::vector<Cell>& cells = e.cells;
        ASSERT_EQ(cells.size(), move.Word.size()) << text;
        EXPECT_EQ(move.Chain, cells) << text;
        EXPECT_TRUE(f.IsEmpty(move.NewCell.col, move.NewCell.row)) << text;
        EXPECT_TRUE(IsLegalChain(f, s, cells, move.NewCell)) << text;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const char c = f.At(cells[i]);
            if (cells[i] == move.NewCell) continue;
            EXPECT_TRUE(c == move.Word[i] || c == kJoker) << text;
        }
    }
}

enum class Impl { Reference, Fast };

class FindCandidatesTest : public ::testing::TestWithParam<Impl> {
  protected:
    std::vector<std::string> Find(const Field& f, const GameSettings& s, const WordStore& store,
                                  bool longestOnly = false, int minLen = 2, int maxLen = 30,
                                  const SortedWordList& used = {}, int filter = 7) {
        return FindWithLetters(f, s, store, LettersOf(f), longestOnly, minLen, maxLen, used,
                               filter);
    }
    std::vector<std::string> FindWithLetters(const Field& f, const GameSettings& s,
                                             const WordStore& store, const std::string& letters,
                                             bool longestOnly = false, int minLen = 2,
                                             int maxLen = 30, const SortedWordList& used = {},
                                             int filter = 7) {
        std::vector<Candidate> out;
        Random rng(7);
        if (GetParam() == Impl::Reference) {
            FindCandidatesReference(f, s, letters, used, store, minLen, maxLen, longestOnly, filter,
                                    rng, out);
        } else {
            ComputerPlayer player(store);
            player.FindCandidates(f, s, letters, used, minLen, maxLen, longestOnly, filter, rng,
                                  out);
        }
        ExpectValidEntries(f, s, out);
        return Sorted(test::CandidateTexts(out));
    }
};

TEST_P(FindCandidatesTest, ListsEveryWayWithItsNewLetterPosition) {
    const Field f = MakeField({
        "---",
        "CA-",
        "---",
    });
    EXPECT_EQ(Find(f, MakeSettings("11110000"), MakeStore({"CAT", "TACT", "ACT"})),
              Sorted({"CAT<3>01:11:21:", "CAT<3>01:11:10:", "CAT<3>01:11:12:", "ACT<3>11:01:00:",
                      "ACT<3>11:01:02:"}));
}

TEST_P(FindCandidatesTest, NeedsExactlyOneEmptyCellTouchingTheChain) {
    const WordStore store = MakeStore({"CAT", "CA"});
    EXPECT_TRUE(Find(MakeField({"CAT"}), MakeSettings("11111111", false, true), store).empty());
    // Two new letters would be needed.
    EXPECT_TRUE(
        Find(MakeField({"C--", "---"}), MakeSettings("11111111"), MakeStore({"CAT"})).empty());
    EXPECT_EQ(Find(MakeField({"CA-"}), MakeSettings("11110000"), store),
              Sorted({"CAT<3>00:10:20:"}));
}

TEST_P(FindCandidatesTest, StraightDirectionsNeverStepDiagonally) {
    const Field f = MakeField({
        "AB-",
        "CD-",
        "---",
    });
    const WordStore store = MakeStore({"ADX", "ABX", "BDX", "XDA"});
    EXPECT_EQ(Find(f, MakeSettings("11110000"), store),
              Sorted({"ABX<3>00:10:20:", "BDX<3>10:11:21:", "BDX<3>10:11:12:"}));
}

TEST_P(FindCandidatesTest, RefusesCrossingsInBothWalkingDirections) {
    const Field f = MakeField({
        "AB-",
        "CD-",
        "---",
    });
    const WordStore store = MakeStore({"ADBCX", "DABCX"});
    EXPECT_TRUE(Find(f, MakeSettings("11111111"), store).empty());
    EXPECT_EQ(Find(f, MakeSettings("11111111", true), store),
              Sorted({"ADBCX<5>00:11:10:01:02:", "ADBCX<5>00:11:10:01:12:",
                      "DABCX<5>11:00:10:01:02:", "DABCX<5>11:00:10:01:12:"}));
}

TEST_P(FindCandidatesTest, UpLeftOnlyChainsClimbToTheLeft) {
    const Field f = MakeField({
        "---",
        "-A-",
        "--B",
    });
    EXPECT_EQ(Find(f, MakeSettings("00001000"), MakeStore({"BAX", "ABX", "XAB"})),
              Sorted({"BAX<3>22:11:00:"}));
}

TEST_P(FindCandidatesTest, JokerStandsForAnyLetterButNeverTheNewOne) {
    const WordStore store = MakeStore({"CAT", "COT", "QQ", "XAT"});
    EXPECT_EQ(Find(MakeField({"C?-", "---"}), MakeSettings("11110000"), store),
              Sorted({"CAT<3>00:10:20:", "CAT<3>00:10:11:", "COT<3>00:10:20:", "COT<3>00:10:11:",
                      "QQ<2>10:20:", "QQ<2>10:11:", "QQ<1>20:10:", "QQ<1>11:10:"}));
    // A joker may start the chain; the new letter is never put on it.
    EXPECT_EQ(Find(MakeField({"?A-"}), MakeSettings("11110000"), store),
              Sorted({"CAT<3>00:10:20:", "XAT<3>00:10:20:", "CAT<1>20:10:00:", "XAT<1>20:10:00:"}));
}

TEST_P(FindCandidatesTest, MaxLenIsLoweredToTheLettersOnTheFieldPlusOne) {
    const Field f = MakeField({"CAT-"});
    const WordStore store = MakeStore({"CATS"});
    const GameSettings s = MakeSettings("11110000", false, true);
    EXPECT_EQ(FindWithLetters(f, s, store, "CAT"), Sorted({"CATS<4>00:10:20:30:"}));
    EXPECT_TRUE(FindWithLetters(f, s, store, "CA").empty());
    EXPECT_TRUE(Find(f, s, store, false, 2, 3).empty());
    EXPECT_TRUE(Find(f, s, store, false, 5, 30).empty());
}

TEST_P(FindCandidatesTest, SkipsUsedWordsInAnyLetterCase) {
    const Field f = MakeField({"CA-"});
    SortedWordList used;
    used.Add("cat");
    EXPECT_TRUE(Find(f, MakeSettings("11110000"), MakeStore({"CAT"}), false, 2, 30, used).empty());
}

TEST_P(FindCandidatesTest, SkipsWordsAlreadyOnTheFieldUnlessAllowed) {
    const Field f = MakeField({
        "CAT",
        "A--",
    });
    const WordStore store = MakeStore({"CAT"});
    EXPECT_TRUE(Find(f, MakeSettings("11110000"), store).empty());
    EXPECT_EQ(Find(f, MakeSettings("11110000", false, true), store),
              Sorted({"CAT<3>00:01:11:", "CAT<3>00:10:11:", "CAT<1>11:10:20:"}));
}

TEST_P(FindCandidatesTest, LongestOnlyKeepsTheLongestFormableLength) {
    const Field f = MakeField({
        "CAT-",
        "----",
    });
    const WordStore store = MakeStore({"AT", "CATS", "TA", "CATSUP"});
    const GameSettings s = MakeSettings("11110000", false, true);
    EXPECT_EQ(Find(f, s, store, true), Sorted({"CATS<4>00:10:20:30:", "CATS<4>00:10:20:21:"}));
    EXPECT_EQ(Find(f, s, store, false),
              Sorted({"CATS<4>00:10:20:30:", "CATS<4>00:10:20:21:", "AT<2>10:11:", "AT<1>21:20:",
                      "AT<1>30:20:", "TA<1>11:10:", "TA<2>20:21:", "TA<2>20:30:"}));
    SortedWordList used;
    used.Add("Cats");
    EXPECT_EQ(Find(f, s, store, true, 2, 30, used).size(), 6u);
}

// B and C lead to the same continuations (AT), so the word graph shares what follows them: each
// first letter still gives its own words, whichever is met first.
TEST_P(FindCandidatesTest, FirstLettersWithTheSameContinuationsKeepTheirOwnWords) {
    const Field f = MakeField({
        "---",
        "-AT",
        "---",
    });
    const WordStore store = MakeStore({"BAT", "CAT", "DOG", "EEL", "FIG"});
    const GameSettings s = MakeSettings("11110000");
    EXPECT_EQ(Find(f, s, store), Sorted({"BAT<1>01:11:21:", "BAT<1>10:11:21:", "BAT<1>12:11:21:",
                                         "CAT<1>01:11:21:", "CAT<1>10:11:21:", "CAT<1>12:11:21:"}));
    SortedWordList used;
    used.Add("BAT");
    EXPECT_EQ(Find(f, s, store, false, 2, 30, used),
              Sorted({"CAT<1>01:11:21:", "CAT<1>10:11:21:", "CAT<1>12:11:21:"}));
}

// With steps to the right only, T reaches no empty cell: chains from it are cut at once.
TEST_P(FindCandidatesTest, LettersThatReachNoEmptyCellStartNoChain) {
    EXPECT_EQ(Find(MakeField({"CA-T"}), MakeSettings("01000000"), MakeStore({"CAT", "TAB"})),
              Sorted({"CAT<3>00:10:20:"}));
}

INSTANTIATE_TEST_SUITE_P(Both, FindCandidatesTest, ::testing::Values(Impl::Reference, Impl::Fast),
                         [](const auto& info) {
                             return info.param == Impl::Reference ? "Reference" : "Fast";
                         });

}  // namespace
}  // namespace tq
