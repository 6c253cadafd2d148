// Every message of the game, by name, grouped by where it shows; said with Say (game/words.h). Each
// "TRANSLATORS:" comment is the note a translator reads beside the message: where it shows and what each
// argument holds. How to add one: docs/words.md.
#pragma once

#include <optional>
#include <string>

#include "core/looks.h"
#include "game/words.h"
#include "puzzles/board_text.h"

namespace tessel {

struct Puzzle;

// A puzzle's name as the screen reader and the dialogs say it (the picture draws its own).
std::string PuzzleName(const Puzzle& puzzle);

// A board's words (a cell's name or place, a move's part) and a move's parts told together.
std::string SayBoardWords(const BoardWords& words);
std::string SayMoveWords(const MoveWords& words);

// A look's item in the "Look" menu ("As the system" for none), and what the screen reader says when the
// game is shown in a look ("Dark look").
const Message& LookTitle(std::optional<Look> choice);
const Message& SaidLook(Look look);

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
// TRANSLATORS: the decimal separator of the statistics' times and figures ("12.35", "6.9 moves"): a point in
// English; a comma where the language writes one ("12,35").
inline constexpr Message DECIMAL_POINT = TextIn("number", ".");
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
// TRANSLATORS: the words at the end of a game (%1, "cleared in 23 moves, 1 minute 12 seconds, best time
// yet") when its time made the best average of %2 solves in a row yet (5, 12 or 100).
inline constexpr Message WITH_BEST_AVERAGE =
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

// TRANSLATORS: a move: the column of tiles numbered %1 (from the left) shifted up one cell.
inline constexpr Message COLUMN_UP = Text("column %1 up");
// TRANSLATORS: a move: the column of tiles numbered %1 (from the left) shifted down one cell.
inline constexpr Message COLUMN_DOWN = Text("column %1 down");
// TRANSLATORS: a move: the row of tiles numbered %1 (from the top) shifted left one cell.
inline constexpr Message ROW_LEFT = Text("row %1 left");
// TRANSLATORS: a move: the row of tiles numbered %1 (from the top) shifted right one cell.
inline constexpr Message ROW_RIGHT = Text("row %1 right");
// TRANSLATORS: a move on "Almost Impossible": a 2 x 2 block of tiles turned.
inline constexpr Message BLOCK_TURNED = Text("block turned");
// TRANSLATORS: a move on "Lights out": the one light pressed is now on.
inline constexpr Message PRESSED_ON = TextIn("a light pressed", "light on");
// TRANSLATORS: a move on "Lights out": the one light pressed is now off.
inline constexpr Message PRESSED_OFF = TextIn("a light pressed", "light off");
// TRANSLATORS: a move on "Lights out": %1 lights pressed at once (a tap between them; 2 or 4).
inline constexpr Message LIGHTS_PRESSED = Plural("%1 light pressed", "%1 lights pressed");
// TRANSLATORS: after a move on "Lights out": %1 lights of the board are on.
inline constexpr Message LIGHTS_ON = Plural("%1 light on", "%1 lights on");
// TRANSLATORS: two parts of a move told together: "column 2 up, column 3 up", "light on, 6 lights on".
inline constexpr Message MOVE_PARTS = TextIn("parts of a move", "%1, %2");

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

// TRANSLATORS: a board's cell holding tile %1, as a screen reader names it.
inline constexpr Message CELL_TILE = TextIn("a cell's tile", "%1");
// TRANSLATORS: a cell of "Unmovable" holding tile %1, which never moves.
inline constexpr Message CELL_LOCKED_TILE = Text("locked %1");
// TRANSLATORS: the 15 Puzzle's empty cell, into which a tile slides.
inline constexpr Message CELL_EMPTY = Text("empty");
// TRANSLATORS: the empty cell at an end of an "Uneven" column.
inline constexpr Message CELL_GAP = Text("gap");
// TRANSLATORS: a cell round the board without an arrow.
inline constexpr Message CELL_BLANK = Text("blank");
// TRANSLATORS: an arrow over a column, which shifts it up.
inline constexpr Message CELL_UP_ARROW = Text("up arrow");
// TRANSLATORS: an arrow under a column, which shifts it down.
inline constexpr Message CELL_DOWN_ARROW = Text("down arrow");
// TRANSLATORS: an arrow left of a row, which shifts it left.
inline constexpr Message CELL_LEFT_ARROW = Text("left arrow");
// TRANSLATORS: an arrow right of a row, which shifts it right.
inline constexpr Message CELL_RIGHT_ARROW = Text("right arrow");
// TRANSLATORS: a light of "Lights out" that is on.
inline constexpr Message CELL_LIGHT_ON = TextIn("a cell's light", "light on");
// TRANSLATORS: a light of "Lights out" that is off.
inline constexpr Message CELL_LIGHT_OFF = TextIn("a cell's light", "light off");
// TRANSLATORS: a cell's place, said after what it holds: %1 the row (from the top), %2 the column.
inline constexpr Message CELL_PLACE = Text("row %1 column %2");
// TRANSLATORS: an arrow's place: the column %1 it shifts.
inline constexpr Message PLACE_COLUMN = Text("column %1");
// TRANSLATORS: an arrow's place: the row %1 it shifts.
inline constexpr Message PLACE_ROW = Text("row %1");

// TRANSLATORS: the button in a board's corner that goes back to the menu, as a screen reader names it
// (the picture draws its own word).
inline constexpr Message QUIT_BUTTON = TextIn("button back to the menu", "Quit");
// TRANSLATORS: the name a screen reader gives the menu's screen, where the puzzles are chosen.
inline constexpr Message MENU_SCREEN = TextIn("the screen's name", "Menu");
// TRANSLATORS: the group of the menu's buttons, one a puzzle, as a screen reader names it.
inline constexpr Message PUZZLES_GROUP = TextIn("the menu's buttons", "Puzzles");
// TRANSLATORS: the banner over a solved board, as a screen reader reads it (the picture draws its own).
inline constexpr Message CLEARED_BANNER = TextIn("the banner over a solved board", "CLEARED!!");
// TRANSLATORS: a board's cell as a screen reader names it: %1 what it holds ("7", "light on"), %2 its
// place ("row 2 column 3", "column 2").
inline constexpr Message CELL_AT = TextIn("a cell and its place", "%1, %2");

// ---- Records

// TRANSLATORS: a line of the records: %1 the puzzle's name, %2 the games solved.
inline constexpr Message RECORD_SOLVED = Plural("%1: %2 solved", "%1: %2 solved");
// TRANSLATORS: a line of the records: %1 the puzzle's name, %2 the games solved, %3 the fewest moves of a
// game solved without hints, %4 its shortest time as a clock shows it ("1:12").
inline constexpr Message RECORD_BEST =
    Plural("%1: %2 solved, fewest moves %3, shortest %4", "%1: %2 solved, fewest moves %3, shortest %4");

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
// TRANSLATORS: %1 is the game ID of a day's board given, in quotes; keep YYYY-MM-DD as it is.
inline constexpr Message GAME_ID_NO_DATE = Text("game ID %1: no such date (a day reads YYYY-MM-DD)");
// TRANSLATORS: %1 is the game ID of a day's board given, in quotes, whose year is out of range.
inline constexpr Message GAME_ID_DAY_RANGE =
    Text("game ID %1: the days with a board run from 2000-01-01 to 9999-12-31");

// ---- A solve's link refused (in the desktop's dialog and on standard error, the page's note)

// TRANSLATORS: a solve's link, such as normal-4297.1.KxAAtQE...; keep that example as it is.
inline constexpr Message NO_SOLVE_LINK =
    Text("no solve link given (one reads like normal-4297.1.KxAAtQE...)");
// TRANSLATORS: %1 is the link given, in quotes; keep GAME-ID.FORM.MOVES as it is.
inline constexpr Message LINK_SHAPE = Text("solve link %1 does not read GAME-ID.FORM.MOVES");
// TRANSLATORS: %1 is the link given, in quotes; %2 what is wrong with it (one of the messages below, or a
// game ID refused).
inline constexpr Message LINK_REFUSED = Text("solve link %1: %2");
// TRANSLATORS: %1 is the link given, in quotes; %2 the form it names, in quotes; %3 the form this version
// reads.
inline constexpr Message LINK_FORM = Text("solve link %1 is of form %2; this version reads form %3");
// TRANSLATORS: %1 is the link given, in quotes.
inline constexpr Message LINK_NO_MOVES = Text("solve link %1 holds no moves");
// TRANSLATORS: %1 is the link given, in quotes; %2 the most moves a link holds.
inline constexpr Message LINK_TOO_LONG = Text("solve link %1 holds more than %2 moves");
// TRANSLATORS: what is wrong with a link: %1 is the character, in quotes.
inline constexpr Message LINK_CHARACTER =
    Text("its moves hold %1, which no link holds (A-Z, a-z, 0-9, - and _)");
// TRANSLATORS: what is wrong with a link: move %1 ends before its tap and time do.
inline constexpr Message LINK_CUT_SHORT = Text("move %1 is cut short");
// TRANSLATORS: what is wrong with a link: move %1 taps outside the picture.
inline constexpr Message LINK_OFF_PICTURE = Text("move %1 taps off the picture");
// TRANSLATORS: what is wrong with a link: move %1's time is written with a needless zero in front.
inline constexpr Message LINK_ZERO_DIGIT = Text("move %1's time starts with a zero digit");
// TRANSLATORS: what is wrong with a link: its times add up to more than the game's clock holds.
inline constexpr Message LINK_TOO_SLOW = Text("its time runs past 49 days");
// TRANSLATORS: what is wrong with a link: its moves, played, leave the board unsolved.
inline constexpr Message SOLVE_UNSOLVED = Text("its moves do not solve the board");
// TRANSLATORS: what is wrong with a link: move %1 of %2 solves the board, and more moves follow.
inline constexpr Message SOLVE_SOLVED_EARLY = Text("its board is solved by move %1 of %2");
// TRANSLATORS: what is wrong with a link: move %1, played, changes nothing on its board.
inline constexpr Message SOLVE_IDLE_MOVE = Text("move %1 does not move anything on its board");

// ---- Watching a solve, and the day's board

// TRANSLATORS: beside the picture and said aloud while a solve is watched: %1 the solve's moves, %2 the
// moves played so far, %3 the time as a clock shows it ("0:07").
inline constexpr Message WATCHING = Plural("watching %2 of %1 move, %3", "watching %2 of %1 moves, %3");
// TRANSLATORS: WATCHING (%1) while the solve plays twice as fast as it was played.
inline constexpr Message WATCHING_TWICE = Text("%1, at twice the pace");
// TRANSLATORS: WATCHING (%1) while the solve plays four times as fast as it was played.
inline constexpr Message WATCHING_FOUR_TIMES = Text("%1, at four times the pace");
// TRANSLATORS: the watching (%1, as above) is paused.
inline constexpr Message WATCHING_PAUSED = Text("%1, paused");
// TRANSLATORS: every move of the watched solve has been played (%1, as above).
inline constexpr Message WATCHING_ENDED = Text("%1, ended");
// TRANSLATORS: said when a slow device plays two moves of a watched solve at once, a screen reader hearing
// only the last words given: %1 the first move's words, %2 the next's ("row 3 right, column 2 up").
inline constexpr Message MOVES_TOGETHER = TextIn("moves said together", "%1, %2");
// TRANSLATORS: the one line "Share result" gives after the day's board is solved: %1 the puzzle's name,
// %2 the date (2026-12-09), %3 the moves, %4 the time as a clock shows it, %5 the solve's link.
inline constexpr Message DAY_RESULT = Plural("Tessel %1 %2: %3 move, %4 %5", "Tessel %1 %2: %3 moves, %4 %5");

// ---- The program

// TRANSLATORS: the game's name: the window's title, the page's title, the share sheet's title.
inline constexpr Message APP_NAME = Text("Tessel");

// ---- The menu bar and its "Tools" menu (the desktop's and the page's), and the phone's buttons

// TRANSLATORS: the one menu of the menu bar.
inline constexpr Message TOOLS_MENU = TextIn("menu bar", "Tools");
// TRANSLATORS: takes back the last move (a menu item, and a button under the picture on a phone).
inline constexpr Message MENU_UNDO = TextIn("Tools menu", "Undo");
// TRANSLATORS: plays the last move taken back again (a menu item, and a button on a phone).
inline constexpr Message MENU_REDO = TextIn("Tools menu", "Redo");
// TRANSLATORS: shows the next move toward the solved board (a menu item, and a button on a phone).
inline constexpr Message MENU_HINT = TextIn("Tools menu", "Hint");
// TRANSLATORS: the desktop's item that shows the board's game ID (a name such as normal-4297) and copies it.
inline constexpr Message MENU_GAME_ID = TextIn("Tools menu", "Game ID");
// TRANSLATORS: the desktop's item that asks for a game ID and starts its board.
inline constexpr Message MENU_PLAY_GAME_ID = TextIn("Tools menu", "Play game ID...");
// TRANSLATORS: the page's item that shares a link to the board in play.
inline constexpr Message MENU_SHARE = TextIn("Tools menu", "Share game");
// TRANSLATORS: gives the link of the solve on the board (or chosen in the statistics), through the share
// sheet or the clipboard.
inline constexpr Message MENU_SHARE_SOLVE = TextIn("Tools menu", "Share solve");
// TRANSLATORS: the desktop's item that asks for a solve's link and plays it again.
inline constexpr Message MENU_WATCH_SOLVE = TextIn("Tools menu", "Watch solve...");
// TRANSLATORS: the submenu (the page's item) that starts the day's board of a puzzle: the same board for
// everyone on a date.
inline constexpr Message MENU_TODAYS_BOARD = TextIn("Tools menu", "Today's board");
// TRANSLATORS: gives one line with the day's board's result and its solve's link.
inline constexpr Message MENU_SHARE_RESULT = TextIn("Tools menu", "Share result");
// TRANSLATORS: the submenu of a solve being watched.
inline constexpr Message MENU_WATCHING = TextIn("Tools menu", "Watching");
// TRANSLATORS: pauses a solve being watched, or plays it on (Space).
inline constexpr Message WATCH_PAUSE = TextIn("Watching menu", "Pause");
// TRANSLATORS: plays a paused solve on (Space).
inline constexpr Message WATCH_PLAY_ON = TextIn("Watching menu", "Play on");
// TRANSLATORS: plays the next move of a solve being watched, and pauses (the right arrow).
inline constexpr Message WATCH_STEP = TextIn("Watching menu", "Next move");
// TRANSLATORS: a solve watched at the pace it was played (1).
inline constexpr Message WATCH_OWN_PACE = TextIn("Watching menu", "Own pace");
// TRANSLATORS: a solve watched twice as fast as it was played (2).
inline constexpr Message WATCH_TWICE = TextIn("Watching menu", "Twice as fast");
// TRANSLATORS: a solve watched four times as fast as it was played (4).
inline constexpr Message WATCH_FOUR_TIMES = TextIn("Watching menu", "Four times as fast");
// TRANSLATORS: stops watching; the game in play comes back (Escape).
inline constexpr Message WATCH_STOP = TextIn("Watching menu", "Stop watching");
// TRANSLATORS: shows the statistics of the games solved: averages, a chart of the times, every solve.
inline constexpr Message MENU_STATISTICS = TextIn("Tools menu", "Statistics");
// TRANSLATORS: the submenu that chooses the game's look.
inline constexpr Message MENU_LOOK = TextIn("Tools menu", "Look");
// TRANSLATORS: shows the About box.
inline constexpr Message MENU_ABOUT = TextIn("Tools menu", "About");
// TRANSLATORS: the desktop's action that closes the window (Ctrl+Q).
inline constexpr Message CLOSE = TextIn("window action", "Close");

// ---- The looks: the "Look" submenu's items, and what the screen reader says when the look changes

// TRANSLATORS: a look: the system's light, dark or high-contrast wish decides.
inline constexpr Message LOOK_SYSTEM = TextIn("Look menu", "As the system");
// TRANSLATORS: a look: the game's own colours.
inline constexpr Message LOOK_CLASSIC = TextIn("Look menu", "Classic");
// TRANSLATORS: a look: black, white and strong colours.
inline constexpr Message LOOK_HIGH_CONTRAST = TextIn("Look menu", "High contrast");
// TRANSLATORS: a look: dark ground, light tiles.
inline constexpr Message LOOK_DARK = TextIn("Look menu", "Dark");
// TRANSLATORS: said when the game is shown in its own colours.
inline constexpr Message SAID_LOOK_CLASSIC = Text("Classic look");
// TRANSLATORS: said when the game is shown in black, white and strong colours.
inline constexpr Message SAID_LOOK_HIGH_CONTRAST = Text("High contrast look");
// TRANSLATORS: said when the game is shown on a dark ground.
inline constexpr Message SAID_LOOK_DARK = Text("Dark look");

// ---- The About box

// TRANSLATORS: the About box's title.
inline constexpr Message ABOUT_TITLE = Text("About Tessel");
// The version the About box shows (ABOUT_VERSION).
inline constexpr const char* SHOWN_VERSION = "1.0";
// TRANSLATORS: in the About box; %1 is the version, such as 1.0.
inline constexpr Message ABOUT_VERSION = Text("Tessel Version %1");
// TRANSLATORS: in the About box, under the version.
inline constexpr Message ABOUT_TAGLINE = Text("Tiles and lights to set right.");
// TRANSLATORS: in the About box: how to play, in four short lines (keep the line breaks).
inline constexpr Message ABOUT_HOW_TO = Text(
    "Six puzzles to put in order.\n"
    "Tap a name to start one,\n"
    "then tap arrows, tiles or lights.\n"
    "Quit goes back to the menu.");
// TRANSLATORS: the page's button that closes the About box and the records.
inline constexpr Message OK = TextIn("button", "OK");
// TRANSLATORS: the page's button that closes a box without doing what it asks.
inline constexpr Message CANCEL = TextIn("button", "Cancel");

// ---- Game IDs and links to a board

// TRANSLATORS: the desktop's dialog title for a board's game ID.
inline constexpr Message GAME_ID_TITLE = TextIn("dialog title", "Game ID");
// TRANSLATORS: the desktop's dialog, asked for a game ID on the menu.
inline constexpr Message NO_BOARD_TO_NAME =
    Text("There is no board in play to name. Start one from the menu.");
// TRANSLATORS: the desktop's dialog; %1 is the board's game ID, such as normal-4297. "Play game ID..." is
// the menu item (MENU_PLAY_GAME_ID); keep "tessel --game" as it is.
inline constexpr Message BOARD_IS = Text(
    "This board is %1.\n"
    "The ID is copied: \"Play game ID...\" or "
    "tessel --game %1 plays it again, here or anywhere.");
// TRANSLATORS: the desktop's dialog title for starting the board a game ID names.
inline constexpr Message PLAY_GAME_ID_TITLE = TextIn("dialog title", "Play game ID");
// TRANSLATORS: the desktop's dialog that asks for a game ID; keep normal-4297 as it is.
inline constexpr Message ASK_GAME_ID = Text("Game ID, such as normal-4297:");
// TRANSLATORS: asked before a game ID or a link replaces a game with moves; %1 is the number of moves, %2
// the game ID of the board that would replace it.
inline constexpr Message REPLACE_GAME = Plural("Replace the game in play, %1 move in, with %2?",
                                               "Replace the game in play, %1 moves in, with %2?");
// TRANSLATORS: the page's note, when "Share game" is chosen on the menu.
inline constexpr Message NO_BOARD_TO_SHARE =
    Text("There is no board in play to share. Start one from the menu.");
// TRANSLATORS: the dialog title of "Share solve" and "Watch solve...".
inline constexpr Message SOLVE_TITLE = TextIn("dialog title", "Solve");
// TRANSLATORS: "Share solve" with no solved board shown.
inline constexpr Message NO_SOLVE_TO_SHARE = Text("There is no solved board to share. Solve one first.");
// TRANSLATORS: "Share solve" of a solve that cannot be played again (kept by an older version, or longer
// than the moves a game keeps).
inline constexpr Message SOLVE_HAS_NO_LINK = Text("This solve cannot be played again from its board.");
// TRANSLATORS: the desktop's dialog after "Share solve"; %1 is the link. Keep "tessel --watch" as it is.
inline constexpr Message SOLVE_COPIED = Text(
    "The solve's link is copied: \"Watch solve...\" or tessel --watch LINK plays it again, here or "
    "anywhere.\n%1");
// TRANSLATORS: the desktop's dialog that asks for a solve's link; keep normal-4297.1.KxAAtQE... as it is.
inline constexpr Message ASK_SOLVE_LINK = Text("Solve link, such as normal-4297.1.KxAAtQE...:");
// TRANSLATORS: the dialog title of "Share result".
inline constexpr Message RESULT_TITLE = TextIn("dialog title", "Result");
// TRANSLATORS: "Share result" before the day's board is solved.
inline constexpr Message NO_RESULT_TO_SHARE =
    Text("Solve today's board first: its result can then be shared.");
// TRANSLATORS: the desktop's dialog after "Share result"; %1 is the line copied.
inline constexpr Message RESULT_COPIED = Text("The result is copied:\n%1");
// TRANSLATORS: "Today's board" when the computer's clock reads a year without day's boards.
inline constexpr Message NO_DAY_BOARD =
    Text("The clock reads a date before 2000 or after 9999, which has no day's board.");
// TRANSLATORS: the page's "Today's board" on the menu, where no puzzle is shown.
inline constexpr Message NO_PUZZLE_FOR_TODAY =
    Text("Start a puzzle from the menu first: today's board is dealt for the puzzle shown.");
// TRANSLATORS: the text the share sheet sends with a solve's link; %1 is the board's game ID.
inline constexpr Message SHARED_SOLVE = Text("Tessel, a solve of board %1");
// TRANSLATORS: the text the share sheet sends with the link; %1 is the board's game ID.
inline constexpr Message SHARED_BOARD = Text("Tessel, board %1");
// TRANSLATORS: the page's note; %1 is the link to the board, copied to the clipboard.
inline constexpr Message LINK_COPIED = Text("Link copied: %1");
// TRANSLATORS: the page's note when the link could not be copied; %1 is the link to the board.
inline constexpr Message BOARD_LINK = Text("This board's link: %1");

// ---- The records' box

// ---- The statistics' box: the numbers of a puzzle's solves, a chart of their times, every solve

// TRANSLATORS: the title of the statistics' box.
inline constexpr Message STATS_TITLE = TextIn("dialog title", "Statistics");
// TRANSLATORS: the label of the list that chooses whose statistics are shown.
inline constexpr Message STATS_PUZZLE = Text("Puzzle");
// TRANSLATORS: the head of the numbers' columns: the time and the moves of the solves.
inline constexpr Message STATS_TIME = TextIn("statistics", "Time");
// TRANSLATORS: the head of the moves' column of the numbers.
inline constexpr Message STATS_MOVES = TextIn("statistics", "Moves");
// TRANSLATORS: a row of the numbers: how many games of the puzzle were solved, with hints or without.
inline constexpr Message STATS_SOLVES = TextIn("statistics", "Solves");
// TRANSLATORS: a row of the numbers: how many of them were solved with hints (outside the averages).
inline constexpr Message STATS_HINTED = TextIn("statistics", "With hints");
// TRANSLATORS: a row of the numbers: the best single solve (the shortest time, the fewest moves).
inline constexpr Message STATS_BEST = TextIn("statistics", "Best");
// TRANSLATORS: a row of the numbers: the mean over the solves without hints.
inline constexpr Message STATS_MEAN = TextIn("statistics", "Mean");
// TRANSLATORS: a row of the numbers: the average of the last %1 solves (the best and worst 5 % dropped).
inline constexpr Message STATS_CURRENT_AVERAGE = PluralIn("statistics", "Average of %1", "Average of %1");
// TRANSLATORS: a row of the numbers: the best average of %1 solves in a row.
inline constexpr Message STATS_BEST_AVERAGE =
    PluralIn("statistics", "Best average of %1", "Best average of %1");
// TRANSLATORS: a row of the numbers: the mean of each solve's moves per second.
inline constexpr Message STATS_MOVES_PER_SECOND = TextIn("statistics", "Moves per second");
// TRANSLATORS: a number there are too few solves for.
inline constexpr Message STATS_NONE = TextIn("statistics", "none");
// TRANSLATORS: the statistics of a puzzle never solved; %1 is its name.
inline constexpr Message STATS_NO_SOLVES = Text("No game of %1 solved yet.");
// TRANSLATORS: the averages in one sentence, for screen readers; %1 the solves, %2 the best time, %3 the
// mean time, %4 %5 %6 the current averages of 5, 12 and 100 (or STATS_NONE), %7 moves per second.
inline constexpr Message STATS_SENTENCE =
    Plural("%1 solve: best time %2, mean %3; average of 5 %4, of 12 %5, of 100 %6; %7 moves per second.",
           "%1 solves: best time %2, mean %3; average of 5 %4, of 12 %5, of 100 %6; %7 moves per second.");
// TRANSLATORS: what the chart shows, said by screen readers and written under it; %1 the solves charted.
inline constexpr Message STATS_CHART =
    Plural("The time of the last %1 solve, with the averages of 5 and 12.",
           "The times of the last %1 solves, with the averages of 5 and 12.");
// TRANSLATORS: the chart's key: each solve's own time, and the two averages' lines.
inline constexpr Message STATS_KEY_SINGLE = TextIn("chart key", "Solve");
// TRANSLATORS: the chart's key: the line of the averages of 5 solves.
inline constexpr Message STATS_KEY_AO5 = TextIn("chart key", "Average of 5");
// TRANSLATORS: the chart's key: the line of the averages of 12 solves.
inline constexpr Message STATS_KEY_AO12 = TextIn("chart key", "Average of 12");
// TRANSLATORS: the heads of the table of solves: when it was solved (UTC), its moves, time and hints.
inline constexpr Message STATS_WHEN = TextIn("table of solves", "Date");
// TRANSLATORS: the head of the table's column of the hints each solve took.
inline constexpr Message STATS_HINTS = TextIn("table of solves", "Hints");
// TRANSLATORS: the table of solves' name for screen readers; %1 the puzzle's name.
inline constexpr Message STATS_TABLE = Text("Solves of %1, the newest first");
// TRANSLATORS: the day's board in the statistics: the best solve of today's board, %1 moves, %2 its time
// as a clock shows it.
inline constexpr Message STATS_DAY_BEST =
    Plural("Today's board: best %1 move, %2", "Today's board: best %1 moves, %2");
// TRANSLATORS: the day's board in the statistics, not solved today.
inline constexpr Message STATS_DAY_NOT_YET = Text("Today's board: not solved yet");
// TRANSLATORS: the days in a row up to today (or yesterday) whose board of the puzzle was solved.
inline constexpr Message STATS_DAYS_IN_ROW = Plural("%1 day in a row", "%1 days in a row");
// TRANSLATORS: the buttons of the statistics' box: watch the solve chosen in the table, watch the best
// solve, copy the chosen solve's link, save every solve as a CSV file, forget every solve and record.
inline constexpr Message STATS_WATCH = TextIn("statistics", "Watch");
// TRANSLATORS: a button: watch the puzzle's best solve again.
inline constexpr Message STATS_WATCH_BEST = TextIn("statistics", "Watch best");
// TRANSLATORS: a button: copy the link of the solve chosen in the table.
inline constexpr Message STATS_SHARE = TextIn("statistics", "Copy link");
// TRANSLATORS: a button: save every solve as a CSV file (asks where).
inline constexpr Message STATS_EXPORT = TextIn("statistics", "Export CSV...");
// TRANSLATORS: a button: forget every solve and record (asks first).
inline constexpr Message STATS_CLEAR = TextIn("statistics", "Clear...");
// TRANSLATORS: asked before the statistics are cleared.
inline constexpr Message STATS_CLEAR_QUESTION =
    Text("Forget every solve and every record of every puzzle? This cannot be undone.");
// TRANSLATORS: the log of solves could not be saved: %1 the file, %2 why.
inline constexpr Message STATS_NOT_EXPORTED = Text("The solves cannot be saved in %1 (%2).");
// TRANSLATORS: said once on the page when the site's storage is full: solves are played but not kept.
inline constexpr Message SOLVES_NOT_KEPT_PAGE =
    Text("The browser's storage is full: solves are not being kept.");

// ---- The landscape message, shown while a phone or a window is held sideways

// TRANSLATORS: drawn in two lines (keep the line break, and the space that starts the second line).
inline constexpr Message LANDSCAPE =
    Text("Sorry, current release version\n doesn't support horizontal view mode.");

// ---- tessel --help and the desktop's command line

// TRANSLATORS: tessel --help, under "Usage:"; keep the file paths and $XDG_STATE_HOME as they are.
inline constexpr Message HELP_DESCRIPTION = Text(
    "Six puzzles of tiles and lights, played with the mouse. One copy runs at a time: "
    "starting another brings the running one to the front.\n\n"
    "A game in play is kept, and comes back at the next start, in\n"
    "  $XDG_STATE_HOME/tessel/kept-game (by default ~/.local/state/tessel/kept-game);\n"
    "Quit keeps nothing. To start afresh, remove that file.");
// TRANSLATORS: tessel --help, the option -h, --help.
inline constexpr Message HELP_HELP = Text("Show this help and exit.");
// TRANSLATORS: tessel --help, the option -v, --version.
inline constexpr Message HELP_VERSION = Text("Show the version and exit.");
// TRANSLATORS: tessel --help, the option --game <ID>; "Tools > Game ID" is the menu and its item.
inline constexpr Message HELP_GAME = Text(
    "Start the board a game ID names (see Tools > Game ID), such "
    "as normal-4297; a running copy starts it.");
// TRANSLATORS: tessel --help: the value of --game, as in --game <ID>.
inline constexpr Message HELP_GAME_VALUE = TextIn("command line", "ID");
// TRANSLATORS: tessel --help, the option --watch <LINK>; "Tools > Share solve" is the menu and its item.
inline constexpr Message HELP_WATCH = Text("Watch the solve a link holds (see Tools > Share solve).");
// TRANSLATORS: tessel --help: the value of --watch, as in --watch <LINK>.
inline constexpr Message HELP_WATCH_VALUE = TextIn("command line", "LINK");
// TRANSLATORS: the end of tessel --help; keep the options and tessel(6) as they are.
inline constexpr Message HELP_QT_OPTIONS = Text(
    "Qt's own options are accepted too, such as -platform NAME, -style NAME and -reverse; see tessel(6).");
// TRANSLATORS: tessel's command line had a word it does not take; %1 is that word.
inline constexpr Message UNEXPECTED_ARGUMENT = Text("unexpected argument '%1'");

// ---- The desktop's messages on standard error, each after "tessel: "

// TRANSLATORS: at the start, when the game has no folder to be kept in; keep the two names as they are.
inline constexpr Message KEPT_NOWHERE =
    Text("neither XDG_STATE_HOME nor HOME names a folder; the game is not kept");
// TRANSLATORS: %1 is the kept game's file, %2 why it cannot be read, %3 why it cannot be renamed.
inline constexpr Message KEPT_GAME_STAYS =
    Text("the kept game %1 cannot be read (%2) nor moved aside (%3); not keeping the game");
// TRANSLATORS: %1 is the kept game's file, %2 why it cannot be read, %3 the name it was renamed to.
inline constexpr Message KEPT_GAME_MOVED = Text("the kept game %1 cannot be read (%2); moved it to %3");
// TRANSLATORS: why a kept game cannot be read (in KEPT_GAME_STAYS and KEPT_GAME_MOVED).
inline constexpr Message NOT_A_KEPT_GAME = Text("not a sound kept game of this version");
// TRANSLATORS: %1 is the kept game's file, %2 why it cannot be written.
inline constexpr Message GAME_NOT_KEPT =
    Text("cannot keep the game in %1 (%2); playing on without keeping it");
// TRANSLATORS: %1 is the records' file, %2 why it cannot be read, %3 why it cannot be renamed.
inline constexpr Message RECORDS_STAY = Text("the records %1 cannot be read (%2); nor moved aside (%3)");
// TRANSLATORS: %1 is the records' file, %2 why it cannot be read, %3 the name it was renamed to.
inline constexpr Message RECORDS_MOVED = Text("the records %1 cannot be read (%2); moved them to %3");
// TRANSLATORS: why the records' file cannot be read (in RECORDS_STAY and RECORDS_MOVED).
inline constexpr Message NOT_RECORDS = Text("not records this version wrote");
// TRANSLATORS: %1 is the records' file, %2 why it cannot be written.
inline constexpr Message RECORDS_NOT_KEPT = Text("the records cannot be kept in %1 (%2)");
// TRANSLATORS: %1 is the records' file, %2 why it cannot be removed.
inline constexpr Message RECORDS_NOT_REMOVED = Text("the records %1 cannot be removed (%2)");
// TRANSLATORS: %1 is the log of solves' file, %2 why it cannot be read, %3 why it cannot be renamed.
inline constexpr Message SOLVES_STAY = Text("the solves %1 cannot be read (%2); nor moved aside (%3)");
// TRANSLATORS: %1 is the log of solves' file, %2 why it cannot be read, %3 the name it was renamed to.
inline constexpr Message SOLVES_MOVED = Text("the solves %1 cannot be read (%2); moved them to %3");
// TRANSLATORS: why the log of solves' file cannot be read (in SOLVES_STAY and SOLVES_MOVED).
inline constexpr Message NOT_SOLVES = Text("not a log of solves this version wrote");
// TRANSLATORS: %1 is the log of solves' file, %2 why it cannot be written.
inline constexpr Message SOLVES_NOT_KEPT = Text("the solves cannot be kept in %1 (%2)");
// TRANSLATORS: %1 is the log of solves' file, %2 why it cannot be removed.
inline constexpr Message SOLVES_NOT_REMOVED = Text("the solves %1 cannot be removed (%2)");
// TRANSLATORS: why a kept file cannot be read: it is a symbolic link.
inline constexpr Message FILE_IS_LINK = Text("a link");
// TRANSLATORS: why a kept file cannot be read: it is a folder or a device.
inline constexpr Message NOT_A_FILE = Text("not a file");
// TRANSLATORS: why a kept file cannot be read: it is longer than the game ever writes.
inline constexpr Message FILE_TOO_LONG = Text("too long");
// TRANSLATORS: why a kept file cannot be written; %1 is the folder it should be in, which is a file.
inline constexpr Message NOT_A_FOLDER = Text("%1: not a folder");
// TRANSLATORS: why a kept file cannot be written; %1 is a folder, %2 the system's error.
inline constexpr Message FOLDER_ERROR = TextIn("a folder and an error", "%1: %2");
// TRANSLATORS: the desktop cannot open its window; %1 tells what the display variables hold
// ("DISPLAY=:0, WAYLAND_DISPLAY not set").
inline constexpr Message NO_DISPLAY = Text("no display could be opened (%1)");
// TRANSLATORS: in NO_DISPLAY: %1 is the name of a variable the environment does not set.
inline constexpr Message VARIABLE_NOT_SET = Text("%1 not set");

// ---- How to play (Tools > How to play, F1); each puzzle's own help is in its unit (MarkedHelp)

// TRANSLATORS: the title of the help, its item in the Tools menu and its dialog.
inline constexpr Message HOW_TO_PLAY = Text("How to play");
// TRANSLATORS: the help shown on the menu, before a line for each puzzle. "CLEARED!!" and "Quit" are
// written in the picture in English; keep them as they are.
inline constexpr Message HELP_ON_MENU = Text(
    "Pick a puzzle: tap its name, or move to it with Up and Down and press Enter. Each game is a freshly "
    "scrambled board; put it back in order and \"CLEARED!!\" appears. Quit goes back to the menu.");
// TRANSLATORS: a line of the help on the menu: %1 a puzzle's name, %2 what it is ("slide tiles into the one
// empty cell").
inline constexpr Message HELP_PUZZLE_LINE = TextIn("help on the menu", "%1: %2");
// TRANSLATORS: the keys every puzzle shares, at the end of its help.
inline constexpr Message HELP_KEYS = Text(
    "H shows a hint, Ctrl+Z undoes a move and Ctrl+Shift+Z plays it again, I tells the moves and time, "
    "and Escape goes back to the menu.");

// ---- The language (Tools > Language)

// TRANSLATORS: the submenu of Tools that chooses the game's language; each language is listed in its own
// name.
inline constexpr Message LANGUAGE_MENU = Text("Language");
// TRANSLATORS: the first item of the Language submenu: the language the system's settings ask for.
inline constexpr Message LANGUAGE_AS_THE_SYSTEM = TextIn("language", "As the system");
// TRANSLATORS: on standard error when a language asked for (a stored choice, a command line) is not one
// the game has; %1 is its code, such as "tlh". Followed by "%1; English it is".
inline constexpr Message LANGUAGE_UNKNOWN = Text("no language %1 here");
// TRANSLATORS: on standard error when an installed language's file is missing; %1 is its code ("de").
inline constexpr Message LANGUAGE_CATALOGUE_MISSING = Text("the %1 catalogue is missing");
// TRANSLATORS: on standard error when an installed language's file is damaged; %1 is its code ("de"),
// %2 what is wrong with it, in English.
inline constexpr Message LANGUAGE_CATALOGUE_UNREADABLE = Text("the %1 catalogue cannot be read: %2");
// TRANSLATORS: on standard error after one of the three messages above (%1), when the desktop program
// starts in English instead. Mostly seen in English, since the language's own words could not be read.
inline constexpr Message LANGUAGE_FALLBACK = Text("%1; English it is");

}  // namespace msg
}  // namespace tessel
