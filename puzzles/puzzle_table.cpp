#include "puzzles/puzzle_table.h"

#include <array>

#include "puzzles/almost_impossible.h"
#include "puzzles/fifteen.h"
#include "puzzles/lights_out.h"
#include "puzzles/normal.h"
#include "puzzles/uneven.h"
#include "puzzles/unmovable.h"

namespace tessel {

namespace {

constexpr auto PUZZLES = std::to_array<Puzzle>({
    {SCREEN_NORMAL, NORMAL_LABEL, SetupNormal, TapNormal, IsNormalSolved, DrawNormal, &NORMAL_DRAG},
    {SCREEN_UNEVEN, UNEVEN_LABEL, SetupUneven, TapUneven, IsUnevenSolved, DrawUneven, &UNEVEN_DRAG},
    {SCREEN_UNMOVABLE, UNMOVABLE_LABEL, SetupUnmovable, TapUnmovable, IsUnmovableSolved, DrawUnmovable,
     &UNMOVABLE_DRAG},
    {SCREEN_ALMOST_IMPOSSIBLE, ALMOST_IMPOSSIBLE_LABEL, SetupAlmostImpossible, TapAlmostImpossible,
     IsAlmostImpossibleSolved, DrawAlmostImpossible, nullptr},
    {SCREEN_FIFTEEN, FIFTEEN_LABEL, SetupFifteen, TapFifteen, IsFifteenSolved, DrawFifteen, nullptr},
    {SCREEN_LIGHTS_OUT, LIGHTS_OUT_LABEL, SetupLightsOut, TapLightsOut, IsLightsOutSolved, DrawLightsOut,
     nullptr},
});

}  // namespace

std::span<const Puzzle> Puzzles() {
    return PUZZLES;
}

const Puzzle* FindPuzzle(int32_t screen) {
    for (const Puzzle& puzzle : PUZZLES) {
        if (puzzle.screen == screen) return &puzzle;
    }
    return nullptr;
}

}  // namespace tessel
