// The game record as one line of JSON, as the replay prints it after every command.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "game/session.h"

namespace tessel::replay {

// What a command's record ends with, when it has it: the link of the game it solved (`solveLink`, null
// when the solve has none) and the end of the game it watched (`watched`, as WatchedJson).
struct Extras {
    std::optional<std::string> solveLink;
    std::optional<std::string> watched;
};

// The record, then how many moves can be taken back ("undo") and played again ("redo"), the cursor and the
// hint, the game's moves, time in milliseconds and ID ("moves", "time", "gameId"), what a screen reader
// hears after the command ("said", empty when nothing), then the extras.
std::string StateJson(const Session& session, long line, std::string_view command, int presents,
                      std::string_view said, const Extras& extras = {});

// {"moves": N, "time": MS, "gameId": "..."} of a watched game.
std::string WatchedJson(const Session& watched);

}  // namespace tessel::replay
