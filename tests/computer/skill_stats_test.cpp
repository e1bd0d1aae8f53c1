// SPDX-License-Identifier: GPL-3.0-or-later
// Seeded statistics of the skill filter: each formable word takes part with its length's chance,
// and with longestOnly only the longest length that took part survives. Both searches must show
// the same chances (their random draws differ, their distributions may not).

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "computer/computer_move.h"
#include "computer/reference_search.h"
#include "computer/test_fields.h"

namespace tq {
namespace {

using test::LettersOf;
using test::MakeField;
using test::MakeSettings;
using test::MakeStore;

// Three 3-letter, two 4-letter and one 5-letter word, each formable in two ways.
const std::map<std::string, int> kWords = {{"TOX", 3},  {"NEX", 3},  {"STA", 3},
                                           {"STOX", 4}, {"ONEX", 4}, {"TONEX", 5}};

class SkillStatsTest : public ::testing::TestWithParam<bool> {
  protected:
    SkillStatsTest()
        : store_(MakeStore({"TOX", "NEX", "STA", "STOX", "ONEX", "TONEX", "QQQQQQ"})),
          player_(store_),
          field_(MakeField({"-----", "STONE", "-----"})),
          settings_(MakeSettings("11110000")) {}

    // The distinct words of one search.
    std::set<std::string> Words(bool longestOnly, int skill, Random& rng) {
        std::vector<Candidate> out;
        const std::string letters = LettersOf(field_);
        if (GetParam()) {
            player_.FindCandidates(field_, settings_, letters, {}, 2, 30, longestOnly, skill, rng,
                                   out);
        } else {
            FindCandidatesReference(field_, settings_, letters, {}, store_, 2, 30, longestOnly,
                                    skill, rng, out);
        }
        std::set<std::string> words;
        for (const Candidate& e : out) words.insert(e.word);
        return words;
    }

    static void ExpectShare(int count, int trials, double p, const std::string& what) {
        p = std::max(0.0, std::min(1.0, p));
        const double sigma = std::sqrt(p * (1 - p) / trials);
        EXPECT_NEAR(static_cast<double>(count) / trials, p, 5 * sigma + 1e-9) << what;
    }

    WordStore store_;
    ComputerPlayer player_;
    Field field_;
    GameSettings settings_;
};

TEST_P(SkillStatsTest, EachWordTakesPartWithItsLengthsChance) {
    const int trials = 3000;
    for (int skill = 1; skill <= 7; ++skill) {
        Random rng(100 + skill);
        std::map<std::string, int> seen;
        for (int t = 0; t < trials; ++t)
            for (const std::string& w : Words(false, skill, rng)) ++seen[w];
        for (const auto& [word, length] : kWords)
            ExpectShare(seen[word], trials, SkillChance(skill, length),
                        word + " skill " + std::to_string(skill));
    }
}

TEST_P(SkillStatsTest, OnlyTheLongestLengthTakingPartSurvives) {
    const int trials = 4000;
    const int skill = 4;
    const double p3 = SkillChance(skill, 3);
    const double p4 = SkillChance(skill, 4);
    const double p5 = SkillChance(skill, 5);
    const double none4 = (1 - p4) * (1 - p4);
    const double none3 = (1 - p3) * (1 - p3) * (1 - p3);
    const std::map<int, double> expected = {{5, p5},
                                            {4, (1 - p5) * (1 - none4)},
                                            {3, (1 - p5) * none4 * (1 - none3)},
                                            {0, (1 - p5) * none4 * none3}};
    Random rng(42);
    std::map<int, int> byLength;
    std::map<std::string, int> seen;
    for (int t = 0; t < trials; ++t) {
        const std::set<std::string> words = Words(true, skill, rng);
        int length = 0;
        for (const std::string& w : words) {
            if (length != 0) {
                ASSERT_EQ(static_cast<int>(w.size()), length);
            }
            length = static_cast<int>(w.size());
            ++seen[w];
        }
        ++byLength[length];
    }
    for (const auto& [length, p] : expected)
        ExpectShare(byLength[length], trials, p, "longest " + std::to_string(length));
    // Given that no longer word took part, each word of a length still has its own chance.
    ExpectShare(seen["STOX"], trials, (1 - p5) * p4, "STOX");
}

INSTANTIATE_TEST_SUITE_P(Both, SkillStatsTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Fast" : "Reference"; });

}  // namespace
}  // namespace tq
