// SPDX-License-Identifier: GPL-3.0-or-later
// The fast field-driven search against the reference search on random mid-game fields of the
// shipped dictionaries: for every field both must list the same multiset of entries.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "computer/computer_move.h"
#include "computer/computer_play.h"
#include "computer/reference_search.h"
#include "computer/test_fields.h"
#include "core/game_model.h"

namespace tq {
namespace {

using test::PlayComputerMove;
using test::ShippedDictionary;

const ShippedDictionary& Shipped(const char* name) {
    static ShippedDictionary rus;
    static ShippedDictionary eng;
    ShippedDictionary& d = std::string(name) == "General_rus" ? rus : eng;
    if (d.words.TotalWords() == 0) {
        const Status r = test::LoadShipped(name, d);
        EXPECT_TRUE(r.ok()) << name << ": " << r.message();
    }
    return d;
}

// A game in progress: an initial word (perhaps with the joker) in the middle row, then moves of
// computer seats of mixed skill: up to 13 more letters, or on every fourth field up to half the
// field (the reference search slows down as the letters grow; the lengths stay short).
GameModel MidGame(const ShippedDictionary& dict, const ComputerPlayer& player, Random& rng) {
    GameModel model;
    model.Dict = dict.info;
    GameSettings& s = model.Settings;
    s.ColCount = static_cast<uint8_t>(3 + rng.Int(8));
    s.RowCount = static_cast<uint8_t>(3 + rng.Int(8));
    do {
        s.Directions.clear();
        for (int k = 0; k < 8; ++k) s.Directions += rng.Int(3) == 0 ? '0' : '1';
    } while (s.Directions == "00000000");
    s.AllowCrossings = rng.Int(2) == 1;
    s.AllowExWords = rng.Int(3) == 0;
    s.MinWordLen = 2;
    s.MaxWordLen = static_cast<uint8_t>(3 + rng.Int(5));
    model.Board.Reset(s.ColCount, s.RowCount);
    model.Rng.Seed(static_cast<uint64_t>(rng.Int(1 << 30)));

    const auto& initial = dict.words.WordsOfLength(s.ColCount);
    std::string word;
    if (!initial.empty()) {
        word = initial[rng.Int(static_cast<int>(initial.size()))];
    } else {
        for (int i = 0; i < s.ColCount; ++i)
            word += static_cast<char>(dict.info.FirstLetter + rng.Int(dict.info.LetterCount));
    }
    if (rng.Int(3) == 0) word[rng.Int(static_cast<int>(word.size()))] = kJoker;
    for (int c = 0; c < model.Board.Cols() && c < kMaxFieldSide; ++c)
        model.Board.Set(c, model.Board.Rows() / 2, word[c]);
    model.State.FieldLetters = word;
    model.State.LetterCountOnField = static_cast<uint8_t>(word.size());
    model.State.UsedWords.Add(word);

    const int cells = s.ColCount * s.RowCount;
    const int extra = rng.Int(4) == 0 ? cells / 2 : 14;
    const int target = std::min(cells - 1, static_cast<int>(word.size()) + rng.Int(extra));
    for (int seat = 1; model.State.LetterCountOnField < target; seat = seat % 5 + 1) {
        model.State.CurrentSeat = static_cast<uint8_t>(seat);
        s.Seat(seat).Skill = static_cast<uint8_t>(1 + rng.Int(7));
        if (PlayComputerMove(player, model).Word.empty()) break;
    }
    return model;
}

void CompareOnRandomFields(const char* dictName, int fields, uint64_t seed) {
    const ShippedDictionary& dict = Shipped(dictName);
    ASSERT_GT(dict.words.TotalWords(), 1000u);
    const ComputerPlayer player(dict.words);
    Random rng(seed);
    std::size_t entries = 0;
    for (int n = 0; n < fields; ++n) {
        GameModel model = MidGame(dict, player, rng);
        const GameSettings& s = model.Settings;
        const int minLen = 2 + rng.Int(3);
        const int maxLen = minLen + rng.Int(6);
        for (bool longestOnly : {false, true}) {
            std::vector<Candidate> reference;
            std::vector<Candidate> fast;
            Random r1(1);
            Random r2(1);
            FindCandidatesReference(model.Board, s, model.State.FieldLetters, model.State.UsedWords,
                                    dict.words, minLen, maxLen, longestOnly, 7, r1, reference);
            player.FindCandidates(model.Board, s, model.State.FieldLetters, model.State.UsedWords,
                                  minLen, maxLen, longestOnly, 7, r2, fast);
            entries += reference.size();
            ASSERT_EQ(test::Sorted(test::CandidateTexts(reference)),
                      test::Sorted(test::CandidateTexts(fast)))
                << dictName << " field " << n << " directions " << s.Directions << " crossings "
                << s.AllowCrossings << " exwords " << s.AllowExWords << " letters "
                << model.State.FieldLetters << " lengths " << minLen << ".." << maxLen
                << " longestOnly " << longestOnly;
        }
    }
    // The fields must give the comparison something to compare.
    EXPECT_GT(entries, static_cast<std::size_t>(fields) * 5);
}

TEST(SearchPropertyTest, FastMatchesReferenceOnRussianFields) {
    CompareOnRandomFields("General_rus", 300, 11);
}

TEST(SearchPropertyTest, FastMatchesReferenceOnEnglishFields) {
    CompareOnRandomFields("General_eng", 250, 12);
}

// A store of more than 32 distinct letters: the graph then tells the letters past the 31st apart
// by their bytes. Small random words over 40 letters on small random fields.
TEST(SearchPropertyTest, FastMatchesReferenceWithALargeAlphabet) {
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
    Random rng(99);
    std::vector<std::string> list;
    for (int n = 0; n < 3000; ++n) {
        std::string w;
        const int len = 2 + rng.Int(4);
        for (int i = 0; i < len; ++i) w += alphabet[rng.Int(static_cast<int>(alphabet.size()))];
        list.push_back(w);
    }
    const WordStore store = test::MakeStore(list);
    const ComputerPlayer player(store);
    std::size_t entries = 0;
    for (int n = 0; n < 150; ++n) {
        Field f(3 + rng.Int(4), 3 + rng.Int(4));
        std::string letters;
        for (int c = 0; c < f.Cols(); ++c) {
            for (int r = 0; r < f.Rows(); ++r) {
                if (rng.Int(2) == 0) continue;
                const char ch = rng.Int(20) == 0 ? kJoker : list[rng.Int(300)][0];
                f.Set(c, r, ch);
                letters += ch;
            }
        }
        GameSettings s = test::MakeSettings("11111111", rng.Int(2) == 1, rng.Int(2) == 1);
        for (bool longestOnly : {false, true}) {
            std::vector<Candidate> reference;
            std::vector<Candidate> fast;
            Random r1(1);
            Random r2(1);
            FindCandidatesReference(f, s, letters, {}, store, 2, 5, longestOnly, 7, r1, reference);
            player.FindCandidates(f, s, letters, {}, 2, 5, longestOnly, 7, r2, fast);
            entries += reference.size();
            ASSERT_EQ(test::Sorted(test::CandidateTexts(reference)),
                      test::Sorted(test::CandidateTexts(fast)))
                << "field " << n;
        }
    }
    EXPECT_GT(entries, 150u);
}

// Dictionaries in which some first letters have exactly the same continuations, so that the
// word graph shares the nodes after them: every word of one first letter is mirrored into
// another (and back), over small alphabets. Random fields of those letters.
TEST(SearchPropertyTest, FastMatchesReferenceWhenFirstLettersShareTheirContinuations) {
    Random rng(2024);
    std::size_t entries = 0;
    for (int dict = 0; dict < 40; ++dict) {
        const int letterCount = 3 + rng.Int(6);
        const auto letter = [&] { return static_cast<char>('A' + rng.Int(letterCount)); };
        std::vector<std::string> list;
        for (int n = 0, words = 20 + rng.Int(200); n < words; ++n) {
            std::string w;
            for (int i = 0, len = 2 + rng.Int(5); i < len; ++i) w += letter();
            list.push_back(w);
        }
        // Pairs of first letters whose words are made the same after the first letter.
        for (int pair = 0, pairs = 1 + rng.Int(3); pair < pairs; ++pair) {
            const char a = letter();
            const char b = letter();
            const std::size_t count = list.size();
            for (std::size_t i = 0; i < count; ++i) {
                if (list[i][0] != a && list[i][0] != b) continue;
                std::string mirrored = list[i];
                mirrored[0] = list[i][0] == a ? b : a;
                list.push_back(mirrored);
            }
        }
        const WordStore store = test::MakeStore(list);
        const ComputerPlayer player(store);
        for (int n = 0; n < 10; ++n) {
            Field f(3 + rng.Int(4), 3 + rng.Int(4));
            std::string letters;
            for (int c = 0; c < f.Cols(); ++c) {
                for (int r = 0; r < f.Rows(); ++r) {
                    if (rng.Int(5) < 2) continue;
                    const char ch = rng.Int(25) == 0 ? kJoker : letter();
                    f.Set(c, r, ch);
                    letters += ch;
                }
            }
            std::string directions;
            do {
                directions.clear();
                for (int k = 0; k < 8; ++k) directions += rng.Int(3) == 0 ? '0' : '1';
            } while (directions == "00000000");
            const GameSettings s = test::MakeSettings(directions, rng.Int(2) == 1, rng.Int(2) == 1);
            SortedWordList used;
            if (rng.Int(2) == 0) used.Add(list[rng.Int(static_cast<int>(list.size()))]);
            for (bool longestOnly : {false, true}) {
                std::vector<Candidate> reference;
                std::vector<Candidate> fast;
                Random r1(1);
                Random r2(1);
                FindCandidatesReference(f, s, letters, used, store, 2, 6, longestOnly, 7, r1,
                                        reference);
                player.FindCandidates(f, s, letters, used, 2, 6, longestOnly, 7, r2, fast);
                entries += reference.size();
                ASSERT_EQ(test::Sorted(test::CandidateTexts(reference)),
                          test::Sorted(test::CandidateTexts(fast)))
                    << "dictionary " << dict << " field " << n << " directions " << directions;
            }
        }
    }
    EXPECT_GT(entries, 400u);
}

}  // namespace
}  // namespace tq
