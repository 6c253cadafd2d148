#include "game/catalogue.h"

#include "puzzles/puzzle_table.h"

namespace tessel {

// The names are marked for the template where the puzzles' table lists them (MarkedName).
std::string PuzzleName(const Puzzle& puzzle) {
    return Say(Text(puzzle.name));
}

}  // namespace tessel
