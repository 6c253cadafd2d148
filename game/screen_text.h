// What the screen shows, in words, for screen readers: the menu's six names, a board's cells named by what
// they hold with the rectangles they are painted in, and a few words for what the last action did. Both
// front ends build their accessible mirror of the picture from it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/game.h"
#include "game/history.h"
#include "game/keys.h"
#include "game/session.h"
#include "puzzles/board_text.h"

namespace tessel {

// A thing on the screen: its name, the rectangle it is painted in and the point a tap on it is played at,
// all in picture pixels. A cell also tells its place on the board ("row 2 column 3", "column 2" for an
// arrow over column 2, empty where none helps) and, if it holds a tile, the tile's number: a tile keeps
// its number as it travels.
struct ScreenItem {
    std::string name;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t tapX = 0;
    int32_t tapY = 0;
    std::string place;
    int32_t tile = 0;
};

// The menu: no heading, six buttons and no grid. A board: the puzzle's name, the Quit button, and its
// cells row by row, `columns` by `rows`, the first being cell [firstCol][firstRow] of the puzzle's grid.
//   Tiles are named by their number; "Unmovable"'s grey tile, which never moves, "locked N". The 15
//   Puzzle's empty cell is "empty", an "Uneven" column's gap "gap", a light "light on" or "light off".
//   Where arrows are drawn around the board, their cells are part of the grid ("up arrow", ...) and
//   the ring's cells without one are "blank".
//   On "Almost Impossible" a cell is played at the inner corner of the 2 x 2 block it heads (the last
//   column and row at the block they end), since only corners turn; everywhere else at its middle.
struct ScreenText {
    std::string heading;
    std::vector<ScreenItem> buttons;
    int32_t columns = 0;
    int32_t rows = 0;
    int32_t firstCol = 0;
    int32_t firstRow = 0;
    std::vector<ScreenItem> cells;
    bool cleared = false;  // the "CLEARED!!" banner shows
};

ScreenText DescribeScreen(const Game& game);

// Where the keyboard's cursor stands: a button on the menu, a cell on a board; none while it is hidden
// or off the grid.
struct CursorItem {
    enum Kind { NONE, BUTTON, CELL } kind = NONE;
    int32_t index = 0;
};
CursorItem FindCursorItem(const ScreenText& text, const Cursor& cursor);

// What a screen reader needs to tell what an action did: the screen, the banner, the board and the cursor.
struct ShownState {
    int32_t screen = SCREEN_MENU;
    bool solved = false;
    Board board;
    Cursor cursor;
};
ShownState TakeShownState(const Session& session);

// A few words for what `played` did, from `before` to `session`: "column 2 up", "row 3 left", "tile 7
// left", "block turned", "light on, 6 lights on", "Normal started", "menu", and on the solving move the
// words at the end ("cleared in 23 moves, 1 minute 12 seconds"); "undo column 2 up"
// and "redo column 2 up" with the move taken back or played again; "hint: column 2 up"; for keys that
// move no tile "holding row 2 and column 3", "let go" and "column 2 is locked" (or "cannot move up"); the
// moves and time when asked ("23 moves, 1 minute 12 seconds").
// Empty when nothing a player can hear about has changed: a cursor step is told by the cell it reaches.
std::string DescribeAction(const ShownState& before, const Session& session, Played played);

}  // namespace tessel
