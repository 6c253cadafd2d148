// "Almost Impossible": a shortest solution when the search finds one within its node budget; otherwise
// the board is solved in stages that never disturb what earlier stages placed: tile 1, tile 2, tiles 3
// and 4 together, then row 2 the same way, each by the fewest turns of the blocks that hold no placed
// tile; then the last two rows, whose 8! arrangements under the three blocks left have their distances
// in a table built at first use (40,320 bytes).
//
// Why following hints always ends: once the search finds a shortest solution, it finds one a move shorter
// on every board after (RunByFirstMove), so the hints go home the shortest way. Before that, every hint is
// a stage turn, which never takes a placed tile away and brings its stage one turn nearer its end.
#include <algorithm>
#include <array>
#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "core/cells.h"
#include "game/catalogue.h"
#include "hints/hint_parts.h"
#include "hints/ida_star.h"
#include "hints/staged_search.h"
#include "puzzles/almost_impossible.h"
#include "puzzles/tile_board.h"

namespace tessel {

namespace {

constexpr int32_t BLOCKS = 9;

constexpr int32_t BlockCol(int32_t block) {
    return block % 3 + 1;
}
constexpr int32_t BlockRow(int32_t block) {
    return block / 3 + 1;
}

// Blocks that share no cell: their turns can be made in either order.
constexpr bool Disjoint(int32_t a, int32_t b) {
    const int32_t dc = BlockCol(a) - BlockCol(b);
    const int32_t dr = BlockRow(a) - BlockRow(b);
    return dc >= 2 || dc <= -2 || dr >= 2 || dr <= -2;
}

// A block's four cells in the order a clockwise turn carries a tile round: top-left, top-right,
// bottom-right, bottom-left, by their CellIndex.
using BlockCells = std::array<std::array<uint8_t, 4>, BLOCKS>;
BlockCells MakeBlockCells() {
    BlockCells cells{};
    for (int32_t block = 0; block < BLOCKS; ++block) {
        // The puzzle's own turn, on a board marked with each cell's number, tells where each tile goes.
        TileGrid grid{};
        for (int32_t cell = 0; cell < 16; ++cell) grid.Tile(ColOf(cell), RowOf(cell)) = cell;
        TurnBlock(grid, BlockCol(block), BlockRow(block), Turn::Clockwise);
        int32_t cell = CellIndex(BlockCol(block), BlockRow(block));
        for (auto& step : cells[block]) {
            step = static_cast<uint8_t>(cell);
            int32_t next = cell;
            for (int32_t to = 0; to < 16; ++to) {
                if (grid.Tile(ColOf(to), RowOf(to)) == cell) next = to;
            }
            cell = next;
        }
    }
    return cells;
}

const BlockCells& Blocks() {
    static const BlockCells cells = MakeBlockCells();
    return cells;
}

// The board as the search sees it: the cell of every tile, numbered by the cell it belongs in.
using Places = std::array<uint8_t, 16>;

void TurnPlaces(Places& places, std::array<uint8_t, 16>& tileAt, int32_t block, Turn turn) {
    const auto& cells = Blocks()[block];
    const int32_t step = turn == Turn::Clockwise ? 1 : 3;
    const std::array<uint8_t, 4> before{tileAt[cells[0]], tileAt[cells[1]], tileAt[cells[2]],
                                        tileAt[cells[3]]};
    for (int32_t i = 0; i < 4; ++i) {
        const uint8_t to = cells[(i + step) % 4];
        tileAt[to] = before[i];
        places[before[i]] = to;
    }
}

// The fewest turns that bring five given tiles home, whatever the other tiles do, for every way the five
// can stand: indexed by their cells, four bits each. Three groups are tabled: row 1 with the first tile of
// row 2, row 2 with the first of row 3, and the top-left block with tile 3. A quarter turn of the whole
// board takes blocks to blocks and clockwise turns to clockwise turns, so each table also serves the
// groups turned round by it: twelve groups, the largest of their counts a lower bound on the turns left.
// 3 MiB, built breadth first from the goal at the first hint.
constexpr int32_t GROUP_SIZE = 5;
using Group = std::array<uint8_t, GROUP_SIZE>;
constexpr std::array<Group, 3> GROUPS{{{0, 1, 2, 3, 4}, {4, 5, 6, 7, 8}, {0, 1, 4, 5, 2}}};
constexpr int32_t GROUP_INDEXES = 1 << (4 * GROUP_SIZE);
constexpr int32_t GROUP_ARRANGEMENTS = 16 * 15 * 14 * 13 * 12;

// Where a quarter turn of the whole board clockwise takes a cell.
constexpr uint8_t TurnedCell(uint8_t cell) {
    return static_cast<uint8_t>(CellIndex(5 - RowOf(cell), ColOf(cell)));
}

std::vector<int8_t> MakeGroupTable(const Group& group) {
    // Where each cell's tile stood before a clockwise turn of each block.
    std::array<std::array<uint8_t, 16>, BLOCKS> before{};
    for (int32_t block = 0; block < BLOCKS; ++block) {
        const auto& cells = Blocks()[block];
        for (uint8_t cell = 0; cell < 16; ++cell) before[block][cell] = cell;
        for (int32_t k = 0; k < 4; ++k) before[block][cells[k]] = cells[(k + 3) % 4];
    }
    std::vector<int8_t> turns(GROUP_INDEXES, -1);
    std::vector<int32_t> queue;
    queue.reserve(GROUP_ARRANGEMENTS);
    int32_t goal = 0;
    for (const uint8_t cell : group) goal = goal << 4 | cell;
    queue.push_back(goal);
    turns[static_cast<std::size_t>(goal)] = 0;
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const int32_t index = queue[head];
        const auto next = static_cast<int8_t>(turns[static_cast<std::size_t>(index)] + 1);
        for (const auto& from : before) {
            int32_t earlier = 0;
            for (int32_t shift = 4 * (GROUP_SIZE - 1); shift >= 0; shift -= 4)
                earlier = earlier << 4 | from[(index >> shift) & 15];
            int8_t& entry = turns[static_cast<std::size_t>(earlier)];
            if (entry >= 0) continue;
            entry = next;
            queue.push_back(earlier);
        }
    }
    return turns;
}

struct GroupTables {
    std::array<std::vector<int8_t>, GROUPS.size()> turns;
    // For each table and each quarter turn of the board: the group's tiles, and for every cell the cell
    // it is turned back to.
    std::array<std::array<Group, 4>, GROUPS.size()> tiles;
    std::array<std::array<uint8_t, 16>, 4> turnedBack;
};

GroupTables MakeGroupTables() {
    GroupTables tables;
    for (std::size_t g = 0; g < GROUPS.size(); ++g) {
        tables.turns[g] = MakeGroupTable(GROUPS[g]);
        Group tiles = GROUPS[g];
        for (auto& turned : tables.tiles[g]) {
            turned = tiles;
            for (auto& tile : tiles) tile = TurnedCell(tile);
        }
    }
    for (uint8_t cell = 0; cell < 16; ++cell) {
        uint8_t back = cell;
        for (auto& turned : tables.turnedBack) {
            turned[cell] = back;
            back = TurnedCell(TurnedCell(TurnedCell(back)));
        }
    }
    return tables;
}

const GroupTables& Tables() {
    static const GroupTables tables = MakeGroupTables();
    return tables;
}

// The board searched. Turns of blocks that share no cell are made in one order only; that is the one
// move refused, and it depends on the turn before alone.
class TurnDomain {
  public:
    static constexpr int32_t BOUND_STEP = 1;

    explicit TurnDomain(const TileGrid& grid) : tables_(Tables()) {
        for (int32_t cell = 0; cell < 16; ++cell) {
            const auto tile = static_cast<uint8_t>(grid.Tile(ColOf(cell), RowOf(cell)) - 1);
            tileAt_[cell] = tile;
            places_[tile] = static_cast<uint8_t>(cell);
        }
    }

    int32_t Heuristic() const { return HeuristicUpTo(INT32_MAX); }
    // The groups' counts are looked up until one passes the limit, the group that passed it last time
    // first.
    int32_t HeuristicUpTo(int32_t limit) const {
        int32_t most = 0;
        for (int32_t i = 0; i < GROUP_LOOKUPS; ++i) {
            const int32_t lookup = (lastOver_ + i) % GROUP_LOOKUPS;
            most = std::max(most, GroupTurns(lookup));
            if (most > limit) {
                lastOver_ = lookup;
                break;
            }
        }
        return most;
    }
    int32_t MoveCount() const { return BLOCKS; }
    bool Play(int32_t block) {
        if (depth_ > 0 && Disjoint(history_[depth_ - 1], block) && history_[depth_ - 1] > block) return false;
        TurnPlaces(places_, tileAt_, block, Turn::Clockwise);
        history_[depth_++] = block;
        return true;
    }
    void Unplay(int32_t block) {
        TurnPlaces(places_, tileAt_, block, Turn::CounterClockwise);
        --depth_;
    }

  private:
    static constexpr int32_t GROUP_LOOKUPS = 4 * static_cast<int32_t>(GROUPS.size());

    int32_t GroupTurns(int32_t lookup) const {
        const auto g = static_cast<std::size_t>(lookup / 4);
        const auto k = static_cast<std::size_t>(lookup % 4);
        int32_t index = 0;
        for (const uint8_t tile : tables_.tiles[g][k])
            index = index << 4 | tables_.turnedBack[k][places_[tile]];
        return tables_.turns[g][static_cast<std::size_t>(index)];
    }

    const GroupTables& tables_;
    mutable int32_t lastOver_ = 0;
    Places places_{};
    std::array<uint8_t, 16> tileAt_{};
    std::array<int32_t, MAX_SEARCH_DEPTH + 1> history_{};
    int32_t depth_ = 0;
};

// The stages before the last two rows: each places its tiles with the blocks that hold no tile placed by
// an earlier stage.
constexpr std::array<Stage, 6> STAGES{
    {{{1, 0, 0}, 1}, {{2, 0, 0}, 1}, {{3, 4, 0}, 2}, {{5, 0, 0}, 1}, {{6, 0, 0}, 1}, {{7, 8, 0}, 2}}};

// Whether turning the block would move a tile that an earlier stage than `stageIndex` placed.
bool HoldsPlacedTile(int32_t block, int32_t stageIndex) {
    for (int32_t dr = 0; dr <= 1; ++dr) {
        for (int32_t dc = 0; dc <= 1; ++dc) {
            if (PlacedBefore(STAGES, stageIndex, GoalTile(BlockCol(block) + dc, BlockRow(block) + dr)))
                return true;
        }
    }
    return false;
}

// The first turn of the fewest turns that finish the stage, blocks in reading order.
int32_t StageMove(int32_t stageIndex, const TileGrid& grid) {
    const Stage& stage = STAGES[stageIndex];
    const auto expand = [&](int32_t key, auto reach) {
        for (int32_t block = 0; block < BLOCKS; ++block) {
            if (HoldsPlacedTile(block, stageIndex)) continue;
            TileGrid next{};
            PutStageTiles(next, stage, key, 0);
            TurnBlock(next, BlockCol(block), BlockRow(block), Turn::Clockwise);
            reach(block, StageTilesKey(next, stage, 0), StageDone(next, stage));
        }
    };
    return FirstMoveOfFewest(StageTilesKey(grid, stage, 0), 1 << (4 * stage.count), expand);
}

// The last two rows: tiles 9 to 16 in the eight cells of rows 3 and 4, turned by blocks (1, 3), (2, 3)
// and (3, 3). An arrangement is ranked by its Lehmer code over the cells in reading order.
constexpr std::array<int32_t, 3> FOOT_BLOCKS{6, 7, 8};
constexpr int32_t FOOT_ARRANGEMENTS = 40320;

int32_t FootRank(const TileGrid& grid) {
    std::array<int32_t, 8> tiles{};
    for (int32_t i = 0; i < 8; ++i) tiles[i] = grid.Tile(ColOf(i), RowOf(i) + 2) - 9;
    int32_t rank = 0;
    for (int32_t i = 0; i < 8; ++i) {
        int32_t smaller = 0;
        for (int32_t j = i + 1; j < 8; ++j) smaller += tiles[j] < tiles[i] ? 1 : 0;
        rank = rank * (8 - i) + smaller;
    }
    return rank;
}

TileGrid FootBoard(int32_t rank) {
    std::array<int32_t, 8> code{};
    for (int32_t i = 7; i >= 0; --i) {
        code[i] = rank % (8 - i);
        rank /= 8 - i;
    }
    std::array<bool, 8> used{};
    TileGrid grid{};
    for (int32_t i = 0; i < 8; ++i) {
        int32_t tile = 0;
        for (int32_t skip = code[i];; ++tile) {
            if (used[tile]) continue;
            if (skip-- == 0) break;
        }
        used[tile] = true;
        grid.Tile(ColOf(i), RowOf(i) + 2) = tile + 9;
    }
    return grid;
}

// The fewest clockwise turns from each arrangement to the goal: breadth first from the goal, turning
// counter-clockwise.
std::vector<int8_t> MakeFootDistances() {
    std::vector<int8_t> distance(FOOT_ARRANGEMENTS, -1);
    std::vector<int32_t> queue;
    queue.reserve(FOOT_ARRANGEMENTS);
    TileGrid goal{};
    WriteGoalOrder(goal);
    const int32_t start = FootRank(goal);
    distance[static_cast<std::size_t>(start)] = 0;
    queue.push_back(start);
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const TileGrid board = FootBoard(queue[head]);
        for (const int32_t block : FOOT_BLOCKS) {
            TileGrid before = board;
            TurnBlock(before, BlockCol(block), BlockRow(block), Turn::CounterClockwise);
            const auto rank = static_cast<std::size_t>(FootRank(before));
            if (distance[rank] >= 0) continue;
            distance[rank] = static_cast<int8_t>(distance[static_cast<std::size_t>(queue[head])] + 1);
            queue.push_back(static_cast<int32_t>(rank));
        }
    }
    return distance;
}

int32_t FootMove(const TileGrid& grid) {
    static const std::vector<int8_t> distance = MakeFootDistances();
    const int32_t here = distance[static_cast<std::size_t>(FootRank(grid))];
    for (const int32_t block : FOOT_BLOCKS) {
        TileGrid next = grid;
        TurnBlock(next, BlockCol(block), BlockRow(block), Turn::Clockwise);
        if (distance[static_cast<std::size_t>(FootRank(next))] == here - 1) return block;
    }
    return -1;
}

int32_t StagedMove(const TileGrid& grid) {
    const int32_t stage = FirstStageLeft(STAGES, grid);
    if (stage < static_cast<int32_t>(STAGES.size())) return StageMove(stage, grid);
    return IsInGoalOrder(grid) ? -1 : FootMove(grid);
}

}  // namespace

HintSearch SearchAlmostImpossible(const TileGrid& grid) {
    TurnDomain domain(grid);
    IdaStar<TurnDomain> search(domain, ALMOST_IMPOSSIBLE_NODE_BUDGET);
    const SearchResult result = search.RunByFirstMove(ALMOST_IMPOSSIBLE_SEARCH_DEPTH);
    HintSearch found{result, -1};
    found.move = result.outcome == SearchResult::Outcome::Solved ? result.firstMove : StagedMove(grid);
    return found;
}

std::optional<Hint> AlmostImpossibleHint(const Game& game) {
    const TileGrid& grid = game.tileGrid;
    const int32_t block = SearchAlmostImpossible(grid).move;
    if (block < 0) return std::nullopt;
    const int32_t col = BlockCol(block);
    const int32_t row = BlockRow(block);
    // The inner corner, where the block's four cells meet; the outline is the block.
    const Point corner = InnerCorner(grid, col, row);
    return Hint{corner.x,
                corner.y,
                Say(msg::TURN_BLOCK_AT, col, row),
                grid.Left(col, row),
                grid.Top(col, row),
                2 * CELL_SIZE,
                2 * CELL_SIZE};
}

}  // namespace tessel
