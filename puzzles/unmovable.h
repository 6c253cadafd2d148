// "Unmovable": "Normal" with one column and one row locked, chosen anew at every set-up. Locked lines have
// no arrows and never shift, so the tile where they cross never moves and is shown grey; the other tiles
// of the locked lines still travel with the lines that cross them.
#pragma once

#include <cstdint>

#include "core/drawing.h"
#include "core/game.h"
#include "puzzles/line_drag.h"
#include "puzzles/line_shifts.h"
#include "puzzles/puzzle_table.h"

namespace tessel {

// Accepted random moves, each of one to three shifts of a line, that scramble a new board; attempts on a
// locked line are refused and do not count.
inline constexpr int32_t UNMOVABLE_SCRAMBLE_MOVES = 20;

inline constexpr PuzzleLabel UNMOVABLE_LABEL{IMG_LABEL_UNMOVABLE, UNMOVABLE_LABEL_X, UNMOVABLE_LABEL_Y,
                                             UNMOVABLE_LABEL_WIDTH};

// Whether the line is one of the two locked ones: the fixed column for up and down, the fixed row for right
// and left.
bool IsLocked(const Game& game, ShiftDirection direction, int32_t line);

void SetupUnmovable(Game& game);
void TapUnmovable(Game& game, int32_t x, int32_t y);
bool IsUnmovableSolved(const Game& game);
void DrawUnmovable(Game& game);

// Everything the rest of the game asks of the puzzle.
extern const Puzzle UNMOVABLE_PUZZLE;

// The drag of "Normal", where the locked lines never follow.
extern const LineDrag UNMOVABLE_DRAG;

}  // namespace tessel
