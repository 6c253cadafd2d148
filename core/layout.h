// The screen layout: a few base sizes and every position derived from them.
//
// All positions are pixels of the 239 x 267 back buffer, which the window shows at its top-left corner, so
// they are also the client coordinates of taps. The derived values are listed in the order in which each
// is computed from the ones above it; integer division truncates.
#pragma once

#include <array>
#include <cstdint>

namespace tessel {

// Base sizes.
inline constexpr int32_t SURFACE_WIDTH = 239;
inline constexpr int32_t SURFACE_HEIGHT = 267;
inline constexpr int32_t SPLASH_WIDTH = 25;
inline constexpr int32_t SPLASH_HEIGHT = 37;
inline constexpr int32_t LABEL_HEIGHT = 24;
inline constexpr int32_t TITLE_WIDTH = 108;
inline constexpr int32_t TITLE_HEIGHT = 36;
inline constexpr int32_t TITLE_Y = 15;
inline constexpr int32_t NORMAL_LABEL_WIDTH = 66;
inline constexpr int32_t NORMAL_LABEL_Y = 65;
inline constexpr int32_t UNEVEN_LABEL_WIDTH = 72;
inline constexpr int32_t UNMOVABLE_LABEL_WIDTH = 104;
inline constexpr int32_t ALMOST_IMPOSSIBLE_LABEL_WIDTH = 190;
inline constexpr int32_t FIFTEEN_LABEL_WIDTH = 100;
inline constexpr int32_t LIGHTS_OUT_LABEL_WIDTH = 116;
inline constexpr int32_t PUZZLE_LABEL_Y = 10;
inline constexpr int32_t QUIT_HEIGHT = 20;
inline constexpr int32_t QUIT_WIDTH = 42;
inline constexpr int32_t CELL_SIZE = 24;
inline constexpr int32_t LETTER_HEIGHT = 20;
inline constexpr int32_t LETTER_WIDTH = 11;  // every banner letter, "!" included
inline constexpr int32_t BANNER_X = 40;
inline constexpr int32_t BANNER_LAST_X = 190;
inline constexpr int32_t BANNER_MID_Y = 28;

// Derived positions.
inline constexpr int32_t CENTER_X = SURFACE_WIDTH / 2;
inline constexpr int32_t CENTER_Y = SURFACE_HEIGHT / 2;
inline constexpr int32_t SPLASH_X = CENTER_X - SPLASH_WIDTH / 2;
inline constexpr int32_t SPLASH_Y = CENTER_Y - SPLASH_HEIGHT / 2;
inline constexpr int32_t TITLE_X = CENTER_X - TITLE_WIDTH / 2;
inline constexpr int32_t NORMAL_LABEL_X = CENTER_X - NORMAL_LABEL_WIDTH / 2;
inline constexpr int32_t UNEVEN_LABEL_X = CENTER_X - UNEVEN_LABEL_WIDTH / 2;
inline constexpr int32_t UNEVEN_LABEL_Y = NORMAL_LABEL_Y + LABEL_HEIGHT + 1;
inline constexpr int32_t UNMOVABLE_LABEL_X = CENTER_X - UNMOVABLE_LABEL_WIDTH / 2;
inline constexpr int32_t UNMOVABLE_LABEL_Y = UNEVEN_LABEL_Y + LABEL_HEIGHT + 1;
inline constexpr int32_t ALMOST_IMPOSSIBLE_LABEL_X = CENTER_X - ALMOST_IMPOSSIBLE_LABEL_WIDTH / 2;
inline constexpr int32_t ALMOST_IMPOSSIBLE_LABEL_Y = UNMOVABLE_LABEL_Y + LABEL_HEIGHT + 1;
inline constexpr int32_t FIFTEEN_LABEL_X = CENTER_X - FIFTEEN_LABEL_WIDTH / 2;
// "15 Puzzle" sits two label heights below "Almost Impossible", leaving a gap in the menu.
inline constexpr int32_t FIFTEEN_LABEL_Y = ALMOST_IMPOSSIBLE_LABEL_Y + 2 * LABEL_HEIGHT + 1;
inline constexpr int32_t LIGHTS_OUT_LABEL_X = CENTER_X - LIGHTS_OUT_LABEL_WIDTH / 2;
inline constexpr int32_t LIGHTS_OUT_LABEL_Y = FIFTEEN_LABEL_Y + LABEL_HEIGHT + 1;
inline constexpr int32_t QUIT_X = CENTER_X - QUIT_WIDTH / 2;
inline constexpr int32_t QUIT_Y = SURFACE_HEIGHT - 2 * QUIT_HEIGHT;

// Grid origins: the top-left corner of ring cell [0][0]. The 6 x 6 tile grids are centred on the
// surface; the Uneven grid sits half a cell higher so that its five playing rows are centred.
struct Point {
    int32_t x;
    int32_t y;
};

// The middle of the cell whose top-left corner is `cell`, where a tap on the cell is played.
constexpr Point CellMiddle(Point cell) {
    return {cell.x + CELL_SIZE / 2, cell.y + CELL_SIZE / 2};
}
inline constexpr Point NORMAL_GRID_ORIGIN{CENTER_X - 3 * CELL_SIZE, CENTER_Y - 3 * CELL_SIZE};
inline constexpr Point UNEVEN_GRID_ORIGIN{CENTER_X - 3 * CELL_SIZE, CELL_SIZE / 2 + CENTER_Y - 4 * CELL_SIZE};
inline constexpr Point UNMOVABLE_GRID_ORIGIN = NORMAL_GRID_ORIGIN;
inline constexpr Point ALMOST_IMPOSSIBLE_GRID_ORIGIN = NORMAL_GRID_ORIGIN;
inline constexpr Point FIFTEEN_GRID_ORIGIN = NORMAL_GRID_ORIGIN;
inline constexpr Point LIGHTS_OUT_GRID_ORIGIN{CELL_SIZE / 2 + CENTER_X - 4 * CELL_SIZE,
                                              CELL_SIZE / 2 + CENTER_Y - 4 * CELL_SIZE};

// Banner letters are 20 pixels apart; the last "!" stands only 10 pixels after the first.
inline constexpr std::array<int32_t, 9> BANNER_LETTER_X{BANNER_X,       BANNER_X + 20,  BANNER_X + 40,
                                                        BANNER_X + 60,  BANNER_X + 80,  BANNER_X + 100,
                                                        BANNER_X + 120, BANNER_X + 140, BANNER_LAST_X};
inline constexpr int32_t BANNER_Y = BANNER_MID_Y + 10;

}  // namespace tessel
