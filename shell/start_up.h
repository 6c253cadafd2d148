// The program from start to end, after the application object exists.
#pragma once

#include <QByteArray>

class QApplication;

namespace tessel {

// Ends at once when a copy is already running (asking it to come to the front); otherwise creates the
// window, shows it, and runs until it is closed. The exit status is 0 in every case.
int RunGame(QApplication& app, const QByteArray& activationToken);

}  // namespace tessel
