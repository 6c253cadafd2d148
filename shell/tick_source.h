// The clock behind TickCount. Normally a monotonic millisecond clock; tests put a clock of their own in its
// place, for example one that runs the splash through without waiting.
#pragma once

#include <cstdint>
#include <functional>

namespace tessel {

using TickSource = std::function<uint32_t()>;

// An empty source brings back the monotonic clock.
void SetTickSource(TickSource source);

}  // namespace tessel
