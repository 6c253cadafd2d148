// One copy per user and session: no client and no failure of the server lets a second copy start, a
// socket left behind by a killed copy does not block the next start, and copies never talk to another user.
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "shell/single_instance.h"

using namespace tessel;

namespace {

// Connects `count` clients that then say nothing, children of `owner`; returns all of its clients.
QList<QLocalSocket*> ConnectIdle(QObject& owner, const QString& serverName, int count) {
    for (int i = 0; i < count; ++i) (new QLocalSocket(&owner))->connectToServer(serverName);
    return owner.findChildren<QLocalSocket*>();
}

// Whether a copy started now would find one running.
bool CopyRuns(const QString& serverName) {
    return SingleInstance(serverName).askRunningCopy({});
}

constexpr uid_t NOBODY = 65534;
constexpr auto NEEDS_ROOT = "needs root, to fork a child that runs as another user (nobody)";

// In a child process, before it does anything else: from here on it runs as nobody.
bool BecomeNobody() {
    return setgroups(0, nullptr) == 0 && setgid(NOBODY) == 0 && setuid(NOBODY) == 0;
}

sockaddr_un Address(const QString& path) {
    sockaddr_un address{AF_UNIX, {}};
    qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path);
    return address;
}

// Another user: a child process running as nobody that listens at `path` and passes on whatever it
// receives. With `full`, it accepts nobody and its queue of connections is full.
class Stranger {
  public:
    Stranger(const QString& path, bool full) {
        const sockaddr_un address = Address(path);  // before the fork: the child makes only system calls
        int ends[2] = {-1, -1};
        if (pipe2(ends, O_CLOEXEC) != 0) return;
        pid_ = fork();
        if (pid_ == 0) Listen(address, full, ends[1]);
        close(ends[1]);
        heard_.open(ends[0], QIODevice::ReadOnly | QIODevice::Unbuffered, QFile::AutoCloseHandle);
    }
    ~Stranger() { Stop(); }

    bool listens() { return heard_.read(1) == "L"; }

    QByteArray received() {
        Stop();
        return heard_.readAll();
    }

  private:
    [[noreturn]] static void Listen(const sockaddr_un& address, bool full, int out) {
        const auto* at = reinterpret_cast<const sockaddr*>(&address);
        const int server = socket(AF_UNIX, SOCK_STREAM, 0);
        if (!BecomeNobody() || bind(server, at, sizeof address) != 0 || listen(server, 0) != 0) _exit(1);
        // A connection of its own fills a queue that holds none.
        if (full && connect(socket(AF_UNIX, SOCK_STREAM, 0), at, sizeof address) != 0) _exit(1);
        if (write(out, "L", 1) != 1) _exit(1);
        while (!full) {
            const int client = accept(server, nullptr, nullptr);
            char buffer[256];
            ssize_t size = 0;
            while ((size = read(client, buffer, sizeof buffer)) > 0) {
                if (write(out, buffer, size) != size) _exit(1);
            }
            close(client);
        }
        pause();
        _exit(0);
    }

    void Stop() {
        if (pid_ <= 0) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

    pid_t pid_ = -1;
    QFile heard_;
};

}  // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

  private slots:
    // Whatever clients do, a later copy finds the first one running.
    void hostileClientsAndAFailedServer() {
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("hostile.socket"));
        SingleInstance first(name);
        QVERIFY(first.listen());
        QSignalSpy asked(&first, &SingleInstance::activationRequested);
        QObject clients;
        const auto idle = ConnectIdle(clients, name, 60);  // more than the queue holds while the copy is busy
        QVERIFY(CopyRuns(name));
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
        QTRY_VERIFY_WITH_TIMEOUT(CopyRuns(name), 3000);
    }

    // The real program, twice: the first under a 256-file limit and held by more idle clients than that.
    void secondProgramEndsWithZeroWhileFirstRuns() {
        QTemporaryDir dir;  // of its own: the program killed at the end leaves its socket behind
        qputenv("XDG_RUNTIME_DIR", dir.path().toLocal8Bit());
        QProcess first;
        static constexpr rlimit files{256, 256};
        first.setChildProcessModifier([] { setrlimit(RLIMIT_NOFILE, &files); });
        first.start(QStringLiteral(TESSEL_PROGRAM));
        QVERIFY(first.waitForStarted());
        const QString name = SingleInstance::SessionServerName();
        QTRY_VERIFY_WITH_TIMEOUT(CopyRuns(name), 10000);
        QObject clients;
        const auto idle = ConnectIdle(clients, name, 300);
        QTRY_COMPARE_WITH_TIMEOUT(
            std::ranges::count(idle, QLocalSocket::ConnectingState, &QLocalSocket::state), 0, 10000);

        QProcess second;
        second.start(QStringLiteral(TESSEL_PROGRAM));
        QVERIFY(second.waitForFinished(5000) && second.exitStatus() == QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);

        // Killed, the first leaves its socket behind, which must not keep the next copy from starting.
        first.kill();
        first.waitForFinished();
        QVERIFY(QFileInfo::exists(name));
        QVERIFY(!CopyRuns(name));
    }

    // Another user's client is dropped unheard, and a copy of ours still gets through.
    void strangerIsNotHeard() {
        if (geteuid() != 0) QSKIP(NEEDS_ROOT);
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("open.socket"));
        SingleInstance first(name);
        QVERIFY(first.listen());
        QSignalSpy asked(&first, &SingleInstance::activationRequested);
        chmod(QFile::encodeName(dir.path()).constData(), 0711);  // open to the stranger
        chmod(QFile::encodeName(name).constData(), 0777);

        const sockaddr_un address = Address(name);
        const pid_t stranger = fork();
        if (stranger == 0) {
            // Asks, then waits: exits with 0 when the copy drops the connection with the request unread
            // (a reset, where a read request would end in an orderly close).
            const int client = socket(AF_UNIX, SOCK_STREAM, 0);
            const timeval wait{5, 0};
            char reply = 0;
            if (!BecomeNobody() || setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait) != 0 ||
                ::connect(client, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
                _exit(2);
            }
            const bool failed =
                send(client, "activate stranger\n", 18, MSG_NOSIGNAL) < 0 || read(client, &reply, 1) < 0;
            _exit(failed && (errno == ECONNRESET || errno == EPIPE) ? 0 : 1);
        }
        int status = 0;
        QTRY_VERIFY_WITH_TIMEOUT(waitpid(stranger, &status, WNOHANG) != 0, 10000);  // then -1: reaped
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);

        QVERIFY(SingleInstance(name).askRunningCopy("token"));
        QTRY_COMPARE(asked.size(), 1);
        QCOMPARE(asked.value(0).value(0).toByteArray(), QByteArray("token"));
    }

    // The real program, with no runtime folder or an unsafe one, and another user listening where it
    // might look: at the socket's name in a runtime folder, in a folder of theirs that a link or the
    // private folder's name leads to, or in a private folder open to others.
    void strangersFolders_data() {
        QTest::addColumn<QString>("folder");  // where the stranger listens: "run" is XDG_RUNTIME_DIR,
                                              // "tessel-0" the private folder, "elsewhere" the link's goal
        QTest::addColumn<bool>("theirs");     // the folder belongs to the stranger
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("full");     // the stranger's queue is full
        QTest::addColumn<bool>("oneCopy");  // a second copy finds the first
        QTest::newRow("listener in our runtime folder") << "run" << false << 0700 << false << true;
        QTest::newRow("busy listener in our runtime folder") << "run" << false << 0700 << true << true;
        QTest::newRow("runtime folder open to the group") << "run" << false << 0750 << false << true;
        QTest::newRow("link at the private folder's name") << "elsewhere" << true << 0700 << false << false;
        QTest::newRow("their folder at its name") << "tessel-0" << true << 0700 << false << false;
        QTest::newRow("private folder open to others") << "tessel-0" << false << 0777 << false << false;
    }

    void strangersFolders() {
        QFETCH(QString, folder);
        QFETCH(bool, theirs);
        QFETCH(int, mode);
        QFETCH(bool, full);
        QFETCH(bool, oneCopy);
        if (geteuid() != 0) QSKIP(NEEDS_ROOT);
        QTemporaryDir scratch;
        const QDir dir(scratch.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
        const QString file = QFileInfo(SingleInstance::SessionServerName(env)).fileName();
        chmod(QFile::encodeName(dir.path()).constData(), 0711);  // the stranger may pass through
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        env.insert(QStringLiteral("TMPDIR"), dir.path());
        if (folder == "run") env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(folder));
        if (folder == "elsewhere") QVERIFY(QFile::link(dir.filePath(folder), dir.filePath("tessel-0")));

        // The stranger listens in the folder, which then gets its owner and mode.
        const QByteArray where = QFile::encodeName(dir.filePath(folder));
        QVERIFY(dir.mkdir(folder) && chmod(where.constData(), 0777) == 0);
        Stranger stranger(QDir(dir.filePath(folder)).filePath(file), full);
        QVERIFY(stranger.listens());
        if (theirs) QCOMPARE(chown(where.constData(), NOBODY, NOBODY), 0);
        QCOMPARE(chmod(where.constData(), mode), 0);

        QProcess first;
        QProcess second;
        first.setProcessEnvironment(env);
        second.setProcessEnvironment(env);
        first.start(QStringLiteral(TESSEL_PROGRAM));
        QVERIFY(first.waitForStarted());
        const QString ours = SingleInstance::SessionServerName(env);
        if (oneCopy) QTRY_VERIFY_WITH_TIMEOUT(CopyRuns(ours), 10000);
        // With one copy, the second finds the first and ends with 0; without, both play.
        second.start(QStringLiteral(TESSEL_PROGRAM));
        if (oneCopy) {
            QVERIFY(second.waitForFinished(10000));
            QCOMPARE(second.exitCode(), 0);
        } else {
            QVERIFY(!second.waitForFinished(3000));
        }
        QVERIFY2(!first.waitForFinished(500), "the first copy ended");  // its state alone may be stale
        first.kill();
        second.kill();
        first.waitForFinished();
        second.waitForFinished();
        QCOMPARE(stranger.received(), QByteArray());
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
