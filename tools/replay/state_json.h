// The game record as one line of JSON, as the replay prints it after every command.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "game/session.h"

namespace tessel::replay {

// What a command's record ends with, when it has it: the solve it made as its CSV line (`solve`), the
// link of the game it solved (`solveLink`, null when the solve has none), the end of the game it watched
// (`watched`, as WatchedJson) and the statistics (`stats`, as StatsJson).
struct Extras {
    std::optional<std::string> solveLink;
    std::optional<std::string> watched;
    std::optional<std::string> solve;
    std::optional<std::string> stats;
};

// The record, then how many moves can be taken back ("undo") and played again ("redo"), the cursor and the
// hint, the game's moves, time in milliseconds and ID ("moves", "time", "gameId"), what a screen reader
// hears after the command ("said", empty when nothing), then the extras.
std::string StateJson(const Session& session, long line, std::string_view command, int presents,
                      std::string_view said, const Extras& extras = {});

// {"moves": N, "time": MS, "gameId": "..."} of a watched game.
std::string WatchedJson(const Session& watched);

// The statistics of the session's log (game/solve_stats.h), for each puzzle with solves: {"normal":
// {"solves": 3, "hinted": 0, "time": {"best": ..., "mean": ..., "ao5": ..., ...}, "moves": {...}}, ...};
// times in whole milliseconds, moves to two decimals, null where there are too few solves.
std::string StatsJson(const Session& session);

}  // namespace tessel::replay
