// One copy per user and session: a later copy reaches the first and passes its activation token, a socket
// left behind by a crashed copy does not block the next start, and the real program ends with 0 when
// another copy runs.
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <memory>

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

    void nothingAnswersWhenNoCopyRuns() {
        SingleInstance alone(dir_->filePath(QStringLiteral("none.socket")));
        QVERIFY(!alone.askRunningCopy("token"));
    }

    void staleSocketDoesNotBlockStart() {
        const QString name = dir_->filePath(QStringLiteral("stale.socket"));
        QVERIFY(CreateStaleSocket(name));
        SingleInstance next(name);
        QVERIFY(!next.askRunningCopy({}));
        QVERIFY(next.listen());
        QVERIFY(SingleInstance(name).askRunningCopy({}));
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

    // The real program, twice.
    void secondProgramEndsWithZeroWhileFirstRuns() {
        const QProcessEnvironment env = ProgramEnvironment();
        QProcess first;
        first.setProcessEnvironment(env);
        first.start(QStringLiteral(TESSEL_PROGRAM));
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(Answers(SingleInstance::SessionServerName(env)), 10000);

        QProcess second;
        QProcessEnvironment secondEnv = env;
        secondEnv.insert(QStringLiteral("XDG_ACTIVATION_TOKEN"), QStringLiteral("token-9"));
        second.setProcessEnvironment(secondEnv);
        second.start(QStringLiteral(TESSEL_PROGRAM));
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);

        first.kill();
        first.waitForFinished();
    }

    void programStartsOverStaleSocket() {
        const QProcessEnvironment env = ProgramEnvironment();
        const QString name = SingleInstance::SessionServerName(env);
        QVERIFY(CreateStaleSocket(name));
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(TESSEL_PROGRAM));
        QVERIFY(program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(Answers(name), 10000);
        QCOMPARE(program.state(), QProcess::Running);
        program.kill();
        program.waitForFinished();
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
