#include <gtest/gtest.h>

#include <algorithm>

#include "puzzles/uneven.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using testing::IsWhite;
using testing::Platform;
using testing::SameArea;
using testing::Tap;

// Columns 1 to 4, each its five cells from row 1 down. MIXED has columns 1 and 2 up (gap in row 5), 3 and
// 4 down, the tiles otherwise in goal order.
using Columns = std::array<std::array<int32_t, 5>, 4>;
constexpr Columns MIXED{{{1, 5, 9, 13, 0}, {2, 6, 10, 14, 0}, {0, 3, 7, 11, 15}, {0, 4, 8, 12, 16}}};

void StartUnevenWithMixed(Game& game) {
    testing::ChoosePuzzle(game, UNEVEN_LABEL);
    for (int32_t i = 0; i < 20; ++i) game.tileGrid.Tile(i / 5 + 1, i % 5 + 1) = MIXED[i / 5][i % 5];
    ClearBackBuffer(game.backBuffer);
    DrawUneven(game);
}

Columns BoardColumns(const Game& game) {
    Columns columns{};
    for (int32_t i = 0; i < 20; ++i) columns[i / 5][i % 5] = game.tileGrid.Tile(i / 5 + 1, i % 5 + 1);
    return columns;
}

// Tiles 1 to 16 once each, one gap per column in row 1 or row 5, nothing beside or above the board, and
// every cell in its place.
bool IsWhole(const TileGrid& grid) {
    std::array<int32_t, 17> seen{};
    bool whole = true;
    for (int32_t i = 0; i < 36; ++i) {
        const int32_t col = i / 6, row = i % 6, n = grid.Tile(col, row);
        const bool beside = col == 0 || col == 5 || row == 0;
        whole &= n == 0 ? beside || row == 1 || row == 5 : !beside && ++seen.at(n) == 1;
        whole &= grid.Left(col, row) == 47 + 24 * col && grid.Top(col, row) == 49 + 24 * row;
    }
    for (int32_t col = 1; col <= 4; ++col) whole &= (grid.Tile(col, 1) == 0) != (grid.Tile(col, 5) == 0);
    return whole;
}

// Every scramble attempt spends three draws, and refused ones do not count towards the twenty moves.
TEST(UnevenBoard, StaysWholeThroughScramblesAndTaps) {
    auto game = testing::NewGame();
    CrtRandom taps;
    int32_t mostDraws = 0;
    for (uint32_t ticks = 0; ticks < 300; ++ticks) {
        const int32_t draws = testing::ChoosePuzzle(*game, UNEVEN_LABEL, ticks);
        ASSERT_TRUE(draws % 3 == 0 && draws >= 3 * UNEVEN_SCRAMBLE_MOVES) << draws;
        mostDraws = std::max(mostDraws, draws);
        for (int i = 0; i < 10 && game->screen == SCREEN_UNEVEN; ++i) {
            ASSERT_TRUE(IsWhole(game->tileGrid)) << ticks;
            Tap(*game, taps.Draw() % SURFACE_WIDTH, taps.Draw() % SURFACE_HEIGHT);
        }
    }
    EXPECT_GT(mostDraws, 3 * UNEVEN_SCRAMBLE_MOVES);
}

// Each column's own gap decides, also on a shared edge; the down region starts at the top of row 5, the up
// region above row 1; row 1 never shifts sideways.
TEST(UnevenTap, ColumnsMoveOnlyIntoTheirGapsAndOnlyMiddleRowsShift) {
    const struct {
        int32_t x, y;
        Columns after;
        std::size_t presents;  // one half-step frame per move, then the final picture
    } cases[] = {
        {119, 200, {{MIXED[0], {0, 2, 6, 10, 14}, MIXED[2], MIXED[3]}}, 2},  // 3 is down already
        {80, 180, {{{0, 1, 5, 9, 13}, MIXED[1], MIXED[2], MIXED[3]}}, 2},    // the gap at 1's foot
        {200, 97, {{{1, 4, 9, 13, 0}, {2, 5, 10, 14, 0}, {0, 6, 7, 11, 15}, {0, 3, 8, 12, 16}}}, 2},  // row 2
        {80, 40, MIXED, 1},    // above an up column
        {130, 80, MIXED, 1},   // the empty top cell of a down column
        {130, 180, MIXED, 1},  // the foot tile of a down column
        {200, 96, MIXED, 1},   // beside row 1
    };
    auto game = testing::NewGame();
    for (const auto& c : cases) {
        StartUnevenWithMixed(*game);
        Tap(*game, c.x, c.y);
        EXPECT_EQ(BoardColumns(*game), c.after) << c.x << "," << c.y;
        EXPECT_EQ(Platform().presented.size(), c.presents) << c.x << "," << c.y;
    }
}

// Arrows show only where they can act; a slide's frame moves the column's tiles half a cell into the gap
// and whitens the half cell they leave; only the board with every gap in row 5 is solved, not its mirror.
TEST(UnevenBoard, ArrowsSlidesAndTheSolvedBoard) {
    auto game = testing::NewGame();
    StartUnevenWithMixed(*game);
    const BackBuffer& shown = game->backBuffer;
    const ImageSet& images = game->images;
    EXPECT_TRUE(IsWhite(shown, 71, 49, 48, 24));  // above the up columns
    EXPECT_TRUE(testing::ShowsImage(shown, images[IMG_ARROW_UP], 143, 49, 24, 24));
    EXPECT_TRUE(testing::ShowsImage(shown, images[IMG_ARROW_DOWN], 95, 193, 24, 24));
    EXPECT_TRUE(IsWhite(shown, 119, 193, 48, 24));                                 // below the down columns
    for (const int32_t x : {47, 167}) EXPECT_TRUE(IsWhite(shown, x, 73, 24, 24));  // beside row 1

    const auto before = std::make_unique<BackBuffer>(shown);
    Tap(*game, 95, 220);  // on their shared edge columns 1 and 2 slide down: the mirror of the goal
    ASSERT_EQ(Platform().presented.size(), 3u);
    EXPECT_TRUE(SameArea(Platform().presented[0], 71, 85, *before, 71, 73, 24, 96));
    EXPECT_TRUE(IsWhite(Platform().presented[0], 71, 73, 24, 12));
    EXPECT_TRUE(SameArea(Platform().presented[0], 71, 193, *before, 71, 193, 24, 24));  // the arrow stays
    EXPECT_EQ(game->solved, 0);

    Tap(*game, 95, 30);  // columns 1 and 2 up again
    *before = shown;
    Platform().presented.clear();
    Tap(*game, 130, 30);  // column 3 up
    EXPECT_TRUE(SameArea(Platform().presented[0], 119, 85, *before, 119, 97, 24, 96));
    EXPECT_TRUE(IsWhite(Platform().presented[0], 119, 181, 24, 12));
    Tap(*game, 150, 30);  // column 4 up
    EXPECT_EQ(game->solved, 1);
}

}  // namespace
}  // namespace tessel
