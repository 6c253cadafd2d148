#include "game/how_to_play.h"

#include "core/game.h"
#include "game/catalogue.h"
#include "puzzles/puzzle_table.h"

namespace tessel {

HowToPlayText HowToPlay(const Game& game) {
    HowToPlayText text{Say(msg::HOW_TO_PLAY), {}, {}};
    if (const Puzzle* shown = FindPuzzle(game.screen)) {
        text.heading = PuzzleName(*shown);
        text.paragraphs = {Say(Text(shown->rules)), Say(msg::HELP_KEYS)};
        return text;
    }
    text.paragraphs.push_back(Say(msg::HELP_ON_MENU));
    for (const Puzzle* puzzle : Puzzles())
        text.paragraphs.push_back(
            Say(msg::HELP_PUZZLE_LINE, PuzzleName(*puzzle), Say(Text(puzzle->summary))));
    return text;
}

}  // namespace tessel
