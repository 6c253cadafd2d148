// The game view as assistive technology sees it (AT-SPI on Linux, through Qt's accessibility): on the menu
// six buttons named after the puzzles; on a board its cells, row by row, named by what they hold and where
// ("7, row 2 column 3"), then the Quit button; last a status bar. Each item lies over what it names on the
// screen and its press action plays a tap there. Focus follows the keyboard cursor's item, and after every
// action a notification in the status bar shows with a few words for what it did ("column 2 up").
#pragma once

namespace tessel {

// Lets Qt build the view's accessible interface whenever assistive technology asks for it. Once is
// enough; later calls do nothing.
void InstallGameAccessibility();

}  // namespace tessel
