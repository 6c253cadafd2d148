#include "game/invariants.h"

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
        case SCREEN_LIGHTS_OUT:
            for (const uint8_t lit : game.lightGrid.lit) {
                if (lit > 1) return "a light is neither on nor off";
            }
            return CellsInPlace(game.lightGrid, LIGHTS_OUT_GRID_ORIGIN) ? "" : "light out of place";
        default:
            return "";
    }
}

}  // namespace

std::string BrokenInvariant(const Game& game) {
    const auto isScreen = [](int32_t screen) {
        return screen == SCREEN_MENU || FindPuzzle(screen) != nullptr;
    };
    if (!isScreen(game.screen) || !isScreen(game.screenAtTap)) return "unknown screen code";
    if (game.solved > 1 || game.tapActed > 1 || game.splashPending > 1 || game.drainTaps > 1)
        return "a flag is neither 0 nor 1";
    if (std::string broken = BrokenBoard(game); !broken.empty()) return broken;
    if (game.screen == SCREEN_MENU || game.screen == SCREEN_LIGHTS_OUT) return "";
    const Point origin = game.screen == SCREEN_UNEVEN ? UNEVEN_GRID_ORIGIN : NORMAL_GRID_ORIGIN;
    return CellsInPlace(game.tileGrid, origin) ? "" : "tile cell out of place";
}

}  // namespace tessel
