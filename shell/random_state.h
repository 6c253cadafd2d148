// The state of the desktop's random generator, kept with the game: the next "Unmovable" set-up draws from
// it before it seeds.
#pragma once

#include <cstdint>

namespace tessel {

uint32_t& RandomState();

}  // namespace tessel
