#include "puzzles/puzzle_table.h"

#include <array>

#include "puzzles/fifteen.h"
#include "puzzles/normal.h"

namespace tessel {

namespace {

// Rows without operations are puzzles still to come: their labels show, and a tap on them does nothing.
constexpr auto PUZZLES = std::to_array<Puzzle>({
    {SCREEN_NORMAL, NORMAL_LABEL, SetupNormal, TapNormal, IsNormalSolved, DrawNormal},
    {SCREEN_UNEVEN, {IMG_LABEL_UNEVEN, UNEVEN_LABEL_X, UNEVEN_LABEL_Y, UNEVEN_LABEL_WIDTH}},
    {SCREEN_UNMOVABLE, {IMG_LABEL_UNMOVABLE, UNMOVABLE_LABEL_X, UNMOVABLE_LABEL_Y, UNMOVABLE_LABEL_WIDTH}},
    {SCREEN_ALMOST_IMPOSSIBLE,
     {IMG_LABEL_ALMOST_IMPOSSIBLE, ALMOST_IMPOSSIBLE_LABEL_X, ALMOST_IMPOSSIBLE_LABEL_Y,
      ALMOST_IMPOSSIBLE_LABEL_WIDTH}},
    {SCREEN_FIFTEEN, FIFTEEN_LABEL, SetupFifteen, TapFifteen, IsFifteenSolved, DrawFifteen},
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
