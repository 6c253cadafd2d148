// The statistics of a puzzle's solves as players who race count them, for time and for moves: the mean, the
// best, and the current and best averages of 5, 12 and 100 (each window's best and worst 5 % dropped, at
// least one each, the rest's mean); and moves per second. Games solved with hints are counted but stand
// outside the averages and bests. Also the log as CSV.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "game/logged_solve.h"
#include "game/records.h"
#include "game/solve_log.h"

namespace tessel {

inline constexpr std::array<std::size_t, 3> AVERAGE_WINDOWS = {5, 12, 100};

// The mean of a window's values with its best and worst 5 % dropped (at least one of each); nothing for a
// window of fewer than 3.
std::optional<double> TrimmedMean(std::span<const uint32_t> window);

// The average of the last `size` values (oldest first), and the best (lowest) of any `size` in a row;
// nothing when there are fewer.
std::optional<double> CurrentAverage(std::span<const uint32_t> values, std::size_t size);
std::optional<double> BestAverage(std::span<const uint32_t> values, std::size_t size);

// One measure (time in milliseconds, or moves) over the solves without hints.
struct Figures {
    std::optional<double> best;
    std::optional<double> mean;
    std::array<std::optional<double>, 3> current;  // by AVERAGE_WINDOWS
    std::array<std::optional<double>, 3> bestAverage;
};

struct PuzzleStats {
    uint32_t solves = 0;  // with hints or without, the records' count when it is more than the log holds
    uint32_t hinted = 0;  // of those logged
    Figures time;
    Figures moves;
    std::optional<double> movesPerSecond;  // the mean over the solves without hints that took time
};

// A solve's moves per second; nothing for one that took no time.
std::optional<double> MovesPerSecond(const LoggedSolve& solve);

// The statistics of one puzzle's logged solves (newest first), its records taken in: the bests and the count
// of solves are the records' where they go further than the log.
PuzzleStats StatsOf(std::span<const LoggedSolve> solves, const PuzzleRecord* record = nullptr);

// The longest window whose average of time the newest solve made the best yet, or 0: a first average beats
// nothing. `solves` newest first, the newest the one just solved.
std::size_t NewBestAverage(std::span<const LoggedSolve> solves);

// A date and time as ISO 8601, to the second: "2026-12-09T03:08:25Z".
std::string IsoDate(int64_t utcMs);

// The CSV of the log: the header line, then one solve a line (puzzle, date, ID, moves, milliseconds,
// hints), puzzles in menu order, each newest first.
inline constexpr std::string_view SOLVE_CSV_HEADER = "puzzle,date,id,moves,ms,hints";
std::string SolveCsvLine(const LoggedSolve& solve);
std::string SolveLogCsv(const SolveLog& log);

}  // namespace tessel
