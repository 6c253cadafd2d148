// The six puzzles through the tap cycle: scrambles, tap regions, moves and the frames that show them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "puzzles/almost_impossible.h"
#include "puzzles/fifteen.h"
#include "puzzles/lights_out.h"
#include "puzzles/normal.h"
#include "puzzles/tile_board.h"
#include "puzzles/uneven.h"
#include "puzzles/unmovable.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using namespace testing;

// The tick count seeds every set-up. "Normal" spends ten rounds of three draws; "Uneven" and "Unmovable"
// three per attempt, refused ones too, and only accepted ones count towards twenty moves.
TEST(LineScramble, EveryAttemptSpendsThreeDraws) {
    auto game = NewGame();
    EXPECT_EQ(ChoosePuzzle(*game, NORMAL_LABEL, 2000001234u), 30);
    EXPECT_NE(BoardRows(*game), GOAL_ROWS);
    for (const PuzzleLabel& label : {UNEVEN_LABEL, UNMOVABLE_LABEL}) {
        int32_t mostDraws = 0;
        for (uint32_t ticks = 0; ticks < 1000; ++ticks) {
            const int32_t draws = ChoosePuzzle(*game, label, ticks);
            ASSERT_TRUE(draws % 3 == 0 && draws >= 60) << draws;
            mostDraws = std::max(mostDraws, draws);
        }
        EXPECT_GT(mostDraws, 60);
    }
}

// Regions reach the window's edges, a shared edge shifts both lines, the board and corner areas nothing.
// The first "Unmovable" locks column 2 and row 4 whatever the tick count: their regions do nothing, also
// on shared edges. One half-step frame per shift, then the final picture.
TEST(LineTap, RegionsShiftTheirLinesAndLockedLinesArePassedOver) {
    const struct {
        const PuzzleLabel& label;
        int32_t x, y;
        Rows after;
        std::size_t presents;
    } cases[] = {
        {NORMAL_LABEL, 80, 84, {{{5, 2, 3, 4}, {9, 6, 7, 8}, {13, 10, 11, 12}, {1, 14, 15, 16}}}, 2},
        {NORMAL_LABEL, 143, 235, {{{1, 2, 15, 16}, {5, 6, 3, 4}, {9, 10, 7, 8}, {13, 14, 11, 12}}}, 3},
        {NORMAL_LABEL, 95, 0, {{{5, 6, 3, 4}, {9, 10, 7, 8}, {13, 14, 11, 12}, {1, 2, 15, 16}}}, 3},
        {NORMAL_LABEL, 168, 100, {{{4, 1, 2, 3}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}}}, 2},
        {NORMAL_LABEL, 238, 133, {{{1, 2, 3, 4}, {8, 5, 6, 7}, {12, 9, 10, 11}, {13, 14, 15, 16}}}, 3},
        {NORMAL_LABEL, 0, 181, {{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {14, 15, 16, 13}}}, 2},
        {NORMAL_LABEL, 71, 85, GOAL_ROWS, 1},  // the board
        {NORMAL_LABEL, 70, 84, GOAL_ROWS, 1},  // corner areas
        {NORMAL_LABEL, 168, 182, GOAL_ROWS, 1},
        {UNMOVABLE_LABEL, 95, 40, {{{5, 2, 3, 4}, {9, 6, 7, 8}, {13, 10, 11, 12}, {1, 14, 15, 16}}}, 2},
        {UNMOVABLE_LABEL, 119, 220, {{{1, 2, 15, 4}, {5, 6, 3, 8}, {9, 10, 7, 12}, {13, 14, 11, 16}}}, 2},
        {UNMOVABLE_LABEL, 200, 157, {{{1, 2, 3, 4}, {5, 6, 7, 8}, {12, 9, 10, 11}, {13, 14, 15, 16}}}, 2},
        {UNMOVABLE_LABEL, 107, 40, GOAL_ROWS, 1},
        {UNMOVABLE_LABEL, 107, 200, GOAL_ROWS, 1},
        {UNMOVABLE_LABEL, 20, 181, GOAL_ROWS, 1},
    };
    std::unique_ptr<Game> game;
    for (const auto& c : cases) {
        game = NewGame();
        StartWith(*game, c.label, GOAL_ROWS, 1000 * c.x + c.y);
        Tap(*game, c.x, c.y);
        EXPECT_EQ(BoardRows(*game), c.after) << c.x << "," << c.y;
        EXPECT_EQ(Platform().presented.size(), c.presents) << c.x << "," << c.y;
    }
    // The fixed cell shows its tile grey, the rest of the locked lines green, their arrow places white.
    const BackBuffer& shown = game->backBuffer;
    EXPECT_TRUE(ShowsImage(shown, game->images[GreyTileImage(14)], 95, 157, 24, 24));
    EXPECT_TRUE(ShowsImage(shown, game->images[TileImage(10)], 95, 133, 24, 24));
    EXPECT_TRUE(IsWhite(shown, 95, 61, 24, 24) && IsWhite(shown, 167, 157, 24, 24));
}

// The half-step frame: the line moved by half a cell, the leaving tile's outgoing half re-entering at the
// other end, the arrow it passed over intact.
TEST(NormalTap, HalfStepFramesMoveTheLineByHalfACell) {
    const struct {
        int32_t x, y;
        std::array<std::array<int32_t, 6>, 2> moved;  // x, y in the frame from x, y before; width, height
        ImageId arrow;
        int32_t arrowX, arrowY;
    } frames[] = {
        {100, 20, {{{95, 85, 95, 97, 24, 84}, {95, 169, 95, 85, 24, 12}}}, IMG_ARROW_UP, 95, 61},
        {200, 100, {{{83, 85, 71, 85, 84, 24}, {71, 85, 155, 85, 12, 24}}}, IMG_ARROW_RIGHT, 167, 85},
        {96, 240, {{{95, 97, 95, 85, 24, 84}, {95, 85, 95, 169, 24, 12}}}, IMG_ARROW_DOWN, 95, 181},
        {20, 100, {{{71, 85, 83, 85, 84, 24}, {155, 85, 71, 85, 12, 24}}}, IMG_ARROW_LEFT, 47, 85},
    };
    auto game = NewGame();
    for (const auto& f : frames) {
        StartWith(*game, NORMAL_LABEL, GOAL_ROWS);
        const auto before = std::make_unique<BackBuffer>(game->backBuffer);
        Tap(*game, f.x, f.y);
        const BackBuffer& frame = Platform().presented[0];
        for (const auto& [x, y, fromX, fromY, w, h] : f.moved) {
            EXPECT_TRUE(SameArea(frame, x, y, *before, fromX, fromY, w, h)) << f.x << "," << f.y;
        }
        EXPECT_TRUE(ShowsImage(frame, game->images[f.arrow], f.arrowX, f.arrowY, 24, 24));
        EXPECT_TRUE(SameArea(frame, 119, 109, *before, 119, 109, 24, 72));  // the lines beside untouched
    }
}

// Columns 1 and 2 up (gap in row 5), 3 and 4 down, the tiles otherwise in goal order.
constexpr Board<5> MIXED{{{1, 2, 0, 0}, {5, 6, 3, 4}, {9, 10, 7, 8}, {13, 14, 11, 12}, {0, 0, 15, 16}}};

// Each column's own gap decides, also on a shared edge; the down region starts at the top of row 5, the up
// region above row 1; row 1 never shifts sideways.
TEST(Uneven, ColumnsMoveOnlyIntoTheirGapsWhereArrowsShow) {
    const struct {
        int32_t x, y;
        Board<5> after;
        std::size_t presents;  // one half-step frame per move, then the final picture
    } cases[] = {
        {119, 200, {{{1, 0, 0, 0}, {5, 2, 3, 4}, {9, 6, 7, 8}, {13, 10, 11, 12}, {0, 14, 15, 16}}}, 2},
        {80, 180, {{{0, 2, 0, 0}, {1, 6, 3, 4}, {5, 10, 7, 8}, {9, 14, 11, 12}, {13, 0, 15, 16}}}, 2},
        {200, 97, {{{1, 2, 0, 0}, {4, 5, 6, 3}, {9, 10, 7, 8}, {13, 14, 11, 12}, {0, 0, 15, 16}}}, 2},
        {80, 40, MIXED, 1},    // above an up column
        {130, 80, MIXED, 1},   // the empty top cell of a down column
        {130, 180, MIXED, 1},  // the foot tile of a down column
        {200, 96, MIXED, 1},   // beside row 1
    };
    auto game = NewGame();
    for (const auto& c : cases) {
        StartWith(*game, UNEVEN_LABEL, MIXED);
        Tap(*game, c.x, c.y);
        EXPECT_EQ(BoardRows<5>(*game), c.after) << c.x << "," << c.y;
        EXPECT_EQ(Platform().presented.size(), c.presents) << c.x << "," << c.y;
    }
    // Arrows show only where they can act; a slide's frame moves the column's tiles half a cell into the
    // gap and whitens the half cell they leave; only the board with every gap in row 5 is solved.
    StartWith(*game, UNEVEN_LABEL, MIXED);
    const BackBuffer& shown = game->backBuffer;
    EXPECT_TRUE(IsWhite(shown, 71, 49, 48, 24));  // above the up columns
    EXPECT_TRUE(ShowsImage(shown, game->images[IMG_ARROW_UP], 143, 49, 24, 24));
    EXPECT_TRUE(ShowsImage(shown, game->images[IMG_ARROW_DOWN], 95, 193, 24, 24));
    EXPECT_TRUE(IsWhite(shown, 119, 193, 48, 24));                                 // below the down columns
    for (const int32_t x : {47, 167}) EXPECT_TRUE(IsWhite(shown, x, 73, 24, 24));  // beside row 1

    auto before = std::make_unique<BackBuffer>(shown);
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

// Where squares meet, the first of above, right, below, left decides, even beyond the board's edge (a
// redraw, nothing moves). A slide's frame shows the tile half-way, the half it leaves white. Only 1 to 15
// in order are solved; the last cell is not examined.
TEST(Fifteen, FirstSquareThatHoldsTheTapDecidesAndScramblesAreSolvable) {
    constexpr Rows GOAL{{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 0}}};
    constexpr Rows MID{{{1, 2, 3, 4}, {5, 0, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 6}}};   // empty at (2, 2)
    constexpr Rows NEAR{{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 0, 15}}};  // one slide away
    constexpr Rows SWAP{{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 15, 14, 0}}};  // 14 and 15 swapped
    const struct {
        Rows board;
        int32_t x, y, blankCol, blankRow, acted;
    } cases[] = {
        // Corners where two squares meet, sides, below and off the board, in no square.
        {MID, 119, 109, 2, 1, 1},  {MID, 119, 133, 3, 2, 1},  {MID, 95, 133, 2, 3, 1},
        {MID, 95, 109, 2, 1, 1},   {GOAL, 143, 157, 4, 3, 1}, {MID, 80, 120, 1, 2, 1},
        {NEAR, 160, 170, 4, 4, 1}, {GOAL, 143, 181, 4, 4, 1}, {GOAL, 150, 190, 4, 4, 1},
        {GOAL, 150, 165, 4, 4, 0}, {GOAL, 100, 100, 4, 4, 0}, {SWAP, 130, 140, 4, 4, 0},
    };
    auto game = NewGame();
    for (const auto& c : cases) {
        StartWith(*game, FIFTEEN_LABEL, c.board);
        const int32_t dx = game->blankCol - c.blankCol, dy = game->blankRow - c.blankRow;  // the tile's move
        Tap(*game, c.x, c.y);
        SCOPED_TRACE(::testing::Message() << "tap at " << c.x << "," << c.y);
        EXPECT_EQ(std::pair(game->blankCol, game->blankRow), std::pair(c.blankCol, c.blankRow));
        EXPECT_EQ(game->tapActed, c.acted);
        EXPECT_EQ(game->solved, BoardRows(*game) == GOAL ? 1 : 0);
        ASSERT_EQ(Platform().presented.size(), dx != 0 || dy != 0 ? 2u : 1u);
        if (dx == 0 && dy == 0) continue;
        const Image& image = game->images[TileImage(c.board[c.blankRow - 1][c.blankCol - 1])];
        const int32_t left = 47 + 24 * c.blankCol, top = 61 + 24 * c.blankRow;  // the tile's cell before
        const BackBuffer& frame = Platform().presented[0];
        EXPECT_TRUE(ShowsImage(frame, image, left + 12 * dx, top + 12 * dy, 24, 24));
        EXPECT_TRUE(IsWhite(frame, left + (dx < 0 ? 12 : 0), top + (dy < 0 ? 12 : 0), dx != 0 ? 12 : 24,
                            dy != 0 ? 12 : 24));
        EXPECT_TRUE(ShowsImage(game->backBuffer, image, left + 24 * dx, top + 24 * dy, 24, 24));
        EXPECT_TRUE(IsWhite(game->backBuffer, left, top, 24, 24));
    }
    // Eighty scramble slides leave the empty cell on an even column + row; counting refused draws would not.
    for (uint32_t ticks = 0; ticks < 3000; ticks += 7) {
        ChoosePuzzle(*game, FIFTEEN_LABEL, ticks);
        EXPECT_EQ((game->blankCol + game->blankRow) % 2, 0) << ticks;
    }
}

// Each inner corner's 15 x 15 square, edges included, turns its block clockwise; just outside, nothing.
TEST(AlmostImpossibleTap, CornerSquaresTurnTheirBlocksFrameByFrame) {
    constexpr std::pair<int32_t, int32_t> OFFSETS[] = {{-7, -7}, {7, 7},  {-7, 7}, {7, -7},  {-8, 0},
                                                       {8, 0},   {0, -8}, {0, 8},  {12, 12}, {-12, -12}};
    auto game = NewGame();
    ChoosePuzzle(*game, ALMOST_IMPOSSIBLE_LABEL);
    for (int32_t i = 0; i < 9; ++i) {
        const int32_t c = i % 3 + 1, r = i / 3 + 1;
        for (const auto& [dx, dy] : OFFSETS) {
            const bool hit = std::abs(dx) == 7;
            WriteGoalOrder(game->tileGrid);
            game->tapActed = 0;
            TapAlmostImpossible(*game, 71 + 24 * c + dx, 85 + 24 * r + dy);
            EXPECT_EQ(game->tapActed, hit) << c << "," << r << " by " << dx << "," << dy;
            EXPECT_EQ(game->tileGrid.Tile(c + 1, r) == GoalTile(c, r), hit);  // top-left went right
        }
    }
    // Block 6 7 / 10 11 turning: at 8 and 16 pixels each tile lies over the one before it (clockwise from
    // the top-left, the last also over the first), and the rest of the block is white.
    StartWith(*game, ALMOST_IMPOSSIBLE_LABEL, GOAL_ROWS);
    Tap(*game, 119, 133);
    ASSERT_EQ(Platform().presented.size(), 3u);
    const int32_t L = 95, T = 109;
    for (int32_t s = 8; s <= 16; s += 8) {
        const std::array<std::array<int32_t, 3>, 4> lyingOrder{
            {{6, L + s, T}, {7, L + 24, T + s}, {11, L + 24 - s, T + 24}, {10, L, T + 24 - s}}};
        EXPECT_TRUE(AreaIs(Platform().presented[s / 8 - 1], L, T, 48, 48, [&](int32_t dx, int32_t dy) {
            uint32_t expected = WHITE;
            for (const auto& [n, left, top] : lyingOrder) {  // tile, then where it stands
                const int32_t x = L + dx - left, y = T + dy - top;
                if (0 <= x && x < 24 && 0 <= y && y < 24)
                    expected = game->images[TileImage(n)].pixels[y * 24 + x];
            }
            return expected;
        })) << s;
    }
}

// The scramble turns counter-clockwise, drawing column, row and quarters: tapping its blocks in reverse,
// each as often as it was turned, gives the goal order back.
TEST(AlmostImpossibleSetup, ClockwiseTapsUndoTheScrambleInReverse) {
    auto game = NewGame();
    Platform().keepPictures = false;
    for (uint32_t i = 0; i < 300; ++i) {
        const uint32_t ticks = i * 14316557u;  // up to the top of the tick count
        ChoosePuzzle(*game, ALMOST_IMPOSSIBLE_LABEL, ticks);
        CrtRandom generator;
        generator.Seed(ticks % 2000000000u);
        std::array<int32_t, 30> draws{};
        for (int32_t& draw : draws) draw = generator.Draw() % 3 + 1;
        for (int32_t step = 9; step >= 0; --step) {
            for (int32_t q = 0; q < draws[3 * step + 2]; ++q) {
                TapAlmostImpossible(*game, 71 + 24 * draws[3 * step], 85 + 24 * draws[3 * step + 1]);
            }
        }
        ASSERT_TRUE(IsAlmostImpossibleSolved(*game)) << ticks;
    }
}

// The 25 board lights, row 1 first, '1' for a light that is on.
std::string Board(const Game& game) {
    std::string board;
    for (int32_t i = 0; i < 25; ++i) {
        if (i > 0 && i % 5 == 0) board += '/';
        board += game.lightGrid.Lit(i % 5 + 1, i / 5 + 1) != 0 ? '1' : '0';
    }
    return board;
}

const std::string DARK = "00000/00000/00000/00000/00000";

TEST(LightsOut, PressesEveryLightWhoseBoxHoldsThePointAndScramblesByTen) {
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
    auto game = NewGame();
    for (const auto& [at, board] : cases) {
        ChoosePuzzle(*game, LIGHTS_OUT_LABEL);
        game->lightGrid.lit.fill(0);
        Tap(*game, at.x, at.y);
        EXPECT_EQ(Board(*game), board) << at.x << "," << at.y;
        EXPECT_EQ(game->tapActed, board != DARK ? 1 : 0) << at.x << "," << at.y;
        EXPECT_EQ(game->solved, board == DARK ? 1 : 0) << at.x << "," << at.y;
    }
    // Turning the board's last lights off solves it although the press lit the ring, which is not drawn.
    ChoosePuzzle(*game, LIGHTS_OUT_LABEL);
    game->lightGrid.lit.fill(0);
    game->lightGrid.Lit(1, 1) = game->lightGrid.Lit(2, 1) = game->lightGrid.Lit(1, 2) = 1;
    Tap(*game, 70, 80);
    EXPECT_EQ(game->solved, 1);
    EXPECT_TRUE(IsWhite(game->backBuffer, 35, 73, 24, 24) && IsWhite(game->backBuffer, 59, 58, 24, 15));
    // Each scramble is the generator's ten presses, column drawn before row, and shows every light as it is.
    for (uint32_t ticks = 1; ticks < 4000000000u; ticks += 20000000u) {
        ChoosePuzzle(*game, LIGHTS_OUT_LABEL, ticks);
        LightGrid expected{};
        CrtRandom random;
        random.Seed(ticks % 2000000000u);
        for (int i = 0; i < 10; ++i) {
            const int32_t col = random.Draw() % 5 + 1;
            PressLight(expected, col, random.Draw() % 5 + 1);
        }
        ASSERT_EQ(game->lightGrid.lit, expected.lit) << ticks;
        ASSERT_TRUE(AreaIs(game->backBuffer, 59, 73, 120, 120, [&](int32_t dx, int32_t dy) {
            const bool on = expected.Lit(dx / 24 + 1, dy / 24 + 1) != 0;
            return game->images[on ? IMG_LIGHT_ON : IMG_LIGHT_OFF].pixels[dy % 24 * 24 + dx % 24];
        })) << ticks;
    }
}

}  // namespace
}  // namespace tessel
