#include "tests/invariants.h"

#include <array>

namespace tessel::testing {

namespace {

bool IsFlag(uint8_t value) {
    return value <= 1;
}

bool IsScreenCode(int32_t screen) {
    for (const int32_t code : {SCREEN_MENU, SCREEN_LIGHTS_OUT, SCREEN_NORMAL, SCREEN_UNEVEN, SCREEN_UNMOVABLE,
                               SCREEN_FIFTEEN, SCREEN_ALMOST_IMPOSSIBLE}) {
        if (screen == code) return true;
    }
    return false;
}

bool IsBoardCell(int32_t col, int32_t row, int32_t lastRow = 4) {
    return col >= 1 && col <= 4 && row >= 1 && row <= lastRow;
}

// Whether the cells of rows 1 to lastRow hold tiles 1 to `highest` once each and nothing else but gaps.
bool HoldsTilesOnce(const TileGrid& grid, int32_t highest, int32_t lastRow = 4) {
    std::array<int32_t, 17> seen{};
    for (int32_t col = 1; col <= 4; ++col) {
        for (int32_t row = 1; row <= lastRow; ++row) {
            const int32_t n = grid.Tile(col, row);
            if (n < 0 || n > highest) return false;
            ++seen[n];
        }
    }
    for (int32_t n = 1; n <= highest; ++n) {
        if (seen[n] != 1) return false;
    }
    return true;
}

template <typename Grid>
bool CellsInPlace(const Grid& grid, Point origin) {
    for (int32_t col = 0; col < Grid::SIZE; ++col) {
        for (int32_t row = 0; row < Grid::SIZE; ++row) {
            if (grid.Left(col, row) != origin.x + col * CELL_SIZE) return false;
            if (grid.Top(col, row) != origin.y + row * CELL_SIZE) return false;
        }
    }
    return true;
}

std::string BrokenNormal(const TileGrid& grid) {
    if (!HoldsTilesOnce(grid, 16)) return "Normal board does not hold 1 to 16 once";
    for (int32_t col = 0; col < TileGrid::SIZE; ++col) {
        for (int32_t row = 0; row < TileGrid::SIZE; ++row) {
            if (!IsBoardCell(col, row) && grid.Tile(col, row) != 0) return "Normal ring cell is not empty";
        }
    }
    return CellsInPlace(grid, NORMAL_GRID_ORIGIN) ? "" : "Normal cell out of place";
}

std::string BrokenUneven(const TileGrid& grid) {
    if (!HoldsTilesOnce(grid, 16, 5)) return "Uneven columns do not hold 1 to 16 once";
    for (int32_t col = 1; col <= 4; ++col) {
        int32_t gaps = 0;
        for (int32_t row = 1; row <= 5; ++row) gaps += grid.Tile(col, row) == 0;
        if (gaps != 1 || (grid.Tile(col, 1) != 0 && grid.Tile(col, 5) != 0))
            return "Uneven column " + std::to_string(col) + " has no single gap at an end";
    }
    return CellsInPlace(grid, UNEVEN_GRID_ORIGIN) ? "" : "Uneven cell out of place";
}

std::string BrokenUnmovable(const Game& game) {
    const TileGrid& grid = game.tileGrid;
    if (!HoldsTilesOnce(grid, 16)) return "Unmovable board does not hold 1 to 16 once";
    if (game.fixedColumn < 1 || game.fixedColumn > 4 || game.fixedRow < 1 || game.fixedRow > 4)
        return "Unmovable fixed line outside the board";
    if (grid.Tile(game.fixedColumn, game.fixedRow) != (game.fixedRow - 1) * 4 + game.fixedColumn)
        return "Unmovable fixed cell lost its tile";
    return CellsInPlace(grid, UNMOVABLE_GRID_ORIGIN) ? "" : "Unmovable cell out of place";
}

std::string BrokenFifteen(const Game& game) {
    const TileGrid& grid = game.tileGrid;
    if (!HoldsTilesOnce(grid, 15)) return "15 Puzzle board does not hold 1 to 15 once";
    if (!IsBoardCell(game.blankCol, game.blankRow) || grid.Tile(game.blankCol, game.blankRow) != 0)
        return "15 Puzzle empty cell is not where blankCol and blankRow say";
    return CellsInPlace(grid, FIFTEEN_GRID_ORIGIN) ? "" : "15 Puzzle cell out of place";
}

std::string BrokenAlmostImpossible(const TileGrid& grid) {
    if (!HoldsTilesOnce(grid, 16)) return "Almost Impossible board does not hold 1 to 16 once";
    return CellsInPlace(grid, ALMOST_IMPOSSIBLE_GRID_ORIGIN) ? "" : "Almost Impossible cell out of place";
}

std::string BrokenLightsOut(const LightGrid& grid) {
    for (const uint8_t lit : grid.lit) {
        if (!IsFlag(lit)) return "a light is neither on nor off";
    }
    return CellsInPlace(grid, LIGHTS_OUT_GRID_ORIGIN) ? "" : "Lights out cell out of place";
}

}  // namespace

std::string BrokenInvariant(const Game& game) {
    if (!IsScreenCode(game.screen) || !IsScreenCode(game.screenAtTap)) return "unknown screen code";
    if (!IsFlag(game.solved) || !IsFlag(game.tapActed) || !IsFlag(game.splashPending) ||
        !IsFlag(game.drainTaps))
        return "a flag is neither 0 nor 1";
    switch (game.screen) {
        case SCREEN_NORMAL:
            return BrokenNormal(game.tileGrid);
        case SCREEN_UNEVEN:
            return BrokenUneven(game.tileGrid);
        case SCREEN_UNMOVABLE:
            return BrokenUnmovable(game);
        case SCREEN_FIFTEEN:
            return BrokenFifteen(game);
        case SCREEN_ALMOST_IMPOSSIBLE:
            return BrokenAlmostImpossible(game.tileGrid);
        case SCREEN_LIGHTS_OUT:
            return BrokenLightsOut(game.lightGrid);
        default:
            return "";
    }
}

}  // namespace tessel::testing
