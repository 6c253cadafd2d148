// The search shared by the three puzzles of line moves: "Normal", "Unmovable" and "Uneven".
//
// A move is numbered 4 * direction + (line - 1), the directions in the order up, right, down, left.
//
// The hint is, in this order of preference:
//   1. the first move of a shortest solution of at most LOOKAHEAD_DEPTH moves, if one exists;
//   2. the first move of a shortest solution that an iterative-deepening search finds within its node
//      budget;
//   3. the first move of the fewest moves that bring the longest run of tiles, in reading order, home
//      within LOOKAHEAD_DEPTH moves, when that run is longer than the board's own run.
// Moves of 3 make progress that following hints never undoes: the best run within reach never shortens,
// and while it stays the same the moves to reach it get fewer. LOOKAHEAD_DEPTH moves are searched from
// both ends, half from the board and half from a table of every board half that many moves from any
// arrangement of the columns' gaps, built at first use.
#pragma once

#include <array>
#include <cstdint>

#include "hints/hint_parts.h"
#include "puzzles/line_shifts.h"

namespace tessel {

inline constexpr int32_t LINE_MOVES = 16;
inline constexpr int32_t LOOKAHEAD_HALF = 4;
inline constexpr int32_t LOOKAHEAD_DEPTH = 2 * LOOKAHEAD_HALF;
inline constexpr int32_t LINE_SEARCH_DEPTH = 24;
inline constexpr int32_t LINE_NODE_BUDGET = 40'000;

constexpr ShiftDirection MoveDirection(int32_t move) {
    return static_cast<ShiftDirection>(move / 4);
}
constexpr int32_t MoveLine(int32_t move) {
    return move % 4 + 1;
}
constexpr int32_t LineMove(ShiftDirection direction, int32_t line) {
    return 4 * static_cast<int32_t>(direction) + line - 1;
}

struct LineRules {
    enum class Kind { Cyclic, Gapped };  // "Normal" and "Unmovable"; "Uneven"
    Kind kind = Kind::Cyclic;
    std::array<bool, LINE_MOVES> locked{};  // moves the puzzle never allows
};

// How the hint of a line puzzle was found, for the figures.
enum class LineHintKind { None, Near, Searched, Run, Stuck };

struct LineSearch {
    HintSearch found;
    LineHintKind kind = LineHintKind::None;
};

LineSearch SearchLines(const TileGrid& grid, const LineRules& rules);

}  // namespace tessel
