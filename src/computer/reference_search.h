// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Word search on the field. Two searches share one recursive path tracer: WordOnField tells
// whether a word can already be read on the field, and FindCandidatesReference lists every way to
// form a dictionary word by putting one new letter into an empty cell and reading the word along a
// chain through it. FindCandidatesReference walks every word of the store; it is the plain
// statement of the rules, kept as the yardstick for the fast field-driven search of
// ComputerPlayer (computer/computer_move.h), which must give the same results.

#include <string>
#include <string_view>
#include <vector>

#include "base/game_state.h"
#include "base/letters.h"
#include "base/random.h"
#include "base/rules.h"
#include "computer/candidate.h"
#include "dict/word_store.h"

namespace tq {

// Whether the word can be read on the field along a legal chain of its letters (enabled
// directions, no cell twice, no crossing of diagonal steps unless AllowCrossings). The joker
// matches no letter here; empty cells match nothing. An empty word is never on the field.
bool WordOnField(const Field& field, const GameSettings& settings, std::string_view word);

// The chance that the skill filter lets a word of `length` letters take part: base - slope x
// length for skills 1 to 6 (below 0 means never); every other skill keeps every word (1.0).
double SkillChance(int filter, int length);

// Whether the skill filter keeps a word of `length` letters: draws one real r in [0, 1) for
// skills 1 to 6 and keeps the word when r <= SkillChance; skill 7 (or any other) draws nothing.
bool SkillKeeps(int filter, int length, Random& rng);

// The letter budget: whether the word's letters can come from `fieldLetters` (one character per
// occupied cell) plus one new letter, a joker standing for any one missing letter.
bool WithinLetterBudget(std::string_view word, std::string_view fieldLetters);

// Words that can never be read off a field: they hold the empty-cell or the joker character.
bool SearchableWord(std::string_view word);

// The reference search. For lengths maxLen down to minLen (maxLen lowered to
// fieldLetters.size() + 1), for each word of that length in the store's order: letter budget,
// skill filter, not already on the field (unless AllowExWords), not in usedWords (any case); then
// every chain through exactly one empty cell that spells it, with the joker standing for any
// letter but never for the new one. Appends one candidate per (word, position, chain) to `out`.
// With `longestOnly`, lengths shorter than the longest one that gave an entry are not examined.
void FindCandidatesReference(const Field& field, const GameSettings& settings,
                             const std::string& fieldLetters, const SortedWordList& usedWords,
                             const WordStore& words, int minLen, int maxLen, bool longestOnly,
                             int filter, Random& rng, std::vector<Candidate>& out);

}  // namespace tq
