// The game record as one line of JSON, as the replay prints it after every command.
#pragma once

#include <string>
#include <string_view>

#include "game/session.h"

namespace tessel::replay {

// The record, then how many moves can be taken back ("undo") and played again ("redo"), the cursor and the
// hint, and the game's moves, time in milliseconds and ID ("moves", "time", "gameId").
std::string StateJson(const Session& session, long line, std::string_view command, int presents);

}  // namespace tessel::replay
