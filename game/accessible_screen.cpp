#include "game/accessible_screen.h"

#include "core/cells.h"
#include "game/catalogue.h"
#include "game/screen_text.h"

namespace tessel {

namespace {

// Items keyed by a tile stand apart from those keyed by their index.
constexpr int32_t TILE_KEYS = 1000;

AccessibleItem Item(const ScreenItem& item, int32_t key) {
    std::string name = item.place.empty() ? item.name : Say(msg::CELL_AT, item.name, item.place);
    return {std::move(name), item.x, item.y, item.width, item.height, item.tapX, item.tapY, key};
}

}  // namespace

AccessibleScreen DescribeForScreenReaders(const Game& game) {
    const ScreenText text = DescribeScreen(game);
    AccessibleScreen screen;
    screen.name = text.heading.empty() ? Say(msg::MENU_SCREEN) : text.heading;
    screen.group = text.cells.empty() ? AccessibleScreen::Group::Toolbar : AccessibleScreen::Group::Grid;
    screen.groupName = text.cells.empty() ? Say(msg::PUZZLES_GROUP) : text.heading;
    screen.columns = text.columns;
    screen.rows = text.rows;
    screen.firstCol = text.firstCol;
    screen.firstRow = text.firstRow;
    for (std::size_t i = 0; i < text.cells.size(); ++i) {
        const ScreenItem& cell = text.cells[i];
        screen.cells.push_back(Item(cell, cell.tile > 0 ? TILE_KEYS + cell.tile : static_cast<int32_t>(i)));
    }
    for (std::size_t i = 0; i < text.buttons.size(); ++i)
        screen.buttons.push_back(Item(text.buttons[i], static_cast<int32_t>(i)));
    if (text.cleared) screen.banner = Say(msg::CLEARED_BANNER);
    return screen;
}

FocusedItem FocusOf(const AccessibleScreen& screen, const Cursor& cursor) {
    if (!cursor.shown) return {};
    if (screen.cells.empty()) {
        const bool onButton = cursor.row >= 0 && cursor.row < static_cast<int32_t>(screen.buttons.size());
        return onButton ? FocusedItem{FocusedItem::BUTTON, cursor.row} : FocusedItem{};
    }
    // Counted from 1 at the grid's first cell.
    const int32_t col = cursor.col - screen.firstCol + 1, row = cursor.row - screen.firstRow + 1;
    if (col < 1 || col > screen.columns || row < 1 || row > screen.rows) return {};
    return {FocusedItem::CELL, CellIndex(col, row, screen.columns)};
}

}  // namespace tessel
