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
#include "puzzles/uneven.h"
#include "puzzles/unmovable.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using namespace testing;

template <std::size_t N>
void ExpectAtRest(const Game& game, const Board<N>& board, Point fixed = {0, 0}) {
    EXPECT_EQ(BoardRows<N>(game), board);
    EXPECT_EQ(AtRest(game, game.screen, board, fixed).Differences(game.backBuffer), "") << game.screen;
}

// The 25 board lights, row 1 first, '1' for a light that is on.
std::string Lights(const Game& game) {
    std::string board;
    for (int32_t i = 0; i < 25; ++i) {
        if (i > 0 && i % 5 == 0) board += '/';
        board += game.lightGrid.Lit(i % 5 + 1, i / 5 + 1) != 0 ? '1' : '0';
    }
    return board;
}

// "Lights out" at rest: each light yellow or white as `board` says.
void ExpectLights(const Game& game, const std::string& board) {
    EXPECT_EQ(Lights(game), board);
    Picture expected(game, SCREEN_LIGHTS_OUT);
    for (int32_t i = 0; i < 25; ++i)
        expected.Cell(board[i / 5 * 6 + i % 5] == '1' ? id::LIGHT_ON : id::LIGHT_OFF, i % 5 + 1, i / 5 + 1);
    if (game.solved != 0) expected.Banner();
    EXPECT_EQ(expected.Differences(game.backBuffer), "");
}

// Boards for fixed tick counts, worked out by separate code from each set-up's rules and shown at rest; they
// also pin the generator's draws. Tick counts from 2000000000 on wrap round.
TEST(Scramble, FixedTickCountsGiveKnownBoards) {
    auto game = NewGame();
    ChoosePuzzle(*game, UNMOVABLE_LABEL, 555);  // the generator unseeded: column 2 and row 4 locked
    ExpectAtRest(*game, Rows{{{7, 4, 15, 11}, {3, 13, 2, 9}, {10, 5, 16, 12}, {1, 14, 6, 8}}}, {2, 4});
    ChoosePuzzle(*game, UNMOVABLE_LABEL, 4000000000u);  // locks drawn on from the last scramble
    ExpectAtRest(*game, Rows{{{1, 15, 13, 5}, {6, 2, 8, 4}, {9, 11, 3, 14}, {10, 16, 12, 7}}}, {1, 1});
    ChoosePuzzle(*game, NORMAL_LABEL, 2000004321u);
    ExpectAtRest(*game, Rows{{{14, 15, 2, 13}, {4, 3, 8, 16}, {6, 10, 7, 1}, {5, 9, 11, 12}}});
    ChoosePuzzle(*game, UNEVEN_LABEL, 0);
    ExpectAtRest(*game,
                 Board<5>{{{0, 7, 0, 5}, {1, 4, 3, 8}, {15, 2, 14, 6}, {13, 16, 9, 11}, {12, 0, 10, 0}}});
    ChoosePuzzle(*game, FIFTEEN_LABEL, 1234);
    ExpectAtRest(*game, Rows{{{6, 1, 0, 8}, {10, 4, 15, 9}, {5, 2, 11, 3}, {7, 13, 14, 12}}});
    ChoosePuzzle(*game, ALMOST_IMPOSSIBLE_LABEL, 2000004321u);
    ExpectAtRest(*game, Rows{{{5, 1, 8, 4}, {2, 3, 12, 6}, {13, 9, 10, 11}, {15, 14, 16, 7}}});
    ChoosePuzzle(*game, LIGHTS_OUT_LABEL, 2000004321u);
    ExpectLights(*game, "11000/10101/11111/11111/10010");
}

// From a fresh game, a board one move from the goal: the move shows the goal at rest under the banner,
// whichever puzzle is played first; the next tap, even one that would move, returns to the menu.
TEST(Solve, TheSolvingMoveShowsTheGoalUnderTheBanner) {
    const auto solve = [](const PuzzleLabel& label, const auto& start, Point tap, const auto& goal,
                          Point fixed = {0, 0}) {
        auto game = NewGame();
        StartWith(*game, label, start);
        Tap(*game, tap.x, tap.y);
        EXPECT_EQ(game->solved, 1) << game->screen;
        EXPECT_EQ(AtRest(*game, game->screen, goal, fixed).Banner().Differences(game->backBuffer), "")
            << game->screen;
        Tap(*game, tap.x, tap.y);  // the next tap only leaves, and the banner with it
        EXPECT_EQ(std::pair(game->screen, game->solved), std::pair(int32_t{SCREEN_MENU}, uint8_t{0}));
        EXPECT_EQ(Picture(*game).Differences(game->backBuffer), "");
    };
    solve(NORMAL_LABEL, ROW_1_SHIFTED_RIGHT, {60, 97}, GOAL_ROWS);
    const Board<5> unevenGoal{{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}, {0, 0, 0, 0}}};
    solve(UNEVEN_LABEL,
          Board<5>{{{1, 2, 3, 0}, {5, 6, 7, 4}, {9, 10, 11, 8}, {13, 14, 15, 12}, {0, 0, 0, 16}}}, {150, 30},
          unevenGoal);  // column 4 slides up
    solve(UNMOVABLE_LABEL, Rows{{{13, 2, 3, 4}, {1, 6, 7, 8}, {5, 10, 11, 12}, {9, 14, 15, 16}}}, {80, 40},
          GOAL_ROWS, {2, 4});
    solve(ALMOST_IMPOSSIBLE_LABEL, Rows{{{1, 2, 3, 4}, {5, 7, 11, 8}, {9, 6, 10, 12}, {13, 14, 15, 16}}},
          {119, 133}, GOAL_ROWS);
    solve(FIFTEEN_LABEL, Rows{{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 0, 15}}}, {155, 170},
          Rows{{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 0}}});
}

// Regions reach the window's edges, a shared edge shifts both lines, the board and corners nothing; the
// first "Unmovable" locks column 2 and row 4, whose regions do nothing. One frame per shift, then the last.
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
        {NORMAL_LABEL, 168, 100, ROW_1_SHIFTED_RIGHT, 2},
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
}

// The half-step frame: the line's tiles half a cell on, the leaving tile's outgoing half back at the other
// end, both arrows of the line intact, the rest at rest.
TEST(NormalTap, HalfStepFramesMoveTheLineByHalfACell) {
    const struct {
        int32_t x, y, line, dx, dy;
    } frames[] = {{100, 20, 2, 0, -1}, {200, 100, 1, 1, 0}, {96, 240, 2, 0, 1}, {20, 100, 1, -1, 0}};
    auto game = NewGame();
    for (const auto& f : frames) {
        StartWith(*game, NORMAL_LABEL, GOAL_ROWS);
        Tap(*game, f.x, f.y);
        Picture expected = AtRest(*game, SCREEN_NORMAL, GOAL_ROWS);
        const auto at = [&](int32_t k) { return f.dx != 0 ? Point{k, f.line} : Point{f.line, k}; };  // 0 to 5
        const auto tile = [&](int32_t k) { return id::Tile(GOAL_ROWS[at(k).y - 1][at(k).x - 1]); };
        const auto put = [&](ImageId image, int32_t k, int32_t shift) {
            expected.Cell(image, at(k).x, at(k).y, shift * f.dx, shift * f.dy);
        };
        const bool forward = f.dx + f.dy > 0;
        for (int32_t k = 1; k <= 4; ++k) put(tile(k), k, 12);
        put(tile(forward ? 4 : 1), forward ? 0 : 5, 12);
        put(f.dx != 0 ? id::ARROW_LEFT : id::ARROW_UP, 0, 0);
        put(f.dx != 0 ? id::ARROW_RIGHT : id::ARROW_DOWN, 5, 0);
        ASSERT_EQ(Platform().presented.size(), 2u);
        EXPECT_EQ(expected.Differences(Platform().presented[0]), "") << f.x << "," << f.y;
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
    // A slide's frame moves the column's tiles half a cell into its gap and whitens the half cell they leave;
    // on a shared edge one column slides after the other. The mirror of the goal is not solved.
    const auto slide = [&](Picture& picture, int32_t col, int32_t dy, std::size_t frame) {
        for (int32_t row = 1; row <= 5; ++row) {
            if (const int32_t n = MIXED[row - 1][col - 1]; n != 0)
                picture.Cell(id::Tile(n), col, row, 0, 12 * dy);
        }
        return picture.Cell(id::BLANK, col, dy > 0 ? 1 : 5, 0, dy > 0 ? 0 : 12, 12)
            .Differences(Platform().presented[frame]);
    };
    // Columns 1 and 2 down (the mirror of the goal), then column 3 up.
    for (const auto& [x, y, first, last, dy] : {std::array{95, 220, 1, 2, 1}, {130, 30, 3, 3, -1}}) {
        StartWith(*game, UNEVEN_LABEL, MIXED);
        Tap(*game, x, y);
        Picture frames = AtRest(*game, SCREEN_UNEVEN, MIXED);
        for (int32_t col = first; col <= last; ++col)
            EXPECT_EQ(slide(frames, col, dy, col - first), "") << col;
        EXPECT_EQ(game->solved, 0);
    }
}

// Where squares meet, the first of above, right, below, left decides, even beyond the board's edge (a
// redraw, nothing moves). A slide's frame shows the tile half-way, the half it leaves white. Only 1 to 15
// in order are solved; the last cell is not examined.
TEST(Fifteen, FirstSquareThatHoldsTheTapDecides) {
    constexpr Rows GOAL{{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 0}}};
    constexpr Rows MID{{{1, 2, 3, 4}, {5, 0, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 6}}};   // empty at (2, 2)
    constexpr Rows NEAR{{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 0, 15}}};  // one slide away
    constexpr Rows SWAP{{{2, 1, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 0}}};  // 1 and 2 swapped
    const struct {
        Rows board;
        int32_t x, y, blankCol, blankRow, acted;
    } cases[] = {
        // Corners where two squares meet, sides, below and off the board, in no square.
        {MID, 119, 109, 2, 1, 1},  {MID, 119, 133, 3, 2, 1},  {MID, 95, 133, 2, 3, 1},
        {MID, 95, 109, 2, 1, 1},   {GOAL, 143, 157, 4, 3, 1}, {MID, 80, 120, 1, 2, 1},
        {NEAR, 160, 170, 4, 4, 1}, {GOAL, 143, 181, 4, 4, 1}, {GOAL, 150, 190, 4, 4, 1},
        {GOAL, 150, 165, 4, 4, 0}, {GOAL, 100, 100, 4, 4, 0}, {SWAP, 130, 140, 4, 4, 0},
        {NEAR, 100, 100, 3, 4, 0},
    };
    auto game = NewGame();
    for (const auto& c : cases) {
        StartWith(*game, FIFTEEN_LABEL, c.board);
        const int32_t dx = game->blankCol - c.blankCol, dy = game->blankRow - c.blankRow;  // the tile's move
        Tap(*game, c.x, c.y);
        SCOPED_TRACE(::testing::Message() << "tap at " << c.x << "," << c.y);
        EXPECT_EQ(std::pair(game->blankCol, game->blankRow), std::pair(c.blankCol, c.blankRow));
        EXPECT_EQ(game->tapActed, c.acted);
        ASSERT_EQ(Platform().presented.size(), dx != 0 || dy != 0 ? 2u : 1u);
        Rows after = c.board;  // under the banner when solved
        std::swap(after[c.blankRow - 1][c.blankCol - 1], after[c.blankRow - 1 + dy][c.blankCol - 1 + dx]);
        Picture rest = AtRest(*game, SCREEN_FIFTEEN, after);
        EXPECT_EQ((after == GOAL ? rest.Banner() : rest).Differences(game->backBuffer), "");
        if (dx == 0 && dy == 0) continue;
        const ImageId tile = id::Tile(c.board[c.blankRow - 1][c.blankCol - 1]);
        Picture frame = AtRest(*game, SCREEN_FIFTEEN, c.board);
        frame.Cell(id::BLANK, c.blankCol, c.blankRow).Cell(tile, c.blankCol, c.blankRow, 12 * dx, 12 * dy);
        EXPECT_EQ(frame.Differences(Platform().presented[0]), "");
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
            for (int32_t n = 1; n <= 16; ++n) game->tileGrid.Tile((n - 1) % 4 + 1, (n - 1) / 4 + 1) = n;
            game->tapActed = 0;
            TapAlmostImpossible(*game, 71 + 24 * c + dx, 85 + 24 * r + dy);
            EXPECT_EQ(game->tapActed, hit) << c << "," << r << " by " << dx << "," << dy;
            EXPECT_EQ(game->tileGrid.Tile(c + 1, r) == 4 * r - 4 + c, hit);  // top-left went right
        }
    }
    // Block 6 7 / 10 11 turning: at 8 and 16 pixels each tile lies over the one before it (clockwise from
    // the top-left, the last also over the first), and the rest of the block is white.
    StartWith(*game, ALMOST_IMPOSSIBLE_LABEL, GOAL_ROWS);
    Tap(*game, 119, 133);
    ASSERT_EQ(Platform().presented.size(), 3u);
    for (int32_t s = 8; s <= 16; s += 8) {
        Picture expected = AtRest(*game, SCREEN_ALMOST_IMPOSSIBLE, GOAL_ROWS);
        expected.Cell(id::BLANK, 2, 2).Cell(id::BLANK, 3, 2).Cell(id::BLANK, 3, 3).Cell(id::BLANK, 2, 3);
        expected.Cell(id::Tile(6), 2, 2, s, 0).Cell(id::Tile(7), 3, 2, 0, s);
        expected.Cell(id::Tile(11), 3, 3, -s, 0).Cell(id::Tile(10), 2, 3, 0, -s);
        EXPECT_EQ(expected.Differences(Platform().presented[s / 8 - 1]), "") << s;
    }
}

// A press toggles every light whose box holds the point. Dark is solved, even when the press lit the ring,
// which is not drawn; one corner light on is not.
TEST(LightsOut, PressesEveryLightWhoseBoxHoldsThePoint) {
    const std::string DARK = "00000/00000/00000/00000/00000";
    const struct {
        std::string before;
        int32_t x, y;
        std::string after;
    } cases[] = {
        {DARK, 70, 80, "11000/10000/00000/00000/00000"},    // light (1, 1) alone
        {DARK, 83, 80, "00100/11000/00000/00000/00000"},    // the line between (1, 1) and (2, 1)
        {DARK, 83, 97, "11100/11100/11000/00000/00000"},    // the corner of four lights
        {DARK, 179, 193, "00000/00000/00000/00001/00011"},  // the bottom-right corner of (5, 5)
        {DARK, 58, 100, DARK},                              // just outside, on each side
        {DARK, 180, 100, DARK},
        {DARK, 100, 72, DARK},
        {DARK, 100, 194, DARK},
        {"11000/10000/00000/00000/00000", 70, 80, DARK},
        {"10000/00000/00000/00000/00000", 0, 0, "10000/00000/00000/00000/00000"},
        {"00000/00000/00000/00000/00001", 0, 0, "00000/00000/00000/00000/00001"},
    };
    auto game = NewGame();
    for (const auto& c : cases) {
        ChoosePuzzle(*game, LIGHTS_OUT_LABEL);
        game->lightGrid.lit.fill(0);
        for (int32_t i = 0; i < 25; ++i)
            game->lightGrid.Lit(i % 5 + 1, i / 5 + 1) = c.before[i / 5 * 6 + i % 5] & 1;
        Tap(*game, c.x, c.y);
        SCOPED_TRACE(::testing::Message() << "tap at " << c.x << "," << c.y);
        EXPECT_EQ(game->tapActed, c.before != c.after);
        EXPECT_EQ(game->solved, c.after == DARK);
        if (c.before != c.after)
            ExpectLights(*game, c.after);  // a miss does not redraw
        else
            EXPECT_EQ(Lights(*game), c.after);
    }
}

}  // namespace
}  // namespace tessel
