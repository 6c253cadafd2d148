#include "core/drawing.h"

#include <algorithm>
#include <cstring>

#include "core/game.h"

namespace tessel {

void ClearBackBuffer(BackBuffer& buffer, uint32_t ground) {
    buffer.pixels.fill(ground);
}

namespace {

// A rectangle cut to the buffer, with the offset of its first pixel from the requested corner.
struct Clip {
    int32_t x, y, w, h;    // destination, inside the buffer
    int32_t skipX, skipY;  // how much of the requested rectangle was cut off on the left and top
    bool Empty() const { return w <= 0 || h <= 0; }
};

Clip ClipToBuffer(int32_t x, int32_t y, int32_t w, int32_t h) {
    const int32_t left = std::max(x, 0);
    const int32_t top = std::max(y, 0);
    const int32_t right = std::min(x + w, SURFACE_WIDTH);
    const int32_t bottom = std::min(y + h, SURFACE_HEIGHT);
    return {left, top, right - left, bottom - top, left - x, top - y};
}

// Copies a row of w pixels, also onto an overlapping place in the same row. Whole cells are most of every
// picture: a row of their known size is a few vector moves, where a copy of any size pays a start-up cost
// on each short row.
void CopyRow(uint32_t* target, const uint32_t* source, int32_t w) {
    if (w == CELL_SIZE) {
        std::memmove(target, source, CELL_SIZE * sizeof(uint32_t));
    } else {
        std::memmove(target, source, w * sizeof(uint32_t));
    }
}

}  // namespace

void DrawImage(BackBuffer& buffer, const Image& image, int32_t x, int32_t y, int32_t w, int32_t h) {
    const Clip clip = ClipToBuffer(x, y, std::min(w, image.width), std::min(h, image.height));
    if (clip.Empty()) return;
    const uint32_t* source = &image.pixels[clip.skipY * image.width + clip.skipX];
    uint32_t* target = &buffer.pixels[clip.y * SURFACE_WIDTH + clip.x];
    for (int32_t row = 0; row < clip.h; ++row, source += image.width, target += SURFACE_WIDTH)
        CopyRow(target, source, clip.w);
}

void CopyArea(BackBuffer& buffer, int32_t x, int32_t y, int32_t w, int32_t h, int32_t srcX, int32_t srcY) {
    // Cut the area so that both its source and its destination lie inside the buffer.
    const Clip source = ClipToBuffer(srcX, srcY, w, h);
    const Clip target = ClipToBuffer(x + source.skipX, y + source.skipY, source.w, source.h);
    if (source.Empty() || target.Empty()) return;
    const int32_t fromX = source.x + target.skipX;
    const int32_t fromY = source.y + target.skipY;
    // Rows go in the order that reads every source row before it is overwritten.
    const bool upwards = target.y <= fromY;
    for (int32_t i = 0; i < target.h; ++i) {
        const int32_t row = upwards ? i : target.h - 1 - i;
        CopyRow(&buffer.pixels[(target.y + row) * SURFACE_WIDTH + target.x],
                &buffer.pixels[(fromY + row) * SURFACE_WIDTH + fromX], target.w);
    }
}

namespace {

// The ring `inset` pixels inside the rectangle, one pixel wide, cut to the buffer.
void DrawRing(BackBuffer& buffer, const Outline& outline, int32_t inset, uint32_t colour) {
    const int32_t left = outline.left + inset;
    const int32_t top = outline.top + inset;
    const int32_t right = outline.left + outline.width - 1 - inset;
    const int32_t bottom = outline.top + outline.height - 1 - inset;
    if (right < left || bottom < top) return;
    const auto put = [&](int32_t x, int32_t y) {
        if (0 <= x && x < SURFACE_WIDTH && 0 <= y && y < SURFACE_HEIGHT)
            buffer.pixels[y * SURFACE_WIDTH + x] = colour;
    };
    for (int32_t x = left; x <= right; ++x) {
        put(x, top);
        put(x, bottom);
    }
    for (int32_t y = top; y <= bottom; ++y) {
        put(left, y);
        put(right, y);
    }
}

}  // namespace

void DrawOutline(BackBuffer& buffer, const Outline& outline, const LookColours& colours) {
    if (outline.width <= 0 || outline.height <= 0) return;
    const int32_t band = OUTLINE_DARK_WIDTH + (outline.heavy ? 1 : 0);
    for (int32_t inset = 0; inset < band; ++inset) DrawRing(buffer, outline, inset, colours.band);
    DrawRing(buffer, outline, band, colours.line);
}

void DrawPuzzleFrame(Game& game, const PuzzleLabel& label) {
    DrawImage(game.backBuffer, game.images[label.image], label.x, PUZZLE_LABEL_Y, label.width, LABEL_HEIGHT);
    DrawImage(game.backBuffer, game.images[IMG_QUIT], QUIT_X, QUIT_Y, QUIT_WIDTH, QUIT_HEIGHT);
}

void DrawCellImage(Game& game, ImageId image, int32_t x, int32_t y) {
    DrawImage(game.backBuffer, game.images[image], x, y, CELL_SIZE, CELL_SIZE);
}

}  // namespace tessel
