// The game record as one line of JSON, as the replay prints it after every command.
#pragma once

#include <string>
#include <string_view>

#include "game/session.h"

namespace tessel::replay {

// The record, then how many moves can be taken back ("undo") and played again ("redo"), the cursor and the
// hint, the game's moves, time in milliseconds and ID ("moves", "time", "gameId"), and what a screen reader
// hears after the command ("said", empty when nothing).
std::string StateJson(const Session& session, long line, std::string_view command, int presents,
                      std::string_view said);

}  // namespace tessel::replay
