// "Almost Impossible": tiles 1 to 16 fill the 4 x 4 board with no gap. Tapping an inner corner, where four
// tiles meet, turns that 2 x 2 block a quarter turn clockwise; the board is solved when the tiles read
// 1 to 16 again.
#pragma once

#include <cstdint>

#include "core/drawing.h"
#include "core/game.h"
#include "puzzles/puzzle_table.h"

namespace tessel {

// Random counter-clockwise turns of one to three quarters that scramble a new board.
inline constexpr int32_t ALMOST_IMPOSSIBLE_SCRAMBLE_STEPS = 10;

// How far from an inner corner a tap may land, in x and in y, and still turn its block.
inline constexpr int32_t CORNER_TOLERANCE = 7;

// How far each tile of a turning block travels per intermediate frame: a third of a cell.
inline constexpr int32_t ROTATE_STEP = 8;

inline constexpr PuzzleLabel ALMOST_IMPOSSIBLE_LABEL{IMG_LABEL_ALMOST_IMPOSSIBLE, ALMOST_IMPOSSIBLE_LABEL_X,
                                                     ALMOST_IMPOSSIBLE_LABEL_Y,
                                                     ALMOST_IMPOSSIBLE_LABEL_WIDTH};

enum class Turn { Clockwise, CounterClockwise };

// A quarter turn of the block whose top-left cell is (col, row), col and row 1 to 3: every tile of the block
// moves one cell on, the way the turn goes. The player turns clockwise only.
void TurnBlock(TileGrid& grid, int32_t col, int32_t row, Turn turn);

// The inner corner of the block whose top-left cell is (col, row): the point where its four cells meet,
// which a tap turns it at.
Point InnerCorner(const TileGrid& grid, int32_t col, int32_t row);

void SetupAlmostImpossible(Game& game);
void TapAlmostImpossible(Game& game, int32_t x, int32_t y);
bool IsAlmostImpossibleSolved(const Game& game);
void DrawAlmostImpossible(Game& game);

// Everything the rest of the game asks of the puzzle.
extern const Puzzle ALMOST_IMPOSSIBLE_PUZZLE;

}  // namespace tessel
