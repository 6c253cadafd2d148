#include "game/keys.h"

#include <algorithm>
#include <array>

#include "puzzles/puzzle_table.h"

namespace tessel {

namespace {

constexpr std::array<std::string_view, KEY_COUNT> KEY_NAMES{
    "Left",     "Right",      "Up",    "Down",  "Shift+Left", "Shift+Right",
    "Shift+Up", "Shift+Down", "Enter", "Space", "Escape"};

// The cells the cursor can stand on, both ends included.
struct CursorRange {
    int32_t colMin, colMax, rowMin, rowMax;
};

std::optional<CursorRange> RangeOf(int32_t screen) {
    switch (screen) {
        case SCREEN_MENU:
            return CursorRange{0, 0, 0, static_cast<int32_t>(Puzzles().size()) - 1};
        case SCREEN_NORMAL:
        case SCREEN_UNMOVABLE:
            return CursorRange{1, 4, 1, 4};
        case SCREEN_UNEVEN:  // four columns of five cells
            return CursorRange{1, 4, 1, 5};
        case SCREEN_ALMOST_IMPOSSIBLE:  // the top-left cells of the nine blocks
            return CursorRange{1, 3, 1, 3};
        case SCREEN_LIGHTS_OUT:
            return CursorRange{1, 5, 1, 5};
        default:
            return std::nullopt;
    }
}

bool IsInside(const CursorRange& range, const Cursor& cursor) {
    return range.colMin <= cursor.col && cursor.col <= range.colMax && range.rowMin <= cursor.row &&
           cursor.row <= range.rowMax;
}

bool IsLineScreen(int32_t screen) {
    return screen == SCREEN_NORMAL || screen == SCREEN_UNMOVABLE || screen == SCREEN_UNEVEN;
}

struct Step {
    int32_t dCol, dRow;
};

Step StepOf(Key key) {
    switch (key) {
        case Key::Left:
        case Key::ShiftLeft:
            return {-1, 0};
        case Key::Right:
        case Key::ShiftRight:
            return {1, 0};
        case Key::Up:
        case Key::ShiftUp:
            return {0, -1};
        case Key::Down:
        case Key::ShiftDown:
            return {0, 1};
        default:
            return {0, 0};
    }
}

bool IsArrow(Key key) {
    return key == Key::Left || key == Key::Right || key == Key::Up || key == Key::Down;
}
bool IsShiftArrow(Key key) {
    return key == Key::ShiftLeft || key == Key::ShiftRight || key == Key::ShiftUp || key == Key::ShiftDown;
}
bool IsPress(Key key) {
    return key == Key::Enter || key == Key::Space;
}

TapPoint PointAt(int32_t x, int32_t y) {
    return {static_cast<uint16_t>(x), static_cast<uint16_t>(y)};
}

// The middle of a grid cell.
template <typename Grid>
TapPoint MiddleOfCell(const Grid& grid, int32_t col, int32_t row) {
    return PointAt(grid.Left(col, row) + CELL_SIZE / 2, grid.Top(col, row) + CELL_SIZE / 2);
}

TapPoint MiddleOfQuit() {
    return PointAt(QUIT_X + QUIT_WIDTH / 2, QUIT_Y + QUIT_HEIGHT / 2);
}

KeyAction MoveTo(Cursor cursor) {
    return {KeyAction::Kind::MoveCursor, cursor, {}};
}
KeyAction TapAt(TapPoint tap, Cursor ifActed) {
    return {KeyAction::Kind::Tap, ifActed, tap};
}

// One cell along a cyclic line of four (1 to 4), as the shifts move tiles.
int32_t AroundBoard(int32_t at, int32_t step) {
    return (at - 1 + step + 4) % 4 + 1;
}

// Shift+arrow on "Normal", "Unmovable" and "Uneven": the tap on the arrow of the cursor's row or column,
// the cursor carried along with its tile. Refused moves (locked lines, full columns) are the puzzle's to
// refuse, as for a pointer's tap.
KeyAction ShiftLine(const Game& game, const Cursor& cursor, Key key) {
    const TileGrid& grid = game.tileGrid;
    const Step step = StepOf(key);
    Cursor moved = cursor;
    if (step.dCol != 0) {
        moved.col = AroundBoard(cursor.col, step.dCol);
        return TapAt(MiddleOfCell(grid, step.dCol < 0 ? 0 : 5, cursor.row), moved);
    }
    if (game.screen == SCREEN_UNEVEN) {
        // A column slides one cell into its gap; the down arrows stand below the fifth cell.
        moved.row = std::clamp(cursor.row + step.dRow, 1, 5);
        const TapPoint up = MiddleOfCell(grid, cursor.col, 0);
        const TapPoint down = PointAt(up.x, grid.Top(cursor.col, 5) + CELL_SIZE + CELL_SIZE / 2);
        return TapAt(step.dRow < 0 ? up : down, moved);
    }
    moved.row = AroundBoard(cursor.row, step.dRow);
    return TapAt(MiddleOfCell(grid, cursor.col, step.dRow < 0 ? 0 : 5), moved);
}

// An arrow on the 15 Puzzle: the tile beside the empty cell, on the side the arrow comes from, slides in.
KeyAction SlideTile(const Game& game, Key key) {
    const Step step = StepOf(key);
    return TapAt(MiddleOfCell(game.tileGrid, game.blankCol - step.dCol, game.blankRow - step.dRow), {});
}

KeyAction Press(const Game& game, const Cursor& cursor) {
    switch (game.screen) {
        case SCREEN_MENU: {
            const PuzzleLabel& label = Puzzles()[static_cast<std::size_t>(cursor.row)].label;
            return TapAt(PointAt(label.x + label.width / 2, label.y + LABEL_HEIGHT / 2), cursor);
        }
        case SCREEN_LIGHTS_OUT:
            return TapAt(MiddleOfCell(game.lightGrid, cursor.col, cursor.row), cursor);
        case SCREEN_ALMOST_IMPOSSIBLE:  // the point where the block's four cells meet
            return TapAt(PointAt(game.tileGrid.Left(cursor.col + 1, cursor.row),
                                 game.tileGrid.Top(cursor.col, cursor.row + 1)),
                         cursor);
        default: {  // a line puzzle: take hold of the cursor's lines, or let go
            Cursor toggled = cursor;
            toggled.grabbed = !cursor.grabbed;
            return MoveTo(toggled);
        }
    }
}

}  // namespace

std::optional<Key> ParseKey(std::string_view name) {
    for (std::size_t i = 0; i < KEY_NAMES.size(); ++i) {
        if (KEY_NAMES[i] == name) return static_cast<Key>(i);
    }
    return std::nullopt;
}

bool HasCursor(int32_t screen) {
    return RangeOf(screen).has_value();
}

Cursor CursorOnArrival(const Game& game, int32_t screenLeft, bool shown) {
    Cursor cursor;
    cursor.shown = shown && HasCursor(game.screen);
    if (game.screen == SCREEN_MENU) {
        const auto puzzles = Puzzles();
        for (std::size_t i = 0; i < puzzles.size(); ++i) {
            if (puzzles[i].screen == screenLeft) cursor.row = static_cast<int32_t>(i);
        }
    } else if (const auto range = RangeOf(game.screen)) {
        cursor.col = range->colMin;
        cursor.row = range->rowMin;
    }
    return cursor;
}

KeyAction InterpretKey(const Game& game, const Cursor& cursor, Key key) {
    if (game.splashPending != 0) return {};
    const bool onBoard = FindPuzzle(game.screen) != nullptr;
    // A solved board waits for the tap that leads back to the menu.
    if (onBoard && game.solved != 0)
        return IsPress(key) || key == Key::Escape ? TapAt(MiddleOfQuit(), cursor) : KeyAction{};
    if (key == Key::Escape) {
        if (!onBoard) return {};
        if (cursor.grabbed) {
            Cursor released = cursor;
            released.grabbed = false;
            return MoveTo(released);
        }
        return TapAt(MiddleOfQuit(), cursor);
    }
    if (game.screen == SCREEN_FIFTEEN) return IsArrow(key) ? SlideTile(game, key) : KeyAction{};
    const std::optional<CursorRange> range = RangeOf(game.screen);
    if (!range) return {};
    // The first key only shows the cursor: where it was, or on the first target.
    if (!cursor.shown || !IsInside(*range, cursor)) {
        Cursor shown = IsInside(*range, cursor) ? cursor : CursorOnArrival(game, game.screen, true);
        shown.shown = true;
        return MoveTo(shown);
    }
    if (IsPress(key)) return Press(game, cursor);
    const bool shifts = IsLineScreen(game.screen) && (IsShiftArrow(key) || (cursor.grabbed && IsArrow(key)));
    if (shifts) return ShiftLine(game, cursor, key);
    if (!IsArrow(key)) return {};
    const Step step = StepOf(key);
    Cursor moved = cursor;
    moved.col = std::clamp(cursor.col + step.dCol, range->colMin, range->colMax);
    moved.row = std::clamp(cursor.row + step.dRow, range->rowMin, range->rowMax);
    return MoveTo(moved);
}

Outline CursorOutline(const Game& game, const Cursor& cursor) {
    const std::optional<CursorRange> range = RangeOf(game.screen);
    if (!cursor.shown || !range || !IsInside(*range, cursor)) return {};
    if (game.screen == SCREEN_MENU) {
        const PuzzleLabel& label = Puzzles()[static_cast<std::size_t>(cursor.row)].label;
        return {label.x, label.y, label.width, LABEL_HEIGHT, false};
    }
    if (game.screen == SCREEN_LIGHTS_OUT) {
        const LightGrid& grid = game.lightGrid;
        return {grid.Left(cursor.col, cursor.row), grid.Top(cursor.col, cursor.row), CELL_SIZE, CELL_SIZE,
                false};
    }
    const TileGrid& grid = game.tileGrid;
    const int32_t cells = game.screen == SCREEN_ALMOST_IMPOSSIBLE ? 2 : 1;
    return {grid.Left(cursor.col, cursor.row), grid.Top(cursor.col, cursor.row), cells * CELL_SIZE,
            cells * CELL_SIZE, cursor.grabbed};
}

}  // namespace tessel
