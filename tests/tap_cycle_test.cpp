#include <gtest/gtest.h>

#include "puzzles/normal.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using namespace testing;

// Whether the picture shown last is `expected`.
std::string ShownLast(const Picture& expected) {
    return expected.Differences(Platform().presented.back());
}

// A label's box includes its edges; beside it, in the gap above "15 Puzzle" or far off, nothing happens.
// Quit too: a board with only its first or last row out of order is left unsolved; a pixel beyond Quit
// the tap is the puzzle's and shifts a column down.
TEST(Frame, LabelsAndQuitAreHitOnBothEdges) {
    const Point taps[] = {{86, 65}, {152, 89}, {153, 89}, {85, 70}, {100, 170}, {0, 0}, {65535, 65535}};
    std::unique_ptr<Game> game;
    for (const Point& at : taps) {
        game = NewGame();
        Tap(*game, at.x, at.y);
        EXPECT_EQ(game->screen, &at < taps + 2 ? SCREEN_NORMAL : SCREEN_MENU) << at.x << "," << at.y;
        EXPECT_EQ(Platform().presented.size(), 1u);
        if (game->screen == SCREEN_MENU) {
            EXPECT_EQ(ShownLast(Picture(*game)), "");
        }
    }
    constexpr Rows ROW_4_SHIFTED_RIGHT{{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {16, 13, 14, 15}}};
    for (const auto& [x, y] : {std::pair{98, 227}, {140, 247}, {141, 247}, {98, 248}}) {
        StartWith(*game, NORMAL_LABEL, y == 227 ? ROW_1_SHIFTED_RIGHT : ROW_4_SHIFTED_RIGHT);
        Tap(*game, x, y);
        const bool onQuit = x <= 140 && y <= 247;
        EXPECT_EQ(game->screen, onQuit ? SCREEN_MENU : SCREEN_NORMAL) << x << "," << y;
        EXPECT_EQ(std::pair(game->tapActed, game->solved), std::pair(uint8_t{!onQuit}, uint8_t{0}))
            << x << "," << y;
    }
}

// The menu takes no taps until the splash has played; a set banner still goes with the next tap.
TEST(Menu, TakesNoTapsDuringTheSplashButDropsTheBanner) {
    auto game = NewGame();
    game->splashPending = 1;
    Tap(*game, 100, 70);
    EXPECT_EQ(game->screen, SCREEN_MENU);
    game->solved = 1;
    Tap(*game, 100, 70);
    EXPECT_EQ(std::pair(game->screen, game->solved), std::pair(int32_t{SCREEN_MENU}, uint8_t{0}));
}

// A board in goal order (a scramble that cancelled itself out): a miss adds the banner without redrawing;
// Quit shows it over the menu; a puzzle chosen then starts without it, and its first tap is the puzzle's.
TEST(PuzzleFrame, ABoardInGoalOrderGetsTheBannerOnAMissOrOnQuit) {
    auto game = NewGame();
    StartWith(*game, NORMAL_LABEL, GOAL_ROWS);
    game->backBuffer.pixels[100 * SURFACE_WIDTH + 5] = 0xFF123456u;  // gone if the board were drawn again
    Tap(*game, 119, 133);                                            // on the board: no region
    EXPECT_EQ(ShownLast(AtRest(*game, SCREEN_NORMAL, GOAL_ROWS).Banner().Pixel(5, 100, 0xFF123456u)), "");
    StartWith(*game, NORMAL_LABEL, GOAL_ROWS);
    Tap(*game, 110, 230);
    EXPECT_EQ(game->screen, SCREEN_MENU);
    EXPECT_EQ(ShownLast(Picture(*game).Banner()), "");
    Tap(*game, 100, 70);
    EXPECT_EQ(game->screen, SCREEN_NORMAL);
    EXPECT_EQ(ShownLast(AtRest(*game, SCREEN_NORMAL, BoardRows(*game))), "");
    Tap(*game, 100, 20);
    EXPECT_EQ(std::pair(game->screen, game->tapActed), std::pair(int32_t{SCREEN_NORMAL}, uint8_t{1}));
}

}  // namespace
}  // namespace tessel
