// Keeps the player's records (game/records.h) in $XDG_STATE_HOME/tessel/records, and the log of solves
// (game/solve_log.h) in .../solves, beside the kept game: read at the start, written whenever a game is
// solved (the file read again first, so that nothing counted meanwhile, by another copy too, is lost) and
// cleared on request. A file that cannot be read is moved aside, never deleted, with one line on standard
// error; a folder that cannot be written is told once, and the game plays on.
#pragma once

#include <QObject>

#include <string>

#include "game/records_store.h"
#include "game/words.h"

namespace tessel {

struct Session;

// What is kept in one file, and how: the records, or the log of solves.
struct KeptKind {
    const char* fileName;  // beside the kept game
    std::size_t maxSize;   // a longer file is none the game wrote
    RecordsToStore (*step)(Session&, RecordsStep, std::optional<std::string_view>);
    bool (*waiting)(const Session&);
    // The one line told: the file cannot be read (why) nor moved aside; moved aside; what it holds is not
    // this version's; it cannot be written; it cannot be removed.
    const Message* stays;
    const Message* moved;
    const Message* notThis;
    const Message* notKept;
    const Message* notRemoved;
};
extern const KeptKind RECORDS_KIND;
extern const KeptKind SOLVE_LOG_KIND;

class RecordsKeeper : public QObject {
    Q_OBJECT

  public:
    // `path` empty keeps nothing.
    RecordsKeeper(Session& session, std::string path, const KeptKind& kind = RECORDS_KIND,
                  QObject* parent = nullptr);

    // The file of a kind for a kept-game path: "records" (or the kind's name) in the same folder.
    static std::string PathBeside(const std::string& keptGamePath, const KeptKind& kind = RECORDS_KIND);

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
    const KeptKind& kind_;
    bool told_ = false;
};

}  // namespace tessel
