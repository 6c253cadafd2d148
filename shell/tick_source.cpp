// The desktop's clock: the tick count the game view stores in the record before each call into the game.
#include "shell/tick_source.h"

#include <chrono>

namespace tessel {

namespace {

TickSource& CurrentTickSource() {
    static TickSource source;
    return source;
}

}  // namespace

void SetTickSource(TickSource source) {
    CurrentTickSource() = std::move(source);
}

uint32_t TickCount() {
    if (const TickSource& source = CurrentTickSource()) return source();
    const auto sinceBoot = std::chrono::steady_clock::now().time_since_epoch();
    // Cut to 32 bits; the game takes unsigned differences, which survive the wrap.
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceBoot).count());
}

int64_t UtcNow() {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count();
}

}  // namespace tessel
