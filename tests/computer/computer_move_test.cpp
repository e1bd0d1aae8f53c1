// SPDX-License-Identifier: GPL-3.0-or-later
#include "computer/computer_move.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "base/chain_rules.h"
#include "computer/computer_play.h"
#include "computer/test_fields.h"
#include "core/game_model.h"

namespace tq {
namespace {

using test::LettersOf;
using test::MakeField;
using test::MakeStore;
using test::PlayComputerMove;

// A 6 x 3 field with CATSU in the middle row. CATSUP takes a P right of, above or below the U;
// TSUQ and ATSZ are the 4-letter words; CATS is on the field already.
const WordStore& Store() {
    static const WordStore store = MakeStore({"CATSUP", "TSUQ", "ATSZ", "CATS", "ZZZZZ"});
    return store;
}

GameModel MakeModel(const Field& f, int skill, uint64_t seed) {
    GameModel model;
    model.Settings.Directions = "11110000";
    model.Settings.Seat(2).Skill = static_cast<uint8_t>(skill);
    model.Settings.Seat(2).Type = PlayerType::Computer;
    model.State.CurrentSeat = 2;
    model.Board = f;
    model.State.FieldLetters = LettersOf(f);
    model.State.LetterCountOnField = static_cast<uint8_t>(model.State.FieldLetters.size());
    model.State.UsedWords.Add("CATSU");
    model.State.TimeAward = 5;
    model.Rng.Seed(seed);
    return model;
}

Field CatsuField() {
    return MakeField({
        "------",
        "CATSU-",
        "------",
    });
}

TEST(ComputerMoveTest, SkillSevenPlaysTheLongestWordAndScoresIt) {
    const ComputerPlayer player(Store());
    std::map<std::string, int> chains;
    for (uint64_t seed = 1; seed <= 60; ++seed) {
        GameModel model = MakeModel(CatsuField(), 7, seed);
        const Move move = PlayComputerMove(player, model);
        ASSERT_EQ(move.Word, "CATSUP");
        EXPECT_EQ(move.Letter, 'P');
        EXPECT_EQ(model.Board.At(move.NewCell), 'P');
        const std::string chain = ChainText(move.Chain);
        EXPECT_EQ(chain.substr(0, 15), "01:11:21:31:41:");
        EXPECT_EQ(chain.substr(15), CellCode(move.NewCell) + ":");
        EXPECT_EQ(model.State.Score(2).WordPoints, 60);
        EXPECT_EQ(model.State.Score(1).WordPoints, 0);
        EXPECT_EQ(model.State.FieldLetters, LettersOf(CatsuField()) + "P");
        EXPECT_EQ(model.State.LetterCountOnField, 6);
        EXPECT_EQ(model.State.TimeAward, 0);
        EXPECT_TRUE(model.State.UsedWords.Contains("catsup"));
        ++chains[chain];
    }
    // The three ways are drawn uniformly.
    ASSERT_EQ(chains.size(), 3u);
    for (const auto& [chain, n] : chains) EXPECT_GE(n, 8) << chain;
}

TEST(ComputerMoveTest, HonoursTheLengthLimitsAndPlayedWords) {
    const ComputerPlayer player(Store());
    for (uint64_t seed = 1; seed <= 10; ++seed) {
        GameModel model = MakeModel(CatsuField(), 7, seed);
        model.Settings.MinWordLen = model.Settings.MaxWordLen = 4;
        const std::string word = PlayComputerMove(player, model).Word;
        EXPECT_TRUE(word == "TSUQ" || word == "ATSZ") << word;
        EXPECT_EQ(model.State.Score(2).WordPoints, 40);

        GameModel again = MakeModel(CatsuField(), 7, seed);
        again.State.UsedWords.Add("catsUP");
        const std::string other = PlayComputerMove(player, again).Word;
        EXPECT_TRUE(other == "TSUQ" || other == "ATSZ") << other;
    }
}

TEST(ComputerMoveTest, SkillOneNeverPlaysSixLetters) {
    const ComputerPlayer player(Store());
    int words = 0;
    for (uint64_t seed = 1; seed <= 200; ++seed) {
        GameModel model = MakeModel(CatsuField(), 1, seed);
        const Move move = PlayComputerMove(player, model);
        ASSERT_NE(move.Word, "CATSUP");
        if (move.Word.size() > 1) ++words;
    }
    // 4-letter words take part with chance 0.108 each; two of them: about 42 moves in 200.
    EXPECT_GT(words, 15);
    EXPECT_LT(words, 80);
}

TEST(ComputerMoveTest, WithoutAWordPutsARandomLetterNextToTheLetters) {
    const ComputerPlayer player(Store());
    const Field f = MakeField({
        "ABC",
        "DEF",
        "GH-",
    });
    for (uint64_t seed = 1; seed <= 20; ++seed) {
        GameModel model = MakeModel(f, 7, seed);
        const Move move = PlayComputerMove(player, model);
        EXPECT_EQ(move.NewCell, (Cell{2, 2}));
        EXPECT_EQ(move.Chain, (std::vector<Cell>{{2, 2}}));
        ASSERT_EQ(move.Word.size(), 1u);
        EXPECT_EQ(move.Word[0], move.Letter);
        EXPECT_GE(move.Letter, 'A');
        EXPECT_LE(move.Letter, 'Z');
        EXPECT_EQ(model.Board.At(2, 2), move.Letter);
        EXPECT_EQ(model.State.Score(2).WordPoints, 0);
        EXPECT_TRUE(model.State.UsedWords.Contains(move.Word));
        EXPECT_EQ(model.State.LetterCountOnField, 9);
        EXPECT_EQ(model.State.TimeAward, 0);
    }
}

TEST(ComputerMoveTest, RandomLetterCellsCountOncePerOccupiedNeighbour) {
    const WordStore store = MakeStore({"QQQQ"});
    const ComputerPlayer player(store);
    const Field f = MakeField({
        "A--",
        "?--",
        "---",
    });
    // Straight and diagonal neighbours: (1,0): A, ? -> 2; (0,2): ? -> 1; (1,1): A, ? -> 2;
    // (1,2): ? -> 1. Six listings in all.
    std::map<std::string, int> count;
    const int moves = 6000;
    for (int seed = 1; seed <= moves; ++seed) {
        GameModel model = MakeModel(f, 7, static_cast<uint64_t>(seed));
        model.Settings.Directions = "11111111";
        ++count[ChainText(PlayComputerMove(player, model).Chain)];
    }
    ASSERT_EQ(count.size(), 4u);
    EXPECT_NEAR(count["10:"], moves / 3.0, 200);
    EXPECT_NEAR(count["11:"], moves / 3.0, 200);
    EXPECT_NEAR(count["02:"], moves / 6.0, 150);
    EXPECT_NEAR(count["12:"], moves / 6.0, 150);
}

TEST(ComputerMoveTest, FullFieldChangesNothing) {
    const ComputerPlayer player(Store());
    const Field f = MakeField({"ABC", "DEF", "GHI"});
    GameModel model = MakeModel(f, 7, 1);
    const Move move = PlayComputerMove(player, model);
    EXPECT_TRUE(move.Word.empty());
    EXPECT_EQ(model.State.FieldLetters, "ADGBEHCFI");
    EXPECT_EQ(model.State.LetterCountOnField, 9);
    EXPECT_EQ(model.State.UsedWords.Size(), 1u);
}

TEST(ComputerPlayerTest, FindsWordsAddedToTheStoreLater) {
    WordStore store = MakeStore({"TSUQ"});
    const ComputerPlayer player(store);
    const Field f = CatsuField();
    const GameSettings s = test::MakeSettings("11110000");
    Random rng(1);
    std::vector<Candidate> out;
    player.FindCandidates(f, s, LettersOf(f), {}, 2, 30, true, 7, rng, out);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out[0].word, "TSUQ");
    store.AddWord("CATSUP");  // an accepted unknown word
    out.clear();
    player.FindCandidates(f, s, LettersOf(f), {}, 2, 30, true, 7, rng, out);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out[0].word, "CATSUP");
}

// A frozen player (the hint's, on another thread) takes the words accepted before it was made and
// keeps its graph when the store grows later; the window's own player moves on without it.
TEST(ComputerPlayerTest, AFrozenPlayerKeepsTheGraphItWasMadeWith) {
    WordStore store = MakeStore({"TSUQ"});
    const ComputerPlayer player(store);
    store.AddWord("ATSUP");  // accepted before the copy: the copy brings the graph up to date
    const std::unique_ptr<ComputerPlayer> frozen = player.Frozen();
    store.AddWord("CATSUP");  // accepted while the copy searches
    const Field f = CatsuField();
    const GameSettings s = test::MakeSettings("11110000");
    Random rng(1);
    std::vector<Candidate> out;
    frozen->FindCandidates(f, s, LettersOf(f), {}, 2, 30, true, 7, rng, out);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out[0].word, "ATSUP");
    out.clear();
    player.FindCandidates(f, s, LettersOf(f), {}, 2, 30, true, 7, rng, out);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out[0].word, "CATSUP");
}

TEST(MoveOfCandidateTest, TakesWordPlaceAndChain) {
    const std::vector<Cell> soup = {{1, 2}, {2, 2}, {3, 2}, {4, 2}};
    Move move;
    ASSERT_TRUE(MoveOfCandidate({"SOUP", soup, 2}, move));
    EXPECT_EQ(move.Word, "SOUP");
    EXPECT_EQ(move.Letter, 'O');
    EXPECT_EQ(move.NewCell, (Cell{2, 2}));
    EXPECT_EQ(move.Chain, soup);
    for (const Candidate& bad :
         {Candidate{"SOUP", soup, 5}, Candidate{"SOUP", soup, 0}, Candidate{"SOUP", {{1, 2}}, 2}})
        EXPECT_FALSE(MoveOfCandidate(bad, move)) << test::CandidateText(bad);
}

// The chooser draws from the candidates in the byte order of their texts "WORD<k>cc:cc:", so a
// seed gives the game it always gave: a word before the longer words it begins, the place as
// text ("10" before "2"), then the cells.
TEST(CandidateOrderTest, IsTheByteOrderOfTheTexts) {
    std::vector<Candidate> all;
    const std::vector<std::string> words = {"CAT", "CATS", "CA\xC0", "\xC0\xC1", "CAB", "CA"};
    Random rng(3);
    for (int n = 0; n < 400; ++n) {
        const std::string& word = words[rng.Int(static_cast<int>(words.size()))];
        Candidate c{word, {}, 1 + rng.Int(12)};
        for (std::size_t i = 0; i < word.size(); ++i)
            c.cells.push_back({rng.Int(kMaxFieldSide), rng.Int(3)});
        all.push_back(c);
    }
    for (const Candidate& a : all)
        for (const Candidate& b : all)
            ASSERT_EQ(CandidateBefore(a, b), test::CandidateText(a) < test::CandidateText(b))
                << test::CandidateText(a) << " " << test::CandidateText(b);
}

}  // namespace
}  // namespace tq
