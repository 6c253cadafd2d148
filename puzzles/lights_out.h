// "Lights out": a 5 x 5 board of lights, each on or off. Pressing a light toggles it and its four
// neighbours; the board is cleared when every light is off.
#pragma once

#include <cstdint>

#include "core/drawing.h"
#include "core/game.h"
#include "puzzles/puzzle_table.h"

namespace tessel {

// Random presses that scramble a new board.
inline constexpr int32_t LIGHTS_OUT_SCRAMBLE_PRESSES = 10;

inline constexpr PuzzleLabel LIGHTS_OUT_LABEL{IMG_LABEL_LIGHTS_OUT, LIGHTS_OUT_LABEL_X, LIGHTS_OUT_LABEL_Y,
                                              LIGHTS_OUT_LABEL_WIDTH};

void SetupLightsOut(Game& game);
void TapLightsOut(Game& game, int32_t x, int32_t y);
bool IsLightsOutSolved(const Game& game);
void DrawLightsOut(Game& game);

// Toggles board light (col, row), col and row 1 to 5, then its left, upper, right and lower neighbours.
// A neighbour beyond the board's edge is a ring cell, which takes the toggle and is never shown.
void PressLight(LightGrid& grid, int32_t col, int32_t row);

// Everything the rest of the game asks of the puzzle.
extern const Puzzle LIGHTS_OUT_PUZZLE;

}  // namespace tessel
