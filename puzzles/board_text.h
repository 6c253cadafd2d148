// A board in words, for screen readers: each cell named by what it holds, with the rectangle it is painted
// in and the point a tap on it is played at, and what a move did. Every puzzle describes its own board and
// moves with these; they say what without the words, which the game's catalogue gives (game/catalogue.h).
#pragma once

#include <cstdint>
#include <vector>

#include "core/game.h"

namespace tessel {

// A few words a screen reader says of a board: what they tell, and their numbers.
struct BoardWords {
    enum Kind : uint8_t {
        NONE,
        // What a cell holds: TILE (first: its number), LOCKED_TILE (its number), EMPTY (the 15 Puzzle's),
        // GAP (an "Uneven" column's), BLANK (a ring cell without an arrow), the four arrows, a light.
        TILE,
        LOCKED_TILE,
        EMPTY,
        GAP,
        BLANK,
        UP_ARROW,
        DOWN_ARROW,
        LEFT_ARROW,
        RIGHT_ARROW,
        LIGHT_ON,
        LIGHT_OFF,
        // A cell's place: CELL_PLACE (first: the row, second: the column), COLUMN or ROW (first: its number).
        CELL_PLACE,
        COLUMN,
        ROW,
        // What a move did: a line shifted (first: the line), a tile slid (first: the tile), a block
        // turned, the pressed light now on or off, LIGHTS_PRESSED (first: how many), LIGHTS_ON (first: how
        // many are on after it).
        COLUMN_UP,
        COLUMN_DOWN,
        ROW_LEFT,
        ROW_RIGHT,
        TILE_UP,
        TILE_DOWN,
        TILE_LEFT,
        TILE_RIGHT,
        BLOCK_TURNED,
        PRESSED_ON,
        PRESSED_OFF,
        LIGHTS_PRESSED,
        LIGHTS_ON,
    };
    Kind kind = NONE;
    int32_t first = 0;
    int32_t second = 0;

    bool operator==(const BoardWords&) const = default;
};

// A board's cell: what it holds, the rectangle it is painted in and the point a tap on it is played at, all
// in picture pixels; its place on the board (a tile's row and column, an arrow's line, none where none
// helps) and, if it holds a tile, the tile's number: a tile keeps its number as it travels.
struct BoardCell {
    BoardWords name;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t tapX = 0;
    int32_t tapY = 0;
    BoardWords place;
    int32_t tile = 0;
};

// A board's cells row by row, `columns` by `rows`, the first being cell [firstCol][firstRow] of the
// puzzle's grid.
struct BoardText {
    int32_t columns = 0;
    int32_t rows = 0;
    int32_t firstCol = 0;
    int32_t firstRow = 0;
    std::vector<BoardCell> cells;
};

// What a move did, in a few parts told together ("column 2 up, column 3 up"); none when the board did not
// change.
using MoveWords = std::vector<BoardWords>;

// A cell-sized item at (x, y), played at its middle.
BoardCell CellItem(BoardWords name, int32_t x, int32_t y, BoardWords place = {}, int32_t tile = 0);

// A column's or a row's number, as a place.
BoardWords LineWords(bool column, int32_t line);
// A cell's row and column, as a place.
BoardWords PlaceWords(int32_t col, int32_t row);
// A tile's number, or `none` for a cell without one.
BoardWords TileWords(int32_t tile, BoardWords::Kind none);

}  // namespace tessel
