// The program from start to end: Ctrl+Q ends it with 0, and a second start ends at once with 0 after
// asking the running copy to come forward.
#include <QTemporaryDir>
#include <QtTest>

#include "shell/main_window.h"
#include "shell/single_instance.h"
#include "shell/start_up.h"
#include "tests/shell/shell_test_support.h"

using namespace tessel;
using namespace tessel::testing;

class TestStartUp : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        // Each test's sockets live in a runtime folder of its own.
        QVERIFY(runtimeDir_.isValid());
        qputenv("XDG_RUNTIME_DIR", runtimeDir_.path().toLocal8Bit());
        UseRunningClock();
    }
    void cleanup() { SetTickSource({}); }

    void ctrlQEndsGameWithStatusZero() {
        bool pressed = false;
        bool ignored = false;
        int pollsSincePress = 0;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* window = qobject_cast<MainWindow*>(widget);
                if (window == nullptr || !window->isVisible() || window->game().splashPending != 0) continue;
                if (pressed) {
                    // Still open long after Ctrl+Q: close it so that the test fails instead of hanging.
                    if (++pollsSincePress > 200) ignored = window->close();
                    continue;
                }
                window->activateWindow();
                if (!QTest::qWaitForWindowActive(window)) continue;
                pressed = true;
                QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
            }
        });
        poll.start(10);
        QCOMPARE(RunGame(*qApp, {}), 0);
        QVERIFY(pressed);
        QVERIFY2(!ignored, "Ctrl+Q did not close the window");
    }

    void secondStartEndsAtOnceAndBringsFirstForward() {
        MainWindow first;
        first.showMinimized();
        QVERIFY(QTest::qWaitFor([&] { return first.isMinimized(); }));
        SingleInstance running(SingleInstance::SessionServerName());
        QVERIFY(running.listen());
        connect(&running, &SingleInstance::activationRequested, &first, &MainWindow::bringToFront);
        QSignalSpy asked(&running, &SingleInstance::activationRequested);

        QCOMPARE(RunGame(*qApp, "token-7"), 0);

        QVERIFY(asked.wait());
        QCOMPARE(asked.first().first().toByteArray(), QByteArray("token-7"));
        QVERIFY(QTest::qWaitFor([&] { return !first.isMinimized() && first.isVisible(); }));
        QCOMPARE(qgetenv("XDG_ACTIVATION_TOKEN"), QByteArray("token-7"));
    }

  private:
    QTemporaryDir runtimeDir_;
};

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
