#include "shell/game_view.h"

#include <QCoreApplication>
#include <QImage>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <thread>
#include <vector>

#include "core/platform.h"
#include "core/tap_cycle.h"

namespace tessel {

namespace {

std::vector<GameView*>& Views() {
    static std::vector<GameView*> views;
    return views;
}

struct SplashStep {
    ImageId frame;
    uint32_t waitMs;
};

constexpr uint32_t SPLASH_FRAME_DELAY_MS = 300;

// The emblem fades in from white through two greys to black, holds, and fades back out.
constexpr std::array<SplashStep, 7> SPLASH_STEPS{{
    {IMG_SPLASH_4, SPLASH_FRAME_DELAY_MS},
    {IMG_SPLASH_1, SPLASH_FRAME_DELAY_MS},
    {IMG_SPLASH_2, SPLASH_FRAME_DELAY_MS},
    {IMG_SPLASH_3, 2 * SPLASH_FRAME_DELAY_MS},
    {IMG_SPLASH_2, SPLASH_FRAME_DELAY_MS},
    {IMG_SPLASH_1, SPLASH_FRAME_DELAY_MS},
    {IMG_SPLASH_4, SPLASH_FRAME_DELAY_MS},
}};

const QString LANDSCAPE_LINE_1 = QStringLiteral("Sorry, current release version");
const QString LANDSCAPE_LINE_2 = QStringLiteral(" doesn't support horizontal view mode.");
// (10, 30)-(280, 59) and (10, 60)-(280, 90), right and bottom edges outside.
constexpr QRect LANDSCAPE_RECT_1{10, 30, 270, 29};
constexpr QRect LANDSCAPE_RECT_2{10, 60, 270, 30};

// Mouse positions arrive as logical coordinates, device pixels divided by the ratio; multiplying back can
// land a hair below the whole device pixel, which this nudge absorbs.
constexpr double DEVICE_PIXEL_EPSILON = 1e-6;

// The pixels of a w x h block with every pixel repeated k times in each direction. At k = 1 the block is
// used in place.
QImage Enlarged(const uint32_t* pixels, int width, int height, int k) {
    const auto* bytes = reinterpret_cast<const uchar*>(pixels);
    if (k == 1) return QImage(bytes, width, height, width * 4, QImage::Format_RGB32);
    QImage image(width * k, height * k, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* first = reinterpret_cast<uint32_t*>(image.scanLine(y * k));
        for (int x = 0; x < width; ++x) std::fill_n(first + x * k, k, pixels[y * width + x]);
        for (int copy = 1; copy < k; ++copy) {
            std::memcpy(image.scanLine(y * k + copy), first, static_cast<std::size_t>(width * k) * 4);
        }
    }
    return image;
}

// Draws a block of game pixels with its top-left corner at game pixel (x, y), every game pixel exactly
// k x k device pixels. The image carries the device pixel ratio, so the painter copies it unscaled.
void DrawGamePixels(QPainter& painter, const uint32_t* pixels, int width, int height, int x, int y, int k,
                    qreal dpr) {
    QImage image = Enlarged(pixels, width, height, k);
    image.setDevicePixelRatio(dpr);
    painter.drawImage(QPointF(x * k / dpr, y * k / dpr), image);
}

std::chrono::steady_clock::duration RefreshInterval(const QScreen* screen) {
    const qreal rate = screen != nullptr && screen->refreshRate() > 1.0 ? screen->refreshRate() : 60.0;
    return std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(1.0 / rate));
}

}  // namespace

GameView::GameView(Game& game, QWidget* parent) : QWidget(parent), game_(game) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(1, 1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    Views().push_back(this);
}

GameView::~GameView() {
    std::erase(Views(), this);
}

GameView* GameView::ShowingGame(const Game& game) {
    for (GameView* view : Views()) {
        if (&view->game_ == &game) return view;
    }
    return nullptr;
}

int GameView::scale() const {
    const qreal dpr = devicePixelRatio();
    const int deviceWidth = static_cast<int>(std::floor(width() * dpr + DEVICE_PIXEL_EPSILON));
    const int deviceHeight = static_cast<int>(std::floor(height() * dpr + DEVICE_PIXEL_EPSILON));
    return std::max(1, std::min(deviceWidth / SURFACE_WIDTH, deviceHeight / SURFACE_HEIGHT));
}

QPoint GameView::gamePoint(QPointF position) const {
    const qreal dpr = devicePixelRatio();
    const int k = scale();
    const auto toGame = [&](qreal logical) {
        const int device = static_cast<int>(std::floor(logical * dpr + DEVICE_PIXEL_EPSILON));
        // Taps reach the game as two unsigned 16-bit halves.
        return std::clamp(device / k, 0, 0xFFFF);
    };
    return {toGame(position.x()), toGame(position.y())};
}

bool GameView::isLandscape() const {
    const QWidget* display = window();
    return display->width() > display->height();
}

void GameView::present() {
    if (lastPresent_) std::this_thread::sleep_until(*lastPresent_ + RefreshInterval(screen()));
    repaint();
    lastPresent_ = std::chrono::steady_clock::now();
}

void GameView::playSplash() {
    splashRequested_ = false;
    if (game_.splashPending == 0 || splashFrame_ || isLandscape() || !isVisible()) return;

    // Each frame is painted and flushed to the window before its wait starts. Nothing else is handled
    // meanwhile: taps made during the splash stay queued.
    for (const SplashStep& step : SPLASH_STEPS) {
        splashFrame_ = step.frame;
        repaint();
        const uint32_t shownAt = TickCount();
        while (TickCount() - shownAt < step.waitMs) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    splashFrame_.reset();
    game_.splashPending = 0;
    game_.drainTaps = 1;
    repaint();
    drainQueuedTaps();
}

void GameView::drainQueuedTaps() {
    // Everything queued during the splash is delivered now: the first tap is played, the next
    // DRAINED_TAPS are dropped, so that taps piled up while the splash held the program do not all play
    // at once; any beyond those are played again.
    draining_ = true;
    drainedFirstTap_ = false;
    tapsDropped_ = 0;
    QCoreApplication::processEvents();
    draining_ = false;
    game_.drainTaps = 0;
}

void GameView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);

    if (isLandscape()) {
        painter.setPen(Qt::black);
        painter.drawText(LANDSCAPE_RECT_1, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         LANDSCAPE_LINE_1);
        painter.drawText(LANDSCAPE_RECT_2, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         LANDSCAPE_LINE_2);
        return;
    }

    const qreal dpr = devicePixelRatio();
    const int k = scale();
    if (splashFrame_) {
        const Image& frame = game_.images[*splashFrame_];
        if (frame.width == SPLASH_WIDTH && frame.height == SPLASH_HEIGHT) {
            DrawGamePixels(painter, frame.pixels.data(), SPLASH_WIDTH, SPLASH_HEIGHT, SPLASH_X, SPLASH_Y, k,
                           dpr);
        }
        return;
    }
    if (game_.splashPending != 0) {
        // The splash cannot play inside a paint: what a paint draws reaches the screen only after it
        // returns. It starts as soon as this paint is done.
        if (!splashRequested_) {
            splashRequested_ = true;
            QMetaObject::invokeMethod(this, &GameView::playSplash, Qt::QueuedConnection);
        }
        return;
    }
    DrawGamePixels(painter, game_.backBuffer.pixels.data(), SURFACE_WIDTH, SURFACE_HEIGHT, 0, 0, k, dpr);
}

void GameView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || isLandscape()) return;
    if (draining_) {
        if (drainedFirstTap_ && tapsDropped_ < DRAINED_TAPS) {
            ++tapsDropped_;
            return;
        }
        drainedFirstTap_ = true;
    }
    const QPoint tap = gamePoint(event->position());
    game_.tapX = static_cast<uint16_t>(tap.x());
    game_.tapY = static_cast<uint16_t>(tap.y());
    HandleTap(game_, game_.tapX, game_.tapY);
}

void GameView::resizeEvent(QResizeEvent*) {
    // A turn of the display: show the game or the landscape message for the new shape at once.
    update();
}

}  // namespace tessel
