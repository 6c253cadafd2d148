#include "puzzles/uneven.h"

#include "puzzles/line_shifts.h"
#include "puzzles/tile_board.h"

namespace tessel {

namespace {

// The fifth cell of every column, below the four rows of the goal order.
constexpr int32_t FOOT_ROW = 5;

// The same rule refuses scramble attempts, picks the arrows shown and filters the taps.
bool CanMove(const TileGrid& grid, ShiftDirection direction, int32_t line) {
    return CanMoveUneven(grid, direction, line);
}

void SlideColumn(TileGrid& grid, ShiftDirection direction, int32_t col) {
    if (direction == ShiftDirection::Up) {
        SlideColumnUp(grid, col);
    } else {
        SlideColumnDown(grid, col);
    }
}

// Half a cell of a column's slide: its four tiles move half a cell into the gap and the half cell they
// leave turns white. The arrows are left as they are.
void DrawSlideFrame(Game& game, ShiftDirection direction, int32_t col) {
    const TileGrid& grid = game.tileGrid;
    BackBuffer& buffer = game.backBuffer;
    const Image& blank = game.images[IMG_BLANK];
    const int32_t left = ColumnLeft(grid, col);
    const int32_t tilesHeight = 4 * CELL_SIZE;
    if (direction == ShiftDirection::Up) {
        CopyArea(buffer, left, RowTop(grid, 2) - SLIDE_STEP, CELL_SIZE, tilesHeight, left, RowTop(grid, 2));
        DrawImage(buffer, blank, left, RowTop(grid, FOOT_ROW) + SLIDE_STEP, CELL_SIZE, SLIDE_STEP);
    } else {
        CopyArea(buffer, left, RowTop(grid, 1) + SLIDE_STEP, CELL_SIZE, tilesHeight, left, RowTop(grid, 1));
        DrawImage(buffer, blank, left, RowTop(grid, 1), CELL_SIZE, SLIDE_STEP);
    }
}

void MoveByTap(Game& game, ShiftDirection direction, int32_t line) {
    if (!IsColumnShift(direction)) {
        ShiftLineByTap(game, direction, line);
        return;
    }
    game.tapActed = 1;
    DrawSlideFrame(game, direction, line);
    PresentNow(game);
    SlideColumn(game.tileGrid, direction, line);
}

}  // namespace

bool CanMoveUneven(const TileGrid& grid, ShiftDirection direction, int32_t line) {
    return UnevenAllows(direction, line, grid.Tile(line, 1) == 0);
}

Point UnevenArrowCell(const TileGrid& grid, ShiftDirection direction, int32_t line) {
    if (direction != ShiftDirection::Down) return RingArrowCell(grid, direction, line);
    return {ColumnLeft(grid, line), RowTop(grid, FOOT_ROW) + CELL_SIZE};
}

void SlideColumnUp(TileGrid& grid, int32_t col) {
    for (int32_t row = 1; row < FOOT_ROW; ++row) grid.Tile(col, row) = grid.Tile(col, row + 1);
    grid.Tile(col, FOOT_ROW) = 0;
}

void SlideColumnDown(TileGrid& grid, int32_t col) {
    for (int32_t row = FOOT_ROW; row > 1; --row) grid.Tile(col, row) = grid.Tile(col, row - 1);
    grid.Tile(col, 1) = 0;
}

void SetupUneven(Game& game, const Deal& deal) {
    ResetBanner(game);
    TileGrid& grid = game.tileGrid;
    WriteGoalOrder(grid);
    for (int32_t col = 1; col <= 4; ++col) grid.Tile(col, FOOT_ROW) = 0;
    game.random.Seed(deal.seed);
    for (int32_t accepted = 0; accepted < UNEVEN_SCRAMBLE_MOVES;) {
        const ScrambleMove move = DrawScrambleMove(game.random);
        if (!CanMove(grid, move.direction, move.line)) continue;  // refused; its draws stay spent
        // A column has only one cell to go, whatever the steps drawn.
        if (IsColumnShift(move.direction)) {
            SlideColumn(grid, move.direction, move.line);
        } else {
            ApplyScrambleMove(grid, move);
        }
        ++accepted;
    }
    PlaceCells(grid, UNEVEN_GRID_ORIGIN);
}

// The regions are those of "Normal" at this board's positions, so the down region starts at the top of
// row 5 (a tap on the gap at the foot of a column slides it down) while the up region starts above row 1.
void TapUneven(Game& game, int32_t x, int32_t y) {
    ScanArrowRegions(
        game.tileGrid, x, y,
        [&](ShiftDirection direction, int32_t line) { return CanMove(game.tileGrid, direction, line); },
        [&](ShiftDirection direction, int32_t line) { MoveByTap(game, direction, line); });
}

// Rows 1 to 4 in goal order leave every gap in row 5; the mirror board, all gaps in row 1, is not solved.
bool IsUnevenSolved(const Game& game) {
    return IsInGoalOrder(game.tileGrid);
}

void DrawUneven(Game& game) {
    DrawPuzzleFrame(game, UNEVEN_LABEL);
    const TileGrid& grid = game.tileGrid;
    const auto draw = [&](ImageId id, int32_t col, int32_t row) { DrawAtCell(game, id, col, row); };
    for (int32_t row = 1; row <= FOOT_ROW; ++row) {
        for (int32_t col = 1; col <= 4; ++col) {
            const int32_t n = grid.Tile(col, row);
            if (n != 0) draw(TileImage(n), col, row);  // the gaps stay white
        }
    }
    // Only the arrows that can act are shown; the down arrows stand one cell below row 5.
    const auto arrowIf = [&](ShiftDirection direction, int32_t line, ImageId arrow) {
        return CanMove(grid, direction, line) ? arrow : IMG_BLANK;
    };
    for (int32_t k = 1; k <= 4; ++k) draw(arrowIf(ShiftDirection::Up, k, IMG_ARROW_UP), k, 0);
    for (int32_t k = 1; k <= 4; ++k) {
        const Point cell = UnevenArrowCell(grid, ShiftDirection::Down, k);
        DrawCellImage(game, arrowIf(ShiftDirection::Down, k, IMG_ARROW_DOWN), cell.x, cell.y);
    }
    for (int32_t k = 2; k <= 4; ++k) draw(IMG_ARROW_RIGHT, 5, k);
    for (int32_t k = 2; k <= 4; ++k) draw(IMG_ARROW_LEFT, 0, k);
}

namespace {

void DrawDragged(Game& game, bool column, int32_t line, int32_t offset) {
    if (column) {
        DrawSlidLine(game, true, line, offset, FOOT_ROW);
    } else {
        DrawWrappedLine(game, false, line, offset);
    }
}

}  // namespace

const LineDrag UNEVEN_DRAG{FOOT_ROW,
                           // Row 5, below the arrows' rows, never shifts, as row 1 does not.
                           [](const Game& game, ShiftDirection direction, int32_t line) {
                               return (IsColumnShift(direction) || line != FOOT_ROW) &&
                                      CanMoveUneven(game.tileGrid, direction, line);
                           },
                           DrawDragged};

namespace {

// Five cells a column, an up arrow above a column that is down, a down arrow one cell below a column that
// is up, side arrows on the three middle rows.
BoardText DescribeUneven(const Game& game) {
    const TileGrid& grid = game.tileGrid;
    constexpr int32_t ARROW_ROW = FOOT_ROW + 1;  // the down arrows, below the grid's last row
    BoardText text;
    text.columns = TileGrid::SIZE;
    text.rows = ARROW_ROW + 1;
    for (int32_t row = 0; row <= ARROW_ROW; ++row) {
        for (int32_t col = 0; col < TileGrid::SIZE; ++col) {
            const bool inColumns = col >= 1 && col <= 4;
            BoardWords name{BoardWords::BLANK}, place;
            int32_t tile = 0;
            if (inColumns && row >= 1 && row <= FOOT_ROW) {
                tile = grid.Tile(col, row);
                name = TileWords(tile, BoardWords::GAP);
                place = PlaceWords(col, row);
            } else if (inColumns && row == 0 && CanMove(grid, ShiftDirection::Up, col)) {
                name = {BoardWords::UP_ARROW};
                place = LineWords(true, col);
            } else if (inColumns && row == ARROW_ROW && CanMove(grid, ShiftDirection::Down, col)) {
                name = {BoardWords::DOWN_ARROW};
                place = LineWords(true, col);
            } else if (!inColumns && row >= 1 && row <= 4 && CanMove(grid, ShiftDirection::Left, row)) {
                name = {col == 0 ? BoardWords::LEFT_ARROW : BoardWords::RIGHT_ARROW};
                place = LineWords(false, row);
            }
            const int32_t top =
                row == ARROW_ROW ? UnevenArrowCell(grid, ShiftDirection::Down, col).y : grid.Top(col, row);
            text.cells.push_back(CellItem(name, grid.Left(col, 0), top, place, tile));
        }
    }
    return text;
}

// A column slides through its five cells: one step round them, its gap going from end to end.
MoveWords DescribeUnevenMove(const Board& before, const Board& after) {
    return DescribeLineShifts(before, after, FOOT_ROW);
}

std::string BrokenUneven(const Game& game) {
    const TileGrid& grid = game.tileGrid;
    for (int32_t col = 1; col <= 4; ++col) {
        if ((grid.Tile(col, 1) == 0) == (grid.Tile(col, FOOT_ROW) == 0))
            return "Uneven column " + std::to_string(col) + " has no single gap at an end";
    }
    return HoldsTilesOnce(grid, 16, FOOT_ROW) ? "" : "Uneven columns do not hold 1 to 16 once";
}

}  // namespace

constexpr Puzzle UNEVEN_PUZZLE{
    .screen = SCREEN_UNEVEN,
    .label = UNEVEN_LABEL,
    .name = MarkedName("Uneven"),
    .setup = SetupUneven,
    .tap = TapUneven,
    .isSolved = IsUnevenSolved,
    .draw = DrawUneven,
    .cursorRange = {1, 4, 1, FOOT_ROW},
    .cursorBox = TileCellBox,
    .pressAt = nullptr,
    .arrowCell = UnevenArrowCell,
    .columnsSlide = true,
    .arrowKeyAt = nullptr,
    .describeBoard = DescribeUneven,
    .describeMove = DescribeUnevenMove,
    .isLocked = nullptr,
    .grid = GridKind::Tiles,
    .origin = UNEVEN_GRID_ORIGIN,
    .brokenBoard = BrokenUneven,
    .drag = &UNEVEN_DRAG,
    // TRANSLATORS: what the puzzle "Uneven" is, in a line of the help on the menu.
    .summary = MarkedHelp("four columns of five cells, each with one gap"),
    // TRANSLATORS: the help of the puzzle "Uneven": its goal, its rules, its drags and keys.
    .rules = MarkedHelp(
        "Put the tiles back in reading order with every gap at the bottom. Each column has five cells and "
        "one gap: tap above or below a column to slide it one cell into its gap. The three middle rows "
        "shift sideways as in Normal; the top and bottom rows never do. Rows and columns can be dragged "
        "too. Keys: the arrows move the cursor, and Shift with an arrow shifts its row or slides its "
        "column. Enter takes hold of both lines, so that plain arrows move them, and lets go again."),
};

}  // namespace tessel
