#include <gtest/gtest.h>

#include <map>

#include "game/invariants.h"
#include "tests/random_taps.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using testing::Platform;

// Random taps anywhere, at random tick counts, through every screen: after each one the record is sound and
// every tap ended with a present.
TEST(RandomPlay, TwoHundredThousandTapsKeepTheRecordSound) {
    auto game = testing::NewGame();
    Platform().keepPictures = false;
    testing::RandomTaps taps(2026);
    std::map<int32_t, long> tapsOnScreen;
    for (long i = 0; i < 200000; ++i) {
        const testing::RandomTaps::Tap tap = taps.Next();
        Platform().ticks = tap.ticks;
        const long presentsBefore = Platform().presents;
        ++tapsOnScreen[game->screen];
        testing::Tap(*game, tap.x, tap.y);
        ASSERT_EQ(BrokenInvariant(*game), "") << "tap " << i << " at " << tap.x << "," << tap.y;
        ASSERT_GT(Platform().presents, presentsBefore);
    }
    EXPECT_EQ(tapsOnScreen.size(), 7u) << "some screen was never reached";
    for (const auto& [screen, count] : tapsOnScreen) EXPECT_GT(count, 1000) << "screen " << screen;
}

}  // namespace
}  // namespace tessel
