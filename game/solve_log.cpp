#include "game/solve_log.h"

#include <algorithm>

#include "core/drawing.h"
#include "game/game_id.h"
#include "game/history.h"
#include "game/session.h"
#include "puzzles/puzzle_table.h"

namespace tessel {

namespace {

constexpr std::string_view HEADER = "tessel solves 1";
// The first moment of the year 10000: no later date is one the game wrote.
constexpr uint64_t LAST_DATE = 253402300800000;

// Digits only, no leading zero, at most `max`.
std::optional<uint64_t> ReadNumber(std::string_view word, uint64_t max) {
    if (word.empty() || word.size() > 15 || (word.size() > 1 && word[0] == '0')) return std::nullopt;
    uint64_t value = 0;
    for (const char c : word) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value > max) return std::nullopt;
    return value;
}

// The parts of `text` between `separator`s.
std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

const Puzzle* PuzzleNamed(std::string_view name) {
    for (const Puzzle* puzzle : Puzzles()) {
        if (GameIdName(*puzzle) == name) return puzzle;
    }
    return nullptr;
}

std::string SolveLine(const LoggedSolve& solve) {
    std::string line = solve.puzzle + " " + std::to_string(solve.utcMs) + " " +
                       (solve.gameId.empty() ? "-" : solve.gameId) + " " + std::to_string(solve.moves) + " " +
                       std::to_string(solve.ms) + " " + std::to_string(solve.hints);
    uint32_t before = 0;
    for (const TimedTap& tap : solve.taps) {
        line +=
            " " + std::to_string(tap.x) + "," + std::to_string(tap.y) + "," + std::to_string(tap.ms - before);
        before = tap.ms;
    }
    return line;
}

// The moves of a solve as x,y,d words: each on the picture, their times adding up to the solve's exactly
// (its solving move stopped the clock).
bool ReadTaps(std::span<const std::string_view> words, LoggedSolve& solve) {
    if (words.empty() || words.size() > solve.moves || words.size() > HISTORY_LIMIT) return false;
    uint64_t time = 0;
    for (const std::string_view word : words) {
        const std::vector<std::string_view> parts = Split(word, ',');
        if (parts.size() != 3) return false;
        const auto x = ReadNumber(parts[0], SURFACE_WIDTH - 1);
        const auto y = ReadNumber(parts[1], SURFACE_HEIGHT - 1);
        const auto delay = ReadNumber(parts[2], UINT32_MAX);
        if (!x || !y || !delay) return false;
        time += *delay;
        if (time > solve.ms) return false;
        solve.taps.push_back(
            {static_cast<uint16_t>(*x), static_cast<uint16_t>(*y), static_cast<uint32_t>(time)});
    }
    return time == solve.ms;
}

std::optional<LoggedSolve> ReadSolve(std::string_view line) {
    const std::vector<std::string_view> words = Split(line, ' ');
    if (words.size() < 7) return std::nullopt;
    const Puzzle* puzzle = PuzzleNamed(words[0]);
    const auto date = ReadNumber(words[1], LAST_DATE);
    const auto moves = ReadNumber(words[3], UINT32_MAX);
    const auto ms = ReadNumber(words[4], UINT32_MAX);
    const auto hints = ReadNumber(words[5], UINT32_MAX);
    // A solve ends at its date, so it cannot have taken longer than the time since 1970.
    if (puzzle == nullptr || !date || !moves || *moves == 0 || !ms || *ms > *date || !hints)
        return std::nullopt;
    LoggedSolve solve;
    solve.puzzle = std::string(words[0]);
    solve.utcMs = static_cast<int64_t>(*date);
    if (words[2] != "-") {
        const ReadGameId id = ParseGameId(words[2]);
        if (!id.id || id.id->puzzle != puzzle || FormatGameId(*id.id) != words[2]) return std::nullopt;
        solve.gameId = std::string(words[2]);
    }
    solve.moves = static_cast<uint32_t>(*moves);
    solve.ms = static_cast<uint32_t>(*ms);
    solve.hints = static_cast<uint32_t>(*hints);
    if (!ReadTaps(std::span(words).subspan(6), solve)) return std::nullopt;
    return solve;
}

// The solve's line put into a log's text where AddToLog puts the solve in the log: before its puzzle's
// first line no newer than it (the puzzles in the log's order), the puzzle's oldest line dropped past the
// limit. Only the lines' first two words are looked at.
void AddToText(std::string& text, const LoggedSolve& solve) {
    if (text.empty()) text = std::string(HEADER) + "\n";
    const std::string_view name = solve.puzzle;
    std::size_t at = std::string::npos, blockEnd = text.size(), lastStart = 0, count = 0;
    for (std::size_t start = HEADER.size() + 1; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        const std::string_view line(text.data() + start, end - start);
        const std::string_view lineName = line.substr(0, line.find(' '));
        if (lineName > name) {
            blockEnd = start;
            break;
        }
        if (lineName == name) {
            ++count;
            lastStart = start;
            if (at == std::string::npos) {
                const std::string_view date = line.substr(lineName.size() + 1);
                const std::optional<uint64_t> utcMs = ReadNumber(date.substr(0, date.find(' ')), LAST_DATE);
                if (utcMs && static_cast<int64_t>(*utcMs) <= solve.utcMs) at = start;
            }
        }
        start = end + 1;
    }
    if (at == std::string::npos) at = blockEnd;
    const std::string line = SolveLine(solve) + "\n";
    text.insert(at, line);
    if (count + 1 <= SOLVE_LOG_LIMIT) return;
    // The block's last line, the oldest, goes: the new one itself when it is older than all.
    const std::size_t last = at > lastStart ? at : lastStart + line.size();
    text.erase(last, text.find('\n', last) + 1 - last);
}

}  // namespace

void AddToLog(SolveLog& log, LoggedSolve solve) {
    std::vector<LoggedSolve>& solves = log[solve.puzzle];
    // Newest first: the new solve goes before the first one no newer than it.
    const auto at = std::find_if(solves.begin(), solves.end(),
                                 [&](const LoggedSolve& logged) { return logged.utcMs <= solve.utcMs; });
    solves.insert(at, std::move(solve));
    if (solves.size() > SOLVE_LOG_LIMIT) solves.resize(SOLVE_LOG_LIMIT);
}

std::string WriteSolveLog(const SolveLog& log) {
    std::string text = std::string(HEADER) + "\n";
    for (const auto& [name, solves] : log) {
        for (const LoggedSolve& solve : solves) text += SolveLine(solve) + "\n";
    }
    return text;
}

std::optional<SolveLog> ReadSolveLog(std::string_view text) {
    if (text.empty()) return SolveLog{};
    if (text.size() > SOLVE_LOG_MAX_SIZE || !text.ends_with('\n') || !text.starts_with(HEADER) ||
        text.substr(HEADER.size(), 1) != "\n")
        return std::nullopt;
    SolveLog log;
    for (std::size_t start = HEADER.size() + 1; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        std::optional<LoggedSolve> solve = ReadSolve(text.substr(start, end - start));
        start = end + 1;
        if (!solve) return std::nullopt;
        std::vector<LoggedSolve>& solves = log[solve->puzzle];
        if (solves.size() == SOLVE_LOG_LIMIT || (!solves.empty() && solves.back().utcMs < solve->utcMs))
            return std::nullopt;
        solves.push_back(std::move(*solve));
    }
    // Written in one order only: anything else was not written by the game.
    if (WriteSolveLog(log) != text) return std::nullopt;
    return log;
}

bool SolvesWaiting(const Session& session) {
    return !session.solvesToLog.empty();
}

RecordsToStore KeepSolveLog(Session& session, RecordsStep step, std::optional<std::string_view> stored) {
    RecordsToStore store;
    if (step == RecordsStep::Clear) {
        session.solveLog.clear();
        session.solvesToLog.clear();
        session.solveLogText.clear();
        store.remove = true;
        return store;
    }
    if (step == RecordsStep::Write && !SolvesWaiting(session)) return store;
    // What is stored is what this copy last read or wrote: its log is that with the solves since already.
    if (step == RecordsStep::Write && stored && *stored == session.solveLogText) {
        for (const LoggedSolve& solve : session.solvesToLog) AddToText(session.solveLogText, solve);
        session.solvesToLog.clear();
        store.write = session.solveLogText;
        return store;
    }
    std::optional<SolveLog> read = stored ? ReadSolveLog(*stored) : std::nullopt;
    store.setAside = !read;
    // The session's own log holds its solves still to keep already: it stands in for a stored log that
    // cannot be read at a write, so that no solve is lost.
    if (read || step == RecordsStep::Read) {
        SolveLog log = read ? std::move(*read) : SolveLog{};
        for (const LoggedSolve& solve : session.solvesToLog) AddToLog(log, solve);
        session.solveLog = std::move(log);
    }
    if (step == RecordsStep::Read) {
        session.solveLogText = read ? std::string(*stored) : std::string();
        return store;
    }
    session.solvesToLog.clear();
    store.write = WriteSolveLog(session.solveLog);
    session.solveLogText = *store.write;
    return store;
}

}  // namespace tessel
