// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small fields for the search tests, written row by row as text: '-' empty, '?' the joker.

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "base/chain_rules.h"
#include "base/game_state.h"
#include "base/rules.h"
#include "computer/candidate.h"
#include "dict/word_store.h"

namespace tq::test {

inline Field MakeField(std::initializer_list<std::string_view> rows) {
    const auto& first = *rows.begin();
    Field f(static_cast<int>(first.size()), static_cast<int>(rows.size()));
    int r = 0;
    for (std::string_view row : rows) {
        for (int c = 0; c < static_cast<int>(row.size()); ++c) f.Set(c, r, row[c]);
        ++r;
    }
    return f;
}

// The occupied cells' characters, as FieldLetters holds them.
inline std::string LettersOf(const Field& f) {
    std::string s;
    for (int c = 0; c < f.Cols(); ++c)
        for (int r = 0; r < f.Rows(); ++r)
            if (f.At(c, r) != kEmptyCell) s += f.At(c, r);
    return s;
}

inline WordStore MakeStore(std::vector<std::string> words) {
    WordStore store;
    store.AddWords(std::move(words));
    return store;
}

inline GameSettings MakeSettings(std::string directions, bool crossings = false,
                                 bool exWords = false) {
    GameSettings s;
    s.Directions = std::move(directions);
    s.AllowCrossings = crossings;
    s.AllowExWords = exWords;
    return s;
}

// A candidate as the tests write it: "WORD<k>cc:cc:", the word, the new letter's place and the
// chain's codes; texts sort in the order the move chooser draws from.
inline std::string CandidateText(const Candidate& c) {
    return c.word + "<" + std::to_string(c.newPos) + ">" + ChainText(c.cells);
}

inline std::vector<std::string> CandidateTexts(const std::vector<Candidate>& candidates) {
    std::vector<std::string> texts;
    for (const Candidate& c : candidates) texts.push_back(CandidateText(c));
    return texts;
}

inline std::vector<std::string> Sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

}  // namespace tq::test
