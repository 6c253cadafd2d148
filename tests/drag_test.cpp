// Dragging rows and columns: every drag against the taps it stands for, and the pictures of a dragged line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "game/drag.h"
#include "game/kept_game.h"
#include "puzzles/normal.h"
#include "puzzles/uneven.h"
#include "puzzles/unmovable.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using namespace testing;

constexpr PuzzleLabel LINE_PUZZLES[] = {NORMAL_LABEL, UNEVEN_LABEL, UNMOVABLE_LABEL};

// The lines a recorded tap shifts: {column?, line} for each arrow region it lies in.
struct LineHit {
    bool column;
    int32_t line;
    int32_t step;  // +1 down or right, -1 up or left
};
std::vector<LineHit> LinesTapped(const Game& game, TapPoint tap) {
    std::vector<LineHit> hits;
    ScanArrowRegions(game.tileGrid, tap.x, tap.y, [&](ShiftDirection direction, int32_t line) {
        const bool forward = direction == ShiftDirection::Down || direction == ShiftDirection::Right;
        hits.push_back({IsColumnShift(direction), line, forward ? 1 : -1});
    });
    return hits;
}

// Random drags on every board of lines: the moves each recorded, played as taps on the pressed line's arrows
// in a second game, give the same kept game (record and moves) after every drag; the line rests within half
// a cell of the pointer released (a cell cancelled); fixed lines never move, "Uneven"'s columns a cell at
// most.
TEST(Drag, RandomDragsAreTheTapsOnTheArrowsOfTheirLine) {
    std::mt19937 random(36);
    const auto below = [&](int32_t n) { return static_cast<int32_t>(random() % static_cast<uint32_t>(n)); };
    int32_t moves = 0, released = 0, cancelled = 0;
    for (const PuzzleLabel& label : LINE_PUZZLES) {
        for (uint32_t game = 0; game < 12; ++game) {
            auto dragged = NewSession();
            Choose(*dragged, label, 1000 + game * 7919);
            auto tapped = std::make_unique<Session>(*dragged);
            for (int32_t drag = 0; drag < 40 && dragged->game.solved == 0; ++drag) {
                const Game& g = dragged->game;
                int32_t col = 0, row = 0;
                do col = 1 + below(4), row = 1 + below(g.screen == SCREEN_UNEVEN ? 5 : 4);
                while (g.tileGrid.Tile(col, row) == 0);
                const int32_t pressX = g.tileGrid.Left(col, row) + below(CELL_SIZE);
                const int32_t pressY = g.tileGrid.Top(col, row) + below(CELL_SIZE);
                const bool sideways = below(2) == 0;
                Platform().keepPictures = false;  // but the release's
                Platform().presented.clear();
                Press(*dragged, pressX, pressY);
                Tap(*tapped, pressX, pressY);
                // A press in an arrow's region (a tile at the foot of "Uneven") is that tap, and no drag.
                const bool pressActed = dragged->game.tapActed != 0;
                const std::size_t recorded = dragged->history.held;
                const tessel::Board start = TakeBoard(g);
                int32_t along = 0;
                for (int32_t step = 1 + below(6); step > 0; --step) {
                    along = below(8 * CELL_SIZE + 1) - 4 * CELL_SIZE;
                    const int32_t off =
                        below(2 * DRAG_THRESHOLD - 1) - DRAG_THRESHOLD + 1;  // never the longer way
                    const int32_t offLine = std::abs(off) < std::abs(along) ? off : 0;
                    ASSERT_TRUE(MovePointer(*dragged, pressX + (sideways ? along : offLine),
                                            pressY + (sideways ? offLine : along)));
                }
                const bool cancel = below(4) == 0;
                const auto beforeRelease = TakeBoard(dragged->game);
                Platform().keepPictures = true;
                ASSERT_TRUE(cancel ? CancelDrag(*dragged) : Release(*dragged));
                // A release half a cell or more on moves the line a cell more, and shows it at once.
                ASSERT_TRUE(TakeBoard(dragged->game) == beforeRelease || !Platform().presented.empty());
                (cancel ? cancelled : released) += 1;
                Platform().keepPictures = false;  // the release's last picture stays the last one shown

                int32_t cells = 0;
                for (std::size_t i = recorded; i < dragged->history.held; ++i) {
                    const TapPoint tap = MoveAt(dragged->history, i).tap;
                    const std::vector<LineHit> hits = LinesTapped(tapped->game, tap);
                    ASSERT_EQ(hits.size(), 1u)
                        << "one line a move: " << tap.x << "," << tap.y << " on " << g.screen;
                    EXPECT_EQ(hits[0].column, !sideways);
                    EXPECT_EQ(hits[0].line, sideways ? row : col);
                    cells += hits[0].step;
                    Tap(*tapped, tap.x, tap.y);
                    ++moves;
                }
                ASSERT_EQ(KeepGame(*dragged), KeepGame(*tapped));
                if (dragged->game.solved != 0) break;
                if (!Platform().presented.empty()) {
                    ASSERT_EQ(Platform().presented.back().pixels, tapped->game.backBuffer.pixels)
                        << "the line back at rest";
                }

                const bool columnsSlide = g.screen == SCREEN_UNEVEN && !sideways;
                const bool fixed =
                    (g.screen == SCREEN_UNEVEN && sideways && (row == 1 || row == 5)) ||
                    (g.screen == SCREEN_UNMOVABLE && (sideways ? row == g.fixedRow : col == g.fixedColumn));
                if (pressActed || fixed) {
                    EXPECT_EQ(cells, 0);
                    EXPECT_TRUE(pressActed || TakeBoard(g) == start);
                } else if (columnsSlide) {
                    EXPECT_LE(std::abs(cells), 1);
                } else {
                    const int32_t miss = std::abs(along - cells * CELL_SIZE);
                    EXPECT_LE(miss, cancel ? CELL_SIZE - 1 : CELL_SIZE / 2)
                        << "along " << along << ", cells " << cells;
                }
            }
        }
    }
    EXPECT_GT(moves, 1000);
    EXPECT_GT(cancelled, 100);
    EXPECT_GT(released, 300);
}

// A press is the tap at its point wherever it lands: on the menu, an arrow, Quit, a solved board.
TEST(Drag, APressIsTheTapAtItsPoint) {
    std::mt19937 random(7);
    auto pressed = NewSession();
    auto tapped = NewSession();
    Platform().keepPictures = false;
    for (int32_t i = 0; i < 2000; ++i) {
        const int32_t x = static_cast<int32_t>(random() % SURFACE_WIDTH);
        const int32_t y = static_cast<int32_t>(random() % SURFACE_HEIGHT);
        pressed->game.now = tapped->game.now = static_cast<uint32_t>(random());
        Press(*pressed, x, y);
        Release(*pressed);
        Tap(*tapped, x, y);
        ASSERT_EQ(pressed->game.screen, tapped->game.screen);
        ASSERT_EQ(TakeBoard(pressed->game), TakeBoard(tapped->game));
        ASSERT_EQ(pressed->history.held, tapped->history.held);
    }
}

// The solving cell ends a drag: moving on moves nothing, the next press goes to the menu as a tap does. A
// kept game read while a pointer holds a line lets go of it: moving on moves nothing, records nothing.
TEST(Drag, TheSolvingCellOrAKeptGameReadEndsTheDrag) {
    auto session = NewSession();
    StartWith(session->game, NORMAL_LABEL, ROW_1_SHIFTED_RIGHT);
    const tessel::Board shifted = TakeBoard(session->game);
    const std::vector<uint8_t> kept = KeepGame(*session);
    Press(*session, 80, ROW_1_Y);
    MovePointer(*session, 80 - CELL_SIZE, ROW_1_Y);
    EXPECT_EQ(session->game.solved, 1);
    MovePointer(*session, 80 - 3 * CELL_SIZE, ROW_1_Y);
    Release(*session);
    EXPECT_EQ(BoardRows(session->game.tileGrid), GOAL_ROWS);
    EXPECT_EQ(UndoCount(session->history), 1u);
    Press(*session, 100, 120);
    EXPECT_EQ(session->game.screen, SCREEN_MENU);

    ASSERT_TRUE(ReadKeptGame(kept, *session));
    Press(*session, 80, ROW_1_Y);
    MovePointer(*session, 80 + CELL_SIZE / 2, ROW_1_Y);
    ASSERT_TRUE(ReadKeptGame(kept, *session));
    MovePointer(*session, 80 + 3 * CELL_SIZE, ROW_1_Y);
    Release(*session);
    EXPECT_EQ(TakeBoard(session->game), shifted);
    EXPECT_EQ(UndoCount(session->history), 0u);
}

// At half a cell a dragged line shows the half-step frame of the tap on its arrow, on every movable line.
TEST(Drag, HalfACellIsTheTapsHalfStepFrame) {
    int32_t checked = 0;
    for (const PuzzleLabel& label : LINE_PUZZLES) {
        auto session = NewSession();
        Choose(*session, label, 4242);
        const LineDrag& lines = *FindPuzzle(session->game.screen)->drag;
        for (const ShiftDirection direction :
             {ShiftDirection::Up, ShiftDirection::Right, ShiftDirection::Down, ShiftDirection::Left}) {
            for (int32_t line = 1; line <= 4; ++line) {
                if (!lines.canMove(session->game, direction, line)) continue;
                const bool column = IsColumnShift(direction);
                const TileGrid& grid = session->game.tileGrid;
                int32_t col = column ? line : 1, row = column ? 1 : line;
                while (grid.Tile(col, row) == 0) ++row;  // a column's gap
                const int32_t x = grid.Left(col, row) + 12, y = grid.Top(col, row) + 12;
                const int32_t sign =
                    direction == ShiftDirection::Down || direction == ShiftDirection::Right ? 1 : -1;
                auto tapped = std::make_unique<Session>(*session);
                Platform().presented.clear();
                const Point arrow = ArrowTap(*FindPuzzle(session->game.screen), grid, direction, line);
                Tap(*tapped, arrow.x, arrow.y);
                const BackBuffer halfStep = Platform().presented.front();
                Press(*session, x, y);
                Platform().presented.clear();
                MovePointer(*session, x + (column ? 0 : sign * SLIDE_STEP),
                            y + (column ? sign * SLIDE_STEP : 0));
                ASSERT_EQ(Platform().presented.size(), 1u);
                EXPECT_EQ(Platform().presented.back().pixels, halfStep.pixels) << label.x << " " << line;
                CancelDrag(*session);
                ++checked;
            }
        }
    }
    EXPECT_GE(checked, 16 + 8 + 12);
}

}  // namespace
}  // namespace tessel
