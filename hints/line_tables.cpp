#include "hints/line_tables.h"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>

#include "core/cells.h"

namespace tessel {

namespace {

using GroupPlaces = std::array<uint8_t, 4>;

// A place from a cell and back: a column that is down holds its tiles one row lower.
constexpr int32_t Down(int32_t gaps, int32_t cell) {
    return (gaps >> (ColOf(cell) - 1)) & 1;
}

// Makes the move on the four tiles' places and the gaps, or says that the rules refuse it here.
bool MoveGroup(const LineRules& rules, const MoveCycles& cycles, int32_t move, int32_t& gaps,
               GroupPlaces& places) {
    if (!LineMoveAllowed(rules, gaps, move)) return false;
    int32_t after = gaps;
    if (rules.kind == LineRules::Kind::Gapped && IsColumnShift(MoveDirection(move)))
        after ^= 1 << (MoveLine(move) - 1);
    const auto& cycle = cycles.cycle[move];
    const int32_t length = cycles.length[move];
    for (uint8_t& place : places) {
        int32_t cell = place + 4 * Down(gaps, place);
        for (int32_t i = 0; i < length; ++i) {
            if (cycle[i] == cell) {
                cell = cycle[(i + 1) % length];
                break;
            }
        }
        place = static_cast<uint8_t>(cell - 4 * Down(after, cell));
    }
    gaps = after;
    return true;
}

int32_t Index(int32_t gaps, const GroupPlaces& places) {
    int32_t index = gaps;
    for (const uint8_t place : places) index = index << 4 | place;
    return index;
}

// Breadth first from the goal: the rules allow each move's opposite wherever the move leads, so the
// moves from the goal count the moves to it.
std::vector<int8_t> MakeGroupTable(const LineRules& rules, const MoveCycles& cycles, int32_t group) {
    const bool gapped = rules.kind == LineRules::Kind::Gapped;
    std::vector<int8_t> moves(std::size_t{1} << (gapped ? 20 : 16), -1);
    std::vector<int32_t> queue;
    GroupPlaces goal{};
    for (int32_t k = 0; k < 4; ++k) {
        const int32_t tile = GroupTile(group, k);
        goal[k] = static_cast<uint8_t>(tile - 1);
    }
    queue.push_back(Index(0, goal));
    moves[static_cast<std::size_t>(queue.front())] = 0;
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const int32_t index = queue[head];
        const auto next = static_cast<int8_t>(moves[static_cast<std::size_t>(index)] + 1);
        GroupPlaces here{};
        for (int32_t k = 0; k < 4; ++k) here[k] = static_cast<uint8_t>((index >> (12 - 4 * k)) & 15);
        for (int32_t move = 0; move < LINE_MOVES; ++move) {
            int32_t gaps = index >> 16;
            GroupPlaces places = here;
            if (!MoveGroup(rules, cycles, move, gaps, places)) continue;
            const int32_t to = Index(gaps, places);
            int8_t& entry = moves[static_cast<std::size_t>(to)];
            if (entry >= 0) continue;
            entry = next;
            queue.push_back(to);
        }
    }
    return moves;
}

LineTables MakeLineTables(const LineRules& rules) {
    LineTables tables;
    const MoveCycles cycles = MakeMoveCycles(rules);
    for (const LineLookup& lookup : LineLookups(rules)) {
        std::vector<int8_t>& table = tables.moves[lookup.table];
        if (table.empty()) table = MakeGroupTable(rules, cycles, lookup.table);
    }
    return tables;
}

// Where a move carries each cell.
using CellMap = std::array<uint8_t, 16>;
std::array<CellMap, LINE_MOVES> MoveMaps(const MoveCycles& cycles) {
    std::array<CellMap, LINE_MOVES> maps{};
    for (int32_t move = 0; move < LINE_MOVES; ++move) {
        for (int32_t cell = 0; cell < 16; ++cell) maps[move][cell] = static_cast<uint8_t>(cell);
        for (int32_t i = 0; i < 4; ++i) maps[move][cycles.cycle[move][i]] = cycles.cycle[move][(i + 1) % 4];
    }
    return maps;
}

// The changes of the whole board that take the rules' moves to moves the rules allow: turned over its
// diagonal or not, mirrored across or down or not (where the rules ask for mirrors), then shifted round.
struct Symmetries {
    std::array<CellMap, 128> to{};
    int32_t count = 0;
};
Symmetries FindSymmetries(const LineRules& rules, const std::array<CellMap, LINE_MOVES>& moves) {
    Symmetries kept;
    for (int32_t change = 0; change < 128; ++change) {
        CellMap to{};
        for (int32_t cell = 0; cell < 16; ++cell) {
            int32_t col = ColOf(cell) - 1, row = RowOf(cell) - 1;  // counted from 0 here
            if ((change & 1) != 0) std::swap(col, row);
            if ((change & 2) != 0) col = (4 - col) % 4;
            if ((change & 4) != 0) row = (4 - row) % 4;
            col = (col + (change >> 3 & 3)) % 4;
            row = (row + (change >> 5 & 3)) % 4;
            to[cell] = static_cast<uint8_t>(CellIndex(col + 1, row + 1));
        }
        bool keeps = true;
        for (int32_t move = 0; move < LINE_MOVES && keeps; ++move) {
            CellMap carried{};  // the move seen through the change
            for (int32_t cell = 0; cell < 16; ++cell) carried[to[cell]] = to[moves[move][cell]];
            const auto same = std::find(moves.begin(), moves.end(), carried);
            keeps = same != moves.end() &&
                    rules.locked[static_cast<std::size_t>(same - moves.begin())] == rules.locked[move];
        }
        if (keeps && (rules.mirrored || (change & 6) == 0))
            kept.to[static_cast<std::size_t>(kept.count++)] = to;
    }
    return kept;
}

// One five-tile table, breadth first from the goal as for the lines, a slice at a time. The queue holds
// the five cells four bits each, a level of moves after another, and a bit for every such code tells which
// were met; each placing is ranked once, at the end.
class FiveTileBuild {
  public:
    explicit FiveTileBuild(const std::array<uint8_t, GROUP_TILES>& group)
        : met_(std::size_t{1} << (4 * GROUP_TILES - 5)) {
        queue_.reserve(GROUP_PLACINGS);
        uint32_t goal = 0;
        for (const uint8_t cell : group) goal = goal << 4 | cell;
        queue_.push_back(goal);
        met_[goal >> 5] |= 1u << (goal & 31);
    }

    // Expands, then ranks, up to `work` placings, taking what it does from `work`; true once whole.
    bool Advance(const LineRules& rules, const std::array<CellMap, LINE_MOVES>& moves, int64_t& work) {
        for (; head_ < queue_.size() && work > 0; ++head_, --work) {
            if (levelEnds_.empty() || head_ == levelEnds_.back())
                levelEnds_.push_back(static_cast<uint32_t>(queue_.size()));
            Expand(rules, moves, queue_[head_]);
        }
        if (head_ < queue_.size()) return false;
        // Placings no move reaches (a tile on "Unmovable"'s locked cell) stay 0; they are never looked up.
        if (packed_.empty()) packed_.resize(GROUP_PLACINGS / 2);
        for (; ranked_ < queue_.size() && work > 0; ++ranked_, --work) {
            while (ranked_ == levelEnds_[level_]) ++level_;
            const uint32_t cells = queue_[ranked_];
            const uint32_t rank =
                GroupRank([&](uint32_t k) { return cells >> (4 * (GROUP_TILES - 1 - k)) & 15; });
            packed_[rank >> 1] |=
                static_cast<uint8_t>(std::min<std::size_t>(level_, 15) << ((rank & 1) << 2));
        }
        return ranked_ == queue_.size();
    }

    std::vector<uint8_t> Take() { return std::move(packed_); }

  private:
    void Expand(const LineRules& rules, const std::array<CellMap, LINE_MOVES>& moves, uint32_t cells) {
        for (int32_t move = 0; move < LINE_MOVES; ++move) {
            if (rules.locked[move]) continue;
            const CellMap& to = moves[move];
            uint32_t moved = 0;
            for (int32_t k = 4 * (GROUP_TILES - 1); k >= 0; k -= 4) moved = moved << 4 | to[cells >> k & 15];
            uint32_t& word = met_[moved >> 5];
            if ((word >> (moved & 31) & 1) != 0) continue;
            word |= 1u << (moved & 31);
            queue_.push_back(moved);
        }
    }

    std::vector<uint32_t> met_;
    std::vector<uint32_t> queue_;
    std::vector<uint32_t> levelEnds_;
    std::vector<uint8_t> packed_;
    std::size_t head_ = 0;
    std::size_t ranked_ = 0;
    std::size_t level_ = 0;
};

// The tables of one set of rules, one after another, a slice at a time. The lookups need no table: they
// are found at once.
class GroupTablesBuild {
  public:
    explicit GroupTablesBuild(const LineRules& rules)
        : rules_(rules), moves_(MoveMaps(MakeMoveCycles(rules))) {
        const Symmetries symmetries = FindSymmetries(rules, moves_);
        std::vector<uint32_t> served;  // table * 2^17 + the group's tiles, a bit each
        for (int32_t table = 0; table < rules.groupCount; ++table) {
            const auto& group = rules.groups[static_cast<std::size_t>(table)];
            for (int32_t s = 0; s < symmetries.count; ++s) {
                const CellMap& to = symmetries.to[static_cast<std::size_t>(s)];
                GroupLookup lookup{table, {}, {}};
                uint32_t tiles = static_cast<uint32_t>(table) << 17;
                for (int32_t k = 0; k < GROUP_TILES; ++k) {
                    lookup.tiles[k] = static_cast<uint8_t>(to[group[k]] + 1);
                    tiles |= 1u << lookup.tiles[k];
                }
                for (int32_t cell = 0; cell < 16; ++cell) lookup.cell[to[cell]] = static_cast<uint8_t>(cell);
                if (std::find(served.begin(), served.end(), tiles) != served.end()) continue;
                served.push_back(tiles);
                tables_.lookups[static_cast<std::size_t>(tables_.lookupCount++)] = lookup;
            }
        }
    }

    bool Advance(int64_t& work) {
        for (; table_ < rules_.groupCount; ++table_) {
            if (!building_) building_.emplace(rules_.groups[static_cast<std::size_t>(table_)]);
            if (!building_->Advance(rules_, moves_, work)) return false;
            tables_.moves[static_cast<std::size_t>(table_)] = building_->Take();
            building_.reset();
        }
        return true;
    }

    const GroupTables& Tables() const { return tables_; }

  private:
    LineRules rules_;
    std::array<CellMap, LINE_MOVES> moves_;
    GroupTables tables_;
    int32_t table_ = 0;
    std::optional<FiveTileBuild> building_;
};

// "Normal"'s and "Unmovable"'s, told apart by their locked moves, started the first time either is asked
// for.
GroupTablesBuild& GroupTablesBuildFor(const LineRules& rules) {
    static std::array<std::unique_ptr<GroupTablesBuild>, 2> builds;
    std::unique_ptr<GroupTablesBuild>& found = builds[rules.locked[0] ? 1 : 0];
    if (!found) found = std::make_unique<GroupTablesBuild>(rules);
    return *found;
}

}  // namespace

MoveCycles MakeMoveCycles(const LineRules& rules) {
    MoveCycles moves;
    for (int32_t move = 0; move < LINE_MOVES; ++move) {
        const ShiftDirection direction = MoveDirection(move);
        const int32_t line = MoveLine(move);
        const int32_t count = IsColumnShift(direction) ? LineRows(rules) : 4;
        moves.length[move] = count;
        for (int32_t i = 0; i < count; ++i) {
            // Up and left go from the far end toward the near one.
            const bool back = direction == ShiftDirection::Up || direction == ShiftDirection::Left;
            const int32_t k = back ? count - i : i + 1;
            const int32_t cell = IsColumnShift(direction) ? CellIndex(line, k) : CellIndex(k, line);
            moves.cycle[move][i] = static_cast<uint8_t>(cell);
        }
    }
    return moves;
}

LineLookups::LineLookups(const LineRules& rules) {
    if (rules.kind == LineRules::Kind::Gapped) {
        for (int32_t shift = 0; shift < 4; ++shift) lookups_[count_++] = {4 + shift, 4, shift};
    }
}

const LineTables& LineTablesFor(const LineRules& rules) {
    static std::map<std::array<int32_t, 2>, std::unique_ptr<LineTables>> tables;
    std::array<int32_t, 2> id{rules.kind == LineRules::Kind::Gapped ? 1 : 0, 0};
    for (int32_t move = 0; move < LINE_MOVES; ++move) id[1] |= rules.locked[move] ? 1 << move : 0;
    std::unique_ptr<LineTables>& found = tables[id];
    if (!found) found = std::make_unique<LineTables>(MakeLineTables(rules));
    return *found;
}

const GroupTables& GroupTablesFor(const LineRules& rules) {
    GroupTablesBuild& build = GroupTablesBuildFor(rules);
    int64_t work = INT64_MAX;
    build.Advance(work);
    return build.Tables();
}

bool BuildGroupTablesAhead(const LineRules& rules, int64_t& work) {
    return GroupTablesBuildFor(rules).Advance(work);
}

}  // namespace tessel
