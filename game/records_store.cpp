#include "game/records_store.h"

#include "game/records.h"
#include "game/session.h"

namespace tessel {

bool RecordsWaiting(const Session& session) {
    return !session.solvesToKeep.empty();
}

RecordsToStore KeepRecords(Session& session, RecordsStep step, std::optional<std::string_view> stored) {
    RecordsToStore store;
    if (step == RecordsStep::Clear) {
        session.records.clear();
        session.solvesToKeep.clear();
        store.remove = true;
        return store;
    }
    if (step == RecordsStep::Write && !RecordsWaiting(session)) return store;
    std::optional<Records> read = stored ? ReadRecords(*stored) : std::nullopt;
    store.setAside = !read;
    if (step == RecordsStep::Read) {
        session.records = read ? std::move(*read) : Records{};
        return store;
    }
    // Read again just now, so that another copy's games count too; when they cannot be, this copy's own
    // records, which hold its games since already, stand in for them, so that no solve is lost.
    if (read) session.records = MergeSolves(std::move(read), session.solvesToKeep);
    session.solvesToKeep.clear();
    store.write = WriteRecords(session.records);
    return store;
}

}  // namespace tessel
