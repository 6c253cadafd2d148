// The one window of the program: the game above, the menu bar with "Tools" > "About" at the bottom, and
// the two keyboard accelerators.
#pragma once

#include <QAction>
#include <QByteArray>
#include <QWidget>

#include "shell/game_view.h"

class QMenuBar;

namespace tessel {

class MainWindow : public QWidget {
    Q_OBJECT

  public:
    MainWindow();

    Game& game() { return view_->game(); }
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
    QAction about_;
    QAction close_;
    QMenuBar* menuBar_ = nullptr;
    GameView* view_ = nullptr;  // the game itself, which owns its record
};

}  // namespace tessel
