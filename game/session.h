// A game in play as a front end holds it: the record and the history of its moves. Every front end plays
// taps, keys, Undo and Redo through these functions, so that the moves are recorded in one place, and each
// says what it played, in the words a screen reader gives.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/game.h"
#include "game/cursor.h"
#include "game/game_id.h"
#include "game/history.h"
#include "game/logged_solve.h"
#include "game/records.h"
#include "game/solve_log.h"

namespace tessel {

enum class Key : uint8_t;  // game/keys.h
struct ShownState;         // game/screen_text.h

// The hint shown, until the next tap, key, Undo or Redo: where a tap plays it and what it does, in words.
// Its outline is the record's second.
struct HintShown {
    int32_t x = 0;
    int32_t y = 0;
    std::string move;
};

// The time of the game in play, in milliseconds of the front end's tick count (the record's `now`). It runs
// from the game's first move until its board is solved, and stands while the splash is still to come or the
// front end holds it: while the game cannot be played (the page hidden, the window minimised, the screen
// sideways).
struct GameClock {
    uint32_t counted = 0;  // the time up to `since`, or all of it while the clock stands
    uint32_t since = 0;    // the tick count when it last started to run
    bool running = false;
    bool started = false;  // the game has had its first move
    bool held = false;
};

// The end of a game, when its board was solved: what the words at the end tell.
struct Finish {
    uint32_t moves = 0;
    uint32_t ms = 0;
    uint32_t hints = 0;
    Beaten beaten;  // the records this game beat: only its first solve counts, and only without hints
    std::size_t bestAverage = 0;  // the longest average of time it made the best yet (game/solve_stats.h)
};

// A pointer held down (game/drag.h): where it was pressed and, once it has taken a line, the line and how
// far it has moved.
struct Drag {
    int32_t pressX = 0;
    int32_t pressY = 0;
    int32_t col = 0;  // the tile's cell under the press; 0 when the press was on no tile of a line board
    int32_t row = 0;
    enum class Axis : uint8_t { Undecided, Column, Row } axis = Axis::Undecided;
    int32_t cells = 0;   // moves made, positive down or to the right
    int32_t offset = 0;  // pixels the line stands from the cell it has reached, as last drawn
};

// What the player did last: a tap (a drag's moves are taps too), a key, an Undo, a Redo or a hint, and what
// it did in a few words (DescribeAction in game/screen_text.h): "column 2 up", "undo column 2 up", "hint:
// row 3 left". The words are empty when nothing a player can hear about changed, and once taken.
struct Played {
    enum Kind : uint8_t { NOTHING, TAP, KEY, UNDO, REDO, HINT, INFO } kind = NOTHING;  // INFO: moves and time
    Key key{};  // the key pressed, for KEY
    std::string words;
};

struct Session {
    Game game;
    History history;
    Cursor cursor;
    std::optional<HintShown> hint;
    uint32_t hints = 0;  // hints shown in this game
    GameClock clock;
    bool solveCounted = false;     // this game's solve is in the records
    std::optional<Finish> finish;  // set when the board was last solved
    // The records as the front end last read them, with this copy's games since, which it is still to
    // keep (game/records.h).
    Records records;
    std::vector<Solve> solvesToKeep;
    // The log of solves (game/solve_log.h) likewise: the games solved here, each with its moves, still to
    // be kept.
    std::vector<LoggedSolve> solvesToLog;
    SolveLog solveLog;  // as last read, with this copy's solves since
    // The log's text as this copy last read or wrote it, without the solves still to keep: while what is
    // stored is still this text, a write puts the new solves' lines into it rather than reading it all.
    std::string solveLogText;
    // The wall clock, in milliseconds since 1970-01-01 00:00 UTC, stored by the front end with the record's
    // `now`: it dates the solves logged.
    int64_t utcNow = 0;
    std::optional<Drag> drag;  // while a pointer is held down
    Played played;
    int32_t drainedTaps =
        0;  // taps delivered since the splash ended, while they are drained (game/splash_end.h)
};

// The moves on the board: those played and not taken back, the oldest ones beyond the history's limit
// included.
uint32_t MoveCount(const Session& session);

// The game's time up to the record's `now`; it stands still once the board is solved.
uint32_t ElapsedMs(const Session& session);

// The front end can no longer show the game (`held`), or can again: the clock stands meanwhile.
void HoldClock(Session& session, bool held);

// Starts the board a game ID names, as a tap on its menu label would start a scramble: the game in play,
// with its moves, is replaced, whatever the screen. Drawn and shown.
void PlayGameId(Session& session, const GameId& id);

// The moves and time in words: "23 moves, 1 minute 12 seconds"; "no game" on the menu.
std::string MovesAndTime(const Session& session);

// The player asked for the moves and time (the I key): they are what was played last, in words.
void SayMovesAndTime(Session& session);

// A time as a clock shows it: "0:07", "1:12", "1:02:03".
std::string ClockText(uint32_t ms);

// The moves and time as shown beside the picture: "23 moves, 1:12"; empty on the menu.
std::string CountsText(const Session& session);

// The words at the end of a game: "cleared in 23 moves, 1 minute 12 seconds", then ", best yet" (or
// ", fewest moves yet", ", best time yet") or ", with 3 hints"; then "; best average of 12 yet" when it
// made an average of time the best yet.
std::string FinishWords(const Finish& finish);

// One stylus tap at (x, y): stored in tapX and tapY and run through the tap cycle. A tap that changes the
// board (or its banner) is recorded as a move, whatever tapActed says; one that leaves the board (a new
// puzzle, Quit, the tap after "CLEARED!!") ends the game's history. It hides the cursor.
void Tap(Session& session, int32_t x, int32_t y);

// One key (game/keys.h): the cursor moved and shown, or the very tap a pointer would make there, played as
// Tap plays it but with the cursor left shown. The tap's intermediate frames show no outline; its last
// picture shows the cursor where it ends.
void PressKey(Session& session, Key key);

// Takes back the last move: the board as it was before it, with its banner flag and the cursor, drawn and
// shown. Nothing happens, and false is
// returned, when there is nothing to take back or the splash is still to come.
bool Undo(Session& session);

// Plays the last move taken back again, as its tap did, the cursor ending where the move left it. False, with
// nothing done, when there is none or the splash is still to come.
bool Redo(Session& session);

// Records what the player did last (a key with the key pressed), told from `before`, the screen as it stood
// ahead of it. The functions here record what they play; ShowHint (hints/shown_hint.h) records a hint so.
void RecordPlayed(Session& session, const ShownState& before, Played::Kind kind, Key key = {});

// The words of what was played last, handed over once: empty when they have been taken already, so that a
// front end that tells after every action (a drag let go where it stands, say) never repeats them.
std::string TakePlayedWords(Session& session);

// The game in play's solve, as the log keeps it (undated), while its solved board is shown; none otherwise.
std::optional<LoggedSolve> SolveOnBoard(const Session& session);

}  // namespace tessel
