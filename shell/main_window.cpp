#include "shell/main_window.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include "shell/about_dialog.h"
#include "shell/game_view.h"
#include "shell/icon.h"
#include "shell/strings.h"

namespace tessel {

MainWindow::MainWindow() : about_(QStringLiteral("About")), close_(QStringLiteral("Close")) {
    setObjectName(LoadString(IDS_CLASS_NAME));
    setWindowTitle(LoadString(IDS_APP_TITLE));
    setWindowIcon(TesselIcon());

    menuBar_ = new QMenuBar(this);
    menuBar_->setNativeMenuBar(false);
    QMenu* tools = menuBar_->addMenu(LoadString(IDS_TOOLS));
    tools->addAction(&about_);

    // The accelerators belong to the window itself, so they work wherever the focus is in it.
    about_.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    close_.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    addAction(&about_);
    addAction(&close_);
    connect(&about_, &QAction::triggered, this, &MainWindow::showAbout);
    connect(&close_, &QAction::triggered, this, &QWidget::close);

    view_ = new GameView(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view_, 1);
    layout->addWidget(menuBar_);

    // The game area starts at its natural size: the back buffer and a white pixel beside and below it.
    resize(GameView::AREA_WIDTH, GameView::AREA_HEIGHT + menuBar_->sizeHint().height());
}

void MainWindow::showAbout() {
    AboutDialog dialog(this);
    // The dialog covers the whole game window, as a full-screen page would.
    dialog.setGeometry(geometry());
    dialog.exec();
}

void MainWindow::bringToFront(const QByteArray& activationToken) {
    // The Wayland platform activates with the token found in the environment.
    if (!activationToken.isEmpty()) qputenv("XDG_ACTIVATION_TOKEN", activationToken);
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

}  // namespace tessel
