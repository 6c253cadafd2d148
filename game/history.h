// The moves of the game in play, so that they can be taken back and played again. A move is a tap on a
// puzzle's board that changed it; the history keeps the tap and the board as it was before it, so Undo
// puts a board back exactly and Redo replays the very tap, whatever the puzzle's rules.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>

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

struct History {
    std::deque<Board> before;         // the board before each move, oldest first
    std::deque<TapPoint> taps;        // the tap that made each move
    std::deque<MoveCursors> cursors;  // the cursor around each move
    std::size_t done = 0;             // moves played and not taken back; the rest can be played again
};

inline std::size_t UndoCount(const History& history) {
    return history.done;
}
inline std::size_t RedoCount(const History& history) {
    return history.taps.size() - history.done;
}

// A new move: whatever could have been played again is dropped, and past the limit the oldest move goes.
void RecordMove(History& history, const Board& before, TapPoint tap, MoveCursors cursors = {});

}  // namespace tessel
