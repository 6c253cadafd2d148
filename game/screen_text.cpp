#include "game/screen_text.h"

#include <optional>
#include <utility>

#include "core/cells.h"
#include "game/catalogue.h"
#include "puzzles/puzzle_table.h"

namespace tessel {

namespace {

ScreenItem Button(std::string name, int32_t x, int32_t y, int32_t width, int32_t height) {
    return {std::move(name), x, y, width, height, x + width / 2, y + height / 2, {}, 0};
}

const Message& CannotMove(ShiftDirection direction) {
    switch (direction) {
        case ShiftDirection::Up:
            return msg::COLUMN_CANNOT_MOVE_UP;
        case ShiftDirection::Down:
            return msg::COLUMN_CANNOT_MOVE_DOWN;
        case ShiftDirection::Left:
            return msg::ROW_CANNOT_MOVE_LEFT;
        case ShiftDirection::Right:
            break;
    }
    return msg::ROW_CANNOT_MOVE_RIGHT;
}

}  // namespace

ScreenText DescribeScreen(const Game& game) {
    ScreenText text;
    if (game.screen == SCREEN_MENU) {
        for (const Puzzle* puzzle : Puzzles()) {
            const PuzzleLabel& label = puzzle->label;
            text.buttons.push_back(Button(PuzzleName(*puzzle), label.x, label.y, label.width, LABEL_HEIGHT));
        }
        text.cleared = game.solved != 0;
        return text;
    }
    const Puzzle* puzzle = FindPuzzle(game.screen);
    if (puzzle == nullptr) return text;
    text.heading = PuzzleName(*puzzle);
    text.buttons.push_back(Button(Say(msg::QUIT_BUTTON), QUIT_X, QUIT_Y, QUIT_WIDTH, QUIT_HEIGHT));
    text.cleared = game.solved != 0;
    BoardText board = puzzle->describeBoard(game);
    text.columns = board.columns;
    text.rows = board.rows;
    text.firstCol = board.firstCol;
    text.firstRow = board.firstRow;
    for (const BoardCell& cell : board.cells) {
        text.cells.push_back({SayBoardWords(cell.name), cell.x, cell.y, cell.width, cell.height, cell.tapX,
                              cell.tapY, SayBoardWords(cell.place), cell.tile});
    }
    return text;
}

CursorItem FindCursorItem(const ScreenText& text, const Cursor& cursor) {
    if (!cursor.shown) return {};
    if (text.cells.empty()) {
        const bool onButton = cursor.row >= 0 && cursor.row < static_cast<int32_t>(text.buttons.size());
        return onButton ? CursorItem{CursorItem::BUTTON, cursor.row} : CursorItem{};
    }
    // Counted from 1 at the first cell told.
    const int32_t col = cursor.col - text.firstCol + 1, row = cursor.row - text.firstRow + 1;
    if (col < 1 || col > text.columns || row < 1 || row > text.rows) return {};
    return {CursorItem::CELL, CellIndex(col, row, text.columns)};
}

ShownState TakeShownState(const Session& session) {
    return {session.game.screen, session.game.solved != 0, TakeBoard(session.game), session.cursor};
}

std::string DescribeAction(const ShownState& before, const Session& session, Played played) {
    const Game& game = session.game;
    if (played.kind == Played::INFO) return MovesAndTime(session);
    if (game.screen != before.screen) {
        const Puzzle* shown = FindPuzzle(game.screen);
        return shown != nullptr ? Say(msg::PUZZLE_STARTED, PuzzleName(*shown)) : Say(msg::BACK_TO_MENU);
    }
    if (played.kind == Played::HINT) return session.hint ? Say(msg::HINT_SHOWN, session.hint->move) : "";
    const Puzzle* puzzle = FindPuzzle(game.screen);
    const auto describeMove = [puzzle](const Board& from, const Board& to) {
        return puzzle != nullptr ? SayMoveWords(puzzle->describeMove(from, to)) : std::string();
    };
    const Board board = TakeBoard(game);
    // Undo is told by the move it took back, as that move was played.
    if (played.kind == Played::UNDO) {
        const std::string undone = describeMove(board, before.board);
        return undone.empty() ? "" : Say(msg::UNDID, undone);
    }
    std::string words = describeMove(before.board, board);
    if (played.kind == Played::REDO && !words.empty()) words = Say(msg::REDID, words);
    if (game.solved != 0 && !before.solved) {
        const std::string end = session.finish ? FinishWords(*session.finish) : Say(msg::CLEARED);
        words = words.empty() ? end : Say(msg::MOVE_THEN_END, words, end);
    }
    if (!words.empty() || played.kind != Played::KEY) return words;

    const Cursor& was = before.cursor;
    const Cursor& is = session.cursor;
    if (is.grabbed && !was.grabbed) return Say(msg::HOLDING_LINES, is.row, is.col);
    if (was.grabbed && !is.grabbed) return Say(msg::LET_GO);
    // A shift that moved nothing: its line is locked or cannot go that way.
    const std::optional<ShiftDirection> shift = LineShiftOf(played.key, was.grabbed);
    if (puzzle == nullptr || puzzle->arrowCell == nullptr || !shift || board != before.board) return {};
    const bool column = IsColumnShift(*shift);
    const int32_t line = column ? was.col : was.row;
    if (puzzle->isLocked != nullptr && puzzle->isLocked(game, *shift, line))
        return Say(column ? msg::COLUMN_LOCKED : msg::ROW_LOCKED, line);
    return Say(CannotMove(*shift), line);
}

}  // namespace tessel
