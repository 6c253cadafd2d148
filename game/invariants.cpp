#include "game/invariants.h"

#include <algorithm>
#include <array>

#include "puzzles/puzzle_table.h"

namespace tessel {

namespace {

bool IsBoardCell(int32_t col, int32_t row) {
    return 1 <= col && col <= 4 && 1 <= row && row <= 4;
}

// Whether rows 1 to lastRow of the board hold tiles 1 to `highest` once each and nothing else but gaps.
bool HoldsTilesOnce(const TileGrid& grid, int32_t highest, int32_t lastRow = 4) {
    std::array<int32_t, 17> seen{};
    int32_t tiles = 0;
    for (int32_t i = 0; i < 4 * lastRow; ++i) {
        const int32_t n = grid.Tile(i % 4 + 1, i / 4 + 1);
        if (n < 0 || n > highest || (n > 0 && seen[n]++ > 0)) return false;
        tiles += n > 0;
    }
    return tiles == highest;
}

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

// The screen's own grid is in place at its origin; a grid of another screen is as its last puzzle left it.
std::string BrokenPlaces(const Game& game) {
    const bool tilesAtNormal = CellsInPlace(game.tileGrid, NORMAL_GRID_ORIGIN);
    const bool tilesAtUneven = !tilesAtNormal && CellsInPlace(game.tileGrid, UNEVEN_GRID_ORIGIN);
    const bool lightsPlaced = CellsInPlace(game.lightGrid, LIGHTS_OUT_GRID_ORIGIN);
    switch (game.screen) {
        case SCREEN_MENU:
            break;
        case SCREEN_LIGHTS_OUT:
            if (!lightsPlaced) return "light out of place";
            break;
        case SCREEN_UNEVEN:
            if (!tilesAtUneven) return "tile cell out of place";
            break;
        default:
            if (!tilesAtNormal) return "tile cell out of place";
            break;
    }
    if (!tilesAtNormal && !tilesAtUneven && !NeverPlaced(game.tileGrid)) return "tile cell out of place";
    return lightsPlaced || NeverPlaced(game.lightGrid) ? "" : "light out of place";
}

// What the screen's puzzle keeps true of its board, whatever its cells' positions.
std::string BrokenBoard(const Game& game) {
    const TileGrid& grid = game.tileGrid;
    switch (game.screen) {
        case SCREEN_NORMAL:
            for (int32_t i = 0; i < 36; ++i) {
                if (!IsBoardCell(i / 6, i % 6) && grid.tile[i] != 0) return "Normal ring cell is not empty";
            }
            return HoldsTilesOnce(grid, 16) ? "" : "Normal board does not hold 1 to 16 once";
        case SCREEN_UNEVEN:
            for (int32_t col = 1; col <= 4; ++col) {
                if ((grid.Tile(col, 1) == 0) == (grid.Tile(col, 5) == 0))
                    return "Uneven column " + std::to_string(col) + " has no single gap at an end";
            }
            return HoldsTilesOnce(grid, 16, 5) ? "" : "Uneven columns do not hold 1 to 16 once";
        case SCREEN_UNMOVABLE:
            if (!IsBoardCell(game.fixedColumn, game.fixedRow))
                return "Unmovable fixed cell outside the board";
            if (grid.Tile(game.fixedColumn, game.fixedRow) != (game.fixedRow - 1) * 4 + game.fixedColumn)
                return "Unmovable fixed cell lost its tile";
            return HoldsTilesOnce(grid, 16) ? "" : "Unmovable board does not hold 1 to 16 once";
        case SCREEN_FIFTEEN:
            if (!IsBoardCell(game.blankCol, game.blankRow) || grid.Tile(game.blankCol, game.blankRow) != 0)
                return "15 Puzzle empty cell is not where blankCol and blankRow say";
            return HoldsTilesOnce(grid, 15) ? "" : "15 Puzzle board does not hold 1 to 15 once";
        case SCREEN_ALMOST_IMPOSSIBLE:
            return HoldsTilesOnce(grid, 16) ? "" : "Almost Impossible board does not hold 1 to 16 once";
        default:
            return "";
    }
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
    if (std::string broken = BrokenBoard(game); !broken.empty()) return broken;
    if (const Puzzle* puzzle = FindPuzzle(game.screen); puzzle && game.solved != 0 && !puzzle->isSolved(game))
        return "the banner over a board out of order";
    return BrokenPlaces(game);
}

}  // namespace tessel
