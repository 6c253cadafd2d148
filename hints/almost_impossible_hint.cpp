// "Almost Impossible": a shortest solution when the search finds one within its node budget; otherwise
// the board is solved in stages that never disturb what earlier stages placed: tile 1, tile 2, tiles 3
// and 4 together, then row 2 the same way, each by the fewest turns of the blocks that hold no placed
// tile; then the last two rows, whose 8! arrangements under the three blocks left have their distances
// in a table built at first use (40,320 bytes).
//
// Shortest-way turns bring the board one turn nearer the goal, and stage turns never take a placed tile away
// and bring the stage one turn nearer its end. The two are not tied by one measure: a board whose search
// succeeds may lead to one where it runs out of nodes, and the stages start from wherever that stands.
#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "hints/hint_parts.h"
#include "hints/ida_star.h"
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

constexpr int32_t Cell(int32_t col, int32_t row) {
    return (row - 1) * 4 + (col - 1);
}
constexpr int32_t GoalCell(int32_t tile) {
    return tile - 1;
}

// Where a clockwise turn of each block takes a tile standing in each cell (its own cell if the block
// does not hold it), found by turning a board that holds one marked tile.
using Steps = std::array<std::array<int8_t, BLOCKS>, 16>;
Steps MakeSteps() {
    Steps steps{};
    for (int32_t cell = 0; cell < 16; ++cell) {
        for (int32_t block = 0; block < BLOCKS; ++block) {
            TileGrid grid{};
            grid.Tile(cell % 4 + 1, cell / 4 + 1) = 1;
            TurnBlock(grid, BlockCol(block), BlockRow(block), Turn::Clockwise);
            for (int32_t to = 0; to < 16; ++to) {
                if (grid.Tile(to % 4 + 1, to / 4 + 1) == 1) steps[cell][block] = static_cast<int8_t>(to);
            }
        }
    }
    return steps;
}

// The fewest clockwise turns that take a lone tile from one cell to another: [from][to].
using TileDistances = std::array<std::array<int8_t, 16>, 16>;
TileDistances MakeTileDistances(const Steps& steps) {
    TileDistances distance{};
    for (int32_t from = 0; from < 16; ++from) {
        distance[from].fill(-1);
        std::array<int32_t, 16> queue{};
        int32_t tail = 0;
        distance[from][from] = 0;
        queue[tail++] = from;
        for (int32_t head = 0; head < tail; ++head) {
            for (int32_t block = 0; block < BLOCKS; ++block) {
                const int32_t to = steps[queue[head]][block];
                if (distance[from][to] >= 0) continue;
                distance[from][to] = static_cast<int8_t>(distance[from][queue[head]] + 1);
                queue[tail++] = to;
            }
        }
    }
    return distance;
}

const TileDistances& Distances() {
    static const TileDistances distances = MakeTileDistances(MakeSteps());
    return distances;
}

// Every turn moves four tiles one cell each, so it takes at most four off the tiles' summed lone-tile
// distances, and one off the largest. The sum and how many tiles stand at each distance are kept up to date
// turn by turn.
class TurnDomain {
  public:
    explicit TurnDomain(const TileGrid& grid) : grid_(grid), distances_(Distances()) {
        for (int32_t row = 1; row <= 4; ++row) {
            for (int32_t col = 1; col <= 4; ++col) Count(col, row, 1);
        }
    }

    int32_t Heuristic() const {
        int32_t largest = static_cast<int32_t>(atDistance_.size()) - 1;
        while (largest > 0 && atDistance_[static_cast<std::size_t>(largest)] == 0) --largest;
        return std::max(largest, (sum_ + 3) / 4);
    }
    int32_t MoveCount() const { return BLOCKS; }
    // A fourth turn of one block undoes the three before it; turns of blocks that share no cell are made
    // in one order only.
    bool Play(int32_t block) {
        if (depth_ >= 3 && history_[depth_ - 1] == block && history_[depth_ - 2] == block &&
            history_[depth_ - 3] == block) {
            return false;
        }
        if (depth_ > 0 && Disjoint(history_[depth_ - 1], block) && history_[depth_ - 1] > block) return false;
        TurnCounted(block, Turn::Clockwise);
        history_[depth_++] = block;
        return true;
    }
    void Unplay(int32_t block) {
        TurnCounted(block, Turn::CounterClockwise);
        --depth_;
    }

  private:
    void Count(int32_t col, int32_t row, int32_t sign) {
        const int32_t d = distances_[Cell(col, row)][GoalCell(grid_.Tile(col, row))];
        sum_ += sign * d;
        atDistance_[static_cast<std::size_t>(d)] += sign;
    }
    void CountBlock(int32_t block, int32_t sign) {
        for (int32_t dr = 0; dr <= 1; ++dr) {
            for (int32_t dc = 0; dc <= 1; ++dc) Count(BlockCol(block) + dc, BlockRow(block) + dr, sign);
        }
    }
    void TurnCounted(int32_t block, Turn turn) {
        CountBlock(block, -1);
        TurnBlock(grid_, BlockCol(block), BlockRow(block), turn);
        CountBlock(block, 1);
    }

    TileGrid grid_;
    const TileDistances& distances_;
    int32_t sum_ = 0;
    std::array<int32_t, 16> atDistance_{};
    std::array<int32_t, MAX_SEARCH_DEPTH + 1> history_{};
    int32_t depth_ = 0;
};

// The stages before the last two rows: each places its tiles with the blocks that hold no tile placed by
// an earlier stage.
struct Stage {
    std::array<int32_t, 2> tiles;
    int32_t count;
};
constexpr std::array<Stage, 6> STAGES{
    {{{1, 0}, 1}, {{2, 0}, 1}, {{3, 4}, 2}, {{5, 0}, 1}, {{6, 0}, 1}, {{7, 8}, 2}}};

bool IsHome(const TileGrid& grid, int32_t tile) {
    return grid.Tile((tile - 1) % 4 + 1, (tile - 1) / 4 + 1) == tile;
}

bool StageDone(const TileGrid& grid, const Stage& stage) {
    for (int32_t i = 0; i < stage.count; ++i) {
        if (!IsHome(grid, stage.tiles[i])) return false;
    }
    return true;
}

// Whether turning the block would move a tile that an earlier stage than `stageIndex` placed.
bool HoldsPlacedTile(int32_t block, int32_t stageIndex) {
    for (int32_t s = 0; s < stageIndex; ++s) {
        for (int32_t i = 0; i < STAGES[s].count; ++i) {
            const int32_t cell = GoalCell(STAGES[s].tiles[i]);
            const int32_t dc = cell % 4 + 1 - BlockCol(block);
            const int32_t dr = cell / 4 + 1 - BlockRow(block);
            if ((dc == 0 || dc == 1) && (dr == 0 || dr == 1)) return true;
        }
    }
    return false;
}

// The first turn of the fewest turns that finish the stage, breadth first over the cells of the stage's
// tiles (the other tiles do not matter to it), blocks in reading order.
int32_t StageMove(int32_t stageIndex, const TileGrid& grid) {
    const Stage& stage = STAGES[stageIndex];
    const auto keyOf = [&](const TileGrid& board) {
        int32_t key = 0;
        for (int32_t i = 0; i < stage.count; ++i) {
            for (int32_t cell = 0; cell < 16; ++cell) {
                if (board.Tile(cell % 4 + 1, cell / 4 + 1) == stage.tiles[i]) key |= cell << (4 * i);
            }
        }
        return key;
    };
    const auto boardOf = [&](int32_t key) {
        TileGrid board{};
        for (int32_t i = 0; i < stage.count; ++i) {
            const int32_t cell = (key >> (4 * i)) & 15;
            board.Tile(cell % 4 + 1, cell / 4 + 1) = stage.tiles[i];
        }
        return board;
    };
    std::array<int8_t, 256> firstMove{};
    firstMove.fill(-1);
    std::array<int32_t, 256> queue{};
    int32_t tail = 0;
    const int32_t start = keyOf(grid);
    firstMove[start] = BLOCKS;  // visited; no turn yet
    queue[tail++] = start;
    for (int32_t head = 0; head < tail; ++head) {
        const int32_t key = queue[head];
        for (int32_t block = 0; block < BLOCKS; ++block) {
            if (HoldsPlacedTile(block, stageIndex)) continue;
            TileGrid next = boardOf(key);
            TurnBlock(next, BlockCol(block), BlockRow(block), Turn::Clockwise);
            const int32_t nextKey = keyOf(next);
            if (firstMove[nextKey] != -1) continue;
            const int8_t first = key == start ? static_cast<int8_t>(block) : firstMove[key];
            if (StageDone(next, stage)) return first;
            firstMove[nextKey] = first;
            queue[tail++] = nextKey;
        }
    }
    return -1;
}

// The last two rows: tiles 9 to 16 in the eight cells of rows 3 and 4, turned by blocks (1, 3), (2, 3)
// and (3, 3). An arrangement is ranked by its Lehmer code over the cells in reading order.
constexpr std::array<int32_t, 3> FOOT_BLOCKS{6, 7, 8};
constexpr int32_t FOOT_ARRANGEMENTS = 40320;

int32_t FootRank(const TileGrid& grid) {
    std::array<int32_t, 8> tiles{};
    for (int32_t i = 0; i < 8; ++i) tiles[i] = grid.Tile(i % 4 + 1, i / 4 + 3) - 9;
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
        grid.Tile(i % 4 + 1, i / 4 + 3) = tile + 9;
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
    for (int32_t s = 0; s < static_cast<int32_t>(STAGES.size()); ++s) {
        if (!StageDone(grid, STAGES[s])) return StageMove(s, grid);
    }
    return IsInGoalOrder(grid) ? -1 : FootMove(grid);
}

}  // namespace

HintSearch SearchAlmostImpossible(const TileGrid& grid) {
    TurnDomain domain(grid);
    IdaStar<TurnDomain> search(domain, ALMOST_IMPOSSIBLE_NODE_BUDGET);
    const SearchResult result = search.Run(ALMOST_IMPOSSIBLE_SEARCH_DEPTH);
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
    return Hint{grid.Left(col + 1, row),
                grid.Top(col + 1, row + 1),
                "turn block at column " + std::to_string(col) + ", row " + std::to_string(row),
                grid.Left(col, row),
                grid.Top(col, row),
                2 * CELL_SIZE,
                2 * CELL_SIZE};
}

}  // namespace tessel
