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

TEST(ScreenText, ItemsPlayTheirTapsAndCellsTellTheirPlaces) {
    auto session = NewSession();
    Game* game = &session->game;
    ScreenText menu = DescribeScreen(*game);
    // The buttons' names and boxes are checked in the browsers. A press plays the label's middle, which
    // starts its puzzle.
    ASSERT_EQ(menu.buttons.size(), 6u);
    EXPECT_EQ(Said(*session, {}, menu.buttons[4].tapX, menu.buttons[4].tapY), "15 Puzzle started");

    StartWith(*game, NORMAL_LABEL, GOAL_ROWS);
    const ScreenText board = DescribeScreen(*game);
    ASSERT_EQ(std::vector({board.columns, board.rows}), std::vector({6, 6}));
    const ScreenItem& up2 = board.cells[2];
    EXPECT_EQ(std::vector({up2.x, up2.y, up2.width, up2.tapX, up2.tapY}), std::vector({95, 61, 24, 107, 73}));
    // Each cell's place on the board, counted as the moves count lines; a tile carries its number.
    EXPECT_EQ(std::vector({up2.place, board.cells[13].place, board.cells[12].place, board.cells[0].place}),
              std::vector<std::string>({"column 2", "row 2 column 1", "row 2", ""}));
    EXPECT_EQ(std::vector({board.cells[13].tile, up2.tile}), std::vector({5, 0}));
}

// Every cell's name is checked against the game's record in the browser tests; here what they do not see:
// Uneven's row of down arrows below its grid, and Almost Impossible's cells played at block corners.
TEST(ScreenText, CellsLieAndPlayWhereTheirTapsAct) {
    auto game = NewGame();
    constexpr testing::Board<5> COLUMN_1_DOWN{
        {{0, 2, 3, 4}, {1, 6, 7, 8}, {5, 10, 11, 12}, {9, 14, 15, 16}, {13, 0, 0, 0}}};
    StartWith(*game, UNEVEN_LABEL, COLUMN_1_DOWN);
    const ScreenText uneven = DescribeScreen(*game);
    ASSERT_EQ(std::vector({uneven.columns, uneven.rows, uneven.firstCol}), std::vector({6, 7, 0}));
    EXPECT_EQ(std::vector({uneven.cells[6 * 6 + 2].name, std::to_string(uneven.cells[6 * 6 + 2].y)}),
              std::vector<std::string>({"down arrow", "193"}));

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
    EXPECT_EQ(Said(*session, {}, 119, 20), "column 2 up, column 3 up");  // the line between two arrows
    EXPECT_EQ(Said(*session, {}, 119, 133), "");                         // on the board: no move
    EXPECT_EQ(Said(*session, {}, 119, 200), "column 2 down, column 3 down, cleared");
    EXPECT_TRUE(DescribeScreen(*game).cleared);
    EXPECT_EQ(Said(*session, {}, 119, 133), "menu");

    constexpr testing::Board<5> COLUMN_1_DOWN{
        {{0, 2, 3, 4}, {1, 6, 7, 8}, {5, 10, 11, 12}, {9, 14, 15, 16}, {13, 0, 0, 0}}};
    StartWith(*game, UNEVEN_LABEL, COLUMN_1_DOWN);
    EXPECT_EQ(Said(*session, {}, 107, 200), "column 2 down");
    EXPECT_EQ(Said(*session, {}, 107, 20), "column 2 up");
    EXPECT_EQ(Said(*session, {}, 80, 20), "column 1 up, cleared");

    constexpr Rows EMPTY_AT_3_4{{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 0, 15}}};
    StartWith(*game, FIFTEEN_LABEL, EMPTY_AT_3_4);
    EXPECT_EQ(Said(*session, {}, 107, 165), "tile 14 right");
    EXPECT_EQ(Said(*session, {}, 107, 140), "tile 10 down");
    EXPECT_EQ(Said(*session, {}, 107, 165), "tile 10 up");

    StartWith(*game, ALMOST_IMPOSSIBLE_LABEL, GOAL_ROWS);
    EXPECT_EQ(Said(*session, {}, 95, 109), "block turned");
    EXPECT_EQ(Said(*session, {}, 100, 100), "");

    ChoosePuzzle(*game, LIGHTS_OUT_LABEL);
    game->lightGrid.lit.fill(0);
    EXPECT_EQ(Said(*session, {}, 70, 80), "light on, 3 lights on");          // (1,1), (2,1), (1,2)
    EXPECT_EQ(Said(*session, {}, 83, 80), "2 lights pressed, 4 lights on");  // (1,1), (2,1), (3,1), (2,2)
    EXPECT_EQ(Said(*session, {}, 83, 97), "4 lights pressed, 4 lights on");

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

}  // namespace
}  // namespace tessel
