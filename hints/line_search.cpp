#include "hints/line_search.h"

#include <algorithm>
#include <climits>
#include <map>
#include <memory>
#include <vector>

#include "core/cells.h"
#include "hints/ida_star.h"
#include "hints/line_tables.h"
#include "puzzles/tile_board.h"
#include "puzzles/uneven.h"

namespace tessel {

namespace {

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

// Whether `move` may follow `before` in a shortest sequence written one way only: it does not undo the
// move before, and moves of different parallel lines, which can be made in either order, come in the
// order of their lines.
bool FollowsInOrder(int32_t before, int32_t move) {
    if (IsColumnShift(MoveDirection(before)) != IsColumnShift(MoveDirection(move))) return true;
    if (MoveLine(before) != MoveLine(move)) return MoveLine(before) < MoveLine(move);
    return MoveDirection(before) == MoveDirection(move);
}

// The same for the moves made so far, and no third step of one line the same way (one step back is
// shorter).
bool Canonical(const int32_t* history, int32_t depth, int32_t move) {
    if (depth == 0) return true;
    if (!FollowsInOrder(history[depth - 1], move)) return false;
    return MoveLine(history[depth - 1]) != MoveLine(move) || depth < 2 || history[depth - 2] != move;
}

int32_t CyclicDistance(int32_t a, int32_t b) {
    const int32_t d = a > b ? a - b : b - a;
    return d < 4 - d ? d : 4 - d;
}

// How far a tile in a cell is from its own cell: rows apart (round the board when columns shift round, or
// straight on "Uneven") and columns apart round the board.
int32_t RowsApart(const LineRules& rules, int32_t tile, int32_t row) {
    const int32_t goalRow = GoalRow(tile);
    if (rules.kind == LineRules::Kind::Gapped) return row > goalRow ? row - goalRow : goalRow - row;
    return CyclicDistance(row, goalRow);
}
int32_t ColumnsApart(int32_t tile, int32_t col) {
    return CyclicDistance(col, GoalCol(tile));
}

// Each tile's rows and columns apart from its own cell, in each cell.
struct Distances {
    std::array<std::array<uint8_t, 20>, 17> down{};
    std::array<std::array<uint8_t, 20>, 17> across{};
};

Distances MakeDistances(const LineRules& rules) {
    Distances distances;
    for (int32_t tile = 1; tile <= 16; ++tile) {
        for (int32_t cell = 0; cell < 4 * LineRows(rules); ++cell) {
            distances.down[tile][cell] = static_cast<uint8_t>(RowsApart(rules, tile, RowOf(cell)));
            distances.across[tile][cell] = static_cast<uint8_t>(ColumnsApart(tile, ColOf(cell)));
        }
    }
    return distances;
}

// The board searched, with two lower bounds on the moves left, the larger one counting: the tables'
// (line_tables.h: the lines' four tiles on "Uneven", groups of five tiles on the others), and moves of
// columns and moves of rows counted apart: a column move takes every tile of its column one row nearer or
// farther, so it takes at most four off the tiles' summed row distances; a row move likewise with the
// column distances. Both are kept up to date move by move, and each changes by at most one with a move.
// The one move refused is by the move before alone (FollowsInOrder), as the searches by first move need.
class LineDomain {
  public:
    static constexpr int32_t BOUND_STEP = 1;

    LineDomain(const TileGrid& grid, const LineRules& rules)
        : rules_(rules),
          gapped_(rules.kind == LineRules::Kind::Gapped),
          tables_(LineTablesFor(rules)),
          lookups_(rules),
          moves_(MakeMoveCycles(rules)),
          distances_(MakeDistances(rules)) {
        for (int32_t row = 1; row <= LineRows(rules_); ++row) {
            for (int32_t col = 1; col <= 4; ++col) {
                const int32_t cell = CellIndex(col, row);
                const int32_t tile = grid.Tile(col, row);
                tileAt_[cell] = static_cast<uint8_t>(tile);
                if (gapped_ && tile == 0) gaps_ |= row == 1 ? 1 << (col - 1) : 0;
            }
        }
        for (int32_t cell = 0; cell < 4 * LineRows(rules_); ++cell) Count(cell, 1);
    }

    int32_t Heuristic() const { return HeuristicUpTo(INT32_MAX); }
    // The tables are looked up until one passes the limit, the one that passed it last time first.
    int32_t HeuristicUpTo(int32_t limit) const {
        int32_t most = (down_ + 3) / 4 + (across_ + 3) / 4;
        if (!gapped_) {
            const int32_t count = tables_.lookupCount;
            for (int32_t i = 0; i < count && most <= limit; ++i) {
                const int32_t at = (lastOver_ + i) % count;
                most = std::max(most, LookUp(tables_.lookups[static_cast<std::size_t>(at)]));
                if (most > limit) lastOver_ = at;
            }
            return most;
        }
        for (int32_t i = 0; i < lookups_.size() && most <= limit; ++i) {
            const int32_t at = (lastOver_ + i) % lookups_.size();
            most = std::max(most, LookUp(lookups_[at]));
            if (most > limit) lastOver_ = at;
        }
        return most;
    }
    int32_t MoveCount() const { return LINE_MOVES; }
    bool Play(int32_t move) {
        if (depth_ > 0 && !FollowsInOrder(history_[depth_ - 1], move)) return false;
        if (!LineMoveAllowed(rules_, gaps_, move)) return false;
        Turn(move, 1);
        history_[depth_++] = move;
        return true;
    }
    void Unplay(int32_t move) {
        Turn(move, -1);
        --depth_;
    }

  private:
    int32_t LookUp(const LineLookup& lookup) const {
        const int32_t shift = lookup.shift;
        int32_t index = ((gaps_ >> shift) | (gaps_ << (4 - shift))) & 15;
        for (int32_t k = 0; k < 4; ++k) {
            const int32_t place = placeOf_[GroupTile(lookup.group, k)];
            index = index << 4 | (place & 12) | ((place - shift) & 3);
        }
        return tables_.Moves(lookup.table, static_cast<uint32_t>(index));
    }
    int32_t LookUp(const GroupLookup& lookup) const {
        return tables_.Moves(lookup.table,
                             GroupRank([&](uint32_t k) { return lookup.cell[placeOf_[lookup.tiles[k]]]; }));
    }
    // Carries the move's tiles round its cycle, forward (1) or back (-1), and what they count with them.
    void Turn(int32_t move, int32_t way) {
        const auto& cycle = moves_.cycle[move];
        const int32_t length = moves_.length[move];
        for (int32_t i = 0; i < length; ++i) Count(cycle[i], -1);
        if (way > 0) {
            const uint8_t last = tileAt_[cycle[length - 1]];
            for (int32_t i = length - 1; i > 0; --i) tileAt_[cycle[i]] = tileAt_[cycle[i - 1]];
            tileAt_[cycle[0]] = last;
        } else {
            const uint8_t first = tileAt_[cycle[0]];
            for (int32_t i = 0; i + 1 < length; ++i) tileAt_[cycle[i]] = tileAt_[cycle[i + 1]];
            tileAt_[cycle[length - 1]] = first;
        }
        gaps_ = GapsAfter(rules_, gaps_, move);
        for (int32_t i = 0; i < length; ++i) Count(cycle[i], 1);
    }
    // Adds (sign 1) or takes away (-1) what the cell's tile counts, and notes its place.
    void Count(int32_t cell, int32_t sign) {
        const int32_t tile = tileAt_[cell];
        if (tile == 0) return;
        down_ += sign * distances_.down[tile][cell];
        across_ += sign * distances_.across[tile][cell];
        placeOf_[tile] = static_cast<uint8_t>(cell - 4 * ((gaps_ >> (ColOf(cell) - 1)) & 1));
    }

    const LineRules& rules_;
    bool gapped_;
    const LineTables& tables_;
    LineLookups lookups_;
    MoveCycles moves_;
    Distances distances_;
    std::array<uint8_t, 20> tileAt_{};
    std::array<int32_t, MAX_SEARCH_DEPTH + 1> history_{};
    int32_t depth_ = 0;
    int32_t down_ = 0;
    int32_t across_ = 0;
    int32_t gaps_ = 0;
    mutable int32_t lastOver_ = 0;
    std::array<uint8_t, 17> placeOf_{};  // by tile; 0 is the gaps' and unused
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

// Cells are numbered by CellIndex. For a board: the cell of each tile, in the order of
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
        for (int32_t row = 1; row <= LineRows(rules); ++row) {
            const bool gap = rules.kind == LineRules::Kind::Gapped && row == (down ? 1 : 5);
            marked.Tile(col, row) = gap ? 0 : CellIndex(col, row) + 1;
        }
    }
    Table table;
    auto visit = [&](const Moves& moves, int32_t count, const TileGrid& board) {
        Entry entry{{}, static_cast<int8_t>(count > 0 ? moves[0] : -1)};
        const auto down = [&](int32_t col) {
            return rules.kind == LineRules::Kind::Gapped && board.Tile(col, 1) == 0;
        };
        for (int32_t t = 0; t < 16; ++t) {
            const int32_t col = GoalCol(rules.order[t]);
            const int32_t row = GoalRow(rules.order[t]) + (down(col) ? 1 : 0);
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
        for (int32_t row = 1; row <= LineRows(rules); ++row) {
            for (int32_t col = 1; col <= 4; ++col)
                cellOf[now.Tile(col, row)] = static_cast<uint8_t>(CellIndex(col, row));
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

// The way round listed for a board whose own run is the longest within reach, or -1.
int32_t ListedWayRound(const TileGrid& grid, const LineRules& rules, int32_t run) {
    if (run >= 16) return -1;
    int32_t cell = -1;
    for (int32_t row = 1; row <= LineRows(rules); ++row) {
        for (int32_t col = 1; col <= 4; ++col) {
            if (grid.Tile(col, row) == rules.order[run]) cell = CellIndex(col, row);
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
    LineDomain domain(grid, rules);
    if (rules.kind == LineRules::Kind::Gapped) {
        IdaStar<LineDomain> search(domain, rules.nodeBudget);
        result.found.search = search.RunByFirstMove(LINE_SEARCH_DEPTH);
    }
    for (int32_t pass = 0; pass < rules.passCount; ++pass) {
        const LineRules::Pass& weights = rules.passes[static_cast<std::size_t>(pass)];
        IdaStar<LineDomain> search(domain, weights.nodeBudget);
        result.found.search = search.RunWeightedByFirstMove(
            weights.moveCost * LINE_SEARCH_DEPTH, weights.moveCost, weights.estimateCost, weights.reach);
        result.found.search.pass = pass;
        if (result.found.search.outcome == SearchResult::Outcome::Solved) break;
    }
    if (result.found.search.outcome == SearchResult::Outcome::Solved) {
        result.kind = result.found.search.length == 0 ? LineHintKind::None : LineHintKind::Searched;
        result.found.move = result.found.search.firstMove;
        return result;
    }
    const Reach reach = BestReach(grid, rules, ForwardDepth(rules));
    result.run = reach.run;
    result.length = reach.length;
    if (reach.run == KEY_SIZE) {
        result.kind = LineHintKind::Near;
        result.found.move = reach.firstMove;
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
