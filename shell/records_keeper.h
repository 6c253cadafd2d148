// Keeps the player's records (game/records.h) in $XDG_STATE_HOME/tessel/records, beside the kept game:
// read at the start, written whenever a game is solved (the file read again first, so that nothing
// counted meanwhile is lost) and cleared on request. A file that cannot be read is moved aside, never
// deleted, with one line on standard error; a folder that cannot be written is told once, and the game
// plays on.
#pragma once

#include <QObject>

#include <string>

#include "game/records_store.h"

namespace tessel {

struct Session;

class RecordsKeeper : public QObject {
    Q_OBJECT

  public:
    // `path` empty keeps nothing.
    RecordsKeeper(Session& session, std::string path, QObject* parent = nullptr);

    // The records file for a kept-game path: "records" in the same folder.
    static std::string PathBeside(const std::string& keptGamePath);

  public slots:
    // Writes the games solved since the last write, if there are any.
    void keep();
    // Forgets every record, in the file too.
    void clear();

  private:
    // One step of the records' keeping (game/records_store.h) on the file: a file that cannot be read is
    // moved aside.
    void step(RecordsStep step);
    void tell(const std::string& line);

    Session& session_;
    std::string path_;
    bool told_ = false;
};

}  // namespace tessel
