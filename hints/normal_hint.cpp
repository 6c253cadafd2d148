// "Normal": every line shifts round, either way.
#include "hints/hint_parts.h"
#include "hints/line_search.h"

namespace tessel {

LineRules NormalRules() {
    LineRules rules;
    // 15 and 16 swapped: the last row shifts round, and the columns take it back in nine moves.
    rules.waysRound[0] = {0, 14, 15, LineMove(ShiftDirection::Up, 1)};
    rules.wayCount = 1;
    rules.nodeBudget = 2'000;  // sixteen first moves
    return rules;
}

std::optional<Hint> NormalHint(const Game& game) {
    const LineSearch found = SearchLines(game.tileGrid, NormalRules());
    if (found.found.move < 0) return std::nullopt;
    const TileGrid& grid = game.tileGrid;
    return LineShiftHint(grid, MoveDirection(found.found.move), MoveLine(found.found.move), RowTop(grid, 5));
}

}  // namespace tessel
