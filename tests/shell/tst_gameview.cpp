// The game's display: the picture at whole-number scale, taps mapped back through it, a huge window in flat
// memory, the splash, the drain of taps queued during it, and the landscape message. Run at scale factors
// 1, 1.5 and 2.
#include <QBackingStore>
#include <QtTest>

#include <memory>
#include <vector>

#include "core/platform.h"
#include "core/tap_cycle.h"
#include "shell/game_view.h"
#include "tests/shell/shell_test_support.h"

using namespace tessel;
using namespace tessel::testing;

namespace {

// A fresh game's view as a window of its own.
struct ShownView {
    std::unique_ptr<GameView> view = std::make_unique<GameView>();
    Game* game = &view->game();
};

// Shows the view at `size`; unless told not to, waits until the splash has played.
bool ShowAt(ShownView& shown, QSize size, bool waitForMenu = true) {
    shown.view->resize(size);
    shown.view->show();
    return QTest::qWaitForWindowExposed(shown.view.get()) &&
           (!waitForMenu || QTest::qWaitFor([&] { return shown.game->splashPending == 0; }));
}

std::unique_ptr<ShownView> Show(QSize size, bool waitForMenu = true) {
    auto shown = std::make_unique<ShownView>();
    return ShowAt(*shown, size, waitForMenu) ? std::move(shown) : nullptr;
}

bool ShowsBackBuffer(GameView& view) {
    const QImage picture = Picture(view);
    return picture == Expected(view.game().backBuffer, picture.size(), FittingScale(view));
}

// What the window surface holds right now: what the last repaint put on the screen, without painting anew.
QImage OnScreen(GameView& view) {
    return static_cast<const QImage*>(view.backingStore()->paintDevice())
        ->convertToFormat(QImage::Format_RGB32);
}

// The splash image shown at the splash position on the screen, or 0 when none of them is.
int SplashFrameOnScreen(GameView& view) {
    const QImage screen = OnScreen(view);
    const int k = FittingScale(view);
    for (const ImageId id : {IMG_SPLASH_1, IMG_SPLASH_2, IMG_SPLASH_3, IMG_SPLASH_4}) {
        const Image& frame = view.game().images[id];
        bool same = true;
        for (int y = 0; same && y < SPLASH_HEIGHT * k; ++y) {
            for (int x = 0; same && x < SPLASH_WIDTH * k; ++x) {
                same = screen.pixel(SPLASH_X * k + x, SPLASH_Y * k + y) ==
                       frame.pixels[(y / k) * SPLASH_WIDTH + x / k];
            }
        }
        if (same) return id;
    }
    return 0;
}

bool TitleAreaIsWhite(GameView& view) {
    const QImage screen = OnScreen(view);
    const int k = FittingScale(view);
    for (int y = TITLE_Y * k; y < (TITLE_Y + TITLE_HEIGHT) * k; ++y) {
        for (int x = TITLE_X * k; x < (TITLE_X + TITLE_WIDTH) * k; ++x) {
            if (screen.pixel(x, y) != qRgb(255, 255, 255)) return false;
        }
    }
    return true;
}

constexpr QPoint NORMAL_LABEL{100, 75};
constexpr QPoint QUIT_BUTTON{120, 242};  // below the "Lights out" label, which overlaps Quit
const QSize PORTRAIT{GameView::AREA_WIDTH, GameView::AREA_HEIGHT};

}  // namespace

class TestGameView : public QObject {
    Q_OBJECT

  private slots:
    void init() { UseRunningClock(); }
    void cleanup() { SetTickSource({}); }

    void tapsMapToGamePixelsExactly_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("gamePixel");
        QTest::addColumn<bool>("lastDevicePixel");
        QTest::addColumn<bool>("startsNormal");
        for (const QSize size : {PORTRAIT, QSize(320, 356), QSize(478, 534)}) {
            const QByteArray at = QByteArray::number(size.width()) + " wide: ";
            QTest::newRow(at + "label's top-left corner") << size << QPoint(86, 65) << false << true;
            QTest::newRow(at + "label's bottom-right corner") << size << QPoint(152, 89) << true << true;
            QTest::newRow(at + "just right of the label") << size << QPoint(153, 89) << false << false;
            QTest::newRow(at + "just left of the label") << size << QPoint(85, 70) << true << false;
            QTest::newRow(at + "gap between the labels") << size << QPoint(100, 170) << false << false;
        }
    }
    void tapsMapToGamePixelsExactly() {
        QFETCH(QSize, size);
        QFETCH(QPoint, gamePixel);
        QFETCH(bool, lastDevicePixel);
        QFETCH(bool, startsNormal);
        auto shown = Show(size);
        QVERIFY(shown);
        const QImage menu = Picture(*shown->view);
        const int k = FittingScale(*shown->view);
        const int within = lastDevicePixel ? k - 1 : 0;
        ClickDevicePixel(*shown->view, {gamePixel.x() * k + within, gamePixel.y() * k + within});
        QCOMPARE(shown->game->screen, startsNormal ? SCREEN_NORMAL : SCREEN_MENU);
        QCOMPARE(Picture(*shown->view) != menu, startsNormal);
        QVERIFY(ShowsBackBuffer(*shown->view));
    }

    void hugeWindowKeepsMemoryFlatAndPixelsExact() {
        auto shown = Show(PORTRAIT);
        QVERIFY(shown);
        GameView& view = *shown->view;
        // 8000 x 12000 device pixels at every scale factor: 33 device pixels a game pixel.
        const QSize huge = QSizeF(8000 / view.devicePixelRatio(), 12000 / view.devicePixelRatio()).toSize();
        view.resize(huge);
        QVERIFY(QTest::qWaitFor([&] { return view.size() == huge; }));
        view.repaint();  // the window's own surface grows to the new size here
        ResetPeakResident();
        const long before = MemoryKb("VmHWM:");
        for (int i = 0; i < 3; ++i) PresentNow(*shown->game);
        QVERIFY2(MemoryKb("VmHWM:") - before < 32 * 1024, "a paint took memory in proportion to the window");

        // The first and last device row of every game row, where a stretch that rounds would show.
        const QImage screen = OnScreen(view);
        const int k = FittingScale(view);
        for (int y = 0; y < SURFACE_HEIGHT * k; y += (y % k == 0 ? k - 1 : 1)) {
            for (int x = 0; x < SURFACE_WIDTH * k; ++x) {
                QVERIFY(screen.pixel(x, y) == shown->game->backBuffer.At(x / k, y / k));
            }
        }
    }

    void presentReachesScreenBeforeReturning() {
        auto shown = Show(PORTRAIT);
        QVERIFY(shown);
        QVERIFY(!TitleAreaIsWhite(*shown->view));
        ClearBackBuffer(shown->game->backBuffer);
        PresentNow(*shown->game);
        QVERIFY(TitleAreaIsWhite(*shown->view));
    }

    void splashFadesInAndOutOnScreenThenShowsMenu() {
        struct Reading {
            int frame;
            uint32_t tick;
            bool menuHidden;
        };
        std::vector<Reading> readings;
        ShownView shown;
        GameView& view = *shown.view;
        uint32_t now = 0;
        SetTickSource([&] {
            now += 50;
            if (shown.game->splashPending != 0) {
                readings.push_back({SplashFrameOnScreen(view), now, TitleAreaIsWhite(view)});
            }
            return now;
        });
        QVERIFY(ShowAt(shown, PORTRAIT));

        // Runs of the same frame, each with how long it stayed.
        std::vector<std::pair<int, uint32_t>> runs;
        for (std::size_t i = 0; i < readings.size(); ++i) {
            QVERIFY2(readings[i].menuHidden, "the menu showed during the splash");
            if (i == 0 || readings[i].frame != readings[i - 1].frame) {
                runs.push_back({readings[i].frame, 0});
            } else {
                runs.back().second += readings[i].tick - readings[i - 1].tick;
            }
        }
        const std::vector<std::pair<int, uint32_t>> expected{
            {IMG_SPLASH_4, 300}, {IMG_SPLASH_1, 300}, {IMG_SPLASH_2, 300}, {IMG_SPLASH_3, 600},
            {IMG_SPLASH_2, 300}, {IMG_SPLASH_1, 300}, {IMG_SPLASH_4, 300}};
        QCOMPARE(runs, expected);
        QVERIFY(ShowsBackBuffer(view));
        QCOMPARE(shown.game->drainTaps, uint8_t{0});
    }

    void tapsQueuedDuringSplashAreDrained_data() {
        QTest::addColumn<int>("quitTaps");
        QTest::addColumn<bool>("endDrainEarly");
        QTest::addColumn<int>("screenAfter");
        QTest::newRow("first played, next twenty dropped") << 20 << false << int(SCREEN_NORMAL);
        QTest::newRow("the twenty-second is played again") << 21 << false << int(SCREEN_MENU);
        // The record's flag is the drain: cleared, the rest is played.
        QTest::newRow("drainTaps cleared after the first") << 20 << true << int(SCREEN_MENU);
    }
    void tapsQueuedDuringSplashAreDrained() {
        QFETCH(int, quitTaps);
        QFETCH(bool, endDrainEarly);
        QFETCH(int, screenAfter);
        ShownView shown;
        GameView& view = *shown.view;
        bool queued = false;
        SetTickSource([&, now = uint32_t{0}]() mutable {
            if (!queued) {
                queued = true;
                PostPress(view, NORMAL_LABEL.x(), NORMAL_LABEL.y());
                for (int i = 0; i < quitTaps; ++i) PostPress(view, QUIT_BUTTON.x(), QUIT_BUTTON.y());
            }
            // Read by the Normal set-up of the first tap played after the splash.
            if (endDrainEarly && shown.game->splashPending == 0) shown.game->drainTaps = 0;
            return now += 1000;
        });
        QVERIFY(ShowAt(shown, PORTRAIT));
        QVERIFY(queued);
        QCOMPARE(shown.game->screen, screenAfter);
        QVERIFY(ShowsBackBuffer(view));

        // Once the queue is drained, no tap is lost.
        const QPoint first = screenAfter == SCREEN_NORMAL ? QUIT_BUTTON : NORMAL_LABEL;
        const QPoint second = screenAfter == SCREEN_NORMAL ? NORMAL_LABEL : QUIT_BUTTON;
        ClickGamePixel(view, first.x(), first.y());
        QCOMPARE(shown.game->screen, screenAfter == SCREEN_NORMAL ? SCREEN_MENU : SCREEN_NORMAL);
        ClickGamePixel(view, second.x(), second.y());
        QCOMPARE(shown.game->screen, screenAfter);
        QVERIFY(ShowsBackBuffer(view));
    }

    void landscapeShowsOnlyMessageAndIgnoresTaps() {
        auto shown = Show(PORTRAIT);
        QVERIFY(shown);
        GameView& view = *shown->view;
        view.resize(400, 300);
        QVERIFY(QTest::qWaitFor([&] { return view.size() == QSize(400, 300); }));

        const QImage message = Picture(view);
        const qreal dpr = view.devicePixelRatio();
        const auto inDevicePixels = [dpr](QRect r) {
            return QRectF(r.x() * dpr, r.y() * dpr, r.width() * dpr, r.height() * dpr).toAlignedRect();
        };
        const QRect line1 = inDevicePixels({10, 30, 270, 29});
        const QRect line2 = inDevicePixels({10, 60, 270, 30});
        int inLine1 = 0;
        int inLine2 = 0;
        for (int y = 0; y < message.height(); ++y) {
            for (int x = 0; x < message.width(); ++x) {
                if (message.pixel(x, y) == qRgb(255, 255, 255)) continue;
                QVERIFY2(line1.contains(x, y) || line2.contains(x, y), "drawn outside the message's lines");
                (line1.contains(x, y) ? inLine1 : inLine2) += qGray(message.pixel(x, y)) < 128 ? 1 : 0;
            }
        }
        QVERIFY(inLine1 > 50);
        QVERIFY(inLine2 > 50);

        ClickGamePixel(view, NORMAL_LABEL.x(), NORMAL_LABEL.y());
        QCOMPARE(shown->game->screen, SCREEN_MENU);
        QCOMPARE(Picture(view), message);

        view.resize(PORTRAIT);
        QVERIFY(QTest::qWaitFor([&] { return view.size() == PORTRAIT; }));
        QVERIFY(ShowsBackBuffer(view));
    }

    void splashWaitsForPortrait() {
        auto shown = Show({400, 300}, false);
        QVERIFY(shown);
        QTest::qWait(20);
        QCOMPARE(shown->game->splashPending, uint8_t{1});
        shown->view->resize(PORTRAIT);
        QVERIFY(QTest::qWaitFor([&] { return shown->game->splashPending == 0; }));
        QVERIFY(ShowsBackBuffer(*shown->view));
    }
};

QTEST_MAIN(TestGameView)
#include "tst_gameview.moc"
