// The one window of the program: the game above, the menu bar with "Tools" > "About" at the bottom, and
// the two keyboard accelerators.
#pragma once

#include <QAction>
#include <QByteArray>
#include <QWidget>

#include <memory>

#include "core/game.h"

class QMenuBar;

namespace tessel {

class GameView;

class MainWindow : public QWidget {
    Q_OBJECT

  public:
    MainWindow();
    ~MainWindow() override;

    Game& game() { return *game_; }
    GameView& view() { return *view_; }
    QMenuBar& menuBar() { return *menuBar_; }
    QAction& aboutAction() { return about_; }
    QAction& closeAction() { return close_; }

  public slots:
    // Runs the About dialog over the game; returns when it is closed.
    void showAbout();
    // Brings the window to the front, asked by a second copy of the program. The token, when there is one,
    // lets a Wayland compositor give focus to the window.
    void bringToFront(const QByteArray& activationToken);

  signals:
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    std::unique_ptr<Game> game_;
    QAction about_;
    QAction close_;
    QMenuBar* menuBar_ = nullptr;
    GameView* view_ = nullptr;
};

}  // namespace tessel
