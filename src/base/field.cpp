// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/field.h"

namespace tq {

std::string CellCode(Cell c) {
    return {static_cast<char>('0' + c.col), static_cast<char>('0' + c.row)};
}

void Field::Reset(int cols, int rows) {
    cols_ = cols;
    rows_ = rows;
    for (auto& column : cells_)
        for (char& cell : column) cell = kEmptyCell;
}

}  // namespace tq
