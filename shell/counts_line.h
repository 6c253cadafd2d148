// The line between the picture and the menu bar: the game's moves and time, small and quiet ("23 moves,
// 1:12"), blank on the menu. It follows every action, and the clock while it runs. Quiet grey in the classic
// look; in the looks made for low vision, the window's own text colour.
#pragma once

#include <QLabel>
#include <QTimer>

namespace tessel {

class GameView;

class CountsLine : public QLabel {
    Q_OBJECT

  public:
    explicit CountsLine(GameView& view, QWidget* parent = nullptr);

  public slots:
    void refresh();

  private:
    void followLook();

    GameView& view_;
    QTimer tick_;
};

}  // namespace tessel
