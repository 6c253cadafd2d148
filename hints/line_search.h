// The search shared by the three puzzles of line moves: "Normal", "Unmovable" and "Uneven".
//
// A move is numbered 4 * direction + (line - 1), the directions in the order up, right, down, left.
//
// The hint is, in this order of preference:
//   1. the first move of a shortest solution of at most LOOKAHEAD_DEPTH moves, if one exists;
//   2. the first move of a shortest solution that an iterative-deepening search finds within its node
//      budget, when that move makes progress as the moves of 3 do;
//   3. the first move of the fewest moves that make the longest run of tiles home (in rules.order, then
//      the columns up) within reach, when that run is longer than the board's own; within reach means
//      LOOKAHEAD_DEPTH moves ("Uneven": one more);
//   4. failing that, the first move of a run grown one move further than reach.
// Every hint makes progress that following hints never undoes: the best run within reach never shortens,
// and while it stays the same the moves to reach it get fewer (1 is the case of the whole board within
// reach). So following hints ends on the solved board after at most (KEY_SIZE + 1) * (reach + 1) moves,
// unless no run grows even a move beyond reach, which no board tried has shown. The moves within reach are
// searched from both ends: up to LOOKAHEAD_HALF (or one more) from the board, and up to LOOKAHEAD_HALF from a
// table, built at first use, of every sequence of moves from each arrangement of the columns' gaps.

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
    // The order in which runs of tiles count as brought home.
    std::array<int32_t, 16> order{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
};

// How the hint of a line puzzle was found, for the figures.
enum class LineHintKind { None, Near, Searched, Run, Further, Stuck };

struct LineSearch {
    HintSearch found;
    LineHintKind kind = LineHintKind::None;
};

LineSearch SearchLines(const TileGrid& grid, const LineRules& rules);

}  // namespace tessel
