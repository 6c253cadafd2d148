#include "puzzles/board_text.h"

namespace tessel {

BoardCell CellItem(BoardWords name, int32_t x, int32_t y, BoardWords place, int32_t tile) {
    const Point middle = CellMiddle({x, y});
    return {name, x, y, CELL_SIZE, CELL_SIZE, middle.x, middle.y, place, tile};
}

BoardWords LineWords(bool column, int32_t line) {
    return {column ? BoardWords::COLUMN : BoardWords::ROW, line};
}

BoardWords PlaceWords(int32_t col, int32_t row) {
    return {BoardWords::CELL_PLACE, row, col};
}

BoardWords TileWords(int32_t tile, BoardWords::Kind none) {
    return tile == 0 ? BoardWords{none} : BoardWords{BoardWords::TILE, tile};
}

}  // namespace tessel
