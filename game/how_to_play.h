// "How to play": the rules of the puzzle shown, or on the menu each puzzle in a line and how to start, in
// the language in use. The desktop's dialog and the page's both show it.
#pragma once

#include <string>
#include <vector>

namespace tessel {

struct Game;

struct HowToPlayText {
    std::string title;                    // "How to play"
    std::string heading;                  // the puzzle's name; empty on the menu
    std::vector<std::string> paragraphs;  // in order
};

HowToPlayText HowToPlay(const Game& game);

}  // namespace tessel
