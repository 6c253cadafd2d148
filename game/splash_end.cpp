#include "game/splash_end.h"

#include "game/session.h"

namespace tessel {

void EndSplash(Session& session) {
    session.game.splashPending = 0;
    session.game.drainTaps = 1;
    session.drainedTaps = 0;
}

bool TakesTap(Session& session) {
    if (session.game.drainTaps == 0) return true;
    // The first of them is played; each after it counts towards the ones dropped.
    if (session.drainedTaps++ == 0) return true;
    if (session.drainedTaps > DRAINED_TAPS) session.game.drainTaps = 0;
    return false;
}

void EndDrain(Session& session) {
    session.game.drainTaps = 0;
}

}  // namespace tessel
