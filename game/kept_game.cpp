#include "game/kept_game.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <type_traits>

#include "game/day_board.h"
#include "game/invariants.h"
#include "game/tap_cycle.h"
#include "puzzles/deal.h"
#include "puzzles/puzzle_table.h"

namespace tessel {

namespace {

// "TKG" and the version; every field after it unsigned, little-endian, in a fixed width.
constexpr std::array<uint8_t, 3> MAGIC{'T', 'K', 'G'};
constexpr std::size_t HEADER_SIZE = MAGIC.size() + 1;

// Every field kept, in order, with its width in bytes. Kept: the screen and everything its next tap reads
// (the boards with their rings, the cells' positions, the fixed and empty cells, the banner and its flag,
// the last tap and what it did), both grids whatever the screen, since the next puzzle set-up starts from
// what the last one left, and the generator's state, which the next "Unmovable" draws from before seeding.
// Not kept: splashPending and drainTaps, which belong to a start rather than to the game: every start
// shows the splash and drains the taps made during it, whatever game it then shows.
// Fields of one width, in order.
template <typename Visit, typename... Fields>
void VisitEach(Visit& visit, int width, Fields&... fields) {
    (visit(fields, width), ...);
}

template <typename Record, typename Visit>
void VisitKeptFields(Record& game, Visit&& visit) {
    VisitEach(visit, 1, game.screen, game.screenAtTap, game.solved, game.tapActed);
    VisitEach(visit, 2, game.tapX, game.tapY);
    for (auto& y : game.bannerY) visit(y, 2);
    for (auto& tile : game.tileGrid.tile) visit(tile, 1);
    for (auto& left : game.tileGrid.cellLeft) visit(left, 2);
    for (auto& top : game.tileGrid.cellTop) visit(top, 2);
    for (auto& lit : game.lightGrid.lit) visit(lit, 1);
    for (auto& left : game.lightGrid.cellLeft) visit(left, 2);
    for (auto& top : game.lightGrid.cellTop) visit(top, 2);
    VisitEach(visit, 1, game.fixedColumn, game.fixedRow, game.blankCol, game.blankRow);
    visit(game.random.state, 4);
}

// The game's counts, kept after the history: the seed that names the board, the moves gone beyond the
// history's limit, the hints taken, the time and whether the clock has started, and whether the game's
// solve is in the records already.
struct KeptCounts {
    uint32_t seed = 0;
    uint8_t seedKnown = 0;
    std::size_t dropped = 0;
    uint32_t hints = 0;
    uint32_t ms = 0;
    bool started = false;
    bool solveCounted = false;
};

template <typename Counts, typename Visit>
void VisitKeptCounts(Counts& counts, Visit&& visit) {
    visit(counts.seed, 4);
    visit(counts.seedKnown, 1);
    VisitEach(visit, 4, counts.dropped, counts.hints, counts.ms);
    VisitEach(visit, 1, counts.started, counts.solveCounted);
}

// The counts of a game in play, its time counted up to now when the clock runs.
KeptCounts CountsOf(const Session& session) {
    return {session.game.seed,  session.game.seedKnown, session.history.dropped, session.hints,
            ElapsedMs(session), session.clock.started,  session.solveCounted};
}

// Whether counts read make sense together: flags 0 or 1, a seed of the menu's range or a day's and none
// unless known, no time before the first move, moves dropped beyond the limit only with moves held (after
// them, Undo and a new move can leave any number held, down to one).
bool CountsAreSound(const KeptCounts& counts, const History& history) {
    if (counts.seedKnown > 1 || (counts.seed >= SEED_LIMIT && !DayOfSeed(counts.seed))) return false;
    if (counts.seedKnown == 0 && counts.seed != 0) return false;
    if (!counts.started && (counts.ms != 0 || counts.solveCounted || counts.dropped != 0)) return false;
    return counts.dropped == 0 || history.held != 0;
}

// Reads and writes unsigned little-endian numbers of a given width.
class Writer {
  public:
    explicit Writer(std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    void Put(uint64_t value, int width) {
        for (int i = 0; i < width; ++i) bytes_.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }

  private:
    std::vector<uint8_t>& bytes_;
};

class Reader {
  public:
    Reader(std::span<const uint8_t> bytes, std::size_t at) : bytes_(bytes), at_(at) {}
    uint64_t Get(int width) {
        uint64_t value = 0;
        for (int i = 0; i < width; ++i) value |= uint64_t{bytes_[at_++]} << (8 * i);
        return value;
    }

  private:
    std::span<const uint8_t> bytes_;
    std::size_t at_;
};

// A board in 45 bytes: the 36 tiles, the 49 lights' bits, the empty cell.
constexpr int LIT_BYTES = 7;
constexpr std::size_t BOARD_SIZE = TileGrid::SIZE * TileGrid::SIZE + LIT_BYTES + 2;
constexpr std::size_t HISTORY_HEADER_SIZE = 4;
constexpr std::size_t TAP_SIZE = 4;
constexpr std::size_t HISTORY_START = KEPT_RECORD_SIZE + HISTORY_HEADER_SIZE;  // a version 2 with no moves
static_assert(KEPT_GAME_MIN_SIZE == HISTORY_START + KEPT_COUNTS_SIZE);
static_assert(KEPT_GAME_MAX_SIZE == KEPT_GAME_MIN_SIZE + BOARD_SIZE + TAP_SIZE * HISTORY_LIMIT);

void PutBoardBytes(Writer& out, const Board& board) {
    for (uint8_t tile : board.tiles) out.Put(tile, 1);
    out.Put(board.lit, LIT_BYTES);
    out.Put(board.blankCol, 1);
    out.Put(board.blankRow, 1);
}

Board GetBoardBytes(Reader& in) {
    Board board;
    for (uint8_t& tile : board.tiles) tile = static_cast<uint8_t>(in.Get(1));
    board.lit = in.Get(LIT_BYTES);
    board.blankCol = static_cast<uint8_t>(in.Get(1));
    board.blankRow = static_cast<uint8_t>(in.Get(1));
    return board;
}

// Decodes the record's fields after the header. Every value fits its field; whether it makes sense is for
// the record's check to say.
void Decode(std::span<const uint8_t> bytes, Game& game) {
    Reader in(bytes, HEADER_SIZE);
    VisitKeptFields(game, [&](auto& field, int width) {
        field = static_cast<std::remove_reference_t<decltype(field)>>(in.Get(width));
    });
}

// The history kept after the record: how many moves and how many of them are played, then, when there are
// any, the board before the first and every move's tap.
struct KeptHistory {
    Board first;
    std::vector<TapPoint> taps;
    std::size_t done = 0;
};

// Reads the history of a version-2 kept game, or of a version-3 one without its counts, or nothing when its
// length does not match what it says.
std::optional<KeptHistory> DecodeHistory(std::span<const uint8_t> bytes) {
    if (bytes.size() < HISTORY_START) return std::nullopt;
    Reader in(bytes, KEPT_RECORD_SIZE);
    KeptHistory kept;
    const auto moves = static_cast<std::size_t>(in.Get(2));
    kept.done = static_cast<std::size_t>(in.Get(2));
    const std::size_t size = HISTORY_START + (moves == 0 ? 0 : BOARD_SIZE + TAP_SIZE * moves);
    if (moves > HISTORY_LIMIT || kept.done > moves || bytes.size() != size) return std::nullopt;
    if (moves == 0) return kept;
    kept.first = GetBoardBytes(in);
    for (std::size_t i = 0; i < moves; ++i) {
        const auto x = static_cast<uint16_t>(in.Get(2));
        kept.taps.push_back({x, static_cast<uint16_t>(in.Get(2))});
    }
    return kept;
}

// Plays the kept moves again from the board before the first, on a copy of the record read, which no front
// end shows. Every move must act, change the board, keep to its screen and pass the record's check, and the
// played ones must lead exactly to the board kept; the history is rebuilt on the way.
std::optional<History> ReplayHistory(const Game& read, const KeptHistory& kept) {
    History history;
    if (kept.taps.empty()) return history;
    if (FindPuzzle(read.screen) == nullptr) return std::nullopt;
    auto replay = std::make_unique<Game>(read);
    replay->presenter = {};  // the check is never shown
    replay->solved = 0;
    PutBoard(*replay, kept.first);
    if (!BrokenInvariant(*replay).empty()) return std::nullopt;
    for (const TapPoint tap : kept.taps) {
        if (history.done == kept.done && TakeBoard(*replay) != TakeBoard(read)) return std::nullopt;
        const Board before = TakeBoard(*replay);
        replay->tapX = tap.x;
        replay->tapY = tap.y;
        HandleTap(*replay, tap.x, tap.y);
        if (replay->tapActed == 0 || replay->screen != read.screen || TakeBoard(*replay) == before ||
            !BrokenInvariant(*replay).empty())
            return std::nullopt;
        RecordMove(history, {before, tap, {}});
    }
    if (kept.done == kept.taps.size() && TakeBoard(*replay) != TakeBoard(read)) return std::nullopt;
    history.done = kept.done;
    return history;
}

std::vector<uint8_t> Keep(const Session& session) {
    const History& history = session.history;
    std::vector<uint8_t> bytes(MAGIC.begin(), MAGIC.end());
    bytes.push_back(KEPT_GAME_VERSION);
    Writer out(bytes);
    VisitKeptFields(session.game,
                    [&](auto field, int width) { out.Put(static_cast<uint32_t>(field), width); });
    out.Put(history.held, 2);
    out.Put(history.done, 2);
    if (history.held != 0) PutBoardBytes(out, MoveAt(history, 0).before);
    for (std::size_t i = 0; i < history.held; ++i) {
        out.Put(MoveAt(history, i).tap.x, 2);
        out.Put(MoveAt(history, i).tap.y, 2);
    }
    KeptCounts counts = CountsOf(session);
    VisitKeptCounts(counts, [&](auto field, int width) { out.Put(static_cast<uint64_t>(field), width); });
    return bytes;
}

// Whether the bytes are exactly those the game writes for what was read from them: no unused bit of the
// lights, no value wider than its field, nothing the game would never write. A version-1 string is held
// to its record and a version-2 one to all but the counts, which version 3 keeps unchanged before them.
bool KeptAsRead(std::span<const uint8_t> bytes, const Session& read) {
    const std::vector<uint8_t> again = Keep(read);
    const uint8_t version = bytes[MAGIC.size()];
    if (version == KEPT_GAME_VERSION)
        return std::equal(bytes.begin(), bytes.end(), again.begin(), again.end());
    const std::size_t compared = version == 1 ? KEPT_RECORD_SIZE : again.size() - KEPT_COUNTS_SIZE;
    return bytes.size() == compared &&
           std::equal(bytes.begin() + HEADER_SIZE, bytes.end(), again.begin() + HEADER_SIZE);
}

}  // namespace

bool KeepsGame(const Game& game) {
    return game.screen != SCREEN_MENU;
}

std::vector<uint8_t> KeepGame(const Session& session) {
    return Keep(session);
}

bool ReadKeptGame(std::span<const uint8_t> bytes, Session& session) {
    if (bytes.size() < KEPT_RECORD_SIZE || !std::equal(MAGIC.begin(), MAGIC.end(), bytes.begin()))
        return false;
    const uint8_t version = bytes[MAGIC.size()];
    std::optional<KeptHistory> kept;
    if (version == 1 && bytes.size() == KEPT_RECORD_SIZE) kept = KeptHistory{};
    if (version == 2) kept = DecodeHistory(bytes);
    if (version == KEPT_GAME_VERSION && bytes.size() >= KEPT_GAME_MIN_SIZE)
        kept = DecodeHistory(bytes.first(bytes.size() - KEPT_COUNTS_SIZE));
    if (!kept) return false;
    // Decoded into a session of its own and checked whole before the game is touched. The check reads only
    // the kept fields and the two start-up flags, which are the game's own.
    auto read = std::make_unique<Session>();
    read->game.splashPending = session.game.splashPending;
    read->game.drainTaps = session.game.drainTaps;
    Decode(bytes, read->game);
    if (!BrokenInvariant(read->game).empty()) return false;
    std::optional<History> history = ReplayHistory(read->game, *kept);
    if (!history) return false;
    read->history = std::move(*history);
    KeptCounts counts;
    if (version == KEPT_GAME_VERSION) {
        Reader in(bytes, bytes.size() - KEPT_COUNTS_SIZE);
        VisitKeptCounts(counts, [&](auto& field, int width) {
            field = static_cast<std::remove_reference_t<decltype(field)>>(in.Get(width));
        });
    }
    if (!CountsAreSound(counts, read->history)) return false;
    read->game.seed = counts.seed;
    read->game.seedKnown = counts.seedKnown;
    read->history.dropped = counts.dropped;
    read->hints = counts.hints;
    read->clock = {.counted = counts.ms, .started = counts.started};
    read->solveCounted = counts.solveCounted;
    if (!KeptAsRead(bytes, *read)) return false;
    Decode(bytes, session.game);
    session.game.seed = read->game.seed;
    session.game.seedKnown = read->game.seedKnown;
    session.history = std::move(read->history);
    // The kept form has no times of moves: those kept count as played at the moment of keeping.
    for (std::size_t i = 0; i < session.history.held; ++i) MoveAt(session.history, i).ms = counts.ms;
    session.hints = read->hints;
    // The clock stands until the game can be played again.
    session.clock = {.counted = counts.ms, .started = counts.started, .held = session.clock.held};
    session.solveCounted = read->solveCounted;
    session.finish.reset();
    // The cursor, the hint, a pointer held down and what was played last are the player's, not the game's:
    // the cursor starts hidden, as at every start, a line held on the game left is let go, and nothing of
    // that game is shown or said over the one read.
    session.cursor = {};
    session.hint.reset();
    session.drag.reset();
    session.played = {};
    session.game.outlines = {};
    return true;
}

}  // namespace tessel
