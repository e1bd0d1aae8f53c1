// SPDX-License-Identifier: GPL-3.0-or-later
// What committing a move does to the model, for each kind of mover.

#include "base/move.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

struct ApplyCase {
    const char* name;
    MoveSource source;
    const char* word;
    int16_t award;
    int32_t wordPoints, bonus, fine;
    bool recorded;  // the word enters UsedWords
};

class ApplyMoveTest : public ::testing::TestWithParam<ApplyCase> {};

TEST_P(ApplyMoveTest, PlacesScoresAndRecords) {
    const ApplyCase& c = GetParam();
    Field field(3, 3);
    field.Set(0, 1, 'A');
    GameState state;
    state.FieldLetters = "A";
    state.LetterCountOnField = 1;
    SeatScore seat;
    const std::string word = c.word;
    const Move move{
        word, word.size() > 1 ? word[1] : word[0], Cell{1, 1},
        word.size() > 1 ? std::vector<Cell>{{0, 1}, {1, 1}} : std::vector<Cell>{{1, 1}}};
    ApplyMove(field, state, seat, move, c.source, c.award);

    EXPECT_EQ(field.At(1, 1), move.Letter);
    EXPECT_EQ(state.FieldLetters, std::string("A") + move.Letter);
    EXPECT_EQ(state.LetterCountOnField, 2);
    EXPECT_EQ(state.TimeAward, c.award);
    EXPECT_EQ(seat.WordPoints, c.wordPoints);
    EXPECT_EQ(seat.BonusPoints, c.bonus);
    EXPECT_EQ(seat.FinePoints, c.fine);
    EXPECT_EQ(state.UsedWords.Contains(word), c.recorded);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, ApplyMoveTest,
    ::testing::Values(ApplyCase{"HumanWord", MoveSource::Human, "AT", 3, 20, 3, 0, true},
                      ApplyCase{"HumanLetterAlone", MoveSource::Human, "T", -2, 0, 0, 2, false},
                      ApplyCase{"ComputerWord", MoveSource::Computer, "AT", 0, 20, 0, 0, true},
                      ApplyCase{"ComputerLetterAlone", MoveSource::Computer, "T", 0, 0, 0, 0, true},
                      ApplyCase{"RemoteLetterAlone", MoveSource::Remote, "T", 1, 0, 1, 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MoveTest, Points) {
    EXPECT_EQ(WordPointsOf("HORSE"), 50);
    EXPECT_EQ(WordPointsOf("H"), 0);
    EXPECT_EQ(WordPointsOf(""), 0);
}

}  // namespace
}  // namespace tq
