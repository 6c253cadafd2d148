#include "shell/game_view.h"

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTouchEvent>

#include <algorithm>
#include <cmath>
#include <thread>

#include "core/splash.h"
#include "game/drag.h"
#include "game/keys.h"
#include "game/session.h"
#include "game/tap_cycle.h"
#include "hints/shown_hint.h"
#include "shell/game_accessible.h"
#include "shell/strings.h"

namespace tessel {

namespace {

// (10, 30)-(280, 59) and (10, 60)-(280, 90), right and bottom edges outside.
constexpr QRect LANDSCAPE_RECT_1{10, 30, 270, 29};
constexpr QRect LANDSCAPE_RECT_2{10, 60, 270, 30};

// The watching's timer: often enough that a move is never late by a frame's worth.
constexpr int WATCH_STEP_MS = 15;

// Mouse positions arrive as logical coordinates, device pixels divided by the ratio; multiplying back can
// land a hair below the whole device pixel, which this nudge absorbs.
constexpr double DEVICE_PIXEL_EPSILON = 1e-6;

// Draws a block of game pixels with its top-left corner at game pixel (x, y), every game pixel exactly
// k x k device pixels. Each row is widened k times into a one-row image, which the painter stretches to
// k device rows without smoothing: from a single source row the stretch cannot land on a neighbour, as a
// stretch of the whole block would once its fixed-point step drifts at large k. Memory stays at one
// widened row whatever the window's size.
void DrawGamePixels(QPainter& painter, const uint32_t* pixels, int width, int height, int x, int y, int k,
                    qreal dpr) {
    QImage row(width * k, 1, QImage::Format_RGB32);
    for (int line = 0; line < height; ++line) {
        auto* widened = reinterpret_cast<uint32_t*>(row.scanLine(0));
        for (int column = 0; column < width; ++column) {
            std::fill_n(widened + column * k, k, pixels[line * width + column]);
        }
        painter.drawImage(QRectF(x * k / dpr, (y + line) * k / dpr, width * k / dpr, k / dpr), row);
    }
}

std::chrono::steady_clock::duration RefreshInterval(const QScreen* screen) {
    const qreal rate = screen != nullptr && screen->refreshRate() > 1.0 ? screen->refreshRate() : 60.0;
    return std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(1.0 / rate));
}

}  // namespace

QString LandscapeMessage() {
    return Words(msg::LANDSCAPE).remove(QLatin1Char('\n'));
}

GameView::GameView(QWidget* parent) : QWidget(parent) {
    InstallGameAccessibility();
    PrepareSurfaces(game());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_AcceptTouchEvents);
    setMinimumSize(1, 1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setFocusPolicy(Qt::StrongFocus);
    game().presenter = {[](const Game&, void* view) { static_cast<GameView*>(view)->present(); }, this};
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
    // A line following the pointer shows only its latest place: the paint comes with the screen's next
    // refresh, and pointer moves coming faster merge into it.
    if (following_) {
        update();
        return;
    }
    if (lastPresent_) std::this_thread::sleep_until(*lastPresent_ + RefreshInterval(screen()));
    repaint();
    lastPresent_ = std::chrono::steady_clock::now();
}

void GameView::playSplash() {
    splashRequested_ = false;
    if (game().splashPending == 0 || splashFrame_ || isLandscape() || !isVisible()) return;

    // Each frame is painted and flushed to the window before its wait starts. Nothing else is handled
    // meanwhile: taps made during the splash stay queued.
    for (const SplashStep& step : SPLASH_STEPS) {
        splashFrame_ = step.frame;
        repaint();
        const uint32_t shownAt = TickCount();
        while (TickCount() - shownAt < step.waitMs) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    splashFrame_.reset();
    game().splashPending = 0;
    game().drainTaps = 1;
    updateClockHold();  // a game kept by the last run plays on, its time with it
    if (watching()) pauseWatching(false);
    repaint();
    drainQueuedTaps();
}

void GameView::drainQueuedTaps() {
    // Everything queued during the splash is delivered now. While the record's drainTaps is set, the first
    // tap is played and the next DRAINED_TAPS are dropped, so that taps piled up while the splash held the
    // program do not all play at once; the flag is cleared then, and any taps beyond are played again.
    drainedFirstTap_ = false;
    tapsDropped_ = 0;
    QCoreApplication::processEvents();
    game().drainTaps = 0;
}

bool GameView::takeDrainedTap() {
    if (!drainedFirstTap_) {
        drainedFirstTap_ = true;
        return true;
    }
    if (++tapsDropped_ == DRAINED_TAPS) game().drainTaps = 0;
    return false;
}

void GameView::setLook(Look look) {
    if (look == game().look) return;
    ChangeLook(game(), look);
    update();
    emit lookChanged();
}

void GameView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor ground = QColor::fromRgb(ColoursOf(game().look).ground);
    painter.fillRect(rect(), ground);

    if (isLandscape()) {
        painter.setPen(ground.lightnessF() < 0.5 ? Qt::white : Qt::black);
        // The message's two lines, each in its own rectangle.
        const QStringList lines = Words(msg::LANDSCAPE).split(QLatin1Char('\n'));
        painter.drawText(LANDSCAPE_RECT_1, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, lines.value(0));
        painter.drawText(LANDSCAPE_RECT_2, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, lines.value(1));
        return;
    }

    const qreal dpr = devicePixelRatio();
    const int k = scale();
    if (splashFrame_) {
        const Image& frame = game().images[*splashFrame_];
        if (frame.width == SPLASH_WIDTH && frame.height == SPLASH_HEIGHT) {
            DrawGamePixels(painter, frame.pixels.data(), SPLASH_WIDTH, SPLASH_HEIGHT, SPLASH_X, SPLASH_Y, k,
                           dpr);
        }
        return;
    }
    if (game().splashPending != 0) {
        // The splash cannot play inside a paint: what a paint draws reaches the screen only after it
        // returns. It starts as soon as this paint is done.
        if (!splashRequested_) {
            splashRequested_ = true;
            QMetaObject::invokeMethod(this, &GameView::playSplash, Qt::QueuedConnection);
        }
        return;
    }
    DrawGamePixels(painter, PictureShown(shownSession().game, shown_).pixels.data(), SURFACE_WIDTH,
                   SURFACE_HEIGHT, 0, 0, k, dpr);
}

void GameView::pressAt(QPointF position) {
    if (isLandscape()) return;
    if (watching()) {
        if (WatchEnded(*watch_)) stopWatching();
        return;
    }
    if (game().drainTaps != 0 && !takeDrainedTap()) return;
    const QPoint tap = gamePoint(position);
    Press(session(), tap.x(), tap.y());
    emit played();
}

void GameView::moveTo(QPointF position) {
    if (!session_.drag) return;
    const QPoint at = gamePoint(position);
    const uint32_t moves = MoveCount(session_);
    following_ = true;
    MovePointer(session(), at.x(), at.y());
    following_ = false;
    if (MoveCount(session_) != moves) emit played();
}

void GameView::letGo() {
    if (tessel::Release(session())) emit played();
}

void GameView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressAt(event->position());
}

void GameView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) moveTo(event->position());
}

void GameView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) letGo();
}

bool GameView::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TouchCancel: {
            auto* touch = static_cast<QTouchEvent*>(event);
            // A touchpad moves the mouse pointer; only a touchscreen's fingers land on the picture.
            if (touch->device()->type() != QInputDevice::DeviceType::TouchScreen) break;
            touchEvent(touch);
            return true;
        }
        default:
            break;
    }
    return QWidget::event(event);
}

// Taken here rather than left to Qt, which would make the first finger a mouse and never tell of a second.
void GameView::touchEvent(QTouchEvent* event) {
    event->accept();
    if (event->type() == QEvent::TouchBegin) pinched_ = false;
    if (event->type() == QEvent::TouchCancel || (event->pointCount() > 1 && !pinched_)) {
        // The system took the touch, or a second finger came (a pinch, never a move): the cells passed
        // stay, the line settles back, and nothing more of this touch is played.
        pinched_ = event->type() != QEvent::TouchCancel;
        if (CancelDrag(session())) emit played();
        return;
    }
    if (pinched_ || event->pointCount() != 1) return;
    const QEventPoint& finger = event->point(0);
    switch (finger.state()) {
        case QEventPoint::Pressed:
            pressAt(finger.position());
            break;
        case QEventPoint::Updated:
            moveTo(finger.position());
            break;
        case QEventPoint::Released:
            letGo();
            break;
        default:
            break;
    }
}

std::optional<Key> GameKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const bool shift = modifiers == Qt::ShiftModifier;
    if (modifiers != Qt::NoModifier && !shift) return std::nullopt;
    switch (event.key()) {
        case Qt::Key_Left:
            return shift ? Key::ShiftLeft : Key::Left;
        case Qt::Key_Right:
            return shift ? Key::ShiftRight : Key::Right;
        case Qt::Key_Up:
            return shift ? Key::ShiftUp : Key::Up;
        case Qt::Key_Down:
            return shift ? Key::ShiftDown : Key::Down;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return shift ? std::nullopt : std::optional(Key::Enter);
        case Qt::Key_Space:
            return shift ? std::nullopt : std::optional(Key::Space);
        case Qt::Key_Escape:
            return shift ? std::nullopt : std::optional(Key::Escape);
        default:
            return std::nullopt;
    }
}

bool AsksMovesAndTime(const QKeyEvent& event) {
    return event.key() == Qt::Key_I && (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

void GameView::keyPressEvent(QKeyEvent* event) {
    if (watching()) {
        watchKey(*event);
        event->accept();
        return;
    }
    if (AsksMovesAndTime(*event)) {
        // Nothing changes: a screen reader says the moves and time (game_accessible).
        event->accept();
        if (isLandscape() || game().drainTaps != 0) return;
        SayMovesAndTime(session());
        emit played();
        return;
    }
    const std::optional<Key> key = GameKey(*event);
    if (!key) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    // Like taps: nothing while the window lies sideways, and keys pressed during the splash are dropped.
    if (!takesPress(*event) || isLandscape() || game().drainTaps != 0) return;
    PressKey(session(), *key);
    emit played();
}

bool GameView::takesPress(const QKeyEvent& event) {
    // A key held down while a dialog had the keyboard, such as the Return that closed the About box, goes
    // on repeating into the view once the dialog is gone; those repeats are the dialog's key, not the
    // game's. X sends each repeat as a release and a press at the same time, which Qt does not always mark
    // as a repeat.
    const bool afterRelease = lastRelease_.key == event.key() && lastRelease_.timestamp == event.timestamp();
    if (event.isAutoRepeat() || afterRelease) {
        if (!keysDown_.contains(event.key()) && !(afterRelease && lastRelease_.wasDown)) return false;
    }
    keysDown_.insert(event.key());
    return true;
}

void GameView::keyReleaseEvent(QKeyEvent* event) {
    lastRelease_ = {event->key(), event->timestamp(), keysDown_.erase(event->key()) > 0};
    QWidget::keyReleaseEvent(event);
}

void GameView::focusOutEvent(QFocusEvent* event) {
    // Whatever is held now is released elsewhere; a line being dragged settles back.
    keysDown_.clear();
    if (CancelDrag(session())) emit played();
    QWidget::focusOutEvent(event);
}

void GameView::undo() {
    if (isLandscape() || !Undo(session())) return;
    emit played();
}

void GameView::hint() {
    if (isLandscape() || !ShowHint(session())) return;
    emit played();
}

void GameView::redo() {
    if (isLandscape() || !Redo(session())) return;
    emit played();
}

void GameView::resizeEvent(QResizeEvent*) {
    // A turn of the display: show the game or the landscape message for the new shape at once.
    update();
    updateClockHold();
}

void GameView::showEvent(QShowEvent*) {
    updateClockHold();
}

void GameView::hideEvent(QHideEvent*) {
    updateClockHold();
}

void GameView::updateClockHold() {
    // The game's clock cannot run before the splash has ended, which sets the hold; nor is the clock read.
    if (game().splashPending != 0) return;
    const bool held = isLandscape() || !isVisible() || window()->isMinimized();
    HoldClock(session(), held || watching());
    // The watching stands too while it cannot be seen.
    if (watching() && held) pauseWatching(true);
}

void GameView::startWatching(const LoggedSolve& solve) {
    if (watching()) stopWatching();
    if (CancelDrag(session_)) emit played();
    watch_ = StartWatch(solve, game());
    // Asked for at start, it waits for the splash.
    if (game().splashPending != 0) PauseWatch(*watch_, true);
    updateClockHold();
    watchClock_.start();
    connect(&watchTimer_, &QTimer::timeout, this, &GameView::advanceWatch, Qt::UniqueConnection);
    watchTimer_.start(WATCH_STEP_MS);
    sayWatching();
}

void GameView::stopWatching() {
    if (!watching()) return;
    watchTimer_.stop();
    watch_.reset();
    updateClockHold();
    PresentNow(game());
    emit watchingChanged();
    emit played();
}

void GameView::advanceWatch() {
    const auto elapsed = static_cast<uint32_t>(watchClock_.restart());
    const std::size_t before = watch_->played;
    AdvanceWatch(*watch_, elapsed);
    if (watch_->played != before) emit played();
    if (WatchEnded(*watch_)) {
        watchTimer_.stop();
        emit watchingChanged();
    }
}

void GameView::sayWatching() {
    watch_->session.played.words = WatchText(*watch_);
    emit watchingChanged();
    emit played();
}

void GameView::pauseWatching(bool paused) {
    if (!watching() || watch_->paused == paused) return;
    PauseWatch(*watch_, paused);
    watchClock_.restart();
    sayWatching();
}

void GameView::stepWatching() {
    if (!watching() || !StepWatch(*watch_)) return;
    emit played();
    emit watchingChanged();
}

void GameView::setWatchSpeed(int speed) {
    if (!watching()) return;
    SetWatchSpeed(*watch_, speed);
    sayWatching();
}

std::string GameView::countsText() const {
    return watch_ ? WatchText(*watch_) : CountsText(session_);
}

void GameView::watchKey(const QKeyEvent& event) {
    if (event.modifiers() & ~Qt::KeypadModifier) return;
    switch (event.key()) {
        case Qt::Key_Space:
            pauseWatching(!watch_->paused);
            return;
        case Qt::Key_Right:
            stepWatching();
            return;
        case Qt::Key_1:
        case Qt::Key_2:
        case Qt::Key_4:
            setWatchSpeed(event.key() - Qt::Key_0);
            return;
        case Qt::Key_Escape:
            stopWatching();
            return;
        default:
            return;
    }
}

}  // namespace tessel
