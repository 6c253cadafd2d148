// "Tools" > "Share solve", "Watch solve...", "Today's board", "Share result" and "Watching": a solve's link
// given through the clipboard, a link watched, the day's board started and its result given.
#pragma once

#include <QString>

namespace tessel {

class MainWindow;
struct Puzzle;

// Copies the link of the solve on the board and shows it; says so when there is none.
void ShareSolve(MainWindow& window);

// Watches the solve a link holds, in place of the game in play. Returns what is wrong with the link, in one
// line, or nothing (watching).
QString WatchLinkText(MainWindow& window, const QString& text);

// Asks for a link and watches it; a link refused is told, the game in play left as it was.
void AskForSolveLink(MainWindow& window);

// Starts today's board (UTC) of the puzzle, replacing the game in play once the player agrees.
void PlayTodaysBoard(MainWindow& window, const Puzzle& puzzle);

// Copies the one line of the day's board's result and shows it; says so when the board shown is not a
// solved day's board.
void ShareResult(MainWindow& window);

}  // namespace tessel
