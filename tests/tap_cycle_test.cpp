#include <gtest/gtest.h>

#include "game/invariants.h"
#include "puzzles/normal.h"
#include "tests/random_taps.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using namespace testing;

// Taps on and beside the menu's labels: a label's box, edges included, opens its puzzle, else the menu again,
// one picture either way; no tap opens a puzzle during the splash.
TEST(Frame, MenuLabelsAreHitOnBothEdges) {
    auto session = NewSession();
    Game* game = &session->game;
    RandomTaps taps(12);
    for (int i = 0; i < 2000; ++i) {
        const RandomTaps::Tap tap = taps.Next();
        game->splashPending = game->solved = i % 5 == 0;  // the splash playing, a banner set
        int32_t expected = SCREEN_MENU;
        for (const ScreenLayout& label : LAYOUTS) {
            if (label.x <= tap.x && tap.x <= label.x + label.width && label.menuY <= tap.y &&
                tap.y <= label.menuY + 24 && game->splashPending == 0)
                expected = label.screen;
        }
        Platform().presented.clear();
        Tap(*game, tap.x, tap.y);
        ASSERT_EQ(std::pair(game->screen, game->solved), std::pair(expected, uint8_t{0}))
            << tap.x << "," << tap.y;
        ASSERT_EQ(BrokenInvariant(*game), "");
        ASSERT_EQ(Platform().presented.size(), 1u);
        if (expected != SCREEN_MENU) {
            Tap(*game, 119, 237);  // Quit
        } else {
            ASSERT_EQ(Picture(*game).Differences(Platform().presented.back()), "") << tap.x << "," << tap.y;
        }
    }

    // A board in goal order: a miss adds the banner; Quit shows it over the menu; the next puzzle starts
    // without it.
    StartWith(*game, NORMAL_LABEL, GOAL_ROWS);
    game->backBuffer.pixels[100 * SURFACE_WIDTH + 5] = 0xFF123456u;  // gone if the board were drawn again
    Tap(*game, 119, 133);                                            // on the board: no region
    EXPECT_EQ(AtRest(*game, SCREEN_NORMAL, GOAL_ROWS).Banner().Differences(Platform().presented.back()),
              "1 pixels differ, the first at 5,100");
    StartWith(*game, NORMAL_LABEL, GOAL_ROWS);
    Tap(*game, 110, 230);
    EXPECT_EQ(game->screen, SCREEN_MENU);
    EXPECT_EQ(Picture(*game).Banner().Differences(Platform().presented.back()), "");
    ASSERT_EQ(KeepAndReadBack(session, game), "");
    Tap(*game, 100, 70);
    EXPECT_EQ(game->screen, SCREEN_NORMAL);
    EXPECT_EQ(
        AtRest(*game, SCREEN_NORMAL, BoardRows(game->tileGrid)).Differences(Platform().presented.back()), "");
    Tap(*game, 100, 20);
    EXPECT_EQ(std::pair(game->screen, game->tapActed), std::pair(int32_t{SCREEN_NORMAL}, uint8_t{1}));
}

}  // namespace
}  // namespace tessel
