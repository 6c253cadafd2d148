#include "game/accessible_screen.h"

#include <gtest/gtest.h>

#include <set>

#include "puzzles/puzzle_table.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using namespace testing;

bool Inside(const AccessibleItem& item, int32_t x, int32_t y) {
    return x >= item.x && x < item.x + item.width && y >= item.y && y < item.y + item.height;
}

bool InPicture(const AccessibleItem& item) {
    return item.x >= 0 && item.y >= 0 && item.width > 0 && item.height > 0 &&
           item.x + item.width <= SURFACE_WIDTH && item.y + item.height <= SURFACE_HEIGHT;
}

bool Focuses(const AccessibleScreen& screen, const Cursor& cursor, FocusedItem::Kind kind, int32_t index) {
    const FocusedItem focus = FocusOf(screen, cursor);
    return focus.kind == kind && (kind == FocusedItem::NONE || focus.index == index);
}

// The menu as screen readers get it: a toolbar of every puzzle's button over its label, pressed on it, the
// cursor's row focusing its button.
TEST(AccessibleScreen, TheMenuIsAToolbarOfThePuzzles) {
    const AccessibleScreen menu = DescribeForScreenReaders(*NewGame());
    EXPECT_EQ(std::tuple(menu.name, menu.group, menu.groupName, menu.banner),
              std::tuple("Menu", AccessibleScreen::Group::Toolbar, "Puzzles", ""));
    EXPECT_TRUE(menu.cells.empty());
    ASSERT_EQ(menu.buttons.size(), Puzzles().size());
    for (std::size_t i = 0; i < Puzzles().size(); ++i) {
        const Puzzle& puzzle = *Puzzles()[i];
        const AccessibleItem& button = menu.buttons[i];
        EXPECT_EQ(button.name, puzzle.name);
        EXPECT_TRUE(InPicture(button) && Inside(button, puzzle.label.x, puzzle.label.y) &&
                    Inside(button, button.tapX, button.tapY))
            << puzzle.name;
        EXPECT_TRUE(Focuses(menu, {true, 0, static_cast<int32_t>(i), false}, FocusedItem::BUTTON,
                            static_cast<int32_t>(i)));
    }
    EXPECT_TRUE(Focuses(menu, {false, 0, 0, false}, FocusedItem::NONE, 0));
    EXPECT_TRUE(
        Focuses(menu, {true, 0, static_cast<int32_t>(Puzzles().size()), false}, FocusedItem::NONE, 0));
}

// Every board as screen readers get it: a grid named by its puzzle, its cells apart and told by their own
// cell, the cursor focusing one; then Quit; the banner a label while it shows.
TEST(AccessibleScreen, EveryBoardIsAGridOfItsCellsAndQuit) {
    for (const Puzzle* puzzle : Puzzles()) {
        auto game = NewGame();
        ChoosePuzzle(*game, puzzle->label);
        const AccessibleScreen board = DescribeForScreenReaders(*game);
        SCOPED_TRACE(puzzle->name);
        EXPECT_EQ(std::tuple(board.name, board.group, board.groupName, board.banner),
                  std::tuple(puzzle->name, AccessibleScreen::Group::Grid, puzzle->name, ""));
        ASSERT_EQ(board.buttons.size(), 1u);
        EXPECT_EQ(board.buttons[0].name, "Quit");
        ASSERT_GT(board.columns * board.rows, 0);
        ASSERT_EQ(board.cells.size(), static_cast<std::size_t>(board.columns * board.rows));
        std::set<int32_t> keys;
        for (int32_t i = 0; i < static_cast<int32_t>(board.cells.size()); ++i) {
            const AccessibleItem& cell = board.cells[static_cast<std::size_t>(i)];
            const int32_t col = board.firstCol + i % board.columns, row = board.firstRow + i / board.columns;
            EXPECT_TRUE(InPicture(cell)) << cell.name;
            EXPECT_TRUE(keys.insert(cell.key).second) << cell.name;
            const std::size_t place = cell.name.find(", row ");
            if (place != std::string::npos && cell.name.find(" column ", place) != std::string::npos) {
                EXPECT_EQ(cell.name.substr(place),
                          ", row " + std::to_string(row) + " column " + std::to_string(col));
            }
            EXPECT_TRUE(Focuses(board, {true, col, row, false}, FocusedItem::CELL, i)) << cell.name;
        }
        EXPECT_TRUE(Focuses(board, {true, board.firstCol + board.columns, board.firstRow, false},
                            FocusedItem::NONE, 0));
        EXPECT_TRUE(
            Focuses(board, {true, board.firstCol, board.firstRow + board.rows, false}, FocusedItem::NONE, 0));
        game->solved = 1;
        EXPECT_EQ(DescribeForScreenReaders(*game).banner, "CLEARED!!");
    }
}

}  // namespace
}  // namespace tessel
