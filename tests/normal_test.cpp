#include <gtest/gtest.h>

#include <algorithm>

#include "puzzles/normal.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using testing::BoardRows;
using testing::GOAL_ROWS;
using testing::Platform;
using testing::SameArea;
using testing::ShowsImage;
using testing::StartNormalWith;
using testing::Tap;

using Rows = std::array<std::array<int32_t, 4>, 4>;

TEST(NormalSetup, IsReproducibleFromTheTickCountAndUsesThirtyDraws) {
    auto first = testing::NewGame();
    Platform().ticks = 2000001234u;  // seeds with 1234
    Tap(*first, 100, 70);
    CrtRandom expected;
    expected.Seed(1234);
    for (int i = 0; i < 30; ++i) expected.Draw();  // ten rounds of three draws
    EXPECT_EQ(Platform().random.state, expected.state);

    auto second = testing::NewGame();
    Platform().ticks = 1234u;
    Tap(*second, 100, 70);
    EXPECT_EQ(BoardRows(*first), BoardRows(*second));
    Platform().ticks = 1235u;
    Tap(*second, 110, 230);  // Quit, then a new board from another tick count
    Tap(*second, 100, 70);
    EXPECT_NE(BoardRows(*first), BoardRows(*second));
}

// Which lines a tap shifts, read from the board it leaves behind; one half-step frame per shift, then the
// final picture.
TEST(NormalTap, RegionsShiftTheirLinesAndSharedEdgesShiftTwo) {
    const struct {
        int32_t x, y;
        Rows after;
        std::size_t presents;
    } cases[] = {
        {100, 20, {{{1, 6, 3, 4}, {5, 10, 7, 8}, {9, 14, 11, 12}, {13, 2, 15, 16}}}, 2},   // label: up
        {80, 84, {{{5, 2, 3, 4}, {9, 6, 7, 8}, {13, 10, 11, 12}, {1, 14, 15, 16}}}, 2},    // just above
        {96, 235, {{{1, 14, 3, 4}, {5, 2, 7, 8}, {9, 6, 11, 12}, {13, 10, 15, 16}}}, 2},   // left of Quit
        {143, 235, {{{1, 2, 15, 16}, {5, 6, 3, 4}, {9, 10, 7, 8}, {13, 14, 11, 12}}}, 3},  // two down
        {95, 0, {{{5, 6, 3, 4}, {9, 10, 7, 8}, {13, 14, 11, 12}, {1, 2, 15, 16}}}, 3},     // two up
        {168, 100, {{{4, 1, 2, 3}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}}}, 2},  // right
        {238, 133, {{{1, 2, 3, 4}, {8, 5, 6, 7}, {12, 9, 10, 11}, {13, 14, 15, 16}}}, 3},  // two right
        {0, 181, {{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {14, 15, 16, 13}}}, 2},    // left
    };
    for (const auto& c : cases) {
        auto game = testing::NewGame();
        StartNormalWith(*game, GOAL_ROWS);
        Tap(*game, c.x, c.y);
        EXPECT_EQ(BoardRows(*game), c.after) << c.x << "," << c.y;
        EXPECT_EQ(game->tapActed, 1);
        EXPECT_EQ(Platform().presented.size(), c.presents) << c.x << "," << c.y;
    }
}

TEST(NormalTap, MissesChangeNothingAndDoNotRedraw) {
    const Rows scrambled{{{4, 1, 2, 3}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}}};
    // On the board, in the corner areas, below the ring outside every column.
    for (const auto& [x, y] : {std::pair{71, 85}, {166, 180}, {70, 84}, {168, 182}, {200, 250}, {60, 240}}) {
        auto game = testing::NewGame();
        StartNormalWith(*game, scrambled);
        const auto before = std::make_unique<BackBuffer>(game->backBuffer);
        Tap(*game, x, y);
        EXPECT_EQ(BoardRows(*game), scrambled) << x << "," << y;
        EXPECT_EQ(game->tapActed, 0);
        ASSERT_EQ(Platform().presented.size(), 1u);
        EXPECT_EQ(game->backBuffer.pixels, before->pixels);
    }
}

TEST(NormalTap, FourTapsOrTwoOppositeArrowsRestoreALine) {
    auto game = testing::NewGame();
    StartNormalWith(*game, GOAL_ROWS);
    for (int i = 0; i < 3; ++i) Tap(*game, 130, 40);
    EXPECT_NE(BoardRows(*game), GOAL_ROWS);
    Tap(*game, 130, 40);
    EXPECT_EQ(BoardRows(*game), GOAL_ROWS);
    EXPECT_EQ(game->solved, 1);

    StartNormalWith(*game, GOAL_ROWS);
    Tap(*game, 200, 120);
    Tap(*game, 20, 120);
    EXPECT_EQ(BoardRows(*game), GOAL_ROWS);
}

TEST(NormalDrawing, TilesWhereTheyAreArrowsAroundBlankCorners) {
    auto game = testing::NewGame();
    StartNormalWith(*game, GOAL_ROWS);
    Tap(*game, 100, 20);  // column 2 up: tile 6 on top, tile 2 at the bottom
    const BackBuffer& shown = game->backBuffer;
    const ImageSet& images = game->images;
    EXPECT_TRUE(ShowsImage(shown, images[TileImage(6)], 95, 85, 24, 24));
    EXPECT_TRUE(ShowsImage(shown, images[TileImage(2)], 95, 157, 24, 24));
    for (int32_t k = 1; k <= 4; ++k) {
        const int32_t edge = 47 + 24 * k;
        EXPECT_TRUE(ShowsImage(shown, images[IMG_ARROW_UP], edge, 61, 24, 24));
        EXPECT_TRUE(ShowsImage(shown, images[IMG_ARROW_DOWN], edge, 181, 24, 24));
        EXPECT_TRUE(ShowsImage(shown, images[IMG_ARROW_LEFT], 47, 61 + 24 * k, 24, 24));
        EXPECT_TRUE(ShowsImage(shown, images[IMG_ARROW_RIGHT], 167, 61 + 24 * k, 24, 24));
    }
    for (const auto& [x, y] : {std::pair{47, 61}, {167, 61}, {47, 181}, {167, 181}}) {
        EXPECT_TRUE(testing::IsWhite(shown, x, y, 24, 24));
    }
}

// The half-step frame is made from the picture before the tap: the line moved by half a cell, the leaving
// tile's outgoing half re-entering at the other end, the arrows intact.
TEST(NormalTap, HalfStepFramesMoveTheLineByHalfACell) {
    auto game = testing::NewGame();
    StartNormalWith(*game, GOAL_ROWS);
    const auto board = std::make_unique<BackBuffer>(game->backBuffer);
    const ImageSet& images = game->images;
    const auto frameAfter = [&](int32_t x, int32_t y) -> const BackBuffer& {
        StartNormalWith(*game, GOAL_ROWS);
        Tap(*game, x, y);
        return Platform().presented[0];
    };

    const BackBuffer* frame = &frameAfter(100, 20);  // column 2 up
    EXPECT_TRUE(SameArea(*frame, 95, 85, *board, 95, 97, 24, 84));
    EXPECT_TRUE(SameArea(*frame, 95, 169, *board, 95, 85, 24, 12));  // tile 2's upper half at the bottom
    EXPECT_TRUE(ShowsImage(*frame, images[IMG_ARROW_UP], 95, 61, 24, 24));
    EXPECT_TRUE(SameArea(*frame, 71, 61, *board, 71, 61, 24, 144));  // neighbours untouched

    frame = &frameAfter(200, 100);  // row 1 right
    EXPECT_TRUE(SameArea(*frame, 83, 85, *board, 71, 85, 84, 24));
    EXPECT_TRUE(SameArea(*frame, 71, 85, *board, 155, 85, 12, 24));  // tile 4's right half at the start
    EXPECT_TRUE(ShowsImage(*frame, images[IMG_ARROW_LEFT], 47, 85, 24, 24));
    EXPECT_TRUE(ShowsImage(*frame, images[IMG_ARROW_RIGHT], 167, 85, 24, 24));

    frame = &frameAfter(96, 240);  // column 2 down
    EXPECT_TRUE(SameArea(*frame, 95, 97, *board, 95, 85, 24, 84));
    EXPECT_TRUE(SameArea(*frame, 95, 85, *board, 95, 169, 24, 12));  // tile 14's lower half on top
    EXPECT_TRUE(ShowsImage(*frame, images[IMG_ARROW_UP], 95, 61, 24, 24));
    EXPECT_TRUE(ShowsImage(*frame, images[IMG_ARROW_DOWN], 95, 181, 24, 24));

    frame = &frameAfter(20, 100);  // row 1 left
    EXPECT_TRUE(SameArea(*frame, 71, 85, *board, 83, 85, 84, 24));
    EXPECT_TRUE(SameArea(*frame, 155, 85, *board, 71, 85, 12, 24));  // tile 1's left half at the end
    EXPECT_TRUE(ShowsImage(*frame, images[IMG_ARROW_LEFT], 47, 85, 24, 24));

    frameAfter(95, 20);  // columns 1 and 2 up: the second frame starts from the first
    ASSERT_EQ(Platform().presented.size(), 3u);
    const BackBuffer& first = Platform().presented[0];
    const BackBuffer& second = Platform().presented[1];
    EXPECT_TRUE(SameArea(second, 71, 61, first, 71, 61, 24, 144));  // column 1 stays half-way
    EXPECT_TRUE(SameArea(second, 95, 85, first, 95, 97, 24, 84));   // column 2 moves on
}

// Whatever is tapped, new boards and played boards stay a permutation of 1 to 16 with an empty ring, every
// cell back in its place after the tap, and the picture shown last is the one in the back buffer.
TEST(NormalTap, AnyTapKeepsTheBoardWhole) {
    auto game = testing::NewGame();
    CrtRandom taps;
    taps.Seed(99);
    int tapsOnTheBoard = 0;
    for (int i = 0; i < 3000; ++i) {
        Platform().ticks = i;
        const bool nearTheBoard = i % 4 != 0;
        const int32_t x = nearTheBoard ? taps.Draw() % SURFACE_WIDTH : taps.Draw() * 2;
        const int32_t y = nearTheBoard ? taps.Draw() % SURFACE_HEIGHT : taps.Draw() * 2;
        // A label tap may have opened another puzzle; Quit leads back to the menu and its "Normal" label.
        if (game->screen != SCREEN_NORMAL && game->screen != SCREEN_MENU) Tap(*game, QUIT_X, QUIT_Y);
        if (game->screen == SCREEN_MENU) Tap(*game, NORMAL_LABEL_X, NORMAL_LABEL_Y);  // stay with "Normal"
        Platform().presented.clear();
        Tap(*game, x, y);
        ASSERT_FALSE(Platform().presented.empty());
        ASSERT_EQ(Platform().presented.back().pixels, game->backBuffer.pixels);
        if (game->screen != SCREEN_NORMAL && game->screen != SCREEN_MENU) Tap(*game, QUIT_X, QUIT_Y);
        if (game->screen != SCREEN_NORMAL) continue;
        ++tapsOnTheBoard;
        std::array<int32_t, 17> seen{};
        for (int32_t col = 0; col < 6; ++col) {
            for (int32_t row = 0; row < 6; ++row) {
                ++seen[game->tileGrid.Tile(col, row)];
                ASSERT_EQ(game->tileGrid.Left(col, row), 47 + 24 * col);
                ASSERT_EQ(game->tileGrid.Top(col, row), 61 + 24 * row);
            }
        }
        ASSERT_EQ(seen[0], 20);
        for (int32_t n = 1; n <= 16; ++n) ASSERT_EQ(seen[n], 1);
    }
    EXPECT_GT(tapsOnTheBoard, 1000);
}

}  // namespace
}  // namespace tessel
