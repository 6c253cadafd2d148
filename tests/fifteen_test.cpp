#include <gtest/gtest.h>

#include "puzzles/fifteen.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using namespace testing;
using Rows = std::array<std::array<int32_t, 4>, 4>;

constexpr Rows GOAL{{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 0}}};
constexpr Rows MIDDLE{{{1, 2, 3, 4}, {5, 0, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 6}}};  // empty at (2, 2)

// Starts "15 Puzzle" from the menu with its board replaced by `rows` (row 1 first) and drawn anew.
void StartWith(Game& game, const Rows& rows) {
    game.screen = SCREEN_MENU;
    Tap(game, CENTER_X, FIFTEEN_LABEL_Y + 5);
    for (int32_t i = 0; i < 16; ++i) {
        game.tileGrid.Tile(i % 4 + 1, i / 4 + 1) = rows[i / 4][i % 4];
        if (rows[i / 4][i % 4] == 0) game.blankCol = i % 4 + 1, game.blankRow = i / 4 + 1;
    }
    ClearBackBuffer(game.backBuffer);
    DrawFifteen(game);
    Platform().presented.clear();
}

// Tiles 1 to 15 once and the empty cell where blankCol and blankRow say; every cell at its grid position.
void ExpectWholeBoard(const Game& game) {
    std::array<int32_t, 16> seen{};
    for (int32_t i = 0; i < 36; ++i) {
        const int32_t col = i % 6, row = i / 6;
        if (col >= 1 && col <= 4 && row >= 1 && row <= 4) ++seen[game.tileGrid.Tile(col, row)];
        EXPECT_EQ(std::pair(game.tileGrid.Left(col, row), game.tileGrid.Top(col, row)),
                  std::pair(47 + 24 * col, 61 + 24 * row));
    }
    EXPECT_EQ(seen, (std::array<int32_t, 16>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(game.tileGrid.Tile(game.blankCol, game.blankRow), 0);
}

// Eighty slides, each moving the empty cell by one: it always ends on an even column + row, so the board
// can be solved. Were refused draws counted as slides, it would end on an odd one about half the time.
TEST(FifteenSetup, ScramblesASolvableBoard) {
    for (uint32_t ticks = 0; ticks < 3000; ticks += 7) {
        auto game = NewGame();
        Platform().ticks = ticks;
        Tap(*game, CENTER_X, FIFTEEN_LABEL_Y + 5);
        ExpectWholeBoard(*game);
        EXPECT_EQ((game->blankCol + game->blankRow) % 2, 0) << ticks;
    }
}

// Where squares meet, the first in the order above, right, below, left decides, even when it lies beyond
// the board's edge: then the tap acts (a redraw) and nothing moves. Taps in no square do nothing. A slide
// shows one frame with the tile half-way into the empty cell, the half it leaves white, nothing else changed.
TEST(FifteenTap, FirstSquareThatHoldsTheTapDecides) {
    struct Case {
        Rows board;
        int32_t x, y, blankCol, blankRow, acted;
    };
    const Case cases[] = {
        {MIDDLE, 119, 109, 2, 1, 1}, {MIDDLE, 119, 133, 3, 2, 1}, {MIDDLE, 95, 133, 2, 3, 1},  // corners
        {MIDDLE, 95, 109, 2, 1, 1},  {GOAL, 143, 157, 4, 3, 1},   {MIDDLE, 80, 120, 1, 2, 1},  // and sides
        {GOAL, 143, 181, 4, 4, 1},   {GOAL, 150, 190, 4, 4, 1},  // below: beyond the edge
        {GOAL, 150, 165, 4, 4, 0},   {GOAL, 100, 100, 4, 4, 0},   {GOAL, 130, 140, 4, 4, 0},  // misses
    };
    for (const Case& c : cases) {
        auto game = NewGame();
        StartWith(*game, c.board);
        const auto before = std::make_unique<BackBuffer>(game->backBuffer);
        const int32_t dx = game->blankCol - c.blankCol, dy = game->blankRow - c.blankRow;  // the tile's move
        Tap(*game, c.x, c.y);
        SCOPED_TRACE(::testing::Message() << "tap at " << c.x << "," << c.y);
        EXPECT_EQ(std::pair(game->blankCol, game->blankRow), std::pair(c.blankCol, c.blankRow));
        EXPECT_EQ(game->tapActed, c.acted);
        ExpectWholeBoard(*game);
        ASSERT_EQ(Platform().presented.size(), dx != 0 || dy != 0 ? 2u : 1u);
        if (dx == 0 && dy == 0) continue;
        const Image& image = game->images[TileImage(c.board[c.blankRow - 1][c.blankCol - 1])];
        const int32_t left = 47 + 24 * c.blankCol, top = 61 + 24 * c.blankRow;  // the tile's cell before
        const int32_t tileX = left + 12 * dx, tileY = top + 12 * dy;            // and in the frame
        const auto inCell = [](int32_t x, int32_t y, int32_t cellX, int32_t cellY) {
            return x >= cellX && x < cellX + 24 && y >= cellY && y < cellY + 24;
        };
        for (int32_t i = 0; i < SURFACE_WIDTH * SURFACE_HEIGHT; ++i) {
            const int32_t x = i % SURFACE_WIDTH, y = i / SURFACE_WIDTH;
            const uint32_t expected =
                inCell(x, y, tileX, tileY) ? image.pixels[(y - tileY) * image.width + x - tileX]
                : inCell(x, y, left, top) || inCell(x, y, left + 24 * dx, top + 24 * dy) ? WHITE
                                                                                         : before->At(x, y);
            ASSERT_EQ(Platform().presented[0].At(x, y), expected) << x << "," << y;
        }
        EXPECT_TRUE(ShowsImage(game->backBuffer, image, left + 24 * dx, top + 24 * dy, 24, 24));
        EXPECT_TRUE(IsWhite(game->backBuffer, left, top, 24, 24));
    }
}

// The last cell is not examined: the goal board holds the empty cell there, not tile 16.
TEST(FifteenSolved, LastSlideSolvesAndAnySwapUndoes) {
    auto game = NewGame();
    StartWith(*game, {{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 0, 15}}});
    Tap(*game, 160, 170);  // 15 slides left
    EXPECT_EQ(game->solved, 1);
    StartWith(*game, {{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 15, 14, 0}}});
    EXPECT_FALSE(IsFifteenSolved(*game));
}

}  // namespace
}  // namespace tessel
