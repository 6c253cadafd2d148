// A board in words, for screen readers: each cell named by what it holds, with the rectangle it is painted
// in and the point a tap on it is played at. Every puzzle describes its own board with these.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/game.h"

namespace tessel {

// A thing on the screen: its name, the rectangle it is painted in and the point a tap on it is played at,
// all in picture pixels. A cell also tells its place on the board ("row 2 column 3", "column 2" for an
// arrow over column 2, empty where none helps) and, if it holds a tile, the tile's number: a tile keeps
// its number as it travels.
struct ScreenItem {
    std::string name;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t tapX = 0;
    int32_t tapY = 0;
    std::string place;
    int32_t tile = 0;
};

// A board's cells row by row, `columns` by `rows`, the first being cell [firstCol][firstRow] of the
// puzzle's grid.
struct BoardText {
    int32_t columns = 0;
    int32_t rows = 0;
    int32_t firstCol = 0;
    int32_t firstRow = 0;
    std::vector<ScreenItem> cells;
};

// A cell-sized item at (x, y), played at its middle.
ScreenItem CellItem(std::string name, int32_t x, int32_t y, std::string place = {}, int32_t tile = 0);

// "column 3", "row 2".
std::string LineWords(bool column, int32_t line);
// "row 2 column 3".
std::string PlaceWords(int32_t col, int32_t row);
// A tile's number, or `none` for a cell without one.
std::string TileWords(int32_t tile, const char* none);

}  // namespace tessel
