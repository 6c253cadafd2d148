#include "game/picture_place.h"

#include <gtest/gtest.h>

#include "core/layout.h"

namespace tessel {
namespace {

// Many sizes and pixel ratios: the picture at the largest whole scale that fits (at least 1); every device
// pixel of a game pixel's block, in logical pixels, maps back to it; points beyond are clamped.
TEST(PicturePlace, EveryDevicePixelOfAGamePixelMapsBackToIt) {
    // A device pixel as a platform reports it: in logical pixels, which times the ratio may land a hair off.
    const auto reported = [](int32_t device, double ratio) { return device / ratio * ratio; };
    for (const double ratio : {1.0, 1.25, 1.5, 1.75, 2.0, 3.0}) {
        for (const int32_t deviceWidth : {100, 239, 240, 360, 479, 1280, 2161}) {
            for (const int32_t deviceHeight : {100, 267, 534, 740, 800, 2401}) {
                for (const PictureAlign align : {PictureAlign::Left, PictureAlign::Centre}) {
                    SCOPED_TRACE(::testing::Message()
                                 << deviceWidth << " x " << deviceHeight << " at " << ratio);
                    const PicturePlace place =
                        PlacePicture(reported(deviceWidth, ratio), reported(deviceHeight, ratio), align);
                    int32_t largest = 1;
                    while (SURFACE_WIDTH * (largest + 1) <= deviceWidth &&
                           SURFACE_HEIGHT * (largest + 1) <= deviceHeight)
                        ++largest;
                    ASSERT_EQ(place.scale, largest);
                    // Centred in a narrower canvas, the picture is cut on both sides, its left edge before 0.
                    const int32_t margin = deviceWidth - SURFACE_WIDTH * largest;
                    EXPECT_EQ(place.left, align == PictureAlign::Left
                                              ? 0
                                              : (margin >= 0 ? margin / 2 : (margin - 1) / 2));
                    const int32_t k = place.scale;
                    for (const auto& [gx, gy] : {std::pair{0, 0}, {1, 0}, {86, 65}, {238, 266}, {119, 237}}) {
                        for (int32_t d = 0; d < k; ++d) {
                            const TapPoint at = GamePixel(place, reported(place.left + gx * k + d, ratio),
                                                          reported(gy * k + d, ratio));
                            ASSERT_EQ(std::pair(int32_t{at.x}, int32_t{at.y}), std::pair(gx, gy)) << d;
                        }
                    }
                    const TapPoint before = GamePixel(place, place.left - 0.5, -3);
                    EXPECT_EQ(std::pair(before.x, before.y), std::pair(uint16_t{0}, uint16_t{0}));
                    const TapPoint beyond = GamePixel(place, 1e9, 1e12);
                    EXPECT_EQ(std::pair(beyond.x, beyond.y), std::pair(uint16_t{0xFFFF}, uint16_t{0xFFFF}));
                }
            }
        }
    }
}

}  // namespace
}  // namespace tessel
