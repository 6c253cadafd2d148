// The window: the game area above the menu bar, the About dialog from the menu and from Ctrl+A, and a
// long game of taps and turns of the window, ended with Ctrl+Q.
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include <random>

#include "shell/about_dialog.h"
#include "shell/main_window.h"
#include "tests/shell/shell_test_support.h"

using namespace tessel;
using namespace tessel::testing;

namespace {

bool ShowPastSplash(MainWindow& window) {
    window.show();
    return QTest::qWaitForWindowExposed(&window) &&
           QTest::qWaitFor([&] { return window.game().splashPending == 0; });
}

QImage GameAreaOf(MainWindow& window) {
    return Picture(window).copy(window.view().geometry());
}

// Posts a tap somewhere on the game at every third paint: taps that arrive while a move's frame shows.
class TapsDuringFrames : public QObject {
  public:
    explicit TapsDuringFrames(GameView& view) : view_(view) { view.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && ++paints % 3 == 0)
            PostPress(view_, random_() % 250, random_() % 280);
        return false;
    }
    int paints = 0;

  private:
    GameView& view_;
    std::minstd_rand random_{3};
};

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

  private slots:
    void init() { UseRunningClock(); }
    void cleanup() { SetTickSource({}); }

    void startsWithGameAreaAboveMenuBar() {
        MainWindow window;
        QVERIFY(ShowPastSplash(window));
        QCOMPARE(window.view().geometry(), QRect(0, 0, GameView::AREA_WIDTH, GameView::AREA_HEIGHT));
        QCOMPARE(window.menuBar().geometry(), QRect(0, GameView::AREA_HEIGHT, GameView::AREA_WIDTH,
                                                    window.height() - GameView::AREA_HEIGHT));
        QVERIFY(!window.windowIcon().isNull());

        // The back buffer 1:1 at the top-left corner, one white column and row beside it.
        QCOMPARE(GameAreaOf(window), Expected(window.game().backBuffer, window.view().size(), 1));

        const QList<QAction*> buttons = window.menuBar().actions();
        QCOMPARE(buttons.size(), 1);
        QCOMPARE(buttons[0]->text(), QStringLiteral("Tools"));
        QCOMPARE(buttons[0]->menu()->actions(), QList<QAction*>{&window.aboutAction()});
    }

    void aboutCoversWindowAndOkClosesIt_data() {
        QTest::addColumn<bool>("fromKeyboard");
        QTest::newRow("Ctrl+A") << true;
        QTest::newRow("Tools > About") << false;
    }
    void aboutCoversWindowAndOkClosesIt() {
        QFETCH(bool, fromKeyboard);
        MainWindow window;
        QVERIFY(ShowPastSplash(window));
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const QImage before = GameAreaOf(window);

        QString caption;
        QRect geometry;
        QStringList texts;
        bool okClicked = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            caption = dialog->windowTitle();
            geometry = dialog->geometry();
            for (const QLabel* label : dialog->findChildren<QLabel*>()) texts << label->text();
            QTest::mouseClick(dialog->buttons().button(QDialogButtonBox::Ok), Qt::LeftButton);
            okClicked = true;
        });
        if (fromKeyboard) {
            QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);
        } else {
            window.menuBar().actions()[0]->menu()->actions()[0]->trigger();
        }

        QVERIFY(okClicked);
        QCOMPARE(caption, QStringLiteral("About Tessel"));
        QCOMPARE(geometry, window.geometry());
        QVERIFY(texts.contains(QStringLiteral("Tessel Version 1.0")));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(GameAreaOf(window), before);
    }

    // Nothing breaks and memory stays flat; the picture is the back buffer at the end.
    void longGameWithTurnsKeepsMemoryFlatAndCtrlQCloses() {
        MainWindow window;
        QVERIFY(ShowPastSplash(window));
        const QSize portrait = window.size();
        TapsDuringFrames tapsDuringFrames(window.view());
        std::minstd_rand random(8);
        long warmedUp = 0;
        for (int i = 0; i < 160; ++i) {
            if (i % 40 == 20) window.resize(400, 300);
            if (i % 40 == 25) window.resize(portrait);
            // The "Normal" label every fifth tap, so that most taps play on the board.
            const bool label = i % 5 == 0;
            ClickGamePixel(window.view(), label ? 100 : random() % 250, label ? 75 : random() % 280);
            QCoreApplication::processEvents();
            if (i == 40) warmedUp = MemoryKb("VmRSS:");
        }
        QVERIFY(MemoryKb("VmRSS:") - warmedUp < 8 * 1024);
        QVERIFY(tapsDuringFrames.paints > 250);
        QCOMPARE(GameAreaOf(window), Expected(window.game().backBuffer, window.view().size(), 1));

        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy closed(&window, &MainWindow::closed);
        QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(closed.count(), 1);
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
