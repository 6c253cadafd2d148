// Play from the keyboard. Every key either moves the cursor or makes exactly the tap a pointer would make
// at a point taken from the screen's layout (the middle of an arrow's cell, of a light, of the Quit
// button, a block's inner corner), so every rule of the game stays with the tap cycle and the puzzles.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/game.h"
#include "game/session.h"
#include "puzzles/line_shifts.h"

namespace tessel {

enum class Key : uint8_t {
    Left,
    Right,
    Up,
    Down,
    ShiftLeft,
    ShiftRight,
    ShiftUp,
    ShiftDown,
    Enter,
    Space,
    Escape
};

inline constexpr int32_t KEY_COUNT = 11;
static_assert(static_cast<int32_t>(Key::Escape) == KEY_COUNT - 1, "every key is counted");

// "Left", "Right", "Up", "Down", "Shift+Left" ... "Shift+Down", "Enter", "Space", "Escape".
std::optional<Key> ParseKey(std::string_view name);

// A key pressed, by its name as above without "Shift+", with Shift held or not: Shift goes with the arrows
// alone, and with any other key it is no key of the game's.
std::optional<Key> KeyPressed(std::string_view name, bool shift);

// What a key does on the screen shown.
//   Nothing: it has no meaning there (nothing is presented).
//   MoveCursor: only the cursor changes (shown, moved, grabbed or let go) to `cursor`.
//   Tap: the tap at `tap`; when it acts and the screen stays, the cursor becomes `cursor` (it travels with
//        its tile), otherwise it stays where it was.
struct KeyAction {
    enum class Kind : uint8_t { Nothing, MoveCursor, Tap };
    Kind kind = Kind::Nothing;
    Cursor cursor;
    TapPoint tap;
};

// The one place that turns (screen, cursor, key) into a cursor move or a tap. Keys do nothing before the
// splash has ended.
KeyAction InterpretKey(const Game& game, const Cursor& cursor, Key key);

// The line shift a key asks for, on a puzzle whose lines shift: Shift+arrow, or a plain arrow while the
// cursor holds its lines.
std::optional<ShiftDirection> LineShiftOf(Key key, bool grabbed);

// Whether the screen has a cursor at all: on some puzzles the arrows play without one.
bool HasCursor(int32_t screen);

// Where the cursor stands on arriving at the game's screen from `screenLeft`: on the menu at the puzzle just
// left (or the first), on a board at its first cell. Shown as `shown` says, never grabbed.
Cursor CursorOnArrival(const Game& game, int32_t screenLeft, bool shown);

// The cursor's outline on the game's screen; none while it is hidden or where there is no cursor.
Outline CursorOutline(const Game& game, const Cursor& cursor);

}  // namespace tessel
