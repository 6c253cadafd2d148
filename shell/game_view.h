// The game's display: the widget that holds the game in play, shows its back buffer, plays the start-up
// splash, refuses landscape with a message, turns left-button presses into taps and takes moves back.
#pragma once

#include <QElapsedTimer>
#include <QPointF>
#include <QSize>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <memory>
#include <optional>
#include <set>

#include "game/picture_place.h"
#include "game/session.h"
#include "game/watch.h"
#include "shell/tick_source.h"

class QKeyEvent;
class QTouchEvent;

namespace tessel {

enum class Key : uint8_t;  // game/keys.h

// The game's key for a key event without Ctrl, Alt or Meta; Shift only goes with the arrows.
std::optional<Key> GameKey(const QKeyEvent& event);

// Whether the key asks what the moves and time are: I, alone.
bool AsksMovesAndTime(const QKeyEvent& event);

// The words shown while the window lies sideways, as one line.
QString LandscapeMessage();

class GameView : public QWidget {
    Q_OBJECT

  public:
    // The size the window gives the game at start: the back buffer and one white pixel right and below.
    static constexpr int AREA_WIDTH = 240;
    static constexpr int AREA_HEIGHT = 268;

    // Creates the game, shown in this view: its images and back buffer prepared and the menu drawn.
    explicit GameView(QWidget* parent = nullptr);

    Game& game() { return session_.game; }
    const History& history() const { return session_.history; }
    const Session& session() const { return session_; }
    // The game in play for a call into it: its record's `now` set to the clock's reading first, so that
    // the game's time and a new deal read the moment of the call, and the wall clock's for a solve's date.
    Session& session() {
        session_.game.now = TickCount();
        session_.utcNow = UtcNow();
        return session_;
    }

    // Device pixels per game pixel: the largest whole number at which the back buffer fits
    // (game/picture_place.h).
    int scale() const;
    // The back-buffer pixel under a point of the widget, through the same scale as the picture.
    QPoint gamePoint(QPointF position) const;
    // The whole window is wider than high: the game is not shown and taps are ignored.
    bool isLandscape() const;

    // Repaints at once, but never sooner than one screen refresh after the previous present, so that the
    // intermediate frames of a move stay on the screen long enough to be seen.
    void present();

    // Plays the splash when it is due (not played yet, shown, portrait) and returns after it, once the
    // taps queued meanwhile have been drained (game/splash_end.h). The first portrait paint asks for it.
    void playSplash();

    QSize sizeHint() const override { return {AREA_WIDTH, AREA_HEIGHT}; }

    // The game's clock stands while the game cannot be played: the window hidden, minimised or lying
    // sideways. Asked again whenever one of these may have changed.
    void updateClockHold();

    // Draws the game in this look from now on, the margins round the picture too, and shows it at once.
    void setLook(Look look);

    // Watching a solve (game/watch.h) that CheckSolve passed, in place of the game in play, which stands
    // meanwhile, its clock held, and comes back when the watching stops. While watching, taps, Undo, Redo
    // and Hint do nothing; Space pauses and plays on, Right steps a move, 1, 2 and 4 set the pace, Escape
    // or a tap after the end stops.
    void startWatching(const LoggedSolve& solve);
    void stopWatching();
    bool watching() const { return watch_ != nullptr; }
    void pauseWatching(bool paused);
    void stepWatching();
    void setWatchSpeed(int speed);
    const Watch* watch() const { return watch_.get(); }
    // The session whose picture is shown: the watched one while watching, otherwise the game in play.
    Session& shownSession() { return watch_ ? watch_->session : session_; }
    // The line under the picture: the moves and time, or where the watching stands.
    std::string countsText() const;

  public slots:
    // Take back the last move and play it again; nothing while the splash plays or the window lies sideways,
    // like taps.
    void undo();
    void redo();
    // Shows the next move toward the solved board; nothing on the menu, a solved board, during the splash or
    // sideways.
    void hint();

  signals:
    // A tap, key, Undo, Redo or Hint was played (the session tells which, and in what words): what can be
    // taken back or played again may have changed.
    void played();
    // The game is drawn in another look; nothing of the game changed.
    void lookChanged();
    // A watching started or stopped, or was paused, stepped or set to another pace.
    void watchingChanged();

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // A press is the tap at its point; held on a tile of a board of lines, it drags the row or the column
    // (game/drag.h). A finger on a touchscreen is the left button; a second finger (a pinch) cancels a drag.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Arrows, Shift+arrows, Enter, Space and Escape play the game (game/keys.h); Ctrl shortcuts stay the
    // window's actions.
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    PicturePlace place() const;
    void pressAt(QPointF position);
    void moveTo(QPointF position);
    void letGo();
    void touchEvent(QTouchEvent* event);
    // Whether a key press is the game's: a key pressed while the view had the keyboard, or a repeat of one.
    bool takesPress(const QKeyEvent& event);
    // A key while watching: the watching's own, or nothing.
    void watchKey(const QKeyEvent& event);
    void advanceWatch();
    // Says where the watching stands (a screen reader speaks it) and tells it changed.
    void sayWatching();

    // The view owns the game it shows and draws into, so the record outlives every use the view makes of
    // it.
    Session session_;
    std::optional<ImageId> splashFrame_;  // the frame on the screen while the splash plays
    bool splashRequested_ = false;
    std::optional<std::chrono::steady_clock::time_point> lastPresent_;
    // The keys pressed down here and not released since, and the last release the view was given.
    std::set<int> keysDown_;
    struct Release {
        int key = Qt::Key_unknown;
        quint64 timestamp = 0;
        bool wasDown = false;
    } lastRelease_;
    bool following_ = false;  // a dragged line is following the pointer: its pictures are not paced
    bool pinched_ = false;    // a second finger touched: nothing more of this touch is played
    BackBuffer shown_{};      // the back buffer with the cursor's outline over it, when there is one
    std::unique_ptr<Watch> watch_;
    QTimer watchTimer_;         // the watching's steps
    QElapsedTimer watchClock_;  // the real time since the last step
};

}  // namespace tessel
