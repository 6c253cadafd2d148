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

constexpr std::array<const Puzzle*, 6> PUZZLES{&NORMAL_PUZZLE,    &UNEVEN_PUZZLE,
                                               &UNMOVABLE_PUZZLE, &ALMOST_IMPOSSIBLE_PUZZLE,
                                               &FIFTEEN_PUZZLE,   &LIGHTS_OUT_PUZZLE};

}  // namespace

std::span<const Puzzle* const> Puzzles() {
    return PUZZLES;
}

const Puzzle* FindPuzzle(int32_t screen) {
    for (const Puzzle* puzzle : PUZZLES) {
        if (puzzle->screen == screen) return puzzle;
    }
    return nullptr;
}

Point ArrowTap(const Puzzle& puzzle, const TileGrid& grid, ShiftDirection direction, int32_t line) {
    return CellMiddle(puzzle.arrowCell(grid, direction, line));
}

}  // namespace tessel
