// Every message of the game, by name, grouped by where it shows; said with Say (game/words.h). Each
// "TRANSLATORS:" comment is the note a translator reads beside the message: where it shows and what each
// argument holds. How to add one: docs/words.md.
#pragma once

#include <string>

#include "game/words.h"

namespace tessel {

struct Puzzle;

// A puzzle's name as the screen reader and the dialogs say it (the picture draws its own).
std::string PuzzleName(const Puzzle& puzzle);

namespace msg {

// ---- Time and counts, as the screen reader says them

// TRANSLATORS: part of a time said aloud ("1 hour 2 minutes 3 seconds"); %1 is the number of hours.
inline constexpr Message HOURS = Plural("%1 hour", "%1 hours");
// TRANSLATORS: part of a time said aloud; %1 is the number of minutes.
inline constexpr Message MINUTES = Plural("%1 minute", "%1 minutes");
// TRANSLATORS: part of a time said aloud; %1 is the number of seconds.
inline constexpr Message SECONDS = Plural("%1 second", "%1 seconds");
// TRANSLATORS: a time said aloud in two parts: %1 the hours or minutes, %2 the minutes or seconds
// ("1 minute 12 seconds").
inline constexpr Message TIME_OF_TWO = TextIn("time said aloud", "%1 %2");
// TRANSLATORS: a time said aloud in three parts: %1 the hours, %2 the minutes, %3 the seconds.
inline constexpr Message TIME_OF_THREE = TextIn("time said aloud", "%1 %2 %3");
// TRANSLATORS: said when the player asks for the moves and time (the I key); %1 is the number of moves,
// %2 the time said aloud ("1 minute 12 seconds").
inline constexpr Message MOVES_AND_TIME = PluralIn("said aloud", "%1 move, %2", "%1 moves, %2");
// TRANSLATORS: said when the player asks for the moves and time on the menu, where no game is in play.
inline constexpr Message NO_GAME = Text("no game");
// TRANSLATORS: the counts line beside the picture; %1 is the number of moves, %2 the time as a clock shows
// it ("1:12").
inline constexpr Message COUNTS_LINE = PluralIn("counts line", "%1 move, %2", "%1 moves, %2");

// ---- The end of a game, said aloud after the solving move

// TRANSLATORS: the board was solved; %1 is the number of moves, %2 the time said aloud.
inline constexpr Message CLEARED_IN = Plural("cleared in %1 move, %2", "cleared in %1 moves, %2");
// TRANSLATORS: the board was solved with hints; %1 is the number of moves, %2 the time said aloud, %3 the
// hints counted (HINTS_TAKEN).
inline constexpr Message CLEARED_WITH_HINTS =
    Plural("cleared in %1 move, %2, with %3", "cleared in %1 moves, %2, with %3");
// TRANSLATORS: the hints taken in a game, in the words at its end; %1 is their number.
inline constexpr Message HINTS_TAKEN = Plural("%1 hint", "%1 hints");
// TRANSLATORS: the board was solved in fewer moves and less time than ever before; %1 is the number of
// moves, %2 the time said aloud.
inline constexpr Message CLEARED_BEST =
    Plural("cleared in %1 move, %2, best yet", "cleared in %1 moves, %2, best yet");
// TRANSLATORS: the board was solved in fewer moves than ever before; %1 moves, %2 the time said aloud.
inline constexpr Message CLEARED_FEWEST_MOVES =
    Plural("cleared in %1 move, %2, fewest moves yet", "cleared in %1 moves, %2, fewest moves yet");
// TRANSLATORS: the board was solved in less time than ever before; %1 moves, %2 the time said aloud.
inline constexpr Message CLEARED_BEST_TIME =
    Plural("cleared in %1 move, %2, best time yet", "cleared in %1 moves, %2, best time yet");
// TRANSLATORS: the words at the end of a game whose time made an average the best yet: %1 the words at the
// end ("cleared in 23 moves, 1 minute 12 seconds, best time yet"), %2 how many games in a row the average
// is of (5, 12 or 100; the trimmed mean that players who race call "average of 5").
inline constexpr Message CLEARED_BEST_AVERAGE =
    Plural("%1; best average of %2 yet", "%1; best average of %2 yet");
// TRANSLATORS: the board was solved by a game kept from an earlier version, whose moves are unknown.
inline constexpr Message CLEARED = Text("cleared");
// TRANSLATORS: the solving move said with the words at the end: %1 the move ("column 2 up"), %2 the end
// ("cleared in 23 moves, 1 minute 12 seconds").
inline constexpr Message MOVE_THEN_END = TextIn("solving move", "%1, %2");

// ---- What the screen reader says after an action

// TRANSLATORS: a puzzle was started from the menu or a game ID; %1 is the puzzle's name.
inline constexpr Message PUZZLE_STARTED = Text("%1 started");
// TRANSLATORS: the menu of puzzles is shown again.
inline constexpr Message BACK_TO_MENU = TextIn("said aloud", "menu");
// TRANSLATORS: a hint was asked for; %1 is the move it shows ("column 2 up").
inline constexpr Message HINT_SHOWN = Text("hint: %1");
// TRANSLATORS: Undo took back a move; %1 is the move ("column 2 up").
inline constexpr Message UNDID = Text("undo %1");
// TRANSLATORS: Redo played a move again; %1 is the move ("column 2 up").
inline constexpr Message REDID = Text("redo %1");
// TRANSLATORS: the keyboard's cursor took hold of a row and a column of tiles, to shift them with the
// arrows; %1 is the row's number, %2 the column's.
inline constexpr Message HOLDING_LINES = Text("holding row %1 and column %2");
// TRANSLATORS: the keyboard's cursor let go of the row and column it held.
inline constexpr Message LET_GO = Text("let go");
// TRANSLATORS: a column of tiles that never moves was asked to shift; %1 is its number.
inline constexpr Message COLUMN_LOCKED = Text("column %1 is locked");
// TRANSLATORS: a row of tiles that never moves was asked to shift; %1 is its number.
inline constexpr Message ROW_LOCKED = Text("row %1 is locked");
// TRANSLATORS: a column of tiles cannot shift that way; %1 is its number.
inline constexpr Message COLUMN_CANNOT_MOVE_UP = Text("column %1 cannot move up");
// TRANSLATORS: a column of tiles cannot shift that way; %1 is its number.
inline constexpr Message COLUMN_CANNOT_MOVE_DOWN = Text("column %1 cannot move down");
// TRANSLATORS: a row of tiles cannot shift that way; %1 is its number.
inline constexpr Message ROW_CANNOT_MOVE_LEFT = Text("row %1 cannot move left");
// TRANSLATORS: a row of tiles cannot shift that way; %1 is its number.
inline constexpr Message ROW_CANNOT_MOVE_RIGHT = Text("row %1 cannot move right");

// ---- Moves, as hints show them and the screen reader says them

// TRANSLATORS: a move of the 15 Puzzle: tile %1 slides into the empty cell, upwards.
inline constexpr Message TILE_UP = Text("tile %1 up");
// TRANSLATORS: a move of the 15 Puzzle: tile %1 slides into the empty cell, downwards.
inline constexpr Message TILE_DOWN = Text("tile %1 down");
// TRANSLATORS: a move of the 15 Puzzle: tile %1 slides into the empty cell, to the left.
inline constexpr Message TILE_LEFT = Text("tile %1 left");
// TRANSLATORS: a move of the 15 Puzzle: tile %1 slides into the empty cell, to the right.
inline constexpr Message TILE_RIGHT = Text("tile %1 right");
// TRANSLATORS: a hint on "Almost Impossible": turn the 2 x 2 block whose top-left cell is at column %1,
// row %2.
inline constexpr Message TURN_BLOCK_AT = Text("turn block at column %1, row %2");
// TRANSLATORS: a hint on "Lights out": press the light at column %1, row %2.
inline constexpr Message PRESS_LIGHT_AT = Text("press light at column %1, row %2");

// ---- The screen as the screen reader names it

// TRANSLATORS: the button in a board's corner that goes back to the menu, as a screen reader names it
// (the picture draws its own word).
inline constexpr Message QUIT_BUTTON = TextIn("button back to the menu", "Quit");

// ---- Records

// TRANSLATORS: a line of the records: %1 the puzzle's name, %2 the games solved.
inline constexpr Message RECORD_SOLVED = Plural("%1: %2 solved", "%1: %2 solved");
// TRANSLATORS: a line of the records: %1 the puzzle's name, %2 the games solved, %3 the fewest moves of a
// game solved without hints, %4 its shortest time as a clock shows it ("1:12").
inline constexpr Message RECORD_BEST =
    Plural("%1: %2 solved, fewest moves %3, shortest %4", "%1: %2 solved, fewest moves %3, shortest %4");
// TRANSLATORS: the records, when no game has been solved.
inline constexpr Message NO_RECORDS = Text("no games solved yet");

// ---- A game ID refused (in the desktop's dialog, the page's note, and on standard error)

// TRANSLATORS: a game ID names a board, such as normal-4297; keep that example as it is.
inline constexpr Message NO_GAME_ID = Text("no game ID given (one reads like normal-4297)");
// TRANSLATORS: %1 is the game ID given, in quotes; %2 the puzzles' names as game IDs write them
// ("normal, unmovable, ...").
inline constexpr Message GAME_ID_NO_PUZZLE = Text("game ID %1 names no puzzle (it starts with %2)");
// TRANSLATORS: %1 is the game ID given, in quotes; %2 its form, such as normal-SEED (keep it as it is).
inline constexpr Message GAME_ID_FORM = Text("game ID %1 does not read %2");
// TRANSLATORS: %1 is the game ID given, in quotes; %2 the largest seed.
inline constexpr Message GAME_ID_SEED = Text("game ID %1: the seed is a whole number from 0 to %2");
// TRANSLATORS: %1 is the game ID given, in quotes; %2 its form, such as unmovable-COLUMN-ROW-SEED (keep it
// as it is).
inline constexpr Message GAME_ID_LOCKED = Text("game ID %1: the locked column and row are 1 to 4 (%2)");

}  // namespace msg
}  // namespace tessel
