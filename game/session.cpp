#include "game/session.h"

#include "game/keys.h"
#include "game/tap_cycle.h"
#include "puzzles/puzzle_table.h"

namespace tessel {

namespace {

// Shows the picture with the cursor's outline where the cursor now stands.
void PresentWithCursor(Session& session) {
    session.game.outlines[0] = CursorOutline(session.game, session.cursor);
    PresentNow(session.game);
}

// The tap cycle with the cursor's outline taken away for the tap's own frames; the caller presents its last
// picture. So a tap shows the same frames whether a pointer or a key made it, the last one differing only
// by the outline.
void RunTap(Game& game, TapPoint tap) {
    game.tapX = tap.x;
    game.tapY = tap.y;
    game.outlines[0] = {};
    RunTapCycle(game, tap.x, tap.y);
}

// Takes the hint's outline away, without showing anything yet; whether there was one.
bool DropHint(Session& session) {
    const bool shown = session.hint.has_value();
    session.hint.reset();
    session.game.outlines[1] = {};
    return shown;
}

// A tap made by a pointer or a key, with the cursor as it stood before it. When it acts on the board and
// the screen stays, the cursor becomes `ifActed`; on a new screen it stands on that screen's first target.
void PlayTap(Session& session, TapPoint tap, Cursor cursorBefore, Cursor ifActed) {
    Game& game = session.game;
    const Board before = TakeBoard(game);
    const int32_t screenBefore = game.screen;
    DropHint(session);
    RunTap(game, tap);
    if (game.screen != screenBefore) {
        session.cursor = CursorOnArrival(game, screenBefore, session.cursor.shown);
        session.history = {};
    } else if (FindPuzzle(game.screen) == nullptr) {
        session.history = {};
    } else if (game.tapActed != 0) {
        session.cursor = ifActed;
        // A tap can act and move nothing (the 15 Puzzle's arrow with no tile behind it): not a move.
        if (TakeBoard(game) != before) RecordMove(session.history, before, tap, {cursorBefore, ifActed});
    }
    PresentWithCursor(session);
}

// The cursor where Undo or Redo puts it: where it stood at that point of the game, shown or hidden as then,
// but holding its line only if the player holds it now, since a grab is the player's mode, not a place.
Cursor CursorBack(Cursor then, const Cursor& now) {
    then.grabbed = then.shown && now.grabbed;
    return then;
}

}  // namespace

void Tap(Session& session, int32_t x, int32_t y) {
    const Cursor before = session.cursor;
    session.cursor.shown = false;
    session.cursor.grabbed = false;
    PlayTap(session, {static_cast<uint16_t>(x), static_cast<uint16_t>(y)}, before, session.cursor);
}

void PressKey(Session& session, Key key) {
    const KeyAction action = InterpretKey(session.game, session.cursor, key);
    const bool hinted = action.kind != KeyAction::Kind::Tap && DropHint(session);
    switch (action.kind) {
        case KeyAction::Kind::Nothing:
            if (hinted) PresentNow(session.game);
            return;
        case KeyAction::Kind::MoveCursor:
            session.cursor = action.cursor;
            PresentWithCursor(session);
            return;
        case KeyAction::Kind::Tap:
            PlayTap(session, action.tap, session.cursor, action.cursor);
            return;
    }
}

bool Undo(Session& session) {
    Game& game = session.game;
    History& history = session.history;
    const Puzzle* puzzle = FindPuzzle(game.screen);
    if (game.splashPending != 0 || puzzle == nullptr || UndoCount(history) == 0) return false;
    DropHint(session);
    --history.done;
    PutBoard(game, history.before[history.done]);
    session.cursor = CursorBack(history.cursors[history.done].before, session.cursor);
    game.screenAtTap = game.screen;
    game.tapActed = 0;
    DrawScreen(game);
    PresentWithCursor(session);
    return true;
}

bool Redo(Session& session) {
    Game& game = session.game;
    History& history = session.history;
    if (game.splashPending != 0 || FindPuzzle(game.screen) == nullptr || RedoCount(history) == 0)
        return false;
    DropHint(session);
    RunTap(game, history.taps[history.done]);
    session.cursor = CursorBack(history.cursors[history.done].after, session.cursor);
    ++history.done;
    PresentWithCursor(session);
    return true;
}

}  // namespace tessel
