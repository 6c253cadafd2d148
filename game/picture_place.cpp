#include "game/picture_place.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/layout.h"

namespace tessel {

namespace {

// Positions arrive as logical pixels, device pixels divided by the ratio; multiplied back they can land a
// hair below the whole device pixel, which this nudge absorbs.
constexpr double DEVICE_PIXEL_EPSILON = 1e-6;

// The whole device pixel a fractional one lies in; a point nowhere (not a number) at 0.
int64_t DevicePixel(double at) {
    if (std::isnan(at)) return 0;
    const double whole = std::floor(at + DEVICE_PIXEL_EPSILON);
    return static_cast<int64_t>(std::clamp(whole, -1e12, 1e12));
}

uint16_t TapHalf(int64_t devicePixel, int32_t scale) {
    const int64_t pixel = devicePixel < 0 ? -1 : devicePixel / scale;
    return static_cast<uint16_t>(std::clamp<int64_t>(pixel, 0, std::numeric_limits<uint16_t>::max()));
}

}  // namespace

PicturePlace PlacePicture(double width, double height, PictureAlign align) {
    // Far beyond any screen, so that nothing below overflows.
    constexpr int64_t LARGEST = int64_t{1} << 24;
    const int64_t deviceWidth = std::clamp<int64_t>(DevicePixel(width), 0, LARGEST);
    const int64_t deviceHeight = std::clamp<int64_t>(DevicePixel(height), 0, LARGEST);
    const int64_t fits = std::min(deviceWidth / SURFACE_WIDTH, deviceHeight / SURFACE_HEIGHT);
    const auto scale = static_cast<int32_t>(std::max<int64_t>(fits, 1));
    // Centred in a canvas narrower than the picture, it is cut on both sides.
    const double margin = static_cast<double>(deviceWidth - int64_t{SURFACE_WIDTH} * scale);
    const int32_t left = align == PictureAlign::Centre ? static_cast<int32_t>(std::floor(margin / 2)) : 0;
    return {scale, left};
}

TapPoint GamePixel(const PicturePlace& place, double x, double y) {
    return {TapHalf(DevicePixel(x) - place.left, place.scale), TapHalf(DevicePixel(y), place.scale)};
}

}  // namespace tessel
