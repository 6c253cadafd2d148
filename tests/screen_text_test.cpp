#include "game/screen_text.h"

#include <gtest/gtest.h>

#include "game/how_to_play.h"
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

constexpr testing::Board<5> COLUMN_1_DOWN{
    {{0, 2, 3, 4}, {1, 6, 7, 8}, {5, 10, 11, 12}, {9, 14, 15, 16}, {13, 0, 0, 0}}};

// A tap or a key, and the words the session gives a screen reader for it.
std::string Said(Session& session, int32_t x, int32_t y) {
    tessel::Tap(session, x, y);
    return TakePlayedWords(session);
}
std::string Said(Session& session, Key key) {
    PressKey(session, key);
    return TakePlayedWords(session);
}

// What each move did, from the boards before and after; the cells' places, tiles and where a press taps.
TEST(ScreenText, CellsAndMovesAreToldInAFewWords) {
    auto session = NewSession();
    Game* game = &session->game;
    EXPECT_EQ(Said(*session, 90, 70), "Normal started");
    EXPECT_EQ(Said(*session, 30, 140), "row 3 left");
    StartWith(*game, NORMAL_LABEL, GOAL_ROWS);
    const ScreenText board = DescribeScreen(*game);
    EXPECT_EQ(std::vector(
                  {board.cells[2].place, board.cells[13].place, board.cells[12].place, board.cells[0].place}),
              std::vector<std::string>({"column 2", "row 2 column 1", "row 2", ""}));
    EXPECT_EQ(std::vector({board.cells[2].tapX, board.cells[2].tapY}), std::vector({107, 73}));
    EXPECT_EQ(std::vector({board.cells[13].tile, board.cells[2].tile}), std::vector({5, 0}));
    EXPECT_EQ(Said(*session, 119, 20), "column 2 up, column 3 up");  // the line between two arrows
    EXPECT_EQ(Said(*session, 119, 133), "");                         // on the board: no move
    EXPECT_EQ(Said(*session, 119, 200), "column 2 down, column 3 down, cleared in 3 moves, 0 seconds");
    EXPECT_TRUE(DescribeScreen(*game).cleared);

    StartWith(*game, UNEVEN_LABEL, COLUMN_1_DOWN);  // an up arrow over column 1, down arrows below the rest
    const ScreenText uneven = DescribeScreen(*game);
    EXPECT_EQ(std::vector(
                  {uneven.cells[1].name, uneven.cells[2].name, uneven.cells[37].name, uneven.cells[38].name}),
              std::vector<std::string>({"up arrow", "blank", "blank", "down arrow"}));
    EXPECT_EQ(std::vector({uneven.cells[1].place, uneven.cells[38].place}),
              std::vector<std::string>({"column 1", "column 2"}));
    EXPECT_EQ(Said(*session, 107, 200), "column 2 down");  // the arrow below the grid
    StartWith(*game, UNEVEN_LABEL, COLUMN_1_DOWN);
    // StartWith lays boards behind the session's back, so the game's moves run on from "Normal started".
    EXPECT_EQ(Said(*session, 80, 20), "column 1 up, cleared in 5 moves, 0 seconds");

    constexpr Rows EMPTY_AT_3_4{{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 0, 15}}};
    StartWith(*game, FIFTEEN_LABEL, EMPTY_AT_3_4);
    const ScreenText slides = DescribeScreen(*game);
    EXPECT_EQ(std::vector({slides.cells[0].name, slides.cells[13].name, slides.cells[14].name}),
              std::vector<std::string>({"1", "14", "empty"}));
    EXPECT_EQ(Said(*session, 107, 165), "tile 14 right");
    EXPECT_EQ(Said(*session, 107, 140), "tile 10 down");
    EXPECT_EQ(Said(*session, 107, 165), "tile 10 up");
    // Undo and Redo are told by the move they take back or play again, each once.
    Undo(*session);
    EXPECT_EQ(TakePlayedWords(*session), "undo tile 10 up");
    EXPECT_EQ(TakePlayedWords(*session), "");
    Redo(*session);
    EXPECT_EQ(TakePlayedWords(*session), "redo tile 10 up");

    StartWith(*game, ALMOST_IMPOSSIBLE_LABEL, GOAL_ROWS);
    const ScreenText turns = DescribeScreen(*game);
    ASSERT_EQ(turns.cells.size(), 16u);
    // Cells [1][1], [4][1] and [4][4]: blocks [1][1], [3][1] and [3][3].
    EXPECT_EQ(std::vector({turns.cells[0].tapX, turns.cells[0].tapY, turns.cells[3].tapX, turns.cells[3].tapY,
                           turns.cells[15].tapX, turns.cells[15].tapY}),
              std::vector({95, 109, 143, 109, 143, 157}));
    EXPECT_EQ(Said(*session, 95, 109), "block turned");

    // Taps between lights press them all: (1,1) and (2,1), then (1,1), (2,1), (1,2) and (2,2).
    ChoosePuzzle(*game, LIGHTS_OUT_LABEL);
    game->lightGrid.lit.fill(0);
    EXPECT_EQ(Said(*session, 83, 80), "2 lights pressed, 3 lights on");
    EXPECT_EQ(Said(*session, 83, 97), "4 lights pressed, 5 lights on");

    // Keys that move no tile: taking hold of the lines, a line that cannot move.
    StartWith(*game, UNMOVABLE_LABEL, ROW_1_SHIFTED_RIGHT);
    game->fixedColumn = 2, game->fixedRow = 3;
    EXPECT_EQ(Said(*session, Key::Right) + Said(*session, Key::Right), "");
    EXPECT_EQ(Said(*session, Key::ShiftRight), "row 1 right");
    EXPECT_EQ(Said(*session, Key::Enter), "holding row 1 and column 3");
    EXPECT_EQ(Said(*session, Key::Down), "column 3 down");
    StartWith(*game, UNEVEN_LABEL, COLUMN_1_DOWN);
    session->cursor = {true, 1, 1, false};
    EXPECT_EQ(Said(*session, Key::ShiftDown), "column 1 cannot move down");
}

// How to play on the menu: how to start, then each puzzle in a line by its name; on a board, its name over
// its rules and the keys every puzzle shares.
TEST(HowToPlay, TheMenuTellsHowToStartAndABoardItsRules) {
    auto game = NewGame();
    const HowToPlayText menu = HowToPlay(*game);
    ASSERT_EQ(menu.paragraphs.size(), Puzzles().size() + 1);
    EXPECT_NE(menu.paragraphs[0].find("press Enter"), std::string::npos);
    for (std::size_t i = 0; i < Puzzles().size(); ++i)
        EXPECT_EQ(menu.paragraphs[i + 1].rfind(std::string(Puzzles()[i]->name) + ": ", 0), 0u);
    ChoosePuzzle(*game, LIGHTS_OUT_LABEL);
    const HowToPlayText board = HowToPlay(*game);
    EXPECT_EQ(std::pair(board.heading, board.paragraphs.size()), std::pair(std::string("Lights out"), 2ul));
    EXPECT_NE(board.paragraphs[1].find("Ctrl+Z"), std::string::npos);
}

}  // namespace
}  // namespace tessel
