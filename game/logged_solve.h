// One solved game as the log of solves keeps it (game/solve_log.h): when it was solved, which board, its
// counts and every move on the board with the time it was played, so that it can be counted in the
// statistics and played again at its own pace.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessel {

// A move as the player made it: the tap at x, y in pixels of the picture, `ms` after the game's clock
// started (the first move is at 0; the solving move's time is the game's).
struct TimedTap {
    uint16_t x = 0;
    uint16_t y = 0;
    uint32_t ms = 0;

    bool operator==(const TimedTap&) const = default;
};

struct LoggedSolve {
    int64_t utcMs = 0;           // when it was solved, in milliseconds since 1970-01-01 00:00 UTC
    std::string puzzle;          // the puzzle's name as in game IDs: "normal", "15-puzzle", ...
    std::string gameId;          // "normal-4297"; empty for a game kept before there were IDs
    uint32_t moves = 0;          // the moves on the board, as the game counts them
    uint32_t ms = 0;             // the game's time
    uint32_t hints = 0;          // hints shown; a hinted solve stands outside the averages and bests
    std::vector<TimedTap> taps;  // the moves on the board, oldest first; fewer than `moves` only when
                                 // the oldest went beyond the history's limit

    bool operator==(const LoggedSolve&) const = default;
};

}  // namespace tessel
