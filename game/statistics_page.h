// "Tools" > "Statistics" as every front end shows it: for one puzzle, the numbers of its solves (for time
// and moves), a sentence of them for screen readers, the chart of the last solves' times with their
// averages of 5 and 12, the table of every solve logged, and its day's boards apart. All the words and
// numbers are here; a front end lays them out and draws the chart in the look's chart colours.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/looks.h"

namespace tessel {

struct Puzzle;
struct Session;

// The solves the chart shows: the last ones without hints.
inline constexpr std::size_t CHART_SOLVES = 100;

// The chart's colours in a look, 0xAARRGGBB: the lines and the text at 7:1 or more against the ground in
// High contrast and Dark (each solve's points and the grid at 4.5:1), the lines told apart by dashes too.
struct ChartColours {
    uint32_t ground;
    uint32_t text;    // the times along the side, the key, the frame
    uint32_t grid;    // the lines across at each time along the side
    uint32_t single;  // each solve's point
    uint32_t ao5;     // a solid line
    uint32_t ao12;    // a dashed line
};
const ChartColours& ChartColoursOf(Look look);

struct StatsChart {
    std::vector<uint32_t> times;             // milliseconds, oldest first
    std::vector<std::optional<double>> ao5;  // the average of 5 ending at each solve, where there is one
    std::vector<std::optional<double>> ao12;
    uint32_t low = 0;  // the times the chart spans, bottom to top
    uint32_t high = 1;
    std::vector<std::pair<uint32_t, std::string>>
        ticks;                       // times along the side, low to high, and their words
    std::string caption;             // what the chart shows
    std::array<std::string, 3> key;  // the solve, the average of 5, the average of 12
};

// A row of the numbers: its name, then the time and the moves ("none" where too few).
struct StatsRow {
    std::string name;
    std::string time;
    std::string moves;
};

// A row of the table of solves, the newest first: when (UTC), moves, time, hints.
struct SolveRow {
    std::string when;
    std::string moves;
    std::string time;
    std::string hints;
};

struct StatisticsPage {
    std::string puzzle;                // its name, as the chooser shows it
    std::string empty;                 // "No game of ... solved yet." when nothing is logged, else empty
    std::array<std::string, 3> heads;  // "", "Time", "Moves"
    std::vector<StatsRow> rows;        // solves, with hints, best, mean, the averages, moves per second
    std::string sentence;              // the averages in one sentence
    StatsChart chart;
    std::string tableName;
    std::array<std::string, 4> solveHeads;
    std::vector<SolveRow> solves;     // by the puzzle's log, the newest first
    std::size_t solveCount = 0;       // the rows the whole table has
    std::optional<std::size_t> best;  // the solve of the shortest time without hints, in `solves`
    std::vector<std::string> day;     // today's board's best and the days in a row; empty if never played
};

// The puzzles in the order the chooser offers them: the one shown first, then the rest in the menu's.
std::vector<const Puzzle*> StatisticsPuzzles(const Session& session);

// The statistics of one puzzle, from the session's log and records, on the day `utcMs` falls on; the table
// of solves from row `from`, at most `rows` of them (the best still found among all).
StatisticsPage StatisticsOf(const Session& session, const Puzzle& puzzle, int64_t utcMs, std::size_t from = 0,
                            std::size_t rows = SIZE_MAX);

// A time to the hundredth of a second, as the statistics show it: "12.35", "1:12.35", "1:02:03.40", with the
// language's decimal separator ("12,35" in German).
std::string StatTime(double ms);

}  // namespace tessel
