#include "game/catalogue.h"

#include "puzzles/puzzle_table.h"

namespace tessel {

// The names are marked for the template where the puzzles' table lists them (MarkedName).
std::string PuzzleName(const Puzzle& puzzle) {
    return Say(Text(puzzle.name));
}

const Message& LookTitle(std::optional<Look> choice) {
    if (!choice) return msg::LOOK_SYSTEM;
    switch (*choice) {
        case Look::HIGH_CONTRAST:
            return msg::LOOK_HIGH_CONTRAST;
        case Look::DARK:
            return msg::LOOK_DARK;
        case Look::CLASSIC:
            break;
    }
    return msg::LOOK_CLASSIC;
}

const Message& SaidLook(Look look) {
    switch (look) {
        case Look::HIGH_CONTRAST:
            return msg::SAID_LOOK_HIGH_CONTRAST;
        case Look::DARK:
            return msg::SAID_LOOK_DARK;
        case Look::CLASSIC:
            break;
    }
    return msg::SAID_LOOK_CLASSIC;
}

}  // namespace tessel
