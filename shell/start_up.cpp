#include "shell/start_up.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMenuBar>
#include <QSettings>
#include <QSocketNotifier>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "game/catalogue.h"
#include "game/game_id.h"
#include "game/solve_link.h"
#include "game/watch.h"
#include "shell/game_keeper.h"
#include "shell/game_tools.h"
#include "shell/how_to_play_dialog.h"
#include "shell/kept_file.h"
#include "shell/language_choice.h"
#include "shell/main_window.h"
#include "shell/records_keeper.h"
#include "shell/single_instance.h"
#include "shell/statistics_dialog.h"
#include "shell/strings.h"
#include "shell/watch_tools.h"
#include "shell/window_place.h"

namespace tessel {

namespace {

constexpr int EXIT_BAD_COMMAND_LINE = 2;

struct ParsedCommandLine {
    bool valid = false;
    QString error;
    bool help = false;
    bool version = false;
    QString gameId;
    QString watchLink;
    QString helpText;
};

ParsedCommandLine Parse(const QStringList& arguments) {
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, Words(msg::HELP_HELP));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     Words(msg::HELP_VERSION));
    QCommandLineParser parser;
    // -h and -help read as --help, as Qt reads its own -platform and -style.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(Words(msg::HELP_DESCRIPTION));
    const QCommandLineOption game(QStringLiteral("game"), Words(msg::HELP_GAME), Words(msg::HELP_GAME_VALUE));
    parser.addOption(help);
    parser.addOption(version);
    const QCommandLineOption watch(QStringLiteral("watch"), Words(msg::HELP_WATCH),
                                   Words(msg::HELP_WATCH_VALUE));
    parser.addOption(game);
    parser.addOption(watch);
    ParsedCommandLine parsed;
    parsed.valid = parser.parse(arguments);
    parsed.error = parser.errorText();
    if (parsed.valid && !parser.positionalArguments().isEmpty()) {
        parsed.valid = false;
        parsed.error =
            Words(msg::UNEXPECTED_ARGUMENT, parser.positionalArguments().constFirst().toStdString());
    }
    parsed.gameId = parser.value(game);
    if (parsed.valid && parser.isSet(game)) {
        const ReadGameId read = ParseGameId(parsed.gameId.toStdString());
        if (!read.id) parsed.valid = false, parsed.error = QString::fromStdString(read.error);
    }
    parsed.watchLink = parser.value(watch);
    if (parsed.valid && parser.isSet(watch)) {
        const std::string given = parsed.watchLink.toStdString();
        const ReadSolveLink read = ParseSolveLink(given);
        std::string error = read.solve ? CheckSolve(*read.solve) : read.error;
        if (read.solve && !error.empty()) error = Say(msg::LINK_REFUSED, Shown(given), error);
        if (!error.empty()) parsed.valid = false, parsed.error = QString::fromStdString(error);
    }
    parsed.help = parser.isSet(help);
    parsed.version = parser.isSet(version);
    parsed.helpText = parser.helpText();
    return parsed;
}

void Print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

}  // namespace

bool OnlyAsksForHelpOrVersion(const QStringList& arguments) {
    const ParsedCommandLine parsed = Parse(arguments);
    return parsed.valid && (parsed.help || parsed.version);
}

std::optional<int> AnswerCommandLine(const QStringList& arguments) {
    const ParsedCommandLine parsed = Parse(arguments);
    if (!parsed.valid) {
        Print(stderr, QStringLiteral("tessel: %1\n").arg(parsed.error));
        return EXIT_BAD_COMMAND_LINE;
    }
    if (parsed.help) {
        Print(stdout, parsed.helpText + QLatin1Char('\n') + Words(msg::HELP_QT_OPTIONS) + QLatin1Char('\n'));
        return 0;
    }
    if (parsed.version) {
        Print(stdout, QStringLiteral("tessel " TESSEL_VERSION "\n"));
        return 0;
    }
    return std::nullopt;
}

QString AskedGameId(const QStringList& arguments) {
    return Parse(arguments).gameId;
}

QString AskedWatchLink(const QStringList& arguments) {
    return Parse(arguments).watchLink;
}

void QuitOnSessionSignals(QCoreApplication& app) {
    static int ends[2] = {-1, -1};
    if (ends[0] >= 0 || pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
    // The handler only writes a byte; the event loop reads it and quits.
    struct sigaction action {};
    action.sa_handler = [](int) {
        const int saved = errno;
        const char byte = 0;
        [[maybe_unused]] const ssize_t written = write(ends[1], &byte, 1);
        errno = saved;
    };
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) sigaction(signal, &action, nullptr);
    auto* notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
}

int RunGame(QApplication& app, const QByteArray& activationToken, const QString& gameId) {
    SingleInstance instance(SingleInstance::SessionServerName());
    const QString watchLink = AskedWatchLink(app.arguments());
    if (instance.askRunningCopy(activationToken, gameId, watchLink)) return 0;
    instance.listen();

    // Creating the window prepares the images and the back buffer and draws the menu; its first paint
    // in portrait plays the splash.
    MainWindow window;
    // The game kept by the last run comes back, to be shown after the splash; this one's is kept as it ends,
    // however it ends: the window closed, Ctrl+Q, a log-out, a signal.
    const std::string keptPath = KeptFilePath(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
    GameKeeper keeper(window, keptPath);
    // A board asked for on the command line takes the kept game's place.
    if (!gameId.isEmpty()) PlayGameIdText(window, gameId);
    // A solve asked for on the command line is watched after the splash, the game in play kept beside it.
    if (!watchLink.isEmpty()) WatchLinkText(window, watchLink);
    // The records and the log of solves, beside the kept game; written as each game is solved.
    RecordsKeeper records(window.view().session(), RecordsKeeper::PathBeside(keptPath));
    RecordsKeeper solves(window.view().session(), RecordsKeeper::PathBeside(keptPath, SOLVE_LOG_KIND),
                         SOLVE_LOG_KIND);
    QObject::connect(&window.view(), &GameView::played, &records, &RecordsKeeper::keep);
    QObject::connect(&window.view(), &GameView::played, &solves, &RecordsKeeper::keep);
    QObject::connect(&window.statisticsAction(), &QAction::triggered, &window,
                     [&] { ShowStatistics(window, records, solves); });
    // A later copy started with --game: this one starts the board.
    QObject::connect(&instance, &SingleInstance::gameRequested, &window, [&](const QString& id) {
        if (const QString error = PlayGameIdText(window, id); !error.isEmpty())
            std::fprintf(stderr, "tessel: %s\n", qPrintable(error));
    });
    // A later copy started with --watch: this one watches the solve, the game in play kept beside it.
    QObject::connect(&instance, &SingleInstance::watchRequested, &window, [&](const QString& link) {
        if (const QString error = WatchLinkText(window, link); !error.isEmpty())
            std::fprintf(stderr, "tessel: %s\n", qPrintable(error));
    });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &keeper, &GameKeeper::keepNow);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &keeper, &GameKeeper::keepNow);
    QObject::connect(&instance, &SingleInstance::activationRequested, &window, &MainWindow::bringToFront);
    QObject::connect(&window, &MainWindow::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    // The window opens where the player left it, or the first time at a size to suit the screen.
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("tessel"),
                       QStringLiteral("tessel"));
    PlaceWindow(window, settings, window.chromeHeight());
    // The look chosen last time, before anything is shown; a setting that cannot be read is "As the system".
    window.chooseLook(KeptLookChoice(settings));
    QObject::connect(&window, &MainWindow::lookChosen, &window,
                     [&](LookChoice choice) { KeepLookChoice(settings, choice); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window,
                     [&] { KeepWindowPlace(window, settings); });
    AddLanguageMenu(window, settings);
    AddHowToPlay(window);
    window.show();
    app.exec();
    return 0;
}

}  // namespace tessel
