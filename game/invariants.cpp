#include "game/invariants.h"

#include <algorithm>
#include <array>

#include "puzzles/puzzle_table.h"

namespace tessel {

namespace {

template <typename Grid>
bool CellsInPlace(const Grid& grid, Point origin) {
    for (int32_t i = 0; i < Grid::SIZE * Grid::SIZE; ++i) {
        const int32_t col = i / Grid::SIZE, row = i % Grid::SIZE;
        if (grid.Left(col, row) != origin.x + col * CELL_SIZE ||
            grid.Top(col, row) != origin.y + row * CELL_SIZE)
            return false;
    }
    return true;
}

// A grid no puzzle has set up since the start: every position still 0.
template <typename Grid>
bool NeverPlaced(const Grid& grid) {
    const auto zero = [](int32_t v) { return v == 0; };
    return std::all_of(grid.cellLeft.begin(), grid.cellLeft.end(), zero) &&
           std::all_of(grid.cellTop.begin(), grid.cellTop.end(), zero);
}

bool CellsInPlace(const Game& game, GridKind grid, Point origin) {
    return grid == GridKind::Tiles ? CellsInPlace(game.tileGrid, origin)
                                   : CellsInPlace(game.lightGrid, origin);
}

// Whether the grid stands where one of the puzzles that play on it puts it.
bool PlacedByAPuzzle(const Game& game, GridKind grid) {
    for (const Puzzle* puzzle : Puzzles()) {
        if (puzzle->grid == grid && CellsInPlace(game, grid, puzzle->origin)) return true;
    }
    return false;
}

const char* OutOfPlace(GridKind grid) {
    return grid == GridKind::Tiles ? "tile cell out of place" : "light out of place";
}

// The screen's own grid is in place at its origin; a grid of another screen is as its last puzzle left it.
std::string BrokenPlaces(const Game& game) {
    const Puzzle* shown = FindPuzzle(game.screen);
    if (shown != nullptr && !CellsInPlace(game, shown->grid, shown->origin)) return OutOfPlace(shown->grid);
    if (!PlacedByAPuzzle(game, GridKind::Tiles) && !NeverPlaced(game.tileGrid))
        return OutOfPlace(GridKind::Tiles);
    if (!PlacedByAPuzzle(game, GridKind::Lights) && !NeverPlaced(game.lightGrid))
        return OutOfPlace(GridKind::Lights);
    return "";
}

// Values that outlive their screen: every cell holds a tile number or a gap, every light is on or off, the
// last fixed cell and empty cell (0 before their puzzle's first game) lie on the board, and the banner's
// letters rest on their line once any puzzle has been set up.
std::string BrokenLeftovers(const Game& game) {
    const auto isTile = [](int32_t n) { return 0 <= n && n <= 16; };
    if (!std::all_of(game.tileGrid.tile.begin(), game.tileGrid.tile.end(), isTile))
        return "a cell holds no tile number";
    const auto isOnOrOff = [](uint8_t lit) { return lit <= 1; };
    if (!std::all_of(game.lightGrid.lit.begin(), game.lightGrid.lit.end(), isOnOrOff))
        return "a light is neither on nor off";
    const auto onBoardOrUnset = [](int32_t line) { return 0 <= line && line <= 4; };
    if (!onBoardOrUnset(game.fixedColumn) || !onBoardOrUnset(game.fixedRow) ||
        !onBoardOrUnset(game.blankCol) || !onBoardOrUnset(game.blankRow))
        return "a fixed or empty cell beyond the board";
    const auto allAt = [&](int32_t y) {
        return std::all_of(game.bannerY.begin(), game.bannerY.end(), [y](int32_t v) { return v == y; });
    };
    const bool neverSetUp = allAt(0) && game.screen == SCREEN_MENU && game.solved == 0;
    return allAt(BANNER_Y) || neverSetUp ? "" : "a banner letter off its line";
}

}  // namespace

std::string BrokenInvariant(const Game& game) {
    const auto isScreen = [](int32_t screen) {
        return screen == SCREEN_MENU || FindPuzzle(screen) != nullptr;
    };
    if (!isScreen(game.screen) || !isScreen(game.screenAtTap)) return "unknown screen code";
    // A tap stays on its screen, leaves a puzzle for the menu, or starts a puzzle from the menu.
    if (game.screenAtTap != game.screen && game.screenAtTap != SCREEN_MENU && game.screen != SCREEN_MENU)
        return "a tap went from one puzzle to another";
    if (game.solved > 1 || game.tapActed > 1 || game.splashPending > 1 || game.drainTaps > 1)
        return "a flag is neither 0 nor 1";
    if (std::string broken = BrokenLeftovers(game); !broken.empty()) return broken;
    if (const Puzzle* puzzle = FindPuzzle(game.screen)) {
        if (std::string broken = puzzle->brokenBoard(game); !broken.empty()) return broken;
        if (game.solved != 0 && !puzzle->isSolved(game)) return "the banner over a board out of order";
    }
    return BrokenPlaces(game);
}

}  // namespace tessel
