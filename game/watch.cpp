#include "game/watch.h"

#include <algorithm>

#include "game/catalogue.h"
#include "game/game_id.h"
#include "game/tap_cycle.h"
#include "puzzles/puzzle_table.h"

namespace tessel {

namespace {

// Plays a move of the solve on its game, the clock reading the move's time.
void PlayMove(Session& session, const TimedTap& tap) {
    session.clock.counted = tap.ms;
    Tap(session, tap.x, tap.y);
}

// Where move `index` falls due on the watching's clock.
uint32_t DueAt(const Watch& watch, std::size_t index) {
    return WATCH_LEAD_MS + watch.solve.taps[index].ms;
}

// The watched clock shows the solve's time at the point the watching stands, from the first move on.
void ShowTime(Watch& watch) {
    if (watch.played == 0) return;
    const uint32_t last = watch.solve.taps[watch.played - 1].ms;
    const uint32_t at = watch.at > WATCH_LEAD_MS ? watch.at - WATCH_LEAD_MS : 0;
    watch.session.clock.counted = WatchEnded(watch) ? last : std::max(last, at);
}

void PlayNext(Watch& watch) {
    PlayMove(watch.session, watch.solve.taps[watch.played]);
    ++watch.played;
}

}  // namespace

std::string CheckSolve(const LoggedSolve& solve) {
    const ReadGameId id = ParseGameId(solve.gameId);
    if (!id.id) return id.error;
    if (solve.taps.empty()) return Say(msg::SOLVE_UNSOLVED);
    auto session = std::make_unique<Session>();
    session->game.splashPending = 0;
    session->clock.held = true;
    PlayGameId(*session, *id.id);
    for (std::size_t i = 0; i < solve.taps.size(); ++i) {
        if (session->game.solved != 0) return Say(msg::SOLVE_SOLVED_EARLY, i, solve.taps.size());
        const std::size_t before = UndoCount(session->history);
        PlayMove(*session, solve.taps[i]);
        if (UndoCount(session->history) != before + 1 || session->game.screen != id.id->puzzle->screen)
            return Say(msg::SOLVE_IDLE_MOVE, i + 1);
    }
    if (session->game.solved == 0) return Say(msg::SOLVE_UNSOLVED);
    return {};
}

std::unique_ptr<Watch> StartWatch(const LoggedSolve& solve, const Game& shownLike) {
    auto watch = std::make_unique<Watch>();
    watch->solve = solve;
    watch->session.game.look = shownLike.look;
    PrepareSurfaces(watch->session.game);
    watch->session.game.splashPending = 0;
    watch->session.clock.held = true;
    watch->session.game.presenter = shownLike.presenter;
    PlayGameId(watch->session, *ParseGameId(solve.gameId).id);
    return watch;
}

void AdvanceWatch(Watch& watch, uint32_t ms) {
    if (watch.paused || WatchEnded(watch)) return;
    watch.at += ms * static_cast<uint32_t>(watch.speed);
    // Moves falling due together are said together: a screen reader hears only the last words given.
    std::string said;
    while (!WatchEnded(watch) && DueAt(watch, watch.played) <= watch.at) {
        PlayNext(watch);
        const std::string words = TakePlayedWords(watch.session);
        said = said.empty() || words.empty() ? said + words : Say(msg::MOVES_TOGETHER, said, words);
    }
    if (!said.empty()) watch.session.played.words = said;
    ShowTime(watch);
}

bool StepWatch(Watch& watch) {
    if (WatchEnded(watch)) return false;
    watch.paused = true;
    watch.at = std::max(watch.at, DueAt(watch, watch.played));
    PlayNext(watch);
    ShowTime(watch);
    return true;
}

void FinishWatch(Watch& watch) {
    while (StepWatch(watch)) {
    }
}

void PauseWatch(Watch& watch, bool paused) {
    watch.paused = paused;
}

void SetWatchSpeed(Watch& watch, int32_t speed) {
    if (speed == 1 || speed == 2 || speed == 4) watch.speed = speed;
}

bool WatchEnded(const Watch& watch) {
    return watch.played == watch.solve.taps.size();
}

std::optional<uint32_t> MsToNextMove(const Watch& watch) {
    if (watch.paused || WatchEnded(watch)) return std::nullopt;
    const uint32_t due = DueAt(watch, watch.played);
    const uint32_t left = due > watch.at ? due - watch.at : 0;
    const auto speed = static_cast<uint32_t>(watch.speed);
    return (left + speed - 1) / speed;
}

std::string WatchText(const Watch& watch) {
    std::string text =
        Say(msg::WATCHING, watch.solve.taps.size(), watch.played, ClockText(ElapsedMs(watch.session)));
    if (watch.speed == 2) text = Say(msg::WATCHING_TWICE, text);
    if (watch.speed == 4) text = Say(msg::WATCHING_FOUR_TIMES, text);
    if (WatchEnded(watch)) return Say(msg::WATCHING_ENDED, text);
    return watch.paused ? Say(msg::WATCHING_PAUSED, text) : text;
}

}  // namespace tessel
