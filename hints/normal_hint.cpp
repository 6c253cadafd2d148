// "Normal": every line shifts round, either way.
#include "hints/hint_parts.h"
#include "hints/line_search.h"

namespace tessel {

LineRules NormalRules() {
    LineRules rules;
    // 15 and 16 swapped: the last row shifts round, and the columns take it back in nine moves.
    rules.waysRound[0] = {0, 14, 15, LineMove(ShiftDirection::Up, 1)};
    rules.wayCount = 1;
    // Row 1 and the first tile of row 2; shifted round and turned over the diagonal, any row with a tile of
    // the row below, any column with a tile of the column right of it: 32 groups. Their mirror images
    // would make 64, with fewer nodes but slower ones.
    rules.groups = {{{0, 1, 2, 3, 4}}};
    rules.groupCount = 1;
    rules.mirrored = false;
    // A solution that weighs the estimate half again as much as the moves, close to the fewest moves; if
    // that finds none within reach, one that weighs it twice, found sooner.
    rules.passes = {{{2, 3, 14, 1'000}, {1, 2, 12, 1'500}}};
    rules.passCount = 2;
    return rules;
}

std::optional<Hint> NormalHint(const Game& game) {
    return SearchedLineHint(game, NormalRules());
}

}  // namespace tessel
