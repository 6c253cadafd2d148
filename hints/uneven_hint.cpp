// "Uneven": columns slide into their gaps and rows 2 to 4 shift round. A column's down arrow stands one
// cell below its fifth cell.
#include "hints/hint_parts.h"
#include "hints/line_search.h"

namespace tessel {

LineRules UnevenRules() {
    LineRules rules;
    rules.kind = LineRules::Kind::Gapped;
    // Bottom row first: the top row, which only columns move, comes last.
    rules.order = {13, 14, 15, 16, 9, 10, 11, 12, 5, 6, 7, 8, 1, 2, 3, 4};
    return rules;
}

std::optional<Hint> UnevenHint(const Game& game) {
    const LineSearch found = SearchLines(game.tileGrid, UnevenRules());
    if (found.found.move < 0) return std::nullopt;
    const TileGrid& grid = game.tileGrid;
    return LineShiftHint(grid, MoveDirection(found.found.move), MoveLine(found.found.move),
                         RowTop(grid, 5) + CELL_SIZE);
}

}  // namespace tessel
