// The player's records, per puzzle: the games solved, the fewest moves and the shortest time of a game
// solved without hints. Kept by the front ends as a short text (the desktop in a file, the web in the
// site's storage). A front end writes by reading what is stored, adding the games solved since and
// writing the result, so that two copies (two tabs of one browser) add up rather than overwrite.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

struct PuzzleRecord {
    uint32_t solved = 0;  // games solved, with hints or without
    std::optional<uint32_t> fewestMoves;
    std::optional<uint32_t> shortestMs;

    bool operator==(const PuzzleRecord&) const = default;
};

// By the puzzle's name in its game IDs ("normal", "15-puzzle", ...); a puzzle never solved has no entry.
using Records = std::map<std::string, PuzzleRecord>;

// A game solved: its puzzle (as in Records), moves, time and whether a hint was taken.
struct Solve {
    std::string puzzle;
    uint32_t moves = 0;
    uint32_t ms = 0;
    bool hinted = false;
};

// Which records a game beat; a first record beats nothing.
struct Beaten {
    bool moves = false;
    bool time = false;
};

// Counts the game as solved and, unless it was hinted, takes its moves and time where they are the best.
Beaten AddSolve(Records& records, const Solve& solve);

// The kept form: "tessel records 1", then a line a puzzle: its name, games solved, fewest moves and
// shortest milliseconds ("-" where there is none yet).
std::string WriteRecords(const Records& records);

// Reads the kept form; nothing when the text is not exactly what WriteRecords writes for some records.
// An empty text is no records yet.
std::optional<Records> ReadRecords(std::string_view text);

// What to store: the stored records (none when they could not be read) with the games solved here since
// the last store added.
Records MergeSolves(std::optional<Records> stored, std::span<const Solve> solves);

}  // namespace tessel
