// The back buffer and the three operations every picture of the game is made with.
//
// A picture is a sequence of rectangle copies over the look's ground (white in the classic look): no text,
// no scaling, no blending.
#pragma once

#include <array>
#include <cstdint>

#include "core/images.h"
#include "core/layout.h"
#include "core/looks.h"

namespace tessel {

inline constexpr uint32_t WHITE = 0xFFFFFFFFu;

struct Game;

// SURFACE_WIDTH x SURFACE_HEIGHT pixels, 0xFFRRGGBB, row by row from the top.
struct BackBuffer {
    std::array<uint32_t, SURFACE_WIDTH * SURFACE_HEIGHT> pixels;

    uint32_t At(int32_t x, int32_t y) const { return pixels[y * SURFACE_WIDTH + x]; }
};

// Makes the whole buffer the ground colour.
void ClearBackBuffer(BackBuffer& buffer, uint32_t ground);

// Copies the w x h rectangle at the image's top-left corner to (x, y). Nothing outside the image is read:
// where w or h exceed the image the extra destination pixels keep what they held. Pixels that would land
// outside the buffer are dropped.
void DrawImage(BackBuffer& buffer, const Image& image, int32_t x, int32_t y, int32_t w, int32_t h);

// Copies the w x h area of the buffer at (srcX, srcY) to (x, y), as if the whole source had been read
// before any pixel was written. Pixels whose source or destination lies outside the buffer are skipped.
void CopyArea(BackBuffer& buffer, int32_t x, int32_t y, int32_t w, int32_t h, int32_t srcX, int32_t srcY);

// A frame drawn over the picture as it is shown, never into the back buffer: the keyboard's cursor, the
// hint. Its ring lies on the rectangle's own outermost pixels. Width 0: no outline.
struct Outline {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool heavy = false;  // drawn one pixel thicker: the cursor holding its line

    bool operator==(const Outline&) const = default;
};

// The outline's band, in the look's band colour (LookColours), is this wide. Every classic image is pale
// (white ground, light green tiles, light yellow lights, grey cell borders and digits no darker than
// #737373), so there the band is black, at least 3.9:1 against any of them; the line inside it, white,
// keeps it apart from a tile's own grey border and digits, and shows on the grey tile as well.
inline constexpr int32_t OUTLINE_DARK_WIDTH = 2;  // 3 when heavy

// Draws the outline's ring into the buffer: the band at the rectangle's edge, the line inside.
void DrawOutline(BackBuffer& buffer, const Outline& outline, const LookColours& colours);

// A puzzle's name: its image and where it stands on the menu. On the puzzle's own screen the same label
// stands at PUZZLE_LABEL_Y.
struct PuzzleLabel {
    ImageId image;
    int32_t x;
    int32_t y;
    int32_t width;
};

// What heads every puzzle screen: the puzzle's label at the top and the Quit button under the board.
void DrawPuzzleFrame(Game& game, const PuzzleLabel& label);

// One cell-sized image with its top-left corner at (x, y).
void DrawCellImage(Game& game, ImageId image, int32_t x, int32_t y);

}  // namespace tessel
