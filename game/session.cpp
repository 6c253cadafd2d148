#include "game/session.h"

#include "core/platform.h"
#include "game/tap_cycle.h"
#include "puzzles/puzzle_table.h"

namespace tessel {

namespace {

void RunTap(Game& game, TapPoint tap) {
    game.tapX = tap.x;
    game.tapY = tap.y;
    HandleTap(game, tap.x, tap.y);
}

}  // namespace

void Tap(Session& session, int32_t x, int32_t y) {
    Game& game = session.game;
    const Board before = TakeBoard(game);
    const int32_t screenBefore = game.screen;
    const TapPoint tap{static_cast<uint16_t>(x), static_cast<uint16_t>(y)};
    RunTap(game, tap);
    if (game.screen != screenBefore || FindPuzzle(game.screen) == nullptr) {
        session.history = {};
    } else if (game.tapActed != 0) {
        RecordMove(session.history, before, tap);
    }
}

bool Undo(Session& session) {
    Game& game = session.game;
    History& history = session.history;
    const Puzzle* puzzle = FindPuzzle(game.screen);
    if (game.splashPending != 0 || puzzle == nullptr || UndoCount(history) == 0) return false;
    --history.done;
    PutBoard(game, history.before[history.done]);
    game.screenAtTap = game.screen;
    game.tapActed = 0;
    game.solved = puzzle->isSolved(game) ? 1 : 0;
    DrawScreen(game);
    PresentNow(game);
    return true;
}

bool Redo(Session& session) {
    Game& game = session.game;
    History& history = session.history;
    if (game.splashPending != 0 || FindPuzzle(game.screen) == nullptr || RedoCount(history) == 0)
        return false;
    RunTap(game, history.taps[history.done]);
    ++history.done;
    return true;
}

}  // namespace tessel
