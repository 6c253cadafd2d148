// "Tools" > "Game ID" and "Play game ID...": the ID of the board in play shown and copied, a board started
// from its ID.
#pragma once

#include <QString>

namespace tessel {

class MainWindow;

// Shows the ID of the board in play and copies it to the clipboard; says so when there is none.
void ShowGameId(MainWindow& window);

// Starts the board the text names, replacing the game in play once the player agrees, when that game has
// moves. Returns what is wrong with the text, in one line, or nothing (started, or kept as the player chose).
QString PlayGameIdText(MainWindow& window, const QString& text);

// Asks for an ID and starts its board; an ID refused is told, the game in play left as it was.
void AskForGameId(MainWindow& window);

}  // namespace tessel
