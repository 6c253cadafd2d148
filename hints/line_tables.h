// How many moves bring the four tiles of one line of tiles home, whatever the other tiles do: on "Uneven"
// a column's, indexed by where the four stand and which columns are down, built breadth first from the
// goal the first time the puzzle asks for a hint. Each entry is the length of a shortest way for those
// four alone, so the largest over the lines is a lower bound on the moves left that changes by at most one
// with each move. The boards whose lines all shift round count groups of five tiles instead (below).
//
// A tile's place is its column and its slot, the row counted from the top tile of its column (on
// "Uneven" a column that is down starts at row 2): slot * 4 + column - 1, four bits. An index is the
// columns that are down, a bit each, then the places of the line's tiles in order.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "hints/line_search.h"

namespace tessel {

inline constexpr int32_t LINE_GROUPS = 8;  // rows 1 to 4 of tiles, then columns 1 to 4

constexpr int32_t GroupTile(int32_t group, int32_t k) {
    return group < 4 ? 4 * group + k + 1 : (group - 4) + 4 * k + 1;
}

// Which table serves which line of tiles; none on the boards that shift round. On "Uneven" only the
// columns' tiles are tabled (its rows' tables would cost four times the memory and build time and shorten
// few hints): shifting every column round by one is the same puzzle, so the table of column 1 serves
// column k with the board shifted k - 1 columns back.
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

struct LineTables {
    std::array<std::vector<int8_t>, LINE_GROUPS> moves;
};

// The tables of one set of rules, kept for the rules met lately.
const LineTables& LineTablesFor(const LineRules& rules);

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

struct GroupTables {
    std::array<std::vector<uint8_t>, MAX_GROUP_TABLES> moves;  // by table, two entries a byte, lower first
    std::array<GroupLookup, MAX_GROUP_LOOKUPS> lookups{};
    int32_t lookupCount = 0;

    int32_t Moves(int32_t table, uint32_t rank) const {
        return moves[static_cast<std::size_t>(table)][rank >> 1] >> ((rank & 1) << 2) & 15;
    }
};

// Built, or finished, the first time a hint asks for them, unless built ahead.
const GroupTables& GroupTablesFor(const LineRules& rules);

// Builds the rules' tables ahead a slice at a time: expands or ranks up to `work` placings, taking what it
// does from `work`; true once they are whole.
bool BuildGroupTablesAhead(const LineRules& rules, int64_t& work);

}  // namespace tessel
