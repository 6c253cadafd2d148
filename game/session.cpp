#include "game/session.h"

#include <utility>
#include <vector>

#include "game/catalogue.h"
#include "game/decimal.h"
#include "game/keys.h"
#include "game/screen_text.h"
#include "game/solve_stats.h"
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

// Runs the clock while the game can be played and is not solved, from its first move on.
void SyncClock(Session& session) {
    const Game& game = session.game;
    GameClock& clock = session.clock;
    const bool run = clock.started && !clock.held && game.splashPending == 0 && game.solved == 0 &&
                     FindPuzzle(game.screen) != nullptr;
    if (run == clock.running) return;
    const uint32_t now = game.now;
    if (run) {
        clock.since = now;
    } else {
        clock.counted += now - clock.since;
    }
    clock.running = run;
}

// A new game, or none: no moves, no time, no hints, nothing solved.
void StartCounts(Session& session) {
    session.history = {};
    session.hints = 0;
    session.clock = {.held = session.clock.held};
    session.solveCounted = false;
    session.finish.reset();
}

// The solve as the log keeps it, undated: its board's ID and every move on the board with its time.
LoggedSolve LogSolve(const Session& session, const Finish& finish) {
    const Game& game = session.game;
    LoggedSolve solve;
    solve.utcMs = session.utcNow;
    solve.puzzle = GameIdName(*FindPuzzle(game.screen));
    solve.gameId = GameIdOf(game);
    solve.moves = finish.moves;
    solve.ms = finish.ms;
    solve.hints = finish.hints;
    solve.taps.reserve(session.history.done);
    for (std::size_t i = 0; i < session.history.done; ++i) {
        const Move& move = MoveAt(session.history, i);
        solve.taps.push_back({move.tap.x, move.tap.y, move.ms});
    }
    return solve;
}

// A move was made or played again: the clock starts with the first; when it solved the board, the game
// ends, its first solve counted in the records.
void CountMove(Session& session) {
    session.clock.started = true;
    SyncClock(session);
    MoveAt(session.history, session.history.done - 1).ms = ElapsedMs(session);
    if (session.game.solved == 0) return;
    Finish finish{MoveCount(session), ElapsedMs(session), session.hints, {}, 0};
    if (!session.solveCounted) {
        const Solve solve{GameIdName(*FindPuzzle(session.game.screen)), finish.moves, finish.ms,
                          finish.hints > 0};
        finish.beaten = AddSolve(session.records, solve);
        session.solvesToKeep.push_back(solve);
        const LoggedSolve logged = LogSolve(session, finish);
        AddToLog(session.solveLog, logged);
        finish.bestAverage = NewBestAverage(session.solveLog[logged.puzzle]);
        session.solvesToLog.push_back(logged);
        session.solveCounted = true;
    }
    session.finish = finish;
}

// A time said aloud: its hours, minutes and seconds, those that are 0 left out (but "0 seconds").
std::string Duration(uint32_t ms) {
    const uint32_t seconds = ms / 1000, hours = seconds / 3600, minutes = seconds / 60 % 60;
    std::vector<std::string> parts;
    if (hours > 0) parts.push_back(Say(msg::HOURS, hours));
    if (minutes > 0) parts.push_back(Say(msg::MINUTES, minutes));
    if (seconds % 60 > 0 || seconds < 60) parts.push_back(Say(msg::SECONDS, seconds % 60));
    if (parts.size() == 3) return Say(msg::TIME_OF_THREE, parts[0], parts[1], parts[2]);
    if (parts.size() == 2) return Say(msg::TIME_OF_TWO, parts[0], parts[1]);
    return parts.front();
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
        StartCounts(session);
    } else if (FindPuzzle(game.screen) == nullptr) {
        StartCounts(session);
    } else if (game.tapActed != 0) {
        session.cursor = ifActed;
        // A tap can act and move nothing (the 15 Puzzle's arrow with no tile behind it): not a move.
        if (TakeBoard(game) != before) {
            RecordMove(session.history, {before, tap, {cursorBefore, ifActed}});
            CountMove(session);
        }
    }
    SyncClock(session);
    PresentWithCursor(session);
}

// The cursor where Undo or Redo puts it: where it stood at that point of the game, shown or hidden as then,
// but holding its line only if the player holds it now, since a grab is the player's mode, not a place.
Cursor CursorBack(Cursor then, const Cursor& now) {
    then.grabbed = then.shown && now.grabbed;
    return then;
}

// The key's cursor move, or the very tap a pointer would make.
void PlayKey(Session& session, Key key) {
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

bool TakeBack(Session& session) {
    Game& game = session.game;
    History& history = session.history;
    const Puzzle* puzzle = FindPuzzle(game.screen);
    if (game.splashPending != 0 || puzzle == nullptr || UndoCount(history) == 0) return false;
    DropHint(session);
    const Move& move = MoveAt(history, --history.done);
    PutBoard(game, move.before);
    session.cursor = CursorBack(move.cursors.before, session.cursor);
    game.screenAtTap = game.screen;
    game.tapActed = 0;
    DrawScreen(game);
    SyncClock(session);
    PresentWithCursor(session);
    return true;
}

bool PlayAgain(Session& session) {
    Game& game = session.game;
    History& history = session.history;
    if (game.splashPending != 0 || FindPuzzle(game.screen) == nullptr || RedoCount(history) == 0)
        return false;
    DropHint(session);
    const Move& move = MoveAt(history, history.done);
    RunTap(game, move.tap);
    session.cursor = CursorBack(move.cursors.after, session.cursor);
    ++history.done;
    CountMove(session);
    PresentWithCursor(session);
    return true;
}

}  // namespace

void Tap(Session& session, int32_t x, int32_t y) {
    const ShownState before = TakeShownState(session);
    const Cursor cursorBefore = session.cursor;
    session.cursor.shown = false;
    session.cursor.grabbed = false;
    PlayTap(session, {static_cast<uint16_t>(x), static_cast<uint16_t>(y)}, cursorBefore, session.cursor);
    RecordPlayed(session, before, Played::TAP);
}

void PressKey(Session& session, Key key) {
    const ShownState before = TakeShownState(session);
    PlayKey(session, key);
    RecordPlayed(session, before, Played::KEY, key);
}

bool Undo(Session& session) {
    const ShownState before = TakeShownState(session);
    const bool undone = TakeBack(session);
    RecordPlayed(session, before, Played::UNDO);
    return undone;
}

bool Redo(Session& session) {
    const ShownState before = TakeShownState(session);
    const bool redone = PlayAgain(session);
    RecordPlayed(session, before, Played::REDO);
    return redone;
}

void RecordPlayed(Session& session, const ShownState& before, Played::Kind kind, Key key) {
    Played played{kind, key, {}};
    played.words = DescribeAction(before, session, played);
    session.played = std::move(played);
}

std::string TakePlayedWords(Session& session) {
    return std::exchange(session.played.words, {});
}

uint32_t MoveCount(const Session& session) {
    return static_cast<uint32_t>(session.history.done + session.history.dropped);
}

uint32_t ElapsedMs(const Session& session) {
    const GameClock& clock = session.clock;
    return clock.counted + (clock.running ? session.game.now - clock.since : 0);
}

void HoldClock(Session& session, bool held) {
    session.clock.held = held;
    SyncClock(session);
}

void PlayGameId(Session& session, const GameId& id) {
    Game& game = session.game;
    const int32_t screenBefore = game.screen;
    DropHint(session);
    session.drag.reset();  // a pointer held on the board left goes with it
    game.screenAtTap = screenBefore;
    game.tapActed = 0;
    StartPuzzle(game, *id.puzzle, id.deal);
    DrawScreen(game);
    session.cursor = CursorOnArrival(game, screenBefore, session.cursor.shown);
    StartCounts(session);
    PresentWithCursor(session);
    session.played = {Played::NOTHING, {}, Say(msg::PUZZLE_STARTED, PuzzleName(*id.puzzle))};
}

void SayMovesAndTime(Session& session) {
    session.played = {Played::INFO, {}, MovesAndTime(session)};
}

std::string MovesAndTime(const Session& session) {
    if (FindPuzzle(session.game.screen) == nullptr) return Say(msg::NO_GAME);
    return Say(msg::MOVES_AND_TIME, MoveCount(session), Duration(ElapsedMs(session)));
}

std::string ClockText(uint32_t ms) {
    const uint32_t seconds = ms / 1000, hours = seconds / 3600;
    if (hours > 0)
        return std::to_string(hours) + ":" + Padded(seconds / 60 % 60, 2) + ":" + Padded(seconds % 60, 2);
    return std::to_string(seconds / 60 % 60) + ":" + Padded(seconds % 60, 2);
}

std::string CountsText(const Session& session) {
    if (FindPuzzle(session.game.screen) == nullptr) return {};
    return Say(msg::COUNTS_LINE, MoveCount(session), ClockText(ElapsedMs(session)));
}

std::string FinishWords(const Finish& finish) {
    const std::string time = Duration(finish.ms);
    if (finish.hints > 0)
        return Say(msg::CLEARED_WITH_HINTS, finish.moves, time, Say(msg::HINTS_TAKEN, finish.hints));
    const Message& end = finish.beaten.moves && finish.beaten.time ? msg::CLEARED_BEST
                         : finish.beaten.moves                     ? msg::CLEARED_FEWEST_MOVES
                         : finish.beaten.time                      ? msg::CLEARED_BEST_TIME
                                                                   : msg::CLEARED_IN;
    const std::string words = Say(end, finish.moves, time);
    return finish.bestAverage > 0 ? Say(msg::WITH_BEST_AVERAGE, words, finish.bestAverage) : words;
}

std::optional<LoggedSolve> SolveOnBoard(const Session& session) {
    if (!session.finish || session.game.solved == 0) return std::nullopt;
    return LogSolve(session, *session.finish);
}

}  // namespace tessel
