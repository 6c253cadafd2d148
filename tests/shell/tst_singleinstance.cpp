// One copy per user and session: no client and no failure of the server lets a second copy start, and a
// socket left behind by a killed copy does not block the next start.
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>
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
};

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
