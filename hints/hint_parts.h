// What the hint of each puzzle is made of: one function per puzzle, and the ways a hint names and shows a
// move on the board's cells.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/game.h"
#include "hints/hint.h"
#include "hints/ida_star.h"
#include "puzzles/line_shifts.h"

namespace tessel {

std::optional<Hint> NormalHint(const Game& game);
std::optional<Hint> UnevenHint(const Game& game);
std::optional<Hint> UnmovableHint(const Game& game);
std::optional<Hint> LightsOutHint(const Game& game);
std::optional<Hint> FifteenHint(const Game& game);
std::optional<Hint> AlmostImpossibleHint(const Game& game);

// What a puzzle's search found: the search's outcome and the move hinted, numbered as the puzzle's unit
// numbers its moves (-1 on a solved board). For the figures of bench/ and the tests.
struct HintSearch {
    SearchResult search;
    int32_t move = -1;
};

// "15 Puzzle": moves 0 to 3 slide the tile above, right of, below or left of the empty cell.
inline constexpr int32_t FIFTEEN_OPTIMAL_DEPTH = 40;
inline constexpr int64_t FIFTEEN_NODE_BUDGET = 32'000;
HintSearch SearchFifteen(const TileGrid& grid, int32_t blankCol, int32_t blankRow);

// "Almost Impossible": move 3 * (row - 1) + (col - 1) turns block (col, row) clockwise.
inline constexpr int32_t ALMOST_IMPOSSIBLE_SEARCH_DEPTH = 40;
inline constexpr int64_t ALMOST_IMPOSSIBLE_NODE_BUDGET = 5'000;
HintSearch SearchAlmostImpossible(const TileGrid& grid);

struct LineRules;
LineRules NormalRules();
LineRules UnevenRules();
// "Unmovable" seen from its locked cell: the board turned round (rows and columns shifted round, tiles
// renumbered by where they belong) so that column 1 and row 1 are the locked ones. Every pair of locked
// lines is then the same puzzle, with one set of tables.
LineRules UnmovableRules();

// A hint to tap the middle of a cell-sized square at (left, top), outlined whole.
inline Hint HintAtSquare(int32_t left, int32_t top, std::string move) {
    const Point middle = CellMiddle({left, top});
    return {middle.x, middle.y, std::move(move), left, top, CELL_SIZE, CELL_SIZE};
}

// A line shift tapped on its arrow, in the cell the shown puzzle's `arrowCell` names.
Hint LineShiftHint(const Game& game, ShiftDirection direction, int32_t line);

// The hint of a board whose lines shift by `rules`, searched as it stands ("Normal", "Uneven").
std::optional<Hint> SearchedLineHint(const Game& game, const LineRules& rules);

}  // namespace tessel
