// One copy per user and session: a later copy reaches the first and passes its activation token, a socket
// left behind by a crashed copy does not block the next start, hostile clients cannot hold the first copy
// or take its socket away, and the real program ends with 0 when another copy runs.
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "shell/single_instance.h"

using namespace tessel;

namespace {

// What a copy that crashed leaves behind: a socket file that nobody listens on.
bool CreateStaleSocket(const QString& path) {
    const QByteArray file = path.toLocal8Bit();
    sockaddr_un address{};
    if (file.size() >= static_cast<qsizetype>(sizeof address.sun_path)) return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, file.constData(), static_cast<std::size_t>(file.size()));
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = fd >= 0 && bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0) close(fd);
    return bound && QFileInfo::exists(path);
}

bool Answers(const QString& serverName) {
    QLocalSocket socket;
    socket.connectToServer(serverName);
    return socket.waitForConnected(200);
}

std::vector<std::unique_ptr<QLocalSocket>> Connect(const QString& serverName, int count) {
    std::vector<std::unique_ptr<QLocalSocket>> clients(static_cast<std::size_t>(count));
    for (auto& client : clients) {
        client = std::make_unique<QLocalSocket>();
        client->connectToServer(serverName);
    }
    return clients;
}

}  // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        // A fresh folder for every test: a program killed at the end of one leaves its socket behind.
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void laterCopyAsksFirstForward_data() {
        QTest::addColumn<QByteArray>("token");
        QTest::newRow("with a Wayland activation token") << QByteArray("xdg-token-42");
        QTest::newRow("without a token") << QByteArray();
    }
    void laterCopyAsksFirstForward() {
        QFETCH(QByteArray, token);
        const QString name = dir_->filePath(QStringLiteral("ask.socket"));
        SingleInstance first(name);
        QVERIFY(first.listen());
        QSignalSpy asked(&first, &SingleInstance::activationRequested);

        SingleInstance later(name);
        QVERIFY(later.askRunningCopy(token));
        QVERIFY(asked.wait());
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.first().first().toByteArray(), token);
    }

    // Nothing there, or a socket left by a copy that crashed: no copy runs, and the next one starts over it.
    // A copy whose queue of connections is full runs all the same.
    void askRunningCopyTellsWhetherACopyRuns() {
        const QString name = dir_->filePath(QStringLiteral("copy.socket"));
        QVERIFY(!SingleInstance(name).askRunningCopy("token"));
        QVERIFY(CreateStaleSocket(name));
        SingleInstance first(name);
        QVERIFY(!first.askRunningCopy({}));
        QVERIFY(first.listen());
        QVERIFY(SingleInstance(name).askRunningCopy({}));
        const auto waiting = Connect(name, 60);  // more than the queue holds while the copy is busy
        QVERIFY(SingleInstance(name).askRunningCopy({}));
    }

    void idleOverlongAndSurplusClientsAreDropped() {
        const QString name = dir_->filePath(QStringLiteral("hostile.socket"));
        SingleInstance first(name);
        QVERIFY(first.listen());
        QSignalSpy asked(&first, &SingleInstance::activationRequested);
        const auto clients = Connect(name, 40);
        clients.front()->write(QByteArray(1 << 20, 'a'));  // a line far longer than a request, never ended

        QVERIFY(SingleInstance(name).askRunningCopy("token"));
        QVERIFY(asked.wait());
        QCOMPARE(asked.first().first().toByteArray(), QByteArray("token"));
        QTRY_VERIFY_WITH_TIMEOUT(
            std::all_of(clients.begin(), clients.end(),
                        [](const auto& c) { return c->state() == QLocalSocket::UnconnectedState; }),
            3000);
    }

    void serverListensAgainAfterFailing() {
        const QString name = dir_->filePath(QStringLiteral("again.socket"));
        SingleInstance first(name);
        QVERIFY(first.listen());
        QLocalSocket client;
        client.connectToServer(name);
        QVERIFY(client.waitForConnected(1000));
        // With no file left for the connection, accepting it fails: the server closes and removes its socket.
        const int lowestFree = open("/dev/null", O_RDONLY);
        close(lowestFree);
        rlimit saved{};
        getrlimit(RLIMIT_NOFILE, &saved);
        const rlimit none{static_cast<rlim_t>(lowestFree), saved.rlim_max};
        setrlimit(RLIMIT_NOFILE, &none);
        QTRY_VERIFY(!QFileInfo::exists(name));
        setrlimit(RLIMIT_NOFILE, &saved);
        QTRY_VERIFY_WITH_TIMEOUT(Answers(name), 3000);
    }

    void nameKeepsUsersSessionsAndDisplaysApart() {
        QProcessEnvironment env;
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir_->path());
        env.insert(QStringLiteral("XDG_SESSION_ID"), QStringLiteral("3"));
        env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":0"));
        const QString onDisplay0 = SingleInstance::SessionServerName(env);
        QVERIFY(onDisplay0.startsWith(dir_->path() + '/'));

        env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":1"));
        QVERIFY(SingleInstance::SessionServerName(env) != onDisplay0);
        env.insert(QStringLiteral("XDG_SESSION_ID"), QStringLiteral("4"));
        QVERIFY(SingleInstance::SessionServerName(env) != onDisplay0);
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        QVERIFY(SingleInstance::SessionServerName(env).endsWith('-' + QString::number(getuid())));
    }

    // The real program, twice: the first under a 256-file limit and held by more idle clients than that.
    void secondProgramEndsWithZeroWhileFirstRuns() {
        const QProcessEnvironment env = ProgramEnvironment();
        QProcess first;
        first.setProcessEnvironment(env);
        first.setChildProcessModifier([] {
            const rlimit files{256, 256};
            setrlimit(RLIMIT_NOFILE, &files);
        });
        first.start(QStringLiteral(TESSEL_PROGRAM));
        QVERIFY(first.waitForStarted());
        const QString name = SingleInstance::SessionServerName(env);
        QTRY_VERIFY_WITH_TIMEOUT(Answers(name), 10000);
        const auto idle = Connect(name, 300);
        QTRY_VERIFY_WITH_TIMEOUT(
            std::none_of(idle.begin(), idle.end(),
                         [](const auto& c) { return c->state() == QLocalSocket::ConnectingState; }),
            10000);

        QProcess second;
        QProcessEnvironment secondEnv = env;
        secondEnv.insert(QStringLiteral("XDG_ACTIVATION_TOKEN"), QStringLiteral("token-9"));
        second.setProcessEnvironment(secondEnv);
        second.start(QStringLiteral(TESSEL_PROGRAM));
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);
        QVERIFY(Answers(name));

        first.kill();
        first.waitForFinished();
    }

  private:
    QProcessEnvironment ProgramEnvironment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir_->path());
        env.remove(QStringLiteral("XDG_ACTIVATION_TOKEN"));
        return env;
    }

    std::unique_ptr<QTemporaryDir> dir_;
};

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
