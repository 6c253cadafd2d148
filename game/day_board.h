// The day's board: one board a puzzle for each date (UTC), dealt from the date alone, so that every front
// end on every machine deals the same one with no server. Its deal's seed lies above every seed the menu
// and the numbered game IDs use, so a board is the day's by its seed alone, and every board the menu deals
// stays as it is.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "puzzles/deal.h"

namespace tessel {

struct Date {
    int32_t year = 2000;
    int32_t month = 1;  // 1 to 12
    int32_t day = 1;    // 1 to 31

    bool operator==(const Date&) const = default;
};

// The days that have a board: 2000-01-01 to 9999-12-31.
inline constexpr int32_t FIRST_DAY_YEAR = 2000;
inline constexpr int32_t LAST_DAY_YEAR = 9999;

// The date in UTC of a moment in seconds since 1970-01-01 00:00 UTC, as every front end's clock gives it.
Date UtcDate(int64_t unixSeconds);

// Whether the date is a real one with a board (a year from 2000 to 9999).
bool HasDayBoard(const Date& date);

// The deal of the date's board, for a date that has one: its seed, and the locked lines where a puzzle
// locks some, all from the date.
Deal DealOfDay(const Date& date);

// The date whose board a seed deals, or none for a seed of the menu or of a numbered game ID.
std::optional<Date> DayOfSeed(uint32_t seed);

// "2026-12-09".
std::string FormatDate(const Date& date);

// "Today's board" asked for on a screen at `unixSeconds`: the ID of that date's board (UTC) of the puzzle
// on the screen, or what keeps it from being dealt, in one line: no puzzle shown, or no board for the date.
struct TodaysBoard {
    std::string gameId;
    std::string error;
};
TodaysBoard TodaysBoardOf(int32_t screen, int64_t unixSeconds);

// Reads "YYYY-MM-DD", four digits, two and two; none for anything else or for no such date. Whether the
// date has a board is for HasDayBoard to say.
std::optional<Date> ParseDate(std::string_view text);

}  // namespace tessel
