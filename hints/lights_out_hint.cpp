// "Lights out": the board is solved by a set of presses, each pressed once, in any order. Pressing the
// first row as chosen and then, row by row, every light under a lit one clears all rows but the last;
// of the 32 first-row choices, those that leave the last row dark are the board's solutions (four on a
// solvable 5 x 5 board). The hint is the first press, in reading order, of the solution with the fewest
// presses, the lowest first-row choice winning a tie. Pressing it leaves a board whose fewest-press
// solution is one press shorter, so following hints takes the fewest presses possible.
#include <array>
#include <optional>
#include <string>

#include "game/catalogue.h"
#include "hints/hint_parts.h"
#include "puzzles/lights_out.h"

namespace tessel {

namespace {

constexpr int32_t SIZE = 5;

using Presses = std::array<std::array<bool, SIZE + 1>, SIZE + 1>;  // [col][row], 1 to 5

struct Solution {
    Presses presses{};
    int32_t count = 0;
};

// Presses the first row as `firstRow` (bit col - 1) says, then chases the lights down. None if the last
// row stays lit.
std::optional<Solution> Chase(const LightGrid& board, uint32_t firstRow) {
    LightGrid grid = board;
    Solution solution;
    const auto press = [&](int32_t col, int32_t row) {
        PressLight(grid, col, row);
        solution.presses[col][row] = true;
        ++solution.count;
    };
    for (int32_t col = 1; col <= SIZE; ++col) {
        if ((firstRow >> (col - 1)) & 1u) press(col, 1);
    }
    for (int32_t row = 2; row <= SIZE; ++row) {
        for (int32_t col = 1; col <= SIZE; ++col) {
            if (grid.Lit(col, row - 1) != 0) press(col, row);
        }
    }
    for (int32_t col = 1; col <= SIZE; ++col) {
        if (grid.Lit(col, SIZE) != 0) return std::nullopt;
    }
    return solution;
}

}  // namespace

std::optional<Hint> LightsOutHint(const Game& game) {
    std::optional<Solution> best;
    for (uint32_t firstRow = 0; firstRow < (1u << SIZE); ++firstRow) {
        const std::optional<Solution> solution = Chase(game.lightGrid, firstRow);
        if (solution && (!best || solution->count < best->count)) best = solution;
    }
    if (!best) return std::nullopt;  // no board a player reaches is unsolvable
    const LightGrid& grid = game.lightGrid;
    for (int32_t row = 1; row <= SIZE; ++row) {
        for (int32_t col = 1; col <= SIZE; ++col) {
            if (!best->presses[col][row]) continue;
            return HintAtSquare(grid.Left(col, row), grid.Top(col, row), Say(msg::PRESS_LIGHT_AT, col, row));
        }
    }
    return std::nullopt;
}

}  // namespace tessel
