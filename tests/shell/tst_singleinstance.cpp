// One copy per user and session: no client and no failure of the server lets a second copy start, and a
// socket left behind by a killed copy does not block the next start.
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "shell/single_instance.h"

using namespace tessel;

namespace {

std::vector<std::unique_ptr<QLocalSocket>> Connect(const QString& serverName, int count) {
    std::vector<std::unique_ptr<QLocalSocket>> clients(static_cast<std::size_t>(count));
    for (auto& client : clients) {
        client = std::make_unique<QLocalSocket>();
        client->connectToServer(serverName);
    }
    return clients;
}

bool NoneIn(const std::vector<std::unique_ptr<QLocalSocket>>& clients, QLocalSocket::LocalSocketState state) {
    return std::none_of(clients.begin(), clients.end(), [&](const auto& c) { return c->state() == state; });
}

// Whether a copy started now would find one running.
bool CopyRuns(const QString& serverName) {
    return SingleInstance(serverName).askRunningCopy({});
}

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
        const auto idle = Connect(name, 60);  // more than the queue holds while the copy is busy
        QVERIFY(CopyRuns(name));
        QTRY_VERIFY_WITH_TIMEOUT(
            NoneIn(idle, QLocalSocket::ConnectedState) && NoneIn(idle, QLocalSocket::ConnectingState), 3000);

        QLocalSocket overlong;
        overlong.connectToServer(name);
        QVERIFY(overlong.waitForConnected(1000));
        qint64 sent = 0;
        connect(&overlong, &QLocalSocket::bytesWritten, this, [&](qint64 bytes) { sent += bytes; });
        const qint64 endless = 4 << 20;  // a line far longer than a request, never ended
        overlong.write(QByteArray(endless, 'a'));
        QVERIFY(SingleInstance(name).askRunningCopy("token"));
        QVERIFY(asked.wait());
        QCOMPARE(asked.last().first().toByteArray(), QByteArray("token"));
        QTRY_VERIFY(overlong.state() == QLocalSocket::UnconnectedState);
        QVERIFY2(sent < endless, "the copy read the whole endless line");

        // With no file left for a connection, accepting it fails: the server closes and removes its socket.
        const auto late = Connect(name, 1);
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
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
        env.insert(QStringLiteral("XDG_ACTIVATION_TOKEN"), QStringLiteral("token-9"));
        QProcess first;
        first.setProcessEnvironment(env);
        first.setChildProcessModifier([] {
            const rlimit files{256, 256};
            setrlimit(RLIMIT_NOFILE, &files);
        });
        first.start(QStringLiteral(TESSEL_PROGRAM));
        const QString name = SingleInstance::SessionServerName(env);
        QTRY_VERIFY_WITH_TIMEOUT(CopyRuns(name), 10000);
        const auto idle = Connect(name, 300);
        QTRY_VERIFY_WITH_TIMEOUT(NoneIn(idle, QLocalSocket::ConnectingState), 10000);

        QProcess second;
        second.setProcessEnvironment(env);
        second.start(QStringLiteral(TESSEL_PROGRAM));
        QVERIFY(second.waitForFinished(5000));
        QVERIFY(second.exitStatus() == QProcess::NormalExit && second.exitCode() == 0);
        QCOMPARE(first.state(), QProcess::Running);

        // Killed, the first leaves its socket behind, which must not keep the next copy from starting.
        first.kill();
        first.waitForFinished();
        QVERIFY(QFileInfo::exists(name));
        QVERIFY(!CopyRuns(name));
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
