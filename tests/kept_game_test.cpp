#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "game/kept_game.h"
#include "hints/shown_hint.h"
#include "puzzles/fifteen.h"
#include "puzzles/normal.h"
#include "puzzles/unmovable.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using namespace testing;

// A kept game comes back with its history (the first release's with none); anything failing a check is
// refused whole, leaving everything as it was.
TEST(KeptGame, KeepsTheHistoryReadsTheFirstReleaseAndRefusesWhole) {
    auto session = NewSession();
    ChoosePuzzle(session->game, UNMOVABLE_LABEL, 77);
    const auto unmovable = std::make_unique<Session>(*session);
    ChoosePuzzle(session->game, FIFTEEN_LABEL, 77);
    const auto fifteen = std::make_unique<Session>(*session);
    ChoosePuzzle(session->game, NORMAL_LABEL, 1000);
    for (const auto& [x, y] : {std::pair{107, 40}, {200, 120}, {30, 150}, {119, 133}}) Tap(*session, x, y);
    Undo(*session);
    const std::vector<uint8_t> kept = KeepGame(*session);
    EXPECT_EQ(kept.size(), 486u + 45 + 3 * 4);  // three moves, one of them taken back

    // Its moves are checked by playing them again, which shows nothing on the screen.
    auto read = NewSession();
    read->game.splashPending = 1;
    Platform().presented.clear();
    ASSERT_TRUE(ReadKeptGame(kept, *read));
    EXPECT_TRUE(Platform().presented.empty());
    read->game.splashPending = 0;
    DrawScreen(read->game);
    EXPECT_EQ(UndoCount(read->history), 2u);
    EXPECT_EQ(RedoCount(read->history), 1u);
    for (Session* s : {session.get(), read.get()}) Platform().presented.clear(), Undo(*s), Undo(*s), Redo(*s);
    EXPECT_EQ(read->game.backBuffer.pixels, session->game.backBuffer.pixels);

    // Kept by the first release: "Normal" from tick 1000, column 2 up, row 2 right.
    std::ifstream file(TESSEL_TEST_DATA "/kept-v1-normal.bin", std::ios::binary);
    const std::vector<uint8_t> first{std::istreambuf_iterator<char>(file), {}};
    ASSERT_EQ(first.size(), 463u);
    ASSERT_TRUE(ReadKeptGame(first, *read));
    EXPECT_EQ(BoardRows(read->game.tileGrid),
              (Rows{{{12, 10, 6, 7}, {16, 13, 9, 11}, {1, 2, 14, 15}, {5, 4, 3, 8}}}));
    EXPECT_EQ(UndoCount(read->history) + RedoCount(read->history), 0u);
    Tap(*read, 107, 40);
    EXPECT_EQ(BoardRows(read->game.tileGrid),
              (Rows{{{12, 13, 6, 7}, {16, 2, 9, 11}, {1, 4, 14, 15}, {5, 10, 3, 8}}}));

    // A bit flipped is refused, or read and kept again as the very same bytes.
    auto into = NewSession();
    for (std::size_t bit = 0; bit < 8 * kept.size(); ++bit) {
        if (bit < 8 * KEPT_RECORD_SIZE && bit % 8 != bit / 8 % 8) continue;
        std::vector<uint8_t> flipped = kept;
        flipped[bit / 8] ^= static_cast<uint8_t>(1u << bit % 8);
        if (ReadKeptGame(flipped, *into)) {
            ASSERT_EQ(KeepGame(*into), flipped) << "bit " << bit % 8 << " of byte " << bit / 8;
        }
    }

    // A hint shown over the game left is not carried into the one read.
    ASSERT_TRUE(ReadKeptGame(kept, *into) && ShowHint(*into));
    ASSERT_TRUE(ReadKeptGame(kept, *into));
    EXPECT_FALSE(into->hint.has_value());
    EXPECT_EQ(into->game.outlines[1], Outline{});

    // A history that does not lead to the board kept, or does not play; a record no game could be in.
    std::vector<std::vector<uint8_t>> refused(6, kept);
    refused[0].push_back(0);  // longer than its moves
    refused[1].pop_back();    // cut short
    const std::size_t lastTap = kept.size() - KEPT_COUNTS_SIZE - 4;
    refused[2][lastTap] = 119, refused[2][lastTap + 1] = 0;  // the last tap on the board: no move
    refused[2][lastTap + 2] = 133;
    refused[3][465] = 4;                        // more moves played than kept
    refused[4][467] ^= 1;                       // the first board is not the one the moves lead from
    refused[5] = {first.begin(), first.end()};  // version 1 with a history after it
    refused[5].insert(refused[5].end(), kept.begin() + 463, kept.end());
    refused.push_back(kept), refused.back().back() = 2;                // a flag neither 0 nor 1
    refused.push_back(kept), refused.back()[kept.size() - 16] = 0xFF;  // a seed beyond the last
    const std::vector<uint8_t> unbroken = KeepGame(*fifteen);
    ASSERT_TRUE(ReadKeptGame(unbroken, *into));  // what follows is refused for what is broken
    refused.push_back({unbroken.begin(), unbroken.end() - 1});
    refused.push_back({});
    const auto keepBroken = [&](const Session& from, auto&& breakIt) {
        auto broken = std::make_unique<Session>(from);
        breakIt(broken->game);
        refused.push_back(KeepGame(*broken));
    };
    keepBroken(*fifteen, [](Game& g) { g.tileGrid.Tile(1, 1) = g.tileGrid.Tile(2, 1); });  // a tile twice
    keepBroken(*fifteen, [](Game& g) { g.tileGrid.Tile(0, 0) = 17; });
    keepBroken(*fifteen, [](Game& g) { g.blankCol = g.blankCol % 4 + 1; });
    keepBroken(*fifteen, [](Game& g) { g.screen = 2; });
    keepBroken(*fifteen, [](Game& g) { g.screenAtTap = SCREEN_NORMAL; });
    keepBroken(*fifteen, [](Game& g) { g.solved = 1; });  // the banner over a scrambled board
    keepBroken(*fifteen, [](Game& g) { g.tapActed = 2; });
    keepBroken(*fifteen, [](Game& g) { g.lightGrid.Lit(3, 3) = 2; });
    keepBroken(*fifteen, [](Game& g) { g.bannerY[4] = 0; });
    keepBroken(*fifteen, [](Game& g) { g.tileGrid.Left(0, 0) += 1; });  // the ring's corner too
    keepBroken(*fifteen, [](Game& g) { PlaceCells(g.tileGrid, UNEVEN_GRID_ORIGIN); });
    keepBroken(*fifteen, [](Game& g) { g.fixedRow = 5; });
    keepBroken(*unmovable, [](Game& g) {  // the fixed cell's tile swapped with its neighbour's
        std::swap(g.tileGrid.Tile(g.fixedColumn, g.fixedRow),
                  g.tileGrid.Tile(g.fixedColumn % 4 + 1, g.fixedRow));
    });

    read->game.random.state = 99;
    const std::vector<uint8_t> before = KeepGame(*read);
    const BackBuffer picture = read->game.backBuffer;
    for (std::size_t i = 0; i < refused.size(); ++i) {
        EXPECT_FALSE(ReadKeptGame(refused[i], *read)) << "case " << i;
        EXPECT_EQ(KeepGame(*read), before) << "case " << i;
        EXPECT_EQ(read->game.backBuffer.pixels, picture.pixels) << "case " << i;
    }
}

}  // namespace
}  // namespace tessel
