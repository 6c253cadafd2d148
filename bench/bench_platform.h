// The platform the benchmarks run the game on: a present that copies the whole picture out, the least a
// real front end does.
#pragma once

#include <memory>

#include "core/game.h"

namespace tessel::bench {

// A game started as the front ends start it, with the splash over.
std::unique_ptr<Game> NewGame();

// A stylus tap at (x, y), as a front end delivers it.
void Tap(Game& game, int32_t x, int32_t y);

// Where presents copy the picture to.
uint32_t* Screen();

}  // namespace tessel::bench
