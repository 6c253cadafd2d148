// Where the picture lies in a window or a canvas of any size and pixel ratio, and the game pixel under a
// pointer there. The picture is shown at the largest whole number of device pixels per game pixel that
// fits (never less than one), at the top, and at the left edge or centred across; a pointer maps back
// through the same scale, clamped to what a tap can carry.
#pragma once

#include <cstdint>

#include "game/history.h"

namespace tessel {

// Where the picture lies: device pixels per game pixel, and its left edge in device pixels.
struct PicturePlace {
    int32_t scale = 1;
    int32_t left = 0;
};

enum class PictureAlign : uint8_t { Left, Centre };

// In a window or canvas of `width` x `height` device pixels: a size in logical pixels times the pixel
// ratio, which may land a hair below a whole device pixel.
PicturePlace PlacePicture(double width, double height, PictureAlign align);

// The game pixel under a point `x`, `y` device pixels from the window's or canvas's top-left corner
// (fractional: a logical position times the pixel ratio). Taps reach the game as two unsigned 16-bit
// halves: a point left of or above the picture is 0, one far beyond it 65535.
TapPoint GamePixel(const PicturePlace& place, double x, double y);

}  // namespace tessel
