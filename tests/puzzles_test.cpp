// The six puzzles through the tap cycle: scrambles, tap regions, moves and the frames that show them.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "game/invariants.h"
#include "puzzles/almost_impossible.h"
#include "puzzles/fifteen.h"
#include "puzzles/lights_out.h"
#include "puzzles/normal.h"
#include "puzzles/uneven.h"
#include "puzzles/unmovable.h"
#include "tests/random_taps.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using namespace testing;
using testing::Board;  // not the history's

// How the picture differs from the board at rest by the drawing rules ("" when it does not): the lights on
// or off, the tiles and the arrows of the lines that can move, under the banner once solved.
std::string NotAtRest(const Game& game) {
    const int32_t s = game.screen;
    const Point locked = s == SCREEN_UNMOVABLE ? Point{game.fixedColumn, game.fixedRow} : Point{0, 0};
    Picture picture = s == SCREEN_LIGHTS_OUT ? Picture(game, s)
                      : s == SCREEN_UNEVEN   ? AtRest(game, s, BoardRows<5>(game.tileGrid))
                                             : AtRest(game, s, BoardRows(game.tileGrid), locked);
    for (int32_t i = 0; s == SCREEN_LIGHTS_OUT && i < 25; ++i) {
        const bool on = game.lightGrid.Lit(i % 5 + 1, i / 5 + 1) != 0;
        picture.Cell(on ? id::LIGHT_ON : id::LIGHT_OFF, i % 5 + 1, i / 5 + 1);
    }
    return (game.solved != 0 ? picture.Banner() : picture).Differences(game.backBuffer);
}

// The board a tap should leave, worked out from each puzzle's rules with the layout's numbers, and whether
// the frames the tap showed before its last picture are each step's picture, drawn here from the board
// before the tap: a line's tiles half a cell on (the leaving tile's half back at the other end, the arrows
// intact; on "Uneven" a column half into its gap, the half cell it leaves white), a 15 Puzzle tile half-way
// into the empty cell, a block's tiles 8 and 16 pixels round, each over the one before it.
struct Expected {
    TileGrid tiles;
    LightGrid lights;
    int32_t blankCol, blankRow, frames = 0;  // the frames shown before the last picture
    bool acted = false;
    std::string badFrame = "";
};

Expected AfterTap(const Game& game, Expected e, int32_t x, int32_t y) {
    const int32_t s = game.screen;
    Point o{};  // the ring's top-left corner
    for (const ScreenLayout& layout : LAYOUTS) o = layout.screen == s ? layout.origin : o;
    const auto within = [](int32_t v, int32_t from, int32_t to) { return from <= v && v <= to; };
    const auto inCell = [&](int32_t col, int32_t row) {  // edges included
        return within(x, o.x + 24 * col, o.x + 24 * col + 24) &&
               within(y, o.y + 24 * row, o.y + 24 * row + 24);
    };
    TileGrid& t = e.tiles;
    const bool uneven = s == SCREEN_UNEVEN;
    const Point locked = s == SCREEN_UNMOVABLE ? Point{game.fixedColumn, game.fixedRow} : Point{0, 0};
    Picture frame = uneven ? AtRest(game, s, BoardRows<5>(t)) : AtRest(game, s, BoardRows(t), locked);
    const auto shown = [&](int32_t count) {  // the next `count` frames are the picture
        for (int32_t i = 0; i < count; ++i, ++e.frames) {
            if (e.badFrame.empty() && e.frames < static_cast<int32_t>(Platform().presented.size()))
                e.badFrame = frame.Differences(Platform().presented[e.frames]);
        }
    };
    if (s == SCREEN_LIGHTS_OUT) {  // every light whose box, edges included, holds the point
        for (int32_t row = 1; row <= 5; ++row) {
            for (int32_t col = 1; col <= 5; ++col) {
                if (!inCell(col, row)) continue;
                e.acted = true;
                for (const auto& [dc, dr] : {std::pair{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}})
                    e.lights.Lit(col + dc, row + dr) ^= 1;
            }
        }
    } else if (s == SCREEN_ALMOST_IMPOSSIBLE) {  // 15 x 15 squares round the inner corners
        for (int32_t row = 1; row <= 3; ++row) {
            for (int32_t col = 1; col <= 3; ++col) {
                const int32_t cx = o.x + 24 * col + 24, cy = o.y + 24 * row + 24;
                if (!within(x, cx - 7, cx + 7) || !within(y, cy - 7, cy + 7)) continue;
                e.acted = true;
                const Point block[] = {{col, row}, {col + 1, row}, {col + 1, row + 1}, {col, row + 1}};
                for (int32_t d = 8; d <= 16; d += 8, shown(1)) {  // clockwise: the top-left goes right
                    for (const Point& c : block) frame.Cell(id::BLANK, c.x, c.y);
                    for (int32_t i = 0; i < 4; ++i)
                        frame.Cell(id::Tile(t.Tile(block[i].x, block[i].y)), block[i].x, block[i].y,
                                   d * (i == 0) - d * (i == 2), d * (i == 1) - d * (i == 3));
                }
                const int32_t first = t.Tile(col, row);
                t.Tile(col, row) = t.Tile(col, row + 1), t.Tile(col, row + 1) = t.Tile(col + 1, row + 1);
                t.Tile(col + 1, row + 1) = t.Tile(col + 1, row), t.Tile(col + 1, row) = first;
            }
        }
    } else if (s == SCREEN_FIFTEEN) {  // the first of above, right, below, left that holds it
        for (const auto& [dc, dr] : {std::pair{0, -1}, {1, 0}, {0, 1}, {-1, 0}}) {
            const int32_t col = e.blankCol + dc, row = e.blankRow + dr;
            if (!inCell(col, row)) continue;
            e.acted = true;
            if (within(col, 1, 4) && within(row, 1, 4)) {
                frame.Cell(id::BLANK, col, row)
                    .Cell(id::Tile(t.Tile(col, row)), col, row, -12 * dc, -12 * dr);
                shown(1);
                std::swap(t.Tile(col, row), t.Tile(e.blankCol, e.blankRow));
                e.blankCol = col, e.blankRow = row;
            }
            break;
        }
    } else {  // a line's arrow region runs to the window's edge; up, right, down, left in turn
        for (int32_t side = 0; side < 4; ++side) {
            for (int32_t k = 1; k <= 4; ++k) {
                const bool column = side % 2 == 0;
                const bool in = column ? within(x, o.x + 24 * k, o.x + 24 * k + 24) &&
                                             (side == 0 ? y < o.y + 24 : y > o.y + 120)
                                       : within(y, o.y + 24 * k, o.y + 24 * k + 24) &&
                                             (side == 1 ? x > o.x + 120 : x < o.x + 24);
                const bool fixed = k == (column ? locked.x : locked.y);
                const bool blocked = uneven && (column ? t.Tile(k, side == 0 ? 1 : 5) != 0 : k == 1);
                if (!in || fixed || blocked) continue;
                e.acted = true;
                const int32_t cells = uneven && column ? 5 : 4, step = side == 0 || side == 3 ? 1 : cells - 1;
                const int32_t dx = (side == 1) * 12 - (side == 3) * 12,
                              dy = (side == 2) * 12 - (side == 0) * 12;
                const auto cell = [&](int32_t i) -> int32_t& { return column ? t.Tile(k, i) : t.Tile(i, k); };
                const auto put = [&](ImageId image, int32_t i, int32_t shift, int32_t h = 24) {
                    frame.Cell(image, column ? k : i, column ? i : k, shift * dx / 12, shift * dy / 12, h);
                };
                for (int32_t i = 1; i <= cells; ++i)
                    if (cell(i) != 0) put(id::Tile(cell(i)), i, 12);
                if (cells == 5) {  // the half cell the column leaves
                    frame.Cell(id::BLANK, k, dy > 0 ? 1 : 5, 0, dy > 0 ? 0 : 12, 12);
                } else {
                    put(id::Tile(cell(step == 1 ? 1 : 4)), step == 1 ? 5 : 0, 12);
                    put(column ? id::ARROW_UP : id::ARROW_LEFT, 0, 0);
                    put(column ? id::ARROW_DOWN : id::ARROW_RIGHT, 5, 0);
                }
                shown(1);
                std::array<int32_t, 5> line{};
                for (int32_t i = 0; i < cells; ++i) line[i] = cell(i + 1);
                for (int32_t i = 0; i < cells; ++i) cell(i + 1) = line[(i + step) % cells];
            }
        }
    }
    return e;
}

// Whether the board is solved: the lights dark, or the tiles 1 to 16 in order ("Uneven" with row 5 empty,
// the 15 Puzzle's last cell not looked at).
bool InGoalOrder(const Game& game, int32_t screen) {
    for (int32_t i = 0; i < 25; ++i) {
        if (screen == SCREEN_LIGHTS_OUT && game.lightGrid.Lit(i % 5 + 1, i / 5 + 1) != 0) return false;
        if (screen == SCREEN_LIGHTS_OUT || (i == 15 && screen == SCREEN_FIFTEEN)) continue;
        if (i >= 20 || (i >= 16 && screen != SCREEN_UNEVEN)) break;
        if (game.tileGrid.Tile(i % 4 + 1, i / 4 + 1) != (i < 16 ? i + 1 : 0)) return false;
    }
    return true;
}

// Thousands of taps, most of them on or beside the lines where regions meet, on scrambles of every puzzle
// shown at rest: each moves the board as its rules say, shows one frame per step of every move, and ends on
// the board at rest, under the banner once it is in goal order. Quit, or any tap on a solved board, leads
// back. Every few taps, and on the menu, the game goes on from what it keeps.
TEST(PuzzleTap, GeneratedTapsMoveBoardsByTheirRules) {
    auto session = NewSession();
    Game* game = &session->game;
    RandomTaps taps(31);
    int solvedSeen[6] = {};
    for (int run = 0; run < 240; ++run) {
        const ScreenLayout& layout = LAYOUTS[run % 6];
        const PuzzleLabel label{layout.label, layout.x, layout.menuY, 24};
        if (run < 6) session = NewSession(), game = &session->game;  // each set-up first on a fresh record
        ASSERT_EQ(KeepAndReadBack(session, game), "");
        ChoosePuzzle(*game, label, taps.Next().ticks);
        ASSERT_EQ(std::pair(game->screen, NotAtRest(*game)), std::pair(layout.screen, std::string()));
        if (run % 12 >= 6 && layout.screen == SCREEN_UNEVEN) {  // column 4 up solves it
            PutRows(*game,
                    Board<5>{{{1, 2, 3, 0}, {5, 6, 7, 4}, {9, 10, 11, 8}, {13, 14, 15, 12}, {0, 0, 0, 16}}});
        } else if (run % 12 >= 6 &&
                   layout.screen == SCREEN_LIGHTS_OUT) {  // the middle light's press solves it
            game->lightGrid.lit.fill(0);
            for (const int32_t at : {17, 23, 24, 25, 31}) game->lightGrid.lit[at] = 1;
            ClearBackBuffer(game->backBuffer, WHITE);
            FindPuzzle(SCREEN_LIGHTS_OUT)->draw(*game);
        } else if (run % 12 >= 6) {  // one move from solved
            Rows near[] = {ROW_1_SHIFTED_RIGHT,
                           {},
                           GOAL_ROWS,  // a column that can move shifted down
                           {{{1, 2, 3, 4}, {5, 7, 11, 8}, {9, 6, 10, 12}, {13, 14, 15, 16}}},
                           {{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 0, 15}}}};
            for (int32_t r = 0; r < 4; ++r)
                near[2][r][game->fixedColumn % 4] = GOAL_ROWS[(r + 3) % 4][game->fixedColumn % 4];
            PutRows(*game, near[run % 6]);
        }
        for (int i = 0; i < 40 && game->screen != SCREEN_MENU; ++i) {
            RandomTaps::Tap tap = taps.Next();
            const bool fifteen = layout.screen == SCREEN_FIFTEEN;
            // Every other tap on and beside the empty cell's corners, where two squares meet, or an inner
            // corner's square.
            constexpr int32_t NEAR[] = {-8, -7, -1, 0, 1, 7, 8};
            if (const uint32_t r = tap.ticks;
                i % 2 == 0 && (fifteen || layout.screen == SCREEN_ALMOST_IMPOSSIBLE)) {
                tap.x = 47 + 24 * (fifteen ? game->blankCol + r % 2 : r % 3 + 2) + NEAR[r / 12 % 7];
                tap.y = 61 + 24 * (fifteen ? game->blankRow + r / 2 % 2 : r / 3 % 3 + 2) + NEAR[r / 84 % 7];
            }
            const bool solved = game->solved != 0;
            const bool leaves = solved || (98 <= tap.x && tap.x <= 140 && 227 <= tap.y && tap.y <= 247);
            const Expected before{game->tileGrid, game->lightGrid, game->blankCol, game->blankRow};
            Platform().presented.clear();
            Tap(*game, tap.x, tap.y);
            const Expected e = leaves ? before : AfterTap(*game, before, tap.x, tap.y);
            SCOPED_TRACE(::testing::Message()
                         << "screen " << layout.screen << ", tap at " << tap.x << "," << tap.y);
            ASSERT_EQ(BrokenInvariant(*game), "");
            ASSERT_EQ(std::tie(game->tileGrid.tile, game->lightGrid.lit, game->blankCol, game->blankRow),
                      std::tie(e.tiles.tile, e.lights.lit, e.blankCol, e.blankRow));
            ASSERT_EQ(game->screen, leaves ? SCREEN_MENU : layout.screen);
            if (leaves) {  // the menu, under the banner when Quit left a board in goal order
                const bool banner = !solved && InGoalOrder(*game, layout.screen);
                Picture menu(*game);
                ASSERT_EQ((banner ? menu.Banner() : menu).Differences(game->backBuffer), "");
                continue;
            }
            solvedSeen[run % 6] += game->solved;
            ASSERT_EQ(game->tapActed, e.acted);
            ASSERT_EQ(Platform().presented.size(), e.frames + 1u);
            ASSERT_EQ(e.badFrame, "");
            ASSERT_EQ(game->solved, InGoalOrder(*game, layout.screen));
            ASSERT_EQ(NotAtRest(*game), "");
            if (i % 4 == 3 || game->solved != 0) {
                ASSERT_EQ(KeepAndReadBack(session, game), "");
            }
        }
    }
    for (const int count : solvedSeen) EXPECT_GT(count, 0) << "a puzzle never solved";
}

}  // namespace
}  // namespace tessel
