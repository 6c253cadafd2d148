#include <gtest/gtest.h>

#include "core/game.h"
#include "core/layout.h"

namespace tessel {
namespace {

TEST(Layout, DerivedPositionsCentreTheScreen) {
    EXPECT_EQ(CENTER_X, 119);
    EXPECT_EQ(CENTER_Y, 133);
    EXPECT_EQ(SPLASH_X, 107);
    EXPECT_EQ(SPLASH_Y, 115);
    EXPECT_EQ(TITLE_X, 65);
    EXPECT_EQ(QUIT_X, 98);
    EXPECT_EQ(QUIT_Y, 227);
    EXPECT_EQ(BANNER_Y, 38);
}

TEST(Layout, MenuEntriesStackWithAGapBeforeFifteen) {
    EXPECT_EQ(NORMAL_LABEL_X, 86);
    EXPECT_EQ(UNEVEN_LABEL_X, 83);
    EXPECT_EQ(UNEVEN_LABEL_Y, 90);
    EXPECT_EQ(UNMOVABLE_LABEL_X, 67);
    EXPECT_EQ(UNMOVABLE_LABEL_Y, 115);
    EXPECT_EQ(ALMOST_IMPOSSIBLE_LABEL_X, 24);
    EXPECT_EQ(ALMOST_IMPOSSIBLE_LABEL_Y, 140);
    EXPECT_EQ(FIFTEEN_LABEL_X, 69);
    EXPECT_EQ(FIFTEEN_LABEL_Y, 189);  // two label heights below, not one
    EXPECT_EQ(LIGHTS_OUT_LABEL_X, 61);
    EXPECT_EQ(LIGHTS_OUT_LABEL_Y, 214);
}

TEST(Layout, GridOriginsAndBannerLetters) {
    EXPECT_EQ(NORMAL_GRID_ORIGIN.x, 47);
    EXPECT_EQ(NORMAL_GRID_ORIGIN.y, 61);
    EXPECT_EQ(UNEVEN_GRID_ORIGIN.x, 47);
    EXPECT_EQ(UNEVEN_GRID_ORIGIN.y, 49);
    EXPECT_EQ(LIGHTS_OUT_GRID_ORIGIN.x, 35);
    EXPECT_EQ(LIGHTS_OUT_GRID_ORIGIN.y, 49);
    EXPECT_EQ(BANNER_LETTER_X, (std::array<int32_t, 9>{40, 60, 80, 100, 120, 140, 160, 180, 190}));
}

TEST(PlaceCells, TileGridCellsFollowTheOrigin) {
    TileGrid grid{};
    PlaceCells(grid, NORMAL_GRID_ORIGIN);
    for (int32_t i = 0; i < 6; ++i) {
        EXPECT_EQ(grid.Left(0, i), 47);
        EXPECT_EQ(grid.Left(5, i), 167);
        EXPECT_EQ(grid.Top(i, 0), 61);
        EXPECT_EQ(grid.Top(i, 5), 181);
    }
    EXPECT_EQ(grid.Left(1, 1), 71);
    EXPECT_EQ(grid.Top(1, 1), 85);
    // Stored column-major: [col][row] at col * 6 + row.
    EXPECT_EQ(grid.cellLeft[2 * 6 + 0], 95);
    EXPECT_EQ(grid.cellTop[0 * 6 + 2], 109);

    PlaceCells(grid, UNEVEN_GRID_ORIGIN);
    EXPECT_EQ(grid.Top(3, 0), 49);
    EXPECT_EQ(grid.Top(3, 5), 169);
}

TEST(PlaceCells, LightGridCellsFollowTheOrigin) {
    LightGrid grid{};
    PlaceCells(grid, LIGHTS_OUT_GRID_ORIGIN);
    for (int32_t i = 0; i < 7; ++i) {
        EXPECT_EQ(grid.Left(1, i), 59);
        EXPECT_EQ(grid.Top(i, 1), 73);
        EXPECT_EQ(grid.Left(6, i), 179);
    }
    EXPECT_EQ(grid.cellTop[3 * 7 + 6], 193);
}

TEST(Game, StartsOnTheMenuWaitingForTheSplash) {
    const auto game = std::make_unique<Game>();
    EXPECT_EQ(game->screen, SCREEN_MENU);
    EXPECT_EQ(game->screenAtTap, SCREEN_MENU);
    EXPECT_EQ(game->splashPending, 1);
    EXPECT_EQ(game->solved, 0);
    EXPECT_EQ(game->drainTaps, 0);
    EXPECT_EQ(game->bannerY, (std::array<int32_t, 9>{}));
    ResetBanner(*game);
    EXPECT_EQ(game->bannerY, (std::array<int32_t, 9>{38, 38, 38, 38, 38, 38, 38, 38, 38}));
}

}  // namespace
}  // namespace tessel
