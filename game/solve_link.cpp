#include "game/solve_link.h"

#include <algorithm>

#include "core/layout.h"
#include "game/catalogue.h"
#include "game/day_board.h"
#include "game/game_id.h"
#include "game/history.h"
#include "game/session.h"

namespace tessel {

namespace {

constexpr std::string_view DIGITS = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
constexpr int TAP_DIGITS = 3;
constexpr uint32_t TIME_BITS = 5;
constexpr uint32_t MORE = 32;  // added to every digit of a time but its last

static_assert(SURFACE_WIDTH * SURFACE_HEIGHT <= 64 * 64 * 64, "a tap fits in three digits");

int DigitValue(char c) {
    const std::size_t at = DIGITS.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

void PutTap(std::string& out, const TimedTap& tap) {
    // Only taps on the picture come from a pointer; one beyond its edge acts as the tap on the edge.
    const uint32_t x = std::min<uint32_t>(tap.x, SURFACE_WIDTH - 1);
    const uint32_t y = std::min<uint32_t>(tap.y, SURFACE_HEIGHT - 1);
    const uint32_t value = y * SURFACE_WIDTH + x;
    for (int i = TAP_DIGITS - 1; i >= 0; --i) out += DIGITS[value >> (6 * i) & 63];
}

void PutTime(std::string& out, uint32_t ms) {
    int groups = 1;
    while (groups < 7 && (ms >> (TIME_BITS * groups)) != 0) ++groups;
    for (int i = groups - 1; i >= 0; --i) out += DIGITS[(ms >> (TIME_BITS * i) & 31) | (i > 0 ? MORE : 0)];
}

ReadSolveLink Refused(std::string error) {
    return {std::nullopt, std::move(error)};
}

// Reads the moves after the form's dot, or says what is wrong with them.
class MovesReader {
  public:
    explicit MovesReader(std::string_view text) : text_(text) {}

    // The next move, read into `tap`; false with the error set when it cannot be read.
    bool Next(TimedTap& tap, uint32_t& clock) {
        const std::size_t number = ++moves_;
        uint32_t value = 0;
        for (int i = 0; i < TAP_DIGITS; ++i) {
            const int digit = Digit(number);
            if (digit < 0) return false;
            value = value << 6 | static_cast<uint32_t>(digit);
        }
        tap.x = static_cast<uint16_t>(value % SURFACE_WIDTH);
        tap.y = static_cast<uint16_t>(value / SURFACE_WIDTH);
        if (tap.y >= SURFACE_HEIGHT) return Fail(Say(msg::LINK_OFF_PICTURE, number));
        uint64_t since = 0;
        for (bool first = true;; first = false) {
            const int digit = Digit(number);
            if (digit < 0) return false;
            if (first && digit == static_cast<int>(MORE)) return Fail(Say(msg::LINK_ZERO_DIGIT, number));
            since = since << TIME_BITS | (static_cast<uint32_t>(digit) & 31);
            if (uint64_t{clock} + since > UINT32_MAX) return Fail(Say(msg::LINK_TOO_SLOW));
            if ((static_cast<uint32_t>(digit) & MORE) == 0) break;
        }
        clock += static_cast<uint32_t>(since);
        tap.ms = clock;
        return true;
    }
    bool AtEnd() const { return at_ == text_.size(); }
    const std::string& error() const { return error_; }

  private:
    int Digit(std::size_t move) {
        if (at_ == text_.size()) return Fail(Say(msg::LINK_CUT_SHORT, move)), -1;
        const char c = text_[at_++];
        const int value = DigitValue(c);
        if (value < 0) Fail(Say(msg::LINK_CHARACTER, Shown(std::string_view(&text_[at_ - 1], 1))));
        return value;
    }
    bool Fail(std::string error) {
        error_ = std::move(error);
        return false;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t moves_ = 0;
    std::string error_;
};

std::string_view Trimmed(std::string_view text) {
    if (const std::size_t hash = text.rfind('#'); hash != std::string_view::npos)
        text = text.substr(hash + 1);
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

std::string WriteSolveLink(const LoggedSolve& solve) {
    if (solve.gameId.empty() || solve.taps.size() != solve.moves || solve.taps.empty()) return {};
    std::string link = solve.gameId + "." + std::to_string(SOLVE_LINK_FORM) + ".";
    uint32_t clock = 0;
    for (const TimedTap& tap : solve.taps) {
        PutTap(link, tap);
        // Times never run back; a move timed before the one ahead of it counts as played with it.
        PutTime(link, tap.ms > clock ? tap.ms - clock : 0);
        clock = std::max(clock, tap.ms);
    }
    return link;
}

ReadSolveLink ParseSolveLink(std::string_view text) {
    text = Trimmed(text);
    if (text.empty()) return Refused(Say(msg::NO_SOLVE_LINK));
    const std::string shown = Shown(text);
    const std::size_t idEnd = text.find('.');
    const std::size_t formEnd = idEnd == std::string_view::npos ? idEnd : text.find('.', idEnd + 1);
    if (formEnd == std::string_view::npos) return Refused(Say(msg::LINK_SHAPE, shown));
    const ReadGameId id = ParseGameId(text.substr(0, idEnd));
    if (!id.id) return Refused(Say(msg::LINK_REFUSED, shown, id.error));
    const std::string_view form = text.substr(idEnd + 1, formEnd - idEnd - 1);
    if (form != std::to_string(SOLVE_LINK_FORM))
        return Refused(Say(msg::LINK_FORM, shown, Shown(form), SOLVE_LINK_FORM));
    const std::string_view moves = text.substr(formEnd + 1);
    if (moves.empty()) return Refused(Say(msg::LINK_NO_MOVES, shown));

    LoggedSolve solve;
    solve.puzzle = GameIdName(*id.id->puzzle);
    solve.gameId = FormatGameId(*id.id);
    MovesReader reader(moves);
    uint32_t clock = 0;
    while (!reader.AtEnd()) {
        if (solve.taps.size() == HISTORY_LIMIT) return Refused(Say(msg::LINK_TOO_LONG, shown, HISTORY_LIMIT));
        TimedTap tap;
        if (!reader.Next(tap, clock)) return Refused(Say(msg::LINK_REFUSED, shown, reader.error()));
        solve.taps.push_back(tap);
    }
    solve.moves = static_cast<uint32_t>(solve.taps.size());
    solve.ms = clock;
    return {std::move(solve), {}};
}

bool LooksLikeSolveLink(std::string_view text) {
    return text.find('.') != std::string_view::npos;
}

std::string DayResultLine(const LoggedSolve& solve, std::string_view linkStart) {
    const ReadGameId id = ParseGameId(solve.gameId);
    const std::string link = WriteSolveLink(solve);
    if (!id.id || link.empty()) return {};
    const std::optional<Date> day = DayOfSeed(id.id->deal.seed);
    if (!day) return {};
    return Say(msg::DAY_RESULT, PuzzleName(*id.id->puzzle), FormatDate(*day), solve.moves,
               ClockText(solve.ms), std::string(linkStart) + link);
}

}  // namespace tessel
