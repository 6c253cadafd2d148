#include "game/splash_end.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/session.h"

namespace tessel {
namespace {

std::vector<bool> Taken(Session& session, int taps) {
    std::vector<bool> taken;
    for (int i = 0; i < taps; ++i) taken.push_back(TakesTap(session));
    return taken;
}

// Of the taps delivered after the splash the first is played, the next twenty dropped and any beyond
// played; the record's drainTaps cleared (by a set-up reading it) or the drain's end plays what comes.
TEST(SplashEnd, TheFirstTapQueuedIsPlayedTheNextTwentyDropped) {
    Session session;
    EXPECT_EQ(Taken(session, 3), std::vector<bool>(3, true)) << "no splash ended: nothing is drained";
    EndSplash(session);
    EXPECT_EQ(session.game.splashPending, 0);
    std::vector<bool> expected(1, true);
    expected.resize(1 + DRAINED_TAPS, false);
    expected.resize(1 + DRAINED_TAPS + 3, true);
    EXPECT_EQ(Taken(session, 1 + DRAINED_TAPS + 3), expected);

    EndSplash(session);
    EXPECT_EQ(Taken(session, 2), std::vector<bool>({true, false}));
    session.game.drainTaps = 0;
    EXPECT_TRUE(TakesTap(session));
    EndSplash(session);
    EXPECT_TRUE(TakesTap(session));
    EndDrain(session);
    EXPECT_EQ(Taken(session, 2), std::vector<bool>(2, true));
}

}  // namespace
}  // namespace tessel
