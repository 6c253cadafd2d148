// The desktop program's main-thread time for one pointer move during a drag: the mouse event handled (the
// line followed, a move played at each whole cell) and the picture painted, on the offscreen platform at the
// window's first scale on a 1080-pixel screen (2 device pixels a game pixel). Prints the median, the 95th
// percentile and the longest of many moves back and forth over three cells.
//   QT_QPA_PLATFORM=offscreen build/bin/tessel_drag_bench
#include <QApplication>
#include <QMouseEvent>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "bench/thread_time.h"
#include "core/layout.h"
#include "shell/game_view.h"

using namespace tessel;

namespace {

void Send(GameView& view, QEvent::Type type, QPoint game) {
    const QPointF local = (QPointF(game * view.scale()) + QPointF(0.5, 0.5)) / view.devicePixelRatio();
    QMouseEvent event(type, local, view.mapToGlobal(local),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &event);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    GameView view;
    view.resize(SURFACE_WIDTH * 2 + 1, SURFACE_HEIGHT * 2 + 1);
    view.show();
    while (view.game().splashPending != 0) QCoreApplication::processEvents();
    Send(view, QEvent::MouseButtonPress, {100, 75});  // "Normal"
    Send(view, QEvent::MouseButtonRelease, {100, 75});

    constexpr int MOVES = 2000;
    std::vector<double> times;
    times.reserve(MOVES);
    const QPoint tile(100, 120);  // row 2
    Send(view, QEvent::MouseButtonPress, tile);
    for (int i = 0; i < MOVES; ++i) {
        // Three cells right and back, a few pixels a move as a hand moves a mouse.
        const int phase = i % 72;
        const int dx = phase < 36 ? phase * 2 : (72 - phase) * 2;
        const double start = ThreadMilliseconds();
        Send(view, QEvent::MouseMove, tile + QPoint(dx, 0));
        view.repaint();
        times.push_back(ThreadMilliseconds() - start);
    }
    Send(view, QEvent::MouseButtonRelease, tile);
    std::sort(times.begin(), times.end());
    std::printf(
        "desktop, a pointer move during a drag at 2x (%d moves, %zu cells played): median %.3f ms, "
        "95th percentile %.3f ms, longest %.3f ms\n",
        MOVES, view.history().held, times[times.size() / 2], times[times.size() * 95 / 100], times.back());
    return 0;
}
