#include "game/solve_stats.h"

#include <gtest/gtest.h>

#include <numeric>

#include "game/session.h"
#include "game/statistics_page.h"
#include "puzzles/puzzle_table.h"

namespace tessel {
namespace {

// A solve as the log holds it; the moves' taps do not matter to the figures.
LoggedSolve Solved(uint32_t moves, uint32_t ms, uint32_t hints = 0) {
    LoggedSolve solve;
    solve.puzzle = "normal";
    solve.moves = moves;
    solve.ms = ms;
    solve.hints = hints;
    solve.taps = {{10, 10, ms}};
    return solve;
}

// Windows worked by hand: ao5 drops one best and one worst, whatever the ties; ao12 one of each; ao100
// five of each; fewer solves than the window give nothing.
TEST(SolveStats, AveragesOfHandWorkedWindows) {
    const std::vector<uint32_t> five = {50, 10, 40, 20, 30};
    EXPECT_EQ(TrimmedMean(five), 30.0);
    const std::vector<uint32_t> ties = {7, 9, 7, 9, 7};  // 7, 7, 9 in the middle
    EXPECT_DOUBLE_EQ(*TrimmedMean(ties), 23.0 / 3);
    std::vector<uint32_t> hundred(100);
    std::iota(hundred.begin(), hundred.end(), 1);  // 6 to 95 are kept
    EXPECT_DOUBLE_EQ(*CurrentAverage(hundred, 100), 50.5);
    const std::vector<uint32_t> twelve = {1000, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0};  // 1 to 10 kept
    EXPECT_DOUBLE_EQ(*CurrentAverage(twelve, 12), 5.5);
    EXPECT_EQ(CurrentAverage(twelve, 100), std::nullopt);
    EXPECT_EQ(BestAverage(std::vector<uint32_t>{1, 2, 3, 4}, 5), std::nullopt);

    // Oldest first: the windows of 5 give 3, 3 and 4 1/3; the best is the first, the current the last.
    const std::vector<uint32_t> times = {100, 1, 2, 3, 4, 500, 6};
    EXPECT_EQ(BestAverage(times, 5), 3.0);
    EXPECT_DOUBLE_EQ(*CurrentAverage(times, 5), 13.0 / 3);
}

// One puzzle's figures, newest solve first, a hinted game among them: counted, but outside the averages,
// means and bests; the records' bests and count taken in where they go further than the log.
TEST(SolveStats, APuzzlesFiguresLeaveHintedGamesOut) {
    const std::vector<LoggedSolve> solves = {Solved(26, 13000), Solved(5, 2000, 1), Solved(22, 9000),
                                             Solved(40, 15000), Solved(28, 11000),  Solved(25, 10000),
                                             Solved(30, 12000)};
    PuzzleStats stats = StatsOf(solves);
    EXPECT_EQ(stats.solves, 7u);
    EXPECT_EQ(stats.hinted, 1u);
    EXPECT_EQ(stats.time.best, 9000.0);
    EXPECT_DOUBLE_EQ(*stats.time.mean, 70000.0 / 6);
    // Windows 12, 10, 11, 15, 9 (middle 10, 11, 12) and 10, 11, 15, 9, 13 (middle 10, 11, 13).
    EXPECT_DOUBLE_EQ(*stats.time.current[0], 34000.0 / 3);
    EXPECT_EQ(stats.time.bestAverage[0], 11000.0);
    EXPECT_EQ(stats.time.current[1], std::nullopt);
    EXPECT_EQ(stats.time.bestAverage[2], std::nullopt);
    EXPECT_EQ(stats.moves.best, 22.0);
    EXPECT_DOUBLE_EQ(*stats.moves.mean, 28.5);
    EXPECT_DOUBLE_EQ(*stats.moves.current[0], 79.0 / 3);  // 25, 26, 28 of 25, 28, 40, 22, 26
    EXPECT_DOUBLE_EQ(*stats.moves.bestAverage[0], 79.0 / 3);
    EXPECT_NEAR(*stats.movesPerSecond, (2.5 + 2.5 + 28 / 11.0 + 40 / 15.0 + 22 / 9.0 + 2.0) / 6, 1e-12);

    // The chart: oldest first, the hinted solve left out, each point with the average of 5 ending at it.
    Session session;
    session.solveLog["normal"] = solves;
    const StatsChart chart = StatisticsOf(session, *FindPuzzle(SCREEN_NORMAL), 0).chart;
    EXPECT_EQ(chart.times, (std::vector<uint32_t>{12000, 10000, 11000, 15000, 9000, 13000}));
    ASSERT_EQ(chart.ao5.size(), 6u);
    EXPECT_EQ(chart.ao5[3], std::nullopt);
    EXPECT_EQ(chart.ao5[4], 11000.0);
    EXPECT_DOUBLE_EQ(*chart.ao5[5], 34000.0 / 3);

    const PuzzleRecord record{40, 18, 9500};
    stats = StatsOf(solves, &record);
    EXPECT_EQ(stats.solves, 40u);
    EXPECT_EQ(stats.time.best, 9000.0);
    EXPECT_EQ(stats.moves.best, 18.0);
    EXPECT_EQ(StatsOf({}, &record).time.mean, std::nullopt);
    EXPECT_EQ(MovesPerSecond(Solved(1, 0)), std::nullopt);  // a one-move solve takes no time
}

// The newest solve makes an average the best only by beating it: a first average, or an equal one, beats
// nothing; a hinted solve never does.
TEST(SolveStats, ANewBestAverageIsTheLongestWindowBeaten) {
    std::vector<LoggedSolve> solves;
    const auto solve = [&](uint32_t ms, uint32_t hints = 0) {
        solves.insert(solves.begin(), Solved(20, ms, hints));
        return NewBestAverage(solves);
    };
    for (const uint32_t ms : {12000, 10000, 11000, 15000}) EXPECT_EQ(solve(ms), 0u);
    EXPECT_EQ(solve(9000), 0u);     // the first average of 5: 11000
    EXPECT_EQ(solve(13000), 0u);    // 11333
    EXPECT_EQ(solve(1000, 1), 0u);  // hinted, and left out of the windows after it
    EXPECT_EQ(solve(8000), 0u);     // 11000 again
    EXPECT_EQ(solve(7000), 5u);     // 8, 9, 13: 10000
    for (const uint32_t ms : {20000, 20000, 20000}) solve(ms);
    EXPECT_EQ(solve(1000), 0u);  // the first average of 12, and no better average of 5
    EXPECT_EQ(solve(1000), 12u);
}

// Dates as ISO 8601 in UTC, leap days included; the CSV a header and a line a solve, menu order.
TEST(SolveStats, CsvOfTheLog) {
    EXPECT_EQ(IsoDate(0), "1970-01-01T00:00:00Z");
    EXPECT_EQ(IsoDate(951782400000), "2000-02-29T00:00:00Z");
    EXPECT_EQ(IsoDate(1709210096789), "2024-02-29T12:34:56Z");
    SolveLog log;
    LoggedSolve normal = Solved(23, 72000);
    normal.utcMs = 1765250905000;
    normal.gameId = "normal-4297";
    LoggedSolve fifteen = Solved(80, 120000, 2);
    fifteen.puzzle = "15-puzzle";
    log["normal"] = {normal};
    log["15-puzzle"] = {fifteen};
    EXPECT_EQ(SolveLogCsv(log),
              "puzzle,date,id,moves,ms,hints\n"
              "normal,2025-12-09T03:28:25Z,normal-4297,23,72000,0\n"
              "15-puzzle,1970-01-01T00:00:00Z,,80,120000,2\n");
}

}  // namespace
}  // namespace tessel
