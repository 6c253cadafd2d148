// The puzzles the menu offers, in menu order, with what each gives the tap cycle. A new puzzle is a unit
// of its own in puzzles/ and one line in this table.
#pragma once

#include <cstdint>
#include <span>

#include "core/drawing.h"
#include "core/game.h"
#include "puzzles/line_drag.h"

namespace tessel {

// The four operations of a puzzle screen.
//   setup: lays out and scrambles a new board; called from the menu before the screen switches to it.
//   tap: the puzzle's own rules for a tap at (x, y); sets tapActed when it acts, may present intermediate
//        frames, and leaves every cell position as it found it.
//   isSolved: whether the board is in its goal order.
//   draw: the label, the Quit button and the board, onto a cleared back buffer. May clear `solved`.
struct Puzzle {
    Screen screen;
    PuzzleLabel label;  // on the menu, and heading its own screen
    void (*setup)(Game&);
    void (*tap)(Game&, int32_t x, int32_t y);
    bool (*isSolved)(const Game&);
    void (*draw)(Game&);
    const LineDrag* drag;  // what a drag does; none where only its press counts
};

// Every puzzle, in the order the menu tests taps and draws labels.
std::span<const Puzzle> Puzzles();

// The puzzle shown on `screen`, or none.
const Puzzle* FindPuzzle(int32_t screen);

}  // namespace tessel
