// The file in which the desktop program keeps the game in play between runs: where it lives for this user,
// and how it is read, replaced and moved aside. Plain POSIX, so that the benchmark times the very same steps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
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

}  // namespace tessel
