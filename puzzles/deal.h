// What a puzzle's set-up draws its board from, and all that a game ID names: the seed of the scramble and,
// for "Unmovable", its locked column and row. A set-up from the menu takes the seed from the tick count and
// draws the locked lines from the generator before it seeds; a set-up from a game ID is given both, so the
// same ID deals the same board on every front end.
#pragma once

#include <cstdint>

namespace tessel {

// Seeds run from 0 to one below this: the tick count is reduced by it.
inline constexpr uint32_t SEED_LIMIT = 2000000000u;

struct Deal {
    uint32_t seed = 0;
    int32_t lockedColumn = 0;  // 1 to 4; 0: drawn from the generator before it is seeded
    int32_t lockedRow = 0;
};

// The deal of a set-up from the menu at tick count `ticks`.
inline Deal DealAt(uint32_t ticks) {
    return {ticks % SEED_LIMIT};
}

}  // namespace tessel
