#include <gtest/gtest.h>

#include <string>

#include "puzzles/lights_out.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using testing::ShowsImage;
using testing::Tap;

void Start(Game& game, uint32_t ticks) {
    testing::Platform().ticks = ticks;
    Tap(game, CENTER_X, LIGHTS_OUT_LABEL_Y + 5);
}

// Starts "Lights out" from the menu and turns every light off, the ring's included.
void StartDark(Game& game) {
    Start(game, 0);
    game.lightGrid.lit.fill(0);
}

// The 25 board lights, row 1 first, '1' for a light that is on.
std::string Board(const Game& game) {
    std::string board;
    for (int32_t row = 1; row <= 5; ++row) {
        if (row > 1) board += '/';
        for (int32_t col = 1; col <= 5; ++col) board += game.lightGrid.Lit(col, row) != 0 ? '1' : '0';
    }
    return board;
}

const std::string DARK = "00000/00000/00000/00000/00000";

TEST(LightsOutTap, PressesEveryLightWhoseBoxHoldsThePoint) {
    const std::pair<Point, std::string> cases[] = {
        {{70, 80}, "11000/10000/00000/00000/00000"},    // light (1, 1) alone
        {{83, 80}, "00100/11000/00000/00000/00000"},    // the line between (1, 1) and (2, 1)
        {{83, 97}, "11100/11100/11000/00000/00000"},    // the corner of four lights
        {{179, 193}, "00000/00000/00000/00001/00011"},  // the bottom-right corner of (5, 5)
        {{58, 100}, DARK},                              // just outside, on each side
        {{180, 100}, DARK},
        {{100, 72}, DARK},
        {{100, 194}, DARK},
    };
    for (const auto& [at, board] : cases) {
        auto game = testing::NewGame();
        StartDark(*game);
        Tap(*game, at.x, at.y);
        EXPECT_EQ(Board(*game), board) << at.x << "," << at.y;
        EXPECT_EQ(game->tapActed, board != DARK ? 1 : 0) << at.x << "," << at.y;
    }
}

TEST(LightsOutSolved, TheBannerFollowsTheBoardWhateverTheRingHolds) {
    auto game = testing::NewGame();
    StartDark(*game);
    for (int32_t k = 0; k < 7; ++k) {
        for (const int32_t edge : {0, 6}) game->lightGrid.Lit(k, edge) = game->lightGrid.Lit(edge, k) = 1;
    }
    Tap(*game, 119, 133);  // the centre light
    EXPECT_EQ(Board(*game), "00000/00100/01110/00100/00000");
    const BackBuffer& shown = game->backBuffer;
    EXPECT_TRUE(testing::IsWhite(shown, 35, 49, 168, 24) && testing::IsWhite(shown, 35, 193, 168, 24));
    EXPECT_TRUE(testing::IsWhite(shown, 35, 49, 24, 168) && testing::IsWhite(shown, 179, 49, 24, 168));
    Tap(*game, 119, 133);  // pressed again: the board is dark, the ring still lit
    EXPECT_EQ(game->solved, 1);
    EXPECT_TRUE(ShowsImage(shown, game->images[IMG_LETTER_C], 40, 38, 11, 20));
    // Drawing a lit light takes the banner away, whatever set it; a dark board keeps it.
    DrawLightsOut(*game);
    EXPECT_EQ(game->solved, 1);
    game->lightGrid.Lit(5, 5) = 1;
    DrawLightsOut(*game);
    EXPECT_EQ(game->solved, 0);
}

// Over many boards: each is the generator's ten presses, the column drawn before the row; under random taps
// lights hold only 0 or 1, cells stay in place, `solved` follows the board and every picture shows it.
TEST(LightsOutPlay, ScrambleAndTapsKeepBoardPictureAndBannerInStep) {
    CrtRandom taps;
    taps.Seed(7);
    for (uint32_t ticks = 1; ticks < 4000000000u; ticks += 20000000u) {
        auto game = testing::NewGame();
        Start(*game, ticks);
        LightGrid expected{};
        CrtRandom random;
        random.Seed(ticks % 2000000000u);
        for (int i = 0; i < 10; ++i) {
            const int32_t col = random.Draw() % 5 + 1;
            PressLight(expected, col, random.Draw() % 5 + 1);
        }
        ASSERT_EQ(game->lightGrid.lit, expected.lit) << ticks;
        for (int i = 0; i < 15; ++i) {
            testing::Platform().presented.clear();
            Tap(*game, 50 + taps.Draw() % 140, 60 + taps.Draw() % 150);
            if (game->screen != SCREEN_LIGHTS_OUT) break;  // the tap after a solve
            const LightGrid& grid = game->lightGrid;
            for (int32_t col = 0; col < 7; ++col) {
                for (int32_t row = 0; row < 7; ++row) {
                    ASSERT_LE(grid.Lit(col, row), 1);
                    ASSERT_EQ(grid.Left(col, row), 35 + 24 * col);
                    ASSERT_EQ(grid.Top(col, row), 49 + 24 * row);
                    if (col % 6 == 0 || row % 6 == 0 || game->tapActed == 0) continue;  // ring, or no redraw
                    const ImageId image = grid.Lit(col, row) != 0 ? IMG_LIGHT_ON : IMG_LIGHT_OFF;
                    ASSERT_TRUE(ShowsImage(game->backBuffer, game->images[image], 35 + 24 * col,
                                           49 + 24 * row, 24, 24));
                }
            }
            ASSERT_EQ(game->solved, Board(*game) == DARK ? 1 : 0);
        }
    }
}

}  // namespace
}  // namespace tessel
