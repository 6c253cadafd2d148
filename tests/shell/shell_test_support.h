// Helpers for the desktop program's tests: a fast clock, the picture a view must show, taps, memory.
#pragma once

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

#include "core/drawing.h"
#include "shell/game_view.h"
#include "shell/tick_source.h"

namespace tessel::testing {

// Every reading of the tick count moves the clock on by a second, so the splash plays through at once.
inline void UseRunningClock() {
    SetTickSource([now = uint32_t{0}]() mutable { return now += 1000; });
}

// What a widget renders, in device pixels.
inline QImage Picture(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Whether a picture in device pixels shows the buffer with every game pixel k x k, white right and below.
inline bool Shows(const QImage& picture, const BackBuffer& buffer, int k) {
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const bool inside = x < SURFACE_WIDTH * k && y < SURFACE_HEIGHT * k;
            if (picture.pixel(x, y) != (inside ? buffer.At(x / k, y / k) : WHITE)) return false;
        }
    }
    return true;
}

// The view shows its back buffer at k device pixels a game pixel, k the largest whole number that fits.
inline bool ShowsBackBuffer(GameView& view) {
    const QImage picture = Picture(view);
    const auto fits = [&](int k) {
        return SURFACE_WIDTH * k <= picture.width() && SURFACE_HEIGHT * k <= picture.height();
    };
    const int k = view.scale();
    return (k == 1 || fits(k)) && !fits(k + 1) && Shows(picture, view.game().backBuffer, k);
}

// A left-button press at the centre of a device pixel of the view.
inline std::unique_ptr<QMouseEvent> Press(GameView& view, QPoint device) {
    const QPointF local = QPointF(device.x() + 0.5, device.y() + 0.5) / view.devicePixelRatio();
    return std::make_unique<QMouseEvent>(QEvent::MouseButtonPress, local, view.mapToGlobal(local),
                                         Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
}

// A tap on a game pixel, at the first device pixel of its k x k block: handled at once, or posted to wait
// in the queue like a real tap.
inline void Tap(GameView& view, QPoint game) {
    QApplication::sendEvent(&view, Press(view, game * view.scale()).get());
}
inline void PostTap(GameView& view, QPoint game) {
    QCoreApplication::postEvent(&view, Press(view, game * view.scale()).release());
}

// The process's resident memory in kB: "VmRSS:" now, "VmHWM:" the most since the peak was last reset.
inline long MemoryKb(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string word; status >> word;) {
        if (word == field && status >> word) return std::stol(word);
    }
    return 0;
}

}  // namespace tessel::testing
