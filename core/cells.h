// A board cell's place: its index, counted row by row from 0, and its column and row, counted from 1 (the
// ring round a board is column and row 0). Boards of numbered tiles are four cells wide; another width is
// named.
#pragma once

#include <cstdint>

namespace tessel {

inline constexpr int32_t BOARD_WIDTH = 4;

constexpr int32_t CellIndex(int32_t col, int32_t row, int32_t width = BOARD_WIDTH) {
    return (row - 1) * width + col - 1;
}
constexpr int32_t ColOf(int32_t cell, int32_t width = BOARD_WIDTH) {
    return cell % width + 1;
}
constexpr int32_t RowOf(int32_t cell, int32_t width = BOARD_WIDTH) {
    return cell / width + 1;
}

}  // namespace tessel
