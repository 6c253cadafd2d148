// Hints: following them solves every puzzle from scrambles, long random play and boards built to be hard;
// hinted taps act; the hint is the board's alone; boards near the goal take the fewest moves (own solvers).
#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <map>
#include <optional>
#include <random>
#include <tuple>
#include <vector>

#include "hints/hint.h"
#include "puzzles/almost_impossible.h"
#include "puzzles/fifteen.h"
#include "puzzles/lights_out.h"
#include "puzzles/line_shifts.h"
#include "puzzles/normal.h"
#include "puzzles/tile_board.h"
#include "puzzles/uneven.h"
#include "puzzles/unmovable.h"
#include "tests/test_support.h"

namespace tessel::testing {
namespace {

// Taps hints through the tap cycle until none is left or `cap` moves are made; fails the test at once if
// a hinted tap does not move anything or lies outside its outline.
int32_t FollowHints(Game& game, int32_t cap) {
    int32_t moves = 0;
    for (std::optional<Hint> hint = FindHint(game); hint && moves < cap; hint = FindHint(game), ++moves) {
        EXPECT_TRUE(hint->left <= hint->x && hint->x <= hint->left + hint->width && hint->top <= hint->y &&
                    hint->y <= hint->top + hint->height)
            << hint->move;
        const TileGrid tiles = game.tileGrid;
        const LightGrid lights = game.lightGrid;
        Tap(game, hint->x, hint->y);
        if (!game.tapActed || (game.tileGrid.tile == tiles.tile && game.lightGrid.lit == lights.lit)) {
            ADD_FAILURE() << "the hint \"" << hint->move << "\" at " << hint->x << "," << hint->y
                          << " did not act";
            return cap;
        }
    }
    return moves;
}

// The middle of every cell where a tap can make a move; taps that change nothing are skipped.
void PlayRandomMoves(Game& game, std::mt19937& random, int32_t count) {
    for (int32_t made = 0; made < count;) {
        const TileGrid tiles = game.tileGrid;
        const LightGrid lights = game.lightGrid;
        int32_t x = 0, y = 0;
        if (game.screen == SCREEN_LIGHTS_OUT) {
            x = game.lightGrid.Left(static_cast<int32_t>(random() % 5) + 1, 1) + 12;
            y = game.lightGrid.Top(1, static_cast<int32_t>(random() % 5) + 1) + 12;
        } else if (game.screen == SCREEN_ALMOST_IMPOSSIBLE) {
            x = game.tileGrid.Left(static_cast<int32_t>(random() % 3) + 2, 1);
            y = game.tileGrid.Top(1, static_cast<int32_t>(random() % 3) + 2);
        } else {
            // Any cell of the grid and the row under it: arrows, tiles, the gaps of "Uneven".
            x = game.tileGrid.Left(static_cast<int32_t>(random() % 6), 0) + 12;
            y = game.tileGrid.Top(0, static_cast<int32_t>(random() % 7)) + 12;
        }
        if (y >= QUIT_Y) continue;
        game.solved = 0;
        Tap(game, x, y);
        if (game.tileGrid.tile != tiles.tile || game.lightGrid.lit != lights.lit) ++made;
    }
    game.solved = 0;
}

struct Bounds {
    const PuzzleLabel& label;
    int32_t scrambled;   // the most moves following hints may take from a fresh scramble
    int32_t far;         // ... and from a board after 500 random moves
    int32_t exactDepth;  // boards this many moves from the goal are solved in their fewest moves
};

// The goal; "Uneven" with the columns in `downColumns` (a bit each) slid down.
void WriteGoal(Game& game, int32_t downColumns = 0) {
    game.tileGrid.tile.fill(0);
    game.lightGrid.lit.fill(0);
    WriteGoalOrder(game.tileGrid);
    if (game.screen == SCREEN_FIFTEEN) game.tileGrid.Tile(4, 4) = 0, game.blankCol = game.blankRow = 4;
    for (int32_t col = 1; col <= 4; ++col) {
        if ((downColumns >> (col - 1)) & 1) SlideColumnDown(game.tileGrid, col);
    }
}

// Boards built to be hard, one for each `i` until false: the goal with two of three tiles swapped, or the
// three turned round: the last three (15, 16 once took 117 ms); on "Unmovable" the locked row's, under every
// pair of locked lines (locks 2, 4 with 13, 15 swapped once sent hints back and forth); on "Uneven" row 1's,
// under every gap pattern.
bool BuildHardBoard(Game& game, int32_t i) {
    const int32_t setting = i / 2;
    const bool everyLayout = game.screen == SCREEN_UNMOVABLE || game.screen == SCREEN_UNEVEN;
    if (setting >=
        (everyLayout ? 16 : game.screen == SCREEN_NORMAL || game.screen == SCREEN_ALMOST_IMPOSSIBLE))
        return false;
    std::array<int32_t, 3> tiles{14, 15, 16};
    if (game.screen == SCREEN_UNMOVABLE) {
        game.fixedColumn = setting % 4 + 1, game.fixedRow = setting / 4 + 1;
        for (int32_t col = 1, k = 0; col <= 4; ++col) {
            if (col != game.fixedColumn) tiles[static_cast<std::size_t>(k++)] = (game.fixedRow - 1) * 4 + col;
        }
    }
    if (game.screen == SCREEN_UNEVEN) tiles = {2, 3, 4};
    WriteGoal(game, game.screen == SCREEN_UNEVEN ? setting : 0);
    const auto at = [&](int32_t tile) {
        return std::find(game.tileGrid.tile.begin(), game.tileGrid.tile.end(), tile);
    };
    const auto a = at(tiles[0]), b = at(tiles[1]), c = at(tiles[2]);
    std::iter_swap(a, b);
    if (i % 2 == 1) std::iter_swap(b, c);
    return true;
}

// The board alone: tiles, lights, locks and the empty cell.
void CopyBoard(Game& to, const Game& from) {
    to.tileGrid = from.tileGrid, to.lightGrid = from.lightGrid;
    to.fixedColumn = from.fixedColumn, to.fixedRow = from.fixedRow;
    to.blankCol = from.blankCol, to.blankRow = from.blankRow;
    to.solved = 0;
}

class EveryPuzzle : public ::testing::TestWithParam<Bounds> {};

// Every scramble and far board gets the same hint in another game and here again after a move played and
// taken back; following hints solves them and the hard boards.
TEST_P(EveryPuzzle, FollowingHintsSolvesScramblesAndFarBoards) {
    const Bounds& bounds = GetParam();
    auto other = NewGame();
    auto game = NewGame();
    Platform().keepPictures = false;
    std::mt19937 random(11);
    const auto fields = [](const Hint& h) {
        return std::tie(h.move, h.x, h.y, h.left, h.top, h.width, h.height);
    };
    const auto expectSameHint = [&](uint32_t ticks) {
        const std::optional<Hint> first = FindHint(*game);
        ASSERT_TRUE(first) << ticks;
        ChoosePuzzle(*other, bounds.label, ticks + 17);
        CopyBoard(*other, *game);
        const std::optional<Hint> elsewhere = FindHint(*other);
        Tap(*game, first->x, first->y);
        CopyBoard(*game, *other);
        const std::optional<Hint> again = FindHint(*game);
        ASSERT_TRUE(elsewhere && again) << ticks;
        EXPECT_EQ(fields(*elsewhere), fields(*first)) << ticks;
        EXPECT_EQ(fields(*again), fields(*first)) << ticks;
    };
    const auto expectSolved = [&](int32_t cap, const char* what, int64_t which) {
        EXPECT_LE(FollowHints(*game, cap), cap) << what << which;
        EXPECT_TRUE(game->solved) << what << which;
    };
    for (int32_t i = 0; (ChoosePuzzle(*game, bounds.label), BuildHardBoard(*game, i)); ++i) {
        expectSolved(bounds.far, "hard board ", i);
    }
    for (uint32_t ticks = 100; ticks < 100 + 8 * 7717; ticks += 7717) {
        ChoosePuzzle(*game, bounds.label, ticks);
        expectSameHint(ticks);
        expectSolved(bounds.scrambled, "scramble at tick ", ticks);
    }
    for (uint32_t ticks = 5; ticks < 5 + 3 * 131; ticks += 131) {
        ChoosePuzzle(*game, bounds.label, ticks);
        PlayRandomMoves(*game, random, 500);
        expectSameHint(ticks);
        expectSolved(bounds.far, "far board from tick ", ticks);
    }
}

constexpr std::array<const char*, 6> NAMES{"Normal",    "Uneven",  "Unmovable",
                                           "LightsOut", "Fifteen", "AlmostImpossible"};
INSTANTIATE_TEST_SUITE_P(Hints, EveryPuzzle,
                         ::testing::Values(Bounds{NORMAL_LABEL, 30, 40, 4}, Bounds{UNEVEN_LABEL, 60, 80, 5},
                                           Bounds{UNMOVABLE_LABEL, 40, 60, 4},
                                           Bounds{LIGHTS_OUT_LABEL, 15, 15, 25},
                                           Bounds{FIFTEEN_LABEL, 80, 250, 16},
                                           Bounds{ALMOST_IMPOSSIBLE_LABEL, 60, 150, 5}),
                         [](const auto& info) { return NAMES[info.index]; });

// The lights on, a bit each.
uint32_t LitBits(const LightGrid& grid) {
    uint32_t lit = 0;
    for (int32_t j = 0; j < 25; ++j) lit |= grid.Lit(j % 5 + 1, j / 5 + 1) ? 1u << j : 0u;
    return lit;
}

// The fewest presses that clear each of the 2^25 boards: every set of presses, in Gray code order so that
// each set is one press away from the one before.
std::vector<uint8_t> FewestPresses() {
    std::array<uint32_t, 25> effect{};
    for (int32_t i = 0; i < 25; ++i) {
        LightGrid grid{};
        PressLight(grid, i % 5 + 1, i / 5 + 1);
        effect[static_cast<std::size_t>(i)] = LitBits(grid);
    }
    std::vector<uint8_t> fewest(1u << 25, 255);
    for (uint32_t n = 0, lit = 0; n < (1u << 25); ++n) {
        if (n > 0) lit ^= effect[static_cast<std::size_t>(__builtin_ctz(n))];
        fewest[lit] = std::min(fewest[lit], static_cast<uint8_t>(std::bitset<25>(n ^ (n >> 1)).count()));
    }
    return fewest;
}

// Every board one move before this one, made with the puzzles' own moves: the line puzzles' moves undo one
// another, a block turns back counter-clockwise, a tile slides back into the empty cell.
void BoardsBefore(const Game& game, const TileGrid& grid, std::vector<TileGrid>& before) {
    for (int32_t move = 0; move < 16; ++move) {
        const auto direction = static_cast<ShiftDirection>(move / 4);
        const int32_t line = move % 4 + 1;
        TileGrid board = grid;
        if (game.screen == SCREEN_ALMOST_IMPOSSIBLE) {
            if (move >= 9) continue;
            TurnBlock(board, move % 3 + 1, move / 3 + 1, Turn::CounterClockwise);
        } else if (game.screen == SCREEN_FIFTEEN) {
            int32_t empty = 0;
            while (grid.Tile(empty % 4 + 1, empty / 4 + 1) != 0) ++empty;
            const int32_t to = empty + (move == 1) - (move == 3) + 4 * ((move == 2) - (move == 0));
            if (move >= 4 || to < 0 || to > 15 || (move % 2 == 1 && to / 4 != empty / 4)) continue;
            std::swap(board.Tile(to % 4 + 1, to / 4 + 1), board.Tile(empty % 4 + 1, empty / 4 + 1));
        } else if (game.screen == SCREEN_UNEVEN && !CanMoveUneven(grid, direction, line)) {
            continue;
        } else if (game.screen == SCREEN_UNEVEN && IsColumnShift(direction)) {
            direction == ShiftDirection::Up ? SlideColumnUp(board, line) : SlideColumnDown(board, line);
        } else {
            if (game.screen == SCREEN_UNMOVABLE && IsLocked(game, direction, line)) continue;
            ShiftLine(board, direction, line);
        }
        before.push_back(board);
    }
}

// The fewest moves to the goal of every board within `depth` moves of it, breadth first from the goal.
using Tiles = std::array<int32_t, TileGrid::SIZE * TileGrid::SIZE>;
std::map<Tiles, int32_t> DistancesFromGoal(const Game& game, int32_t depth) {
    std::map<Tiles, int32_t> distance{{game.tileGrid.tile, 0}};
    std::vector<TileGrid> frontier{game.tileGrid};
    for (int32_t d = 1; d <= depth; ++d) {
        std::vector<TileGrid> next;
        for (const TileGrid& board : frontier) BoardsBefore(game, board, next);
        frontier.clear();
        for (const TileGrid& board : next) {
            if (distance.emplace(board.tile, d).second) frontier.push_back(board);
        }
    }
    return distance;
}

// Boards a few random moves from the goal, against the fewest moves found above ("Lights out": any board).
TEST_P(EveryPuzzle, BoardsNearTheGoalTakeTheFewestMoves) {
    const Bounds& bounds = GetParam();
    auto game = NewGame();
    Platform().keepPictures = false;
    ChoosePuzzle(*game, bounds.label);
    game->fixedColumn = 2, game->fixedRow = 4;  // the first game's locks
    WriteGoal(*game);
    const bool lights = game->screen == SCREEN_LIGHTS_OUT;
    const std::vector<uint8_t> presses = lights ? FewestPresses() : std::vector<uint8_t>{};
    const std::map<Tiles, int32_t> distance = DistancesFromGoal(*game, lights ? 0 : bounds.exactDepth);
    std::mt19937 random(9);
    int32_t boards = 0;
    for (int32_t walk = 0; boards < 40 && walk < 1000; ++walk) {
        WriteGoal(*game);
        PlayRandomMoves(*game, random, 1 + walk % (bounds.exactDepth + 2));
        const auto known = distance.find(game->tileGrid.tile);
        const int32_t fewest = lights                    ? presses[LitBits(game->lightGrid)]
                               : known == distance.end() ? 0
                                                         : known->second;
        if (fewest == 0) continue;
        ++boards;
        EXPECT_EQ(FollowHints(*game, 40), fewest) << "walk " << walk;
        EXPECT_TRUE(game->solved);
    }
    EXPECT_EQ(boards, 40);
}

}  // namespace
}  // namespace tessel::testing
