#include "game/game_id.h"

#include <gtest/gtest.h>

#include <set>

#include "game/day_board.h"
#include "puzzles/almost_impossible.h"
#include "puzzles/fifteen.h"
#include "puzzles/lights_out.h"
#include "puzzles/normal.h"
#include "puzzles/uneven.h"
#include "puzzles/unmovable.h"
#include "tests/random_taps.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using namespace testing;

// The board a game ID names, on a fresh start of the game.
std::unique_ptr<Session> Played(std::string_view text) {
    auto session = NewSession();
    const ReadGameId read = ParseGameId(text);
    EXPECT_TRUE(read.id.has_value()) << text << ": " << read.error;
    if (read.id) PlayGameId(*session, *read.id);
    return session;
}

// The board shown, row 1 first: tiles (0 for a gap or the empty cell) or lights ('1' for one that is on).
std::string Cells(const Game& game) {
    const bool lights = game.screen == SCREEN_LIGHTS_OUT;
    std::string cells;
    for (int32_t i = 0; i < (lights ? 25 : game.screen == SCREEN_UNEVEN ? 20 : 16); ++i) {
        const int32_t width = lights ? 5 : 4, col = i % width + 1, row = i / width + 1;
        if (i > 0) cells += col == 1 ? "/" : lights ? "" : " ";
        cells += std::to_string(lights ? game.lightGrid.Lit(col, row) : game.tileGrid.Tile(col, row));
    }
    return cells;
}

// What a player sees of a board (its cells and picture) and the generator's state for the next locks.
auto Seen(const Game& game) {
    return std::tuple(Cells(game), game.backBuffer.pixels, game.random.state);
}

// Boards for fixed tick counts, worked out apart from the set-ups (ticks from 2000000000 on wrap round),
// dealt one after the other, and their IDs, written as a player might, dealing them again.
TEST(GameId, KnownScramblesAndTheirIds) {
    const struct {
        const PuzzleLabel& label;
        uint32_t ticks;
        const char *id, *written, *cells;
    } known[] = {
        {UNMOVABLE_LABEL, 555, "unmovable-2-4-555", "unmovable-2-4-555",
         "7 4 15 11/3 13 2 9/10 5 16 12/1 14 6 8"},
        {UNMOVABLE_LABEL, 4000000000u, "unmovable-1-1-0", "Unmovable-1-1-0",
         "1 15 13 5/6 2 8 4/9 11 3 14/10 16 12 7"},
        {NORMAL_LABEL, 2000004321u, "normal-4321", "Normal-4321", "14 15 2 13/4 3 8 16/6 10 7 1/5 9 11 12"},
        {UNEVEN_LABEL, 0, "uneven-0", " uneven-0\n", "0 7 0 5/1 4 3 8/15 2 14 6/13 16 9 11/12 0 10 0"},
        {FIFTEEN_LABEL, 1234, "15-puzzle-1234", "https://example.org/tessel/#15-puzzle-1234",
         "6 1 0 8/10 4 15 9/5 2 11 3/7 13 14 12"},
        {ALMOST_IMPOSSIBLE_LABEL, 2000004321u, "almost-impossible-4321", "almost-impossible-4321",
         "5 1 8 4/2 3 12 6/13 9 10 11/15 14 16 7"},
        {LIGHTS_OUT_LABEL, 2000004321u, "lights-out-4321", "lights-out-4321",
         "11000/10101/11111/11111/10010"},
    };
    auto session = NewSession();
    for (const auto& k : known) {
        ChoosePuzzle(session->game, k.label, k.ticks);
        EXPECT_EQ(Cells(session->game), k.cells) << k.id;
        EXPECT_EQ(GameIdOf(session->game), k.id);
        EXPECT_TRUE(Seen(Played(k.written)->game) == Seen(session->game)) << k.written;
    }
}

// Every scramble's ID, played on a fresh start, gives the very board, picture, generator state and ID.
TEST(GameId, EveryScrambleComesBackFromItsId) {
    for (uint32_t ticks : {0u, 1u, 4297u, 1999999999u, 2000000000u, 4294967295u}) {
        for (const Puzzle* puzzle : Puzzles()) {
            for (const bool first : {true, false}) {
                auto session = NewSession();
                if (!first) ChoosePuzzle(session->game, FIFTEEN_LABEL, ticks / 3);
                ChoosePuzzle(session->game, puzzle->label, ticks);
                const std::string id = GameIdOf(session->game);
                const auto again = Played(id);
                EXPECT_TRUE(Seen(again->game) == Seen(session->game)) << id;
                EXPECT_EQ(GameIdOf(again->game), id);
            }
        }
    }
}

// Two sessions played a step each in turn keep and show what each keeps and shows when played alone.
TEST(GameId, TwoSessionsPlayedInTurnPlayAsEachAlone) {
    // Step i of the script `taps` deals: now and then a puzzle from the menu, else a tap, Undo or Redo.
    const auto play = [](Session& session, RandomTaps& taps, int32_t i) {
        const RandomTaps::Tap tap = taps.Next();
        session.game.now = tap.ticks % 7 == 0 ? 0 : tap.ticks;
        if (i % 50 == 0) {
            Choose(session, Puzzles()[static_cast<std::size_t>(i / 50 % 6)]->label, session.game.now);
        } else if (tap.ticks % 8 < 2) {
            tap.ticks % 8 == 0 ? Undo(session) : Redo(session);
        } else {
            tessel::Tap(session, tap.x, tap.y);
        }
        return std::pair(KeepGame(session), session.game.backBuffer.pixels);
    };
    std::vector<std::pair<std::vector<uint8_t>, decltype(BackBuffer::pixels)>> alone[2];
    for (uint32_t k = 0; k < 2; ++k) {
        auto session = NewSession();
        Platform().keepPictures = false;
        RandomTaps taps(k + 1);
        for (int32_t i = 0; i < 600; ++i) alone[k].push_back(play(*session, taps, i));
    }
    const std::unique_ptr<Session> sessions[] = {NewSession(), NewSession()};
    Platform().keepPictures = false;
    RandomTaps taps[] = {RandomTaps(1), RandomTaps(2)};
    for (int32_t i = 0; i < 600; ++i) {
        for (int32_t k = 0; k < 2; ++k)
            ASSERT_TRUE(play(*sessions[k], taps[k], i) == alone[k][i]) << "session " << k << ", step " << i;
    }
}

// Anything that is not an ID is refused with one line that names what is wrong.
TEST(GameId, RefusesWhatIsNoIdInOneLine) {
    const std::pair<const char*, std::vector<std::string>> refused[] = {
        {"no game ID", {"  #  "}},
        {"names no puzzle", {"normal", "normalx-12", "lights out-4", "fifteen-2026-12"}},
        {"the seed",
         {"normal-", "normal-012", "normal-+12", "normal-2000000000", "normal-99999999999999999999",
          "normal-\xff"}},
        {"does not read normal-SEED or normal-YYYY-MM-DD", {"normal-1-2", "normal-2026-12-09-1"}},
        {"does not read unmovable-COLUMN-ROW-SEED", {"unmovable-2-4297"}},
        {"does not read 15-puzzle-SEED or 15-puzzle-YYYY-MM-DD", {"15-puzzle-2026-12"}},
        {"locked column and row are 1 to 4",
         {"unmovable-0-2-4297", "unmovable-2-5-4297", "unmovable-02-2-4297"}},
        {"2000-01-01 to 9999-12-31", {"normal-1999-12-31"}},
        {"no such date",
         {"normal-10000-01-01", "unmovable-2026-13-01", "normal-2026-02-29", "normal-2026-2-09",
          "normal-2026-12-9"}},
    };
    for (const auto& [why, texts] : refused) {
        for (const std::string& text : texts) {
            const ReadGameId read = ParseGameId(text);
            EXPECT_FALSE(read.id.has_value()) << text;
            EXPECT_NE(read.error.find(why), std::string::npos) << text << ": " << read.error;
            for (const char c : read.error) EXPECT_TRUE(c >= ' ' && c <= '~') << text << ": " << read.error;
        }
    }
}

// The date alone deals the day's board, whatever was played before; its ID names the date; days differ.
TEST(DayBoard, TheDateAloneDealsItAndItsIdNamesTheDate) {
    for (const Puzzle* puzzle : Puzzles()) {
        std::set<std::string> boards, locks;
        for (const char* date : {"2000-01-01", "2026-12-09", "2026-12-10", "2028-02-29", "9999-12-31"}) {
            const std::string id = GameIdName(*puzzle) + "-" + date;
            const auto fresh = Played(id);
            EXPECT_EQ(GameIdOf(fresh->game), id);
            auto after = NewSession();
            ChoosePuzzle(after->game, UNMOVABLE_LABEL, 31337);
            after->game.now = 987654;
            PlayGameId(*after, *ParseGameId(id).id);
            EXPECT_TRUE(Seen(after->game) == Seen(fresh->game)) << id;
            boards.insert(Cells(fresh->game));
            locks.insert(std::to_string(fresh->game.fixedColumn) + std::to_string(fresh->game.fixedRow));
        }
        EXPECT_EQ(boards.size(), 5u) << puzzle->name;
        EXPECT_GE(locks.size(), puzzle->dealsLockedLines ? 4u : 1u);
    }
}

// Day's boards players shared stay the same in every version ("Unmovable" on 2026-12-10 locks 1, 1).
TEST(DayBoard, KnownDaysBoards) {
    EXPECT_EQ(Cells(Played("normal-2026-12-09")->game), "2 15 12 1/9 14 3 16/4 5 13 7/10 6 11 8");
    EXPECT_EQ(Cells(Played("lights-out-2026-12-09")->game), "10000/11101/11101/11011/11100");
    const auto unmovable = Played("Unmovable-2026-12-10");
    EXPECT_EQ(Cells(unmovable->game), "1 14 3 4/13 2 7 16/15 8 10 5/6 9 12 11");
    EXPECT_EQ(std::pair(unmovable->game.fixedColumn, unmovable->game.fixedRow), std::pair(1, 1));
}

// Today's date from the clock's seconds, in UTC, leap days counted; none has a board past 9999.
TEST(DayBoard, TodayIsTheUtcDate) {
    const std::pair<int64_t, const char*> moments[] = {
        {0, "1970-01-01"},           {-1, "1969-12-31"},         {946684800, "2000-01-01"},
        {1796774400, "2026-12-09"},  {1796774399, "2026-12-08"}, {1709208000, "2024-02-29"},
        {253402300799, "9999-12-31"}};
    for (const auto& [seconds, date] : moments) EXPECT_EQ(FormatDate(UtcDate(seconds)), date) << seconds;
    EXPECT_FALSE(HasDayBoard(UtcDate(253402300800)));
}

}  // namespace
}  // namespace tessel
