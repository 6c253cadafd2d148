// The game record as one line of JSON, as the replay prints it after every command.
#pragma once

#include <string>
#include <string_view>

#include "core/game.h"

namespace tessel::replay {

std::string StateJson(const Game& game, long line, std::string_view command, int presents);

}  // namespace tessel::replay
