// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The field-driven word search of the computer player (used through ComputerPlayer).

#include <string>
#include <vector>

#include "base/game_state.h"
#include "base/letters.h"
#include "base/random.h"
#include "base/rules.h"
#include "computer/candidate.h"
#include "computer/word_graph.h"

namespace tq {

// What a search is asked for: the contract of FindCandidatesReference (computer/reference_search.h)
// with maxLen already lowered to the letters on the field plus one, and minLen <= maxLen.
struct FieldSearchRequest {
    const Field& field;
    const GameSettings& settings;
    const std::string& fieldLetters;
    const SortedWordList& usedWords;
    int minLen;
    int maxLen;
    bool longestOnly;
    int filter;
    Random& rng;
};

// Appends a candidate to `out` for every way to form a word of the graph through one empty cell,
// under the tests and the skill filter of the request.
void SearchField(const WordGraph& graph, const FieldSearchRequest& request,
                 std::vector<Candidate>& out);

}  // namespace tq
