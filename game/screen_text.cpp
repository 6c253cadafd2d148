#include "game/screen_text.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "puzzles/puzzle_table.h"

namespace tessel {

namespace {

struct NamedScreen {
    int32_t screen;
    const char* name;
};
constexpr std::array<NamedScreen, 6> PUZZLE_NAMES{{
    {SCREEN_NORMAL, "Normal"},
    {SCREEN_UNEVEN, "Uneven"},
    {SCREEN_UNMOVABLE, "Unmovable"},
    {SCREEN_ALMOST_IMPOSSIBLE, "Almost Impossible"},
    {SCREEN_FIFTEEN, "15 Puzzle"},
    {SCREEN_LIGHTS_OUT, "Lights out"},
}};

constexpr int32_t HALF_CELL = CELL_SIZE / 2;

ScreenItem CellAt(std::string name, int32_t x, int32_t y, std::string place = {}, int32_t tile = 0) {
    return {std::move(name),  x,   y, CELL_SIZE, CELL_SIZE, x + HALF_CELL, y + HALF_CELL,
            std::move(place), tile};
}

std::string Line(bool column, int32_t line) {
    return (column ? "column " : "row ") + std::to_string(line);
}
std::string Place(int32_t col, int32_t row) {
    return Line(false, row) + " " + Line(true, col);
}

std::string TileName(int32_t tile, const char* none) {
    return tile == 0 ? std::string(none) : std::to_string(tile);
}

// "Normal" and "Unmovable": the 4 x 4 board in its ring of arrows, the locked lines' arrows left out.
void DescribeLineBoard(const Game& game, ScreenText& text, int32_t lockedColumn, int32_t lockedRow) {
    const TileGrid& grid = game.tileGrid;
    text.columns = text.rows = TileGrid::SIZE;
    for (int32_t row = 0; row < TileGrid::SIZE; ++row) {
        for (int32_t col = 0; col < TileGrid::SIZE; ++col) {
            const bool inColumns = col >= 1 && col <= 4, inRows = row >= 1 && row <= 4;
            std::string name = "blank", place;
            int32_t tile = 0;
            if (inColumns && inRows) {
                const bool locked = col == lockedColumn && row == lockedRow;
                tile = grid.Tile(col, row);
                name = (locked ? "locked " : "") + std::to_string(tile);
                place = Place(col, row);
            } else if (inColumns && col != lockedColumn) {
                name = row == 0 ? "up arrow" : "down arrow";
                place = Line(true, col);
            } else if (inRows && row != lockedRow) {
                name = col == 0 ? "left arrow" : "right arrow";
                place = Line(false, row);
            }
            text.cells.push_back(
                CellAt(std::move(name), grid.Left(col, row), grid.Top(col, row), std::move(place), tile));
        }
    }
}

// "Uneven": five cells a column, an up arrow above a column that is down, a down arrow one cell below a
// column that is up, side arrows on the three middle rows.
void DescribeUneven(const Game& game, ScreenText& text) {
    const TileGrid& grid = game.tileGrid;
    constexpr int32_t ARROW_ROW = 6;  // the down arrows, below the grid's last row
    text.columns = TileGrid::SIZE;
    text.rows = ARROW_ROW + 1;
    for (int32_t row = 0; row <= ARROW_ROW; ++row) {
        for (int32_t col = 0; col < TileGrid::SIZE; ++col) {
            const bool inColumns = col >= 1 && col <= 4;
            std::string name = "blank", place;
            int32_t tile = 0;
            if (inColumns && row >= 1 && row <= 5) {
                tile = grid.Tile(col, row);
                name = TileName(tile, "gap");
                place = Place(col, row);
            } else if (inColumns && row == 0 && grid.Tile(col, 1) == 0) {
                name = "up arrow";
                place = Line(true, col);
            } else if (inColumns && row == ARROW_ROW && grid.Tile(col, 5) == 0) {
                name = "down arrow";
                place = Line(true, col);
            } else if (!inColumns && row >= 2 && row <= 4) {
                name = col == 0 ? "left arrow" : "right arrow";
                place = Line(false, row);
            }
            const int32_t top = row == ARROW_ROW ? grid.Top(col, 5) + CELL_SIZE : grid.Top(col, row);
            text.cells.push_back(CellAt(std::move(name), grid.Left(col, 0), top, std::move(place), tile));
        }
    }
}

// The 15 Puzzle and "Almost Impossible": the 4 x 4 board alone.
void DescribeTileBoard(const Game& game, ScreenText& text, bool atCorners) {
    const TileGrid& grid = game.tileGrid;
    text.columns = text.rows = 4;
    text.firstCol = text.firstRow = 1;
    for (int32_t row = 1; row <= 4; ++row) {
        for (int32_t col = 1; col <= 4; ++col) {
            ScreenItem cell = CellAt(TileName(grid.Tile(col, row), "empty"), grid.Left(col, row),
                                     grid.Top(col, row), Place(col, row), grid.Tile(col, row));
            if (atCorners) {
                const int32_t blockCol = std::min(col, 3), blockRow = std::min(row, 3);
                cell.tapX = grid.Left(blockCol + 1, blockRow);
                cell.tapY = grid.Top(blockCol, blockRow + 1);
            }
            text.cells.push_back(std::move(cell));
        }
    }
}

void DescribeLights(const Game& game, ScreenText& text) {
    const LightGrid& grid = game.lightGrid;
    text.columns = text.rows = 5;
    text.firstCol = text.firstRow = 1;
    for (int32_t row = 1; row <= 5; ++row) {
        for (int32_t col = 1; col <= 5; ++col) {
            const char* name = grid.Lit(col, row) != 0 ? "light on" : "light off";
            text.cells.push_back(CellAt(name, grid.Left(col, row), grid.Top(col, row), Place(col, row)));
        }
    }
}

// Board changes, read from the grids before and after.

using Tiles = decltype(Board::tiles);

int32_t TileAt(const Tiles& tiles, int32_t col, int32_t row) {
    return tiles[static_cast<std::size_t>(col * TileGrid::SIZE + row)];
}

// Whether the line's cells, `length` of them from `first`, moved one cell on cyclically: towards the
// line's start (up or left) when `back`, else towards its end.
bool IsLineShifted(const Tiles& before, const Tiles& after, bool column, int32_t line, int32_t first,
                   int32_t length, bool back) {
    const auto at = [&](const Tiles& tiles, int32_t i) {
        return column ? TileAt(tiles, line, first + i) : TileAt(tiles, first + i, line);
    };
    for (int32_t i = 0; i < length; ++i) {
        const int32_t from = back ? (i + 1) % length : (i + length - 1) % length;
        if (at(after, i) != at(before, from)) return false;
    }
    return true;
}

// Lines of four tiles that all moved one cell, columns first; empty unless every changed line is one.
std::string DescribeShifts(const Tiles& before, const Tiles& after, int32_t columnLength) {
    for (const bool column : {true, false}) {
        std::string words;
        bool explained = true;
        for (int32_t line = 1; line <= 4 && explained; ++line) {
            const int32_t length = column ? columnLength : 4;
            if (IsLineShifted(before, after, column, line, 1, length, true)) {
                words += (words.empty() ? "" : ", ") + Line(column, line) + (column ? " up" : " left");
            } else if (IsLineShifted(before, after, column, line, 1, length, false)) {
                words += (words.empty() ? "" : ", ") + Line(column, line) + (column ? " down" : " right");
            } else {
                for (int32_t i = 1; i <= length; ++i) {
                    const int32_t col = column ? line : i, row = column ? i : line;
                    if (TileAt(before, col, row) != TileAt(after, col, row)) explained = false;
                }
            }
        }
        if (explained && !words.empty()) return words;
    }
    return {};
}

struct Cell {
    int32_t col = 0;
    int32_t row = 0;
};

Cell EmptyCell(const Tiles& tiles) {
    for (int32_t row = 1; row <= 4; ++row) {
        for (int32_t col = 1; col <= 4; ++col) {
            if (TileAt(tiles, col, row) == 0) return {col, row};
        }
    }
    return {};
}

// The tile that slid into the empty cell, and which way.
std::string DescribeSlide(const Tiles& before, const Tiles& after) {
    const Cell was = EmptyCell(before), is = EmptyCell(after);
    if (std::abs(was.col - is.col) + std::abs(was.row - is.row) != 1) return {};
    const char* way = was.col > is.col   ? "right"
                      : was.col < is.col ? "left"
                      : was.row > is.row ? "down"
                                         : "up";
    return "tile " + std::to_string(TileAt(after, was.col, was.row)) + " " + way;
}

bool LitAt(uint64_t lit, int32_t col, int32_t row) {
    return (lit >> (col * LightGrid::SIZE + row) & 1u) != 0;
}

// The board lights a press of each light in `pressed` toggles, one bit a light as the board keeps them.
uint64_t PressMask(const std::vector<Cell>& pressed) {
    uint64_t mask = 0;
    for (const Cell& light : pressed) {
        for (const Cell& d : {Cell{0, 0}, Cell{-1, 0}, Cell{0, -1}, Cell{1, 0}, Cell{0, 1}}) {
            const int32_t col = light.col + d.col, row = light.row + d.row;
            if (col >= 1 && col <= 5 && row >= 1 && row <= 5)
                mask ^= uint64_t{1} << (col * LightGrid::SIZE + row);
        }
    }
    return mask;
}

// The lights one tap presses: one, two beside each other (a tap on the line between them) or four round a
// corner; the fewest whose presses make the change.
std::vector<Cell> FindPressedLights(uint64_t toggled) {
    std::vector<std::vector<Cell>> candidates;
    for (int32_t row = 1; row <= 5; ++row) {
        for (int32_t col = 1; col <= 5; ++col) candidates.push_back({{col, row}});
    }
    for (int32_t row = 1; row <= 5; ++row) {
        for (int32_t col = 1; col <= 5; ++col) {
            if (col < 5) candidates.push_back({{col, row}, {col + 1, row}});
            if (row < 5) candidates.push_back({{col, row}, {col, row + 1}});
            if (col < 5 && row < 5)
                candidates.push_back({{col, row}, {col + 1, row}, {col, row + 1}, {col + 1, row + 1}});
        }
    }
    for (const std::vector<Cell>& pressed : candidates) {
        if (PressMask(pressed) == toggled) return pressed;
    }
    return {};
}

std::string DescribePresses(uint64_t before, uint64_t after) {
    uint64_t board = 0;
    int32_t on = 0;
    for (int32_t row = 1; row <= 5; ++row) {
        for (int32_t col = 1; col <= 5; ++col) {
            board |= uint64_t{1} << (col * LightGrid::SIZE + row);
            on += LitAt(after, col, row) ? 1 : 0;
        }
    }
    const uint64_t toggled = (before ^ after) & board;
    if (toggled == 0) return {};
    const std::vector<Cell> pressed = FindPressedLights(toggled);
    std::string words;
    if (pressed.size() == 1) {
        words = LitAt(after, pressed[0].col, pressed[0].row) ? "light on" : "light off";
    } else if (!pressed.empty()) {
        words = std::to_string(pressed.size()) + " lights pressed";
    }
    if (on == 0) return words;
    return words + (words.empty() ? "" : ", ") + std::to_string(on) + (on == 1 ? " light on" : " lights on");
}

std::string DescribeMove(int32_t screen, const Board& before, const Board& after) {
    switch (screen) {
        case SCREEN_NORMAL:
        case SCREEN_UNMOVABLE:
            return DescribeShifts(before.tiles, after.tiles, 4);
        case SCREEN_UNEVEN:
            // A column slides through its five cells: one step round them, its gap going from end to end.
            return DescribeShifts(before.tiles, after.tiles, 5);
        case SCREEN_FIFTEEN:
            return DescribeSlide(before.tiles, after.tiles);
        case SCREEN_ALMOST_IMPOSSIBLE:
            return before.tiles == after.tiles ? "" : "block turned";
        case SCREEN_LIGHTS_OUT:
            return DescribePresses(before.lit, after.lit);
        default:
            return {};
    }
}

}  // namespace

std::string PuzzleName(int32_t screen) {
    for (const NamedScreen& named : PUZZLE_NAMES) {
        if (named.screen == screen) return named.name;
    }
    return {};
}

ScreenText DescribeScreen(const Game& game) {
    ScreenText text;
    if (game.screen == SCREEN_MENU) {
        for (const Puzzle& puzzle : Puzzles()) {
            const PuzzleLabel& label = puzzle.label;
            text.buttons.push_back({PuzzleName(puzzle.screen),
                                    label.x,
                                    label.y,
                                    label.width,
                                    LABEL_HEIGHT,
                                    label.x + label.width / 2,
                                    label.y + LABEL_HEIGHT / 2,
                                    {},
                                    0});
        }
        text.cleared = game.solved != 0;
        return text;
    }
    if (FindPuzzle(game.screen) == nullptr) return text;
    text.heading = PuzzleName(game.screen);
    text.buttons.push_back({"Quit",
                            QUIT_X,
                            QUIT_Y,
                            QUIT_WIDTH,
                            QUIT_HEIGHT,
                            QUIT_X + QUIT_WIDTH / 2,
                            QUIT_Y + QUIT_HEIGHT / 2,
                            {},
                            0});
    text.cleared = game.solved != 0;
    switch (game.screen) {
        case SCREEN_NORMAL:
            DescribeLineBoard(game, text, 0, 0);
            break;
        case SCREEN_UNMOVABLE:
            DescribeLineBoard(game, text, game.fixedColumn, game.fixedRow);
            break;
        case SCREEN_UNEVEN:
            DescribeUneven(game, text);
            break;
        case SCREEN_FIFTEEN:
            DescribeTileBoard(game, text, false);
            break;
        case SCREEN_ALMOST_IMPOSSIBLE:
            DescribeTileBoard(game, text, true);
            break;
        case SCREEN_LIGHTS_OUT:
            DescribeLights(game, text);
            break;
        default:
            break;
    }
    return text;
}

CursorItem FindCursorItem(const ScreenText& text, const Cursor& cursor) {
    if (!cursor.shown) return {};
    if (text.cells.empty()) {
        const bool onButton = cursor.row >= 0 && cursor.row < static_cast<int32_t>(text.buttons.size());
        return onButton ? CursorItem{CursorItem::BUTTON, cursor.row} : CursorItem{};
    }
    const int32_t col = cursor.col - text.firstCol, row = cursor.row - text.firstRow;
    if (col < 0 || col >= text.columns || row < 0 || row >= text.rows) return {};
    return {CursorItem::CELL, row * text.columns + col};
}

ShownState TakeShownState(const Session& session) {
    return {session.game.screen, session.game.solved != 0, TakeBoard(session.game), session.cursor};
}

std::string DescribeAction(const ShownState& before, const Session& session, Played played) {
    const Game& game = session.game;
    if (played.kind == Played::INFO) return MovesAndTime(session);
    if (game.screen != before.screen) {
        const std::string name = PuzzleName(game.screen);
        return name.empty() ? "menu" : name + " started";
    }
    if (played.kind == Played::HINT) return session.hint ? "hint: " + session.hint->move : "";
    const Board board = TakeBoard(game);
    // Undo is told by the move it took back, as that move was played.
    if (played.kind == Played::UNDO) {
        const std::string undone = DescribeMove(game.screen, board, before.board);
        return undone.empty() ? "" : "undo " + undone;
    }
    std::string words = DescribeMove(game.screen, before.board, board);
    if (played.kind == Played::REDO && !words.empty()) words = "redo " + words;
    if (game.solved != 0 && !before.solved) {
        words += (words.empty() ? "" : ", ") + (session.finish ? FinishWords(*session.finish) : "cleared");
    }
    if (!words.empty() || played.kind != Played::KEY) return words;

    const Cursor& was = before.cursor;
    const Cursor& is = session.cursor;
    if (is.grabbed && !was.grabbed) return "holding " + Line(false, is.row) + " and " + Line(true, is.col);
    if (was.grabbed && !is.grabbed) return "let go";
    // A shift that moved nothing: its line is locked or cannot go that way.
    const bool lineScreen =
        game.screen == SCREEN_NORMAL || game.screen == SCREEN_UNMOVABLE || game.screen == SCREEN_UNEVEN;
    const Key key = played.key;
    const bool shift =
        key == Key::ShiftLeft || key == Key::ShiftRight || key == Key::ShiftUp || key == Key::ShiftDown ||
        (was.grabbed && (key == Key::Left || key == Key::Right || key == Key::Up || key == Key::Down));
    if (!lineScreen || !shift || board != before.board) return {};
    const bool column = key == Key::Up || key == Key::Down || key == Key::ShiftUp || key == Key::ShiftDown;
    const int32_t line = column ? was.col : was.row;
    if (game.screen == SCREEN_UNMOVABLE && line == (column ? game.fixedColumn : game.fixedRow))
        return Line(column, line) + " is locked";
    const char* way = key == Key::Up || key == Key::ShiftUp       ? "up"
                      : key == Key::Down || key == Key::ShiftDown ? "down"
                      : key == Key::Left || key == Key::ShiftLeft ? "left"
                                                                  : "right";
    return Line(column, line) + " cannot move " + way;
}

}  // namespace tessel
