// Keeps the game in play across runs of the desktop program, as the web version keeps it across visits:
// read back at the start, to be shown after the splash, written after every move (on a thread of its own,
// so the next move never waits for the disk) and once more as the program ends, nothing kept once the menu
// shows. A file that cannot be read is moved aside, never deleted; a folder that cannot be written is told
// once, and the game plays on.
#pragma once

#include <QObject>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "shell/kept_file.h"

namespace tessel {

class MainWindow;

class GameKeeper : public QObject {
    Q_OBJECT

  public:
    // Brings back the game kept in the file at `path`, if there is one, into the window, which is not shown
    // yet; keeps the game from now on after every move and when the window closes. An empty path keeps
    // nothing.
    GameKeeper(MainWindow& window, std::string path);

  public slots:
    // Has the game written as it stands, unless the file holds it already; on the menu, the file removed.
    void keep();
    // The same, and returns once it is on the disk: for the program's end.
    void keepNow();

  private:
    // The path to write to, or empty when nothing may be kept.
    std::string resume(const std::string& path);

    MainWindow& window_;
    std::vector<uint8_t> kept_;  // what the file holds, or will once written; empty when there is none
    std::optional<KeptFileWriter> writer_;
};

}  // namespace tessel
