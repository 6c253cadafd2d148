#include "game/solve_stats.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <numeric>
#include <set>

#include "game/game_id.h"
#include "puzzles/puzzle_table.h"

namespace tessel {

namespace {

// How many of a window's best, and as many of its worst, are dropped: 5 %, at least one.
std::size_t Dropped(std::size_t size) {
    return std::max<std::size_t>(1, (size + 19) / 20);
}

// The mean of a sorted window's middle.
template <typename Sorted>
double MiddleMean(const Sorted& sorted, std::size_t size, uint64_t total) {
    const std::size_t dropped = Dropped(size);
    auto low = sorted.begin();
    auto high = sorted.rbegin();
    for (std::size_t i = 0; i < dropped; ++i) total -= *low++ + *high++;
    return static_cast<double>(total) / static_cast<double>(size - 2 * dropped);
}

struct Measures {
    std::vector<uint32_t> times;  // the solves without hints, oldest first
    std::vector<uint32_t> moves;
};

Measures UnhintedOldestFirst(std::span<const LoggedSolve> solves) {
    Measures measures;
    for (auto solve = solves.rbegin(); solve != solves.rend(); ++solve) {
        if (solve->hints > 0) continue;
        measures.times.push_back(solve->ms);
        measures.moves.push_back(solve->moves);
    }
    return measures;
}

Figures FiguresOf(std::span<const uint32_t> values, std::optional<uint32_t> recordBest) {
    Figures figures;
    if (!values.empty()) {
        figures.best = *std::min_element(values.begin(), values.end());
        figures.mean = static_cast<double>(std::accumulate(values.begin(), values.end(), uint64_t{0})) /
                       static_cast<double>(values.size());
    }
    if (recordBest && (!figures.best || *recordBest < *figures.best)) figures.best = *recordBest;
    for (std::size_t i = 0; i < AVERAGE_WINDOWS.size(); ++i) {
        figures.current[i] = CurrentAverage(values, AVERAGE_WINDOWS[i]);
        figures.bestAverage[i] = BestAverage(values, AVERAGE_WINDOWS[i]);
    }
    return figures;
}

std::string TwoDigits(unsigned n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

}  // namespace

std::optional<double> TrimmedMean(std::span<const uint32_t> window) {
    if (window.size() < 3) return std::nullopt;
    std::vector<uint32_t> sorted(window.begin(), window.end());
    std::sort(sorted.begin(), sorted.end());
    return MiddleMean(sorted, sorted.size(), std::accumulate(sorted.begin(), sorted.end(), uint64_t{0}));
}

std::optional<double> CurrentAverage(std::span<const uint32_t> values, std::size_t size) {
    if (values.size() < size) return std::nullopt;
    return TrimmedMean(values.last(size));
}

std::optional<double> BestAverage(std::span<const uint32_t> values, std::size_t size) {
    if (values.size() < size || size < 3) return std::nullopt;
    // The window slides along in order, so each step costs a few steps of the tree, not a sort.
    std::multiset<uint32_t> window(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(size));
    uint64_t total = std::accumulate(window.begin(), window.end(), uint64_t{0});
    double best = MiddleMean(window, size, total);
    for (std::size_t end = size; end < values.size(); ++end) {
        window.erase(window.find(values[end - size]));
        window.insert(values[end]);
        total += values[end];
        total -= values[end - size];
        best = std::min(best, MiddleMean(window, size, total));
    }
    return best;
}

std::optional<double> MovesPerSecond(const LoggedSolve& solve) {
    if (solve.ms == 0) return std::nullopt;
    return solve.moves * 1000.0 / solve.ms;
}

PuzzleStats StatsOf(std::span<const LoggedSolve> solves, const PuzzleRecord* record) {
    PuzzleStats stats;
    stats.solves = static_cast<uint32_t>(solves.size());
    if (record) stats.solves = std::max(stats.solves, record->solved);
    double speeds = 0;
    uint32_t timed = 0;
    for (const LoggedSolve& solve : solves) {
        if (solve.hints > 0) {
            ++stats.hinted;
        } else if (const std::optional<double> speed = MovesPerSecond(solve)) {
            speeds += *speed;
            ++timed;
        }
    }
    if (timed > 0) stats.movesPerSecond = speeds / timed;
    const Measures measures = UnhintedOldestFirst(solves);
    stats.time = FiguresOf(measures.times, record ? record->shortestMs : std::nullopt);
    stats.moves = FiguresOf(measures.moves, record ? record->fewestMoves : std::nullopt);
    return stats;
}

std::size_t NewBestAverage(std::span<const LoggedSolve> solves) {
    if (solves.empty() || solves.front().hints > 0) return 0;
    const std::vector<uint32_t> times = UnhintedOldestFirst(solves).times;
    const std::span before(times.data(), times.size() - 1);
    std::size_t beaten = 0;
    for (const std::size_t size : AVERAGE_WINDOWS) {
        const std::optional<double> best = BestAverage(before, size);
        const std::optional<double> now = CurrentAverage(times, size);
        if (best && now && *now < *best) beaten = size;
    }
    return beaten;
}

std::string IsoDate(int64_t utcMs) {
    // Days to a civil date in the proleptic Gregorian calendar, by eras of 400 years.
    const int64_t days = std::max<int64_t>(utcMs, 0) / 86400000;
    const int64_t seconds = std::max<int64_t>(utcMs, 0) / 1000 % 86400;
    const int64_t z = days + 719468, era = z / 146097, dayOfEra = z - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shifted = (5 * dayOfYear + 2) / 153;  // months from March
    const auto day = static_cast<unsigned>(dayOfYear - (153 * shifted + 2) / 5 + 1);
    const auto month = static_cast<unsigned>(shifted < 10 ? shifted + 3 : shifted - 9);
    const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return std::to_string(year) + "-" + TwoDigits(month) + "-" + TwoDigits(day) + "T" +
           TwoDigits(static_cast<unsigned>(seconds / 3600)) + ":" +
           TwoDigits(static_cast<unsigned>(seconds / 60 % 60)) + ":" +
           TwoDigits(static_cast<unsigned>(seconds % 60)) + "Z";
}

std::string SolveCsvLine(const LoggedSolve& solve) {
    // No field can hold a comma or a quote: names and IDs are letters, digits and hyphens.
    return solve.puzzle + "," + IsoDate(solve.utcMs) + "," + solve.gameId + "," +
           std::to_string(solve.moves) + "," + std::to_string(solve.ms) + "," + std::to_string(solve.hints);
}

std::string SolveLogCsv(const SolveLog& log) {
    std::string csv = std::string(SOLVE_CSV_HEADER) + "\n";
    for (const Puzzle* puzzle : Puzzles()) {
        const auto found = log.find(GameIdName(*puzzle));
        if (found == log.end()) continue;
        for (const LoggedSolve& solve : found->second) csv += SolveCsvLine(solve) + "\n";
    }
    return csv;
}

}  // namespace tessel
