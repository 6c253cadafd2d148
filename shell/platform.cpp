// The core's platform services for the desktop program.
#include <chrono>

#include "core/crt_random.h"
#include "core/platform.h"
#include "shell/random_state.h"
#include "shell/tick_source.h"

namespace tessel {

namespace {

TickSource& CurrentTickSource() {
    static TickSource source;
    return source;
}

CrtRandom& Random() {
    static CrtRandom random;
    return random;
}

}  // namespace

void SetTickSource(TickSource source) {
    CurrentTickSource() = std::move(source);
}

uint32_t TickCount() {
    if (const TickSource& source = CurrentTickSource()) return source();
    const auto sinceBoot = std::chrono::steady_clock::now().time_since_epoch();
    // Cut to 32 bits; the waits on it take unsigned differences, which survive the wrap.
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceBoot).count());
}

int64_t UtcMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

uint32_t& RandomState() {
    return Random().state;
}

void SeedRandom(uint32_t seed) {
    Random().Seed(seed);
}
int32_t DrawRandom() {
    return Random().Draw();
}

}  // namespace tessel
