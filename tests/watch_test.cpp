#include "game/watch.h"

#include <gtest/gtest.h>

#include "game/game_id.h"
#include "hints/hint.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using namespace testing;

// A solve as a player makes it: the board of `id` played by its hints' taps through the session, a
// second and a bit apart, the pictures of each move kept; the solve as the game logs it.
struct Played {
    LoggedSolve solve;
    std::vector<std::vector<BackBuffer>> pictures;  // the board dealt first, then each move's
};
Played PlaySolve(const std::string& id) {
    auto session = NewSession();
    Played played;
    Platform().presented.clear();
    PlayGameId(*session, *ParseGameId(id).id);
    played.pictures.push_back(std::exchange(Platform().presented, {}));
    for (uint32_t ticks = 5000; session->game.solved == 0; ticks += 1000 + ticks % 700) {
        const std::optional<Hint> hint = FindHint(session->game);
        session->game.now = ticks;
        tessel::Tap(*session, hint->x, hint->y);
        played.pictures.push_back(std::exchange(Platform().presented, {}));
    }
    played.solve = session->solvesToLog.back();
    return played;
}

bool SamePictures(const std::vector<BackBuffer>& a, const std::vector<BackBuffer>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const BackBuffer& x, const BackBuffer& y) { return x.pixels == y.pixels; });
}

// Watched at its own pace on a timer of a tenth of a second: the board alone for the lead-in, then each
// move when its time comes, with the very pictures it showed when it was played and its words; the time
// counts as it did and ends at the solve's. (That the game in play is left as it was: replay_cli_test.sh.)
TEST(Watch, AtItsOwnPaceWithThePicturesAndWordsItHad) {
    const Played played = PlaySolve("lights-out-2026-12-09");
    const auto inPlay = NewSession();
    const std::unique_ptr<Watch> watch = StartWatch(played.solve, inPlay->game);
    EXPECT_TRUE(SamePictures(Platform().presented, played.pictures[0]));
    Platform().presented.clear();
    std::size_t moves = 0;
    for (uint32_t real = 100; !WatchEnded(*watch); real += 100) {
        AdvanceWatch(*watch, 100);
        const std::size_t due = static_cast<std::size_t>(
            std::count_if(played.solve.taps.begin(), played.solve.taps.end(),
                          [&](const TimedTap& tap) { return WATCH_LEAD_MS + tap.ms <= real; }));
        ASSERT_EQ(watch->played, due) << real;
        if (due > moves) {
            EXPECT_TRUE(SamePictures(Platform().presented, played.pictures[due])) << "move " << due;
            EXPECT_NE(TakePlayedWords(watch->session), "") << "move " << due;
            Platform().presented.clear();
            moves = due;
        }
        if (due > 0 && !WatchEnded(*watch)) {
            EXPECT_EQ(ElapsedMs(watch->session), real - WATCH_LEAD_MS);
        }
    }
    EXPECT_EQ(std::pair(MoveCount(watch->session), ElapsedMs(watch->session)),
              std::pair(played.solve.moves, played.solve.ms));
    EXPECT_EQ(watch->session.game.solved, 1);
}

// Twice and four times as fast the moves come in a half and a quarter of the time; paused, nothing comes;
// a step plays the next move at once and pauses; the words say where the watching stands.
TEST(Watch, FasterPausedAndStepped) {
    const Played played = PlaySolve("normal-2026-12-09");
    const std::vector<TimedTap>& taps = played.solve.taps;
    const auto inPlay = NewSession();
    const std::unique_ptr<Watch> watch = StartWatch(played.solve, inPlay->game);
    EXPECT_EQ(MsToNextMove(*watch), WATCH_LEAD_MS);
    SetWatchSpeed(*watch, 4);
    AdvanceWatch(*watch, WATCH_LEAD_MS / 4);
    EXPECT_EQ(watch->played, 1u);
    EXPECT_EQ(MsToNextMove(*watch), (taps[1].ms - taps[0].ms + 3) / 4);
    SetWatchSpeed(*watch, 2);
    SetWatchSpeed(*watch, 3);  // no such speed: still twice
    AdvanceWatch(*watch, (taps[1].ms - taps[0].ms) / 2);
    EXPECT_EQ(watch->played, 2u);
    EXPECT_EQ(WatchText(*watch), "watching 2 of " + std::to_string(taps.size()) + " moves, " +
                                     ClockText(taps[1].ms) + ", at twice the pace");
    PauseWatch(*watch, true);
    AdvanceWatch(*watch, 1000000);
    EXPECT_EQ(std::pair(watch->played, MsToNextMove(*watch)),
              std::pair(std::size_t{2}, std::optional<uint32_t>()));
    EXPECT_TRUE(StepWatch(*watch));
    EXPECT_EQ(std::pair(watch->played, ElapsedMs(watch->session)), std::pair(std::size_t{3}, taps[2].ms));
    EXPECT_TRUE(watch->paused);
    EXPECT_NE(WatchText(*watch).find(", paused"), std::string::npos);
    PauseWatch(*watch, false);
    SetWatchSpeed(*watch, 1);
    AdvanceWatch(*watch, taps[3].ms - taps[2].ms - 1);
    EXPECT_EQ(watch->played, 3u);
    AdvanceWatch(*watch, 1);
    EXPECT_EQ(watch->played, 4u);
    FinishWatch(*watch);
    EXPECT_TRUE(WatchEnded(*watch));
    EXPECT_FALSE(StepWatch(*watch));
    EXPECT_EQ(WatchText(*watch), "watching " + std::to_string(taps.size()) + " of " +
                                     std::to_string(taps.size()) + " moves, " + ClockText(played.solve.ms) +
                                     ", ended");

    // Two moves falling due in one timer call, on a slow device, are said together.
    const std::unique_ptr<Watch> stepped = StartWatch(played.solve, inPlay->game);
    std::string words[2];
    for (std::string& said : words) StepWatch(*stepped), said = TakePlayedWords(stepped->session);
    const std::unique_ptr<Watch> slow = StartWatch(played.solve, inPlay->game);
    AdvanceWatch(*slow, WATCH_LEAD_MS + taps[1].ms - taps[0].ms);
    EXPECT_EQ(std::pair(slow->played, TakePlayedWords(slow->session)),
              std::pair(std::size_t{2}, words[0] + ", " + words[1]));
}

// Only a solve can be watched: each move must move its board, and the last, alone, solve it.
TEST(Watch, OnlyASolveIsWatched) {
    const LoggedSolve solve = PlaySolve("lights-out-2026-12-09").solve;
    EXPECT_EQ(CheckSolve(solve), "");
    LoggedSolve cut = solve, longer = solve, idle = solve;
    cut.taps.pop_back();
    EXPECT_EQ(CheckSolve(cut), "its moves do not solve the board");
    longer.taps.push_back(solve.taps.front());
    EXPECT_EQ(CheckSolve(longer), "its board is solved by move " + std::to_string(solve.taps.size()) +
                                      " of " + std::to_string(longer.taps.size()));
    idle.taps[1] = {119, 237 - 200, idle.taps[1].ms};  // above the lights
    EXPECT_EQ(CheckSolve(idle), "move 2 does not move anything on its board");
    LoggedSolve other = solve;
    other.gameId = "lights-out-2026-12-10";
    EXPECT_NE(CheckSolve(other), "");
}

}  // namespace
}  // namespace tessel
