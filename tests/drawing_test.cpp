// The image set and the drawing surface: the images compiled into the game, as the core decodes them, and
// the two operations every picture is made with.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>

#include "core/drawing.h"
#include "core/images.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

// Every pixel different, so that a misplaced copy shows.
std::unique_ptr<BackBuffer> Pattern() {
    auto buffer = std::make_unique<BackBuffer>();
    std::iota(buffer->pixels.begin(), buffer->pixels.end(), 0xFF000000u);
    return buffer;
}

bool IsInside(int32_t x, int32_t y, int32_t left, int32_t top, int32_t w, int32_t h) {
    return left <= x && x < left + w && top <= y && y < top + h;
}

// Random rectangles, inside, across the edges and far off: DrawImage puts the image's top-left w x h at
// (x, y); CopyArea gives what a copy through a separate buffer gives, clipped; nothing else changes.
TEST(Drawing, DrawAndCopyRandomRectanglesClipToTheBuffer) {
    Image image{24, 36, {}};
    for (uint32_t i = 0; i < 24 * 36; ++i) image.pixels.push_back(0xFF000000u | i * 7919u);
    std::mt19937 random(5);
    const auto coordinate = [&](int32_t extent) {
        const int32_t far = static_cast<int32_t>(random() % 20000) - 10000;
        return random() % 8 == 0 ? far : static_cast<int32_t>(random() % (extent + 60)) - 30;
    };
    for (int i = 0; i < 400; ++i) {
        const int32_t x = coordinate(SURFACE_WIDTH), y = coordinate(SURFACE_HEIGHT);
        const int32_t w = static_cast<int32_t>(random() % 130) - 10,
                      h = static_cast<int32_t>(random() % 130) - 10;
        const int32_t srcX = coordinate(SURFACE_WIDTH), srcY = coordinate(SURFACE_HEIGHT);
        auto buffer = Pattern();
        const auto before = Pattern();
        const bool draws = i % 2 == 0;
        if (draws) {
            ClearBackBuffer(*buffer, WHITE);
            DrawImage(*buffer, image, x, y, w, h);
            DrawImage(*buffer, Image{}, x, y, w, h);
        } else {
            CopyArea(*buffer, x, y, w, h, srcX, srcY);
        }
        for (int32_t py = 0; py < SURFACE_HEIGHT; ++py) {
            for (int32_t px = 0; px < SURFACE_WIDTH; ++px) {
                const int32_t fromX = px - x + srcX, fromY = py - y + srcY;
                uint32_t expected = before->At(px, py);
                if (draws)
                    expected = IsInside(px, py, x, y, std::min(w, 24), std::min(h, 36))
                                   ? image.pixels[(py - y) * 24 + px - x]
                                   : WHITE;
                else if (IsInside(px, py, x, y, w, h) &&
                         IsInside(fromX, fromY, 0, 0, SURFACE_WIDTH, SURFACE_HEIGHT))
                    expected = before->At(fromX, fromY);
                ASSERT_EQ(buffer->At(px, py), expected) << (draws ? "draw " : "copy ") << x << "," << y << " "
                                                        << w << "x" << h << " from " << srcX << "," << srcY;
            }
        }
    }
}

// Sizes and pixels read off the BMP files with another decoder (ImageMagick: `convert 173.bmp txt:-`), from
// files of 24 and 4 bits a pixel: the top row differs from the bottom, red from blue.
TEST(Images, DecodeToKnownSizesAndColours) {
    const auto game = testing::NewGame();
    const struct {
        int32_t id, width, height, x, y;
        uint32_t colour;
    } known[] = {
        {173, 24, 24, 0, 0, 0xFFF8FFF0},   {173, 24, 24, 10, 15, 0xFFB8ABF1},
        {173, 24, 24, 0, 23, 0xFFC0C0C0},  {205, 24, 24, 0, 23, 0xFF737373},
        {207, 24, 24, 1, 10, 0xFFFAFD8E},  {206, 107, 36, 10, 10, 0xFFBBCBFB},
        {154, 41, 20, 10, 12, 0xFFC0C0C0}, {212, 25, 37, 1, 25, 0xFFC0C0C0},
        {158, 11, 20, 2, 10, 0xFF808080},
    };
    for (const auto& k : known) {
        const Image& image = game->images[static_cast<ImageId>(k.id)];
        ASSERT_EQ(std::pair(image.width, image.height), std::pair(k.width, k.height)) << "image " << k.id;
        EXPECT_EQ(image.pixels[k.y * k.width + k.x], k.colour)
            << "image " << k.id << " at " << k.x << "," << k.y;
    }
}

}  // namespace
}  // namespace tessel
