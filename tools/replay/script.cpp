#include "tools/replay/script.h"

#include "game/game_id.h"
#include "game/solve_link.h"

#include <optional>
#include <vector>

namespace tessel::replay {

namespace {

std::vector<std::string_view> SplitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t pos = 0;
    while (pos < line.size()) {
        const std::size_t start = line.find_first_not_of(" \t", pos);
        if (start == std::string_view::npos) break;
        const std::size_t end = std::min(line.find_first_of(" \t", start), line.size());
        words.push_back(line.substr(start, end - start));
        pos = end;
    }
    return words;
}

// Digits only, no sign, at most `max`.
std::optional<uint64_t> ParseWhole(std::string_view word, uint64_t max) {
    if (word.empty()) return std::nullopt;
    uint64_t value = 0;
    for (const char c : word) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > max) return std::nullopt;
    }
    return value;
}

Command Invalid(std::string error) {
    return {CommandKind::Invalid, 0, 0, 0, std::move(error), {}};
}

std::string Quoted(std::string_view word) {
    // A stray binary line should neither flood the terminal nor send it control codes: bytes other than
    // printable ASCII are shown as \xNN.
    constexpr std::size_t MAX_SHOWN = 24;
    constexpr std::string_view HEX = "0123456789abcdef";
    std::string quoted(1, '\'');
    for (const char c : word.substr(0, MAX_SHOWN)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= ' ' && byte <= '~') {
            quoted.push_back(c);
        } else {
            quoted += {'\\', 'x', HEX[byte >> 4], HEX[byte & 0xF]};
        }
    }
    if (word.size() > MAX_SHOWN) quoted.append("...");
    quoted.push_back('\'');
    return quoted;
}

}  // namespace

std::string_view CommandWord(CommandKind kind) {
    switch (kind) {
        case CommandKind::Tick:
            return "tick";
        case CommandKind::Splash:
            return "splash";
        case CommandKind::Tap:
            return "tap";
        case CommandKind::Press:
            return "press";
        case CommandKind::Move:
            return "move";
        case CommandKind::Release:
            return "release";
        case CommandKind::Cancel:
            return "cancel";
        case CommandKind::Key:
            return "key";
        case CommandKind::Keep:
            return "keep";
        case CommandKind::Resume:
            return "resume";
        case CommandKind::Undo:
            return "undo";
        case CommandKind::Redo:
            return "redo";
        case CommandKind::Hint:
            return "hint";
        case CommandKind::Game:
            return "game";
        case CommandKind::Watch:
            return "watch";
        case CommandKind::Stats:
            return "stats";
        default:
            return "";
    }
}

Command ParseLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (const std::size_t hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
    const std::vector<std::string_view> words = SplitWords(line);
    if (words.empty()) return {};

    const std::string_view word = words[0];
    const auto expectArguments = [&](std::size_t count, std::string_view usage) -> std::optional<Command> {
        if (words.size() == count + 1) return std::nullopt;
        return Invalid(std::string(word) + " takes " + std::to_string(count) + " value" +
                       (count == 1 ? "" : "s") + " (" + std::string(usage) + "), got " +
                       std::to_string(words.size() - 1));
    };
    if (word == "tick") {
        if (auto bad = expectArguments(1, "tick N")) return *bad;
        const auto ticks = ParseWhole(words[1], UINT32_MAX);
        if (!ticks)
            return Invalid("tick count " + Quoted(words[1]) + " is not a whole number from 0 to 4294967295");
        return {CommandKind::Tick, static_cast<uint32_t>(*ticks), 0, 0, {}, {}};
    }
    for (const CommandKind kind :
         {CommandKind::Splash, CommandKind::Undo, CommandKind::Redo, CommandKind::Hint, CommandKind::Release,
          CommandKind::Cancel, CommandKind::Stats}) {
        if (word != CommandWord(kind)) continue;
        if (auto bad = expectArguments(0, word)) return *bad;
        return {kind, 0, 0, 0, {}, {}};
    }
    for (const CommandKind kind : {CommandKind::Tap, CommandKind::Press, CommandKind::Move}) {
        if (word != CommandWord(kind)) continue;
        if (auto bad = expectArguments(2, std::string(word) + " X Y")) return *bad;
        const auto x = ParseWhole(words[1], UINT16_MAX);
        const auto y = ParseWhole(words[2], UINT16_MAX);
        if (!x)
            return Invalid(std::string(word) + " x " + Quoted(words[1]) +
                           " is not a whole number from 0 to 65535");
        if (!y)
            return Invalid(std::string(word) + " y " + Quoted(words[2]) +
                           " is not a whole number from 0 to 65535");
        return {kind, 0, static_cast<uint16_t>(*x), static_cast<uint16_t>(*y), {}, {}};
    }
    if (word == "key") {
        if (auto bad = expectArguments(1, "key NAME")) return *bad;
        const std::optional<Key> key = ParseKey(words[1]);
        if (!key)
            return Invalid("key " + Quoted(words[1]) +
                           " is unknown (Left, Right, Up, Down, Shift+arrow, Enter, Space or Escape)");
        Command command{CommandKind::Key, 0, 0, 0, {}, {}};
        command.key = *key;
        return command;
    }
    if (word == "keep" || word == "resume") {
        const bool keep = word == "keep";
        if (auto bad = expectArguments(1, keep ? "keep FILE" : "resume FILE")) return *bad;
        return {keep ? CommandKind::Keep : CommandKind::Resume, 0, 0, 0, {}, std::string(words[1])};
    }
    if (word == "game") {
        if (auto bad = expectArguments(1, "game ID")) return *bad;
        const ReadGameId read = ParseGameId(words[1]);
        if (!read.id) return Invalid(read.error);
        return {CommandKind::Game, 0, 0, 0, {}, std::string(words[1])};
    }
    if (word == "watch") {
        if (auto bad = expectArguments(1, "watch LINK")) return *bad;
        const ReadSolveLink read = ParseSolveLink(words[1]);
        if (!read.solve) return Invalid(read.error);
        return {CommandKind::Watch, 0, 0, 0, {}, std::string(words[1])};
    }
    return Invalid("unknown command " + Quoted(word) +
                   " (expected tick, splash, tap, press, move, release, cancel, key, undo, redo, hint, game, "
                   "watch, keep, resume or stats)");
}

}  // namespace tessel::replay
