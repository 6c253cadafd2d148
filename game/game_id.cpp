#include "game/game_id.h"

#include <vector>

#include "game/catalogue.h"
#include "game/day_board.h"
#include "game/screen_text.h"

namespace tessel {

namespace {

constexpr int32_t LOCKED_LINE_MAX = 4;

std::string Lowered(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return lowered;
}

// Digits only, no sign, no leading zero, below `limit`.
std::optional<uint32_t> ParseNumber(std::string_view word, uint64_t limit) {
    if (word.empty() || word.size() > 10 || (word.size() > 1 && word[0] == '0')) return std::nullopt;
    uint64_t value = 0;
    for (const char c : word) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value >= limit) return std::nullopt;
    return static_cast<uint32_t>(value);
}

std::vector<std::string_view> SplitOnHyphens(std::string_view text) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('-', start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

ReadGameId Refused(std::string error) {
    return {std::nullopt, std::move(error)};
}

// The three parts of a date, the first of which is a year of four digits or more (a locked column, the
// only other first of three parts, is one digit).
bool IsDateForm(const std::vector<std::string_view>& parts) {
    return parts.size() == 3 && parts[0].size() >= 4;
}

ReadGameId ReadDayId(const Puzzle& puzzle, const std::vector<std::string_view>& parts,
                     std::string_view text) {
    const std::string joined =
        std::string(parts[0]) + "-" + std::string(parts[1]) + "-" + std::string(parts[2]);
    const std::optional<Date> date = ParseDate(joined);
    if (!date) return Refused(Say(msg::GAME_ID_NO_DATE, Shown(text)));
    if (!HasDayBoard(*date)) return Refused(Say(msg::GAME_ID_DAY_RANGE, Shown(text)));
    return {GameId{&puzzle, DealOfDay(*date)}, {}};
}

}  // namespace

std::string Shown(std::string_view text) {
    constexpr std::size_t MAX_SHOWN = 40;
    std::string shown = "'";
    for (const char c : text.substr(0, MAX_SHOWN)) shown += c >= ' ' && c <= '~' ? c : '?';
    return shown + (text.size() > MAX_SHOWN ? "...'" : "'");
}

std::string GameIdName(const Puzzle& puzzle) {
    std::string name = Lowered(puzzle.name);
    for (char& c : name) c = c == ' ' ? '-' : c;
    return name;
}

std::string FormatGameId(const GameId& id) {
    std::string text = GameIdName(*id.puzzle) + "-";
    if (const std::optional<Date> day = DayOfSeed(id.deal.seed)) return text + FormatDate(*day);
    if (id.puzzle->dealsLockedLines)
        text += std::to_string(id.deal.lockedColumn) + "-" + std::to_string(id.deal.lockedRow) + "-";
    return text + std::to_string(id.deal.seed);
}

std::string GameIdOf(const Game& game) {
    const Puzzle* puzzle = FindPuzzle(game.screen);
    if (puzzle == nullptr || game.seedKnown == 0) return {};
    const Deal deal{game.seed, game.fixedColumn, game.fixedRow};
    // A day's seed with other locked lines than the day's is no board any ID names.
    if (const std::optional<Date> day = DayOfSeed(game.seed);
        day && puzzle->dealsLockedLines &&
        (DealOfDay(*day).lockedColumn != deal.lockedColumn || DealOfDay(*day).lockedRow != deal.lockedRow))
        return {};
    return FormatGameId({puzzle, deal});
}

ReadGameId ParseGameId(std::string_view text) {
    if (const std::size_t hash = text.rfind('#'); hash != std::string_view::npos)
        text = text.substr(hash + 1);
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return Refused(Say(msg::NO_GAME_ID));
    text = text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
    const std::string lowered = Lowered(text);

    const Puzzle* puzzle = nullptr;
    std::string names;
    for (const Puzzle* candidate : Puzzles()) {
        const std::string name = GameIdName(*candidate);
        names += (names.empty() ? "" : ", ") + name;
        if (lowered.starts_with(name + "-")) puzzle = candidate;
    }
    if (puzzle == nullptr) return Refused(Say(msg::GAME_ID_NO_PUZZLE, Shown(text), names));

    const std::string_view rest = std::string_view(lowered).substr(GameIdName(*puzzle).size() + 1);
    const std::vector<std::string_view> parts = SplitOnHyphens(rest);
    if (IsDateForm(parts)) return ReadDayId(*puzzle, parts, text);
    const bool locked = puzzle->dealsLockedLines;
    const std::string form = GameIdName(*puzzle) + (locked ? "-COLUMN-ROW-SEED" : "-SEED");
    if (parts.size() != (locked ? 3u : 1u))
        return Refused(
            Say(msg::GAME_ID_FORM, Shown(text), form + " or " + GameIdName(*puzzle) + "-YYYY-MM-DD"));
    const std::optional<uint32_t> seed = ParseNumber(parts.back(), SEED_LIMIT);
    if (!seed) return Refused(Say(msg::GAME_ID_SEED, Shown(text), SEED_LIMIT - 1));
    GameId id{puzzle, {*seed}};
    if (locked) {
        const std::optional<uint32_t> column = ParseNumber(parts[0], LOCKED_LINE_MAX + 1);
        const std::optional<uint32_t> row = ParseNumber(parts[1], LOCKED_LINE_MAX + 1);
        if (!column || !row || *column == 0 || *row == 0)
            return Refused(Say(msg::GAME_ID_LOCKED, Shown(text), form));
        id.deal.lockedColumn = static_cast<int32_t>(*column);
        id.deal.lockedRow = static_cast<int32_t>(*row);
    }
    return {id, {}};
}

}  // namespace tessel
