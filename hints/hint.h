// A hint: the next move toward the solved board for the puzzle on the screen, as a point to tap, a few
// words, and the rectangle to outline around what to tap.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/game.h"

namespace tessel {

struct Hint {
    int32_t x;  // a tap here plays the move (inside the picture, 0..238 x 0..266)
    int32_t y;
    std::string move;  // what the move does, in a few words: "column 2 up", "row 3 left", "tile 7 left",
                       // "turn block at column 2, row 1", "press light at column 3, row 4"
    // The outline to draw around what to tap, in picture pixels (left, top, width, height).
    int32_t left, top, width, height;
};

// The next move toward the solved board for the puzzle on the screen, or none (menu, a solved board, or
// no puzzle). A function of the board alone.
std::optional<Hint> FindHint(const Game& game);

// Builds the tables of "Normal", "Unmovable" and "Uneven" ahead, about `work` placings of a table at a time
// (a millisecond's work for 10,000 or so), so that no first hint waits for them; true once all are built.
bool BuildHintTablesAhead(int32_t work);

}  // namespace tessel
