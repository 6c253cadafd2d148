#include <gtest/gtest.h>

#include "core/tap_cycle.h"
#include "puzzles/normal.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using testing::GOAL_ROWS;
using testing::IsWhite;
using testing::Platform;
using testing::ShowsImage;
using testing::StartNormalWith;
using testing::Tap;

// One shift away from the goal: row 1 shifted right once.
constexpr std::array<std::array<int32_t, 4>, 4> ROW_1_SHIFTED_RIGHT{
    {{4, 1, 2, 3}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}}};

bool ShowsBanner(const Game& game) {
    return ShowsImage(game.backBuffer, game.images[IMG_LETTER_C], 40, 38, LETTER_WIDTH, LETTER_HEIGHT) &&
           ShowsImage(game.backBuffer, game.images[IMG_LETTER_D], 160, 38, LETTER_WIDTH, LETTER_HEIGHT) &&
           ShowsImage(game.backBuffer, game.images[IMG_LETTER_BANG], 190, 38, LETTER_WIDTH, LETTER_HEIGHT);
}

// The banner covers the lower half of the title, so only the upper half is looked at.
// The first and the last letters stand clear of the title and the puzzle labels.
bool ShowsNoBanner(const Game& game) {
    return IsWhite(game.backBuffer, 40, 38, 11, 20) && IsWhite(game.backBuffer, 180, 38, 21, 20);
}

bool ShowsMenu(const Game& game) {
    return ShowsImage(game.backBuffer, game.images[IMG_TITLE], 65, 15, 107, 20) &&
           ShowsImage(game.backBuffer, game.images[IMG_LABEL_FIFTEEN], 69, 189, 100, 24) &&
           ShowsImage(game.backBuffer, game.images[IMG_LABEL_LIGHTS_OUT], 61, 214, 116, 24);
}

TEST(Menu, LabelsAreHitOnBothEdges) {
    for (const auto& [x, y] : {std::pair{86, 65}, {152, 89}, {119, 77}}) {
        auto game = testing::NewGame();
        Tap(*game, x, y);
        EXPECT_EQ(game->screen, SCREEN_NORMAL) << x << "," << y;
        EXPECT_EQ(game->screenAtTap, SCREEN_MENU);
    }
    for (const auto& [x, y] : {std::pair{153, 89}, {85, 70}, {100, 170}, {0, 0}, {65535, 65535}}) {
        auto game = testing::NewGame();
        const auto picture = std::make_unique<BackBuffer>(game->backBuffer);
        Tap(*game, x, y);
        EXPECT_EQ(game->screen, SCREEN_MENU) << x << "," << y;
        EXPECT_EQ(game->backBuffer.pixels, picture->pixels);
        EXPECT_EQ(Platform().presented.size(), 1u);
    }
}

TEST(Menu, IgnoresTapsUntilTheSplashHasPlayed) {
    auto game = testing::NewGame();
    game->splashPending = 1;
    Tap(*game, 100, 70);
    EXPECT_EQ(game->screen, SCREEN_MENU);
    EXPECT_EQ(Platform().presented.size(), 1u);
    game->splashPending = 0;
    Tap(*game, 100, 70);
    EXPECT_EQ(game->screen, SCREEN_NORMAL);
}

TEST(Menu, EntriesOfPuzzlesNotYetPlayableLeaveTheMenu) {
    auto game = testing::NewGame();
    for (const int32_t y : {ALMOST_IMPOSSIBLE_LABEL_Y, FIFTEEN_LABEL_Y, LIGHTS_OUT_LABEL_Y}) {
        Tap(*game, CENTER_X, y + 5);
        EXPECT_EQ(game->screen, SCREEN_MENU);
        EXPECT_TRUE(ShowsMenu(*game));
    }
}

TEST(Menu, ChoosingNormalDrawsItsScreen) {
    auto game = testing::NewGame();
    Platform().ticks = 4242;
    Tap(*game, 100, 70);
    EXPECT_EQ(game->solved, 0);
    EXPECT_EQ(game->tapActed, 0);
    ASSERT_EQ(Platform().presented.size(), 1u);
    const BackBuffer& shown = Platform().presented.back();
    EXPECT_TRUE(ShowsImage(shown, game->images[IMG_LABEL_NORMAL], 86, 10, 66, 24));
    EXPECT_TRUE(ShowsImage(shown, game->images[IMG_QUIT], 98, 227, 41, 20));
    EXPECT_TRUE(IsWhite(shown, 65, 15, 20, 36));  // the title is gone
}

TEST(PuzzleFrame, QuitButtonIsHitOnBothEdges) {
    for (const auto& [x, y] : {std::pair{98, 227}, {140, 247}}) {
        auto game = testing::NewGame();
        StartNormalWith(*game, ROW_1_SHIFTED_RIGHT);
        Tap(*game, x, y);
        EXPECT_EQ(game->screen, SCREEN_MENU);
        EXPECT_TRUE(ShowsMenu(*game));
    }
    // Just outside, the tap goes to the puzzle: below the board it shifts a column down.
    auto game = testing::NewGame();
    StartNormalWith(*game, ROW_1_SHIFTED_RIGHT);
    Tap(*game, 141, 247);
    EXPECT_EQ(game->screen, SCREEN_NORMAL);
    EXPECT_EQ(game->tapActed, 1);
    Tap(*game, 98, 248);
    EXPECT_EQ(game->screen, SCREEN_NORMAL);
}

TEST(PuzzleFrame, SolvingTapShowsTheBannerAndTheNextTapLeaves) {
    auto game = testing::NewGame();
    StartNormalWith(*game, ROW_1_SHIFTED_RIGHT);
    Tap(*game, 60, 97);  // left of row 1
    EXPECT_EQ(game->solved, 1);
    EXPECT_EQ(Platform().presented.size(), 2u);  // half-step frame, then the solved board
    EXPECT_TRUE(ShowsBanner(*game));
    EXPECT_TRUE(ShowsImage(game->backBuffer, game->images[TileImage(6)], 95, 109, 24, 24));

    // A tap on the solved board, even on an arrow, only returns to the menu.
    Tap(*game, 60, 97);
    EXPECT_EQ(game->screen, SCREEN_MENU);
    EXPECT_EQ(game->solved, 0);
    EXPECT_EQ(testing::BoardRows(*game), GOAL_ROWS);
    EXPECT_TRUE(ShowsMenu(*game));
    EXPECT_TRUE(ShowsNoBanner(*game));
}

TEST(PuzzleFrame, TapOnASolvedBoardsQuitButtonReturnsWithoutTesting) {
    auto game = testing::NewGame();
    StartNormalWith(*game, ROW_1_SHIFTED_RIGHT);
    Tap(*game, 60, 97);
    ASSERT_EQ(game->solved, 1);
    Tap(*game, 100, 230);
    EXPECT_EQ(game->screen, SCREEN_MENU);
    EXPECT_EQ(game->solved, 0);
}

TEST(PuzzleFrame, QuitFromABoardInGoalOrderShowsTheBannerOverTheMenu) {
    auto game = testing::NewGame();
    StartNormalWith(*game, GOAL_ROWS);  // a scramble that cancelled itself out
    EXPECT_EQ(game->solved, 0);
    Tap(*game, 110, 230);
    EXPECT_EQ(game->screen, SCREEN_MENU);
    EXPECT_EQ(game->solved, 1);
    EXPECT_TRUE(ShowsMenu(*game));
    EXPECT_TRUE(ShowsBanner(*game));

    // Choosing a puzzle then starts it unsolved, without the banner.
    Tap(*game, 100, 70);
    EXPECT_EQ(game->screen, SCREEN_NORMAL);
    EXPECT_EQ(game->solved, 0);
    EXPECT_TRUE(ShowsNoBanner(*game));
    // And the first tap is the puzzle's, not a return to the menu.
    Tap(*game, 100, 20);
    EXPECT_EQ(game->screen, SCREEN_NORMAL);
    EXPECT_EQ(game->tapActed, 1);
}

TEST(PuzzleFrame, AMissOnABoardInGoalOrderAddsTheBannerWithoutRedrawing) {
    auto game = testing::NewGame();
    StartNormalWith(*game, GOAL_ROWS);
    const auto before = std::make_unique<BackBuffer>(game->backBuffer);
    Tap(*game, 119, 133);  // on the board: no region
    EXPECT_EQ(game->tapActed, 0);
    EXPECT_EQ(game->solved, 1);
    EXPECT_TRUE(ShowsBanner(*game));
    EXPECT_TRUE(testing::SameArea(game->backBuffer, 0, 60, *before, 0, 60, SURFACE_WIDTH, 200));
}

TEST(PuzzleFrame, MenuDuringTheSplashWithTheBannerSetClearsIt) {
    auto game = testing::NewGame();
    game->splashPending = 1;
    game->solved = 1;
    Tap(*game, 100, 70);
    EXPECT_EQ(game->screen, SCREEN_MENU);
    EXPECT_EQ(game->solved, 0);
}

TEST(PuzzleFrame, UnknownScreenDrawsNothing) {
    auto game = testing::NewGame();
    game->screen = 77;
    const auto before = std::make_unique<BackBuffer>(game->backBuffer);
    Tap(*game, 100, 20);
    EXPECT_EQ(game->screen, 77);
    EXPECT_EQ(game->backBuffer.pixels, before->pixels);
    game->solved = 1;
    Tap(*game, 100, 20);
    EXPECT_EQ(game->screen, SCREEN_MENU);
    EXPECT_EQ(game->solved, 0);
    EXPECT_TRUE(ShowsMenu(*game));
}

}  // namespace
}  // namespace tessel
