#include "game/statistics_page.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "game/catalogue.h"
#include "game/day_board.h"
#include "game/decimal.h"
#include "game/game_id.h"
#include "game/session.h"
#include "game/solve_stats.h"
#include "puzzles/puzzle_table.h"

namespace tessel {

namespace {

// Black and the two lines' dark blue and red on white; white, light blue and amber on the near-black.
constexpr ChartColours CLASSIC_CHART{0xFFFFFFFFu, 0xFF000000u, 0xFFC8C8C8u,
                                     0xFF707070u, 0xFF0050C8u, 0xFFC83200u};
constexpr ChartColours HIGH_CONTRAST_CHART{0xFFFFFFFFu, 0xFF000000u, 0xFF767676u,
                                           0xFF595959u, 0xFF0000C8u, 0xFFA00000u};
constexpr ChartColours DARK_CHART{0xFF121212u, 0xFFFFFFFFu, 0xFF8A8A8Au,
                                  0xFFBDBDBDu, 0xFF7FC8FFu, 0xFFFFC840u};

// A figure with the language's decimal separator: "2.59" is "2,59" in German.
std::string InLanguage(std::string figure) {
    if (const std::size_t point = figure.find('.'); point != std::string::npos)
        figure.replace(point, 1, Say(msg::DECIMAL_POINT));
    return figure;
}

std::string Figure(const std::optional<double>& value, bool time) {
    if (!value) return Say(msg::STATS_NONE);
    if (time) return StatTime(*value);
    // A count of moves as a count; a mean of them to a tenth.
    return InLanguage(Decimal(*value, *value == std::floor(*value) ? 0 : 1));
}

// "2026-12-09 06:12", in UTC.
std::string ShortDate(int64_t utcMs) {
    const std::string iso = IsoDate(utcMs);
    return iso.substr(0, 10) + " " + iso.substr(11, 5);
}

// A step between the times along the side: 1, 2 or 5 times a power of ten, giving at most five of them.
uint32_t TickStep(uint32_t span) {
    uint64_t step = 100;
    while (true) {
        for (const uint64_t times : {1, 2, 5}) {
            if (span / (step * times) <= 4) return static_cast<uint32_t>(step * times);
        }
        step *= 10;
    }
}

StatsChart ChartOf(std::span<const LoggedSolve> solves) {
    StatsChart chart;
    for (auto solve = solves.begin(); solve != solves.end() && chart.times.size() < CHART_SOLVES; ++solve) {
        if (solve->hints == 0) chart.times.push_back(solve->ms);
    }
    std::reverse(chart.times.begin(), chart.times.end());
    // The averages run on over the older solves too, so the first points charted have theirs.
    std::vector<uint32_t> all;
    for (auto solve = solves.rbegin(); solve != solves.rend(); ++solve) {
        if (solve->hints == 0) all.push_back(solve->ms);
    }
    const std::size_t first = all.size() - chart.times.size();
    uint32_t low = UINT32_MAX, high = 0;
    for (std::size_t i = first; i < all.size(); ++i) {
        const std::span upTo(all.data(), i + 1);
        chart.ao5.push_back(CurrentAverage(upTo, 5));
        chart.ao12.push_back(CurrentAverage(upTo, 12));
        low = std::min(low, all[i]);
        high = std::max(high, all[i]);
    }
    if (!chart.times.empty()) {
        const uint32_t step = TickStep(std::max<uint32_t>(high - low, 1));
        chart.low = low / step * step;
        chart.high = std::max(chart.low + step, (high + step - 1) / step * step);
        for (uint32_t tick = chart.low; tick <= chart.high; tick += step)
            chart.ticks.emplace_back(tick, step % 1000 == 0 ? ClockText(tick) : StatTime(tick));
    }
    chart.caption = Say(msg::STATS_CHART, chart.times.size());
    chart.key = {Say(msg::STATS_KEY_SINGLE), Say(msg::STATS_KEY_AO5), Say(msg::STATS_KEY_AO12)};
    return chart;
}

// Today's board's best and the days in a row whose board was solved, up to today or yesterday.
std::vector<std::string> DayLines(std::span<const LoggedSolve> solves, int64_t utcMs) {
    std::set<std::string> days;
    const std::string today = FormatDate(UtcDate(utcMs / 1000));
    std::optional<LoggedSolve> best;
    for (const LoggedSolve& solve : solves) {
        // A day's ID ends in its date, "-2026-12-09": only such are read.
        const std::string& id = solve.gameId;
        if (id.size() < 11 || id[id.size() - 3] != '-' || id[id.size() - 6] != '-' ||
            id[id.size() - 11] != '-')
            continue;
        const ReadGameId read = ParseGameId(id);
        const std::optional<Date> date = read.id ? DayOfSeed(read.id->deal.seed) : std::nullopt;
        if (!date) continue;
        days.insert(FormatDate(*date));
        if (FormatDate(*date) == today && solve.hints == 0 && (!best || solve.ms < best->ms)) best = solve;
    }
    if (days.empty()) return {};
    std::vector<std::string> lines;
    lines.push_back(best ? Say(msg::STATS_DAY_BEST, best->moves, StatTime(best->ms))
                         : Say(msg::STATS_DAY_NOT_YET));
    int64_t seconds = utcMs / 1000;
    if (!days.count(today)) seconds -= 86400;
    uint32_t inRow = 0;
    while (days.count(FormatDate(UtcDate(seconds)))) {
        ++inRow;
        seconds -= 86400;
    }
    lines.push_back(Say(msg::STATS_DAYS_IN_ROW, inRow));
    return lines;
}

}  // namespace

const ChartColours& ChartColoursOf(Look look) {
    switch (look) {
        case Look::HIGH_CONTRAST:
            return HIGH_CONTRAST_CHART;
        case Look::DARK:
            return DARK_CHART;
        case Look::CLASSIC:
            break;
    }
    return CLASSIC_CHART;
}

std::string StatTime(double ms) {
    const auto hundredths = static_cast<uint64_t>(std::llround(std::max(ms, 0.0) / 10));
    const uint64_t seconds = hundredths / 100, minutes = seconds / 60, hours = minutes / 60;
    const std::string secondsAndHundredths = Padded(seconds % 60, 2) + "." + Padded(hundredths % 100, 2);
    if (hours > 0)
        return InLanguage(std::to_string(hours) + ":" + Padded(minutes % 60, 2) + ":" + secondsAndHundredths);
    if (minutes > 0) return InLanguage(std::to_string(minutes) + ":" + secondsAndHundredths);
    return InLanguage(std::to_string(seconds) + "." + Padded(hundredths % 100, 2));
}

std::vector<const Puzzle*> StatisticsPuzzles(const Session& session) {
    std::vector<const Puzzle*> puzzles;
    if (const Puzzle* shown = FindPuzzle(session.game.screen)) puzzles.push_back(shown);
    for (const Puzzle* puzzle : Puzzles()) {
        if (puzzles.empty() || puzzle != puzzles.front()) puzzles.push_back(puzzle);
    }
    return puzzles;
}

StatisticsPage StatisticsOf(const Session& session, const Puzzle& puzzle, int64_t utcMs, std::size_t from,
                            std::size_t rows) {
    StatisticsPage page;
    const std::string name = GameIdName(puzzle);
    page.puzzle = PuzzleName(puzzle);
    const auto logged = session.solveLog.find(name);
    const std::span<const LoggedSolve> solves =
        logged == session.solveLog.end() ? std::span<const LoggedSolve>() : std::span(logged->second);
    const auto record = session.records.find(name);
    const PuzzleStats stats = StatsOf(solves, record == session.records.end() ? nullptr : &record->second);
    if (stats.solves == 0) page.empty = Say(msg::STATS_NO_SOLVES, page.puzzle);

    page.heads = {"", Say(msg::STATS_TIME), Say(msg::STATS_MOVES)};
    page.rows.push_back({Say(msg::STATS_SOLVES), std::to_string(stats.solves), ""});
    page.rows.push_back({Say(msg::STATS_HINTED), std::to_string(stats.hinted), ""});
    page.rows.push_back(
        {Say(msg::STATS_BEST), Figure(stats.time.best, true), Figure(stats.moves.best, false)});
    page.rows.push_back(
        {Say(msg::STATS_MEAN), Figure(stats.time.mean, true), Figure(stats.moves.mean, false)});
    for (std::size_t i = 0; i < AVERAGE_WINDOWS.size(); ++i) {
        page.rows.push_back({Say(msg::STATS_CURRENT_AVERAGE, AVERAGE_WINDOWS[i]),
                             Figure(stats.time.current[i], true), Figure(stats.moves.current[i], false)});
        page.rows.push_back({Say(msg::STATS_BEST_AVERAGE, AVERAGE_WINDOWS[i]),
                             Figure(stats.time.bestAverage[i], true),
                             Figure(stats.moves.bestAverage[i], false)});
    }
    const std::string perSecond =
        stats.movesPerSecond ? InLanguage(Decimal(*stats.movesPerSecond, 2)) : Say(msg::STATS_NONE);
    page.rows.push_back({Say(msg::STATS_MOVES_PER_SECOND), "", perSecond});
    page.sentence = Say(msg::STATS_SENTENCE, stats.solves, Figure(stats.time.best, true),
                        Figure(stats.time.mean, true), Figure(stats.time.current[0], true),
                        Figure(stats.time.current[1], true), Figure(stats.time.current[2], true), perSecond);

    page.chart = ChartOf(solves);
    page.tableName = Say(msg::STATS_TABLE, page.puzzle);
    page.solveHeads = {Say(msg::STATS_WHEN), Say(msg::STATS_MOVES), Say(msg::STATS_TIME),
                       Say(msg::STATS_HINTS)};
    page.solveCount = solves.size();
    for (std::size_t i = 0; i < solves.size(); ++i) {
        const LoggedSolve& solve = solves[i];
        if (i >= from && i - from < rows) {
            page.solves.push_back({ShortDate(solve.utcMs), std::to_string(solve.moves), StatTime(solve.ms),
                                   std::to_string(solve.hints)});
        }
        if (solve.hints == 0 && (!page.best || solve.ms < solves[*page.best].ms)) page.best = i;
    }
    page.day = DayLines(solves, utcMs);
    return page;
}

}  // namespace tessel
