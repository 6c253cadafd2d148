#include "game/catalogue.h"

#include <array>
#include <utility>

#include "puzzles/puzzle_table.h"

namespace tessel {

// The names are marked for the template where the puzzles' table lists them (MarkedName).
std::string PuzzleName(const Puzzle& puzzle) {
    return Say(Text(puzzle.name));
}

namespace {

// Each board word's message, in the order of BoardWords::Kind.
constexpr std::array<std::pair<BoardWords::Kind, const Message*>, BoardWords::LIGHTS_ON> BOARD_MESSAGES{{
    {BoardWords::TILE, &msg::CELL_TILE},
    {BoardWords::LOCKED_TILE, &msg::CELL_LOCKED_TILE},
    {BoardWords::EMPTY, &msg::CELL_EMPTY},
    {BoardWords::GAP, &msg::CELL_GAP},
    {BoardWords::BLANK, &msg::CELL_BLANK},
    {BoardWords::UP_ARROW, &msg::CELL_UP_ARROW},
    {BoardWords::DOWN_ARROW, &msg::CELL_DOWN_ARROW},
    {BoardWords::LEFT_ARROW, &msg::CELL_LEFT_ARROW},
    {BoardWords::RIGHT_ARROW, &msg::CELL_RIGHT_ARROW},
    {BoardWords::LIGHT_ON, &msg::CELL_LIGHT_ON},
    {BoardWords::LIGHT_OFF, &msg::CELL_LIGHT_OFF},
    {BoardWords::CELL_PLACE, &msg::CELL_PLACE},
    {BoardWords::COLUMN, &msg::PLACE_COLUMN},
    {BoardWords::ROW, &msg::PLACE_ROW},
    {BoardWords::COLUMN_UP, &msg::COLUMN_UP},
    {BoardWords::COLUMN_DOWN, &msg::COLUMN_DOWN},
    {BoardWords::ROW_LEFT, &msg::ROW_LEFT},
    {BoardWords::ROW_RIGHT, &msg::ROW_RIGHT},
    {BoardWords::TILE_UP, &msg::TILE_UP},
    {BoardWords::TILE_DOWN, &msg::TILE_DOWN},
    {BoardWords::TILE_LEFT, &msg::TILE_LEFT},
    {BoardWords::TILE_RIGHT, &msg::TILE_RIGHT},
    {BoardWords::BLOCK_TURNED, &msg::BLOCK_TURNED},
    {BoardWords::PRESSED_ON, &msg::PRESSED_ON},
    {BoardWords::PRESSED_OFF, &msg::PRESSED_OFF},
    {BoardWords::LIGHTS_PRESSED, &msg::LIGHTS_PRESSED},
    {BoardWords::LIGHTS_ON, &msg::LIGHTS_ON},
}};
static_assert(
    [] {
        for (std::size_t i = 0; i < BOARD_MESSAGES.size(); ++i) {
            if (BOARD_MESSAGES[i].first != static_cast<BoardWords::Kind>(i + 1)) return false;
        }
        return true;
    }(),
    "every board word has its message, in order");

}  // namespace

std::string SayBoardWords(const BoardWords& words) {
    if (words.kind == BoardWords::NONE || words.kind > BOARD_MESSAGES.size()) return {};
    return Say(*BOARD_MESSAGES[words.kind - 1].second, words.first, words.second);
}

std::string SayMoveWords(const MoveWords& words) {
    std::string said;
    for (const BoardWords& part : words)
        said = said.empty() ? SayBoardWords(part) : Say(msg::MOVE_PARTS, said, SayBoardWords(part));
    return said;
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
