#include "puzzles/line_shifts.h"

#include <array>

#include "puzzles/tile_board.h"

namespace tessel {

void ShiftColumnUp(TileGrid& grid, int32_t col) {
    const int32_t leaving = grid.Tile(col, 1);
    grid.Tile(col, 1) = grid.Tile(col, 2);
    grid.Tile(col, 2) = grid.Tile(col, 3);
    grid.Tile(col, 3) = grid.Tile(col, 4);
    grid.Tile(col, 4) = leaving;
}

void ShiftColumnDown(TileGrid& grid, int32_t col) {
    const int32_t leaving = grid.Tile(col, 4);
    grid.Tile(col, 4) = grid.Tile(col, 3);
    grid.Tile(col, 3) = grid.Tile(col, 2);
    grid.Tile(col, 2) = grid.Tile(col, 1);
    grid.Tile(col, 1) = leaving;
}

void ShiftRowLeft(TileGrid& grid, int32_t row) {
    const int32_t leaving = grid.Tile(1, row);
    grid.Tile(1, row) = grid.Tile(2, row);
    grid.Tile(2, row) = grid.Tile(3, row);
    grid.Tile(3, row) = grid.Tile(4, row);
    grid.Tile(4, row) = leaving;
}

void ShiftRowRight(TileGrid& grid, int32_t row) {
    const int32_t leaving = grid.Tile(4, row);
    grid.Tile(4, row) = grid.Tile(3, row);
    grid.Tile(3, row) = grid.Tile(2, row);
    grid.Tile(2, row) = grid.Tile(1, row);
    grid.Tile(1, row) = leaving;
}

void ShiftLine(TileGrid& grid, ShiftDirection direction, int32_t line) {
    switch (direction) {
        case ShiftDirection::Up:
            ShiftColumnUp(grid, line);
            break;
        case ShiftDirection::Right:
            ShiftRowRight(grid, line);
            break;
        case ShiftDirection::Down:
            ShiftColumnDown(grid, line);
            break;
        case ShiftDirection::Left:
            ShiftRowLeft(grid, line);
            break;
    }
}

namespace {

// How a scramble draw (mod 4) names a direction.
constexpr std::array<ShiftDirection, 4> SCRAMBLE_DIRECTIONS{ShiftDirection::Up, ShiftDirection::Left,
                                                            ShiftDirection::Down, ShiftDirection::Right};

}  // namespace

ScrambleMove DrawScrambleMove(CrtRandom& random) {
    const ShiftDirection direction = SCRAMBLE_DIRECTIONS[random.Draw() % 4];
    const int32_t line = random.Draw() % 4 + 1;
    const int32_t steps = random.Draw() % 3 + 1;
    return {direction, line, steps};
}

void ApplyScrambleMove(TileGrid& grid, const ScrambleMove& move) {
    for (int32_t step = 0; step < move.steps; ++step) ShiftLine(grid, move.direction, move.line);
}

void DrawArrows(Game& game, int32_t lockedColumn, int32_t lockedRow) {
    const auto draw = [&](ImageId arrow, int32_t col, int32_t row) { DrawAtCell(game, arrow, col, row); };
    for (int32_t k = 1; k <= 4; ++k) {
        if (k != lockedColumn) draw(IMG_ARROW_UP, k, 0);
    }
    for (int32_t k = 1; k <= 4; ++k) {
        if (k != lockedColumn) draw(IMG_ARROW_DOWN, k, 5);
    }
    for (int32_t k = 1; k <= 4; ++k) {
        if (k != lockedRow) draw(IMG_ARROW_RIGHT, 5, k);
    }
    for (int32_t k = 1; k <= 4; ++k) {
        if (k != lockedRow) draw(IMG_ARROW_LEFT, 0, k);
    }
}

void DrawShiftFrame(Game& game, ShiftDirection direction, int32_t line) {
    const TileGrid& grid = game.tileGrid;
    BackBuffer& buffer = game.backBuffer;
    const auto arrow = [&](ImageId id, int32_t x, int32_t y) {
        DrawImage(buffer, game.images[id], x, y, CELL_SIZE, CELL_SIZE);
    };
    const int32_t lineLength = 4 * CELL_SIZE;
    switch (direction) {
        case ShiftDirection::Up: {
            const int32_t left = ColumnLeft(grid, line);
            CopyArea(buffer, left, RowTop(grid, 1) - SLIDE_STEP, CELL_SIZE, lineLength, left,
                     RowTop(grid, 1));
            // The upper half of the leaving top tile, now over the arrow cell, re-enters at the bottom.
            CopyArea(buffer, left, RowTop(grid, 4) + SLIDE_STEP, CELL_SIZE, SLIDE_STEP, left,
                     RowTop(grid, 1) - SLIDE_STEP);
            arrow(IMG_ARROW_UP, left, RowTop(grid, 0));
            break;
        }
        case ShiftDirection::Right: {
            const int32_t top = RowTop(grid, line);
            CopyArea(buffer, ColumnLeft(grid, 1) + SLIDE_STEP, top, lineLength, CELL_SIZE,
                     ColumnLeft(grid, 1), top);
            // The whole leaving tile, now straddling column 4 and the arrow, straddles the left end.
            CopyArea(buffer, ColumnLeft(grid, 1) - SLIDE_STEP, top, CELL_SIZE, CELL_SIZE,
                     ColumnLeft(grid, 4) + SLIDE_STEP, top);
            arrow(IMG_ARROW_LEFT, ColumnLeft(grid, 0), top);
            arrow(IMG_ARROW_RIGHT, ColumnLeft(grid, 5), top);
            break;
        }
        case ShiftDirection::Down: {
            const int32_t left = ColumnLeft(grid, line);
            CopyArea(buffer, left, RowTop(grid, 1) + SLIDE_STEP, CELL_SIZE, lineLength, left,
                     RowTop(grid, 1));
            CopyArea(buffer, left, RowTop(grid, 1) - SLIDE_STEP, CELL_SIZE, CELL_SIZE, left,
                     RowTop(grid, 4) + SLIDE_STEP);
            arrow(IMG_ARROW_DOWN, left, RowTop(grid, 5));
            arrow(IMG_ARROW_UP, left, RowTop(grid, 0));
            break;
        }
        case ShiftDirection::Left: {
            const int32_t top = RowTop(grid, line);
            CopyArea(buffer, ColumnLeft(grid, 1) - SLIDE_STEP, top, lineLength, CELL_SIZE,
                     ColumnLeft(grid, 1), top);
            // The left half of the leaving tile, now over the arrow cell, re-enters at the right end.
            CopyArea(buffer, ColumnLeft(grid, 4) + SLIDE_STEP, top, SLIDE_STEP, CELL_SIZE,
                     ColumnLeft(grid, 1) - SLIDE_STEP, top);
            arrow(IMG_ARROW_LEFT, ColumnLeft(grid, 0), top);
            break;
        }
    }
}

void ShiftLineByTap(Game& game, ShiftDirection direction, int32_t line) {
    game.tapActed = 1;
    DrawShiftFrame(game, direction, line);
    PresentNow(game);
    ShiftLine(game.tileGrid, direction, line);
}

Point RingArrowCell(const TileGrid& grid, ShiftDirection direction, int32_t line) {
    switch (direction) {
        case ShiftDirection::Up:
            return {ColumnLeft(grid, line), RowTop(grid, 0)};
        case ShiftDirection::Right:
            return {ColumnLeft(grid, 5), RowTop(grid, line)};
        case ShiftDirection::Down:
            return {ColumnLeft(grid, line), RowTop(grid, 5)};
        case ShiftDirection::Left:
            return {ColumnLeft(grid, 0), RowTop(grid, line)};
    }
    return {};
}

BoardWords ShiftWords(ShiftDirection direction, int32_t line) {
    switch (direction) {
        case ShiftDirection::Up:
            return {BoardWords::COLUMN_UP, line};
        case ShiftDirection::Right:
            return {BoardWords::ROW_RIGHT, line};
        case ShiftDirection::Down:
            return {BoardWords::COLUMN_DOWN, line};
        case ShiftDirection::Left:
            break;
    }
    return {BoardWords::ROW_LEFT, line};
}

BoardText DescribeLineBoard(const Game& game, int32_t lockedColumn, int32_t lockedRow) {
    const TileGrid& grid = game.tileGrid;
    BoardText text;
    text.columns = text.rows = TileGrid::SIZE;
    for (int32_t row = 0; row < TileGrid::SIZE; ++row) {
        for (int32_t col = 0; col < TileGrid::SIZE; ++col) {
            const bool inColumns = col >= 1 && col <= 4, inRows = row >= 1 && row <= 4;
            BoardWords name{BoardWords::BLANK}, place;
            int32_t tile = 0;
            if (inColumns && inRows) {
                const bool locked = col == lockedColumn && row == lockedRow;
                tile = grid.Tile(col, row);
                name = {locked ? BoardWords::LOCKED_TILE : BoardWords::TILE, tile};
                place = PlaceWords(col, row);
            } else if (inColumns && col != lockedColumn) {
                name = {row == 0 ? BoardWords::UP_ARROW : BoardWords::DOWN_ARROW};
                place = LineWords(true, col);
            } else if (inRows && row != lockedRow) {
                name = {col == 0 ? BoardWords::LEFT_ARROW : BoardWords::RIGHT_ARROW};
                place = LineWords(false, row);
            }
            text.cells.push_back(CellItem(name, grid.Left(col, row), grid.Top(col, row), place, tile));
        }
    }
    return text;
}

namespace {

using Tiles = decltype(Board::tiles);

int32_t TileAt(const Tiles& tiles, int32_t col, int32_t row) {
    return tiles[static_cast<std::size_t>(col * TileGrid::SIZE + row)];
}

// Whether the line's cells, `length` of them from row or column 1, moved one cell on cyclically: towards
// the line's start (up or left) when `back`, else towards its end.
bool IsLineShifted(const Tiles& before, const Tiles& after, bool column, int32_t line, int32_t length,
                   bool back) {
    const auto at = [&](const Tiles& tiles, int32_t i) {
        return column ? TileAt(tiles, line, 1 + i) : TileAt(tiles, 1 + i, line);
    };
    for (int32_t i = 0; i < length; ++i) {
        const int32_t from = back ? (i + 1) % length : (i + length - 1) % length;
        if (at(after, i) != at(before, from)) return false;
    }
    return true;
}

}  // namespace

MoveWords DescribeLineShifts(const Board& before, const Board& after, int32_t columnLength) {
    for (const bool column : {true, false}) {
        MoveWords words;
        bool explained = true;
        for (int32_t line = 1; line <= 4 && explained; ++line) {
            const int32_t length = column ? columnLength : 4;
            const auto moved = [&](bool back) {
                const ShiftDirection direction = column
                                                     ? (back ? ShiftDirection::Up : ShiftDirection::Down)
                                                     : (back ? ShiftDirection::Left : ShiftDirection::Right);
                words.push_back(ShiftWords(direction, line));
            };
            if (IsLineShifted(before.tiles, after.tiles, column, line, length, true)) {
                moved(true);
            } else if (IsLineShifted(before.tiles, after.tiles, column, line, length, false)) {
                moved(false);
            } else {
                for (int32_t i = 1; i <= length; ++i) {
                    const int32_t col = column ? line : i, row = column ? i : line;
                    if (TileAt(before.tiles, col, row) != TileAt(after.tiles, col, row)) explained = false;
                }
            }
        }
        if (explained && !words.empty()) return words;
    }
    return {};
}

namespace {

// The pixels of a line's cells: `length` pixels along the line, CELL_SIZE across, from (left, top).
struct LineBand {
    int32_t length;
    int32_t left;
    int32_t top;
    bool column;

    std::size_t Index(int32_t along, int32_t acrossAt) const {
        const int32_t x = column ? left + acrossAt : left + along;
        const int32_t y = column ? top + along : top + acrossAt;
        return static_cast<std::size_t>(y * SURFACE_WIDTH + x);
    }
};

LineBand BandOf(const TileGrid& grid, bool column, int32_t line, int32_t cells) {
    return column ? LineBand{cells * CELL_SIZE, ColumnLeft(grid, line), RowTop(grid, 1), true}
                  : LineBand{cells * CELL_SIZE, ColumnLeft(grid, 1), RowTop(grid, line), false};
}

// Moves the band's pixels along the line: the pixel at `along` takes the one that was at `from(along)`, or
// white where that is -1.
template <typename From>
void MoveBand(BackBuffer& buffer, const LineBand& band, From from) {
    std::array<uint32_t, 6 * CELL_SIZE> strip{};
    for (int32_t acrossAt = 0; acrossAt < CELL_SIZE; ++acrossAt) {
        for (int32_t along = 0; along < band.length; ++along)
            strip[along] = buffer.pixels[band.Index(along, acrossAt)];
        for (int32_t along = 0; along < band.length; ++along) {
            const int32_t source = from(along);
            buffer.pixels[band.Index(along, acrossAt)] = source < 0 ? WHITE : strip[source];
        }
    }
}

}  // namespace

void DrawWrappedLine(Game& game, bool column, int32_t line, int32_t offset) {
    const LineBand band = BandOf(game.tileGrid, column, line, 4);
    const int32_t shift = ((offset % band.length) + band.length) % band.length;
    MoveBand(game.backBuffer, band,
             [&](int32_t along) { return (along - shift + band.length) % band.length; });
}

void DrawSlidLine(Game& game, bool column, int32_t line, int32_t offset, int32_t cells) {
    const LineBand band = BandOf(game.tileGrid, column, line, cells);
    MoveBand(game.backBuffer, band, [&](int32_t along) {
        const int32_t source = along - offset;
        return source >= 0 && source < band.length ? source : -1;
    });
}

}  // namespace tessel
