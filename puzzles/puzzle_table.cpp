#include "puzzles/puzzle_table.h"

#include <array>

#include "puzzles/normal.h"
#include "puzzles/uneven.h"
#include "puzzles/unmovable.h"

namespace tessel {

namespace {

// Rows without operations are puzzles still to come: their labels show, and a tap on them does nothing.
constexpr auto PUZZLES = std::to_array<Puzzle>({
    {SCREEN_NORMAL, NORMAL_LABEL, SetupNormal, TapNormal, IsNormalSolved, DrawNormal},
    {SCREEN_UNEVEN, UNEVEN_LABEL, SetupUneven, TapUneven, IsUnevenSolved, DrawUneven},
    {SCREEN_UNMOVABLE, UNMOVABLE_LABEL, SetupUnmovable, TapUnmovable, IsUnmovableSolved, DrawUnmovable},
    {SCREEN_ALMOST_IMPOSSIBLE,
     {IMG_LABEL_ALMOST_IMPOSSIBLE, ALMOST_IMPOSSIBLE_LABEL_X, ALMOST_IMPOSSIBLE_LABEL_Y,
      ALMOST_IMPOSSIBLE_LABEL_WIDTH}},
    {SCREEN_FIFTEEN, {IMG_LABEL_FIFTEEN, FIFTEEN_LABEL_X, FIFTEEN_LABEL_Y, FIFTEEN_LABEL_WIDTH}},
    {SCREEN_LIGHTS_OUT,
     {IMG_LABEL_LIGHTS_OUT, LIGHTS_OUT_LABEL_X, LIGHTS_OUT_LABEL_Y, LIGHTS_OUT_LABEL_WIDTH}},
});

}  // namespace

std::span<const Puzzle> Puzzles() {
    return PUZZLES;
}

const Puzzle* FindPuzzle(int32_t screen) {
    for (const Puzzle& puzzle : PUZZLES) {
        if (puzzle.screen == screen && puzzle.tap != nullptr) return &puzzle;
    }
    return nullptr;
}

}  // namespace tessel
