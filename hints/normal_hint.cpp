// "Normal": every line shifts round, either way.
#include "hints/hint_parts.h"
#include "hints/line_search.h"

namespace tessel {

std::optional<Hint> NormalHint(const Game& game) {
    const LineSearch found = SearchLines(game.tileGrid, LineRules{});
    if (found.found.move < 0) return std::nullopt;
    const TileGrid& grid = game.tileGrid;
    return LineShiftHint(grid, MoveDirection(found.found.move), MoveLine(found.found.move), RowTop(grid, 5));
}

}  // namespace tessel
