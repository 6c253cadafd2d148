// A solve's link: the board's game ID and every move with its time, in a short text that is safe in a
// web address, so that anyone can watch the solve at its own pace on any front end:
//
//     normal-4297.1.KxAAtQEqx...      (GAME-ID "." FORM "." MOVES)
//
// FORM is the form's number, 1 here; a later form gets another and this one stays readable. MOVES holds,
// for each move in order, its tap and then its time, in the 64 characters A-Z, a-z, 0-9, "-" and "_"
// (0 to 63 in that order): the tap as three characters, most significant first, of y * 239 + x in pixels
// of the 239 x 267 picture; the time in milliseconds since the move before (since the clock started, for
// the first) as five bits a character, most significant first, 32 added to each character but the last.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "game/logged_solve.h"

namespace tessel {

inline constexpr int SOLVE_LINK_FORM = 1;

// The link of a logged solve; empty for a solve that cannot be played again from its deal: one with no ID
// (kept before there were IDs) or whose oldest moves went beyond the history's limit.
std::string WriteSolveLink(const LoggedSolve& solve);

// Reads a link, or the part of a web address after its "#"; the blanks around it and the ID's case do not
// matter. The solve read has its puzzle, ID, moves and time, and no date or hints. A text that is no link
// of a form this version reads gets one line saying what is wrong, and no solve. Whether its moves solve
// its board is for the watching to find (game/watch.h).
struct ReadSolveLink {
    std::optional<LoggedSolve> solve;
    std::string error;
};
ReadSolveLink ParseSolveLink(std::string_view text);

// Whether a text given as a link (after a web address's "#") is meant as a solve's link rather than a game
// ID: a game ID never holds a ".".
bool LooksLikeSolveLink(std::string_view text);

// The one line "Share result" gives for a solve of the day's board: "Tessel Normal 2026-12-09: 23 moves,
// 1:12 " and the solve's link, written after `linkStart` (the web version's address and "#", or nothing).
// Empty for a solve of any other board, or one with no link.
std::string DayResultLine(const LoggedSolve& solve, std::string_view linkStart);

}  // namespace tessel
