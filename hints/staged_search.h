// Solving a board in stages, where no shortest solution is found: each stage brings a few tiles home
// without moving the tiles the stages before it placed, by the fewest moves, found breadth first over the
// cells of its own tiles (all other tiles look alike to it). "15 Puzzle" and "Almost Impossible" hint so.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/game.h"

namespace tessel {

struct Stage {
    std::array<int32_t, 3> tiles;
    int32_t count;
};

// Whether every tile of the stage is home.
bool StageDone(const TileGrid& grid, const Stage& stage);

// The first of `stages` not done; stages.size() when all are.
int32_t FirstStageLeft(std::span<const Stage> stages, const TileGrid& grid);

// Whether a stage before `stage` places `tile`.
bool PlacedBefore(std::span<const Stage> stages, int32_t stage, int32_t tile);

// The cells of the stage's tiles, four bits each from bit `shift` up: a stage's key.
int32_t StageTilesKey(const TileGrid& grid, const Stage& stage, int32_t shift);

// Puts the stage's tiles in the cells a key names from bit `shift` up.
void PutStageTiles(TileGrid& grid, const Stage& stage, int32_t key, int32_t shift);

// The first move of the fewest that take the key `start` to one where the stage is done, breadth first
// over keys below `keys`: `expand(key, reach)` calls reach(move, next, done) for every move allowed from
// `key`, in the order moves are tried, with the key it leads to and whether the stage is done there. -1
// when no key reached finishes the stage.
template <typename Expand>
int32_t FirstMoveOfFewest(int32_t start, int32_t keys, Expand expand) {
    constexpr int8_t UNSEEN = -1;
    constexpr int8_t START = -2;
    std::vector<int8_t> firstMove(static_cast<std::size_t>(keys), UNSEEN);
    std::vector<int32_t> queue{start};
    firstMove[static_cast<std::size_t>(start)] = START;
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const int32_t key = queue[head];
        const int8_t keyFirst = firstMove[static_cast<std::size_t>(key)];
        int32_t found = -1;
        expand(key, [&](int32_t move, int32_t next, bool done) {
            int8_t& seen = firstMove[static_cast<std::size_t>(next)];
            if (found >= 0 || seen != UNSEEN) return;
            const int8_t first = key == start ? static_cast<int8_t>(move) : keyFirst;
            if (done) {
                found = first;
                return;
            }
            seen = first;
            queue.push_back(next);
        });
        if (found >= 0) return found;
    }
    return -1;
}

}  // namespace tessel
