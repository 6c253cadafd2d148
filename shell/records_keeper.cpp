#include "shell/records_keeper.h"

#include <cstdio>

#include "game/catalogue.h"
#include "game/records_store.h"
#include "game/session.h"
#include "game/solve_log.h"
#include "shell/kept_file.h"

namespace tessel {

// Far more than six puzzles' lines.
const KeptKind RECORDS_KIND{"records",
                            4096,
                            KeepRecords,
                            RecordsWaiting,
                            &msg::RECORDS_STAY,
                            &msg::RECORDS_MOVED,
                            &msg::NOT_RECORDS,
                            &msg::RECORDS_NOT_KEPT,
                            &msg::RECORDS_NOT_REMOVED};
const KeptKind SOLVE_LOG_KIND{"solves",         SOLVE_LOG_MAX_SIZE,    KeepSolveLog,
                              SolvesWaiting,    &msg::SOLVES_STAY,     &msg::SOLVES_MOVED,
                              &msg::NOT_SOLVES, &msg::SOLVES_NOT_KEPT, &msg::SOLVES_NOT_REMOVED};

RecordsKeeper::RecordsKeeper(Session& session, std::string path, const KeptKind& kind, QObject* parent)
    : QObject(parent), session_(session), path_(std::move(path)), kind_(kind) {
    if (!path_.empty()) step(RecordsStep::Read);
}

std::string RecordsKeeper::PathBeside(const std::string& keptGamePath, const KeptKind& kind) {
    const std::size_t slash = keptGamePath.rfind('/');
    return slash == std::string::npos ? std::string() : keptGamePath.substr(0, slash + 1) + kind.fileName;
}

void RecordsKeeper::step(RecordsStep step) {
    KeptFile file;
    std::optional<std::string_view> stored;
    if (step != RecordsStep::Clear && !path_.empty()) {
        file = ReadKeptFile(path_, kind_.maxSize);
        if (file.found == KeptFile::NONE) stored = "";
        if (file.found == KeptFile::READ)
            stored = std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size());
    }
    const RecordsToStore store = kind_.step(session_, step, stored);
    if (path_.empty()) return;
    if (store.setAside) {
        const std::string why = file.found == KeptFile::READ ? Say(*kind_.notThis) : file.why;
        std::string moveFailed;
        const std::string aside = MoveKeptFileAside(path_, moveFailed);
        tell(aside.empty() ? Say(*kind_.stays, path_, why, moveFailed)
                           : Say(*kind_.moved, path_, why, aside));
    }
    if (store.write) {
        std::string failed = MakeKeptFolder(path_);
        if (failed.empty())
            failed = ReplaceKeptFile(
                path_, {reinterpret_cast<const uint8_t*>(store.write->data()), store.write->size()});
        if (!failed.empty()) tell(Say(*kind_.notKept, path_, failed));
    }
    if (store.remove) {
        if (const std::string failed = RemoveKeptFile(path_); !failed.empty())
            tell(Say(*kind_.notRemoved, path_, failed));
    }
}

void RecordsKeeper::keep() {
    if (kind_.waiting(session_)) step(RecordsStep::Write);
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
