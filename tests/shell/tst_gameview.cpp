// The game's display at scale factors 1, 1.5 and 2: exact pixels and taps, presents, a huge window, the
// splash and the drain of taps queued during it, the landscape message.
#include <QBackingStore>
#include <QtTest>

#include <fstream>
#include <tuple>
#include <utility>
#include <vector>

#include "core/drawing.h"
#include "core/platform.h"
#include "tests/shell/shell_test_support.h"

using namespace tessel;
using namespace tessel::testing;

namespace {

constexpr QPoint NORMAL_LABEL{100, 75};
constexpr QPoint QUIT_BUTTON{120, 242};  // below the "Lights out" label, which overlaps Quit
const QSize PORTRAIT{GameView::AREA_WIDTH, GameView::AREA_HEIGHT};

// Shows the view at `size`; unless told not to, waits until the splash has played.
bool Show(GameView& view, QSize size, bool pastSplash = true) {
    view.resize(size);
    view.show();
    return QTest::qWaitForWindowExposed(&view) &&
           (!pastSplash || QTest::qWaitFor([&] { return view.game().splashPending == 0; }));
}

// What the window surface holds right now: what the last repaint put on the screen, without painting anew.
QImage OnScreen(GameView& view) {
    return static_cast<const QImage*>(view.backingStore()->paintDevice())
        ->convertToFormat(QImage::Format_RGB32);
}

// The splash image that the screen shows alone on white, or 0 when it shows anything else.
int SplashFrameOnScreen(GameView& view) {
    const QImage screen = OnScreen(view);
    for (const ImageId id : {IMG_SPLASH_1, IMG_SPLASH_2, IMG_SPLASH_3, IMG_SPLASH_4}) {
        BackBuffer alone;
        ClearBackBuffer(alone);
        DrawImage(alone, view.game().images[id], SPLASH_X, SPLASH_Y, SPLASH_WIDTH, SPLASH_HEIGHT);
        if (Shows(screen, alone, view.scale())) return id;
    }
    return 0;
}

}  // namespace

class TestGameView : public QObject {
    Q_OBJECT

  private slots:
    void init() { UseRunningClock(); }
    void cleanup() { SetTickSource({}); }

    // At the first and the last device pixel of a game pixel on either side of the "Normal" label's edges.
    void pictureAndTapsAreExact() {
        for (const QSize size : {PORTRAIT, QSize(320, 356), QSize(478, 534)}) {
            for (const auto& [gamePixel, lastDevicePixel, startsNormal] :
                 {std::tuple{QPoint(86, 65), false, true},     // the label's top-left corner
                  std::tuple{QPoint(152, 89), true, true},     // its bottom-right corner
                  std::tuple{QPoint(153, 89), false, false},   // just right of it
                  std::tuple{QPoint(85, 70), true, false}}) {  // just left of it
                GameView view;
                QVERIFY(Show(view, size));
                const int k = view.scale();
                const int within = lastDevicePixel ? k - 1 : 0;
                QApplication::sendEvent(&view, Press(view, gamePixel * k + QPoint(within, within)).get());
                QCOMPARE(view.game().screen, startsNormal ? SCREEN_NORMAL : SCREEN_MENU);
                QVERIFY(ShowsBackBuffer(view));
            }
        }
    }

    void hugeWindowPresentsAtOnceInFlatMemory() {
        GameView view;
        QVERIFY(Show(view, PORTRAIT));
        // 8000 x 12000 device pixels at every scale factor: 33 device pixels a game pixel.
        const QSize huge = (QSizeF(8000, 12000) / view.devicePixelRatio()).toSize();
        view.resize(huge);
        QCOMPARE(view.size(), huge);
        view.repaint();  // the window's own surface grows to the new size here

        // A new picture, on the screen as soon as PresentNow returns.
        for (uint32_t& pixel : view.game().backBuffer.pixels) pixel = ~pixel | 0xFF000000u;
        std::ofstream("/proc/self/clear_refs") << "5";  // resets the peak, VmHWM
        const long before = MemoryKb("VmHWM:");
        PresentNow(view.game());
        QVERIFY2(MemoryKb("VmHWM:") - before < 32 * 1024, "a paint took memory in proportion to the window");
        // The first and last device row of every game row, where a stretch that rounds would show.
        const QImage screen = OnScreen(view);
        for (int y = 0; y < SURFACE_HEIGHT * 33; y += (y % 33 == 0 ? 32 : 1)) {
            for (int x = 0; x < SURFACE_WIDTH * 33; ++x)
                QVERIFY(screen.pixel(x, y) == view.game().backBuffer.At(x / 33, y / 33));
        }
    }

    // Queued during the splash: the "Normal" label, then taps on Quit.
    void tapsQueuedDuringSplashAreDrained() {
        for (const auto& [quitTaps, endDrainEarly, screenAfter] :
             {std::tuple{20, false, SCREEN_NORMAL},  // the first played, the next twenty dropped
              std::tuple{21, false, SCREEN_MENU},    // the twenty-second played again
              std::tuple{20, true, SCREEN_MENU}}) {  // the record's drainTaps cleared: the rest is played
            GameView view;
            bool queued = false;
            SetTickSource([&, now = uint32_t{0}]() mutable {
                if (!std::exchange(queued, true)) {
                    PostTap(view, NORMAL_LABEL);
                    for (int i = 0; i < quitTaps; ++i) PostTap(view, QUIT_BUTTON);
                }
                // Read by the Normal set-up of the first tap played after the splash.
                if (endDrainEarly && view.game().splashPending == 0) view.game().drainTaps = 0;
                return now += 1000;
            });
            QVERIFY(Show(view, PORTRAIT));
            QCOMPARE(view.game().screen, screenAfter);
            Tap(view, QUIT_BUTTON);  // the drain is over: played
            QCOMPARE(view.game().screen, SCREEN_MENU);
        }
    }

    // Started wider than high, the splash waits; turned taller than wide, it fades the emblem in and out,
    // each frame held for its time, and the menu follows. Wider than high again: only the two lines of the
    // message, and taps ignored.
    void splashWaitsForPortraitAndLandscapeIgnoresTaps() {
        GameView view;
        std::vector<int> frames;  // the splash frame on the screen at each reading of the clock, 50 ms apart
        SetTickSource([&, now = uint32_t{0}]() mutable {
            if (view.game().splashPending != 0) frames.push_back(SplashFrameOnScreen(view));
            return now += 50;
        });
        QVERIFY(Show(view, {400, 300}, false));
        QTest::qWait(20);
        QVERIFY(frames.empty());
        view.resize(PORTRAIT);
        QVERIFY(QTest::qWaitFor([&] { return view.game().splashPending == 0; }));
        const std::pair<int, int> steps[] = {{IMG_SPLASH_4, 300}, {IMG_SPLASH_1, 300}, {IMG_SPLASH_2, 300},
                                             {IMG_SPLASH_3, 600}, {IMG_SPLASH_2, 300}, {IMG_SPLASH_1, 300},
                                             {IMG_SPLASH_4, 300}};
        std::vector<int> expected;
        for (const auto& [frame, ms] : steps) expected.insert(expected.end(), ms / 50 + 1, frame);
        QCOMPARE(frames, expected);
        QVERIFY(ShowsBackBuffer(view));

        view.resize(400, 300);
        const QImage message = Picture(view);
        const auto dark = [&](QRectF logical) {
            const qreal dpr = view.devicePixelRatio();
            const QRect r = QRectF(logical.topLeft() * dpr, logical.size() * dpr).toAlignedRect();
            int count = 0;
            for (int y = r.top(); y <= r.bottom(); ++y) {
                for (int x = r.left(); x <= r.right(); ++x) count += qGray(message.pixel(x, y)) < 128 ? 1 : 0;
            }
            return count;
        };
        const int line1 = dark({10, 30, 270, 29});
        const int line2 = dark({10, 60, 270, 30});
        QVERIFY(line1 > 50 && line2 > 50);
        QCOMPARE(line1 + line2, dark(view.rect()));
        Tap(view, NORMAL_LABEL);
        QCOMPARE(view.game().screen, SCREEN_MENU);
        QCOMPARE(Picture(view), message);
        view.resize(PORTRAIT);
        QVERIFY(ShowsBackBuffer(view));
    }
};

QTEST_MAIN(TestGameView)
#include "tst_gameview.moc"
