#include "game/day_board.h"

#include <chrono>

#include "game/catalogue.h"
#include "game/game_id.h"
#include "puzzles/puzzle_table.h"

namespace tessel {

namespace {

using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::year_month_day;

constexpr sys_days FIRST_DAY{std::chrono::year{FIRST_DAY_YEAR} / 1 / 1};
constexpr int32_t DAY_COUNT = (sys_days{std::chrono::year{LAST_DAY_YEAR} / 12 / 31} - FIRST_DAY).count() + 1;

// Neighbouring days' seeds lie this far apart, so that the generator's first draws, which follow the seed
// closely, differ from one day to the next as much as any two seeds'. The last day's seed still fits.
constexpr uint32_t DAY_SEED_STEP = 769;
static_assert(uint64_t{SEED_LIMIT} + uint64_t{DAY_SEED_STEP} * (DAY_COUNT - 1) <= UINT32_MAX);

year_month_day Calendar(const Date& date) {
    return {std::chrono::year{date.year}, std::chrono::month{static_cast<unsigned>(date.month)},
            std::chrono::day{static_cast<unsigned>(date.day)}};
}

Date FromCalendar(const year_month_day& date) {
    return {static_cast<int32_t>(date.year()), static_cast<int32_t>(static_cast<unsigned>(date.month())),
            static_cast<int32_t>(static_cast<unsigned>(date.day()))};
}

// Days since 2000-01-01.
int32_t DayIndex(const Date& date) {
    return static_cast<int32_t>((sys_days{Calendar(date)} - FIRST_DAY).count());
}

std::string Digits(int32_t value, std::size_t width) {
    std::string text = std::to_string(value);
    return std::string(width > text.size() ? width - text.size() : 0, '0') + text;
}

std::optional<int32_t> FixedDigits(std::string_view text, std::size_t width) {
    if (text.size() != width) return std::nullopt;
    int32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

Date UtcDate(int64_t unixSeconds) {
    constexpr int64_t DAY_SECONDS = 24 * 60 * 60;
    const int64_t whole = unixSeconds / DAY_SECONDS - (unixSeconds % DAY_SECONDS < 0 ? 1 : 0);
    return FromCalendar(year_month_day{sys_days{days{whole}}});
}

bool HasDayBoard(const Date& date) {
    return date.year >= FIRST_DAY_YEAR && date.year <= LAST_DAY_YEAR && date.month >= 1 && date.month <= 12 &&
           date.day >= 1 && date.day <= 31 && Calendar(date).ok();
}

Deal DealOfDay(const Date& date) {
    const auto index = static_cast<uint32_t>(DayIndex(date));
    // The locked lines go through all sixteen pairs in sixteen days.
    return {SEED_LIMIT + index * DAY_SEED_STEP, static_cast<int32_t>(index % 4 + 1),
            static_cast<int32_t>(index / 4 % 4 + 1)};
}

std::optional<Date> DayOfSeed(uint32_t seed) {
    if (seed < SEED_LIMIT || (seed - SEED_LIMIT) % DAY_SEED_STEP != 0) return std::nullopt;
    const uint32_t index = (seed - SEED_LIMIT) / DAY_SEED_STEP;
    if (index >= static_cast<uint32_t>(DAY_COUNT)) return std::nullopt;
    return FromCalendar(year_month_day{FIRST_DAY + days{index}});
}

std::string FormatDate(const Date& date) {
    return Digits(date.year, 4) + "-" + Digits(date.month, 2) + "-" + Digits(date.day, 2);
}

TodaysBoard TodaysBoardOf(int32_t screen, int64_t unixSeconds) {
    const Puzzle* puzzle = FindPuzzle(screen);
    if (puzzle == nullptr) return {{}, Say(msg::NO_PUZZLE_FOR_TODAY)};
    const Date today = UtcDate(unixSeconds);
    if (!HasDayBoard(today)) return {{}, Say(msg::NO_DAY_BOARD)};
    return {FormatGameId({puzzle, DealOfDay(today)}), {}};
}

std::optional<Date> ParseDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const auto year = FixedDigits(text.substr(0, 4), 4);
    const auto month = FixedDigits(text.substr(5, 2), 2);
    const auto day = FixedDigits(text.substr(8, 2), 2);
    if (!year || !month || !day) return std::nullopt;
    const Date date{*year, *month, *day};
    if (date.month < 1 || date.month > 12 || date.day < 1 || !Calendar(date).ok()) return std::nullopt;
    return date;
}

}  // namespace tessel
