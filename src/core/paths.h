#pragma once
// Field geometry: where a letter may be put, which cell continues a chain, and whether a diagonal
// step crosses one already in the chain. Chains are written as cell codes each followed by ':'.

#include <string_view>

#include "core/model.h"

namespace tq {

// Whether a new letter may go into the cell: it is empty and some neighbour is occupied (the
// straight neighbours when any straight direction is on, the diagonal ones when any diagonal is).
bool CanPutLetter(const Field& field, const GameSettings& settings, Cell cell);

// Whether `to` continues a chain whose last cell is `from` in an enabled direction.
bool IsStep(const GameSettings& settings, Cell from, Cell to);

// Whether the diagonal step from -> to crosses a step of the chain (walked either way).
bool CrossesChain(Cell from, Cell to, std::string_view markedPath);

}  // namespace tq
