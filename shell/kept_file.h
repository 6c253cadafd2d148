// The file in which the desktop program keeps the game in play between runs: where it lives for this user,
// and how it is read, replaced and moved aside. Plain POSIX, so that the benchmark times the very same steps.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace tessel {

// $XDG_STATE_HOME/tessel/kept-game, or $HOME/.local/state/tessel/kept-game when XDG_STATE_HOME is unset or
// not an absolute path. Empty when HOME is not one either.
std::string KeptFilePath(const char* stateHome, const char* home);

struct KeptFile {
    enum Found { NONE, READ, UNREADABLE } found = NONE;
    std::vector<uint8_t> bytes;  // READ: the whole file
    std::string why;             // UNREADABLE: what stood in the way
};

// Reads the file whole when it is a regular file of at most maxSize bytes; anything else there (a folder, a
// link, a pipe, a longer file, one that cannot be opened) is UNREADABLE. Never blocks, never follows a link.
KeptFile ReadKeptFile(const std::string& path, std::size_t maxSize);

// Moves an unreadable file aside, beside it and under a name no other file has: PATH.unreadable, or else
// PATH.unreadable-2, -3 and so on. Returns the new path, or empty with what went wrong in `why`.
std::string MoveKeptFileAside(const std::string& path, std::string& why);

// Creates the file's folder and any missing folders above it, each private to the user (0700). Returns what
// went wrong; empty when the folder is there.
std::string MakeKeptFolder(const std::string& path);

// Replaces the file with `bytes`, whole or not at all: a new file beside it (0600) is written, flushed to
// the disk and renamed over the old one. Returns what went wrong; the old file is then as it was.
std::string ReplaceKeptFile(const std::string& path, std::span<const uint8_t> bytes);

// Removes the file; none there is no error. Returns what went wrong.
std::string RemoveKeptFile(const std::string& path);

// Keeps the file on a thread of its own, so that a move never waits for the disk: of the games handed over
// while a write is under way, only the latest is written next. A failure is told once, in one line on
// standard error. Ending, it writes what is still to write.
class KeptFileWriter {
  public:
    explicit KeptFileWriter(std::string path);
    ~KeptFileWriter();
    KeptFileWriter(const KeptFileWriter&) = delete;
    KeptFileWriter& operator=(const KeptFileWriter&) = delete;

    // The file's next contents; none removes it.
    void write(std::vector<uint8_t> bytes);
    // Returns once everything handed over is written, or has failed.
    void wait();

  private:
    void run();
    std::string put(const std::vector<uint8_t>& bytes);  // the file's folder made, if need be, and the file
    void tellFailure(const std::string& what);

    const std::string path_;
    bool folderMade_ = false;  // these two only on the thread
    bool failureTold_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<std::vector<uint8_t>> next_;
    bool writing_ = false;
    bool ending_ = false;
    std::thread thread_;  // last, started once the rest is there
};

}  // namespace tessel
