// The classic C runtime generator, which every game record holds (core/game.h), so that a game is
// reproducible from its tick counts on every front end.
#pragma once

#include <cstdint>

namespace tessel {

struct CrtRandom {
    uint32_t state = 1;  // the state before anything has seeded it

    void Seed(uint32_t seed) { state = seed; }
    int32_t Draw() {
        state = state * 214013u + 2531011u;
        return static_cast<int32_t>((state >> 16) & 0x7FFF);
    }
};

}  // namespace tessel
