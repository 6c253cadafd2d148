// The one window of the program: the game above, the menu bar with "Tools" (Undo, Redo, Hint, About) at the
// bottom, and the keyboard accelerators.
#pragma once

#include <QAction>
#include <QByteArray>
#include <QWidget>

#include <array>

#include "shell/game_view.h"
#include "shell/look_choice.h"

class QMenuBar;

namespace tessel {

class MainWindow : public QWidget {
    Q_OBJECT

  public:
    MainWindow();
    ~MainWindow() override;

    Game& game() { return view_->game(); }
    GameView& view() { return *view_; }
    QMenuBar& menuBar() { return *menuBar_; }
    QAction& undoAction() { return undo_; }
    QAction& redoAction() { return redo_; }
    QAction& hintAction() { return hint_; }
    QAction& aboutAction() { return about_; }
    QAction& gameIdAction() { return gameId_; }
    QAction& playGameIdAction() { return playGameId_; }
    QAction& statisticsAction() { return statistics_; }
    QAction& shareSolveAction() { return shareSolve_; }
    QAction& watchSolveAction() { return watchSolve_; }
    QAction& shareResultAction() { return shareResult_; }
    // "Watching": Pause, Next move, the three paces, Stop watching; greyed unless a solve is watched.
    std::array<QAction, 6>& watchingActions() { return watching_; }
    // The height of what lies below the picture: the line of moves and time, and the menu bar.
    int chromeHeight() const;
    QAction& closeAction() { return close_; }

    // Undo and Redo are greyed while there is nothing to take back or play again, and like Hint while a
    // solve is watched; the watching's items only then.
    void updateHistoryActions();

    // "Tools" > "Look": the choice shown, its item checked; "As the system" follows the palette from now on.
    void chooseLook(LookChoice choice);
    LookChoice lookChoice() const { return lookChoice_; }
    // The item of a choice in the menu.
    QAction& lookAction(LookChoice choice);

  public slots:
    // Runs the About dialog over the game; returns when it is closed.
    void showAbout();
    // Brings the window to the front, asked by a second copy of the program. The token, when there is one,
    // lets a Wayland compositor give focus to the window.
    void bringToFront(const QByteArray& activationToken);

  signals:
    void closed();
    // The player chose a look from the menu.
    void lookChosen(LookChoice choice);

  protected:
    void closeEvent(QCloseEvent* event) override;
    // A new palette, the desktop's dark or light one: "As the system" follows it.
    void changeEvent(QEvent* event) override;

  private:
    QAction undo_;
    QAction redo_;
    QAction hint_;
    QAction about_;
    QAction gameId_;
    QAction playGameId_;
    QAction statistics_;
    QAction shareSolve_;
    QAction watchSolve_;
    QAction shareResult_;
    std::array<QAction, 6> watching_;
    QAction close_;
    std::array<QAction, 4> looks_;  // "As the system", then the looks in their order
    LookChoice lookChoice_;
    QMenuBar* menuBar_ = nullptr;
    GameView* view_ = nullptr;   // the game itself, which owns its record
    QWidget* counts_ = nullptr;  // the moves and time, between the picture and the menu bar
};

}  // namespace tessel
