// The program from start to end: its command line, then the game.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class QApplication;
class QCoreApplication;

namespace tessel {

// Whether the arguments, as given, are only --help or --version: these are answered without starting the
// window system, so that they work without a display. Qt's own options make this false; the full check
// follows once the application has taken them out.
bool OnlyAsksForHelpOrVersion(const QStringList& arguments);

// Answers --help and --version on standard output (status 0) and a bad command line with one line on
// standard error (status 2). Empty when the game is to start.
std::optional<int> AnswerCommandLine(const QStringList& arguments);

// SIGTERM (a log-out, a shut-down), SIGHUP and SIGINT end the program as a close does, once its event loop
// runs, so that the game in play is kept. Set up once per program.
void QuitOnSessionSignals(QCoreApplication& app);

// The game ID given with --game, checked by AnswerCommandLine; empty when none is.
QString AskedGameId(const QStringList& arguments);
// The solve link given with --watch, checked by AnswerCommandLine; empty when none is.
QString AskedWatchLink(const QStringList& arguments);

// Ends at once when a copy is already running (asking it to come to the front, to start the board of
// `gameId` if one is given and to watch the solve given with --watch); otherwise creates the window, brings
// back the game the last run kept (or starts the board of `gameId`), shows it, and runs until it is closed,
// keeping the game and the records. The exit status is 0 in every case.
int RunGame(QApplication& app, const QByteArray& activationToken, const QString& gameId = {});

}  // namespace tessel
