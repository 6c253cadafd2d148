// "Unmovable": "Normal" without the moves of its locked column and row.
#include "hints/hint_parts.h"
#include "hints/line_search.h"
#include "puzzles/unmovable.h"

namespace tessel {

LineRules UnmovableRules(const Game& game) {
    LineRules rules;
    for (int32_t move = 0; move < LINE_MOVES; ++move) {
        rules.locked[move] = IsLocked(game, MoveDirection(move), MoveLine(move));
    }
    return rules;
}

std::optional<Hint> UnmovableHint(const Game& game) {
    const LineSearch found = SearchLines(game.tileGrid, UnmovableRules(game));
    if (found.found.move < 0) return std::nullopt;
    const TileGrid& grid = game.tileGrid;
    return LineShiftHint(grid, MoveDirection(found.found.move), MoveLine(found.found.move), RowTop(grid, 5));
}

}  // namespace tessel
