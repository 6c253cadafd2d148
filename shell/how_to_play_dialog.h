// "Tools" > "How to play" (F1): the rules of the puzzle shown, or on the menu each puzzle in a line, in a
// message box a screen reader reads whole.
#pragma once

namespace tessel {

class MainWindow;

// Adds the item, before About, and its key to `window`.
void AddHowToPlay(MainWindow& window);

}  // namespace tessel
