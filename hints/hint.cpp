#include "hints/hint.h"

#include <array>

#include "game/catalogue.h"
#include "hints/hint_parts.h"
#include "hints/line_search.h"
#include "hints/line_tables.h"
#include "puzzles/almost_impossible.h"
#include "puzzles/fifteen.h"
#include "puzzles/lights_out.h"
#include "puzzles/normal.h"
#include "puzzles/puzzle_table.h"
#include "puzzles/uneven.h"
#include "puzzles/unmovable.h"

namespace tessel {

Hint LineShiftHint(const Game& game, ShiftDirection direction, int32_t line) {
    const Point cell = FindPuzzle(game.screen)->arrowCell(game.tileGrid, direction, line);
    return HintAtSquare(cell.x, cell.y, SayBoardWords(ShiftWords(direction, line)));
}

std::optional<Hint> SearchedLineHint(const Game& game, const LineRules& rules) {
    const LineSearch found = SearchLines(game.tileGrid, rules);
    if (found.found.move < 0) return std::nullopt;
    return LineShiftHint(game, MoveDirection(found.found.move), MoveLine(found.found.move));
}

namespace {

// Each puzzle's hint, by the puzzle's entry: a new puzzle's solver is one more line here.
struct PuzzleHint {
    const Puzzle* puzzle;
    std::optional<Hint> (*find)(const Game&);
};

constexpr std::array<PuzzleHint, 6> HINTS{{
    {&NORMAL_PUZZLE, NormalHint},
    {&UNEVEN_PUZZLE, UnevenHint},
    {&UNMOVABLE_PUZZLE, UnmovableHint},
    {&ALMOST_IMPOSSIBLE_PUZZLE, AlmostImpossibleHint},
    {&FIFTEEN_PUZZLE, FifteenHint},
    {&LIGHTS_OUT_PUZZLE, LightsOutHint},
}};

}  // namespace

std::optional<Hint> FindHint(const Game& game) {
    const Puzzle* puzzle = FindPuzzle(game.screen);
    if (puzzle == nullptr || puzzle->isSolved(game)) return std::nullopt;
    for (const PuzzleHint& hint : HINTS) {
        if (hint.puzzle == puzzle) return hint.find(game);
    }
    return std::nullopt;
}

bool BuildHintTablesAhead(int32_t work) {
    int64_t left = work;
    return BuildLineTablesAhead(NormalRules(), left) && BuildLineTablesAhead(UnmovableRules(), left) &&
           BuildLineTablesAhead(UnevenRules(), left);
}

}  // namespace tessel
