#include "hints/staged_search.h"

#include "core/cells.h"
#include "puzzles/tile_board.h"

namespace tessel {

bool StageDone(const TileGrid& grid, const Stage& stage) {
    for (int32_t i = 0; i < stage.count; ++i) {
        const int32_t tile = stage.tiles[i];
        if (grid.Tile(GoalCol(tile), GoalRow(tile)) != tile) return false;
    }
    return true;
}

int32_t FirstStageLeft(std::span<const Stage> stages, const TileGrid& grid) {
    int32_t stage = 0;
    while (stage < static_cast<int32_t>(stages.size()) && StageDone(grid, stages[stage])) ++stage;
    return stage;
}

bool PlacedBefore(std::span<const Stage> stages, int32_t stage, int32_t tile) {
    for (int32_t s = 0; s < stage; ++s) {
        for (int32_t i = 0; i < stages[s].count; ++i) {
            if (stages[s].tiles[i] == tile) return true;
        }
    }
    return false;
}

int32_t StageTilesKey(const TileGrid& grid, const Stage& stage, int32_t shift) {
    int32_t key = 0;
    for (int32_t i = 0; i < stage.count; ++i) {
        for (int32_t cell = 0; cell < 16; ++cell) {
            if (grid.Tile(ColOf(cell), RowOf(cell)) == stage.tiles[i]) key |= cell << (shift + 4 * i);
        }
    }
    return key;
}

void PutStageTiles(TileGrid& grid, const Stage& stage, int32_t key, int32_t shift) {
    for (int32_t i = 0; i < stage.count; ++i) {
        const int32_t cell = (key >> (shift + 4 * i)) & 15;
        grid.Tile(ColOf(cell), RowOf(cell)) = stage.tiles[i];
    }
}

}  // namespace tessel
