// The kept game: what a player comes back to, as a short byte string that a front end can store while it is
// away and read back when it starts again. The images and the back buffer are not kept: they are made anew
// at every start, and DrawScreen redraws the picture after a read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/game.h"

namespace tessel {

// Raised whenever the layout changes, so that a game kept by an older build is refused, never misread.
inline constexpr uint8_t KEPT_GAME_VERSION = 1;
inline constexpr std::size_t KEPT_GAME_SIZE = 463;

// The kept form of a sound record, with the state of the platform's random generator (which the next
// "Unmovable" set-up draws from before it seeds).
std::vector<uint8_t> KeepGame(const Game& game, uint32_t randomState);

// Reads a kept form into the record and the generator's state, and returns true. A string of another
// version or length, a value out of its range or a record whose invariants do not hold is refused whole:
// false, with neither touched.
bool ReadKeptGame(std::span<const uint8_t> bytes, Game& game, uint32_t& randomState);

}  // namespace tessel
