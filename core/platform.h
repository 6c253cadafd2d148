// The few services the game takes from the platform. Each front end defines these functions once.
#pragma once

#include <cstdint>

namespace tessel {

// Milliseconds since some fixed moment; wraps around after 2^32.
uint32_t TickCount();

// The platform's pseudo-random generator: seeding, and drawing a number from 0 to 32767.
void SeedRandom(uint32_t seed);
int32_t DrawRandom();

// Every puzzle set-up seeds the generator from the tick count this way.
inline void SeedRandomFromTickCount() {
    SeedRandom(TickCount() % 2000000000u);
}

}  // namespace tessel
