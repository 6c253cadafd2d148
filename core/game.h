// The one game record: the screen shown, the flags the tap cycle and the front ends exchange, the last tap,
// the two board grids, the banner, the images and the back buffer.
#pragma once

#include <array>
#include <cstdint>

#include "core/crt_random.h"
#include "core/drawing.h"
#include "core/images.h"
#include "core/layout.h"

namespace tessel {

enum Screen : int32_t {
    SCREEN_MENU = 1,
    SCREEN_LIGHTS_OUT = 3,
    SCREEN_NORMAL = 20,
    SCREEN_UNEVEN = 30,
    SCREEN_UNMOVABLE = 40,
    SCREEN_FIFTEEN = 50,
    SCREEN_ALMOST_IMPOSSIBLE = 60,
};

// 6 x 6 cells for a board of numbered tiles: the 4 x 4 board (col and row 1 to 4) and the ring around it.
// Arrays are indexed col * 6 + row; use the accessors.
struct TileGrid {
    static constexpr int32_t SIZE = 6;
    std::array<int32_t, SIZE * SIZE> tile;  // 1 to 16, or 0 for an empty cell
    std::array<int32_t, SIZE * SIZE> cellLeft;
    std::array<int32_t, SIZE * SIZE> cellTop;

    int32_t& Tile(int32_t col, int32_t row) { return tile[col * SIZE + row]; }
    int32_t Tile(int32_t col, int32_t row) const { return tile[col * SIZE + row]; }
    int32_t& Left(int32_t col, int32_t row) { return cellLeft[col * SIZE + row]; }
    int32_t Left(int32_t col, int32_t row) const { return cellLeft[col * SIZE + row]; }
    int32_t& Top(int32_t col, int32_t row) { return cellTop[col * SIZE + row]; }
    int32_t Top(int32_t col, int32_t row) const { return cellTop[col * SIZE + row]; }
};

// 7 x 7 cells for a board of lights: the 5 x 5 board (col and row 1 to 5) and a ring that takes the toggles
// aimed beyond the board's edge. Arrays are indexed col * 7 + row.
struct LightGrid {
    static constexpr int32_t SIZE = 7;
    std::array<uint8_t, SIZE * SIZE> lit;  // 1 = on
    std::array<int32_t, SIZE * SIZE> cellLeft;
    std::array<int32_t, SIZE * SIZE> cellTop;

    uint8_t& Lit(int32_t col, int32_t row) { return lit[col * SIZE + row]; }
    uint8_t Lit(int32_t col, int32_t row) const { return lit[col * SIZE + row]; }
    int32_t& Left(int32_t col, int32_t row) { return cellLeft[col * SIZE + row]; }
    int32_t Left(int32_t col, int32_t row) const { return cellLeft[col * SIZE + row]; }
    int32_t& Top(int32_t col, int32_t row) { return cellTop[col * SIZE + row]; }
    int32_t Top(int32_t col, int32_t row) const { return cellTop[col * SIZE + row]; }
};

struct Game;

// Whoever shows a record's pictures: set by the front end that owns the record and shows it. A record no
// front end shows (a kept game's moves checked on a record of their own) has none, and shows nothing.
struct Presenter {
    void (*present)(const Game& game, void* context) = nullptr;
    void* context = nullptr;  // the front end's own: its window, its queue of pictures
};

struct Game {
    int32_t screen = SCREEN_MENU;
    int32_t screenAtTap = SCREEN_MENU;  // screen as it was when the current tap began
    uint8_t solved = 0;                 // the board is in goal order; the banner shows while set
    uint8_t tapActed = 0;               // the current tap changed the board; forces a full redraw
    uint8_t splashPending = 1;          // the start-up splash has not been shown; the menu ignores taps
    uint8_t drainTaps = 0;              // the front end must drop the taps queued during the splash
    uint16_t tapX = 0;
    uint16_t tapY = 0;
    // The tick count, in milliseconds, of the event being played: the front end stores it before each call
    // into the game, as a tap stores its point. The game's clock and the menu's deals read it; nothing else
    // does, so that a game is the same from the same ticks on every front end.
    uint32_t now = 0;
    std::array<int32_t, 9> bannerY{};

    TileGrid tileGrid{};
    LightGrid lightGrid{};
    int32_t fixedColumn = 0;  // a locked column, which cannot move up or down, where the puzzle locks one
    int32_t fixedRow = 0;     // a locked row, which cannot move sideways, where the puzzle locks one
    int32_t blankCol = 0;     // the board's one empty cell, where the puzzle has one
    int32_t blankRow = 0;
    uint32_t seed = 0;      // the seed the board in play was scrambled from, while seedKnown is set
    uint8_t seedKnown = 0;  // clear before the first set-up, and for a game kept before seeds were
    // The game's own generator: set-ups seed it from their deal and scramble from it; "Unmovable" draws its
    // locked lines from it before it seeds, so it is kept with the game.
    CrtRandom random;

    Look look = Look::CLASSIC;  // the colours the images and the ground are drawn in
    ImageSet images;            // the look's images
    BackBuffer backBuffer{};
    // Drawn over the back buffer when it is shown (PictureShown): [0] the keyboard's cursor, [1] the hint.
    // They never enter the back buffer, so the moves draw on exactly what a pointer sees.
    std::array<Outline, 2> outlines{};
    Presenter presenter;
};

// Everything a move can change: both grids' contents with their rings, the board's empty cell, and
// whether the banner shows. Cell positions, locked lines and the banner's letters stay as the set-up left
// them for the whole game. The flag is taken, not worked out again: a scramble may leave the board in order
// with no banner.
struct Board {
    uint64_t lit = 0;  // one bit a light, in the grid's order
    std::array<uint8_t, TileGrid::SIZE * TileGrid::SIZE> tiles{};
    uint8_t blankCol = 0;
    uint8_t blankRow = 0;
    uint8_t solved = 0;

    bool operator==(const Board&) const = default;
};

Board TakeBoard(const Game& game);
void PutBoard(Game& game, const Board& board);

// What the screen shows: the back buffer itself when no outline is set, otherwise a copy of it in
// `scratch` with the outlines drawn over it. Every front end presents this.
const BackBuffer& PictureShown(const Game& game, BackBuffer& scratch);

// Shows the record's picture on its screen at once, before returning; nothing when no front end shows it.
void PresentNow(const Game& game);

// Puts every banner letter back on its resting line. Every puzzle set-up calls it first.
void ResetBanner(Game& game);

// Gives every cell of a grid its position from the grid's origin. Every puzzle set-up calls it last.
void PlaceCells(TileGrid& grid, Point origin);
void PlaceCells(LightGrid& grid, Point origin);

}  // namespace tessel
