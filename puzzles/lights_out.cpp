#include "puzzles/lights_out.h"

#include "core/platform.h"

namespace tessel {

namespace {

constexpr int32_t BOARD_SIZE = 5;

void Toggle(LightGrid& grid, int32_t col, int32_t row) {
    uint8_t& light = grid.Lit(col, row);
    light = light == 0 ? 1 : 0;
}

// A light's box includes both its edges, so neighbouring boxes share a line and a tap on it hits both.
bool IsInBox(const LightGrid& grid, int32_t col, int32_t row, int32_t x, int32_t y) {
    return grid.Left(col, row) <= x && x <= grid.Left(col + 1, row) && grid.Top(col, row) <= y &&
           y <= grid.Top(col, row + 1);
}

}  // namespace

void PressLight(LightGrid& grid, int32_t col, int32_t row) {
    Toggle(grid, col, row);
    Toggle(grid, col - 1, row);
    Toggle(grid, col, row - 1);
    Toggle(grid, col + 1, row);
    Toggle(grid, col, row + 1);
}

void SetupLightsOut(Game& game, const Deal& deal) {
    ResetBanner(game);
    LightGrid& grid = game.lightGrid;
    grid.lit.fill(0);
    SeedRandom(deal.seed);
    // No draw is compared with earlier ones: a light pressed twice cancels out, and the board may stay dark.
    for (int32_t press = 0; press < LIGHTS_OUT_SCRAMBLE_PRESSES; ++press) {
        const int32_t col = DrawRandom() % BOARD_SIZE + 1;
        const int32_t row = DrawRandom() % BOARD_SIZE + 1;
        PressLight(grid, col, row);
    }
    PlaceCells(grid, LIGHTS_OUT_GRID_ORIGIN);
}

// Presses every light whose box holds the tap, row by row: two on a shared line, four on a shared corner.
void TapLightsOut(Game& game, int32_t x, int32_t y) {
    LightGrid& grid = game.lightGrid;
    bool pressed = false;
    for (int32_t row = 1; row <= BOARD_SIZE; ++row) {
        for (int32_t col = 1; col <= BOARD_SIZE; ++col) {
            if (!IsInBox(grid, col, row, x, y)) continue;
            PressLight(grid, col, row);
            pressed = true;
        }
    }
    game.tapActed = pressed ? 1 : 0;
}

// Only the board counts; the ring's lights are never examined.
bool IsLightsOutSolved(const Game& game) {
    for (int32_t row = 1; row <= BOARD_SIZE; ++row) {
        for (int32_t col = 1; col <= BOARD_SIZE; ++col) {
            if (game.lightGrid.Lit(col, row) != 0) return false;
        }
    }
    return true;
}

// A lit light on the screen means the board is not cleared, so drawing one takes the banner away, whatever
// left `solved` set. The ring is not drawn.
void DrawLightsOut(Game& game) {
    DrawPuzzleFrame(game, LIGHTS_OUT_LABEL);
    const LightGrid& grid = game.lightGrid;
    for (int32_t row = 1; row <= BOARD_SIZE; ++row) {
        for (int32_t col = 1; col <= BOARD_SIZE; ++col) {
            const bool on = grid.Lit(col, row) != 0;
            DrawCellImage(game, on ? IMG_LIGHT_ON : IMG_LIGHT_OFF, grid.Left(col, row), grid.Top(col, row));
            if (on) game.solved = 0;
        }
    }
}

}  // namespace tessel
