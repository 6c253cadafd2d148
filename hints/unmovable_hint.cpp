// "Unmovable": "Normal" without the moves of its locked column and row, searched as if the locked ones
// were column 1 and row 1. The rows and columns shift round, so shifting the whole board round (and
// renumbering each tile by the cell it belongs in) gives the same puzzle with the locked cell in the corner.
#include "hints/hint_parts.h"
#include "hints/line_search.h"
#include "puzzles/tile_board.h"
#include "puzzles/unmovable.h"

namespace tessel {

namespace {

// Line k of the board seen from the locked cell is line k + shift - 1 of the board on the screen.
constexpr int32_t Shifted(int32_t line, int32_t shift) {
    return (line + shift - 2) % 4 + 1;
}

}  // namespace

LineRules UnmovableRules() {
    LineRules rules;
    for (const ShiftDirection direction :
         {ShiftDirection::Up, ShiftDirection::Right, ShiftDirection::Down, ShiftDirection::Left}) {
        rules.locked[LineMove(direction, 1)] = true;
    }
    // 15 and 16 swapped: as on "Normal", with column 2 taking the first column's part.
    rules.waysRound[0] = {0, 14, 15, LineMove(ShiftDirection::Up, 2)};
    rules.wayCount = 1;
    // Groups round the locked cell (cell 0); mirrored and turned over the diagonal, each serves up to eight.
    rules.groups = {{{1, 2, 3, 5, 6}, {4, 5, 6, 7, 1}, {5, 6, 7, 9, 10}, {1, 2, 3, 4, 8}}};
    rules.groupCount = 4;
    // As on "Normal", the first pass reaching a little further: twelve first moves.
    rules.passes = {{{2, 3, 16, 1'000}, {1, 2, 12, 1'500}}};
    rules.passCount = 2;
    return rules;
}

std::optional<Hint> UnmovableHint(const Game& game) {
    const TileGrid& grid = game.tileGrid;
    const int32_t fixedColumn = game.fixedColumn, fixedRow = game.fixedRow;
    if (fixedColumn < 1 || fixedColumn > 4 || fixedRow < 1 || fixedRow > 4) return std::nullopt;
    TileGrid seen{};
    for (int32_t row = 1; row <= 4; ++row) {
        for (int32_t col = 1; col <= 4; ++col) {
            const int32_t tile = grid.Tile(Shifted(col, fixedColumn), Shifted(row, fixedRow));
            if (tile < 1 || tile > 16) return std::nullopt;
            // The tile's own cell, seen from the locked cell.
            const int32_t homeCol = (GoalCol(tile) - fixedColumn + 4) % 4 + 1;
            const int32_t homeRow = (GoalRow(tile) - fixedRow + 4) % 4 + 1;
            seen.Tile(col, row) = GoalTile(homeCol, homeRow);
        }
    }
    if (seen.Tile(1, 1) != 1) return std::nullopt;  // the locked cell lost its tile: no move brings it back
    const LineSearch found = SearchLines(seen, UnmovableRules());
    if (found.found.move < 0) return std::nullopt;
    const ShiftDirection direction = MoveDirection(found.found.move);
    const int32_t line =
        Shifted(MoveLine(found.found.move), IsColumnShift(direction) ? fixedColumn : fixedRow);
    return LineShiftHint(game, direction, line);
}

}  // namespace tessel
