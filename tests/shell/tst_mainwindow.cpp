// The program around the game: About from Ctrl+A and the bar, a second start, a long game, Ctrl+Q.
#include <QDialogButtonBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <random>

#include "shell/about_dialog.h"
#include "shell/main_window.h"
#include "shell/start_up.h"
#include "tests/shell/shell_test_support.h"

using namespace tessel;
using namespace tessel::testing;

namespace {

bool ActivePastSplash(MainWindow& window) {
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window) &&
           QTest::qWaitFor([&] { return window.game().splashPending == 0; });
}

// Opens the About dialog both ways; OK closes it over the game as it was.
void AboutFromKeysAndMenuBar(MainWindow& window) {
    QAction* about = window.menuBar().actions().value(0)->menu()->actions().value(0);  // "Tools" > "About"
    for (const bool fromKeys : {true, false}) {
        bool closedByOk = false;
        QTimer::singleShot(0, &window, [&] {
            auto* dialog = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            QTest::mouseClick(dialog->buttons().button(QDialogButtonBox::Ok), Qt::LeftButton);
            closedByOk = !dialog->isVisible();
            if (!closedByOk) dialog->reject();
        });
        fromKeys ? QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier) : about->trigger();
        QVERIFY(closedByOk);
        QVERIFY(ShowsBackBuffer(window.view()));
    }
}

// Mostly on "Normal", turned to landscape and back in the middle of play. A tap posted before each one
// waits in the queue while that tap's move frames show, as one made meanwhile would.
void LongGameKeepsMemoryFlat(MainWindow& window) {
    const QSize portrait = window.size();
    std::minstd_rand random(8);
    long warmedUp = 0;
    for (int i = 0; i < 160; ++i) {
        if (i % 40 == 20) window.resize(400, 300);
        if (i % 40 == 25) window.resize(portrait);
        PostTap(window.view(), QPoint(random() % 250, random() % 280));
        Tap(window.view(), i % 5 == 0 ? QPoint(100, 75) : QPoint(random() % 250, random() % 280));
        QCoreApplication::processEvents();
        if (i == 40) warmedUp = MemoryKb("VmRSS:");
    }
    QVERIFY(MemoryKb("VmRSS:") - warmedUp < 8 * 1024);
    QVERIFY(ShowsBackBuffer(window.view()));
}

// From the menu to Ctrl+Q: About both ways, a second start, a long game.
void PlayToCtrlQ(MainWindow& window) {
    QVERIFY(ActivePastSplash(window));
    AboutFromKeysAndMenuBar(window);
    window.showMinimized();  // a second start ends with 0 and brings it forward
    QCOMPARE(RunGame(*qApp, "token-7"), 0);
    QVERIFY(QTest::qWaitFor([&] { return !window.isMinimized() && window.isVisible(); }));
    QCOMPARE(qgetenv("XDG_ACTIVATION_TOKEN"), QByteArray("token-7"));
    LongGameKeepsMemoryFlat(window);
    QVERIFY(ActivePastSplash(window));
    QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
    QVERIFY2(!window.isVisible(), "Ctrl+Q did not close the window");
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

  private slots:
    void init() { UseRunningClock(); }
    void cleanup() { SetTickSource({}); }

    void wholeRunEndsWithCtrlQ() {
        QTemporaryDir runtimeDir;  // for the game's socket
        qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
        QTimer giveUp;  // ends the run should the game not end itself, instead of hanging
        connect(&giveUp, &QTimer::timeout, qApp, &QCoreApplication::quit);
        giveUp.start(60000);
        QTimer::singleShot(0, this, [&] {
            MainWindow* window = nullptr;
            QVERIFY(QTest::qWaitFor([&] {
                return (window = qobject_cast<MainWindow*>(QApplication::activeWindow())) != nullptr;
            }));
            PlayToCtrlQ(*window);
            window->close();  // ends the run at once should a step above have failed
        });
        QCOMPARE(RunGame(*qApp, {}), 0);
        QVERIFY2(giveUp.isActive(), "the game did not end");
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
