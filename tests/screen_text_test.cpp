#include "game/screen_text.h"

#include <gtest/gtest.h>

#include "game/session.h"
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

// The name of cell [col][row] of the puzzle's grid.
std::string NameAt(const Game& game, int32_t col, int32_t row) {
    const ScreenText text = DescribeScreen(game);
    const int32_t i = (row - text.firstRow) * text.columns + col - text.firstCol;
    return text.cells.at(static_cast<std::size_t>(i)).name;
}

// A session as the front ends hold it, on a fresh platform, the splash over.
std::unique_ptr<Session> NewSession() {
    Platform() = {};
    auto session = std::make_unique<Session>();
    PrepareSurfaces(session->game);
    session->game.splashPending = 0;
    return session;
}

// A tap, a key, Undo or Redo, and the words it leaves for a screen reader.
std::string Said(Session& session, Played played, int32_t x = 0, int32_t y = 0) {
    const ShownState before = TakeShownState(session);
    if (played.kind == Played::TAP) tessel::Tap(session, x, y);
    if (played.kind == Played::KEY) PressKey(session, played.key);
    if (played.kind == Played::UNDO) Undo(session);
    if (played.kind == Played::REDO) Redo(session);
    return DescribeAction(before, session, played);
}
std::string Said(Session& session, Key key) {
    return Said(session, {Played::KEY, key});
}

TEST(ScreenText, TheMenuIsItsSixLabelsAndABoardItsCellsWithQuit) {
    auto session = NewSession();
    Game* game = &session->game;
    ScreenText menu = DescribeScreen(*game);
    const char* names[] = {"Normal", "Uneven", "Unmovable", "Almost Impossible", "15 Puzzle", "Lights out"};
    ASSERT_EQ(menu.buttons.size(), 6u);
    EXPECT_TRUE(menu.cells.empty());
    for (std::size_t i = 0; i < 6; ++i) {
        const ScreenItem& b = menu.buttons[i];
        EXPECT_EQ(b.name, names[i]);
        EXPECT_EQ(std::vector({b.x, b.y, b.width, b.height}),
                  std::vector({LAYOUTS[i].x, LAYOUTS[i].menuY, 238 - 2 * LAYOUTS[i].x, 24}));
    }
    // A screen reader's press plays the label's middle, which starts its puzzle.
    EXPECT_EQ(Said(*session, {}, menu.buttons[4].tapX, menu.buttons[4].tapY), "15 Puzzle started");

    StartWith(*game, NORMAL_LABEL, GOAL_ROWS);
    const ScreenText board = DescribeScreen(*game);
    EXPECT_EQ(board.heading, "Normal");
    ASSERT_EQ(board.buttons.size(), 1u);
    EXPECT_EQ(std::vector({board.buttons[0].name, std::to_string(board.buttons[0].tapX)}),
              std::vector<std::string>({"Quit", "119"}));
    ASSERT_EQ(std::vector({board.columns, board.rows}), std::vector({6, 6}));
    const ScreenItem& up2 = board.cells[2];
    EXPECT_EQ(std::vector({up2.x, up2.y, up2.width, up2.tapX, up2.tapY}), std::vector({95, 61, 24, 107, 73}));
    // Each cell's place on the board, counted as the moves count lines; a tile carries its number.
    EXPECT_EQ(std::vector({up2.place, board.cells[13].place, board.cells[12].place, board.cells[0].place}),
              std::vector<std::string>({"column 2", "row 2 column 1", "row 2", ""}));
    EXPECT_EQ(std::vector({board.cells[13].tile, up2.tile}), std::vector({5, 0}));
    const std::vector<std::string> row0{"blank", "up arrow", "up arrow", "up arrow", "up arrow", "blank"};
    const std::vector<std::string> row2{"left arrow", "5", "6", "7", "8", "right arrow"};
    for (int32_t col = 0; col < 6; ++col) {
        EXPECT_EQ(NameAt(*game, col, 0), row0[col]);
        EXPECT_EQ(NameAt(*game, col, 2), row2[col]);
        EXPECT_EQ(NameAt(*game, col, 5), row0[col] == "blank" ? "blank" : "down arrow");
    }
}

// Unmovable's grey tile is "locked", its locked lines have no arrows; Uneven names its gaps and shows only
// the arrows that can act; the 15 Puzzle its empty cell; Almost Impossible plays cells at block corners.
TEST(ScreenText, EachBoardNamesWhatItsCellsHold) {
    auto game = NewGame();
    StartWith(*game, UNMOVABLE_LABEL, GOAL_ROWS);
    game->fixedColumn = 2, game->fixedRow = 3;
    EXPECT_EQ(
        std::vector({NameAt(*game, 2, 3), NameAt(*game, 3, 3), NameAt(*game, 2, 0), NameAt(*game, 2, 5)}),
        std::vector<std::string>({"locked 10", "11", "blank", "blank"}));
    EXPECT_EQ(
        std::vector({NameAt(*game, 0, 3), NameAt(*game, 5, 3), NameAt(*game, 0, 2), NameAt(*game, 3, 0)}),
        std::vector<std::string>({"blank", "blank", "left arrow", "up arrow"}));

    constexpr testing::Board<5> COLUMN_1_DOWN{
        {{0, 2, 3, 4}, {1, 6, 7, 8}, {5, 10, 11, 12}, {9, 14, 15, 16}, {13, 0, 0, 0}}};
    StartWith(*game, UNEVEN_LABEL, COLUMN_1_DOWN);
    const ScreenText uneven = DescribeScreen(*game);
    ASSERT_EQ(std::vector({uneven.columns, uneven.rows, uneven.firstCol}), std::vector({6, 7, 0}));
    EXPECT_EQ(
        std::vector({NameAt(*game, 1, 0), NameAt(*game, 2, 0), NameAt(*game, 1, 1), NameAt(*game, 1, 5)}),
        std::vector<std::string>({"up arrow", "blank", "gap", "13"}));
    EXPECT_EQ(
        std::vector({NameAt(*game, 1, 6), NameAt(*game, 2, 6), NameAt(*game, 0, 1), NameAt(*game, 5, 4)}),
        std::vector<std::string>({"blank", "down arrow", "blank", "right arrow"}));
    EXPECT_EQ(uneven.cells[6 * 6 + 2].y, 193);

    constexpr Rows EMPTY_AT_3_4{{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 0, 15}}};
    StartWith(*game, FIFTEEN_LABEL, EMPTY_AT_3_4);
    EXPECT_EQ(std::vector({NameAt(*game, 3, 4), NameAt(*game, 4, 4), NameAt(*game, 1, 1)}),
              std::vector<std::string>({"empty", "15", "1"}));

    StartWith(*game, ALMOST_IMPOSSIBLE_LABEL, GOAL_ROWS);
    const ScreenText turns = DescribeScreen(*game);
    ASSERT_EQ(turns.cells.size(), 16u);
    const auto tapAt = [&](std::size_t i) { return std::vector({turns.cells[i].tapX, turns.cells[i].tapY}); };
    EXPECT_EQ(tapAt(0), std::vector({95, 109}));    // cell [1][1]: block [1][1]
    EXPECT_EQ(tapAt(15), std::vector({143, 157}));  // cell [4][4]: block [3][3]
    EXPECT_EQ(tapAt(3), std::vector({143, 109}));   // cell [4][1]: block [3][1]
}

// What each move did, from the boards before and after, Undo's included; leaving and starting screens.
TEST(ScreenText, MovesAreToldInAFewWords) {
    auto session = NewSession();
    Game* game = &session->game;
    EXPECT_EQ(Said(*session, {}, 90, 70), "Normal started");
    StartWith(*game, NORMAL_LABEL, GOAL_ROWS);
    EXPECT_EQ(Said(*session, {}, 107, 40), "column 2 up");
    EXPECT_EQ(NameAt(*game, 2, 1), "6");
    EXPECT_EQ(Said(*session, {}, 119, 200), "column 2 down, column 3 down");
    EXPECT_EQ(Said(*session, {}, 30, 140), "row 3 left");
    EXPECT_EQ(Said(*session, {}, 119, 133), "");  // on the board: no move
    EXPECT_EQ(Said(*session, {}, 200, 140), "row 3 right");
    EXPECT_EQ(Said(*session, {}, 130, 20), "column 3 up, cleared");
    EXPECT_TRUE(DescribeScreen(*game).cleared);
    EXPECT_EQ(Said(*session, {}, 119, 133), "menu");

    constexpr testing::Board<5> COLUMN_1_DOWN{
        {{0, 2, 3, 4}, {1, 6, 7, 8}, {5, 10, 11, 12}, {9, 14, 15, 16}, {13, 0, 0, 0}}};
    StartWith(*game, UNEVEN_LABEL, COLUMN_1_DOWN);
    EXPECT_EQ(Said(*session, {}, 107, 200), "column 2 down");
    EXPECT_EQ(Said(*session, {}, 200, 100), "row 2 right");
    EXPECT_EQ(Said(*session, {}, 20, 100), "row 2 left");
    EXPECT_EQ(Said(*session, {}, 107, 20), "column 2 up");
    EXPECT_EQ(Said(*session, {}, 80, 20), "column 1 up, cleared");

    constexpr Rows EMPTY_AT_3_4{{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 0, 15}}};
    StartWith(*game, FIFTEEN_LABEL, EMPTY_AT_3_4);
    EXPECT_EQ(Said(*session, {}, 107, 165), "tile 14 right");
    EXPECT_EQ(Said(*session, {}, 107, 140), "tile 10 down");
    EXPECT_EQ(Said(*session, {}, 107, 165), "tile 10 up");
    EXPECT_EQ(Said(*session, {}, 130, 165), "tile 14 left");
    EXPECT_EQ(Said(*session, {}, 155, 165), "tile 15 left, cleared");

    StartWith(*game, ALMOST_IMPOSSIBLE_LABEL, GOAL_ROWS);
    EXPECT_EQ(Said(*session, {}, 95, 109), "block turned");
    EXPECT_EQ(Said(*session, {}, 100, 100), "");

    ChoosePuzzle(*game, LIGHTS_OUT_LABEL);
    game->lightGrid.lit.fill(0);
    EXPECT_EQ(Said(*session, {}, 70, 80), "light on, 3 lights on");          // (1,1), (2,1), (1,2)
    EXPECT_EQ(Said(*session, {}, 83, 80), "2 lights pressed, 4 lights on");  // (1,1), (2,1), (3,1), (2,2)
    EXPECT_EQ(Said(*session, {}, 83, 97), "4 lights pressed, 4 lights on");
    EXPECT_EQ(NameAt(*game, 3, 2), "light on");
    EXPECT_EQ(NameAt(*game, 3, 3), "light off");

    // Undo is told by the move it took back, Redo by the move played again.
    auto played = NewSession();
    tessel::Tap(*played, 90, 70);
    EXPECT_EQ(Said(*played, {}, 30, 140), "row 3 left");
    EXPECT_EQ(Said(*played, {Played::UNDO}), "undo row 3 left");
    EXPECT_EQ(Said(*played, {Played::REDO}), "redo row 3 left");
}

// Keys that move no tile: taking hold of the lines and letting go, a line that cannot move.
TEST(ScreenText, KeysThatMoveNoTileAreToldToo) {
    auto session = NewSession();
    StartWith(session->game, UNMOVABLE_LABEL, ROW_1_SHIFTED_RIGHT);
    session->game.fixedColumn = 2, session->game.fixedRow = 3;
    // The first arrow shows the cursor, the next moves it: told by the cell it reaches, not here.
    EXPECT_EQ(Said(*session, Key::Right) + Said(*session, Key::Right), "");
    EXPECT_EQ(Said(*session, Key::ShiftUp), "column 2 is locked");
    EXPECT_EQ(Said(*session, Key::ShiftRight), "row 1 right");
    EXPECT_EQ(Said(*session, Key::Enter), "holding row 1 and column 3");
    EXPECT_EQ(Said(*session, Key::Down), "column 3 down");
    EXPECT_EQ(Said(*session, Key::Left), "row 2 left");
    EXPECT_EQ(Said(*session, Key::Escape), "let go");

    constexpr testing::Board<5> COLUMN_1_DOWN{
        {{0, 2, 3, 4}, {1, 6, 7, 8}, {5, 10, 11, 12}, {9, 14, 15, 16}, {13, 0, 0, 0}}};
    StartWith(session->game, UNEVEN_LABEL, COLUMN_1_DOWN);
    session->cursor = {true, 1, 1, false};
    EXPECT_EQ(Said(*session, Key::ShiftUp), "column 1 up, cleared");
    StartWith(session->game, UNEVEN_LABEL, COLUMN_1_DOWN);
    session->cursor = {true, 1, 1, false};
    EXPECT_EQ(Said(*session, Key::ShiftDown), "column 1 cannot move down");
}

TEST(ScreenText, TheCursorStandsOnAButtonOrACell) {
    auto game = NewGame();
    const auto found = [&](bool shown, int32_t col, int32_t row) {
        const CursorItem item = FindCursorItem(DescribeScreen(*game), Cursor{shown, col, row, false});
        return std::vector({static_cast<int>(item.kind), item.index});
    };
    EXPECT_EQ(found(false, 0, 3), std::vector({int{CursorItem::NONE}, 0}));
    EXPECT_EQ(found(true, 0, 3), std::vector({int{CursorItem::BUTTON}, 3}));
    EXPECT_EQ(found(true, 0, 6), std::vector({int{CursorItem::NONE}, 0}));
    StartWith(*game, NORMAL_LABEL, GOAL_ROWS);
    EXPECT_EQ(found(true, 2, 1), std::vector({int{CursorItem::CELL}, 8}));
    StartWith(*game, FIFTEEN_LABEL, GOAL_ROWS);
    EXPECT_EQ(found(true, 1, 1), std::vector({int{CursorItem::CELL}, 0}));
    EXPECT_EQ(found(true, 4, 2), std::vector({int{CursorItem::CELL}, 7}));
    EXPECT_EQ(found(true, 5, 2), std::vector({int{CursorItem::NONE}, 0}));
}

}  // namespace
}  // namespace tessel
