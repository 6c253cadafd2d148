#include "shell/window_place.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include <algorithm>
#include <cmath>

#include "core/layout.h"

namespace tessel {

namespace {

const QString SIZE_KEY = QStringLiteral("window/size");
const QString PLACE_KEY = QStringLiteral("window/place");

// The picture at k device pixels per game pixel, in logical pixels, rounded up so that the view's own
// scale comes out as k, with the white pixel right and below that the window has at scale 1.
QSize PictureSize(int k, qreal dpr) {
    const auto logical = [&](int gamePixels) {
        return static_cast<int>(std::ceil(gamePixels * k / dpr)) + 1;
    };
    return {logical(SURFACE_WIDTH), logical(SURFACE_HEIGHT)};
}

QRect AvailableAt(QPoint point) {
    const QScreen* screen = QGuiApplication::screenAt(point);
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

}  // namespace

QSize FirstWindowSize(QRect available, qreal dpr, int menuBarHeight) {
    const auto fits = [&](int k) {
        const QSize picture = PictureSize(k, dpr);
        return picture.height() <= available.height() * 2 / 3 && picture.width() <= available.width();
    };
    int k = 1;
    while (fits(k + 1)) ++k;
    return PictureSize(k, dpr) + QSize(0, menuBarHeight);
}

QRect FitWithin(QRect window, QRect available) {
    if (available.isEmpty()) return window;
    window.setSize(window.size().boundedTo(available.size()));
    window.moveLeft(std::clamp(window.left(), available.left(), available.right() - window.width() + 1));
    window.moveTop(std::clamp(window.top(), available.top(), available.bottom() - window.height() + 1));
    return window;
}

void PlaceWindow(QWidget& window, QSettings& settings, int menuBarHeight) {
    const QVariant keptSize = settings.value(SIZE_KEY);
    const QVariant keptPlace = settings.value(PLACE_KEY);
    // Anything but a size and a point (a hand-edited file, say) counts as nothing kept.
    const QSize size = keptSize.toSize();
    if (keptSize.typeId() != QMetaType::QSize || keptPlace.typeId() != QMetaType::QPoint || size.isEmpty()) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (screen != nullptr)
            window.resize(
                FirstWindowSize(screen->availableGeometry(), screen->devicePixelRatio(), menuBarHeight));
        return;
    }
    const QPoint place = keptPlace.toPoint();
    const QRect fitted = FitWithin(QRect(place, size), AvailableAt(place));
    window.resize(fitted.size());
    window.move(fitted.topLeft());
}

void KeepWindowPlace(const QWidget& window, QSettings& settings) {
    // A maximised or full-screen window keeps the size and place it had before.
    const bool normal = !window.isMaximized() && !window.isFullScreen();
    settings.setValue(SIZE_KEY, normal ? window.size() : window.normalGeometry().size());
    settings.setValue(PLACE_KEY, normal ? window.pos() : window.normalGeometry().topLeft());
    settings.sync();
}

}  // namespace tessel
