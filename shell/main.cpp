// tessel: the desktop front end of the game, a Qt Widgets program.
//
// Implemented platform: a portrait window (240 x 268 game area, menu bar at the bottom) that the player
// may resize, the start-up splash played frame by frame on the screen, the landscape message, one copy
// per user and session (a second start brings the first to the front, passing on the Wayland activation
// token), the drain of taps queued during the splash, presents paced to the screen's refresh, sharp
// whole-number scaling with taps mapped back exactly, "Tools" > "About" and the About dialog, Ctrl+A and
// Ctrl+Q, the program icon and a desktop entry, --help and --version.
// Not implemented: reading the monitor's rotation (the window's own shape decides portrait or landscape);
// a guaranteed raise of the running copy (the window manager may only flag it, as focus-stealing rules go).
#include <QApplication>

#include "shell/start_up.h"
#include "shell/strings.h"

namespace {

QStringList Arguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Whether Qt can reach a window system. Without one it ends the program as the application starts, before
// the command line could be read, and Qt's own options cannot matter.
bool HasWindowSystem(const QStringList& arguments) {
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || arguments.contains(QStringLiteral("-platform")) ||
           arguments.contains(QStringLiteral("--platform"));
}

}  // namespace

int main(int argc, char** argv) {
    // --help and --version need no window system, nor a display; a bad command line is answered as well
    // where there is none.
    const QStringList arguments = Arguments(argc, argv);
    if (tessel::OnlyAsksForHelpOrVersion(arguments) || !HasWindowSystem(arguments)) {
        QCoreApplication app(argc, argv);
        if (const auto status = tessel::AnswerCommandLine(QCoreApplication::arguments())) return *status;
    }

    // Read before the platform starts, which may consume it for the window of this copy.
    const QByteArray activationToken = qgetenv("XDG_ACTIVATION_TOKEN");

    QApplication app(argc, argv);  // takes Qt's own options (-platform, -style, ...) out of the arguments
    QApplication::setApplicationName(tessel::LoadString(tessel::IDS_APP_TITLE));
    QApplication::setDesktopFileName(QStringLiteral("tessel"));
    // Decided before looking for a running copy: a bad command line neither starts a game nor wakes one.
    if (const auto status = tessel::AnswerCommandLine(QApplication::arguments())) return *status;
    return tessel::RunGame(app, activationToken);
}
