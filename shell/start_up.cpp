#include "shell/start_up.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

#include "shell/main_window.h"
#include "shell/single_instance.h"

namespace tessel {

namespace {

constexpr int EXIT_BAD_COMMAND_LINE = 2;

struct ParsedCommandLine {
    bool valid = false;
    QString error;
    bool help = false;
    bool version = false;
    QString helpText;
};

ParsedCommandLine Parse(const QStringList& arguments) {
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    QCommandLineParser parser;
    // -h and -help read as --help, as Qt reads its own -platform and -style.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Six puzzles of tiles and lights, played with the mouse. One copy runs at a time: "
                       "starting another brings the running one to the front."));
    parser.addOption(help);
    parser.addOption(version);
    ParsedCommandLine parsed;
    parsed.valid = parser.parse(arguments);
    parsed.error = parser.errorText();
    if (parsed.valid && !parser.positionalArguments().isEmpty()) {
        parsed.valid = false;
        parsed.error =
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().constFirst());
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
        Print(stdout,
              parsed.helpText + QStringLiteral("\nQt's own options are accepted too, such as -platform NAME, "
                                               "-style NAME and -reverse; see tessel(6).\n"));
        return 0;
    }
    if (parsed.version) {
        Print(stdout, QStringLiteral("tessel " TESSEL_VERSION "\n"));
        return 0;
    }
    return std::nullopt;
}

int RunGame(QApplication& app, const QByteArray& activationToken) {
    SingleInstance instance(SingleInstance::SessionServerName());
    if (instance.askRunningCopy(activationToken)) return 0;
    instance.listen();

    // Creating the window prepares the images and the back buffer and draws the menu; its first paint
    // in portrait plays the splash.
    MainWindow window;
    QObject::connect(&instance, &SingleInstance::activationRequested, &window, &MainWindow::bringToFront);
    QObject::connect(&window, &MainWindow::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    window.show();
    app.exec();
    return 0;
}

}  // namespace tessel
