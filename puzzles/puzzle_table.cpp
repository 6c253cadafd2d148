#include "puzzles/puzzle_table.h"

#include <array>

#include "puzzles/almost_impossible.h"
#include "puzzles/fifteen.h"
#include "puzzles/lights_out.h"
#include "puzzles/normal.h"

namespace tessel {

namespace {

// Rows without operations are puzzles still to come: their labels show, and a tap on them does nothing.
constexpr auto PUZZLES = std::to_array<Puzzle>({
    {SCREEN_NORMAL, NORMAL_LABEL, SetupNormal, TapNormal, IsNormalSolved, DrawNormal},
    {SCREEN_UNEVEN, {IMG_LABEL_UNEVEN, UNEVEN_LABEL_X, UNEVEN_LABEL_Y, UNEVEN_LABEL_WIDTH}},
    {SCREEN_UNMOVABLE, {IMG_LABEL_UNMOVABLE, UNMOVABLE_LABEL_X, UNMOVABLE_LABEL_Y, UNMOVABLE_LABEL_WIDTH}},
    {SCREEN_ALMOST_IMPOSSIBLE, ALMOST_IMPOSSIBLE_LABEL, SetupAlmostImpossible, TapAlmostImpossible,
     IsAlmostImpossibleSolved, DrawAlmostImpossible},
    {SCREEN_FIFTEEN, FIFTEEN_LABEL, SetupFifteen, TapFifteen, IsFifteenSolved, DrawFifteen},
    {SCREEN_LIGHTS_OUT, LIGHTS_OUT_LABEL, SetupLightsOut, TapLightsOut, IsLightsOutSolved, DrawLightsOut},
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
