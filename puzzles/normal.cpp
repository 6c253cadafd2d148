#include "puzzles/normal.h"

#include "core/platform.h"
#include "puzzles/line_drag.h"
#include "puzzles/line_shifts.h"
#include "puzzles/tile_board.h"

namespace tessel {

void SetupNormal(Game& game) {
    ResetBanner(game);
    TileGrid& grid = game.tileGrid;
    grid.tile.fill(0);
    WriteGoalOrder(grid);
    SeedRandomFromTickCount();
    for (int32_t round = 0; round < NORMAL_SCRAMBLE_ROUNDS; ++round) {
        ApplyScrambleMove(grid, DrawScrambleMove());
    }
    PlaceCells(grid, NORMAL_GRID_ORIGIN);
}

void TapNormal(Game& game, int32_t x, int32_t y) {
    ScanArrowRegions(game.tileGrid, x, y,
                     [&](ShiftDirection direction, int32_t line) { ShiftLineByTap(game, direction, line); });
}

bool IsNormalSolved(const Game& game) {
    return IsInGoalOrder(game.tileGrid);
}

void DrawNormal(Game& game) {
    DrawPuzzleFrame(game, NORMAL_LABEL);
    const TileGrid& grid = game.tileGrid;
    const auto draw = [&](ImageId id, int32_t col, int32_t row) { DrawAtCell(game, id, col, row); };
    for (int32_t row = 0; row < TileGrid::SIZE; ++row) {
        for (int32_t col = 0; col < TileGrid::SIZE; ++col) {
            const int32_t n = grid.Tile(col, row);
            draw(n == 0 ? IMG_BLANK : TileImage(n), col, row);
        }
    }
    for (int32_t k = 1; k <= 4; ++k) draw(IMG_BLANK, k, 0);
    for (int32_t k = 1; k <= 4; ++k) draw(IMG_BLANK, k, 5);
    for (int32_t k = 1; k <= 4; ++k) draw(IMG_BLANK, 5, k);
    for (int32_t k = 1; k <= 4; ++k) draw(IMG_BLANK, 0, k);
    DrawArrows(game);
}

Point RingArrowTap(const TileGrid& grid, ShiftDirection direction, int32_t line) {
    const int32_t half = CELL_SIZE / 2;
    switch (direction) {
        case ShiftDirection::Up:
            return {ColumnLeft(grid, line) + half, RowTop(grid, 0) + half};
        case ShiftDirection::Down:
            return {ColumnLeft(grid, line) + half, RowTop(grid, 5) + half};
        case ShiftDirection::Right:
            return {ColumnLeft(grid, 5) + half, RowTop(grid, line) + half};
        case ShiftDirection::Left:
            break;
    }
    return {ColumnLeft(grid, 0) + half, RowTop(grid, line) + half};
}

const LineDrag NORMAL_DRAG{4, [](const Game&, ShiftDirection, int32_t) { return true; }, RingArrowTap,
                           DrawWrappedLine};

}  // namespace tessel
