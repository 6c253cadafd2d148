// The image set and the drawing surface: the images compiled into the game, as the core decodes them, and
// the two operations every picture is made with.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>

#include "core/drawing.h"
#include "core/images.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using testing::AreaIs;

// Every pixel different, so that a misplaced copy shows.
std::unique_ptr<BackBuffer> Pattern() {
    auto buffer = std::make_unique<BackBuffer>();
    std::iota(buffer->pixels.begin(), buffer->pixels.end(), 0xFF000000u);
    return buffer;
}

bool IsInside(int32_t x, int32_t y, int32_t left, int32_t top, int32_t w, int32_t h) {
    return left <= x && x < left + w && top <= y && y < top + h;
}

// The top-left w x h of the image lands at (x, y), no more than the image holds, and whatever falls outside
// the buffer is dropped; the rest of the cleared buffer stays white, also when the image is empty.
TEST(Drawing, DrawImageCopiesTheRequestedCornerAndClips) {
    Image image{24, 36, {}};
    for (uint32_t i = 0; i < 24 * 36; ++i) image.pixels.push_back(0xFF000000u | i * 7919u);
    const struct {
        int32_t x, y, w, h;
    } draws[] = {{71, 85, 24, 12},      {65, 15, 25, 37},
                 {-12, -20, 24, 24},    {SURFACE_WIDTH - 5, SURFACE_HEIGHT - 3, 24, 24},
                 {5000, -5000, 24, 24}, {10, 10, -4, 24}};
    for (const auto& d : draws) {
        auto buffer = Pattern();
        ClearBackBuffer(*buffer);
        DrawImage(*buffer, image, d.x, d.y, d.w, d.h);
        DrawImage(*buffer, Image{}, d.x, d.y, d.w, d.h);
        const auto expected = [&](int32_t x, int32_t y) {
            const bool drawn = IsInside(x, y, d.x, d.y, std::min(d.w, 24), std::min(d.h, 36));
            return drawn ? image.pixels[(y - d.y) * 24 + x - d.x] : WHITE;
        };
        EXPECT_TRUE(AreaIs(*buffer, 0, 0, SURFACE_WIDTH, SURFACE_HEIGHT, expected)) << d.x << "," << d.y;
    }
}

// Copying an area onto itself must give what a copy through a separate buffer gives; only the pixels whose
// source and destination both lie inside the buffer are copied.
TEST(Drawing, CopyAreaOverlappingAndAtTheEdges) {
    const struct {
        int32_t x, y, w, h, srcX, srcY;
    } moves[] = {
        {71, 73, 24, 96, 71, 85},                      // a column up half a cell
        {71, 97, 24, 96, 71, 85},                      // down
        {59, 85, 96, 24, 71, 85},                      // a row left
        {83, 85, 96, 24, 71, 85},                      // right
        {-10, -10, 30, 30, 100, 100},                  // destination partly above and left
        {100, 100, 30, 30, -10, SURFACE_HEIGHT - 20},  // source partly outside
        {0, 0, 50, 50, 9000, 9000},                    // wholly outside
        {5000, 5, 10, 10, 0, 0},
        {0, 0, -5, 50, 10, 10},
    };
    for (const auto& m : moves) {
        auto buffer = Pattern();
        const auto before = Pattern();
        CopyArea(*buffer, m.x, m.y, m.w, m.h, m.srcX, m.srcY);
        const auto expected = [&](int32_t x, int32_t y) {
            const int32_t fromX = x - m.x + m.srcX, fromY = y - m.y + m.srcY;
            const bool copied = IsInside(x, y, m.x, m.y, m.w, m.h) &&
                                IsInside(fromX, fromY, 0, 0, SURFACE_WIDTH, SURFACE_HEIGHT);
            return before->At(copied ? fromX : x, copied ? fromY : y);
        };
        EXPECT_TRUE(AreaIs(*buffer, 0, 0, SURFACE_WIDTH, SURFACE_HEIGHT, expected)) << m.x << "," << m.y;
    }
}

// Sizes and pixels read off the BMP files with another decoder (ImageMagick: `convert 173.bmp txt:-`), from
// files of 24 and 4 bits a pixel: the top row differs from the bottom, red from blue. Every image decodes.
// The outline: two black bands at the rectangle's edge and a white line inside them (three black bands
// when heavy), cut where it leaves the buffer, drawn only over the picture shown: PictureShown gives the
// back buffer itself while no outline is set.
TEST(Drawing, OutlinesLieOverThePictureShown) {
    auto game = std::make_unique<Game>();
    game->backBuffer = *Pattern();
    auto scratch = std::make_unique<BackBuffer>();
    EXPECT_EQ(&PictureShown(*game, *scratch), &game->backBuffer);
    game->outlines[0] = {10, 20, 24, 24, false};
    game->outlines[1] = {230, 260, 20, 20, true};  // runs off the bottom-right corner
    const BackBuffer& shown = PictureShown(*game, *scratch);
    ASSERT_EQ(&shown, scratch.get());
    constexpr uint32_t K = 0xFF000000u, W = 0xFFFFFFFFu;
    const auto band = [](int32_t x, int32_t y, int32_t left, int32_t top, int32_t size) {
        return std::min({x - left, y - top, left + size - 1 - x, top + size - 1 - y});
    };
    for (int32_t y = 0; y < SURFACE_HEIGHT; ++y) {
        for (int32_t x = 0; x < SURFACE_WIDTH; ++x) {
            uint32_t expected = game->backBuffer.At(x, y);
            if (IsInside(x, y, 10, 20, 24, 24) && band(x, y, 10, 20, 24) <= 2)
                expected = band(x, y, 10, 20, 24) < 2 ? K : W;
            if (IsInside(x, y, 230, 260, 20, 20) && band(x, y, 230, 260, 20) <= 3)
                expected = band(x, y, 230, 260, 20) < 3 ? K : W;
            ASSERT_EQ(shown.At(x, y), expected) << x << "," << y;
        }
    }
    EXPECT_TRUE(game->backBuffer.pixels == Pattern()->pixels) << "the back buffer is left as it was";
}

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
    for (const EmbeddedImage& embedded : EMBEDDED_IMAGES)
        EXPECT_GT(game->images[static_cast<ImageId>(embedded.id)].width, 0) << "image " << embedded.id;
}

}  // namespace
}  // namespace tessel
