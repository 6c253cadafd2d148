// The desktop's clock, in milliseconds: it times the splash, and its reading is the record's `now` at every
// call into the game (GameView::session). Normally a monotonic clock; tests put a clock of their own in its
// place, for example one that runs the splash through without waiting.
#pragma once

#include <cstdint>
#include <functional>

namespace tessel {

using TickSource = std::function<uint32_t()>;

// Milliseconds since some fixed moment; wraps around after 2^32.
uint32_t TickCount();

// The wall clock: milliseconds since 1970-01-01 00:00 UTC, which dates the solves logged.
int64_t UtcNow();

// An empty source brings back the monotonic clock.
void SetTickSource(TickSource source);

}  // namespace tessel
