// The game record as one line of JSON, as the replay prints it after every command.
#pragma once

#include <string>
#include <string_view>

#include "game/session.h"

namespace tessel::replay {

// The record, then how many moves can be taken back ("undo") and played again ("redo"), the cursor and the
// hint, and the game's moves, time in milliseconds and ID ("moves", "time", "gameId").
// With `solve`, the solve this command made, as its CSV line ("solve").
std::string StateJson(const Session& session, long line, std::string_view command, int presents,
                      const LoggedSolve* solve = nullptr);

// The statistics of the session's log (game/solve_stats.h), for each puzzle with solves: {"normal":
// {"solves": 3, "hinted": 0, "time": {"best": ..., "mean": ..., "ao5": ..., ...}, "moves": {...}}, ...};
// times in whole milliseconds, moves to two decimals, null where there are too few solves.
std::string StatsJson(const Session& session);

}  // namespace tessel::replay
