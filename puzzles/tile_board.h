// What the numbered puzzles share: the goal order, tile (row - 1) * 4 + col in board cell [col][row], the
// drawing of a tile where its cell stands, and the board of sixteen cells in words and in the checks.
#pragma once

#include <cstdint>

#include "core/cells.h"
#include "core/drawing.h"
#include "core/game.h"
#include "puzzles/board_text.h"

namespace tessel {

constexpr int32_t GoalTile(int32_t col, int32_t row) {
    return CellIndex(col, row) + 1;
}
// The cell a tile belongs in.
constexpr int32_t GoalCol(int32_t tile) {
    return ColOf(tile - 1);
}
constexpr int32_t GoalRow(int32_t tile) {
    return RowOf(tile - 1);
}

// Writes 1 to 16 in reading order into the sixteen board cells; the ring is left alone.
void WriteGoalOrder(TileGrid& grid);

// Whether the sixteen board cells read 1 to 16 in reading order, row by row.
bool IsInGoalOrder(const TileGrid& grid);

// Draws a cell-sized image at the cell's current position in the tile grid.
void DrawAtCell(Game& game, ImageId image, int32_t col, int32_t row);

// Draws the cell's green numbered tile at the cell's current position; an empty cell draws nothing.
void DrawTileAtCell(Game& game, int32_t col, int32_t row);

// Whether rows 1 to lastRow of the board hold tiles 1 to `highest` once each and nothing else but gaps.
bool HoldsTilesOnce(const TileGrid& grid, int32_t highest, int32_t lastRow = 4);

// The cell's rectangle, where the keyboard's cursor outlines it.
Outline TileCellBox(const Game& game, int32_t col, int32_t row);

// The 4 x 4 board alone in words, each cell played at its middle: tiles by their number, a cell without
// one by `none`.
BoardText DescribeTileBoard(const Game& game, BoardWords::Kind none);

}  // namespace tessel
