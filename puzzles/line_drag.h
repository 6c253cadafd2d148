// What a drag does on a board of lines that shift ("Normal", "Unmovable", "Uneven"): a press on a tile takes
// its row or its column, which follows the pointer and moves one cell for every whole cell it passes, each
// cell exactly the tap on that line's arrow. Each of those puzzles fills in one of these; the others have
// none, and a drag there is only its press.
#pragma once

#include <cstdint>

#include "core/game.h"
#include "puzzles/line_shifts.h"

namespace tessel {

struct LineDrag {
    // The board's rows of tiles, from row 1: a press on a tile in them takes its lines.
    int32_t rows;
    // Whether the line can move one cell that way now; a line that cannot does not follow the pointer.
    bool (*canMove)(const Game&, ShiftDirection, int32_t line);
    // Draws the line `offset` pixels (positive down or right) from where it rests, over the board at rest in
    // the back buffer; `offset` lies within a cell each way, and only where canMove allows.
    void (*draw)(Game&, bool column, int32_t line, int32_t offset);
};

// The drag of "Normal": every line moves every way, round the board.
extern const LineDrag NORMAL_DRAG;

}  // namespace tessel
