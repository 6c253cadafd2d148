// What must hold of the game record between any two taps, whatever was tapped: one check that the tests,
// the random-play harness, the fuzz targets and the reader of a kept game share.
#pragma once

#include <string>

#include "core/game.h"

namespace tessel {

// The first broken invariant, in words, or an empty string when the record is sound.
std::string BrokenInvariant(const Game& game);

}  // namespace tessel
