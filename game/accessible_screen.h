// The screen as screen readers get it: one description that the desktop's accessible tree and the page's
// mirror both render. The screen has a name ("Menu", or the puzzle's); the menu's six buttons stand in a
// toolbar ("Puzzles"); a board's cells stand in a grid named by its puzzle, row by row, each spoken with
// its place ("7, row 2 column 3"), then its Quit button; the banner, while it shows, is a label.
// Everything lies over what it names, in picture pixels, and a press on it plays a tap at its point.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/game.h"
#include "game/cursor.h"

namespace tessel {

struct AccessibleItem {
    std::string name;  // as spoken: "Normal", "Quit", "7, row 2 column 3"
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t tapX = 0;  // where a press on it plays its tap
    int32_t tapY = 0;
    // What it stands for while it shows: a cell holding a tile keeps the tile's key as the tile travels, so
    // that a screen reader's object (and its focus) travels with it; other items are keyed by their index.
    int32_t key = 0;
};

struct AccessibleScreen {
    enum class Group : uint8_t { Toolbar, Grid };
    std::string name;
    Group group = Group::Toolbar;  // what holds the items: the menu's toolbar, a board's grid
    std::string groupName;
    int32_t columns = 0;  // the grid's size; 0 on the menu
    int32_t rows = 0;
    std::vector<AccessibleItem> cells;    // row by row
    std::vector<AccessibleItem> buttons;  // the menu's puzzles, or a board's Quit
    std::string banner;                   // the banner's words while it shows, else empty
    // The grid's first cell in the puzzle's grid, for the cursor.
    int32_t firstCol = 0;
    int32_t firstRow = 0;
};

AccessibleScreen DescribeForScreenReaders(const Game& game);

// The item the keyboard's cursor stands on, which has the focus: a button on the menu, a cell on a board;
// none while the cursor is hidden or off the grid.
struct FocusedItem {
    enum Kind : uint8_t { NONE, BUTTON, CELL } kind = NONE;
    int32_t index = 0;
};
FocusedItem FocusOf(const AccessibleScreen& screen, const Cursor& cursor);

}  // namespace tessel
