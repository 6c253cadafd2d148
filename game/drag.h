// Dragging a row or a column with a finger, a pen or the mouse. A press is always the tap at its point; a
// press on a tile of a board whose lines shift (puzzles/line_drag.h) then takes the tile's row or column
// once the pointer has gone a third of a cell from it, sideways for the row, up or down for the column, and
// that line follows the pointer. Every whole cell it passes is one move, played as the tap on that line's
// arrow, so the board, the history, the kept game and the words are those of that tap. On release the line
// settles on the nearest cell; cancelled, it keeps the cells it passed and settles back.
#pragma once

#include <cstdint>

#include "game/session.h"

namespace tessel {

// How far the pointer goes from its press before a drag takes a line: about a third of a cell.
inline constexpr int32_t DRAG_THRESHOLD = CELL_SIZE / 3;

// The pointer pressed at (x, y): the tap there, and the start of a drag. A press while one is held first
// cancels that one.
void Press(Session& session, int32_t x, int32_t y);

// The pressed pointer at (x, y). False, with nothing done, when no pointer is pressed.
bool MovePointer(Session& session, int32_t x, int32_t y);

// The pointer let go: the line settles on the nearest cell, a rest of half a cell or more being one more
// move. False, with nothing done, when no pointer is pressed.
bool Release(Session& session);

// The drag ended by the system (a call, a second finger, the window losing the mouse): the moves made so
// far stay, the line goes back to rest. False, with nothing done, when no pointer is pressed.
bool CancelDrag(Session& session);

}  // namespace tessel
