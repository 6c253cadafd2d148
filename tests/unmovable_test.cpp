#include <gtest/gtest.h>

#include <algorithm>

#include "puzzles/tile_board.h"
#include "puzzles/unmovable.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using testing::BoardRows;
using testing::Platform;

// Every attempt spends three draws after the seeding, so the fixed lines came before it; refused attempts
// do not count towards the twenty moves. Whatever is tapped, the fixed cell keeps its tile, the board its
// sixteen tiles, the ring what an earlier puzzle left there (7 here, never drawn), every cell its place.
TEST(UnmovableBoard, StaysWholeThroughScramblesAndTaps) {
    auto game = testing::NewGame();
    TileGrid& grid = game->tileGrid;
    const auto isRing = [](int32_t i) { return i / 6 % 5 == 0 || i % 6 % 5 == 0; };
    CrtRandom taps;
    int32_t fewestDraws = 1000, mostDraws = 0;
    for (uint32_t ticks = 0; ticks < 2000; ++ticks) {
        for (int32_t i = 0; i < 36; ++i) grid.tile[i] = isRing(i) ? 7 : 0;
        const int32_t draws = testing::ChoosePuzzle(*game, UNMOVABLE_LABEL, ticks);
        ASSERT_TRUE(draws % 3 == 0 && draws >= 3 * UNMOVABLE_SCRAMBLE_MOVES) << draws;
        fewestDraws = std::min(fewestDraws, draws);
        mostDraws = std::max(mostDraws, draws);
        for (int tap = 0; tap < 4 && game->screen == SCREEN_UNMOVABLE; ++tap) {
            testing::Tap(*game, taps.Draw() % SURFACE_WIDTH, taps.Draw() % SURFACE_HEIGHT);
            ASSERT_EQ(grid.Tile(game->fixedColumn, game->fixedRow),
                      GoalTile(game->fixedColumn, game->fixedRow));
            std::array<int32_t, 16> seen{};
            for (int32_t i = 0; i < 36; ++i) {
                ASSERT_TRUE(isRing(i) ? grid.tile[i] == 7 : ++seen.at(grid.tile[i] - 1) == 1);
                ASSERT_TRUE(grid.cellLeft[i] == 47 + 24 * (i / 6) && grid.cellTop[i] == 61 + 24 * (i % 6));
            }
            ASSERT_TRUE(testing::IsWhite(game->backBuffer, 47, 61, 24, 24));  // a corner of the ring
        }
    }
    EXPECT_EQ(fewestDraws, 3 * UNMOVABLE_SCRAMBLE_MOVES);
    EXPECT_GT(mostDraws, 3 * UNMOVABLE_SCRAMBLE_MOVES);
}

// The first choice after start-up is the same in every run, whatever the tick count: column 2 and row 4.
// On the ordered board their regions do nothing at all, also on the edges they share with movable lines.
// The fixed cell is grey, the locked lines' arrow places stay white.
TEST(UnmovableTap, LockedLinesArePassedOver) {
    const struct {
        int32_t x, y;
        std::array<std::array<int32_t, 4>, 4> after;
        std::size_t presents;  // one half-step frame per shift, then the final picture
    } cases[] = {
        {95, 40, {{{5, 2, 3, 4}, {9, 6, 7, 8}, {13, 10, 11, 12}, {1, 14, 15, 16}}}, 2},    // column 1 up
        {119, 220, {{{1, 2, 15, 4}, {5, 6, 3, 8}, {9, 10, 7, 12}, {13, 14, 11, 16}}}, 2},  // column 3 down
        {200, 157, {{{1, 2, 3, 4}, {5, 6, 7, 8}, {12, 9, 10, 11}, {13, 14, 15, 16}}}, 2},  // row 3 right
        {107, 40, testing::GOAL_ROWS, 1},
        {107, 200, testing::GOAL_ROWS, 1},
        {20, 181, testing::GOAL_ROWS, 1},
    };
    std::unique_ptr<Game> game;
    for (const auto& c : cases) {
        game = testing::NewGame();
        testing::ChoosePuzzle(*game, UNMOVABLE_LABEL, 1000 * c.x + c.y);
        ASSERT_EQ(std::pair(game->fixedColumn, game->fixedRow), std::pair(2, 4));
        WriteGoalOrder(game->tileGrid);
        ClearBackBuffer(game->backBuffer);
        DrawUnmovable(*game);
        testing::Tap(*game, c.x, c.y);
        EXPECT_EQ(BoardRows(*game), c.after) << c.x << "," << c.y;
        EXPECT_EQ(Platform().presented.size(), c.presents) << c.x << "," << c.y;
        EXPECT_EQ(game->tapActed, c.presents - 1);
    }
    const BackBuffer& shown = game->backBuffer;  // the ordered board, not redrawn by the last tap
    const ImageSet& images = game->images;
    EXPECT_TRUE(testing::ShowsImage(shown, images[GreyTileImage(14)], 95, 157, 24, 24));
    EXPECT_TRUE(testing::ShowsImage(shown, images[TileImage(10)], 95, 133, 24, 24));
    for (const auto& [x, y] : {std::pair{95, 61}, {95, 181}, {47, 157}, {167, 157}}) {
        EXPECT_TRUE(testing::IsWhite(shown, x, y, 24, 24));
    }
    EXPECT_TRUE(testing::ShowsImage(shown, images[IMG_ARROW_UP], 71, 61, 24, 24));
}

}  // namespace
}  // namespace tessel
