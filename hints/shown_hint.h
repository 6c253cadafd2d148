// The hint as a player asks for it: found for the board in play and shown over its picture until the next
// tap, key, Undo or Redo.
#pragma once

#include "game/session.h"

namespace tessel {

// Shows the next move: its outline over the picture (in the cursor's style), its tap point and words kept
// in the session, and the keyboard's cursor moved onto it where the cursor can stand there, so that Enter
// plays it. Nothing happens on the menu, on a solved board or during the splash; the record is never
// touched. Returns whether a hint is shown. Either way it is what the player did last (Session::played).
bool ShowHint(Session& session);

}  // namespace tessel
