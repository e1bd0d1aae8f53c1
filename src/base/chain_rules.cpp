// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/chain_rules.h"

namespace tq {

namespace {

bool Occupied(char c) {
    return c != kEmptyCell;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The start of the cell codes in a chain text: after a "<...>" prefix when there is one.
std::size_t CodesStart(std::string_view path) {
    if (!path.empty() && path.front() == '<') {
        std::size_t close = path.find('>');
        return close == std::string_view::npos ? path.size() : close + 1;
    }
    return 0;
}

bool HasStep(std::string_view path, Cell a, Cell b) {
    const char step[5] = {static_cast<char>('0' + a.col), static_cast<char>('0' + a.row), ':',
                          static_cast<char>('0' + b.col), static_cast<char>('0' + b.row)};
    const std::string_view s(step, 5);
    // Every ':' stands at a fixed place of its cell's three characters, so a match of the
    // five characters can only start at a cell boundary.
    for (std::size_t i = CodesStart(path); i + 5 <= path.size(); i += 3)
        if (path.substr(i, 5) == s) return true;
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

bool CrossesChain(Cell from, Cell to, std::string_view markedPath) {
    if (from.col == to.col || from.row == to.row) return false;
    const Cell a{from.col, to.row};
    const Cell b{to.col, from.row};
    return HasStep(markedPath, a, b) || HasStep(markedPath, b, a);
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

bool ChainHasCell(std::string_view markedPath, Cell cell) {
    const std::string code = CellCode(cell);
    for (std::size_t i = CodesStart(markedPath); i + 2 <= markedPath.size(); i += 3)
        if (markedPath.substr(i, 2) == code) return true;
    return false;
}

bool CanExtendChain(const GameRules& rules, std::string_view markedPath, Cell to) {
    if (markedPath.size() < 2) return true;
    if (ChainHasCell(markedPath, to)) return false;
    const std::size_t last = (markedPath.size() - 2) / 3 * 3;
    const Cell from{markedPath[last] - '0', markedPath[last + 1] - '0'};
    if (!IsStep(rules, from, to)) return false;
    return rules.AllowCrossings || !CrossesChain(from, to, markedPath);
}

bool IsLegalChain(const Field& field, const GameRules& rules, std::span<const Cell> cells,
                  std::optional<Cell> newLetterCell) {
    if (cells.empty()) return false;
    std::string path;
    for (Cell c : cells) {
        if (!field.Inside(c.col, c.row)) return false;
        if (!Occupied(field.At(c)) && !(newLetterCell && *newLetterCell == c)) return false;
        if (!CanExtendChain(rules, path, c)) return false;
        path += CellCode(c);
        path += ':';
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
