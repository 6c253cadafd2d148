#include "puzzles/tile_board.h"

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

}  // namespace tessel
