#include "puzzles/board_text.h"

#include <utility>

namespace tessel {

ScreenItem CellItem(std::string name, int32_t x, int32_t y, std::string place, int32_t tile) {
    const Point middle = CellMiddle({x, y});
    return {std::move(name), x, y, CELL_SIZE, CELL_SIZE, middle.x, middle.y, std::move(place), tile};
}

std::string LineWords(bool column, int32_t line) {
    return (column ? "column " : "row ") + std::to_string(line);
}

std::string PlaceWords(int32_t col, int32_t row) {
    return LineWords(false, row) + " " + LineWords(true, col);
}

std::string TileWords(int32_t tile, const char* none) {
    return tile == 0 ? std::string(none) : std::to_string(tile);
}

}  // namespace tessel
