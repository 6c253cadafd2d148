// Lower bounds on the moves left for the line puzzles: tables of how many moves bring a few tiles home,
// whatever the other tiles do, each built breadth first from the goal (the rules allow each move's
// opposite wherever the move leads, so the moves from the goal count the moves to it). Each entry is the
// length of a shortest way for those tiles alone, so the largest over the tables looked up is a lower
// bound that changes by at most one with each move.
//
// On "Uneven" the table counts the four tiles of a column: a tile's place is its column and its slot, the
// row counted from the top tile of its column (a column that is down starts at row 2), slot * 4 + column
// - 1, four bits; an index is the columns that are down, a bit each, then the places of the column's
// tiles in order. The boards whose lines all shift round count groups of five tiles instead (below).
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "hints/line_search.h"

namespace tessel {

inline constexpr int32_t LINE_GROUPS = 8;  // rows 1 to 4 of tiles, then columns 1 to 4

constexpr int32_t GroupTile(int32_t group, int32_t k) {
    return group < 4 ? 4 * group + k + 1 : (group - 4) + 4 * k + 1;
}

// Which table serves which line of tiles on "Uneven". Only the columns' tiles are tabled (the rows' tables
// would cost four times the memory and build time and shorten few hints): shifting every column round by
// one is the same puzzle, so the one table, column 1's, serves column k with the board shifted k - 1
// columns back. Its goal is rules.groups[0]: no column down, then the places of column 1's tiles.
struct LineLookup {
    int32_t group;
    int32_t table;
    int32_t shift;  // columns the board is shifted back
};

class LineLookups {
  public:
    explicit LineLookups(const LineRules& rules);
    const LineLookup* begin() const { return lookups_.data(); }
    const LineLookup* end() const { return lookups_.data() + count_; }
    int32_t size() const { return count_; }
    const LineLookup& operator[](int32_t i) const { return lookups_[static_cast<std::size_t>(i)]; }

  private:
    std::array<LineLookup, LINE_GROUPS> lookups_{};
    int32_t count_ = 0;
};

// On the boards whose lines all shift round ("Normal", "Unmovable") the tables count five tiles instead:
// how many moves bring the five tiles of rules.groups home, whatever the others do, indexed by the five
// tiles' cells (GroupRank), half a byte an entry: 256 KiB a table, which stays in the processor's cache
// better than the byte per four bits of cells of the lines' tables would.
// Turning, mirroring or shifting the whole board round (every line with it) takes moves to moves; each
// such change that the rules' locked lines allow makes a table serve the group it carries the table's to:
// "Normal"'s one table serves 64 groups, each of "Unmovable"'s several serves up to eight.
struct GroupLookup {
    int32_t table;
    std::array<uint8_t, GROUP_TILES> tiles;  // the board's tiles looked up
    std::array<uint8_t, 16> cell;            // where a board cell stands on the table's board
};

// Five different cells numbered 0 to 524,159: the first of 16 cells, the second of the 15 left, and so on.
inline constexpr uint32_t GROUP_PLACINGS = 16 * 15 * 14 * 13 * 12;
template <typename CellOf>
uint32_t GroupRank(CellOf cellOf) {
    std::array<uint32_t, GROUP_TILES> cells{};
    uint32_t index = 0;
    for (uint32_t k = 0; k < GROUP_TILES; ++k) {
        cells[k] = cellOf(k);
        uint32_t below = 0;  // cells taken before it with lower numbers
        for (uint32_t j = 0; j < k; ++j) below += cells[j] < cells[k] ? 1 : 0;
        index = index * (16 - k) + cells[k] - below;
    }
    return index;
}

inline constexpr int32_t MAX_GROUP_TABLES = 4;
inline constexpr int32_t MAX_GROUP_LOOKUPS = 64;

struct LineTables {
    // By table and index: two entries a byte, lower first; "Uneven"'s, whose counts pass 15, one a byte.
    std::array<std::vector<uint8_t>, MAX_GROUP_TABLES> moves;
    uint32_t paired = 1;  // 1 when two entries share a byte
    std::array<GroupLookup, MAX_GROUP_LOOKUPS> lookups{};
    int32_t lookupCount = 0;

    int32_t Moves(int32_t table, uint32_t index) const {
        return moves[static_cast<std::size_t>(table)][index >> paired] >> ((index & paired) << 2) & Most();
    }
    // Counts past the most an entry holds are written as the most.
    void Put(int32_t table, uint32_t index, uint32_t count) {
        moves[static_cast<std::size_t>(table)][index >> paired] |=
            static_cast<uint8_t>(std::min(count, Most()) << ((index & paired) << 2));
    }
    uint32_t Most() const { return 255u >> (paired << 2); }
};

// Built, or finished, the first time a hint asks for them, unless built ahead.
const LineTables& LineTablesFor(const LineRules& rules);

// Builds the rules' tables ahead a slice at a time: expands or indexes up to `work` positions, taking what
// it does from `work`; true once they are whole.
bool BuildLineTablesAhead(const LineRules& rules, int64_t& work);

}  // namespace tessel
