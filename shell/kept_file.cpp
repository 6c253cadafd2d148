#include "shell/kept_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "game/catalogue.h"

namespace tessel {

namespace {

constexpr mode_t PRIVATE_FOLDER = 0700;

std::string Error() {
    return std::strerror(errno);
}

// Closes the descriptor when it goes.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

// Renames without replacing what is at `to`. Where the file system cannot refuse a replacement itself, a
// look first does.
bool RenameUnlessTaken(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    struct stat taken {};
    if (lstat(to.c_str(), &taken) == 0) {
        errno = EEXIST;
        return false;
    }
    return rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace

std::string KeptFilePath(const char* stateHome, const char* home) {
    const std::string file = "/tessel/kept-game";
    if (stateHome != nullptr && stateHome[0] == '/') return stateHome + file;
    if (home != nullptr && home[0] == '/') return home + ("/.local/state" + file);
    return {};
}

KeptFile ReadKeptFile(const std::string& path, std::size_t maxSize) {
    const Descriptor fd(open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return {};  // no file there, nor maybe its folder
        return {KeptFile::UNREADABLE, {}, errno == ELOOP ? Say(msg::FILE_IS_LINK) : Error()};
    }
    struct stat status {};
    if (fstat(fd.get(), &status) != 0) return {KeptFile::UNREADABLE, {}, Error()};
    if (!S_ISREG(status.st_mode)) return {KeptFile::UNREADABLE, {}, Say(msg::NOT_A_FILE)};
    // Room for the file as it stands, growing should it grow meanwhile, up to one byte past the most read.
    const auto stated = static_cast<std::size_t>(std::max<off_t>(status.st_size, 0));
    KeptFile kept{KeptFile::READ, std::vector<uint8_t>(std::min(stated, maxSize) + 1), {}};
    std::size_t size = 0;
    while (size < maxSize + 1) {
        if (size == kept.bytes.size()) kept.bytes.resize(std::min(2 * size, maxSize + 1));
        const ssize_t got = read(fd.get(), kept.bytes.data() + size, kept.bytes.size() - size);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return {KeptFile::UNREADABLE, {}, Error()};
        if (got == 0) break;
        size += static_cast<std::size_t>(got);
    }
    if (size > maxSize) return {KeptFile::UNREADABLE, {}, Say(msg::FILE_TOO_LONG)};
    kept.bytes.resize(size);
    return kept;
}

std::string MoveKeptFileAside(const std::string& path, std::string& why) {
    constexpr int NAMES_TRIED = 100;
    for (int n = 1; n <= NAMES_TRIED; ++n) {
        std::string aside = path + ".unreadable";
        if (n > 1) aside += '-' + std::to_string(n);
        if (RenameUnlessTaken(path, aside)) return aside;
        if (errno != EEXIST && errno != ENOTEMPTY) break;
    }
    why = Error();
    return {};
}

std::string MakeKeptFolder(const std::string& path) {
    // Each folder from the top down; those already there are left as they are.
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (mkdir(folder.c_str(), PRIVATE_FOLDER) != 0 && errno != EEXIST)
            return Say(msg::FOLDER_ERROR, folder, Error());
    }
    struct stat status {};
    const std::string folder = path.substr(0, path.rfind('/'));
    if (stat(folder.c_str(), &status) != 0) return Say(msg::FOLDER_ERROR, folder, Error());
    if (!S_ISDIR(status.st_mode)) return Say(msg::NOT_A_FOLDER, folder);
    return {};
}

std::string ReplaceKeptFile(const std::string& path, std::span<const uint8_t> bytes) {
    std::string fresh = path + ".XXXXXX";
    const Descriptor fd(mkostemp(fresh.data(), O_CLOEXEC));  // made 0600
    if (fd.get() < 0) return Error();
    if (!WriteAll(fd.get(), bytes) || fdatasync(fd.get()) != 0 || rename(fresh.c_str(), path.c_str()) != 0) {
        std::string error = Error();
        unlink(fresh.c_str());
        return error;
    }
    return {};
}

std::string RemoveKeptFile(const std::string& path) {
    return unlink(path.c_str()) == 0 || errno == ENOENT ? std::string() : Error();
}

KeptFileWriter::KeptFileWriter(std::string path) : path_(std::move(path)), thread_([this] { run(); }) {}

KeptFileWriter::~KeptFileWriter() {
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void KeptFileWriter::write(std::vector<uint8_t> bytes) {
    {
        const std::lock_guard lock(mutex_);
        next_ = std::move(bytes);
    }
    changed_.notify_all();
}

void KeptFileWriter::wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return !next_ && !writing_; });
}

void KeptFileWriter::run() {
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [&] { return next_ || ending_; });
        if (!next_) return;
        const std::vector<uint8_t> bytes = std::move(*next_);
        next_.reset();
        writing_ = true;
        lock.unlock();
        if (const std::string error = put(bytes); !error.empty()) tellFailure(error);
        lock.lock();
        writing_ = false;
        changed_.notify_all();
    }
}

std::string KeptFileWriter::put(const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) return RemoveKeptFile(path_);
    if (!folderMade_) {
        if (std::string error = MakeKeptFolder(path_); !error.empty()) return error;
        folderMade_ = true;
    }
    return ReplaceKeptFile(path_, bytes);
}

void KeptFileWriter::tellFailure(const std::string& what) {
    if (failureTold_) return;
    failureTold_ = true;
    std::fprintf(stderr, "tessel: %s\n", Say(msg::GAME_NOT_KEPT, path_, what).c_str());
}

}  // namespace tessel
