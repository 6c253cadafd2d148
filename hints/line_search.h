// The search shared by the three puzzles of line moves: "Normal", "Unmovable" and "Uneven".
//
// A move is numbered 4 * direction + (line - 1), the directions in the order up, right, down, left.
//
// The hint is, in this order of preference:
//   1. the first move of a solution that a search by first moves finds: on "Uneven" a shortest one
//      (RunByFirstMove, bounded by the line tables of line_tables.h), on the others one close to it, from
//      the weighted passes of rules.passes in turn (RunWeightedByFirstMove, bounded by the tables of five
//      tiles); each first move within its own node budget;
//   2. the first move of a shortest solution of at most LOOKAHEAD_DEPTH moves, if one exists;
//   3. the first move of the fewest moves that make the longest run of tiles home (in rules.order, then
//      the columns up) within reach, when that run is longer than the board's own; within reach means
//      LOOKAHEAD_DEPTH moves ("Uneven": one more);
//   4. failing that, the first move of a way round: a run grown one move further than reach.
//
// Why following hints always ends: once 1 or 2 gives a solution, every board after gets one nearer: 2 is
// exact, and for 1 see ida_star.h: the same pass finds one a move shorter (or at a bound lower by its move
// weight), unless an earlier pass finds one first, so the hints go home that way. Before that, take the
// pair (longest run within reach, fewest moves to it): the hints of 3 and 4 make it larger, the run
// longer or the moves fewer: the hinted move is the first of those fewest moves, so the same run is one
// move nearer afterwards. Only a board whose own run is the longest within reach leaves 3 without a
// move; then the way round starts a run that is within reach after its first move. Such a board is known
// by its gap pattern, its run and the cell of the run's next tile alone, whatever the other tiles; the
// bench tries every one of them and finds a way round for each, one move beyond reach at most. The few
// ways round are listed with the rules, found once by the search of 4 (too slow for a hint).
//
// The moves within reach are searched from both ends: up to LOOKAHEAD_HALF (or one more) from the board,
// and up to LOOKAHEAD_HALF from a table, built at first use, of every sequence of moves from each
// arrangement of the columns' gaps.

#pragma once

#include <array>
#include <cstdint>

#include "hints/hint_parts.h"
#include "puzzles/line_shifts.h"
#include "puzzles/uneven.h"

namespace tessel {

inline constexpr int32_t LINE_MOVES = 16;
inline constexpr int32_t LOOKAHEAD_HALF = 4;
inline constexpr int32_t LOOKAHEAD_DEPTH = 2 * LOOKAHEAD_HALF;
inline constexpr int32_t LINE_SEARCH_DEPTH = 24;
inline constexpr int32_t GROUP_TILES = 5;

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
    // The boards whose run grows only one move beyond reach, and the first move of the way round.
    struct WayRound {
        int8_t gaps;  // the columns that are down, a bit each
        int8_t run;   // tiles home in order
        int8_t cell;  // where the run's next tile stands: CellIndex(col, row)
        int8_t move;
    };
    std::array<WayRound, 8> waysRound{};
    int32_t wayCount = 0;
    // "Uneven": the search's nodes for each first move, about the same work however many first moves it has.
    int64_t nodeBudget = 2'500;
    // The goals of the tables (line_tables.h): on the boards whose lines all shift round the groups of five
    // tiles tabled, each by the cells its tiles belong in, numbered as above. Those boards' passes of the
    // weighted search (ida_star.h), tried in turn until one finds a solution: its bound is moveCost * moves
    // + estimateCost * estimate, from estimateCost * the board's estimate up to moveCost * its estimate +
    // reach, with nodeBudget for each first move at each bound.
    std::array<std::array<uint8_t, GROUP_TILES>, 4> groups{};
    int32_t groupCount = 0;
    bool mirrored = true;  // whether a table serves the mirror images of its group too
    struct Pass {
        int32_t moveCost;
        int32_t estimateCost;
        int32_t reach;
        int64_t nodeBudget;
    };
    std::array<Pass, 2> passes{};
    int32_t passCount = 0;
};

// Rows of cells: "Uneven"'s columns have five, one of them the gap.
constexpr int32_t LineRows(const LineRules& rules) {
    return rules.kind == LineRules::Kind::Gapped ? 5 : 4;
}

// Where each move carries the tiles it moves, cells numbered CellIndex(col, row): the tile in
// cycle[i] goes to cycle[i + 1], the last to the first. A column of "Uneven" is five cells, its gap
// among them: a slide up takes the gap from row 1 to row 5.
struct MoveCycles {
    std::array<std::array<uint8_t, 5>, LINE_MOVES> cycle{};
    std::array<int32_t, LINE_MOVES> length{};
};
MoveCycles MakeMoveCycles(const LineRules& rules);

// Whether the rules allow the move where `gaps` are the columns that are down, a bit each: never a
// locked move; on "Uneven" only what its rules allow.
constexpr bool LineMoveAllowed(const LineRules& rules, int32_t gaps, int32_t move) {
    if (rules.locked[move]) return false;
    if (rules.kind != LineRules::Kind::Gapped) return true;
    const int32_t line = MoveLine(move);
    return UnevenAllows(MoveDirection(move), line, ((gaps >> (line - 1)) & 1) != 0);
}

// The columns that are down after the move: on "Uneven" a column's slide moves its gap to the other end.
constexpr int32_t GapsAfter(const LineRules& rules, int32_t gaps, int32_t move) {
    const bool slide = rules.kind == LineRules::Kind::Gapped && IsColumnShift(MoveDirection(move));
    return slide ? gaps ^ 1 << (MoveLine(move) - 1) : gaps;
}

// How the hint of a line puzzle was found, for the figures.
// Further is the search for a way round not listed with the rules, which no board should need.
enum class LineHintKind { None, Near, Searched, Run, WayRound, Further };

struct LineSearch {
    HintSearch found;
    LineHintKind kind = LineHintKind::None;
    // When the search found nothing: the longest run within reach (KEY_SIZE on a board solved within
    // reach), and the fewest moves to it.
    int32_t run = 0;
    int32_t length = 0;
};

inline constexpr int32_t LINE_KEY_SIZE = 20;  // sixteen tiles, then four columns up

LineSearch SearchLines(const TileGrid& grid, const LineRules& rules);

}  // namespace tessel
