#include "game/records.h"

#include <vector>

#include "game/catalogue.h"
#include "game/game_id.h"
#include "game/screen_text.h"
#include "game/session.h"

namespace tessel {

namespace {

constexpr std::string_view HEADER = "tessel records 1";

bool IsPuzzleName(std::string_view name) {
    for (const Puzzle* puzzle : Puzzles()) {
        if (GameIdName(*puzzle) == name) return true;
    }
    return false;
}

std::string Number(const std::optional<uint32_t>& value) {
    return value ? std::to_string(*value) : "-";
}

// Digits only, no leading zero, within 32 bits.
std::optional<uint32_t> ReadNumber(std::string_view word) {
    if (word.empty() || word.size() > 10 || (word.size() > 1 && word[0] == '0')) return std::nullopt;
    uint64_t value = 0;
    for (const char c : word) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value > UINT32_MAX) return std::nullopt;
    return static_cast<uint32_t>(value);
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    for (std::size_t start = 0;;) {
        const std::size_t end = line.find(' ', start);
        words.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return words;
        start = end + 1;
    }
}

}  // namespace

Beaten AddSolve(Records& records, const Solve& solve) {
    PuzzleRecord& record = records[solve.puzzle];
    ++record.solved;
    if (solve.hinted) return {};
    Beaten beaten{record.fewestMoves && solve.moves < *record.fewestMoves,
                  record.shortestMs && solve.ms < *record.shortestMs};
    if (!record.fewestMoves || solve.moves < *record.fewestMoves) record.fewestMoves = solve.moves;
    if (!record.shortestMs || solve.ms < *record.shortestMs) record.shortestMs = solve.ms;
    return beaten;
}

std::string WriteRecords(const Records& records) {
    std::string text = std::string(HEADER) + "\n";
    for (const auto& [name, record] : records) {
        text += name + " " + std::to_string(record.solved) + " " + Number(record.fewestMoves) + " " +
                Number(record.shortestMs) + "\n";
    }
    return text;
}

std::optional<Records> ReadRecords(std::string_view text) {
    if (text.empty()) return Records{};
    Records records;
    if (!text.ends_with('\n')) return std::nullopt;
    bool header = true;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (header) {
            if (line != HEADER) return std::nullopt;
            header = false;
            continue;
        }
        const std::vector<std::string_view> words = Words(line);
        if (words.size() != 4 || !IsPuzzleName(words[0])) return std::nullopt;
        PuzzleRecord record;
        const std::optional<uint32_t> solved = ReadNumber(words[1]);
        if (!solved || *solved == 0) return std::nullopt;
        record.solved = *solved;
        for (const auto& [word, field] :
             {std::pair{words[2], &record.fewestMoves}, {words[3], &record.shortestMs}}) {
            if (word == "-") continue;
            *field = ReadNumber(word);
            if (!*field) return std::nullopt;
        }
        if (record.fewestMoves.has_value() != record.shortestMs.has_value()) return std::nullopt;
        if (!records.emplace(std::string(words[0]), record).second) return std::nullopt;
    }
    // Written in one order only: anything else was not written by the game.
    if (WriteRecords(records) != text) return std::nullopt;
    return records;
}

Records MergeSolves(std::optional<Records> stored, std::span<const Solve> solves) {
    Records records = stored ? std::move(*stored) : Records{};
    for (const Solve& solve : solves) AddSolve(records, solve);
    return records;
}

}  // namespace tessel
