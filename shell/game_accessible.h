// The game view as assistive technology sees it (AT-SPI on Linux, through Qt's accessibility): on the menu
// six buttons named after the puzzles; on a board a table of cells named by what they hold, then the Quit
// button. Each item lies over what it names on the screen and its press action plays a tap there. After
// every tap, Undo or Redo the names that changed are announced as changed, the view's description tells
// what the action did ("column 2 up"), and focus goes to the keyboard cursor's item.
#pragma once

namespace tessel {

// Lets Qt build the view's accessible interface whenever assistive technology asks for it. Once is
// enough; later calls do nothing.
void InstallGameAccessibility();

}  // namespace tessel
