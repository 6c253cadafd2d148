// Keeps the game in play across runs of the desktop program, as the web version keeps it across visits:
// read back at the start, to be shown after the splash, written after every move and again as the program
// ends, nothing kept once the menu shows. A file that cannot be read is moved aside, never deleted; a
// folder that cannot be written is told once, and the game plays on.
#pragma once

#include <QObject>

#include <cstdint>
#include <string>
#include <vector>

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
    // Writes the game as it stands, unless the file holds it already; on the menu, removes the file.
    void keep();

  private:
    void resume();
    // One line on standard error, the first time keeping fails in this run.
    void tellFailure(const std::string& what);

    MainWindow& window_;
    std::string path_;
    std::vector<uint8_t> kept_;  // what the file holds; empty when there is none
    bool folderMade_ = false;
    bool failureTold_ = false;
};

}  // namespace tessel
