// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A way the search found to form a word, as the move chooser takes it.

#include <string>
#include <vector>

#include "base/field.h"

namespace tq {

// One way to form a word through one empty cell: the word, the cells of its chain in the word's
// order, and the place of the new letter in both (from 1).
struct Candidate {
    std::string word;
    std::vector<Cell> cells;
    int newPos = 0;

    friend bool operator==(const Candidate&, const Candidate&) = default;
};

// The fixed order the move chooser draws from, so that a seeded game does not depend on the
// order the search finds ways in: by the word's bytes (a word before the longer words it
// begins), then by the new letter's place as decimal text ("10" before "2"), then by the cells'
// codes. It is the byte order of the text "WORD<k>cc:cc:", in which seeded games have always
// been drawn, and must stay so for a seed to give the same game.
bool CandidateBefore(const Candidate& a, const Candidate& b);

}  // namespace tq
