// The moves of the game in play, so that they can be taken back and played again. A move is a tap on a
// puzzle's board that changed it; the history keeps the tap and the board as it was before it, so Undo
// puts a board back exactly and Redo replays the very tap, whatever the puzzle's rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/game.h"
#include "game/cursor.h"

namespace tessel {

struct TapPoint {
    uint16_t x = 0;
    uint16_t y = 0;
};

// Moves beyond this many drop the oldest.
inline constexpr std::size_t HISTORY_LIMIT = 10000;

// Where the cursor stood before a move and where the move left it.
struct MoveCursors {
    Cursor before;
    Cursor after;
};

struct Move {
    Board before;  // the board before the move
    TapPoint tap;  // the tap that made it
    MoveCursors cursors;
    uint32_t ms = 0;  // on the game's clock when it was last played (game/session.h)
};

// The moves in a ring: once it holds the limit, a new move takes the place of the oldest, so a move costs
// the same however long the game.
struct History {
    std::vector<Move> ring;
    std::size_t oldest = 0;   // where the oldest move stands in the ring
    std::size_t held = 0;     // moves held: those played and not taken back first, then those taken back
    std::size_t done = 0;     // moves played and not taken back; the rest can be played again
    std::size_t dropped = 0;  // the oldest moves, gone beyond the limit
};

inline std::size_t UndoCount(const History& history) {
    return history.done;
}
inline std::size_t RedoCount(const History& history) {
    return history.held - history.done;
}

// The move at index, the oldest held being 0.
inline const Move& MoveAt(const History& history, std::size_t index) {
    return history.ring[(history.oldest + index) % HISTORY_LIMIT];
}
inline Move& MoveAt(History& history, std::size_t index) {
    return history.ring[(history.oldest + index) % HISTORY_LIMIT];
}

// A new move: whatever could have been played again is dropped, and past the limit the oldest move goes.
void RecordMove(History& history, const Move& move);

}  // namespace tessel
