// "Uneven": the sixteen tiles in four columns of five cells, each column with one gap at its top or its
// bottom. A column slides one cell into its gap; the three middle rows, always full, shift cyclically
// sideways; rows 1 and 5 never shift. The board is solved when rows 1 to 4 read 1 to 16, every gap below.
#pragma once

#include <cstdint>

#include "core/drawing.h"
#include "core/game.h"
#include "puzzles/line_drag.h"
#include "puzzles/line_shifts.h"
#include "puzzles/puzzle_table.h"

namespace tessel {

// Accepted random moves that scramble a new board; refused attempts do not count.
inline constexpr int32_t UNEVEN_SCRAMBLE_MOVES = 20;

inline constexpr PuzzleLabel UNEVEN_LABEL{IMG_LABEL_UNEVEN, UNEVEN_LABEL_X, UNEVEN_LABEL_Y,
                                          UNEVEN_LABEL_WIDTH};

void SetupUneven(Game& game);
void TapUneven(Game& game, int32_t x, int32_t y);
bool IsUnevenSolved(const Game& game);
void DrawUneven(Game& game);

// The moves the rules allow: a column only slides into its gap, up when the column is down (its gap in
// row 1) and down when it is up (its gap in row 5), and only the full rows 2 to 4 shift.
constexpr bool UnevenAllows(ShiftDirection direction, int32_t line, bool columnDown) {
    if (!IsColumnShift(direction)) return line != 1;
    return columnDown == (direction == ShiftDirection::Up);
}

// Whether a move can act on this board.
bool CanMoveUneven(const TileGrid& grid, ShiftDirection direction, int32_t line);

// The top-left corner of the cell of the arrow that moves the line that way: a column's down arrow stands
// one cell below its fifth cell, the others where "Normal" has them.
Point UnevenArrowCell(const TileGrid& grid, ShiftDirection direction, int32_t line);

// A column's four tiles move one cell into its gap: up when the gap is in row 1, down when it is in row 5.
void SlideColumnUp(TileGrid& grid, int32_t col);
void SlideColumnDown(TileGrid& grid, int32_t col);

// Everything the rest of the game asks of the puzzle.
extern const Puzzle UNEVEN_PUZZLE;

// Rows 2 to 4 move sideways round the board; a column moves only the one cell into its gap.
extern const LineDrag UNEVEN_DRAG;

}  // namespace tessel
