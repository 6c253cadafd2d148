// Watching a solve again: its moves played on a game of their own, on the game's own picture, at the
// solve's own pace or twice or four times as fast, paused and stepped, the moves and the time counting as
// they did. The game in play is never touched: the watched one has its own record, history and clock,
// records nothing the front end keeps and takes no taps. The front end lends a timer (AdvanceWatch), shows
// the watched game's pictures while watching and the game in play's again when it ends.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "game/logged_solve.h"
#include "game/session.h"

namespace tessel {

// The board shown alone this long before the first move, at the solve's own pace.
inline constexpr uint32_t WATCH_LEAD_MS = 1000;

struct Watch {
    Session session;  // the solve's game, its clock held: it reads the solve's times, never the ticks
    LoggedSolve solve;
    std::size_t played = 0;  // moves played so far
    uint32_t at = 0;         // where the watching stands on the solve's clock, the lead-in first
    int32_t speed = 1;       // 1, 2 or 4 times the solve's pace
    bool paused = false;
};

// What is wrong with a solve, in one line, or nothing when it can be watched: its ID names a board, every
// move changes that board and the last one, only, solves it. Played on a record no one sees.
std::string CheckSolve(const LoggedSolve& solve);

// Starts watching a solve that CheckSolve passed: its board dealt and shown as the game `shownLike` is shown
// (its look and its front end's presenter), at its own pace, before the first move.
std::unique_ptr<Watch> StartWatch(const LoggedSolve& solve, const Game& shownLike);

// `ms` of real time have passed: unless paused, the watching moves on at its speed and plays every move
// then due, each with its pictures and its words (TakePlayedWords on the watched session).
void AdvanceWatch(Watch& watch, uint32_t ms);

// Plays the next move at once and pauses there; false when there is none left.
bool StepWatch(Watch& watch);

// Plays what is left at once: the pictures of every move, with no waiting.
void FinishWatch(Watch& watch);

void PauseWatch(Watch& watch, bool paused);
void SetWatchSpeed(Watch& watch, int32_t speed);  // 1, 2 or 4; anything else is left as it was

// Whether every move has been played: the board is solved, under its banner.
bool WatchEnded(const Watch& watch);

// Real milliseconds until the next move is due at the watch's speed, for a front end's timer; none while
// paused or at the end.
std::optional<uint32_t> MsToNextMove(const Watch& watch);

// What the watching shows beside the picture and says: "watching 12 of 40 moves, 0:07, at twice the pace,
// paused".
std::string WatchText(const Watch& watch);

}  // namespace tessel
