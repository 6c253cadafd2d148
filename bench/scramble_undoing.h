// A scramble counted as a player who watched it would undo it, and random moves through each puzzle's own
// taps: what the hint bench measures hints against, and the hint tests hold them to.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "core/game.h"
#include "puzzles/puzzle_table.h"

namespace tessel::bench {

// Both counts of undoing the scramble.
struct Undoing {
    int32_t yardstick = 0;
    int32_t kinder = 0;
};

// Both counts of undoing the scramble the puzzle's set-up drew for `ticks` on `game` (0 for the puzzles not
// undone line by line).
Undoing UndoMoves(const Game& game, const Puzzle& puzzle, uint32_t ticks);

// Where a tap may play a move on `game`'s board: every move there is has one of these.
std::vector<Point> MovePoints(const Game& game, const Puzzle& puzzle);

// A tap through the puzzle's own tap rule; whether it changed the board.
bool PlayTap(Game& game, const Puzzle& puzzle, int32_t x, int32_t y);

// Random taps where a move is played until `count` of them changed the board.
void RandomMoves(Game& game, const Puzzle& puzzle, std::mt19937& random, int32_t count);

}  // namespace tessel::bench
