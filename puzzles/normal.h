// "Normal": tiles 1 to 16 on a 4 x 4 board framed by sixteen arrows. Tapping an arrow shifts its whole
// column or row one cell that way, cyclically; the board is solved when the tiles read 1 to 16 again.
#pragma once

#include <cstdint>

#include "core/drawing.h"
#include "core/game.h"
#include "puzzles/puzzle_table.h"

namespace tessel {

// Random rounds of one to three shifts of one line that scramble a new board.
inline constexpr int32_t NORMAL_SCRAMBLE_ROUNDS = 10;

inline constexpr PuzzleLabel NORMAL_LABEL{IMG_LABEL_NORMAL, NORMAL_LABEL_X, NORMAL_LABEL_Y,
                                          NORMAL_LABEL_WIDTH};

void SetupNormal(Game& game);
void TapNormal(Game& game, int32_t x, int32_t y);
bool IsNormalSolved(const Game& game);
void DrawNormal(Game& game);

// Everything the rest of the game asks of the puzzle.
extern const Puzzle NORMAL_PUZZLE;

}  // namespace tessel
