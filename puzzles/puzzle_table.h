// What a puzzle is, everything the rest of the game may ask of one, and the puzzles the menu offers, in
// menu order. A new puzzle is a unit of its own in puzzles/, which fills in its entry, and one line in
// the table; nothing outside puzzles/ asks which puzzle is shown.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "core/drawing.h"
#include "core/game.h"
#include "puzzles/board_text.h"
#include "puzzles/deal.h"
#include "puzzles/line_drag.h"
#include "puzzles/line_shifts.h"

namespace tessel {

// The cells the keyboard's cursor may stand on, both ends included. An empty range: no cursor.
struct CellRange {
    int32_t colMin = 0;
    int32_t colMax = -1;
    int32_t rowMin = 0;
    int32_t rowMax = -1;

    bool IsEmpty() const { return colMax < colMin; }
    bool Contains(int32_t col, int32_t row) const {
        return colMin <= col && col <= colMax && rowMin <= row && row <= rowMax;
    }
};

// The grid a puzzle plays on.
enum class GridKind : uint8_t { Tiles, Lights };

// The four operations of a puzzle screen:
//   setup: lays out and scrambles a new board from its deal; called from the menu (or for a game ID)
//          before the screen switches to it.
//   tap: the puzzle's own rules for a tap at (x, y); sets tapActed when it acts, may present intermediate
//        frames, and leaves every cell position as it found it.
//   isSolved: whether the board is in its goal order.
//   draw: the label, the Quit button and the board, onto a cleared back buffer. May clear `solved`.
// The keyboard, which only ever makes the taps a pointer would:
//   cursorRange: where the cursor may stand, in the puzzle's grid; empty where the arrows play alone.
//   cursorBox: the rectangle the cursor outlines at a cell of its range.
//   pressAt: the point Enter and Space tap at the cursor; none where they take hold of the cursor's lines.
//   arrowCell: the top-left corner of the arrow cell whose tap shifts `line` that way; none where no line
//              shifts. Shift+arrow taps the cursor's line there, and the cursor travels with its tile,
//              round the line, or along it and no further where columnsSlide.
//   arrowKeyAt: on a puzzle without a cursor, the point an arrow key taps.
// The words a screen reader hears, and the checks of a sound board:
//   describeBoard: the board's cells, arrows included.
//   describeMove: what a move did, "column 2 up", "tile 7 left"; empty when the board did not change.
//   isLocked: whether a line can never shift; none where every line can.
//   grid and origin: the grid the puzzle plays on, where its cell [0][0] stands while it is shown.
//   brokenBoard: the first thing wrong with the board, in words, or nothing when the board is sound.
// The pointer's drag:
//   drag: what a drag does; none where only its press counts.
// Marks a puzzle's name for the word catalogue's template (docs/words.md); the game says it through
// PuzzleName (game/catalogue.h).
constexpr const char* MarkedName(const char* name) {
    return name;
}

// Marks a puzzle's help for the template, as MarkedName its name; said through HowToPlay
// (game/how_to_play.h).
constexpr const char* MarkedHelp(const char* text) {
    return text;
}

struct Puzzle {
    Screen screen;
    PuzzleLabel label;  // on the menu, and heading its own screen
    const char* name;   // as a screen reader says it
    void (*setup)(Game&, const Deal&);
    void (*tap)(Game&, int32_t x, int32_t y);
    bool (*isSolved)(const Game&);
    void (*draw)(Game&);

    CellRange cursorRange;
    Outline (*cursorBox)(const Game&, int32_t col, int32_t row);
    Point (*pressAt)(const Game&, int32_t col, int32_t row);
    Point (*arrowCell)(const TileGrid&, ShiftDirection, int32_t line);
    bool columnsSlide;
    Point (*arrowKeyAt)(const Game&, ShiftDirection);

    BoardText (*describeBoard)(const Game&);
    MoveWords (*describeMove)(const Board& before, const Board& after);
    bool (*isLocked)(const Game&, ShiftDirection, int32_t line);

    GridKind grid;
    Point origin;
    std::string (*brokenBoard)(const Game&);

    const LineDrag* drag;
    bool dealsLockedLines = false;  // its deal, and so its game ID, names a locked column and row

    // How to play it: what it is, in a line of the menu's help, and its goal, rules, drags and keys.
    const char* summary = "";
    const char* rules = "";
};

// Every puzzle, in the order the menu tests taps and draws labels.
std::span<const Puzzle* const> Puzzles();

// The puzzle shown on `screen`, or none.
const Puzzle* FindPuzzle(int32_t screen);

// Where a tap shifts `line` one cell that way: the middle of the puzzle's arrow cell for it. The keys and
// a drag tap there.
Point ArrowTap(const Puzzle& puzzle, const TileGrid& grid, ShiftDirection direction, int32_t line);

}  // namespace tessel
