#include "game/solve_log.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "puzzles/normal.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using namespace testing;

constexpr int64_t DEC_2025 = 1765250905000;  // 2025-12-09 03:28:25 UTC

// "Normal" from the menu at `start` with row 1 one shift right of its goal, solved by three shifts right,
// the last `ms` after the first; the words at the end.
std::string PlayGame(Session& session, uint32_t start, uint32_t ms) {
    Choose(session, NORMAL_LABEL, start);
    PutRows(session.game, ROW_1_SHIFTED_RIGHT);
    TapAt(session, start + 1000, RIGHT_X, ROW_1_Y);
    TapAt(session, start + 1000 + ms / 2, RIGHT_X, ROW_1_Y);
    return TapAt(session, start + 1000 + ms, RIGHT_X, ROW_1_Y);
}

// A game solved is logged with its date, ID, counts and each move on the board with its time on the game's
// clock: a move taken back and played again is timed when it was played again. Once five games make an
// average of 5, a better one is told at the end.
TEST(SolveLog, EverySolveIsLoggedWithItsMovesTimed) {
    auto session = NewSession();
    session->utcNow = DEC_2025;
    Choose(*session, NORMAL_LABEL, 500);
    PutRows(session->game, ROW_1_SHIFTED_RIGHT);
    TapAt(*session, 1000, RIGHT_X, ROW_1_Y);
    TapAt(*session, 2000, RIGHT_X, ROW_1_Y);
    session->game.now = 3000;
    ASSERT_TRUE(Undo(*session));
    session->game.now = 5000;
    ASSERT_TRUE(Redo(*session));
    TapAt(*session, 9000, RIGHT_X, ROW_1_Y);
    ASSERT_EQ(session->solvesToLog.size(), 1u);
    // Its date, ID, moves, time, hints, then each move and the time since the one before.
    EXPECT_EQ(KeepSolveLog(*session, RecordsStep::Write, "").write,
              "tessel solves 1\nnormal 1765250905000 normal-500 3 8000 0 200,97,0 200,97,4000 200,97,4000\n");
    EXPECT_TRUE(session->solvesToLog.empty());

    session = NewSession();
    uint32_t start = 10000;
    for (const uint32_t ms : {12000, 10000, 11000, 15000, 9000}) {
        session->utcNow = DEC_2025 + start;
        PlayGame(*session, start, ms);
        start += 100000;
    }
    session->utcNow = DEC_2025 + start;
    EXPECT_EQ(PlayGame(*session, start, 7000),
              "row 1 right, cleared in 3 moves, 7 seconds, best time yet; best average of 5 yet");
    EXPECT_EQ(session->finish->bestAverage, 5u);
    EXPECT_EQ(session->solveLog.at("normal").size(), 6u);
}

// Kept as text and read back; two copies that each solve games add up in what is stored, newest first, and
// a copy that hears of another's write reads it, its own solves still to keep kept in view; a puzzle keeps
// its newest 1,000.
TEST(SolveLog, KeptMergedFromTwoCopiesAndTrimmed) {
    auto first = NewSession(), second = NewSession();
    first->utcNow = DEC_2025;
    PlayGame(*first, 1000, 5000);
    second->utcNow = DEC_2025 + 60000;
    PlayGame(*second, 1000, 6000);
    const std::string afterSecond = *KeepSolveLog(*second, RecordsStep::Write, "").write;
    const std::string afterFirst = *KeepSolveLog(*first, RecordsStep::Write, afterSecond).write;
    second->utcNow = DEC_2025 + 120000;
    PlayGame(*second, 1000, 7000);
    KeepSolveLog(*first, RecordsStep::Read, afterFirst);
    EXPECT_EQ(first->solveLog.at("normal").size(), 2u);
    const RecordsToStore both = KeepSolveLog(*second, RecordsStep::Write, afterFirst);
    EXPECT_FALSE(both.setAside);
    const std::optional<SolveLog> read = ReadSolveLog(*both.write);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, second->solveLog);
    std::vector<uint32_t> times;
    for (const LoggedSolve& solve : read->at("normal")) times.push_back(solve.ms);
    EXPECT_EQ(times, (std::vector<uint32_t>{7000, 6000, 5000}));
    EXPECT_EQ(ReadSolveLog(""), SolveLog{});
    EXPECT_FALSE(KeepSolveLog(*first, RecordsStep::Write, "").write.has_value());  // nothing new to keep
    PlayGame(*first, 1000, 8000);  // a solve not yet kept goes with the rest
    EXPECT_TRUE(KeepSolveLog(*first, RecordsStep::Clear, std::nullopt).remove);
    EXPECT_TRUE(first->solveLog.empty());
    EXPECT_FALSE(KeepSolveLog(*first, RecordsStep::Write, "").write.has_value());

    SolveLog log;
    LoggedSolve solve = read->at("normal")[0];
    for (int64_t i = 1; i <= static_cast<int64_t>(SOLVE_LOG_LIMIT); ++i) {
        solve.utcMs = DEC_2025 + i;
        AddToLog(log, solve);
    }
    const std::string full = WriteSolveLog(log);
    ASSERT_EQ(ReadSolveLog(full), log);
    solve.utcMs = DEC_2025 + 5000;
    AddToLog(log, solve);
    ASSERT_EQ(log.at("normal").size(), SOLVE_LOG_LIMIT);
    EXPECT_EQ(log.at("normal").front().utcMs, DEC_2025 + 5000);
    EXPECT_EQ(log.at("normal").back().utcMs, DEC_2025 + 2);
    // A write on top of what this copy wrote puts the new line in its place, the oldest dropped, as the
    // whole log written again would.
    Session keeping;
    keeping.solvesToLog = log.at("normal");
    std::reverse(keeping.solvesToLog.begin(), keeping.solvesToLog.end());
    keeping.solvesToLog.push_back(read->at("normal")[0]);
    keeping.solvesToLog.back().puzzle = "lights-out";
    keeping.solvesToLog.back().gameId.clear();
    for (const LoggedSolve& logged : keeping.solvesToLog) AddToLog(keeping.solveLog, logged);  // as solved
    const std::string kept = *KeepSolveLog(keeping, RecordsStep::Write, "").write;
    for (const int64_t utcMs : {DEC_2025 + 6000, DEC_2025 + 1, DEC_2025 + 3}) {
        solve.utcMs = utcMs;
        AddToLog(keeping.solveLog, solve);
        keeping.solvesToLog = {solve};
        const std::string before = keeping.solveLogText;
        const std::string written = *KeepSolveLog(keeping, RecordsStep::Write, before).write;
        EXPECT_EQ(written, WriteSolveLog(keeping.solveLog)) << utcMs;
    }
    EXPECT_NE(kept, keeping.solveLogText);
    // A thousand and one of one puzzle were never written by the game.
    solve.utcMs = DEC_2025;
    EXPECT_EQ(ReadSolveLog(full + WriteSolveLog({{"normal", {solve}}}).substr(16)), std::nullopt);
}

// A stored log with anything the game would not write is set aside whole: the copy that keeps stores its
// own log in its place, and the records stand as they were. A one-move solve takes no time, which is
// sound.
TEST(SolveLog, ADamagedLogIsSetAsideWhole) {
    const std::string header = "tessel solves 1\n";
    const std::string good = "normal 2000 normal-4297 2 300 0 10,20,0 30,40,300\n";
    EXPECT_TRUE(ReadSolveLog(header + good).has_value());
    EXPECT_TRUE(ReadSolveLog(header + "lights-out 5 - 1 0 0 95,109,0\n").has_value());
    for (const std::string& damaged :
         {"tessel solves 2\n" + good, header + good.substr(0, good.size() - 1),
          header + "normal 2000 normal-4297 0 300 0 10,20,0 30,40,300\n",  // no moves
          header + "normal 2000 normal-4297 2 300 0 10,20,0 30,40,301\n",  // times past the solve's
          header + "normal 2000 normal-4297 2 300 0 10,20,0 30,40,299\n",  // short of it
          header + "normal 200 normal-4297 2 300 0 10,20,0 30,40,300\n",   // begun before 1970
          header + "normal 2000 normal-4297 1 300 0 10,20,0 30,40,300\n",  // more taps than moves
          header + "normal 2000 normal-4297 2 300 0\n",
          header + "normal 2000 normal-4297 2 300 0 239,20,300\n",
          header + "normal 2000 uneven-4297 2 300 0 10,20,0 30,40,300\n",
          header + "normal 2000 Normal-4297 2 300 0 10,20,0 30,40,300\n",
          header + "jigsaw 2000 - 2 300 0 10,20,0 30,40,300\n",
          header + "normal 2000 normal-4297 2 0300 0 10,20,0 30,40,300\n",
          header + "normal 253402300800001 - 2 300 0 10,20,0 30,40,300\n",
          header + "normal 1000 - 1 0 0 10,20,0\n" + good,  // the older first
          header + good + "\n", "tessel solves 1\r\n" + good,
          header + std::string(SOLVE_LOG_MAX_SIZE, '1')}) {
        EXPECT_EQ(ReadSolveLog(damaged), std::nullopt) << damaged.substr(0, 80);
    }

    auto session = NewSession();
    session->utcNow = DEC_2025;
    PlayGame(*session, 1000, 5000);
    const Records records = session->records;
    const RecordsToStore kept = KeepSolveLog(*session, RecordsStep::Write, header + good + good.substr(3));
    EXPECT_TRUE(kept.setAside);
    EXPECT_EQ(ReadSolveLog(*kept.write)->at("normal").size(), 1u);
    EXPECT_EQ(session->records, records);
    EXPECT_TRUE(KeepSolveLog(*session, RecordsStep::Read, "garbage").setAside);
    EXPECT_TRUE(session->solveLog.empty());
}

}  // namespace
}  // namespace tessel
