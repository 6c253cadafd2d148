#include "puzzles/fifteen.h"

#include <array>
#include <cstdlib>

#include "puzzles/line_shifts.h"
#include "puzzles/tile_board.h"

namespace tessel {

namespace {

// A neighbour of the empty cell, as an offset from it. Its tile slides the other way, into the empty cell.
struct Neighbour {
    int32_t dCol;
    int32_t dRow;
};

constexpr Neighbour ABOVE{0, -1};
constexpr Neighbour RIGHT{1, 0};
constexpr Neighbour BELOW{0, 1};
constexpr Neighbour LEFT{-1, 0};

// How a scramble draw (mod 4) names a neighbour.
constexpr std::array<Neighbour, 4> SCRAMBLE_NEIGHBOURS{ABOVE, LEFT, BELOW, RIGHT};

// The order in which a tap tests the neighbours' squares; the first square that holds the tap decides.
constexpr std::array<Neighbour, 4> TAP_ORDER{ABOVE, RIGHT, BELOW, LEFT};

bool IsOnBoard(int32_t col, int32_t row) {
    return 1 <= col && col <= 4 && 1 <= row && row <= 4;
}

bool CanSlide(const Game& game, Neighbour from) {
    return IsOnBoard(game.blankCol + from.dCol, game.blankRow + from.dRow);
}

// Moves the neighbour's tile into the empty cell; the neighbour becomes the empty cell.
void Slide(Game& game, Neighbour from) {
    SlideIntoEmptyCell(game.tileGrid, game.blankCol, game.blankRow, from.dCol, from.dRow);
}

// The neighbour's cell area, both edges included: it shares an edge line with the empty cell, and a tap on
// a corner lies in two squares.
bool SquareHolds(const Game& game, Neighbour square, int32_t x, int32_t y) {
    const TileGrid& grid = game.tileGrid;
    const int32_t left = grid.Left(game.blankCol, game.blankRow) + square.dCol * CELL_SIZE;
    const int32_t top = grid.Top(game.blankCol, game.blankRow) + square.dRow * CELL_SIZE;
    return left <= x && x <= left + CELL_SIZE && top <= y && y <= top + CELL_SIZE;
}

// Shows the neighbour's tile half-way into the empty cell: the half of its cell that it leaves turns white
// and the tile is drawn displaced by half a cell. The cell's position is put back afterwards.
void DrawSlideFrame(Game& game, Neighbour from) {
    TileGrid& grid = game.tileGrid;
    const int32_t col = game.blankCol + from.dCol;
    const int32_t row = game.blankRow + from.dRow;
    const int32_t left = grid.Left(col, row);
    const int32_t top = grid.Top(col, row);
    grid.Left(col, row) -= from.dCol * SLIDE_STEP;
    grid.Top(col, row) -= from.dRow * SLIDE_STEP;
    const int32_t vacatedX = from.dCol > 0 ? left + SLIDE_STEP : left;
    const int32_t vacatedY = from.dRow > 0 ? top + SLIDE_STEP : top;
    const int32_t vacatedW = from.dCol == 0 ? CELL_SIZE : SLIDE_STEP;
    const int32_t vacatedH = from.dRow == 0 ? CELL_SIZE : SLIDE_STEP;
    DrawImage(game.backBuffer, game.images[IMG_BLANK], vacatedX, vacatedY, vacatedW, vacatedH);
    DrawTileAtCell(game, col, row);
    PresentNow(game);
    grid.Left(col, row) = left;
    grid.Top(col, row) = top;
}

}  // namespace

void SlideIntoEmptyCell(TileGrid& grid, int32_t& blankCol, int32_t& blankRow, int32_t dCol, int32_t dRow) {
    const int32_t col = blankCol + dCol;
    const int32_t row = blankRow + dRow;
    grid.Tile(blankCol, blankRow) = grid.Tile(col, row);
    grid.Tile(col, row) = 0;
    blankCol = col;
    blankRow = row;
}

void SetupFifteen(Game& game, const Deal& deal) {
    ResetBanner(game);
    TileGrid& grid = game.tileGrid;
    WriteGoalOrder(grid);
    grid.Tile(4, 4) = 0;
    game.blankCol = 4;
    game.blankRow = 4;
    game.random.Seed(deal.seed);
    for (int32_t slides = 0; slides < FIFTEEN_SCRAMBLE_MOVES;) {
        const Neighbour from = SCRAMBLE_NEIGHBOURS[game.random.Draw() % 4];
        if (!CanSlide(game, from)) continue;
        Slide(game, from);
        ++slides;
    }
    PlaceCells(grid, FIFTEEN_GRID_ORIGIN);
}

void TapFifteen(Game& game, int32_t x, int32_t y) {
    for (const Neighbour square : TAP_ORDER) {
        if (!SquareHolds(game, square, x, y)) continue;
        // A square beyond the board's edge still takes the tap: it counts as acted, and nothing moves.
        game.tapActed = 1;
        if (CanSlide(game, square)) {
            DrawSlideFrame(game, square);
            Slide(game, square);
        }
        return;
    }
}

bool IsFifteenSolved(const Game& game) {
    // When the first fifteen cells hold 1 to 15, the last one can only hold the empty cell.
    for (int32_t row = 1; row <= 4; ++row) {
        for (int32_t col = 1; col <= 4; ++col) {
            if (col == 4 && row == 4) break;
            if (game.tileGrid.Tile(col, row) != GoalTile(col, row)) return false;
        }
    }
    return true;
}

void DrawFifteen(Game& game) {
    DrawPuzzleFrame(game, FIFTEEN_LABEL);
    // The empty cell is not drawn: the cleared background shows through. The ring stays white.
    for (int32_t row = 1; row <= 4; ++row) {
        for (int32_t col = 1; col <= 4; ++col) DrawTileAtCell(game, col, row);
    }
}

namespace {

// An arrow key slides in the tile beside the empty cell on the side the arrow comes from: Left the tile on
// its right.
Point ArrowKeySlide(const Game& game, ShiftDirection direction) {
    const Neighbour from = direction == ShiftDirection::Up      ? BELOW
                           : direction == ShiftDirection::Right ? LEFT
                           : direction == ShiftDirection::Down  ? ABOVE
                                                                : RIGHT;
    const TileGrid& grid = game.tileGrid;
    const int32_t col = game.blankCol + from.dCol, row = game.blankRow + from.dRow;
    return CellMiddle({grid.Left(col, row), grid.Top(col, row)});
}

BoardText DescribeFifteen(const Game& game) {
    return DescribeTileBoard(game, BoardWords::EMPTY);
}

struct Cell {
    int32_t col = 0;
    int32_t row = 0;
};

Cell EmptyCell(const Board& board) {
    for (int32_t row = 1; row <= 4; ++row) {
        for (int32_t col = 1; col <= 4; ++col) {
            if (board.tiles[static_cast<std::size_t>(col * TileGrid::SIZE + row)] == 0) return {col, row};
        }
    }
    return {};
}

// The tile that slid into the empty cell, and which way.
MoveWords DescribeSlide(const Board& before, const Board& after) {
    const Cell was = EmptyCell(before), is = EmptyCell(after);
    if (std::abs(was.col - is.col) + std::abs(was.row - is.row) != 1) return {};
    const BoardWords::Kind way = was.col > is.col   ? BoardWords::TILE_RIGHT
                                 : was.col < is.col ? BoardWords::TILE_LEFT
                                 : was.row > is.row ? BoardWords::TILE_DOWN
                                                    : BoardWords::TILE_UP;
    const int32_t tile = after.tiles[static_cast<std::size_t>(was.col * TileGrid::SIZE + was.row)];
    return {{way, tile}};
}

std::string BrokenFifteen(const Game& game) {
    const TileGrid& grid = game.tileGrid;
    if (!IsOnBoard(game.blankCol, game.blankRow) || grid.Tile(game.blankCol, game.blankRow) != 0)
        return "15 Puzzle empty cell is not where blankCol and blankRow say";
    return HoldsTilesOnce(grid, 15) ? "" : "15 Puzzle board does not hold 1 to 15 once";
}

}  // namespace

constexpr Puzzle FIFTEEN_PUZZLE{
    .screen = SCREEN_FIFTEEN,
    .label = FIFTEEN_LABEL,
    .name = MarkedName("15 Puzzle"),
    .setup = SetupFifteen,
    .tap = TapFifteen,
    .isSolved = IsFifteenSolved,
    .draw = DrawFifteen,
    .cursorRange = {},  // the arrows slide tiles without a cursor
    .cursorBox = nullptr,
    .pressAt = nullptr,
    .arrowCell = nullptr,
    .columnsSlide = false,
    .arrowKeyAt = ArrowKeySlide,
    .describeBoard = DescribeFifteen,
    .describeMove = DescribeSlide,
    .isLocked = nullptr,
    .grid = GridKind::Tiles,
    .origin = FIFTEEN_GRID_ORIGIN,
    .brokenBoard = BrokenFifteen,
    .drag = nullptr,
    // TRANSLATORS: what the puzzle "15 Puzzle" is, in a line of the help on the menu.
    .summary = MarkedHelp("slide tiles into the one empty cell"),
    // TRANSLATORS: the help of the puzzle "15 Puzzle": its goal, its rules, its drags and keys.
    .rules = MarkedHelp(
        "Put the tiles back in reading order, 1 to 15, with the empty cell in the bottom-right corner. Tap "
        "a tile beside the empty cell to slide it in. Keys: an arrow slides the tile beside the empty cell "
        "that way into it."),
};

}  // namespace tessel
