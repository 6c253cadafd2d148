// The few services the game takes from the platform. Each front end defines these functions once.
#pragma once

#include <cstdint>

namespace tessel {

// Milliseconds since some fixed moment; wraps around after 2^32.
uint32_t TickCount();

// The wall clock: milliseconds since 1970-01-01 00:00 UTC. Solves are dated by it.
int64_t UtcMs();

// The platform's pseudo-random generator: seeding, and drawing a number from 0 to 32767.
void SeedRandom(uint32_t seed);
int32_t DrawRandom();


}  // namespace tessel
