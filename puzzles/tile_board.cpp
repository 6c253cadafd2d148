#include "puzzles/tile_board.h"

#include <array>

namespace tessel {

void WriteGoalOrder(TileGrid& grid) {
    for (int32_t row = 1; row <= 4; ++row) {
        for (int32_t col = 1; col <= 4; ++col) grid.Tile(col, row) = GoalTile(col, row);
    }
}

bool IsInGoalOrder(const TileGrid& grid) {
    for (int32_t row = 1; row <= 4; ++row) {
        for (int32_t col = 1; col <= 4; ++col) {
            if (grid.Tile(col, row) != GoalTile(col, row)) return false;
        }
    }
    return true;
}

void DrawAtCell(Game& game, ImageId image, int32_t col, int32_t row) {
    DrawCellImage(game, image, game.tileGrid.Left(col, row), game.tileGrid.Top(col, row));
}

void DrawTileAtCell(Game& game, int32_t col, int32_t row) {
    const int32_t n = game.tileGrid.Tile(col, row);
    if (n >= 1 && n <= 16) DrawAtCell(game, TileImage(n), col, row);
}

bool HoldsTilesOnce(const TileGrid& grid, int32_t highest, int32_t lastRow) {
    std::array<int32_t, 17> seen{};
    int32_t tiles = 0;
    for (int32_t row = 1; row <= lastRow; ++row) {
        for (int32_t col = 1; col <= 4; ++col) {
            const int32_t n = grid.Tile(col, row);
            if (n < 0 || n > highest || (n > 0 && seen[n]++ > 0)) return false;
            tiles += n > 0;
        }
    }
    return tiles == highest;
}

Outline TileCellBox(const Game& game, int32_t col, int32_t row) {
    return {game.tileGrid.Left(col, row), game.tileGrid.Top(col, row), CELL_SIZE, CELL_SIZE, false};
}

BoardText DescribeTileBoard(const Game& game, BoardWords::Kind none) {
    const TileGrid& grid = game.tileGrid;
    BoardText text;
    text.columns = text.rows = 4;
    text.firstCol = text.firstRow = 1;
    for (int32_t row = 1; row <= 4; ++row) {
        for (int32_t col = 1; col <= 4; ++col) {
            text.cells.push_back(CellItem(TileWords(grid.Tile(col, row), none), grid.Left(col, row),
                                          grid.Top(col, row), PlaceWords(col, row), grid.Tile(col, row)));
        }
    }
    return text;
}

}  // namespace tessel
