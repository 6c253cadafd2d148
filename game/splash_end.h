// The end of the start-up splash. While it plays the program takes no input, so taps made meanwhile wait in
// the front end's queue; once it is over they are delivered, and of those the first is played and the next
// DRAINED_TAPS dropped, so that taps piled up while the splash held the program do not all play at once.
// Any beyond are played again.
#pragma once

#include <cstdint>

namespace tessel {

struct Session;

inline constexpr int32_t DRAINED_TAPS = 20;

// The splash is over: the menu (or the game kept) takes taps from now on, the taps queued meanwhile
// drained as they come.
void EndSplash(Session& session);

// Whether a tap arriving now is played: always, but while the queued taps are drained, the first of them
// only. The draining ends after the DRAINED_TAPS dropped, or when the record's drainTaps is cleared.
bool TakesTap(Session& session);

// Every tap queued during the splash has been delivered: whatever comes from now on is played.
void EndDrain(Session& session);

}  // namespace tessel
