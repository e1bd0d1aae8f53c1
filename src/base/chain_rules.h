// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Field geometry: where a letter may be put, which cell continues a chain, and whether a diagonal
// step crosses one already in the chain. A chain is a list of cells; files and network lines
// write it as cell codes each followed by ':' ("21:22:33:"), through ChainText and ParseChain
// alone.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/field.h"
#include "base/rules.h"

namespace tq {

// Whether a new letter may go into the cell: it is inside the field, empty, and some neighbour is
// occupied (a letter or the joker). The four straight neighbours are looked at when any straight
// direction is on, the four diagonal ones when any diagonal direction is on, whichever of them.
bool CanPutLetter(const Field& field, const GameRules& rules, Cell cell);

// Whether `to` continues a chain whose last cell is `from` in an enabled direction.
bool IsStep(const GameRules& rules, Cell from, Cell to);

// Whether the diagonal step from -> to crosses a step of the chain (walked either way): the chain
// holds the other diagonal of the same 2 x 2 block as consecutive cells. A straight step never
// crosses.
bool CrossesChain(Cell from, Cell to, std::span<const Cell> chain);

// The chain text of the cells: each cell code followed by ':'.
std::string ChainText(std::span<const Cell> cells);

// The cells of a chain text ("21:22:" or, as the network and the results table write it, without
// the final ':'). Returns nothing when the text is not a well-formed chain.
std::optional<std::vector<Cell>> ParseChain(std::string_view text);

// Whether the cell is one of the chain's.
bool ChainHasCell(std::span<const Cell> chain, Cell cell);

// Whether `to` may be added to the chain: it is not in the chain yet, is a step from the chain's
// last cell, and (unless AllowCrossings) does not cross a diagonal step of the chain. Occupancy
// of `to` is the caller's test. An empty chain accepts any cell.
bool CanExtendChain(const GameRules& rules, std::span<const Cell> chain, Cell to);

// Whether the cells form a legal chain: each is inside the field and occupied (a letter, the joker,
// or `newLetterCell` when given), none occurs twice, every step is enabled and, unless
// AllowCrossings, no diagonal step crosses an earlier one. An empty list is not a chain.
bool IsLegalChain(const Field& field, const GameRules& rules, std::span<const Cell> cells,
                  std::optional<Cell> newLetterCell = std::nullopt);

// The word a chain reads: the letters of its cells in order. `newLetter` stands in newLetterCell
// (when given); each joker cell takes the next letter of `jokerLetters` in chain order ('?' when
// they run out). Cells outside the field read as nothing.
std::string ChainWord(const Field& field, std::span<const Cell> cells,
                      std::optional<Cell> newLetterCell = std::nullopt, char newLetter = '-',
                      std::string_view jokerLetters = {});

}  // namespace tq
