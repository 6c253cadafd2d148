#include "puzzles/lights_out.h"

#include <string>
#include <vector>

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
    game.random.Seed(deal.seed);
    // No draw is compared with earlier ones: a light pressed twice cancels out, and the board may stay dark.
    for (int32_t press = 0; press < LIGHTS_OUT_SCRAMBLE_PRESSES; ++press) {
        const int32_t col = game.random.Draw() % BOARD_SIZE + 1;
        const int32_t row = game.random.Draw() % BOARD_SIZE + 1;
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

namespace {

Outline LightBox(const Game& game, int32_t col, int32_t row) {
    return {game.lightGrid.Left(col, row), game.lightGrid.Top(col, row), CELL_SIZE, CELL_SIZE, false};
}

Point PressAtMiddle(const Game& game, int32_t col, int32_t row) {
    return CellMiddle({game.lightGrid.Left(col, row), game.lightGrid.Top(col, row)});
}

BoardText DescribeLights(const Game& game) {
    const LightGrid& grid = game.lightGrid;
    BoardText text;
    text.columns = text.rows = BOARD_SIZE;
    text.firstCol = text.firstRow = 1;
    for (int32_t row = 1; row <= BOARD_SIZE; ++row) {
        for (int32_t col = 1; col <= BOARD_SIZE; ++col) {
            const BoardWords name{grid.Lit(col, row) != 0 ? BoardWords::LIGHT_ON : BoardWords::LIGHT_OFF};
            text.cells.push_back(
                CellItem(name, grid.Left(col, row), grid.Top(col, row), PlaceWords(col, row)));
        }
    }
    return text;
}

struct Cell {
    int32_t col = 0;
    int32_t row = 0;
};

uint64_t LightBit(int32_t col, int32_t row) {
    return uint64_t{1} << (col * LightGrid::SIZE + row);
}

bool LitAt(uint64_t lit, int32_t col, int32_t row) {
    return (lit & LightBit(col, row)) != 0;
}

// The board lights a press of each light in `pressed` toggles, one bit a light as the board keeps them.
uint64_t PressMask(const std::vector<Cell>& pressed) {
    LightGrid grid{};
    for (const Cell& light : pressed) PressLight(grid, light.col, light.row);
    uint64_t mask = 0;
    for (int32_t row = 1; row <= BOARD_SIZE; ++row) {
        for (int32_t col = 1; col <= BOARD_SIZE; ++col) {
            if (grid.Lit(col, row) != 0) mask |= LightBit(col, row);
        }
    }
    return mask;
}

// The lights one tap presses: one, two beside each other (a tap on the line between them) or four round a
// corner; the fewest whose presses make the change.
std::vector<Cell> FindPressedLights(uint64_t toggled) {
    std::vector<std::vector<Cell>> candidates;
    for (int32_t row = 1; row <= BOARD_SIZE; ++row) {
        for (int32_t col = 1; col <= BOARD_SIZE; ++col) candidates.push_back({{col, row}});
    }
    for (int32_t row = 1; row <= BOARD_SIZE; ++row) {
        for (int32_t col = 1; col <= BOARD_SIZE; ++col) {
            const bool right = col < BOARD_SIZE, below = row < BOARD_SIZE;
            if (right) candidates.push_back({{col, row}, {col + 1, row}});
            if (below) candidates.push_back({{col, row}, {col, row + 1}});
            if (right && below)
                candidates.push_back({{col, row}, {col + 1, row}, {col, row + 1}, {col + 1, row + 1}});
        }
    }
    for (const std::vector<Cell>& pressed : candidates) {
        if (PressMask(pressed) == toggled) return pressed;
    }
    return {};
}

MoveWords DescribePresses(const Board& before, const Board& after) {
    uint64_t board = 0;
    int32_t on = 0;
    for (int32_t row = 1; row <= BOARD_SIZE; ++row) {
        for (int32_t col = 1; col <= BOARD_SIZE; ++col) {
            board |= LightBit(col, row);
            on += LitAt(after.lit, col, row) ? 1 : 0;
        }
    }
    const uint64_t toggled = (before.lit ^ after.lit) & board;
    if (toggled == 0) return {};
    const std::vector<Cell> pressed = FindPressedLights(toggled);
    MoveWords words;
    if (pressed.size() == 1) {
        const bool lit = LitAt(after.lit, pressed[0].col, pressed[0].row);
        words.push_back({lit ? BoardWords::PRESSED_ON : BoardWords::PRESSED_OFF});
    } else if (!pressed.empty()) {
        words.push_back({BoardWords::LIGHTS_PRESSED, static_cast<int32_t>(pressed.size())});
    }
    if (on > 0) words.push_back({BoardWords::LIGHTS_ON, on});
    return words;
}

// Every light is on or off whatever the board: nothing more to check.
std::string BrokenLights(const Game&) {
    return {};
}

}  // namespace

constexpr Puzzle LIGHTS_OUT_PUZZLE{
    .screen = SCREEN_LIGHTS_OUT,
    .label = LIGHTS_OUT_LABEL,
    .name = MarkedName("Lights out"),
    .setup = SetupLightsOut,
    .tap = TapLightsOut,
    .isSolved = IsLightsOutSolved,
    .draw = DrawLightsOut,
    .cursorRange = {1, BOARD_SIZE, 1, BOARD_SIZE},
    .cursorBox = LightBox,
    .pressAt = PressAtMiddle,
    .arrowCell = nullptr,
    .columnsSlide = false,
    .arrowKeyAt = nullptr,
    .describeBoard = DescribeLights,
    .describeMove = DescribePresses,
    .isLocked = nullptr,
    .grid = GridKind::Lights,
    .origin = LIGHTS_OUT_GRID_ORIGIN,
    .brokenBoard = BrokenLights,
    .drag = nullptr,
    // TRANSLATORS: what the puzzle "Lights out" is, in a line of the help on the menu.
    .summary = MarkedHelp("switch every light of a 5 x 5 board off"),
    // TRANSLATORS: the help of the puzzle "Lights out": its goal, its rules, its drags and keys.
    .rules = MarkedHelp(
        "Turn every light off. Tapping a light switches it and the lights above, below, left and right of "
        "it, on to off and off to on. Keys: the arrows move the cursor, and Enter or Space presses the "
        "light under it."),
};

}  // namespace tessel
