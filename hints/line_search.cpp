#include "hints/line_search.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "hints/ida_star.h"
#include "puzzles/uneven.h"

namespace tessel {

namespace {

int32_t Rows(const LineRules& rules) {
    return rules.kind == LineRules::Kind::Gapped ? 5 : 4;
}

bool Legal(const TileGrid& grid, const LineRules& rules, int32_t move) {
    if (rules.locked[move]) return false;
    if (rules.kind == LineRules::Kind::Gapped)
        return CanMoveUneven(grid, MoveDirection(move), MoveLine(move));
    return true;
}

// Makes the move without asking whether it is allowed: "Uneven" slides a column into its gap, the others
// shift it round.
void Apply(TileGrid& grid, const LineRules& rules, ShiftDirection direction, int32_t line) {
    if (rules.kind == LineRules::Kind::Gapped && IsColumnShift(direction)) {
        if (direction == ShiftDirection::Up) {
            SlideColumnUp(grid, line);
        } else {
            SlideColumnDown(grid, line);
        }
        return;
    }
    ShiftLine(grid, direction, line);
}

constexpr ShiftDirection Opposite(ShiftDirection direction) {
    return static_cast<ShiftDirection>((static_cast<int32_t>(direction) + 2) % 4);
}

void Play(TileGrid& grid, const LineRules& rules, int32_t move) {
    Apply(grid, rules, MoveDirection(move), MoveLine(move));
}

void Unplay(TileGrid& grid, const LineRules& rules, int32_t move) {
    Apply(grid, rules, Opposite(MoveDirection(move)), MoveLine(move));
}

// Whether `move` may follow the moves made so far in a shortest sequence written one way only: it does not
// undo the move before, is not a third step of one line the same way (one step back is shorter), and moves
// of different parallel lines, which can be made in either order, come in the order of their lines.
bool Canonical(const int32_t* history, int32_t depth, int32_t move) {
    if (depth == 0) return true;
    const int32_t before = history[depth - 1];
    if (IsColumnShift(MoveDirection(before)) != IsColumnShift(MoveDirection(move))) return true;
    if (MoveLine(before) != MoveLine(move)) return MoveLine(before) < MoveLine(move);
    if (MoveDirection(before) != MoveDirection(move)) return false;
    return depth < 2 || history[depth - 2] != move;
}

int32_t CyclicDistance(int32_t a, int32_t b) {
    const int32_t d = a > b ? a - b : b - a;
    return d < 4 - d ? d : 4 - d;
}

// How far a tile in a cell is from its own cell: rows apart (round the board when columns shift round, or
// straight on "Uneven") and columns apart round the board.
int32_t RowsApart(const LineRules& rules, int32_t tile, int32_t row) {
    const int32_t goalRow = (tile - 1) / 4 + 1;
    if (rules.kind == LineRules::Kind::Gapped) return row > goalRow ? row - goalRow : goalRow - row;
    return CyclicDistance(row, goalRow);
}
int32_t ColumnsApart(int32_t tile, int32_t col) {
    return CyclicDistance(col, (tile - 1) % 4 + 1);
}

// Moves of columns and moves of rows counted apart: a column move takes every tile of its column one row
// nearer or farther, so it takes at most four off the tiles' summed row distances; a row move likewise
// with the column distances. The sums are kept up to date move by move.
class LineDomain {
  public:
    LineDomain(const TileGrid& grid, const LineRules& rules) : grid_(grid), rules_(rules) {
        for (int32_t row = 1; row <= Rows(rules_); ++row) {
            for (int32_t col = 1; col <= 4; ++col) Count(col, row, 1);
        }
    }

    int32_t Heuristic() const { return (down_ + 3) / 4 + (across_ + 3) / 4; }
    int32_t MoveCount() const { return LINE_MOVES; }
    bool Play(int32_t move) {
        if (!Canonical(history_.data(), depth_, move) || !Legal(grid_, rules_, move)) return false;
        CountLine(move, -1);
        tessel::Play(grid_, rules_, move);
        CountLine(move, 1);
        history_[depth_++] = move;
        return true;
    }
    void Unplay(int32_t move) {
        CountLine(move, -1);
        tessel::Unplay(grid_, rules_, move);
        CountLine(move, 1);
        --depth_;
    }

  private:
    void Count(int32_t col, int32_t row, int32_t sign) {
        const int32_t tile = grid_.Tile(col, row);
        if (tile == 0) return;
        down_ += sign * RowsApart(rules_, tile, row);
        across_ += sign * ColumnsApart(tile, col);
    }
    void CountLine(int32_t move, int32_t sign) {
        const int32_t line = MoveLine(move);
        if (IsColumnShift(MoveDirection(move))) {
            for (int32_t row = 1; row <= Rows(rules_); ++row) Count(line, row, sign);
        } else {
            for (int32_t col = 1; col <= 4; ++col) Count(col, line, sign);
        }
    }

    TileGrid grid_;
    const LineRules& rules_;
    std::array<int32_t, MAX_SEARCH_DEPTH + 1> history_{};
    int32_t depth_ = 0;
    int32_t down_ = 0;
    int32_t across_ = 0;
};

// Calls visit(moves, count, board) for every sequence of at most LOOKAHEAD_HALF moves from the board
// written the one way, depth first, moves in their order.
using Moves = std::array<int32_t, LOOKAHEAD_HALF + 2>;
template <typename Visit>
void Enumerate(TileGrid& grid, const LineRules& rules, Moves& moves, int32_t depth, int32_t most,
               Visit& visit) {
    visit(moves, depth, static_cast<const TileGrid&>(grid));
    if (depth == most) return;
    for (int32_t move = 0; move < LINE_MOVES; ++move) {
        if (!Canonical(moves.data(), depth, move) || !Legal(grid, rules, move)) continue;
        Play(grid, rules, move);
        moves[depth] = move;
        Enumerate(grid, rules, moves, depth + 1, most, visit);
        Unplay(grid, rules, move);
    }
}

// Cells are numbered (row - 1) * 4 + (col - 1). For a board: the cell of each tile, in the order of
// rules.order, then whether each column is down. For a table entry: the cell a tile must stand in for the
// entry's moves to take it home, or NOWHERE; then the column's state if the moves leave the column up,
// else NOWHERE. On "Uneven" a tile counts as home in a column that is down when it stands one cell below
// its own: sliding the column up takes it home, and a column's slide takes none of its tiles away.
constexpr uint8_t NOWHERE = 0xFF;
constexpr int32_t KEY_SIZE = LINE_KEY_SIZE;
using Key = std::array<uint8_t, KEY_SIZE>;

struct Entry {
    Key key;
    int8_t firstMove;
};
using Table = std::array<std::vector<Entry>, LOOKAHEAD_HALF + 1>;  // by number of moves

// The columns that are down (gap in row 1), a bit each; always 0 on the cyclic boards.
int32_t GapPattern(const TileGrid& grid, const LineRules& rules) {
    if (rules.kind != LineRules::Kind::Gapped) return 0;
    int32_t pattern = 0;
    for (int32_t col = 1; col <= 4; ++col) {
        if (grid.Tile(col, 1) == 0) pattern |= 1 << (col - 1);
    }
    return pattern;
}

// Every sequence of up to LOOKAHEAD_HALF moves from boards with this gap pattern, each board cell marked
// with its own number + 1.
Table MakeTable(const LineRules& rules, int32_t pattern) {
    TileGrid marked{};
    for (int32_t col = 1; col <= 4; ++col) {
        const bool down = ((pattern >> (col - 1)) & 1) != 0;
        for (int32_t row = 1; row <= Rows(rules); ++row) {
            const bool gap = rules.kind == LineRules::Kind::Gapped && row == (down ? 1 : 5);
            marked.Tile(col, row) = gap ? 0 : (row - 1) * 4 + col;
        }
    }
    Table table;
    auto visit = [&](const Moves& moves, int32_t count, const TileGrid& board) {
        Entry entry{{}, static_cast<int8_t>(count > 0 ? moves[0] : -1)};
        const auto down = [&](int32_t col) {
            return rules.kind == LineRules::Kind::Gapped && board.Tile(col, 1) == 0;
        };
        for (int32_t t = 0; t < 16; ++t) {
            const int32_t col = (rules.order[t] - 1) % 4 + 1;
            const int32_t row = (rules.order[t] - 1) / 4 + 1 + (down(col) ? 1 : 0);
            const int32_t mark = board.Tile(col, row);
            entry.key[t] = mark == 0 ? NOWHERE : static_cast<uint8_t>(mark - 1);
        }
        for (int32_t col = 1; col <= 4; ++col) {
            entry.key[15 + col] = down(col) ? NOWHERE : static_cast<uint8_t>((pattern >> (col - 1)) & 1);
        }
        table[count].push_back(entry);
    };
    Moves moves{};
    Enumerate(marked, rules, moves, 0, LOOKAHEAD_HALF, visit);
    for (auto& entries : table) {
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry& a, const Entry& b) { return a.key < b.key; });
        entries.erase(std::unique(entries.begin(), entries.end(),
                                  [](const Entry& a, const Entry& b) { return a.key == b.key; }),
                      entries.end());
    }
    return table;
}

const Table& TableFor(const LineRules& rules, int32_t pattern) {
    // One set of tables per rule set seen lately; "Unmovable" has sixteen.
    static std::map<std::array<int32_t, 18>, std::array<std::unique_ptr<Table>, 16>> tables;
    std::array<int32_t, 18> id{};
    id[0] = rules.kind == LineRules::Kind::Gapped ? 1 : 0;
    for (int32_t move = 0; move < LINE_MOVES; ++move) id[1] |= rules.locked[move] ? 1 << move : 0;
    for (int32_t t = 0; t < 16; ++t) id[t + 2] = rules.order[t];
    if (tables.find(id) == tables.end() && tables.size() >= 2) tables.clear();
    std::unique_ptr<Table>& table = tables[id][pattern];
    if (!table) table = std::make_unique<Table>(MakeTable(rules, pattern));
    return *table;
}

// "Uneven" has fewer moves to a board and needs longer ways round: it looks one move further.
int32_t ForwardDepth(const LineRules& rules) {
    return rules.kind == LineRules::Kind::Gapped ? LOOKAHEAD_HALF + 1 : LOOKAHEAD_HALF;
}

int32_t CommonRun(const Key& a, const Key& b) {
    int32_t run = 0;
    while (run < KEY_SIZE && a[run] == b[run]) ++run;
    return run;
}

struct Reach {
    int32_t run = -1;  // tiles home in order, then columns up: KEY_SIZE on the solved board
    int32_t length = 0;
    int32_t firstMove = -1;
};

// The longest run home within LOOKAHEAD_DEPTH moves, by the fewest moves.
Reach BestReach(const TileGrid& grid, const LineRules& rules, int32_t forwardDepth) {
    Reach best;
    TileGrid board = grid;
    auto visit = [&](const Moves& moves, int32_t count, const TileGrid& now) {
        std::array<uint8_t, 17> cellOf{};
        for (int32_t row = 1; row <= Rows(rules); ++row) {
            for (int32_t col = 1; col <= 4; ++col)
                cellOf[now.Tile(col, row)] = static_cast<uint8_t>((row - 1) * 4 + col - 1);
        }
        Key cells{};
        for (int32_t t = 0; t < 16; ++t) cells[t] = cellOf[rules.order[t]];
        const int32_t pattern = GapPattern(now, rules);
        for (int32_t col = 1; col <= 4; ++col)
            cells[15 + col] = static_cast<uint8_t>((pattern >> (col - 1)) & 1);
        const Table& table = TableFor(rules, pattern);
        for (int32_t more = 0; more <= LOOKAHEAD_HALF; ++more) {
            const std::vector<Entry>& entries = table[more];
            const auto at = std::lower_bound(entries.begin(), entries.end(), cells,
                                             [](const Entry& e, const Key& key) { return e.key < key; });
            const auto consider = [&](const Entry& entry) {
                const int32_t run = CommonRun(cells, entry.key);
                const int32_t length = count + more;
                if (run > best.run || (run == best.run && length < best.length)) {
                    best = {run, length, count > 0 ? moves[0] : entry.firstMove};
                }
            };
            if (at != entries.end()) consider(*at);
            if (at != entries.begin()) consider(*(at - 1));
        }
    };
    Moves moves{};
    Enumerate(board, rules, moves, 0, forwardDepth, visit);
    return best;
}

// Whether the move leaves a board whose best run within reach is no shorter, or as long and no farther.
bool KeepsReach(const TileGrid& grid, const LineRules& rules, int32_t move, const Reach& reach) {
    TileGrid next = grid;
    Play(next, rules, move);
    const Reach after = BestReach(next, rules, ForwardDepth(rules));
    return after.run > reach.run || (after.run == reach.run && after.length <= reach.length);
}

// The way round listed for a board whose own run is the longest within reach, or -1.
int32_t ListedWayRound(const TileGrid& grid, const LineRules& rules, int32_t run) {
    if (run >= 16) return -1;
    int32_t cell = -1;
    for (int32_t row = 1; row <= Rows(rules); ++row) {
        for (int32_t col = 1; col <= 4; ++col) {
            if (grid.Tile(col, row) == rules.order[run]) cell = (row - 1) * 4 + col - 1;
        }
    }
    const int32_t gaps = GapPattern(grid, rules);
    for (int32_t way = 0; way < rules.wayCount; ++way) {
        const LineRules::WayRound& listed = rules.waysRound[way];
        if (listed.gaps == gaps && listed.run == run && listed.cell == cell) return listed.move;
    }
    return -1;
}

}  // namespace

LineSearch SearchLines(const TileGrid& grid, const LineRules& rules) {
    LineSearch result;
    const Reach reach = BestReach(grid, rules, ForwardDepth(rules));
    result.run = reach.run;
    result.length = reach.length;
    if (reach.run == KEY_SIZE) {
        result.kind = reach.length == 0 ? LineHintKind::None : LineHintKind::Near;
        result.found.move = reach.firstMove;
        return result;
    }
    LineDomain domain(grid, rules);
    IdaStar<LineDomain> search(domain, LINE_NODE_BUDGET);
    result.found.search = search.Run(LINE_SEARCH_DEPTH);
    if (result.found.search.outcome == SearchResult::Outcome::Solved &&
        KeepsReach(grid, rules, result.found.search.firstMove, reach)) {
        result.kind = LineHintKind::Searched;
        result.found.move = result.found.search.firstMove;
    } else if (reach.length > 0) {
        result.kind = LineHintKind::Run;
        result.found.move = reach.firstMove;
    } else if (const int32_t listed = ListedWayRound(grid, rules, reach.run); listed >= 0) {
        result.kind = LineHintKind::WayRound;
        result.found.move = listed;
    } else {
        // No run grows within reach: the first move of one grown a move further, which leaves a board
        // from which the longer run is within reach.
        result.kind = LineHintKind::Further;
        result.found.move = BestReach(grid, rules, ForwardDepth(rules) + 1).firstMove;
    }
    return result;
}

}  // namespace tessel
