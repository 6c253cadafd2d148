#include "game/keys.h"

#include <algorithm>
#include <array>
#include <string>

#include "puzzles/puzzle_table.h"

namespace tessel {

namespace {

constexpr std::array<std::string_view, KEY_COUNT> KEY_NAMES{
    "Left",     "Right",      "Up",    "Down",  "Shift+Left", "Shift+Right",
    "Shift+Up", "Shift+Down", "Enter", "Space", "Escape"};

// The cells the cursor can stand on: the menu's labels, one above the other, or the puzzle's range.
CellRange RangeOf(int32_t screen) {
    if (screen == SCREEN_MENU) return {0, 0, 0, static_cast<int32_t>(Puzzles().size()) - 1};
    const Puzzle* puzzle = FindPuzzle(screen);
    return puzzle != nullptr ? puzzle->cursorRange : CellRange{};
}

bool IsInside(const CellRange& range, const Cursor& cursor) {
    return range.Contains(cursor.col, cursor.row);
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

// The way an arrow key points, with or without Shift.
ShiftDirection DirectionOf(Key key) {
    switch (key) {
        case Key::Left:
        case Key::ShiftLeft:
            return ShiftDirection::Left;
        case Key::Right:
        case Key::ShiftRight:
            return ShiftDirection::Right;
        case Key::Up:
        case Key::ShiftUp:
            return ShiftDirection::Up;
        default:
            return ShiftDirection::Down;
    }
}

struct Step {
    int32_t dCol, dRow;
};

Step StepOf(ShiftDirection direction) {
    switch (direction) {
        case ShiftDirection::Up:
            return {0, -1};
        case ShiftDirection::Right:
            return {1, 0};
        case ShiftDirection::Down:
            return {0, 1};
        case ShiftDirection::Left:
            return {-1, 0};
    }
    return {0, 0};
}

TapPoint PointAt(Point point) {
    return {static_cast<uint16_t>(point.x), static_cast<uint16_t>(point.y)};
}

TapPoint MiddleOfQuit() {
    return PointAt({QUIT_X + QUIT_WIDTH / 2, QUIT_Y + QUIT_HEIGHT / 2});
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

// The tap on the arrow of the cursor's row or column, the cursor carried along with its tile. Refused
// moves (locked lines, full columns) are the puzzle's to refuse, as for a pointer's tap.
KeyAction ShiftLine(const Game& game, const Puzzle& puzzle, const Cursor& cursor, ShiftDirection direction) {
    const Step step = StepOf(direction);
    const bool column = IsColumnShift(direction);
    const int32_t line = column ? cursor.col : cursor.row;
    Cursor moved = cursor;
    if (!column) {
        moved.col = AroundBoard(cursor.col, step.dCol);
    } else if (puzzle.columnsSlide) {
        moved.row = std::clamp(cursor.row + step.dRow, puzzle.cursorRange.rowMin, puzzle.cursorRange.rowMax);
    } else {
        moved.row = AroundBoard(cursor.row, step.dRow);
    }
    return TapAt(PointAt(ArrowTap(puzzle, game.tileGrid, direction, line)), moved);
}

KeyAction Press(const Game& game, const Cursor& cursor) {
    if (game.screen == SCREEN_MENU) {
        const PuzzleLabel& label = Puzzles()[static_cast<std::size_t>(cursor.row)]->label;
        return TapAt(PointAt({label.x + label.width / 2, label.y + LABEL_HEIGHT / 2}), cursor);
    }
    const Puzzle& puzzle = *FindPuzzle(game.screen);
    if (puzzle.pressAt != nullptr)
        return TapAt(PointAt(puzzle.pressAt(game, cursor.col, cursor.row)), cursor);
    // Take hold of the cursor's lines, or let go.
    Cursor toggled = cursor;
    toggled.grabbed = !cursor.grabbed;
    return MoveTo(toggled);
}

}  // namespace

std::optional<Key> ParseKey(std::string_view name) {
    for (std::size_t i = 0; i < KEY_NAMES.size(); ++i) {
        if (KEY_NAMES[i] == name) return static_cast<Key>(i);
    }
    return std::nullopt;
}

std::optional<Key> KeyPressed(std::string_view name, bool shift) {
    if (name.find('+') != std::string_view::npos) return std::nullopt;
    return shift ? ParseKey("Shift+" + std::string(name)) : ParseKey(name);
}

std::optional<ShiftDirection> LineShiftOf(Key key, bool grabbed) {
    if (IsShiftArrow(key) || (grabbed && IsArrow(key))) return DirectionOf(key);
    return std::nullopt;
}

bool HasCursor(int32_t screen) {
    return !RangeOf(screen).IsEmpty();
}

Cursor CursorOnArrival(const Game& game, int32_t screenLeft, bool shown) {
    Cursor cursor;
    cursor.shown = shown && HasCursor(game.screen);
    if (game.screen == SCREEN_MENU) {
        const auto puzzles = Puzzles();
        for (std::size_t i = 0; i < puzzles.size(); ++i) {
            if (puzzles[i]->screen == screenLeft) cursor.row = static_cast<int32_t>(i);
        }
    } else if (const CellRange range = RangeOf(game.screen); !range.IsEmpty()) {
        cursor.col = range.colMin;
        cursor.row = range.rowMin;
    }
    return cursor;
}

KeyAction InterpretKey(const Game& game, const Cursor& cursor, Key key) {
    if (game.splashPending != 0) return {};
    const Puzzle* puzzle = FindPuzzle(game.screen);
    // A solved board waits for the tap that leads back to the menu.
    if (puzzle != nullptr && game.solved != 0)
        return IsPress(key) || key == Key::Escape ? TapAt(MiddleOfQuit(), cursor) : KeyAction{};
    if (key == Key::Escape) {
        if (puzzle == nullptr) return {};
        if (cursor.grabbed) {
            Cursor released = cursor;
            released.grabbed = false;
            return MoveTo(released);
        }
        return TapAt(MiddleOfQuit(), cursor);
    }
    if (puzzle != nullptr && puzzle->arrowKeyAt != nullptr)
        return IsArrow(key) ? TapAt(PointAt(puzzle->arrowKeyAt(game, DirectionOf(key))), {}) : KeyAction{};
    const CellRange range = RangeOf(game.screen);
    if (range.IsEmpty()) return {};
    // The first key only shows the cursor: where it was, or on the first target.
    if (!cursor.shown || !IsInside(range, cursor)) {
        Cursor shown = IsInside(range, cursor) ? cursor : CursorOnArrival(game, game.screen, true);
        shown.shown = true;
        return MoveTo(shown);
    }
    if (IsPress(key)) return Press(game, cursor);
    const std::optional<ShiftDirection> shift = LineShiftOf(key, cursor.grabbed);
    if (shift && puzzle != nullptr && puzzle->arrowCell != nullptr)
        return ShiftLine(game, *puzzle, cursor, *shift);
    if (!IsArrow(key)) return {};
    const Step step = StepOf(DirectionOf(key));
    Cursor moved = cursor;
    moved.col = std::clamp(cursor.col + step.dCol, range.colMin, range.colMax);
    moved.row = std::clamp(cursor.row + step.dRow, range.rowMin, range.rowMax);
    return MoveTo(moved);
}

Outline CursorOutline(const Game& game, const Cursor& cursor) {
    const CellRange range = RangeOf(game.screen);
    if (!cursor.shown || !IsInside(range, cursor)) return {};
    if (game.screen == SCREEN_MENU) {
        const PuzzleLabel& label = Puzzles()[static_cast<std::size_t>(cursor.row)]->label;
        return {label.x, label.y, label.width, LABEL_HEIGHT, false};
    }
    Outline box = FindPuzzle(game.screen)->cursorBox(game, cursor.col, cursor.row);
    box.heavy = cursor.grabbed;
    return box;
}

}  // namespace tessel
