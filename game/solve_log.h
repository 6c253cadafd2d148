// The log of solves: per puzzle, every game solved (game/logged_solve.h), the newest first, at most
// SOLVE_LOG_LIMIT. Kept by the front ends as text beside the records, and written as the records are: by
// reading what is stored, adding the games solved here since and storing the result, so that two copies
// (two tabs of one browser) add up rather than overwrite.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "game/logged_solve.h"
#include "game/records_store.h"

namespace tessel {

struct Session;

// Solves kept a puzzle; a new one past it drops the oldest.
inline constexpr std::size_t SOLVE_LOG_LIMIT = 1000;
// A stored log longer than this is none the game wrote.
inline constexpr std::size_t SOLVE_LOG_MAX_SIZE = 64 * 1024 * 1024;

// By the puzzle's name in game IDs, the newest solve first; a puzzle never solved has no entry.
using SolveLog = std::map<std::string, std::vector<LoggedSolve>>;

// Adds a solve in its place by date (before those of the same moment already there) and drops the
// puzzle's oldest past the limit.
void AddToLog(SolveLog& log, LoggedSolve solve);

// The kept form: "tessel solves 1", then a line a solve, each puzzle's newest first: the puzzle, the
// milliseconds since 1970 UTC, the game ID ("-" for none), moves, milliseconds, hints, then each move as
// x,y,d with d the milliseconds since the move before it (the first: since the clock started).
std::string WriteSolveLog(const SolveLog& log);

// Reads the kept form; nothing when the text is not exactly what WriteSolveLog writes for a sound log: a
// damaged line, another version, a solve of no moves, moves whose times do not add up to their solve's, more
// than SOLVE_LOG_LIMIT solves of a puzzle, a text over SOLVE_LOG_MAX_SIZE. An empty text is an empty log.
std::optional<SolveLog> ReadSolveLog(std::string_view text);

// Whether a Write step has anything to write: only then need the front end read what it stores.
bool SolvesWaiting(const Session& session);

// One step of the log's keeping, as the records' (game/records_store.h): Read at the start or when another
// copy wrote (the session's log becomes the stored one, with this copy's solves still to keep), Write after
// a solve (the stored log, read again just now, with this copy's solves since), Clear on request. `stored`
// is the text stored now ("" when nothing is), or none when there is no storage or it could not be read. A
// stored log that cannot be read is set aside: a Read starts from none, a Write from the session's own.
RecordsToStore KeepSolveLog(Session& session, RecordsStep step, std::optional<std::string_view> stored);

}  // namespace tessel
