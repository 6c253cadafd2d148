// The records as a front end stores them: read at the start (and whenever another copy of the game wrote
// them), written after a game is solved on top of what is stored then, so that two copies (two tabs of
// one browser) add up rather than overwrite, and cleared on request. The front end lends the storage (a
// file, the site's storage); what is read, merged, written and removed is decided here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessel {

struct Session;

enum class RecordsStep : uint8_t {
    Read,   // the front end started, or another copy wrote: the session's records become those stored
    Write,  // a move was played: the games solved since the last write are stored
    Clear,  // the player asked: every record is forgotten, the stored ones too
};

// What the front end does with its storage after a step.
struct RecordsToStore {
    bool setAside = false;             // what is stored cannot be read: moved aside or dropped, never read
    std::optional<std::string> write;  // the text to store in place of what is stored
    bool remove = false;               // nothing is to be stored any more
};

// Whether a Write step has anything to write: only then need the front end read what it stores.
bool RecordsWaiting(const Session& session);

// One step of the records' keeping. `stored` is the text stored now ("" when nothing is stored), or none
// when there is no storage or it could not be read; a Clear step reads nothing. Stored records that
// cannot be read are set aside: a Read starts from none, a Write from the session's own.
RecordsToStore KeepRecords(Session& session, RecordsStep step, std::optional<std::string_view> stored);

}  // namespace tessel
