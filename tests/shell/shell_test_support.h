// Helpers for the desktop program's tests: a clock that runs the splash through, pictures of what a
// widget shows, taps at exact device pixels, and the process's memory.
#pragma once

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>

#include "core/game.h"
#include "shell/game_view.h"
#include "shell/tick_source.h"

namespace tessel::testing {

// Every reading of the tick count moves the clock on by `step` ms, so the splash plays through at once.
inline void UseRunningClock(uint32_t step = 1000) {
    SetTickSource([now = uint32_t{0}, step]() mutable { return now += step; });
}

// What the widget renders, in device pixels.
inline QImage Picture(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The back buffer in device pixels: every game pixel k x k, white right of and below it.
inline QImage Expected(const BackBuffer& buffer, QSize deviceSize, int k) {
    QImage image(deviceSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < std::min(deviceSize.height(), SURFACE_HEIGHT * k); ++y) {
        auto* line = reinterpret_cast<uint32_t*>(image.scanLine(y));
        for (int x = 0; x < std::min(deviceSize.width(), SURFACE_WIDTH * k); ++x)
            line[x] = buffer.At(x / k, y / k);
    }
    return image;
}

// The largest whole number of device pixels per game pixel at which the back buffer fits the widget.
inline int FittingScale(const QWidget& widget) {
    const qreal dpr = widget.devicePixelRatio();
    const int w = static_cast<int>(std::floor(widget.width() * dpr + 1e-6));
    const int h = static_cast<int>(std::floor(widget.height() * dpr + 1e-6));
    return std::max(1, std::min(w / SURFACE_WIDTH, h / SURFACE_HEIGHT));
}

// A left-button press and release at a device pixel of the widget (its centre, in logical coordinates).
inline void ClickDevicePixel(QWidget& widget, QPoint device) {
    const qreal dpr = widget.devicePixelRatio();
    const QPointF local((device.x() + 0.5) / dpr, (device.y() + 0.5) / dpr);
    const QPointF global = widget.mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
    QApplication::sendEvent(&widget, &release);
}

// A left-button press at a game pixel of the view, posted: it waits in the queue like a real tap.
inline void PostPress(GameView& view, int gameX, int gameY) {
    const qreal dpr = view.devicePixelRatio();
    const int k = FittingScale(view);
    const QPointF local((gameX * k + 0.5) / dpr, (gameY * k + 0.5) / dpr);
    QCoreApplication::postEvent(
        &view, new QMouseEvent(QEvent::MouseButtonPress, local, view.mapToGlobal(local), Qt::LeftButton,
                               Qt::LeftButton, Qt::NoModifier));
}

// A tap on a game pixel of the view, at the first device pixel of its k x k block.
inline void ClickGamePixel(GameView& view, int x, int y) {
    const int k = FittingScale(view);
    ClickDevicePixel(view, {x * k, y * k});
}

// The process's resident memory in kB: "VmRSS:" now, "VmHWM:" the most since ResetPeakResident, which
// counts memory taken and given back within one paint too.
inline long MemoryKb(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string word; status >> word;) {
        if (word == field && status >> word) return std::stol(word);
    }
    return 0;
}
inline void ResetPeakResident() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

}  // namespace tessel::testing
