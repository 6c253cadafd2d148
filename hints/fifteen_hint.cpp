// "15 Puzzle": a shortest solution when one of at most FIFTEEN_OPTIMAL_DEPTH slides exists and the search
// proves it within its node budget; otherwise the board is solved in stages, each of which places one or
// more tiles without disturbing the tiles placed before, by the shortest way.
//
// Why following hints always ends: once the search finds a shortest solution, it finds one a slide
// shorter on every board after (RunByFirstMove), so the hints go home the shortest way. Before that,
// every hint is a stage move, which never takes a placed tile away and brings its stage one slide nearer
// its end.
#include <array>
#include <optional>
#include <string>

#include "game/catalogue.h"
#include "hints/hint_parts.h"
#include "hints/ida_star.h"
#include "hints/staged_search.h"
#include "puzzles/fifteen.h"
#include "puzzles/tile_board.h"

namespace tessel {

namespace {

// The neighbours of the empty cell whose tile can slide in, in the order a tap tests them.
struct Neighbour {
    int32_t dCol;
    int32_t dRow;
    const Message& tileMoves;  // the way the tile goes
};
constexpr std::array<Neighbour, 4> NEIGHBOURS{
    {{0, -1, msg::TILE_DOWN}, {1, 0, msg::TILE_LEFT}, {0, 1, msg::TILE_UP}, {-1, 0, msg::TILE_RIGHT}}};

constexpr int32_t Opposite(int32_t move) {
    return (move + 2) % 4;
}

bool OnBoard(int32_t col, int32_t row) {
    return 1 <= col && col <= 4 && 1 <= row && row <= 4;
}

int32_t Distance(int32_t a, int32_t b) {
    return a > b ? a - b : b - a;
}

// Tiles of a line that must leave it and come back for the others to pass: the line's tiles that belong
// in it, less the longest run of them already in goal order.
int32_t Conflicts(const std::array<int32_t, 4>& goals, int32_t count) {
    std::array<int32_t, 4> longest{};
    int32_t best = 0;
    for (int32_t i = 0; i < count; ++i) {
        longest[i] = 1;
        for (int32_t j = 0; j < i; ++j) {
            if (goals[j] < goals[i] && longest[j] + 1 > longest[i]) longest[i] = longest[j] + 1;
        }
        if (longest[i] > best) best = longest[i];
    }
    return count - best;
}

// The board searched: tiles, the empty cell, and the slides made. The heuristic is the Manhattan distance
// plus two slides for every tile that must step out of its goal line for the others of that line to pass;
// both are kept up to date slide by slide: a slide changes one tile's distance and the conflicts of the two
// lines it leaves and enters.
class FifteenDomain {
  public:
    FifteenDomain(const TileGrid& grid, int32_t blankCol, int32_t blankRow)
        : grid_(grid), blankCol_(blankCol), blankRow_(blankRow) {
        for (int32_t row = 1; row <= 4; ++row) {
            for (int32_t col = 1; col <= 4; ++col) manhattan_ += TileDistance(col, row);
        }
        for (int32_t line = 1; line <= 4; ++line) {
            rowConflicts_[line] = RowConflicts(line);
            columnConflicts_[line] = ColumnConflicts(line);
        }
    }

    // Every slide takes the heuristic one up or one down, as it does the length of every solution.
    static constexpr int32_t BOUND_STEP = 2;

    int32_t Heuristic() const {
        int32_t conflicts = 0;
        for (int32_t line = 1; line <= 4; ++line) conflicts += rowConflicts_[line] + columnConflicts_[line];
        return manhattan_ + 2 * conflicts;
    }
    int32_t MoveCount() const { return 4; }
    bool Play(int32_t move) {
        if (depth_ > 0 && history_[depth_ - 1] == Opposite(move)) return false;
        const Neighbour& n = NEIGHBOURS[move];
        if (!OnBoard(blankCol_ + n.dCol, blankRow_ + n.dRow)) return false;
        Slide(n);
        history_[depth_++] = move;
        return true;
    }
    void Unplay(int32_t move) {
        Slide(NEIGHBOURS[Opposite(move)]);
        --depth_;
    }

  private:
    int32_t TileDistance(int32_t col, int32_t row) const {
        const int32_t tile = grid_.Tile(col, row);
        return tile == 0 ? 0 : Distance(GoalCol(tile), col) + Distance(GoalRow(tile), row);
    }
    int32_t RowConflicts(int32_t row) const {
        std::array<int32_t, 4> goals{};
        int32_t count = 0;
        for (int32_t col = 1; col <= 4; ++col) {
            const int32_t tile = grid_.Tile(col, row);
            if (tile != 0 && GoalRow(tile) == row) goals[count++] = GoalCol(tile);
        }
        return Conflicts(goals, count);
    }
    int32_t ColumnConflicts(int32_t col) const {
        std::array<int32_t, 4> goals{};
        int32_t count = 0;
        for (int32_t row = 1; row <= 4; ++row) {
            const int32_t tile = grid_.Tile(col, row);
            if (tile != 0 && GoalCol(tile) == col) goals[count++] = GoalRow(tile);
        }
        return Conflicts(goals, count);
    }
    // The neighbour's tile slides into the empty cell. A tile sliding up or down stays in its column, in
    // the same order with the column's other tiles; it leaves one row and enters another. Likewise across.
    void Slide(const Neighbour& n) {
        const int32_t fromCol = blankCol_ + n.dCol;
        const int32_t fromRow = blankRow_ + n.dRow;
        const int32_t toCol = blankCol_;
        const int32_t toRow = blankRow_;
        manhattan_ -= TileDistance(fromCol, fromRow);
        SlideIntoEmptyCell(grid_, blankCol_, blankRow_, n.dCol, n.dRow);
        manhattan_ += TileDistance(toCol, toRow);
        if (n.dRow != 0) {
            rowConflicts_[fromRow] = RowConflicts(fromRow);
            rowConflicts_[toRow] = RowConflicts(toRow);
        } else {
            columnConflicts_[fromCol] = ColumnConflicts(fromCol);
            columnConflicts_[toCol] = ColumnConflicts(toCol);
        }
    }

    TileGrid grid_;
    int32_t blankCol_;
    int32_t blankRow_;
    int32_t manhattan_ = 0;
    std::array<int32_t, 5> rowConflicts_{};
    std::array<int32_t, 5> columnConflicts_{};
    std::array<int32_t, MAX_SEARCH_DEPTH + 1> history_{};
    int32_t depth_ = 0;
};

// The stages, in order: each places its tiles while all tiles of the earlier stages stay where they are.
// The last stage's region, the 2 x 2 corner, can hold its three tiles in their cells in one way only.
constexpr std::array<Stage, 7> STAGES{{{{1, 2, 0}, 2},
                                       {{3, 4, 0}, 2},
                                       {{5, 6, 0}, 2},
                                       {{7, 8, 0}, 2},
                                       {{9, 13, 0}, 2},
                                       {{10, 14, 0}, 2},
                                       {{11, 12, 15}, 3}}};

// A stage's board seen as the cells of the empty cell (the key's low four bits) and of the stage's tiles.
int32_t StageKey(const TileGrid& grid, const Stage& stage, int32_t blankCol, int32_t blankRow) {
    return CellIndex(blankCol, blankRow) | StageTilesKey(grid, stage, 4);
}

// A board with the empty cell and the stage's tiles where `key` says, the earlier stages' tiles at home
// and a stand-in tile everywhere else.
constexpr int32_t STAND_IN = 99;
TileGrid StageBoard(const TileGrid& grid, int32_t stageIndex, int32_t key) {
    TileGrid board = grid;
    for (int32_t col = 1; col <= 4; ++col) {
        for (int32_t row = 1; row <= 4; ++row) board.Tile(col, row) = STAND_IN;
    }
    for (int32_t s = 0; s < stageIndex; ++s) {
        for (int32_t i = 0; i < STAGES[s].count; ++i) {
            const int32_t tile = STAGES[s].tiles[i];
            board.Tile(GoalCol(tile), GoalRow(tile)) = tile;
        }
    }
    board.Tile(ColOf(key & 15), RowOf(key & 15)) = 0;
    PutStageTiles(board, STAGES[stageIndex], key, 4);
    return board;
}

// The first slide of the shortest way to finish the board's first unfinished stage, slides in tap order,
// or -1 on a solved board.
int32_t StageMove(const TileGrid& grid, int32_t blankCol, int32_t blankRow) {
    const int32_t stageIndex = FirstStageLeft(STAGES, grid);
    if (stageIndex == static_cast<int32_t>(STAGES.size())) return -1;
    const Stage& stage = STAGES[stageIndex];
    const auto expand = [&](int32_t key, auto reach) {
        const TileGrid board = StageBoard(grid, stageIndex, key);
        const int32_t col = ColOf(key & 15), row = RowOf(key & 15);
        for (int32_t move = 0; move < 4; ++move) {
            const Neighbour& n = NEIGHBOURS[move];
            if (!OnBoard(col + n.dCol, row + n.dRow)) continue;
            if (PlacedBefore(STAGES, stageIndex, board.Tile(col + n.dCol, row + n.dRow))) continue;
            TileGrid next = board;
            int32_t blankCol = col, blankRow = row;
            SlideIntoEmptyCell(next, blankCol, blankRow, n.dCol, n.dRow);
            reach(move, StageKey(next, stage, blankCol, blankRow), StageDone(next, stage));
        }
    };
    return FirstMoveOfFewest(StageKey(grid, stage, blankCol, blankRow), 1 << (4 * (stage.count + 1)), expand);
}

}  // namespace

HintSearch SearchFifteen(const TileGrid& grid, int32_t blankCol, int32_t blankRow) {
    FifteenDomain domain(grid, blankCol, blankRow);
    IdaStar<FifteenDomain> search(domain, FIFTEEN_NODE_BUDGET);
    const SearchResult result = search.RunByFirstMove(FIFTEEN_OPTIMAL_DEPTH);
    HintSearch found{result, -1};
    found.move = result.outcome == SearchResult::Outcome::Solved ? result.firstMove
                                                                 : StageMove(grid, blankCol, blankRow);
    return found;
}

std::optional<Hint> FifteenHint(const Game& game) {
    const TileGrid& grid = game.tileGrid;
    const int32_t move = SearchFifteen(grid, game.blankCol, game.blankRow).move;
    if (move < 0) return std::nullopt;
    const Neighbour& n = NEIGHBOURS[move];
    const int32_t col = game.blankCol + n.dCol;
    const int32_t row = game.blankRow + n.dRow;
    return HintAtSquare(grid.Left(col, row), grid.Top(col, row), Say(n.tileMoves, grid.Tile(col, row)));
}

}  // namespace tessel
