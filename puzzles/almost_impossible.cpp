#include "puzzles/almost_impossible.h"

#include <algorithm>
#include <array>

#include "puzzles/tile_board.h"

namespace tessel {

namespace {

struct Cell {
    int32_t col;
    int32_t row;
};

// The four cells of the block whose top-left cell is (col, row), in clockwise order: top-left, top-right,
// bottom-right, bottom-left. Every turn and every frame goes round them in this order.
constexpr std::array<Cell, 4> BlockCells(int32_t col, int32_t row) {
    return {{{col, row}, {col + 1, row}, {col + 1, row + 1}, {col, row + 1}}};
}

// The way each of those cells travels in a clockwise turn: right, down, left, up.
constexpr std::array<Point, 4> CLOCKWISE_TRAVEL{{{1, 0}, {0, 1}, {-1, 0}, {0, -1}}};

// Moves the block's four cell positions `distance` pixels along the clockwise way round.
void DisplaceBlock(TileGrid& grid, int32_t col, int32_t row, int32_t distance) {
    const auto cells = BlockCells(col, row);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        grid.Left(cells[i].col, cells[i].row) += CLOCKWISE_TRAVEL[i].x * distance;
        grid.Top(cells[i].col, cells[i].row) += CLOCKWISE_TRAVEL[i].y * distance;
    }
}

// One intermediate frame: the block's tiles are wiped where they stand, moved one step on and drawn again.
// Drawn in the block's order, so each tile lies over the one before it, and the last over the first.
void DrawTurnFrame(Game& game, int32_t col, int32_t row) {
    const auto cells = BlockCells(col, row);
    for (const Cell& cell : cells) DrawAtCell(game, IMG_BLANK, cell.col, cell.row);
    DisplaceBlock(game.tileGrid, col, row, ROTATE_STEP);
    for (const Cell& cell : cells) DrawTileAtCell(game, cell.col, cell.row);
    PresentNow(game);
}

bool NearInnerCorner(const TileGrid& grid, int32_t col, int32_t row, int32_t x, int32_t y) {
    const Point corner = InnerCorner(grid, col, row);
    return corner.x - CORNER_TOLERANCE <= x && x <= corner.x + CORNER_TOLERANCE &&
           corner.y - CORNER_TOLERANCE <= y && y <= corner.y + CORNER_TOLERANCE;
}

// A turn made by a tap: shown at a third and two thirds of the way, then made on the tiles. The tap
// cycle's redraw shows the tiles in their new cells.
void TurnBlockByTap(Game& game, int32_t col, int32_t row) {
    game.tapActed = 1;
    DrawTurnFrame(game, col, row);
    DrawTurnFrame(game, col, row);
    DisplaceBlock(game.tileGrid, col, row, -2 * ROTATE_STEP);
    TurnBlock(game.tileGrid, col, row, Turn::Clockwise);
}

}  // namespace

Point InnerCorner(const TileGrid& grid, int32_t col, int32_t row) {
    return {grid.Left(col + 1, row), grid.Top(col + 1, row + 1)};
}

void TurnBlock(TileGrid& grid, int32_t col, int32_t row, Turn turn) {
    const auto cells = BlockCells(col, row);
    std::array<int32_t, 4> tiles{};
    for (std::size_t i = 0; i < cells.size(); ++i) tiles[i] = grid.Tile(cells[i].col, cells[i].row);
    if (turn == Turn::Clockwise) {
        std::rotate(tiles.begin(), tiles.end() - 1, tiles.end());
    } else {
        std::rotate(tiles.begin(), tiles.begin() + 1, tiles.end());
    }
    for (std::size_t i = 0; i < cells.size(); ++i) grid.Tile(cells[i].col, cells[i].row) = tiles[i];
}

void SetupAlmostImpossible(Game& game, const Deal& deal) {
    ResetBanner(game);
    TileGrid& grid = game.tileGrid;
    WriteGoalOrder(grid);
    game.random.Seed(deal.seed);
    // The player only turns clockwise, so the scramble turns the other way.
    for (int32_t step = 0; step < ALMOST_IMPOSSIBLE_SCRAMBLE_STEPS; ++step) {
        const int32_t col = game.random.Draw() % 3 + 1;
        const int32_t row = game.random.Draw() % 3 + 1;
        const int32_t quarters = game.random.Draw() % 3 + 1;
        for (int32_t q = 0; q < quarters; ++q) TurnBlock(grid, col, row, Turn::CounterClockwise);
    }
    PlaceCells(grid, ALMOST_IMPOSSIBLE_GRID_ORIGIN);
}

void TapAlmostImpossible(Game& game, int32_t x, int32_t y) {
    // The corners are a cell apart and their squares narrower than that, so at most one is hit.
    for (int32_t row = 1; row <= 3; ++row) {
        for (int32_t col = 1; col <= 3; ++col) {
            if (NearInnerCorner(game.tileGrid, col, row, x, y)) TurnBlockByTap(game, col, row);
        }
    }
}

bool IsAlmostImpossibleSolved(const Game& game) {
    return IsInGoalOrder(game.tileGrid);
}

void DrawAlmostImpossible(Game& game) {
    DrawPuzzleFrame(game, ALMOST_IMPOSSIBLE_LABEL);
    for (int32_t row = 1; row <= 4; ++row) {
        for (int32_t col = 1; col <= 4; ++col) DrawTileAtCell(game, col, row);
    }
}

namespace {

// The cursor names the block it heads, and outlines it whole.
Outline BlockBox(const Game& game, int32_t col, int32_t row) {
    const TileGrid& grid = game.tileGrid;
    return {grid.Left(col, row), grid.Top(col, row), 2 * CELL_SIZE, 2 * CELL_SIZE, false};
}

Point PressBlock(const Game& game, int32_t col, int32_t row) {
    return InnerCorner(game.tileGrid, col, row);
}

// Each cell is played at the inner corner of the block it heads, the last column and row at the block
// they end, since only corners turn.
BoardText DescribeAlmostImpossible(const Game& game) {
    BoardText text = DescribeTileBoard(game, BoardWords::EMPTY);
    auto cell = text.cells.begin();
    for (int32_t row = 1; row <= 4; ++row) {
        for (int32_t col = 1; col <= 4; ++col, ++cell) {
            const Point corner = InnerCorner(game.tileGrid, std::min(col, 3), std::min(row, 3));
            cell->tapX = corner.x;
            cell->tapY = corner.y;
        }
    }
    return text;
}

MoveWords DescribeAlmostImpossibleMove(const Board& before, const Board& after) {
    if (before.tiles == after.tiles) return {};
    return {{BoardWords::BLOCK_TURNED}};
}

std::string BrokenAlmostImpossible(const Game& game) {
    return HoldsTilesOnce(game.tileGrid, 16) ? "" : "Almost Impossible board does not hold 1 to 16 once";
}

}  // namespace

constexpr Puzzle ALMOST_IMPOSSIBLE_PUZZLE{
    .screen = SCREEN_ALMOST_IMPOSSIBLE,
    .label = ALMOST_IMPOSSIBLE_LABEL,
    .name = MarkedName("Almost Impossible"),
    .setup = SetupAlmostImpossible,
    .tap = TapAlmostImpossible,
    .isSolved = IsAlmostImpossibleSolved,
    .draw = DrawAlmostImpossible,
    .cursorRange = {1, 3, 1, 3},  // the top-left cells of the nine blocks
    .cursorBox = BlockBox,
    .pressAt = PressBlock,
    .arrowCell = nullptr,
    .columnsSlide = false,
    .arrowKeyAt = nullptr,
    .describeBoard = DescribeAlmostImpossible,
    .describeMove = DescribeAlmostImpossibleMove,
    .isLocked = nullptr,
    .grid = GridKind::Tiles,
    .origin = ALMOST_IMPOSSIBLE_GRID_ORIGIN,
    .brokenBoard = BrokenAlmostImpossible,
    .drag = nullptr,
    // TRANSLATORS: what the puzzle "Almost Impossible" is, in a line of the help on the menu.
    .summary = MarkedHelp("turn blocks of four tiles, clockwise only"),
    // TRANSLATORS: the help of the puzzle "Almost Impossible": its goal, its rules, its drags and keys.
    .rules = MarkedHelp(
        "Put the tiles back in reading order, 1 to 16. Tap a point where four tiles meet to turn those four "
        "a quarter turn clockwise; three turns undo one, and Undo takes a turn back at once. Keys: the "
        "arrows move the cursor over the blocks, and Enter or Space turns the block."),
};

}  // namespace tessel
