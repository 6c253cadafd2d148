#include "puzzles/unmovable.h"

#include "core/platform.h"
#include "puzzles/line_shifts.h"
#include "puzzles/tile_board.h"

namespace tessel {

bool IsLocked(const Game& game, ShiftDirection direction, int32_t line) {
    return line == (IsColumnShift(direction) ? game.fixedColumn : game.fixedRow);
}

// Only the sixteen board cells are written; the ring keeps whatever the last puzzle left there.
void SetupUnmovable(Game& game) {
    ResetBanner(game);
    TileGrid& grid = game.tileGrid;
    WriteGoalOrder(grid);
    // Drawn before the seeding, from wherever the generator stands: the first choice after start-up is
    // the same in every run.
    game.fixedColumn = DrawRandom() % 4 + 1;
    game.fixedRow = DrawRandom() % 4 + 1;
    SeedRandomFromTickCount();
    for (int32_t accepted = 0; accepted < UNMOVABLE_SCRAMBLE_MOVES;) {
        const ScrambleMove move = DrawScrambleMove();
        if (IsLocked(game, move.direction, move.line)) continue;  // refused; its draws stay spent
        ApplyScrambleMove(grid, move);
        ++accepted;
    }
    PlaceCells(grid, UNMOVABLE_GRID_ORIGIN);
}

// The regions of "Normal"; a tap in a locked line's region has no effect at all, not even a frame.
void TapUnmovable(Game& game, int32_t x, int32_t y) {
    ScanArrowRegions(
        game.tileGrid, x, y,
        [&](ShiftDirection direction, int32_t line) { return !IsLocked(game, direction, line); },
        [&](ShiftDirection direction, int32_t line) { ShiftLineByTap(game, direction, line); });
}

bool IsUnmovableSolved(const Game& game) {
    return IsInGoalOrder(game.tileGrid);
}

// The board and its twelve arrows; ring cells are not drawn, so the places of the locked lines' arrows
// stay white.
void DrawUnmovable(Game& game) {
    DrawPuzzleFrame(game, UNMOVABLE_LABEL);
    const TileGrid& grid = game.tileGrid;
    const auto draw = [&](ImageId id, int32_t col, int32_t row) { DrawAtCell(game, id, col, row); };
    for (int32_t row = 1; row <= 4; ++row) {
        for (int32_t col = 1; col <= 4; ++col) {
            const bool fixed = col == game.fixedColumn && row == game.fixedRow;
            draw(fixed ? GreyTileImage(GoalTile(col, row)) : TileImage(grid.Tile(col, row)), col, row);
        }
    }
    DrawArrows(game, game.fixedColumn, game.fixedRow);
}

const LineDrag UNMOVABLE_DRAG{
    4,
    [](const Game& game, ShiftDirection direction, int32_t line) { return !IsLocked(game, direction, line); },
    RingArrowTap, DrawWrappedLine};

}  // namespace tessel
