// The images compiled into the game, as the core decodes them: every one there at its size, and the
// pictures a player tells apart (tile numbers, arrow directions) really differ.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "core/images.h"

namespace tessel {
namespace {

class Images : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { LoadImages(images); }
    static inline ImageSet images;
};

TEST_F(Images, EveryImageDecodesAtItsSize) {
    struct Entry {
        int32_t first, last, width, height;
    };
    const Entry table[] = {{148, 148, 66, 24},  {150, 150, 103, 24}, {151, 151, 190, 24}, {152, 152, 100, 24},
                           {153, 153, 116, 24}, {154, 154, 41, 20},  {155, 155, 24, 24},  {158, 164, 11, 20},
                           {168, 168, 24, 24},  {170, 188, 24, 24},  {190, 205, 24, 24},  {206, 206, 107, 36},
                           {207, 208, 24, 24},  {210, 210, 72, 24},  {212, 215, 25, 37}};
    for (const Entry& e : table) {
        for (int32_t id = e.first; id <= e.last; ++id) {
            const Image& image = images[static_cast<ImageId>(id)];
            EXPECT_EQ(image.width, e.width) << "image " << id;
            EXPECT_EQ(image.height, e.height) << "image " << id;
            EXPECT_EQ(image.pixels.size(), static_cast<std::size_t>(e.width * e.height)) << "image " << id;
        }
    }
}

// Sixteen different numbers, and each grey tile shows the number of its green twin.
TEST_F(Images, TilesShowSixteenDistinctNumbersInBothColours) {
    const auto ink = [](const Image& tile) {
        const uint32_t face = tile.pixels[12 * 24 + 2];  // left of the number, inside the rim
        std::vector<bool> mask;
        for (int32_t y = 1; y < 23; ++y) {
            for (int32_t x = 1; x < 23; ++x) mask.push_back(tile.pixels[y * 24 + x] != face);
        }
        return mask;
    };
    std::set<std::vector<bool>> numbers;
    for (int32_t n = 1; n <= 16; ++n) {
        numbers.insert(ink(images[TileImage(n)]));
        EXPECT_EQ(ink(images[TileImage(n)]), ink(images[GreyTileImage(n)])) << "tile " << n;
    }
    EXPECT_EQ(numbers.size(), 16u);
}

// An arrow is narrow at its tip and wide at its tail: compare the first and last drawn lines across it.
TEST_F(Images, ArrowsPointTheirWay) {
    const struct {
        ImageId id;
        bool vertical, tipFirst;
    } arrows[] = {{IMG_ARROW_UP, true, true},
                  {IMG_ARROW_DOWN, true, false},
                  {IMG_ARROW_LEFT, false, true},
                  {IMG_ARROW_RIGHT, false, false}};
    for (const auto& a : arrows) {
        const Image& arrow = images[a.id];
        std::vector<int> widths;  // drawn pixels of each non-empty row (vertical) or column, in order
        for (int32_t i = 0; i < 24; ++i) {
            int count = 0;
            for (int32_t j = 0; j < 24; ++j) {
                count += arrow.pixels[a.vertical ? i * 24 + j : j * 24 + i] != 0xFFFFFFFFu;
            }
            if (count > 0) widths.push_back(count);
        }
        ASSERT_GE(widths.size(), 16u) << "image " << a.id;
        EXPECT_LE(a.tipFirst ? widths.front() : widths.back(), 4) << "image " << a.id;
        EXPECT_GE(a.tipFirst ? widths.back() : widths.front(), 8) << "image " << a.id;
    }
}

}  // namespace
}  // namespace tessel
