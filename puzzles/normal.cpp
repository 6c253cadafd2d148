#include "puzzles/normal.h"

#include "puzzles/line_drag.h"
#include "puzzles/line_shifts.h"
#include "puzzles/tile_board.h"

namespace tessel {

void SetupNormal(Game& game, const Deal& deal) {
    ResetBanner(game);
    TileGrid& grid = game.tileGrid;
    grid.tile.fill(0);
    WriteGoalOrder(grid);
    game.random.Seed(deal.seed);
    for (int32_t round = 0; round < NORMAL_SCRAMBLE_ROUNDS; ++round) {
        ApplyScrambleMove(grid, DrawScrambleMove(game.random));
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

const LineDrag NORMAL_DRAG{4, [](const Game&, ShiftDirection, int32_t) { return true; }, DrawWrappedLine};

namespace {

BoardText DescribeNormal(const Game& game) {
    return DescribeLineBoard(game, 0, 0);
}

MoveWords DescribeNormalMove(const Board& before, const Board& after) {
    return DescribeLineShifts(before, after, 4);
}

std::string BrokenNormal(const Game& game) {
    const TileGrid& grid = game.tileGrid;
    for (int32_t row = 0; row < TileGrid::SIZE; ++row) {
        for (int32_t col = 0; col < TileGrid::SIZE; ++col) {
            const bool onBoard = 1 <= col && col <= 4 && 1 <= row && row <= 4;
            if (!onBoard && grid.Tile(col, row) != 0) return "Normal ring cell is not empty";
        }
    }
    return HoldsTilesOnce(grid, 16) ? "" : "Normal board does not hold 1 to 16 once";
}

}  // namespace

constexpr Puzzle NORMAL_PUZZLE{
    .screen = SCREEN_NORMAL,
    .label = NORMAL_LABEL,
    .name = MarkedName("Normal"),
    .setup = SetupNormal,
    .tap = TapNormal,
    .isSolved = IsNormalSolved,
    .draw = DrawNormal,
    .cursorRange = {1, 4, 1, 4},
    .cursorBox = TileCellBox,
    .pressAt = nullptr,
    .arrowCell = RingArrowCell,
    .columnsSlide = false,
    .arrowKeyAt = nullptr,
    .describeBoard = DescribeNormal,
    .describeMove = DescribeNormalMove,
    .isLocked = nullptr,
    .grid = GridKind::Tiles,
    .origin = NORMAL_GRID_ORIGIN,
    .brokenBoard = BrokenNormal,
    .drag = &NORMAL_DRAG,
    // TRANSLATORS: what the puzzle "Normal" is, in a line of the help on the menu.
    .summary = MarkedHelp("shift whole rows and columns of tiles, round and round"),
    // TRANSLATORS: the help of the puzzle "Normal": its goal, its rules, its drags and keys.
    .rules = MarkedHelp(
        "Put the tiles back in reading order, 1 to 16. Tap an arrow to shift its whole row or column one "
        "cell that way; the tile pushed off one end comes back at the other. A row or a column can also be "
        "dragged with a finger or the mouse. Keys: the arrows move the cursor over the cells, and Shift "
        "with an arrow shifts the cursor's row or column. Enter takes hold of both lines, so that plain "
        "arrows shift them, and lets go again."),
};

}  // namespace tessel
