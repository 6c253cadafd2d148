// How many moves bring the four tiles of one row, or of one column, home, whatever the other tiles do:
// a table for each of the eight lines of tiles, indexed by where the four stand (and, on "Uneven", which
// columns are down), built breadth first from the goal the first time a puzzle asks for a hint. Each
// entry is the length of a shortest way for those four alone, so the largest of the eight is a lower
// bound on the moves left that changes by at most one with each move.
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

// Which table serves which line of tiles. On "Uneven" only the columns' tiles are tabled (its rows'
// tables would cost four times the memory and build time and shorten few hints): shifting every column
// round by one is the same puzzle, so the table of column 1 serves column k with the board shifted k - 1
// columns back.
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

}  // namespace tessel
