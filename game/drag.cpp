#include "game/drag.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <utility>

#include "game/tap_cycle.h"
#include "puzzles/puzzle_table.h"

namespace tessel {

namespace {

const LineDrag* DragOf(const Game& game) {
    const Puzzle* puzzle = FindPuzzle(game.screen);
    return puzzle != nullptr ? puzzle->drag : nullptr;
}

// The cell of a tile under (x, y) on a board whose lines a drag takes, or none ({0, 0}).
Drag TileUnder(const Game& game, int32_t x, int32_t y) {
    Drag drag{x, y};
    const LineDrag* lines = DragOf(game);
    if (lines == nullptr || game.solved != 0) return drag;
    const TileGrid& grid = game.tileGrid;
    for (int32_t col = 1; col <= 4; ++col) {
        for (int32_t row = 1; row <= lines->rows; ++row) {
            const bool inside = grid.Left(col, row) <= x && x < grid.Left(col, row) + CELL_SIZE &&
                                grid.Top(col, row) <= y && y < grid.Top(col, row) + CELL_SIZE;
            if (inside && grid.Tile(col, row) != 0) {
                drag.col = col;
                drag.row = row;
            }
        }
    }
    return drag;
}

bool IsColumn(const Drag& drag) {
    return drag.axis == Drag::Axis::Column;
}
int32_t LineOf(const Drag& drag) {
    return IsColumn(drag) ? drag.col : drag.row;
}
ShiftDirection Forward(const Drag& drag) {
    return IsColumn(drag) ? ShiftDirection::Down : ShiftDirection::Right;
}
ShiftDirection Backward(const Drag& drag) {
    return IsColumn(drag) ? ShiftDirection::Up : ShiftDirection::Left;
}

// Set while the picture shown is not the line at `offset`: a move has been played and not yet shown.
constexpr int32_t NOT_SHOWN = INT32_MIN;

// One cell of the drag: the tap on the line's arrow that way, as a pointer would make it, its pictures left
// for the drag to show. Whether the drag goes on: not once the board is solved or the screen has changed.
bool MoveOneCell(Session& session, Drag& drag, ShiftDirection direction, int32_t step) {
    const Point at =
        ArrowTap(*FindPuzzle(session.game.screen), session.game.tileGrid, direction, LineOf(drag));
    const int32_t screen = session.game.screen;
    // The line already stands where the tap's half-step frame would show it: no frame of the tap is shown.
    const Presenter shown = std::exchange(session.game.presenter, {});
    Tap(session, at.x, at.y);
    session.game.presenter = shown;
    drag.cells += step;
    drag.offset = NOT_SHOWN;
    return session.game.screen == screen && session.game.solved == 0;
}

// Shows the board with the line `offset` pixels from its cell.
void ShowLine(Session& session, Drag& drag, int32_t offset) {
    Game& game = session.game;
    drag.offset = offset;
    DrawScreen(game);
    if (offset != 0) DragOf(game)->draw(game, IsColumn(drag), LineOf(drag), offset);
    PresentNow(game);
}

// The line `along` pixels from where it was taken: a move for every whole cell passed that it can make,
// then the rest drawn, as far as the line can go that way. Whether the drag goes on.
bool Follow(Session& session, Drag& drag, int32_t along) {
    for (;;) {
        const LineDrag& lines = *DragOf(session.game);
        const bool forward = lines.canMove(session.game, Forward(drag), LineOf(drag));
        const bool backward = lines.canMove(session.game, Backward(drag), LineOf(drag));
        const int32_t rest =
            std::clamp(along - drag.cells * CELL_SIZE, backward ? -CELL_SIZE : 0, forward ? CELL_SIZE : 0);
        if (rest == CELL_SIZE || rest == -CELL_SIZE) {
            const bool ahead = rest > 0;
            if (MoveOneCell(session, drag, ahead ? Forward(drag) : Backward(drag), ahead ? 1 : -1)) continue;
            PresentNow(session.game);
            return false;
        }
        if (rest != drag.offset) ShowLine(session, drag, rest);
        return true;
    }
}

}  // namespace

void Press(Session& session, int32_t x, int32_t y) {
    if (session.drag) CancelDrag(session);
    const int32_t screen = session.game.screen;
    Tap(session, x, y);
    // A press that acted, or left the board, is a tap and nothing more.
    const bool still = session.game.screen == screen && session.game.tapActed == 0;
    session.drag = still ? TileUnder(session.game, x, y) : Drag{x, y};
}

bool MovePointer(Session& session, int32_t x, int32_t y) {
    if (!session.drag) return false;
    Drag& drag = *session.drag;
    if (drag.col == 0) return true;
    const int32_t across = x - drag.pressX;
    const int32_t down = y - drag.pressY;
    if (drag.axis == Drag::Axis::Undecided) {
        if (std::max(std::abs(across), std::abs(down)) < DRAG_THRESHOLD) return true;
        drag.axis = std::abs(across) >= std::abs(down) ? Drag::Axis::Row : Drag::Axis::Column;
    }
    if (!Follow(session, drag, IsColumn(drag) ? down : across)) drag.col = 0;
    return true;
}

bool Release(Session& session) {
    if (!session.drag) return false;
    Drag drag = *session.drag;
    session.drag.reset();
    if (drag.col == 0 || drag.axis == Drag::Axis::Undecided) return true;
    // Half a cell or more is one more move; less goes back.
    if (2 * std::abs(drag.offset) >= CELL_SIZE) {
        const bool ahead = drag.offset > 0;
        MoveOneCell(session, drag, ahead ? Forward(drag) : Backward(drag), ahead ? 1 : -1);
        PresentNow(session.game);
        return true;
    }
    if (drag.offset != 0) ShowLine(session, drag, 0);
    return true;
}

bool CancelDrag(Session& session) {
    if (!session.drag) return false;
    Drag drag = *session.drag;
    session.drag.reset();
    if (drag.col != 0 && drag.offset != 0) ShowLine(session, drag, 0);
    return true;
}

}  // namespace tessel
