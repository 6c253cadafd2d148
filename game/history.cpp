#include "game/history.h"

namespace tessel {

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

void RecordMove(History& history, const Board& before, TapPoint tap, MoveCursors cursors) {
    history.before.resize(history.done);
    history.taps.resize(history.done);
    history.cursors.resize(history.done);
    history.before.push_back(before);
    history.taps.push_back(tap);
    history.cursors.push_back(cursors);
    if (history.taps.size() > HISTORY_LIMIT) {
        history.before.pop_front();
        history.taps.pop_front();
        history.cursors.pop_front();
        ++history.dropped;
    }
    history.done = history.taps.size();
}

}  // namespace tessel
