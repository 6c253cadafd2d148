// "Uneven": columns slide into their gaps and rows 2 to 4 shift round.
#include "hints/hint_parts.h"
#include "hints/line_search.h"
#include "puzzles/uneven.h"

namespace tessel {

LineRules UnevenRules() {
    LineRules rules;
    rules.kind = LineRules::Kind::Gapped;
    // Bottom row first: the top row, which only columns move, comes last.
    rules.order = {13, 14, 15, 16, 9, 10, 11, 12, 5, 6, 7, 8, 1, 2, 3, 4};
    // Three columns down and the next tile of the bottom row on top of the fourth, up: the way round
    // starts by sliding a column.
    const int8_t up1 = static_cast<int8_t>(LineMove(ShiftDirection::Up, 1));
    const int8_t down1 = static_cast<int8_t>(LineMove(ShiftDirection::Down, 1));
    rules.waysRound = {{{0b0111, 1, 3, up1},
                        {0b0111, 3, 3, up1},
                        {0b1011, 0, 2, up1},
                        {0b1011, 2, 2, up1},
                        {0b1101, 1, 1, up1},
                        {0b1101, 3, 1, up1},
                        {0b1110, 0, 0, down1},
                        {0b1110, 2, 0, down1}}};
    rules.wayCount = 8;
    // The one table's goal (line_tables.h): no column down, then the places of column 1's tiles.
    rules.groups[0] = {0, 0, 4, 8, 12};
    rules.groupCount = 1;
    rules.nodeBudget = 3'000;  // ten first moves
    return rules;
}

std::optional<Hint> UnevenHint(const Game& game) {
    return SearchedLineHint(game, UnevenRules());
}

}  // namespace tessel
