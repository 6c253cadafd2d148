#include "core/game.h"

namespace tessel {

void ResetBanner(Game& game) {
    game.bannerY.fill(BANNER_Y);
}

namespace {

template <typename Grid>
void PlaceGridCells(Grid& grid, Point origin) {
    for (int32_t row = 0; row < Grid::SIZE; ++row) {
        for (int32_t col = 0; col < Grid::SIZE; ++col) {
            grid.Left(col, row) = origin.x + col * CELL_SIZE;
            grid.Top(col, row) = origin.y + row * CELL_SIZE;
        }
    }
}

}  // namespace

const BackBuffer& PictureShown(const Game& game, BackBuffer& scratch) {
    bool any = false;
    for (const Outline& outline : game.outlines) any = any || outline.width > 0;
    if (!any) return game.backBuffer;
    scratch = game.backBuffer;
    for (const Outline& outline : game.outlines) DrawOutline(scratch, outline, ColoursOf(game.look));
    return scratch;
}

void PresentNow(const Game& game) {
    if (game.presenter.present != nullptr) game.presenter.present(game, game.presenter.context);
}

void PlaceCells(TileGrid& grid, Point origin) {
    PlaceGridCells(grid, origin);
}
void PlaceCells(LightGrid& grid, Point origin) {
    PlaceGridCells(grid, origin);
}

Board TakeBoard(const Game& game) {
    Board board;
    for (std::size_t i = 0; i < board.tiles.size(); ++i)
        board.tiles[i] = static_cast<uint8_t>(game.tileGrid.tile[i]);
    for (std::size_t i = 0; i < game.lightGrid.lit.size(); ++i) {
        if (game.lightGrid.lit[i] != 0) board.lit |= uint64_t{1} << i;
    }
    board.blankCol = static_cast<uint8_t>(game.blankCol);
    board.blankRow = static_cast<uint8_t>(game.blankRow);
    board.solved = game.solved;
    return board;
}

void PutBoard(Game& game, const Board& board) {
    for (std::size_t i = 0; i < board.tiles.size(); ++i) game.tileGrid.tile[i] = board.tiles[i];
    for (std::size_t i = 0; i < game.lightGrid.lit.size(); ++i) game.lightGrid.lit[i] = (board.lit >> i) & 1;
    game.blankCol = board.blankCol;
    game.blankRow = board.blankRow;
    game.solved = board.solved;
}

}  // namespace tessel
