// The goal order shared by the numbered puzzles: tile (row - 1) * 4 + col in board cell [col][row].
#pragma once

#include <cstdint>

#include "core/game.h"

namespace tessel {

constexpr int32_t GoalTile(int32_t col, int32_t row) {
    return (row - 1) * 4 + col;
}

// Writes 1 to 16 in reading order into the sixteen board cells; the ring is left alone.
void WriteGoalOrder(TileGrid& grid);

// Whether the sixteen board cells read 1 to 16 in reading order, row by row.
bool IsInGoalOrder(const TileGrid& grid);

// Draws a cell-sized image at the cell's current position in the tile grid.
void DrawAtCell(Game& game, ImageId image, int32_t col, int32_t row);

// Draws the cell's green numbered tile at the cell's current position; an empty cell draws nothing.
void DrawTileAtCell(Game& game, int32_t col, int32_t row);

}  // namespace tessel
