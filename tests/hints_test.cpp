// Hints: following them solves every puzzle from the game's own scrambles and from boards after long random
// play, every hinted tap acts, the hint depends on the board alone, "Lights out" takes the fewest presses
// and the "15 Puzzle" the fewest slides (against the test's own solvers).
#include <gtest/gtest.h>

#include <bitset>
#include <optional>
#include <random>
#include <unordered_map>
#include <vector>

#include "hints/hint.h"
#include "puzzles/almost_impossible.h"
#include "puzzles/fifteen.h"
#include "puzzles/lights_out.h"
#include "puzzles/normal.h"
#include "puzzles/uneven.h"
#include "puzzles/unmovable.h"
#include "tests/test_support.h"

namespace tessel::testing {
namespace {

bool BoardChanged(const Game& game, const TileGrid& tiles, const LightGrid& lights) {
    return game.tileGrid.tile != tiles.tile || game.lightGrid.lit != lights.lit;
}

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
        if (!game.tapActed || !BoardChanged(game, tiles, lights)) {
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
        if (BoardChanged(game, tiles, lights)) ++made;
    }
    game.solved = 0;
}

struct Bounds {
    const PuzzleLabel& label;
    int32_t scrambled;  // the most moves following hints may take from a fresh scramble
    int32_t far;        // ... and from a board after 500 random moves
};

class EveryPuzzle : public ::testing::TestWithParam<Bounds> {};

TEST_P(EveryPuzzle, FollowingHintsSolvesScramblesAndFarBoards) {
    Platform().keepPictures = false;
    const Bounds& bounds = GetParam();
    auto game = NewGame();
    Platform().keepPictures = false;
    std::mt19937 random(11);
    for (uint32_t ticks = 100; ticks < 100 + 12 * 7717; ticks += 7717) {
        ChoosePuzzle(*game, bounds.label, ticks);
        EXPECT_LE(FollowHints(*game, bounds.scrambled), bounds.scrambled) << "scramble at tick " << ticks;
        EXPECT_TRUE(game->solved) << "scramble at tick " << ticks;
    }
    for (uint32_t ticks = 5; ticks < 5 + 3 * 131; ticks += 131) {
        ChoosePuzzle(*game, bounds.label, ticks);
        PlayRandomMoves(*game, random, 500);
        EXPECT_LE(FollowHints(*game, bounds.far), bounds.far) << "far board from tick " << ticks;
        EXPECT_TRUE(game->solved) << "far board from tick " << ticks;
    }
}

void ExpectSameHint(const std::optional<Hint>& a, const std::optional<Hint>& b) {
    ASSERT_EQ(a.has_value(), b.has_value());
    if (!a) return;
    EXPECT_EQ(a->move, b->move);
    EXPECT_EQ(a->x, b->x);
    EXPECT_EQ(a->y, b->y);
    EXPECT_EQ(a->left, b->left);
    EXPECT_EQ(a->top, b->top);
    EXPECT_EQ(a->width, b->width);
    EXPECT_EQ(a->height, b->height);
}

// A board reached by a detour (a move and its undoing) and the same board set up in another game get the
// hint the board got first.
TEST_P(EveryPuzzle, TheSameBoardGetsTheSameHintHoweverReached) {
    const Bounds& bounds = GetParam();
    auto game = NewGame();
    Platform().keepPictures = false;
    std::mt19937 random(5);
    for (uint32_t ticks = 3; ticks < 3 + 4 * 1009; ticks += 1009) {
        ChoosePuzzle(*game, bounds.label, ticks);
        PlayRandomMoves(*game, random, 40);
        const std::optional<Hint> first = FindHint(*game);

        auto copy = NewGame();
        Platform().keepPictures = false;
        ChoosePuzzle(*copy, bounds.label, ticks + 17);
        copy->tileGrid = game->tileGrid;
        copy->lightGrid = game->lightGrid;
        copy->fixedColumn = game->fixedColumn;
        copy->fixedRow = game->fixedRow;
        copy->blankCol = game->blankCol;
        copy->blankRow = game->blankRow;
        ExpectSameHint(first, FindHint(*copy));

        // The detour: the hinted move, then what undoes it: three more turns, a second press, the tile slid
        // back, or the arrow at the line's other end.
        const TileGrid before = game->tileGrid;
        const LightGrid lightsBefore = game->lightGrid;
        const Point blank{game->blankCol, game->blankRow};
        ASSERT_TRUE(first);
        Tap(*game, first->x, first->y);
        const TileGrid& grid = game->tileGrid;
        for (int32_t turn = 0; turn < (game->screen == SCREEN_ALMOST_IMPOSSIBLE ? 3 : 1); ++turn) {
            game->solved = 0;
            if (game->screen == SCREEN_ALMOST_IMPOSSIBLE || game->screen == SCREEN_LIGHTS_OUT) {
                Tap(*game, first->x, first->y);
            } else if (game->screen == SCREEN_FIFTEEN) {
                Tap(*game, grid.Left(blank.x, blank.y) + 12, grid.Top(blank.x, blank.y) + 12);
            } else if (first->move.rfind("row", 0) == 0) {
                Tap(*game, SURFACE_WIDTH - 1 - first->x, first->y);
            } else {
                const int32_t footY = grid.Top(0, 5) + 12 + (game->screen == SCREEN_UNEVEN ? CELL_SIZE : 0);
                Tap(*game, first->x,
                    first->move.find(" up") != std::string::npos ? footY : grid.Top(0, 0) + 12);
            }
        }
        ASSERT_EQ(game->tileGrid.tile, before.tile);
        ASSERT_EQ(game->lightGrid.lit, lightsBefore.lit);
        game->solved = 0;
        ExpectSameHint(first, FindHint(*game));
    }
}

std::string PuzzleName(const ::testing::TestParamInfo<Bounds>& info) {
    constexpr std::array<const char*, 6> NAMES{"Normal",    "Uneven",  "Unmovable",
                                               "LightsOut", "Fifteen", "AlmostImpossible"};
    return NAMES[info.index];
}

INSTANTIATE_TEST_SUITE_P(Hints, EveryPuzzle,
                         ::testing::Values(Bounds{NORMAL_LABEL, 30, 40}, Bounds{UNEVEN_LABEL, 60, 80},
                                           Bounds{UNMOVABLE_LABEL, 40, 60}, Bounds{LIGHTS_OUT_LABEL, 15, 15},
                                           Bounds{FIFTEEN_LABEL, 80, 250},
                                           Bounds{ALMOST_IMPOSSIBLE_LABEL, 60, 150}),
                         PuzzleName);

TEST(HintNone, OnTheMenuAndOnASolvedBoard) {
    auto game = NewGame();
    EXPECT_FALSE(FindHint(*game));
    StartWith(*game, NORMAL_LABEL, GOAL_ROWS);
    EXPECT_FALSE(FindHint(*game));
    StartWith(*game, NORMAL_LABEL, ROW_1_SHIFTED_RIGHT);
    const std::optional<Hint> hint = FindHint(*game);
    ASSERT_TRUE(hint);
    EXPECT_EQ(hint->move, "row 1 left");
    EXPECT_EQ(hint->x, 47 + 12);
    EXPECT_EQ(hint->y, 85 + 12);
}

// The fewest presses that clear a board, by elimination over GF(2): every press is a 25-bit toggle mask;
// the solutions are one solution plus any mix of the quiet patterns, and the lightest is counted.
int32_t FewestPresses(const LightGrid& board) {
    std::array<uint32_t, 25> effect{};
    for (int32_t i = 0; i < 25; ++i) {
        LightGrid grid{};
        PressLight(grid, i % 5 + 1, i / 5 + 1);
        for (int32_t j = 0; j < 25; ++j) effect[i] |= grid.Lit(j % 5 + 1, j / 5 + 1) ? 1u << j : 0u;
    }
    uint32_t lit = 0;
    for (int32_t j = 0; j < 25; ++j) lit |= board.Lit(j % 5 + 1, j / 5 + 1) ? 1u << j : 0u;
    // Rows of [effect transposed | lit]: light j is toggled by the presses in row j.
    std::array<uint64_t, 25> rows{};
    for (int32_t j = 0; j < 25; ++j) {
        for (int32_t i = 0; i < 25; ++i) rows[j] |= ((effect[i] >> j) & 1u) ? 1ull << i : 0ull;
        rows[j] |= static_cast<uint64_t>((lit >> j) & 1u) << 25;
    }
    std::vector<int32_t> pivots;
    std::vector<int32_t> free;
    int32_t rank = 0;
    for (int32_t col = 0; col < 25; ++col) {
        int32_t pivot = -1;
        for (int32_t r = rank; r < 25 && pivot < 0; ++r) pivot = ((rows[r] >> col) & 1) ? r : -1;
        if (pivot < 0) {
            free.push_back(col);
            continue;
        }
        std::swap(rows[rank], rows[pivot]);
        for (int32_t r = 0; r < 25; ++r) {
            if (r != rank && ((rows[r] >> col) & 1)) rows[r] ^= rows[rank];
        }
        pivots.push_back(col);
        ++rank;
    }
    for (int32_t r = rank; r < 25; ++r) {
        if ((rows[r] >> 25) & 1) return -1;
    }
    int32_t fewest = 26;
    for (uint32_t choice = 0; choice < (1u << free.size()); ++choice) {
        uint32_t presses = 0;
        for (std::size_t f = 0; f < free.size(); ++f) presses |= ((choice >> f) & 1u) << free[f];
        for (int32_t r = 0; r < rank; ++r) {
            uint32_t bit = static_cast<uint32_t>((rows[r] >> 25) & 1);
            for (std::size_t f = 0; f < free.size(); ++f) {
                if (((rows[r] >> free[f]) & 1) && ((choice >> f) & 1)) bit ^= 1u;
            }
            presses |= bit << pivots[r];
        }
        fewest = std::min(fewest, static_cast<int32_t>(std::bitset<25>(presses).count()));
    }
    return fewest;
}

TEST(LightsOutHint, FollowingHintsTakesTheFewestPresses) {
    auto game = NewGame();
    Platform().keepPictures = false;
    std::mt19937 random(3);
    for (int32_t board = 0; board < 300; ++board) {
        ChoosePuzzle(*game, LIGHTS_OUT_LABEL, static_cast<uint32_t>(board) * 37);
        if (board % 2 == 1) {
            game->lightGrid.lit.fill(0);
            for (int32_t i = 0; i < 25; ++i) {
                if (random() % 2) PressLight(game->lightGrid, i % 5 + 1, i / 5 + 1);
            }
        }
        const int32_t fewest = FewestPresses(game->lightGrid);
        ASSERT_GE(fewest, 0);
        if (fewest == 0) continue;
        EXPECT_EQ(FollowHints(*game, 30), fewest) << "board " << board;
        EXPECT_TRUE(game->solved);
    }
}

// "15 Puzzle" boards as 16 nibbles, cell (row - 1) * 4 + (col - 1) in nibble 15 - cell; 0 is the empty cell.
using Packed = uint64_t;

Packed Pack(const TileGrid& grid) {
    Packed packed = 0;
    for (int32_t cell = 0; cell < 16; ++cell) {
        packed |= static_cast<Packed>(grid.Tile(cell % 4 + 1, cell / 4 + 1)) << (4 * (15 - cell));
    }
    return packed;
}

int32_t NibbleAt(Packed packed, int32_t cell) {
    return static_cast<int32_t>((packed >> (4 * (15 - cell))) & 15);
}

// The shortest distance of every board within `depth` slides of the goal: breadth first, the test's own
// slides.
std::unordered_map<Packed, int32_t> DistancesFromGoal(int32_t depth) {
    Packed goal = 0;
    for (int32_t cell = 0; cell < 15; ++cell) goal |= static_cast<Packed>(cell + 1) << (4 * (15 - cell));
    std::unordered_map<Packed, int32_t> distance{{goal, 0}};
    std::vector<Packed> frontier{goal};
    for (int32_t d = 1; d <= depth; ++d) {
        std::vector<Packed> next;
        for (const Packed board : frontier) {
            int32_t empty = 0;
            while (NibbleAt(board, empty) != 0) ++empty;
            for (const int32_t other :
                 {empty - 4, empty + 4, empty % 4 > 0 ? empty - 1 : -1, empty % 4 < 3 ? empty + 1 : -1}) {
                if (other < 0 || other > 15) continue;
                const Packed tile = static_cast<Packed>(NibbleAt(board, other));
                const Packed moved = board - (tile << (4 * (15 - other))) + (tile << (4 * (15 - empty)));
                if (distance.emplace(moved, d).second) next.push_back(moved);
            }
        }
        frontier = std::move(next);
    }
    return distance;
}

TEST(FifteenHint, FollowingHintsTakesTheFewestSlides) {
    const std::unordered_map<Packed, int32_t> distance = DistancesFromGoal(16);
    auto game = NewGame();
    Platform().keepPictures = false;
    std::mt19937 random(9);
    int32_t boards = 0;
    for (int32_t walk = 0; boards < 60 && walk < 1000; ++walk) {
        ChoosePuzzle(*game, FIFTEEN_LABEL, 0);
        StartWith(*game, FIFTEEN_LABEL, Rows{{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 0}}});
        PlayRandomMoves(*game, random, 10 + walk % 30);
        const auto known = distance.find(Pack(game->tileGrid));
        if (known == distance.end() || known->second == 0) continue;
        ++boards;
        EXPECT_EQ(FollowHints(*game, 40), known->second) << "walk " << walk;
        EXPECT_TRUE(game->solved);
    }
    EXPECT_EQ(boards, 60);
}

}  // namespace
}  // namespace tessel::testing
