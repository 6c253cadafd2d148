// The start-up splash every front end plays before the menu takes taps: an emblem at the centre of the
// window fades in from white through two greys to black, holds, and fades back out.
#pragma once

#include <array>
#include <cstdint>

#include "core/images.h"

namespace tessel {

struct SplashStep {
    ImageId frame;  // drawn at (SPLASH_X, SPLASH_Y), SPLASH_WIDTH x SPLASH_HEIGHT
    uint32_t waitMs;
};

inline constexpr uint32_t SPLASH_FRAME_DELAY_MS = 300;

inline constexpr std::array<SplashStep, 7> SPLASH_STEPS{{
    {IMG_SPLASH_4, SPLASH_FRAME_DELAY_MS},
    {IMG_SPLASH_1, SPLASH_FRAME_DELAY_MS},
    {IMG_SPLASH_2, SPLASH_FRAME_DELAY_MS},
    {IMG_SPLASH_3, 2 * SPLASH_FRAME_DELAY_MS},
    {IMG_SPLASH_2, SPLASH_FRAME_DELAY_MS},
    {IMG_SPLASH_1, SPLASH_FRAME_DELAY_MS},
    {IMG_SPLASH_4, SPLASH_FRAME_DELAY_MS},
}};

}  // namespace tessel
