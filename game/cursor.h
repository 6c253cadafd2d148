// The keyboard's cursor, as the session keeps it and the history brings it back with a board.
#pragma once

#include <cstdint>

namespace tessel {

// Hidden until the first arrow key, hidden again by every pointer tap. Board cells are numbered as in the
// tile or light grid; on the menu it stands at [0, index]; on "Almost Impossible" it names the top-left
// cell of its 2 x 2 block.
struct Cursor {
    bool shown = false;
    int32_t col = 0;
    int32_t row = 0;
    bool grabbed = false;  // the cursor's line shifts with plain arrows

    bool operator==(const Cursor&) const = default;
};

}  // namespace tessel
