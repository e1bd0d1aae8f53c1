#include "core/model.h"

namespace tq {

GameSettings::GameSettings() {
    for (int i = 0; i < kMaxSeats; ++i) {
        Players[i].Name = "Player " + std::to_string(i + 1);
        Players[i].Color = kDefaultSeatColors[i];
    }
}

bool GameSettings::AnyStraight() const {
    for (int k = 0; k < 4; ++k)
        if (DirectionOn(k)) return true;
    return false;
}

bool GameSettings::AnyDiagonal() const {
    for (int k = 4; k < 8; ++k)
        if (DirectionOn(k)) return true;
    return false;
}

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
