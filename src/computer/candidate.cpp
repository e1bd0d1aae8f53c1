// SPDX-License-Identifier: GPL-3.0-or-later
#include "computer/candidate.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>

namespace tq {

namespace {

// The new letter's place as it reads in the order: its digits, then '>'.
std::string_view PlaceText(int newPos, char (&buffer)[16]) {
    char* const end = std::to_chars(buffer, buffer + sizeof buffer - 1, newPos).ptr;
    *end = '>';
    return {buffer, static_cast<std::size_t>(end + 1 - buffer)};
}

}  // namespace

bool CandidateBefore(const Candidate& a, const Candidate& b) {
    const std::size_t common = std::min(a.word.size(), b.word.size());
    // memcmp compares unsigned bytes, as std::string does.
    if (const int c = std::memcmp(a.word.data(), b.word.data(), common); c != 0) return c < 0;
    // One word begins the other: the shorter one's '<' meets the longer one's next letter.
    constexpr unsigned char kOpen = '<';
    if (a.word.size() < b.word.size()) return kOpen < static_cast<unsigned char>(b.word[common]);
    if (b.word.size() < a.word.size()) return static_cast<unsigned char>(a.word[common]) < kOpen;
    if (a.newPos != b.newPos) {
        char x[16], y[16];
        return PlaceText(a.newPos, x) < PlaceText(b.newPos, y);
    }
    // Two digits a cell, each followed by ':': the codes compare as (column, row) pairs.
    return std::lexicographical_compare(
        a.cells.begin(), a.cells.end(), b.cells.begin(), b.cells.end(),
        [](Cell p, Cell q) { return p.col != q.col ? p.col < q.col : p.row < q.row; });
}

}  // namespace tq
