// "15 Puzzle": fifteen numbered tiles and one empty cell on the 4 x 4 board. Tapping a tile directly next
// to the empty cell slides it in; the board is solved when tiles 1 to 15 read in order, the empty cell last.
#pragma once

#include <cstdint>

#include "core/drawing.h"
#include "core/game.h"
#include "puzzles/puzzle_table.h"

namespace tessel {

// Random slides that scramble a new board. A draw that names a slide from beyond the board's edge is
// thrown away and does not count, so every scramble makes exactly this many slides.
inline constexpr int32_t FIFTEEN_SCRAMBLE_MOVES = 80;

inline constexpr PuzzleLabel FIFTEEN_LABEL{IMG_LABEL_FIFTEEN, FIFTEEN_LABEL_X, FIFTEEN_LABEL_Y,
                                           FIFTEEN_LABEL_WIDTH};

// Slides the tile at (blankCol + dCol, blankRow + dRow), a board cell next to the empty cell, into the
// empty cell; that cell becomes the empty cell.
void SlideIntoEmptyCell(TileGrid& grid, int32_t& blankCol, int32_t& blankRow, int32_t dCol, int32_t dRow);

void SetupFifteen(Game& game);
void TapFifteen(Game& game, int32_t x, int32_t y);
bool IsFifteenSolved(const Game& game);
void DrawFifteen(Game& game);

// Everything the rest of the game asks of the puzzle.
extern const Puzzle FIFTEEN_PUZZLE;

}  // namespace tessel
