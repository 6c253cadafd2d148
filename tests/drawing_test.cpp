#include <gtest/gtest.h>

#include <memory>

#include "core/drawing.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using testing::IsWhite;
using testing::ShowsImage;

Image Filled(int32_t width, int32_t height, uint32_t colour) {
    return {width, height, std::vector<uint32_t>(static_cast<std::size_t>(width) * height, colour)};
}

// Every pixel different, so that a misplaced copy shows.
void FillWithPattern(BackBuffer& buffer) {
    for (std::size_t i = 0; i < buffer.pixels.size(); ++i)
        buffer.pixels[i] = 0xFF000000u | static_cast<uint32_t>(i);
}

class Drawing : public ::testing::Test {
  protected:
    std::unique_ptr<BackBuffer> buffer = std::make_unique<BackBuffer>();
    void SetUp() override {
        FillWithPattern(*buffer);
        ClearBackBuffer(*buffer);
    }
};

TEST_F(Drawing, DrawImageCopiesTheRequestedCornerAndNoMore) {
    ASSERT_TRUE(IsWhite(*buffer, 0, 0, SURFACE_WIDTH, SURFACE_HEIGHT));
    Image image = Filled(24, 24, 0xFF102030u);
    image.pixels[0] = 0xFFABCDEFu;
    DrawImage(*buffer, image, 71, 85, 24, 12);  // the upper half only
    EXPECT_EQ(buffer->At(71, 85), 0xFFABCDEFu);
    EXPECT_EQ(buffer->At(94, 96), 0xFF102030u);
    EXPECT_TRUE(IsWhite(*buffer, 71, 97, 24, 12));
    EXPECT_TRUE(IsWhite(*buffer, 70, 85, 1, 24));

    // Drawn one pixel wider than the image: nothing outside the image is read.
    const Image title = Filled(107, 36, 0xFF0000FFu);
    DrawImage(*buffer, title, 65, 15, 108, 36);
    EXPECT_TRUE(ShowsImage(*buffer, title, 65, 15, 107, 36));
    EXPECT_TRUE(IsWhite(*buffer, 172, 15, 1, 36));
}

TEST_F(Drawing, DrawImageDropsWhatFallsOutsideTheBuffer) {
    const Image image = Filled(24, 24, 0xFF00FF00u);
    DrawImage(*buffer, image, -12, -20, 24, 24);
    DrawImage(*buffer, image, SURFACE_WIDTH - 5, SURFACE_HEIGHT - 3, 24, 24);
    DrawImage(*buffer, image, 5000, -5000, 24, 24);
    DrawImage(*buffer, image, 10, 10, -4, 24);
    DrawImage(*buffer, Image{}, 10, 10, 24, 24);
    EXPECT_EQ(buffer->At(11, 3), 0xFF00FF00u);
    EXPECT_EQ(buffer->At(12, 3), WHITE);
    EXPECT_EQ(buffer->At(0, 4), WHITE);
    EXPECT_EQ(buffer->At(SURFACE_WIDTH - 1, SURFACE_HEIGHT - 1), 0xFF00FF00u);
    EXPECT_EQ(buffer->At(SURFACE_WIDTH - 6, SURFACE_HEIGHT - 1), WHITE);
    EXPECT_TRUE(IsWhite(*buffer, 10, 10, 24, 24));
}

// Copying an area onto itself must give what a copy through a separate buffer gives.
TEST_F(Drawing, CopyAreaOverlappingInEveryDirection) {
    const struct {
        int32_t x, y, w, h, srcX, srcY;
    } moves[] = {
        {71, 73, 24, 96, 71, 85},  // a column up half a cell
        {71, 97, 24, 96, 71, 85},  // down
        {59, 85, 96, 24, 71, 85},  // a row left
        {83, 85, 96, 24, 71, 85},  // right
        {60, 70, 50, 50, 65, 77},  // diagonal
    };
    for (const auto& m : moves) {
        FillWithPattern(*buffer);
        const auto before = std::make_unique<BackBuffer>(*buffer);
        CopyArea(*buffer, m.x, m.y, m.w, m.h, m.srcX, m.srcY);
        auto expected = std::make_unique<BackBuffer>(*before);
        for (int32_t dy = 0; dy < m.h; ++dy) {
            for (int32_t dx = 0; dx < m.w; ++dx) {
                expected->pixels[(m.y + dy) * SURFACE_WIDTH + m.x + dx] =
                    before->At(m.srcX + dx, m.srcY + dy);
            }
        }
        EXPECT_EQ(buffer->pixels, expected->pixels) << "moving to " << m.x << "," << m.y;
    }
}

TEST_F(Drawing, CopyAreaAtTheEdgesCopiesOnlyWhatLiesInside) {
    FillWithPattern(*buffer);
    const auto before = std::make_unique<BackBuffer>(*buffer);
    CopyArea(*buffer, -10, -10, 30, 30, 100, 100);  // destination partly above and left
    EXPECT_EQ(buffer->At(0, 0), before->At(110, 110));
    EXPECT_EQ(buffer->At(19, 19), before->At(129, 129));
    EXPECT_EQ(buffer->At(20, 20), before->At(20, 20));

    *buffer = *before;
    CopyArea(*buffer, 100, 100, 30, 30, -10, SURFACE_HEIGHT - 20);  // source partly outside
    EXPECT_EQ(buffer->At(110, 100), before->At(0, SURFACE_HEIGHT - 20));
    EXPECT_EQ(buffer->At(109, 100), before->At(109, 100));
    EXPECT_EQ(buffer->At(110, 120), before->At(110, 120));

    *buffer = *before;
    CopyArea(*buffer, 0, 0, 50, 50, 9000, 9000);
    CopyArea(*buffer, -9000, 0, 50, 50, 0, 0);
    CopyArea(*buffer, 0, 0, -5, 50, 10, 10);
    EXPECT_EQ(buffer->pixels, before->pixels);
}

}  // namespace
}  // namespace tessel
