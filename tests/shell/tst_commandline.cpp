// The program's command line: answers on the right stream with the right status, and a bad command line
// reaches no running copy.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "shell/single_instance.h"

using namespace tessel;

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Run Tessel(const QStringList& arguments,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TESSEL_PROGRAM), arguments);
    if (!program.waitForFinished(10000) || program.exitStatus() != QProcess::NormalExit) return {};
    return {program.exitCode(), program.readAllStandardOutput(), program.readAllStandardError()};
}

}  // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

    QTemporaryDir runtimeDir_;  // the session's, where a running copy is found

  private slots:
    void initTestCase() { qputenv("XDG_RUNTIME_DIR", runtimeDir_.path().toLocal8Bit()); }

    void answers() {
        const Run help = Tessel({QStringLiteral("--help")});
        QCOMPARE(help.status, 0);
        QVERIFY(help.out.startsWith("Usage: ") && help.out.contains("--version"));
        QCOMPARE(help.err, QByteArray());

        // Qt's own options are Qt's, not unknown ones.
        const Run version = Tessel({QStringLiteral("-style"), QStringLiteral("fusion"),
                                    QStringLiteral("-reverse"), QStringLiteral("--version")});
        QCOMPARE(version.status, 0);
        QCOMPARE(version.out, QByteArray("tessel " PROJECT_VERSION "\n"));
        QCOMPARE(version.err, QByteArray());

        for (const QString& bad :
             {QStringLiteral("--bogus"), QStringLiteral("-x"), QStringLiteral("extra")}) {
            const Run run = Tessel({bad});
            QCOMPARE(run.status, 2);
            QCOMPARE(run.out, QByteArray());
            QVERIFY2(run.err.startsWith("tessel: ") && run.err.count('\n') == 1, run.err.constData());
        }

        // Nor does a bad command line need a display to be answered.
        QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) noDisplay.remove(name);
        const Run bogus = Tessel({QStringLiteral("--bogus")}, noDisplay);
        QCOMPARE(bogus.status, 2);
        QCOMPARE(bogus.err.count('\n'), 1);
    }

    // With a copy running, a bad command line ends with status 2 and never asks it to come to the front;
    // a plain start does, which shows that the copy is found.
    void badCommandLineLeavesRunningCopyAlone() {
        SingleInstance running(SingleInstance::SessionServerName());
        QVERIFY(running.listen());
        QSignalSpy asked(&running, &SingleInstance::activationRequested);

        QProcess bad;
        bad.start(QStringLiteral(TESSEL_PROGRAM), {QStringLiteral("--bogus")});
        QTRY_COMPARE(bad.state(), QProcess::NotRunning);
        QCOMPARE(bad.exitCode(), 2);

        QProcess plain;
        plain.start(QStringLiteral(TESSEL_PROGRAM));
        QTRY_COMPARE(plain.state(), QProcess::NotRunning);
        QCOMPARE(plain.exitCode(), 0);
        // Requests are read in the order they came: the bad one's, had it sent one, is in before this.
        QTRY_VERIFY(!asked.isEmpty());
        QCOMPARE(asked.count(), 1);
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
