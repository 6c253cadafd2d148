#include "hints/line_tables.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "core/cells.h"

namespace tessel {

namespace {

// A place from a cell and back: a column that is down holds its tiles one row lower.
constexpr int32_t Down(int32_t gaps, int32_t cell) {
    return (gaps >> (ColOf(cell) - 1)) & 1;
}

// Where a move carries each place, by the columns that are down before it; on the boards that shift round
// a place is its cell, and no column is ever down.
using CellMap = std::array<uint8_t, 16>;
using MoveMaps = std::array<std::array<CellMap, LINE_MOVES>, 16>;
MoveMaps MakeMoveMaps(const LineRules& rules) {
    const MoveCycles cycles = MakeMoveCycles(rules);
    MoveMaps maps{};
    for (int32_t gaps = 0; gaps < (rules.kind == LineRules::Kind::Gapped ? 16 : 1); ++gaps) {
        for (int32_t move = 0; move < LINE_MOVES; ++move) {
            const auto& cycle = cycles.cycle[move];
            const int32_t length = cycles.length[move];
            const int32_t after = GapsAfter(rules, gaps, move);
            for (int32_t place = 0; place < 16; ++place) {
                int32_t cell = place + 4 * Down(gaps, place);
                for (int32_t i = 0; i < length; ++i) {
                    if (cycle[i] == cell) {
                        cell = cycle[(i + 1) % length];
                        break;
                    }
                }
                maps[gaps][move][place] = static_cast<uint8_t>(cell - 4 * Down(after, cell));
            }
        }
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

// One table, breadth first from the goal, a slice at a time. The queue holds positions as five codes of
// four bits (the five tiles' cells; on "Uneven" the columns down, then the column's four places), a level
// of moves after another, and a bit for every such code tells which were met; each position's entry is
// written once, at the end.
class TableBuild {
  public:
    TableBuild(const std::array<uint8_t, GROUP_TILES>& goal, std::size_t entries)
        : met_(std::size_t{1} << (4 * GROUP_TILES - 5)), entries_(entries) {
        queue_.reserve(entries);
        uint32_t code = 0;
        for (const uint8_t part : goal) code = code << 4 | part;
        queue_.push_back(code);
        met_[code >> 5] |= 1u << (code & 31);
    }

    // Expands, then writes into the table, up to `work` positions, taking what it does from `work`; true
    // once whole.
    bool Advance(const LineRules& rules, const MoveMaps& moves, LineTables& tables, int32_t table,
                 int64_t& work) {
        const bool gapped = rules.kind == LineRules::Kind::Gapped;
        for (; head_ < queue_.size() && work > 0; ++head_, --work) {
            if (levelEnds_.empty() || head_ == levelEnds_.back())
                levelEnds_.push_back(static_cast<uint32_t>(queue_.size()));
            Expand(rules, moves, queue_[head_]);
        }
        if (head_ < queue_.size()) return false;
        // Codes of no position a move reaches (a tile on "Unmovable"'s locked cell, two tiles in one place)
        // stay 0; they are never looked up.
        std::vector<uint8_t>& entries = tables.moves[static_cast<std::size_t>(table)];
        if (entries.empty()) entries.resize(entries_ >> tables.paired);
        for (; written_ < queue_.size() && work > 0; ++written_, --work) {
            while (written_ == levelEnds_[level_]) ++level_;
            const uint32_t code = queue_[written_];
            const uint32_t index =
                gapped ? code
                       : GroupRank([&](uint32_t k) { return code >> (4 * (GROUP_TILES - 1 - k)) & 15; });
            tables.Put(table, index, static_cast<uint32_t>(level_));
        }
        return written_ == queue_.size();
    }

  private:
    // On "Uneven" the first code is the columns down, which the move's map leaves to GapsAfter.
    void Expand(const LineRules& rules, const MoveMaps& moves, uint32_t code) {
        const bool gapped = rules.kind == LineRules::Kind::Gapped;
        const int32_t gaps = gapped ? static_cast<int32_t>(code >> 16) : 0;
        for (int32_t move = 0; move < LINE_MOVES; ++move) {
            if (!LineMoveAllowed(rules, gaps, move)) continue;
            const CellMap& to = moves[static_cast<std::size_t>(gaps)][move];
            uint32_t moved = 0;
            for (int32_t k = 4 * (GROUP_TILES - 1); k >= 0; k -= 4) moved = moved << 4 | to[code >> k & 15];
            if (gapped) moved = static_cast<uint32_t>(GapsAfter(rules, gaps, move)) << 16 | (moved & 0xFFFF);
            uint32_t& word = met_[moved >> 5];
            if ((word >> (moved & 31) & 1) != 0) continue;
            word |= 1u << (moved & 31);
            queue_.push_back(moved);
        }
    }

    std::vector<uint32_t> met_;
    std::vector<uint32_t> queue_;
    std::vector<uint32_t> levelEnds_;
    std::size_t entries_;
    std::size_t head_ = 0;
    std::size_t written_ = 0;
    std::size_t level_ = 0;
};

// The tables of one set of rules, one after another, a slice at a time. The five-tile tables' lookups
// need no table: they are found at once.
class LineTablesBuild {
  public:
    explicit LineTablesBuild(const LineRules& rules) : rules_(rules), moves_(MakeMoveMaps(rules)) {
        if (rules.kind == LineRules::Kind::Gapped) {
            tables_.paired = 0;
            return;
        }
        const Symmetries symmetries = FindSymmetries(rules, moves_[0]);
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
            // "Uneven"'s indexes are its codes, 20 bits.
            const std::size_t entries = tables_.paired != 0 ? GROUP_PLACINGS : std::size_t{1} << 20;
            if (!building_) building_.emplace(rules_.groups[static_cast<std::size_t>(table_)], entries);
            if (!building_->Advance(rules_, moves_, tables_, table_, work)) return false;
            building_.reset();
        }
        return true;
    }

    const LineTables& Tables() const { return tables_; }

  private:
    LineRules rules_;
    MoveMaps moves_;
    LineTables tables_;
    int32_t table_ = 0;
    std::optional<TableBuild> building_;
};

// "Normal"'s, "Unmovable"'s and "Uneven"'s, told apart by their kind and locked moves, started the first
// time each is asked for.
LineTablesBuild& LineTablesBuildFor(const LineRules& rules) {
    static std::array<std::unique_ptr<LineTablesBuild>, 3> builds;
    const bool gapped = rules.kind == LineRules::Kind::Gapped;
    std::unique_ptr<LineTablesBuild>& found = builds[gapped ? 2 : rules.locked[0] ? 1 : 0];
    if (!found) found = std::make_unique<LineTablesBuild>(rules);
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
        for (int32_t shift = 0; shift < 4; ++shift) lookups_[count_++] = {4 + shift, 0, shift};
    }
}

const LineTables& LineTablesFor(const LineRules& rules) {
    LineTablesBuild& build = LineTablesBuildFor(rules);
    int64_t work = INT64_MAX;
    build.Advance(work);
    return build.Tables();
}

bool BuildLineTablesAhead(const LineRules& rules, int64_t& work) {
    return LineTablesBuildFor(rules).Advance(work);
}

}  // namespace tessel
