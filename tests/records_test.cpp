#include "game/records.h"

#include <gtest/gtest.h>

#include "game/records_store.h"
#include "game/screen_text.h"
#include "hints/shown_hint.h"
#include "puzzles/normal.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using namespace testing;

// "Normal" from the menu with row 1 one shift right of its goal.
void StartRowOneShifted(Session& session, uint32_t ticks) {
    Choose(session, NORMAL_LABEL, ticks);
    PutRows(session.game, ROW_1_SHIFTED_RIGHT);
}

// Three games: the first sets the records, the second beats them, the third took a hint and sets none;
// the time stands while held; Undo and Redo of the solve count no second game.
TEST(Records, GamesEndInWordsAndRecords) {
    auto session = NewSession();
    StartRowOneShifted(*session, 500);
    TapAt(*session, 1000, RIGHT_X, ROW_1_Y);
    TapAt(*session, 2000, RIGHT_X, ROW_1_Y);
    session->game.now = 30000;
    HoldClock(*session, true);  // the window minimised for 20 seconds
    session->game.now = 50000;
    HoldClock(*session, false);
    session->game.now = 81000;
    EXPECT_EQ(MovesAndTime(*session), "2 moves, 1 minute");
    EXPECT_EQ(TapAt(*session, 93000, RIGHT_X, ROW_1_Y),
              "row 1 right, cleared in 3 moves, 1 minute 12 seconds");

    StartRowOneShifted(*session, 100000);
    EXPECT_EQ(TapAt(*session, 101000, LEFT_X, ROW_1_Y), "row 1 left, cleared in 1 move, 0 seconds, best yet");

    StartRowOneShifted(*session, 200000);
    ASSERT_TRUE(ShowHint(*session));
    EXPECT_EQ(TapAt(*session, 3800000, session->hint->x, session->hint->y),
              "row 1 left, cleared in 1 move, 0 seconds, with 1 hint");
    ASSERT_TRUE(Undo(*session));
    ASSERT_TRUE(Redo(*session));
    EXPECT_EQ(session->records.at("normal"), (PuzzleRecord{3, 1, 0}));
    EXPECT_EQ(session->solvesToKeep.size(), 3u);
    EXPECT_EQ(session->solvesToLog.back().hints, 1u);  // logged as hinted: left out of the averages

    // Kept and read back: the counts and the ID come back; a game kept before counts starts them afresh.
    StartRowOneShifted(*session, 4000000);
    TapAt(*session, 4001000, RIGHT_X, ROW_1_Y);
    ShowHint(*session);
    session->game.now = 4005000;
    const std::vector<uint8_t> kept = KeepGame(*session);
    auto read = NewSession();
    ASSERT_TRUE(ReadKeptGame(kept, *read));
    read->game.now = 4100000;
    EXPECT_EQ(MovesAndTime(*read), "1 move, 4 seconds");
    EXPECT_EQ(read->hints, 1u);
    EXPECT_EQ(GameIdOf(read->game), "normal-4000000");
    std::vector<uint8_t> older(kept.begin(), kept.end() - KEPT_COUNTS_SIZE);
    older[3] = 2;
    ASSERT_TRUE(ReadKeptGame(older, *read));
    EXPECT_EQ(MovesAndTime(*read), "1 move, 0 seconds");
    EXPECT_EQ(GameIdOf(read->game), "");
}

// The records kept as text and read back; anything the game would not write is not read.
TEST(Records, KeptReadBackAndMergedFromTwoCopies) {
    Records records;
    AddSolve(records, {"normal", 40, 4294967295u, false});
    AddSolve(records, {"15-puzzle", 80, 120000, true});
    EXPECT_EQ(WriteRecords(records), "tessel records 1\n15-puzzle 1 - -\nnormal 1 40 4294967295\n");
    EXPECT_EQ(ReadRecords(WriteRecords(records)), records);
    EXPECT_EQ(ReadRecords(""), Records{});
    for (const char* damaged :
         {"tessel records 2\n", "tessel records 1", "tessel records 1\nnormal 1 40\n",
          "tessel records 1\njigsaw 1 40 9\n", "tessel records 1\nnormal 0 - -\n",
          "tessel records 1\nnormal 1 040 9\n", "tessel records 1\nnormal 1 40 -\n",
          "tessel records 1\nnormal 1 4294967296 9\n", "tessel records 1\nnormal 1 4 9\n\n",
          "tessel records 1\nnormal 1 4 9\nnormal 1 4 9\n", "tessel records 1\nuneven 1 4 9\nnormal 1 4 9\n",
          "\x89PNG\r\n"}) {
        EXPECT_FALSE(ReadRecords(damaged).has_value()) << damaged;
    }
}

// Two copies keep the records in one storage: each stores on top of what is stored; a clear forgets them.
TEST(Records, StoredByTwoCopiesAddUp) {
    Session first, second;
    std::string stored = "tessel records 1\n15-puzzle 1 - -\n";
    const auto store = [&stored](const RecordsToStore& step) {
        if (step.setAside || step.remove) stored.clear();
        if (step.write) stored = *step.write;
        return step;
    };
    // A game solved counts at once in the copy's records and waits to be stored, as the session does it.
    const auto solve = [](Session& copy, const Solve& solved) {
        AddSolve(copy.records, solved);
        copy.solvesToKeep.push_back(solved);
    };
    for (Session* copy : {&first, &second}) {
        EXPECT_FALSE(store(KeepRecords(*copy, RecordsStep::Read, stored)).setAside);
        EXPECT_EQ(copy->records.at("15-puzzle").solved, 1u);
    }
    // Nothing is written until a game is solved.
    EXPECT_FALSE(RecordsWaiting(first));
    EXPECT_FALSE(store(KeepRecords(first, RecordsStep::Write, stored)).write);
    solve(first, {"normal", 30, 95000, false});
    solve(second, {"normal", 50, 60000, false});
    ASSERT_TRUE(RecordsWaiting(first));
    store(KeepRecords(first, RecordsStep::Write, stored));
    store(KeepRecords(second, RecordsStep::Write, stored));
    EXPECT_EQ(stored, "tessel records 1\n15-puzzle 1 - -\nnormal 2 30 60000\n");
    EXPECT_EQ(second.records, ReadRecords(stored));
    EXPECT_FALSE(RecordsWaiting(second));

    // An unreadable store (or none) is set aside and written over with this copy's records.
    for (const auto& [unreadable, lightsOut] :
         {std::pair{std::optional<std::string_view>("garbage"), '1'}, {std::nullopt, '2'}}) {
        Session reader;
        const RecordsToStore read = KeepRecords(reader, RecordsStep::Read, unreadable);
        EXPECT_TRUE(read.setAside && !read.write && reader.records.empty());
        solve(second, {"lights-out", 9, 8000, true});
        const RecordsToStore written = KeepRecords(second, RecordsStep::Write, unreadable);
        EXPECT_TRUE(written.setAside);
        EXPECT_EQ(written.write, "tessel records 1\n15-puzzle 1 - -\nlights-out " +
                                     std::string(1, lightsOut) + " - -\nnormal 2 30 60000\n");
    }
    const RecordsToStore cleared = KeepRecords(second, RecordsStep::Clear, std::nullopt);
    EXPECT_TRUE(cleared.remove && !cleared.write && second.records.empty());
}

}  // namespace
}  // namespace tessel
