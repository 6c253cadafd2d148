#include "shell/records_keeper.h"

#include <cstdio>

#include "game/session.h"
#include "shell/kept_file.h"

namespace tessel {

namespace {

// Far more than six puzzles' lines.
constexpr std::size_t MAX_RECORDS_SIZE = 4096;

}  // namespace

RecordsKeeper::RecordsKeeper(Session& session, std::string path, QObject* parent)
    : QObject(parent), session_(session), path_(std::move(path)) {
    if (path_.empty()) return;
    if (std::optional<Records> records = read()) session_.records = std::move(*records);
}

std::string RecordsKeeper::PathBeside(const std::string& keptGamePath) {
    const std::size_t slash = keptGamePath.rfind('/');
    return slash == std::string::npos ? std::string() : keptGamePath.substr(0, slash + 1) + "records";
}

std::optional<Records> RecordsKeeper::read() {
    const KeptFile file = ReadKeptFile(path_, MAX_RECORDS_SIZE);
    if (file.found == KeptFile::NONE) return Records{};
    std::optional<Records> records;
    if (file.found == KeptFile::READ)
        records = ReadRecords(
            std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()));
    if (records) return records;
    std::string why = file.found == KeptFile::READ ? "not records this version wrote" : file.why;
    std::string moveFailed;
    const std::string aside = MoveKeptFileAside(path_, moveFailed);
    tell("the records " + path_ + " cannot be read (" + why + "); " +
         (aside.empty() ? "nor moved aside (" + moveFailed + ")" : "moved them to " + aside));
    return std::nullopt;
}

void RecordsKeeper::keep() {
    if (session_.solvesToKeep.empty()) return;
    Records records = MergeSolves(path_.empty() ? Records{} : read(), session_.solvesToKeep);
    session_.solvesToKeep.clear();
    if (!path_.empty()) {
        const std::string text = WriteRecords(records);
        std::string failed = MakeKeptFolder(path_);
        if (failed.empty())
            failed = ReplaceKeptFile(path_, {reinterpret_cast<const uint8_t*>(text.data()), text.size()});
        if (!failed.empty()) tell("the records cannot be kept in " + path_ + " (" + failed + ")");
    }
    session_.records = std::move(records);
}

void RecordsKeeper::clear() {
    session_.records.clear();
    session_.solvesToKeep.clear();
    if (path_.empty()) return;
    if (const std::string failed = RemoveKeptFile(path_); !failed.empty())
        tell("the records " + path_ + " cannot be removed (" + failed + ")");
}

void RecordsKeeper::tell(const std::string& line) {
    if (told_) return;
    told_ = true;
    std::fprintf(stderr, "tessel: %s\n", line.c_str());
}

}  // namespace tessel
