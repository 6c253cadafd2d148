// The window: the game area above the menu bar, taps reaching the game, the About dialog from the menu
// and from Ctrl+A, and Ctrl+Q.
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

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

    void tapOnNormalLabelStartsPuzzle() {
        MainWindow window;
        QVERIFY(ShowPastSplash(window));
        const QImage menu = GameAreaOf(window);
        QTest::mouseClick(&window.view(), Qt::LeftButton, {}, QPoint(100, 75));
        QCOMPARE(window.game().screen, SCREEN_NORMAL);
        const QImage board = GameAreaOf(window);
        QVERIFY(board != menu);
        QCOMPARE(board, Expected(window.game().backBuffer, window.view().size(), 1));
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

    void ctrlQClosesWindow() {
        MainWindow window;
        QVERIFY(ShowPastSplash(window));
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
