// Cyclic shifts of a whole column or row of the 4 x 4 board, the random attempts that scramble it, the
// arrow regions that trigger shifts, and the half-step frame that shows a shift under way. "Normal" is made
// of these alone; "Uneven" and "Unmovable" reuse them with their own grid positions (read from the grid's
// cell positions) and their own rule for which lines may move.
#pragma once

#include <cstdint>
#include <string>

#include "core/crt_random.h"
#include "core/game.h"
#include "puzzles/board_text.h"

namespace tessel {

// Displacement shown in the half-step frame of a shift: half a cell.
inline constexpr int32_t SLIDE_STEP = CELL_SIZE / 2;

enum class ShiftDirection { Up, Right, Down, Left };

void ShiftColumnUp(TileGrid& grid, int32_t col);
void ShiftColumnDown(TileGrid& grid, int32_t col);
void ShiftRowLeft(TileGrid& grid, int32_t row);
void ShiftRowRight(TileGrid& grid, int32_t row);
void ShiftLine(TileGrid& grid, ShiftDirection direction, int32_t line);

// Up and down move a column, right and left a row.
inline constexpr bool IsColumnShift(ShiftDirection direction) {
    return direction == ShiftDirection::Up || direction == ShiftDirection::Down;
}

// One attempt of a scramble: a direction, a line 1 to 4 and one to three steps, from three draws of the
// random generator made in this order on every attempt, whether the puzzle then accepts the move or not.
struct ScrambleMove {
    ShiftDirection direction;
    int32_t line;
    int32_t steps;
};
ScrambleMove DrawScrambleMove(CrtRandom& random);

// Shifts the move's line by its number of steps.
void ApplyScrambleMove(TileGrid& grid, const ScrambleMove& move);

// Left edge of column c and top edge of row r, from the grid's current cell positions.
inline int32_t ColumnLeft(const TileGrid& grid, int32_t col) {
    return grid.Left(col, 0);
}
inline int32_t RowTop(const TileGrid& grid, int32_t row) {
    return grid.Top(0, row);
}

// Calls hit(direction, line) for every arrow region that contains (x, y) and whose line canShift(direction,
// line) allows: the families up, right, down, left, lines 1 to 4 within each. A column's region spans its
// width, edges included, and is open from above row 1, or from below the top of row 5, to the window's
// edge; a row's region likewise beside the board. A tap on a shared edge hits both lines, the lower-numbered
// first. canShift is asked when each line's test comes, so it sees the moves of earlier hits in the same
// tap. The scan never stops early.
template <typename CanShift, typename Hit>
void ScanArrowRegions(const TileGrid& grid, int32_t x, int32_t y, CanShift canShift, Hit hit) {
    auto inColumn = [&](int32_t k) { return ColumnLeft(grid, k) <= x && x <= ColumnLeft(grid, k + 1); };
    auto inRow = [&](int32_t k) { return RowTop(grid, k) <= y && y <= RowTop(grid, k + 1); };
    const auto test = [&](bool inRegion, ShiftDirection direction, int32_t k) {
        if (inRegion && canShift(direction, k)) hit(direction, k);
    };
    for (int32_t k = 1; k <= 4; ++k) test(inColumn(k) && y < RowTop(grid, 1), ShiftDirection::Up, k);
    for (int32_t k = 1; k <= 4; ++k) test(inRow(k) && x > ColumnLeft(grid, 5), ShiftDirection::Right, k);
    for (int32_t k = 1; k <= 4; ++k) test(inColumn(k) && y > RowTop(grid, 5), ShiftDirection::Down, k);
    for (int32_t k = 1; k <= 4; ++k) test(inRow(k) && x < ColumnLeft(grid, 1), ShiftDirection::Left, k);
}

// The same scan where every line can shift.
template <typename Hit>
void ScanArrowRegions(const TileGrid& grid, int32_t x, int32_t y, Hit hit) {
    const auto everyLine = [](ShiftDirection, int32_t) { return true; };
    ScanArrowRegions(grid, x, y, everyLine, hit);
}

// The arrows around the board, family by family (up, down, right, left), each line's at its ring cell;
// the arrows of `lockedColumn` and `lockedRow` are left out (0 locks none).
void DrawArrows(Game& game, int32_t lockedColumn = 0, int32_t lockedRow = 0);

// Moves the line's pixels half a cell in the direction of the shift inside the back buffer, with the
// leaving tile's outgoing half re-entering at the other end and the line's arrows drawn intact.
void DrawShiftFrame(Game& game, ShiftDirection direction, int32_t line);

// A shift made by a tap: marks the tap as acted, shows the half-step frame at once, then shifts the tiles.
void ShiftLineByTap(Game& game, ShiftDirection direction, int32_t line);

// The top-left corner of the ring cell whose arrow shifts the line that way: above or below a column,
// beside a row.
Point RingArrowCell(const TileGrid& grid, ShiftDirection direction, int32_t line);

// A line shifted: "column 2 up", "row 3 left".
BoardWords ShiftWords(ShiftDirection direction, int32_t line);

// "Normal" and "Unmovable" in words: the 4 x 4 board in its ring of arrows, the arrows of `lockedColumn`
// and `lockedRow` left out (0 locks none).
BoardText DescribeLineBoard(const Game& game, int32_t lockedColumn, int32_t lockedRow);

// The lines of tiles that all moved one cell, columns first ("column 2 up, column 4 down"); empty unless
// every changed line is one. Columns are `columnLength` cells long from row 1, rows four.
MoveWords DescribeLineShifts(const Board& before, const Board& after, int32_t columnLength);

// A drag moves a line by any number of pixels, not only by half a cell: a column (`column`) or a row, by
// `offset` pixels, positive down or to the right. The back buffer holds the board at rest; the pixels of
// the line's cells, from row or column 1 on, are moved over it.
//   DrawWrappedLine: the line runs round the board, what leaves one end coming back at the other; at half a
//                    cell it is the half-step frame of the shift that way.
//   DrawSlidLine: the line's `cells` cells move without wrapping, the part they leave turning white; a
//                 column of "Uneven" moving into its gap.
void DrawWrappedLine(Game& game, bool column, int32_t line, int32_t offset);
void DrawSlidLine(Game& game, bool column, int32_t line, int32_t offset, int32_t cells);

}  // namespace tessel
