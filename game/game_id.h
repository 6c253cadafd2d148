// Game IDs: a short name for every scramble, which plays the same board again on any front end. An ID
// names the puzzle and all that its set-up draws from: "normal-4297" is "Normal" scrambled from seed 4297,
// "unmovable-2-3-4297" "Unmovable" with column 2 and row 3 locked, from seed 4297; "normal-2026-12-09" the
// day's board of "Normal" for that date (game/day_board.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/game.h"
#include "puzzles/deal.h"
#include "puzzles/puzzle_table.h"

namespace tessel {

struct GameId {
    const Puzzle* puzzle = nullptr;
    Deal deal;
};

// The puzzle's name in game IDs and records: its name in small letters, hyphens for spaces ("15-puzzle").
std::string GameIdName(const Puzzle& puzzle);

// The ID of the board in play; empty on the menu and for a board whose seed is not known.
std::string GameIdOf(const Game& game);

// The ID as text: the puzzle's name in small letters with hyphens for spaces, then the deal's numbers, or
// the date of a day's deal.
std::string FormatGameId(const GameId& id);

// Reads an ID, or the part of a link after its "#"; case and the blanks around it do not matter. A text
// that is no ID gets one line saying what is wrong, and no ID.
struct ReadGameId {
    std::optional<GameId> id;
    std::string error;
};
ReadGameId ParseGameId(std::string_view text);

// A text a player gave, quoted and safe to print in a one-line message: at most 40 characters, bytes other
// than printable ASCII as "?".
std::string Shown(std::string_view text);

}  // namespace tessel
