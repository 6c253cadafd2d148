#include "shell/records_keeper.h"

#include <cstdio>

#include "game/catalogue.h"
#include "game/records_store.h"
#include "game/session.h"
#include "shell/kept_file.h"

namespace tessel {

namespace {

// Far more than six puzzles' lines.
constexpr std::size_t MAX_RECORDS_SIZE = 4096;

}  // namespace

RecordsKeeper::RecordsKeeper(Session& session, std::string path, QObject* parent)
    : QObject(parent), session_(session), path_(std::move(path)) {
    if (!path_.empty()) step(RecordsStep::Read);
}

std::string RecordsKeeper::PathBeside(const std::string& keptGamePath) {
    const std::size_t slash = keptGamePath.rfind('/');
    return slash == std::string::npos ? std::string() : keptGamePath.substr(0, slash + 1) + "records";
}

void RecordsKeeper::step(RecordsStep step) {
    KeptFile file;
    std::optional<std::string_view> stored;
    if (step != RecordsStep::Clear && !path_.empty()) {
        file = ReadKeptFile(path_, MAX_RECORDS_SIZE);
        if (file.found == KeptFile::NONE) stored = "";
        if (file.found == KeptFile::READ)
            stored = std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size());
    }
    const RecordsToStore store = KeepRecords(session_, step, stored);
    if (path_.empty()) return;
    if (store.setAside) {
        const std::string why = file.found == KeptFile::READ ? Say(msg::NOT_RECORDS) : file.why;
        std::string moveFailed;
        const std::string aside = MoveKeptFileAside(path_, moveFailed);
        tell(aside.empty() ? Say(msg::RECORDS_STAY, path_, why, moveFailed)
                           : Say(msg::RECORDS_MOVED, path_, why, aside));
    }
    if (store.write) {
        std::string failed = MakeKeptFolder(path_);
        if (failed.empty())
            failed = ReplaceKeptFile(
                path_, {reinterpret_cast<const uint8_t*>(store.write->data()), store.write->size()});
        if (!failed.empty()) tell(Say(msg::RECORDS_NOT_KEPT, path_, failed));
    }
    if (store.remove) {
        if (const std::string failed = RemoveKeptFile(path_); !failed.empty())
            tell(Say(msg::RECORDS_NOT_REMOVED, path_, failed));
    }
}

void RecordsKeeper::keep() {
    if (RecordsWaiting(session_)) step(RecordsStep::Write);
}

void RecordsKeeper::clear() {
    step(RecordsStep::Clear);
}

void RecordsKeeper::tell(const std::string& line) {
    if (told_) return;
    told_ = true;
    std::fprintf(stderr, "tessel: %s\n", line.c_str());
}

}  // namespace tessel
