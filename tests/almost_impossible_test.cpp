#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "puzzles/almost_impossible.h"
#include "puzzles/tile_board.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using testing::Platform;

// Every cell of the grid at its place.
void ExpectCellsInPlace(const TileGrid& grid) {
    for (int32_t i = 0; i < 36; ++i) {
        ASSERT_EQ(grid.Left(i % 6, i / 6), 47 + 24 * (i % 6));
        ASSERT_EQ(grid.Top(i % 6, i / 6), 61 + 24 * (i / 6));
    }
}

// Taps around an inner corner: on the four corners of its 15 x 15 square, then just outside the square's
// sides and on the middles of two of its tiles.
constexpr std::pair<int32_t, int32_t> CORNER_OFFSETS[] = {{-7, -7}, {7, 7},  {-7, 7}, {7, -7},  {-8, 0},
                                                          {8, 0},   {0, -8}, {0, 8},  {12, 12}, {-12, -12}};

// Each inner corner answers within 7 pixels in x and in y; its block, and only it, turns clockwise.
TEST(AlmostImpossibleTap, CornerSquaresReachSevenPixelsOut) {
    auto game = testing::NewGame();
    testing::Tap(*game, CENTER_X, ALMOST_IMPOSSIBLE_LABEL_Y + 10);
    const TileGrid& grid = game->tileGrid;
    for (int32_t r = 1; r <= 3; ++r) {
        for (int32_t c = 1; c <= 3; ++c) {
            for (const auto& [dx, dy] : CORNER_OFFSETS) {
                const bool hit = std::abs(dx) == 7;
                WriteGoalOrder(game->tileGrid);
                game->tapActed = 0;
                TapAlmostImpossible(*game, 71 + 24 * c + dx, 85 + 24 * r + dy);
                int32_t moved = 0;
                for (int32_t i = 0; i < 16; ++i) moved += grid.Tile(i % 4 + 1, i / 4 + 1) != i + 1;
                EXPECT_EQ(moved, hit ? 4 : 0) << c << "," << r << " by " << dx << "," << dy;
                EXPECT_EQ(game->tapActed, hit);
                EXPECT_TRUE(!hit || grid.Tile(c + 1, r) == GoalTile(c, r));  // top-left went right
            }
        }
    }
}

// The scramble turns counter-clockwise, drawing column, row and quarters: tapping its blocks in reverse,
// each as often as it was turned, gives the goal order back (so the scramble left 1 to 16 once each), with
// every cell in place after every tap.
TEST(AlmostImpossibleSetup, ClockwiseTapsUndoTheScrambleInReverse) {
    auto game = testing::NewGame();
    for (uint32_t i = 0; i < 300; ++i) {
        Platform().ticks = i * 14316557u;  // up to the top of the tick count
        game->screen = SCREEN_MENU;
        testing::Tap(*game, CENTER_X, ALMOST_IMPOSSIBLE_LABEL_Y + 10);
        ExpectCellsInPlace(game->tileGrid);
        CrtRandom generator;
        generator.Seed(Platform().ticks % 2000000000u);
        std::array<int32_t, 30> draws{};
        for (int32_t& draw : draws) draw = generator.Draw() % 3 + 1;
        for (int32_t step = 9; step >= 0; --step) {
            for (int32_t q = 0; q < draws[3 * step + 2]; ++q) {
                TapAlmostImpossible(*game, 71 + 24 * draws[3 * step], 85 + 24 * draws[3 * step + 1]);
                Platform().presented.clear();
                ExpectCellsInPlace(game->tileGrid);
            }
        }
        ASSERT_TRUE(IsAlmostImpossibleSolved(*game)) << Platform().ticks;
    }
    std::swap(game->tileGrid.Tile(3, 4), game->tileGrid.Tile(4, 4));
    EXPECT_FALSE(IsAlmostImpossibleSolved(*game));  // 16 counts too
}

// Block 6 7 / 10 11 turning: at 8 and 16 pixels of travel each tile lies over the one before it (top-left,
// top-right, bottom-right, bottom-left, the last also over the first), and the rest of the block is white.
TEST(AlmostImpossibleTap, TurnFramesLayEachTileOverTheOneBefore) {
    auto game = testing::NewGame();
    testing::Tap(*game, CENTER_X, ALMOST_IMPOSSIBLE_LABEL_Y + 10);
    WriteGoalOrder(game->tileGrid);
    Platform().presented.clear();
    testing::Tap(*game, 119, 133);
    ASSERT_EQ(Platform().presented.size(), 3u);
    const int32_t L = 95, T = 109;
    for (int32_t s = 8; s <= 16; s += 8) {
        const std::array<std::array<int32_t, 3>, 4> lyingOrder{
            {{6, L + s, T}, {7, L + 24, T + s}, {11, L + 24 - s, T + 24}, {10, L, T + 24 - s}}};
        for (int32_t y = T; y < T + 48; ++y) {
            for (int32_t x = L; x < L + 48; ++x) {
                uint32_t expected = WHITE;
                for (const auto& [n, left, top] : lyingOrder) {  // tile, then where it stands
                    const bool covers = left <= x && x < left + 24 && top <= y && y < top + 24;
                    if (covers) expected = game->images[TileImage(n)].pixels[(y - top) * 24 + x - left];
                }
                ASSERT_EQ(Platform().presented[s / 8 - 1].At(x, y), expected) << s << ": " << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace tessel
