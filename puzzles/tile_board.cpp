#include "puzzles/tile_board.h"

namespace tessel {

void WriteGoalOrder(TileGrid& grid) {
    for (int32_t row = 1; row <= 4; ++row) {
        for (int32_t col = 1; col <= 4; ++col) grid.Tile(col, row) = GoalTile(col, row);
    }
}

bool IsInGoalOrder(const TileGrid& grid, int32_t cells) {
    int32_t expected = 1;
    for (int32_t row = 1; row <= 4; ++row) {
        for (int32_t col = 1; col <= 4; ++col) {
            if (expected > cells) return true;
            if (grid.Tile(col, row) != expected) return false;
            ++expected;
        }
    }
    return true;
}

}  // namespace tessel
