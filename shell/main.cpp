// tessel: the desktop front end of the game, a Qt Widgets program.
//
// Implemented platform: a portrait window (240 x 268 game area, menu bar at the bottom) that the player
// may resize, the start-up splash played frame by frame on the screen, the landscape message, one copy
// per user and session (a second start brings the first to the front, passing on the Wayland activation
// token), the drain of taps queued during the splash, presents paced to the screen's refresh, sharp
// whole-number scaling with taps mapped back exactly, "Tools" > "About" and the About dialog, Ctrl+A and
// Ctrl+Q, the program icon and a desktop entry, --help and --version, one line and status 1 when no
// display can be opened, the game in play kept across runs (in $XDG_STATE_HOME/tessel/, written after each
// move and as the program ends, by a close, a log-out or SIGTERM) and shown after the next start's splash.
// Not implemented: reading the monitor's rotation (the window's own shape decides portrait or landscape);
// a guaranteed raise of the running copy (the window manager may only flag it, as focus-stealing rules go).
#include <QApplication>
#include <QSettings>

#include <unistd.h>

#include <cstdio>
#include <vector>

#include "shell/language_choice.h"
#include "shell/start_up.h"
#include "shell/strings.h"

namespace {

constexpr int EXIT_NO_DISPLAY = 1;

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

// Says that no display could be opened, with what the display variables hold.
void PrintNoDisplay() {
    QStringList looked;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        looked << (qEnvironmentVariableIsSet(name)
                       ? QStringLiteral("%1=%2").arg(name, qEnvironmentVariable(name))
                       : tessel::Words(tessel::msg::VARIABLE_NOT_SET, name));
    }
    std::fprintf(
        stderr, "tessel: %s\n",
        tessel::Say(tessel::msg::NO_DISPLAY, looked.join(QStringLiteral(", ")).toStdString()).c_str());
}

// Qt's messages while the application connects to the display, held back: when the platform cannot start,
// Qt would end the program with an abort and advice that does not apply, so it ends with one line and
// status 1 instead; once the display is open the messages are passed on.
struct HeldMessage {
    QtMsgType type;
    const char* category;
    QString text;
};
std::vector<HeldMessage>& HeldMessages() {
    static std::vector<HeldMessage> held;
    return held;
}
void PassOnHeldMessages() {
    for (const HeldMessage& message : HeldMessages())
        qt_message_output(message.type, QMessageLogContext(nullptr, 0, nullptr, message.category),
                          message.text);
    HeldMessages().clear();
}
void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg && text.contains(QStringLiteral("platform plugin"))) {
        PrintNoDisplay();
        _exit(EXIT_NO_DISPLAY);
    }
    if (type != QtFatalMsg) {
        HeldMessages().push_back({type, context.category, text});
        return;
    }
    qInstallMessageHandler(nullptr);  // Qt's own, which prints and aborts
    PassOnHeldMessages();
    qt_message_output(type, context, text);
}

// The language chosen in Tools > Language, or the system's, before any word is written.
void UseKeptLanguage(QCoreApplication& app) {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("tessel"),
                       QStringLiteral("tessel"));
    tessel::UseLanguageChoice(app, tessel::KeptLanguageChoice(settings));
}

}  // namespace

int main(int argc, char** argv) {
    // --help and --version need no window system, nor a display; a bad command line is answered as well
    // where there is none, and otherwise that there is none.
    const QStringList arguments = Arguments(argc, argv);
    if (tessel::OnlyAsksForHelpOrVersion(arguments) || !HasWindowSystem(arguments)) {
        QCoreApplication app(argc, argv);
        UseKeptLanguage(app);
        if (const auto status = tessel::AnswerCommandLine(QCoreApplication::arguments())) return *status;
        PrintNoDisplay();
        return EXIT_NO_DISPLAY;
    }

    // Read before the platform starts, which may consume it for the window of this copy.
    const QByteArray activationToken = qgetenv("XDG_ACTIVATION_TOKEN");

    const QtMessageHandler previousHandler = qInstallMessageHandler(HoldMessage);
    QApplication app(argc, argv);  // takes Qt's own options (-platform, -style, ...) out of the arguments
    qInstallMessageHandler(previousHandler);
    PassOnHeldMessages();
    UseKeptLanguage(app);
    QApplication::setApplicationName(QString::fromLatin1(tessel::PROGRAM_NAME));
    QApplication::setDesktopFileName(QStringLiteral("org.example.tessel"));
    // Decided before looking for a running copy: a bad command line neither starts a game nor wakes one.
    if (const auto status = tessel::AnswerCommandLine(QApplication::arguments())) return *status;
    tessel::QuitOnSessionSignals(app);
    return tessel::RunGame(app, activationToken, tessel::AskedGameId(QApplication::arguments()));
}
