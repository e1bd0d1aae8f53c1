// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The field of letter cells: cell addresses and their two-digit codes, the grid itself, and the
// eight step directions in the order of the Directions flags.

#include <array>
#include <string>

namespace tq {

constexpr int kMaxFieldSide = 10;
constexpr int kMinFieldSide = 3;

// A cell address, column and row from 0.
struct Cell {
    int col = 0;
    int row = 0;
    friend bool operator==(Cell, Cell) = default;
};

// The two-character code of a cell: column digit, row digit.
std::string CellCode(Cell c);

constexpr char kEmptyCell = '-';
constexpr char kJoker = '?';

// ColCount columns of RowCount one-byte cells: '-' empty, '?' the joker, or a capital.
class Field {
  public:
    Field() { Reset(5, 5); }
    Field(int cols, int rows) { Reset(cols, rows); }
    void Reset(int cols, int rows);
    int Cols() const { return cols_; }
    int Rows() const { return rows_; }
    bool Inside(int c, int r) const { return c >= 0 && r >= 0 && c < cols_ && r < rows_; }
    char At(int c, int r) const { return cells_[c][r]; }
    char At(Cell c) const { return cells_[c.col][c.row]; }
    void Set(int c, int r, char ch) { cells_[c][r] = ch; }
    void Set(Cell c, char ch) { cells_[c.col][c.row] = ch; }
    bool IsEmpty(int c, int r) const { return cells_[c][r] == kEmptyCell; }

  private:
    int cols_ = 0;
    int rows_ = 0;
    char cells_[kMaxFieldSide][kMaxFieldSide];
};

// The eight step directions in the order of the Directions flags.
struct Direction {
    int dc;
    int dr;
};
constexpr std::array<Direction, 8> kDirections = {{
    {-1, 0},   // 1 left
    {+1, 0},   // 2 right
    {0, -1},   // 3 up
    {0, +1},   // 4 down
    {-1, -1},  // 5 up-left
    {+1, -1},  // 6 up-right
    {-1, +1},  // 7 down-left
    {+1, +1},  // 8 down-right
}};

}  // namespace tq
