#include "puzzles/unmovable.h"

#include "puzzles/line_shifts.h"
#include "puzzles/tile_board.h"

namespace tessel {

bool IsLocked(const Game& game, ShiftDirection direction, int32_t line) {
    return line == (IsColumnShift(direction) ? game.fixedColumn : game.fixedRow);
}

// Only the sixteen board cells are written; the ring keeps whatever the last puzzle left there.
void SetupUnmovable(Game& game, const Deal& deal) {
    ResetBanner(game);
    TileGrid& grid = game.tileGrid;
    WriteGoalOrder(grid);
    // Unless the deal names them, drawn before the seeding, from wherever the generator stands: the first
    // choice after start-up is the same in every run.
    game.fixedColumn = deal.lockedColumn != 0 ? deal.lockedColumn : game.random.Draw() % 4 + 1;
    game.fixedRow = deal.lockedRow != 0 ? deal.lockedRow : game.random.Draw() % 4 + 1;
    game.random.Seed(deal.seed);
    for (int32_t accepted = 0; accepted < UNMOVABLE_SCRAMBLE_MOVES;) {
        const ScrambleMove move = DrawScrambleMove(game.random);
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
    DrawWrappedLine};

namespace {

BoardText DescribeUnmovable(const Game& game) {
    return DescribeLineBoard(game, game.fixedColumn, game.fixedRow);
}

MoveWords DescribeUnmovableMove(const Board& before, const Board& after) {
    return DescribeLineShifts(before, after, 4);
}

std::string BrokenUnmovable(const Game& game) {
    const TileGrid& grid = game.tileGrid;
    const int32_t col = game.fixedColumn, row = game.fixedRow;
    if (col < 1 || col > 4 || row < 1 || row > 4) return "Unmovable fixed cell outside the board";
    if (grid.Tile(col, row) != GoalTile(col, row)) return "Unmovable fixed cell lost its tile";
    return HoldsTilesOnce(grid, 16) ? "" : "Unmovable board does not hold 1 to 16 once";
}

}  // namespace

constexpr Puzzle UNMOVABLE_PUZZLE{
    .screen = SCREEN_UNMOVABLE,
    .label = UNMOVABLE_LABEL,
    .name = MarkedName("Unmovable"),
    .setup = SetupUnmovable,
    .tap = TapUnmovable,
    .isSolved = IsUnmovableSolved,
    .draw = DrawUnmovable,
    .cursorRange = {1, 4, 1, 4},
    .cursorBox = TileCellBox,
    .pressAt = nullptr,
    .arrowCell = RingArrowCell,
    .columnsSlide = false,
    .arrowKeyAt = nullptr,
    .describeBoard = DescribeUnmovable,
    .describeMove = DescribeUnmovableMove,
    .isLocked = IsLocked,
    .grid = GridKind::Tiles,
    .origin = UNMOVABLE_GRID_ORIGIN,
    .brokenBoard = BrokenUnmovable,
    .drag = &UNMOVABLE_DRAG,
    .dealsLockedLines = true,
    // TRANSLATORS: what the puzzle "Unmovable" is, in a line of the help on the menu.
    .summary = MarkedHelp("Normal with one row and one column locked"),
    // TRANSLATORS: the help of the puzzle "Unmovable": its goal, its rules, its drags and keys.
    .rules = MarkedHelp(
        "Put the tiles back in reading order, 1 to 16, as in Normal; but one column and one row are locked, "
        "with no arrows, and never shift. Their tiles still travel with the lines that cross them, all but "
        "the grey tile where the two meet. Rows and columns can be dragged too. Keys: the arrows move the "
        "cursor over the cells, and Shift with an arrow shifts the cursor's row or column."),
};

}  // namespace tessel
