// The tap cycle: every stylus tap is interpreted by the current screen, the picture is redrawn when the
// screen changed or the tap acted, the "CLEARED!!" banner is laid over a solved board, and the back buffer
// is presented.
#pragma once

#include <cstdint>

#include "core/game.h"

namespace tessel {

// Runs one tap at (x, y). The front end has already stored the same point in tapX and tapY.
void HandleTap(Game& game, int32_t x, int32_t y);

// HandleTap without its last present: the tap's intermediate frames are shown, the final picture is left
// in the back buffer for the caller to present (after setting the outlines shown over it).
void RunTapCycle(Game& game, int32_t x, int32_t y);

// Draws the current screen anew into the back buffer, under the banner when the board is solved, and
// shows nothing: the picture of a game read back from its kept form.
void DrawScreen(Game& game);

// Draws the title and the six puzzle labels into the back buffer.
void DrawMenu(Game& game);

// Creates what a window's creation prepares: the images of the record's look decoded, the back buffer
// cleared to its ground, the menu drawn.
void PrepareSurfaces(Game& game);

// Draws the game in another look from now on: its images decoded and the screen drawn anew (the banner
// too on a solved board), with nothing shown; the front end presents it. The board and everything else of
// the game stay as they are. Nothing happens when the look is the one drawn already.
void ChangeLook(Game& game, Look look);

}  // namespace tessel
