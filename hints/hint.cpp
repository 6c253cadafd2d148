#include "hints/hint.h"

#include "hints/hint_parts.h"
#include "puzzles/puzzle_table.h"

namespace tessel {

Hint LineShiftHint(const TileGrid& grid, ShiftDirection direction, int32_t line, int32_t footTop) {
    const std::string words = ShiftWords(direction, line);
    switch (direction) {
        case ShiftDirection::Up:
            return HintAtSquare(ColumnLeft(grid, line), RowTop(grid, 0), words);
        case ShiftDirection::Right:
            return HintAtSquare(ColumnLeft(grid, 5), RowTop(grid, line), words);
        case ShiftDirection::Down:
            return HintAtSquare(ColumnLeft(grid, line), footTop, words);
        case ShiftDirection::Left:
            return HintAtSquare(ColumnLeft(grid, 0), RowTop(grid, line), words);
    }
    return {};
}

std::optional<Hint> FindHint(const Game& game) {
    const Puzzle* puzzle = FindPuzzle(game.screen);
    if (puzzle == nullptr || puzzle->isSolved(game)) return std::nullopt;
    switch (game.screen) {
        case SCREEN_NORMAL:
            return NormalHint(game);
        case SCREEN_UNEVEN:
            return UnevenHint(game);
        case SCREEN_UNMOVABLE:
            return UnmovableHint(game);
        case SCREEN_LIGHTS_OUT:
            return LightsOutHint(game);
        case SCREEN_FIFTEEN:
            return FifteenHint(game);
        case SCREEN_ALMOST_IMPOSSIBLE:
            return AlmostImpossibleHint(game);
        default:
            return std::nullopt;
    }
}

}  // namespace tessel
