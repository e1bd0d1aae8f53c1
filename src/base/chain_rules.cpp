// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/chain_rules.h"

#include <algorithm>

namespace tq {

namespace {

bool Occupied(char c) {
    return c != kEmptyCell;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether the chain steps from a straight to b.
bool HasStep(std::span<const Cell> chain, Cell a, Cell b) {
    for (std::size_t i = 0; i + 1 < chain.size(); ++i)
        if (chain[i] == a && chain[i + 1] == b) return true;
    return false;
}

}  // namespace

bool CanPutLetter(const Field& field, const GameRules& rules, Cell cell) {
    if (!field.Inside(cell.col, cell.row) || Occupied(field.At(cell))) return false;
    auto occupied = [&](int c, int r) { return field.Inside(c, r) && Occupied(field.At(c, r)); };
    const int c = cell.col;
    const int r = cell.row;
    if (rules.AnyStraight() &&
        (occupied(c - 1, r) || occupied(c, r - 1) || occupied(c + 1, r) || occupied(c, r + 1)))
        return true;
    if (rules.AnyDiagonal() && (occupied(c - 1, r - 1) || occupied(c - 1, r + 1) ||
                                occupied(c + 1, r - 1) || occupied(c + 1, r + 1)))
        return true;
    return false;
}

bool IsStep(const GameRules& rules, Cell from, Cell to) {
    const int dc = to.col - from.col;
    const int dr = to.row - from.row;
    for (int k = 0; k < 8; ++k)
        if (rules.DirectionOn(k) && kDirections[k].dc == dc && kDirections[k].dr == dr) return true;
    return false;
}

bool CrossesChain(Cell from, Cell to, std::span<const Cell> chain) {
    if (from.col == to.col || from.row == to.row) return false;
    const Cell a{from.col, to.row};
    const Cell b{to.col, from.row};
    return HasStep(chain, a, b) || HasStep(chain, b, a);
}

std::string ChainText(std::span<const Cell> cells) {
    std::string out;
    out.reserve(cells.size() * 3);
    for (Cell c : cells) {
        out += CellCode(c);
        out += ':';
    }
    return out;
}

std::optional<std::vector<Cell>> ParseChain(std::string_view text) {
    std::vector<Cell> cells;
    std::size_t i = 0;
    while (i < text.size()) {
        if (i + 2 > text.size() || !IsDigit(text[i]) || !IsDigit(text[i + 1])) return std::nullopt;
        cells.push_back(Cell{text[i] - '0', text[i + 1] - '0'});
        i += 2;
        if (i == text.size()) break;
        if (text[i] != ':') return std::nullopt;
        ++i;
    }
    if (cells.empty()) return std::nullopt;
    return cells;
}

bool ChainHasCell(std::span<const Cell> chain, Cell cell) {
    return std::find(chain.begin(), chain.end(), cell) != chain.end();
}

bool CanExtendChain(const GameRules& rules, std::span<const Cell> chain, Cell to) {
    if (chain.empty()) return true;
    if (ChainHasCell(chain, to)) return false;
    const Cell from = chain.back();
    if (!IsStep(rules, from, to)) return false;
    return rules.AllowCrossings || !CrossesChain(from, to, chain);
}

bool IsLegalChain(const Field& field, const GameRules& rules, std::span<const Cell> cells,
                  std::optional<Cell> newLetterCell) {
    if (cells.empty()) return false;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const Cell c = cells[i];
        if (!field.Inside(c.col, c.row)) return false;
        if (!Occupied(field.At(c)) && !(newLetterCell && *newLetterCell == c)) return false;
        if (!CanExtendChain(rules, cells.first(i), c)) return false;
    }
    return true;
}

std::string ChainWord(const Field& field, std::span<const Cell> cells,
                      std::optional<Cell> newLetterCell, char newLetter,
                      std::string_view jokerLetters) {
    std::string word;
    std::size_t joker = 0;
    for (Cell c : cells) {
        if (!field.Inside(c.col, c.row)) continue;
        if (newLetterCell && *newLetterCell == c) {
            word += newLetter;
        } else if (field.At(c) == kJoker) {
            word += joker < jokerLetters.size() ? jokerLetters[joker] : kJoker;
            ++joker;
        } else {
            word += field.At(c);
        }
    }
    return word;
}

}  // namespace tq
