// The yardstick for the desktop program's start: a bare Qt window with a menu bar at the bottom holding
// one menu of as many items as the game's, and a picture of the game's size, drawn at twice its size.
#include <QApplication>
#include <QImage>
#include <QMenuBar>
#include <QPainter>
#include <QVBoxLayout>
#include <QWidget>

namespace {

class Picture : public QWidget {
  public:
    Picture() : image_(239, 267, QImage::Format_RGB32) {
        image_.fill(Qt::white);
        setMinimumSize(image_.size() * 2);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(rect(), image_);
    }

  private:
    QImage image_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new Picture);
    auto* bar = new QMenuBar;
    bar->setNativeMenuBar(false);
    QMenu* tools = bar->addMenu(QStringLiteral("Tools"));
    for (int i = 0; i < 20; ++i) tools->addAction(QStringLiteral("Item %1").arg(i));
    layout->addWidget(bar);
    window.show();
    return application.exec();
}
