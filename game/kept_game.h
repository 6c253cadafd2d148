// The kept game: what a player comes back to, as a short byte string that a front end can store while it is
// away and read back when it starts again: the record and the history of its moves. The images and the
// back buffer are not kept: they are made anew at every start, and DrawScreen redraws the picture after a
// read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "game/session.h"

namespace tessel {

// Raised whenever the layout changes. Version 1 kept the record alone; version 2 adds the history; version
// 3 the game's counts after it (its seed, moves beyond the history's limit, hints, time). All three are
// read, the counts of the older ones starting afresh; anything else is refused, never misread.
inline constexpr uint8_t KEPT_GAME_VERSION = 3;
// A version-1 kept game.
inline constexpr std::size_t KEPT_RECORD_SIZE = 463;
// The counts that end a version-3 kept game.
inline constexpr std::size_t KEPT_COUNTS_SIZE = 19;
// With no moves: the record, the history's two counts and the game's counts.
inline constexpr std::size_t KEPT_GAME_MIN_SIZE = KEPT_RECORD_SIZE + 4 + KEPT_COUNTS_SIZE;
// With HISTORY_LIMIT moves: the board before the first one (45 bytes), then 4 bytes a move.
inline constexpr std::size_t KEPT_GAME_MAX_SIZE = KEPT_GAME_MIN_SIZE + 45 + 4 * HISTORY_LIMIT;

// Whether the game has anything to come back to: nothing on the menu, where a front end keeps nothing and
// removes what it kept. A front end keeps the game whenever it may end (after a move, when it is closed or
// hidden) and reads it back at its next start.
bool KeepsGame(const Game& game);

// The kept form of a sound game, with the state of its random generator (which the next "Unmovable" set-up
// draws from before it seeds) and its time up to the record's `now`.
std::vector<uint8_t> KeepGame(const Session& session);

// Reads a kept form into the game, its generator's state included, and returns true. A string of another
// version or length, a value out of its range, a record whose invariants do not hold or a history whose moves
// do not lead to its board is refused whole: false, with nothing touched.
bool ReadKeptGame(std::span<const uint8_t> bytes, Session& session);

}  // namespace tessel
