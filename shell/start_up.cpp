#include "shell/start_up.h"

#include <QApplication>

#include "shell/main_window.h"
#include "shell/single_instance.h"

namespace tessel {

int RunGame(QApplication& app, const QByteArray& activationToken) {
    SingleInstance instance(SingleInstance::SessionServerName());
    if (instance.askRunningCopy(activationToken)) return 0;
    instance.listen();

    // Creating the window prepares the images and the back buffer and draws the menu; its first paint
    // in portrait plays the splash.
    MainWindow window;
    QObject::connect(&instance, &SingleInstance::activationRequested, &window, &MainWindow::bringToFront);
    QObject::connect(&window, &MainWindow::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    window.show();
    app.exec();
    return 0;
}

}  // namespace tessel
