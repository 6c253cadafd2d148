// The desktop program: its command line, one copy per user and session whatever clients and other users
// do, and the game kept between runs or moved aside.
#include <QLocalSocket>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtTest>

#include <grp.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <optional>

#include "game/game_id.h"
#include "game/history.h"
#include "game/kept_game.h"
#include "game/solve_log.h"
#include "shell/game_keeper.h"
#include "shell/game_tools.h"
#include "shell/main_window.h"
#include "shell/records_keeper.h"
#include "shell/single_instance.h"
#include "shell/tick_source.h"

using namespace tessel;

namespace {

struct Run {
    int status = -1;  // also when it crashed or ran for longer than ten seconds
    QByteArray out, err;
};

Run Tessel(const QStringList& arguments = {},
           const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(TESSEL_PROGRAM), arguments);
    if (!program.waitForFinished(10000) || program.exitStatus() != QProcess::NormalExit) return {};
    return {program.exitCode(), program.readAllStandardOutput(), program.readAllStandardError()};
}

// Connects `count` clients that then say nothing, children of `owner`; returns all of its clients.
QList<QLocalSocket*> ConnectIdle(QObject& owner, const QString& serverName, int count) {
    for (int i = 0; i < count; ++i) (new QLocalSocket(&owner))->connectToServer(serverName);
    return owner.findChildren<QLocalSocket*>();
}

constexpr uid_t NOBODY = 65534;
constexpr auto NEEDS_ROOT = "needs root, to fork a child that runs as another user (nobody)";

sockaddr_un Address(const QString& path) {
    sockaddr_un address{AF_UNIX, {}};
    qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path);
    return address;
}

// Has a child that runs as nobody bind, listen or connect a socket of ours, which is nobody's then.
bool AsNobody(const auto& call) {
    const pid_t child = fork();  // the child makes only system calls
    if (child == 0) _exit(setgroups(0, nullptr) || setgid(NOBODY) || setuid(NOBODY) || call() ? 1 : 0);
    int status = -1;
    return waitpid(child, &status, 0) == child && status == 0;
}

enum StrangerIs { ABSENT, LISTENING, BUSY };  // BUSY: its queue of connections is full

// Another user listening at `path`, who accepts nobody; when BUSY, a connection of its own fills its queue.
struct Stranger {
    Stranger(const QString& path, StrangerIs is) : address(Address(path)) {
        const auto* at = reinterpret_cast<const sockaddr*>(&address);
        const auto serve = [&] {
            return bind(server, at, sizeof address) || listen(server, is == BUSY ? 0 : 8);
        };
        listens =
            is == ABSENT || (AsNobody(serve) && (is != BUSY || ::connect(filler, at, sizeof address) == 0));
    }
    ~Stranger() { close(server), close(filler); }

    QByteArray received() {  // all that was sent to it, read now from the connections it holds
        QByteArray all;
        char buffer[256];
        for (int client = -1; (client = accept4(server, nullptr, nullptr, SOCK_NONBLOCK)) >= 0; close(client))
            for (ssize_t size = 0; (size = read(client, buffer, sizeof buffer)) > 0;)
                all.append(buffer, size);
        return all;
    }

    sockaddr_un address;
    int server = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    int filler = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    bool listens = false;
};

constexpr QPoint NORMAL_LABEL{100, 75};

// The window and its keeper, as the program starts them, with the splash run through without waiting; then
// the taps given.
struct Program {
    explicit Program(const QString& keptFile) : keeper(window, keptFile.toStdString()) {}
    bool start(std::initializer_list<QPoint> taps = {}) {
        SetTickSource([now = uint32_t{0}]() mutable { return now += 1000; });
        window.show();
        const bool shown = QTest::qWaitFor([&] { return window.game().splashPending == 0; });
        for (const QPoint at : taps) QTest::mouseClick(&window.view(), Qt::LeftButton, {}, at);
        return shown;
    }

    MainWindow window;
    GameKeeper keeper;
};

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
bool Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

mode_t Mode(const QString& path) {
    struct stat status {};
    return stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// What `run` writes to standard error.
QByteArray StandardError(const auto& run) {
    QTemporaryFile file;
    const int saved = dup(STDERR_FILENO);
    if (file.open()) dup2(file.handle(), STDERR_FILENO);
    run();
    dup2(saved, STDERR_FILENO);
    close(saved);
    return file.seek(0) ? file.readAll() : QByteArray();
}
// Whether `said` is one line that starts with `start`.
bool OneLine(const QByteArray& said, const QByteArray& start = "tessel: ") {
    return said.startsWith(start) && said.count('\n') == 1;
}

}  // namespace

class TestProgram : public QObject {
    Q_OBJECT

    QTemporaryDir runtimeDir_;  // the session's, where a running copy is found
    QTemporaryDir stateDir_;    // where the game is kept, so that no test reaches the real one
    QString folder_ = stateDir_.filePath(QStringLiteral("tessel"));
    QString kept_ = folder_ + QStringLiteral("/kept-game");

  private slots:
    void initTestCase() {
        qputenv("XDG_RUNTIME_DIR", runtimeDir_.path().toLocal8Bit());
        qputenv("XDG_STATE_HOME", stateDir_.path().toLocal8Bit());
    }

    // Closed in the middle of a game, the window leaves it kept, in a folder and a file only the player can
    // read; the next start shows the same picture, Undo on (the history kept: tests/kept_game_test.cpp). A
    // kept file the game cannot use is moved aside, under a name of its own, with one line naming both
    // places, and the menu shows; a folder that cannot be made is told once, and the game plays on.
    void keptGame() {
        QImage picture;
        {
            Program first(kept_);
            QVERIFY(first.start({NORMAL_LABEL, {107, 40}, {5, 150}}));  // column 2 up, row 3 left
            QVERIFY(Mode(folder_) == 0700 && Mode(kept_) == 0600);
            picture = first.window.view().grab().toImage();
            first.window.close();
        }
        {
            Program second(kept_);
            QVERIFY(second.start());
            QCOMPARE(second.window.view().grab().toImage(), picture);
            QVERIFY(second.window.undoAction().isEnabled());
            second.window.close();
        }
        QVERIFY(Contents(kept_).size() > int{KEPT_GAME_MIN_SIZE});  // kept still, after a start and a close

        // A file of another kind (each the game refuses: tests/kept_game_test.cpp), a pipe, a folder.
        for (const auto& [bytes, another] : {std::pair{QByteArray(100, 'x'), ""},
                                             {QByteArray("pipe"), "-2"},
                                             {QByteArray("folder"), "-3"}}) {
            QVERIFY(Write(kept_, bytes));
            if (bytes == "pipe") QVERIFY(QFile::remove(kept_) && mkfifo(qPrintable(kept_), 0600) == 0);
            if (bytes == "folder") QVERIFY(QFile::remove(kept_) && QDir().mkdir(kept_));
            const QString movedTo = kept_ + ".unreadable" + another;
            std::optional<Program> program;
            const QByteArray said = StandardError([&] { program.emplace(kept_); });
            QVERIFY2(OneLine(said) && said.contains(QFile::encodeName(kept_) + " ") &&
                         said.contains(QFile::encodeName(movedTo)),
                     said.constData());
            QVERIFY(program->start() && program->window.game().screen == SCREEN_MENU &&
                    !QFileInfo::exists(kept_));
            if (bytes.size() > 10) QCOMPARE(Contents(movedTo), bytes);
        }

        QVERIFY(QDir(folder_).removeRecursively() && QFile(folder_).open(QIODevice::WriteOnly));
        Program program(kept_);
        const QByteArray said = StandardError([&] {
            QVERIFY(program.start({NORMAL_LABEL, {107, 40}}));  // column 2 up
            program.window.close();
        });
        QVERIFY(program.window.undoAction().isEnabled());  // the move was played
        QVERIFY2(OneLine(said, "tessel: cannot keep the game in " + QFile::encodeName(kept_)),
                 said.constData());
    }

    // Without a display, or with one that refuses the connection, one line names what was looked at, status
    // 1; a bad command line needs none. With a copy running, neither --version nor a bad command line (status
    // 2; a game ID or a solve's link refused among them, each refusal in tests/game_id_test.cpp and
    // tests/solve_link_test.cpp) asks it to the front; a plain start does, and a game ID or a solve's link
    // given to a later copy reaches the running one, which comes to the front. Requests are read in the order
    // they came.
    void commandLine() {
        const QProcessEnvironment all = QProcessEnvironment::systemEnvironment();
        QProcessEnvironment noDisplay = all;
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) noDisplay.remove(name);
        QProcessEnvironment refusing = noDisplay;
        refusing.insert("DISPLAY", ":9999");  // a display number no X server listens at
        for (const auto& [env, looked] :
             {std::pair{noDisplay, "DISPLAY not set"}, {refusing, "DISPLAY=:9999"}}) {
            const Run run = Tessel({}, env);  // a crash or an abort would be status -1
            QVERIFY2(run.status == 1 && run.out.isEmpty(), run.out.constData());
            QCOMPARE(run.err, QByteArray("tessel: no display could be opened (") + looked +
                                  ", WAYLAND_DISPLAY not set)\n");
        }

        SingleInstance running(SingleInstance::SessionServerName());
        QVERIFY(running.listen());
        QStringList heard;  // what the running copy is asked, in the order it hears it
        connect(&running, &SingleInstance::activationRequested, this, [&] { heard << "front"; });
        connect(&running, &SingleInstance::gameRequested, this, [&](const QString& id) { heard << id; });
        connect(&running, &SingleInstance::watchRequested, this, [&](const QString& link) { heard << link; });
        const Run version = Tessel({"-style", "fusion", "-reverse", "--version"});  // Qt's options are Qt's
        QVERIFY(version.status == 0 && version.out == "tessel " PROJECT_VERSION "\n" &&
                version.err.isEmpty());
        for (const auto& [bad, env] : {std::pair{QStringList{"--bogus"}, all},
                                       {{"extra"}, all},
                                       {{"--bogus"}, noDisplay},
                                       {{"--game", "normal-x"}, all},
                                       {{"--watch", "normal-4297.1.AA"}, all}}) {
            const Run run = Tessel(bad, env);
            QVERIFY2(run.status == 2 && run.out.isEmpty() && OneLine(run.err), run.err.constData());
        }
        const QString link = "lights-out-2026-12-09.1.E-iAE_ShgLE_qsZGZq1LHyK9dKlChmPKmKydKmi7P";
        for (const QStringList& later :
             {QStringList{}, {"--game", "Unmovable-2-3-4297"}, {"--watch", link}}) {
            const qsizetype before = heard.size();
            QCOMPARE(Tessel(later).status, 0);
            QTRY_VERIFY(heard.size() > before);
        }
        QCOMPARE(heard, (QStringList{"front", "front", "Unmovable-2-3-4297", "front", link}));
    }

    // A game ID starts its board in place of the game in play (the board it deals: tests/game_id_test.cpp);
    // one that is no ID is refused in one line and changes nothing. The records are kept beside the game; a
    // records file the game cannot read is moved aside with one line, and the games solved since are kept.
    void gameIdsAndRecords() {
        Program program(kept_);
        QVERIFY(program.start({NORMAL_LABEL, {107, 40}}));
        const Board played = TakeBoard(program.window.game());
        const QString error = PlayGameIdText(program.window, QStringLiteral("unmovable-4297"));
        QVERIFY2(!error.isEmpty() && !error.contains('\n'), qPrintable(error));
        QVERIFY(TakeBoard(program.window.game()) == played && program.window.undoAction().isEnabled());
        // The game in play has a move: the player is asked first, and saying no keeps it.
        for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
            QString asked;
            QTimer::singleShot(0, &program.window, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    asked = box->text();
                    box->button(answer)->click();
                }
            });
            QVERIFY(PlayGameIdText(program.window, QStringLiteral(" #Normal-4321")).isEmpty());
            QCOMPARE(asked, QStringLiteral("Replace the game in play, 1 move in, with normal-4321?"));
            if (answer == QMessageBox::No) QVERIFY(TakeBoard(program.window.game()) == played);
        }
        QCOMPARE(GameIdOf(program.window.game()), std::string("normal-4321"));
        QVERIFY(!program.window.undoAction().isEnabled());

        const std::string records = RecordsKeeper::PathBeside(kept_.toStdString());
        QFile::remove(folder_);  // left a file by keptGame
        QVERIFY(QDir().mkpath(folder_));
        const QString damaged = QString::fromStdString(records);
        QVERIFY(Write(damaged, "tessel records 1\nnormal x\n"));
        Session& session = program.window.view().session();
        std::optional<RecordsKeeper> keeper;
        const QByteArray said = StandardError([&] { keeper.emplace(session, records); });
        QVERIFY2(OneLine(said, "tessel: the records ") &&
                     said.contains(QFile::encodeName(damaged) + ".unreadable"),
                 said.constData());
        session.solvesToKeep = {{"normal", 12, 34000, false}, {"lights-out", 9, 8000, true}};
        keeper->keep();
        QCOMPARE(Contents(damaged), QByteArray("tessel records 1\nlights-out 1 - -\nnormal 1 12 34000\n"));
        keeper->clear();
        QVERIFY(!QFileInfo::exists(damaged) && session.records.empty());

        // The log of solves beside them likewise, read back, and two copies' solves add up, the file read
        // again before each write (the order and merge: tests/solve_log_test.cpp).
        const std::string log = RecordsKeeper::PathBeside(kept_.toStdString(), SOLVE_LOG_KIND);
        const QString damagedLog = QString::fromStdString(log);
        QVERIFY(Write(damagedLog, "tessel solves 1\nnormal 5 - 0 0 0\n"));
        std::optional<RecordsKeeper> logKeeper;
        const QByteArray toldLog = StandardError([&] { logKeeper.emplace(session, log, SOLVE_LOG_KIND); });
        QVERIFY2(OneLine(toldLog, "tessel: the solves ") && QFileInfo::exists(damagedLog + ".unreadable"),
                 toldLog.constData());
        Session other;
        RecordsKeeper otherKeeper(other, log, SOLVE_LOG_KIND);
        session.solvesToLog = {{1000, "normal", "normal-4297", 1, 300, 0, {{107, 40, 300}}}};
        logKeeper->keep();
        other.solvesToLog = {{2000, "normal", "", 2, 900, 1, {{107, 40, 0}, {107, 40, 900}}}};
        otherKeeper.keep();
        Session third;
        RecordsKeeper logReader(third, log, SOLVE_LOG_KIND);
        QCOMPARE(third.solveLog.at("normal").size(), std::size_t{2});
        QCOMPARE(third.solveLog, other.solveLog);
        program.window.close();
    }

    // Whatever clients do, a later copy finds the first one running, and only a copy of ours is heard.
    void hostileClientsAndAFailedServer() {
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("hostile.socket"));
        SingleInstance first(name);
        QVERIFY(first.listen());
        QSignalSpy asked(&first, &SingleInstance::activationRequested);
        QObject clients;
        const auto idle = ConnectIdle(clients, name, 60);  // more than the queue holds while the copy is busy
        QVERIFY(SingleInstance(name).askRunningCopy({}));
        QTRY_COMPARE_WITH_TIMEOUT(
            std::ranges::count(idle, QLocalSocket::UnconnectedState, &QLocalSocket::state), idle.size(),
            3000);

        QLocalSocket overlong;
        overlong.connectToServer(name);
        QVERIFY(overlong.waitForConnected(1000));
        qint64 sent = 0;
        connect(&overlong, &QLocalSocket::bytesWritten, this, [&](qint64 bytes) { sent += bytes; });
        const qint64 endless = 4 << 20;  // a line far longer than a request, never ended
        overlong.write(QByteArray(endless, 'a'));
        QVERIFY(SingleInstance(name).askRunningCopy("token"));
        QTRY_COMPARE(asked.value(0).value(0).toByteArray(), QByteArray("token"));
        QTRY_VERIFY(overlong.state() == QLocalSocket::UnconnectedState);
        QVERIFY2(sent < endless, "the copy read the whole endless line");

        // With no file left for a connection, accepting it fails: the server closes and removes its socket.
        ConnectIdle(clients, name, 1);
        const int lowestFree = dup(0);
        close(lowestFree);
        rlimit saved{};
        getrlimit(RLIMIT_NOFILE, &saved);
        const rlimit none{static_cast<rlim_t>(lowestFree), saved.rlim_max};
        setrlimit(RLIMIT_NOFILE, &none);
        QTRY_VERIFY(!QFileInfo::exists(name));
        setrlimit(RLIMIT_NOFILE, &saved);
        QTRY_VERIFY_WITH_TIMEOUT(SingleInstance(name).askRunningCopy({}), 3000);

        // Another user's client is dropped unread (a reset, not an orderly close); ours still gets through.
        if (geteuid() != 0) QSKIP(NEEDS_ROOT);
        chmod(QFile::encodeName(dir.path()).constData(), 0711);  // open to the stranger
        chmod(QFile::encodeName(name).constData(), 0777);
        const int client = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        const auto closeClient = qScopeGuard([&] { close(client); });
        const sockaddr_un address = Address(name);
        QVERIFY(AsNobody(
            [&] { return ::connect(client, reinterpret_cast<const sockaddr*>(&address), sizeof address); }));
        QCOMPARE(send(client, "activate stranger\n", 18, MSG_NOSIGNAL), 18);
        char reply = 0;
        bool reset = false;  // reported once
        QTRY_VERIFY(reset || (reset = read(client, &reply, 1) < 0 && errno == ECONNRESET));
        QVERIFY(SingleInstance(name).askRunningCopy("token 2"));
        QTRY_VERIFY(asked.contains(QVariantList{QByteArray("token 2")}));
        QVERIFY(!asked.contains(QVariantList{QByteArray("stranger")}));
    }

    // The real program, twice, with a runtime folder ("run") of ours, none or an unsafe one, and maybe
    // another user listening where it might look: in the runtime folder, in a folder of theirs at the private
    // folder's name ("tessel-0" in TMPDIR) or where a link there leads, or in a private folder open to
    // others. Unless that name is taken, a second copy finds the first.
    void twoCopies() {
        const std::tuple<const char*, int, bool, StrangerIs> cases[] = {
            {"run", 0700, false, ABSENT},         {"run", 0700, false, LISTENING},
            {"run", 0700, false, BUSY},           {"run", 0750, false, LISTENING},
            {"elsewhere", 0700, true, LISTENING}, {"tessel-0", 0700, true, LISTENING},
            {"tessel-0", 0777, false, LISTENING}};
        for (const auto& [folder, mode, theirs, stranger] : cases) {
            if (stranger != ABSENT && geteuid() != 0) QSKIP(NEEDS_ROOT);
            twoCopiesIn(folder, mode, theirs, stranger);
            if (QTest::currentTestFailed())
                return qWarning("in %s, mode %o, theirs %d, stranger %d", folder, mode, theirs, stranger);
        }
    }

  private:
    void twoCopiesIn(const QString& folder, int mode, bool theirs, StrangerIs stranger) {
        QTemporaryDir scratch;
        const QDir dir(scratch.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("WAYLAND_DISPLAY");
        env.insert("DISPLAY", ":5");  // on the offscreen platform all the same
        env.insert("XDG_SESSION_ID", "7");
        const QString file = "tessel-7-_5";  // the socket's name for this session and display
        chmod(QFile::encodeName(dir.path()).constData(), 0711);  // the stranger may pass through
        env.insert("XDG_RUNTIME_DIR", folder == "run" ? dir.filePath(folder) : QString());
        env.insert("TMPDIR", dir.path());
        if (folder == "elsewhere") QVERIFY(QFile::link(dir.filePath(folder), dir.filePath("tessel-0")));

        // The stranger listens in the folder, which then gets its owner and mode.
        const QByteArray where = QFile::encodeName(dir.filePath(folder));
        QVERIFY(dir.mkdir(folder) && chmod(where.constData(), 0777) == 0);
        Stranger listener(QDir(dir.filePath(folder)).filePath(file), stranger);
        QVERIFY(listener.listens);
        if (theirs) QCOMPARE(chown(where.constData(), NOBODY, NOBODY), 0);
        QCOMPARE(chmod(where.constData(), mode), 0);

        QProcess first, second;  // the first under a 256-file limit
        static constexpr rlimit files{256, 256};
        first.setChildProcessModifier([] { setrlimit(RLIMIT_NOFILE, &files); });
        for (QProcess* copy : {&first, &second}) copy->setProcessEnvironment(env);
        first.start(TESSEL_PROGRAM);
        // Its own socket: in the runtime folder if that is private, else in the private folder.
        const QString ours = dir.filePath((folder == "run" && mode == 0700 ? "run/" : "tessel-0/") + file);
        if (folder == "run") {  // held by more idle clients than its files, the first sends the second away
            QTRY_VERIFY_WITH_TIMEOUT(SingleInstance(ours).askRunningCopy({}), 10000);
            QObject clients;
            const auto idle = ConnectIdle(clients, ours, 300);
            QTRY_COMPARE_WITH_TIMEOUT(
                std::ranges::count(idle, QLocalSocket::ConnectingState, &QLocalSocket::state), 0, 10000);
            QCOMPARE(Tessel({}, env).status, 0);
        } else {  // both play
            second.start(TESSEL_PROGRAM);
            QVERIFY(!second.waitForFinished(3000));
        }
        QVERIFY2(!first.waitForFinished(500), "the first copy ended");  // its state alone may be stale
        for (QProcess* copy : {&first, &second}) copy->kill(), copy->waitForFinished();
        QCOMPARE(listener.received(), QByteArray());
        // Killed, the first leaves its socket behind, which must not keep the next copy from starting.
        if (folder == "run") QVERIFY(QFileInfo::exists(ours) && !SingleInstance(ours).askRunningCopy({}));
    }
};

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
