#include <gtest/gtest.h>

#include <set>

#include "game/kept_game.h"
#include "puzzles/fifteen.h"
#include "puzzles/normal.h"
#include "puzzles/unmovable.h"
#include "tests/random_taps.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using namespace testing;

using Taps = std::vector<RandomTaps::Tap>;

constexpr RandomTaps::Tap ON_UNMOVABLE{UNMOVABLE_LABEL.x, UNMOVABLE_LABEL.y, 0};

// The pictures a tap shows, each as its pixels.
std::vector<std::vector<uint32_t>> PlayTap(Game& game, const RandomTaps::Tap& tap) {
    Platform().ticks = tap.ticks;
    Platform().presented.clear();
    Tap(game, tap.x, tap.y);
    std::vector<std::vector<uint32_t>> shown;
    for (const BackBuffer& picture : Platform().presented)
        shown.emplace_back(picture.pixels.begin(), picture.pixels.end());
    return shown;
}

// A game kept, read into a fresh start, draws the picture the original shows; then both answer the same
// taps (`first`, then random ones) with the same pictures, each with its own generator. The taps go to the
// game alone: no history is kept (tests/history_test.cpp keeps one).
TEST(KeptGameRoundTrip, EveryScreenScrambledPlayedAndSolved) {
    const auto session = NewSession(), start = std::make_unique<Session>(*session),
               read = std::make_unique<Session>(*session);
    Game& game = session->game;
    RandomTaps random(13);
    std::set<std::pair<int32_t, uint8_t>> covered;  // screen and banner of every game kept
    const auto expectRoundTrip = [&](Taps taps) {
        *read = *start;
        uint32_t readRandom = 12345;
        ASSERT_TRUE(ReadKeptGame(KeepGame(*session, Platform().random.state), *read, readRandom));
        DrawScreen(read->game);
        EXPECT_EQ(read->game.backBuffer.pixels, game.backBuffer.pixels) << "screen " << game.screen;
        covered.insert({game.screen, game.solved});
        for (int i = 0; i < 25; ++i) taps.push_back(random.Next());
        for (const RandomTaps::Tap& tap : taps) {
            const auto shown = PlayTap(game, tap);
            std::swap(Platform().random.state, readRandom);
            const auto shownRead = PlayTap(read->game, tap);
            std::swap(Platform().random.state, readRandom);
            ASSERT_EQ(shownRead, shown) << "tap at " << tap.x << "," << tap.y << " on " << game.screen;
            ASSERT_EQ(KeepGame(*read, readRandom), KeepGame(*session, Platform().random.state));
        }
    };
    expectRoundTrip({ON_UNMOVABLE});  // a start: the generator picks the fixed cell
    for (const Puzzle& puzzle : Puzzles()) {
        ChoosePuzzle(game, puzzle.label, 4242);
        expectRoundTrip({});  // just scrambled, then played
        expectRoundTrip({});  // wherever the taps left it
    }
    StartWith(game, NORMAL_LABEL, ROW_1_SHIFTED_RIGHT);
    Tap(game, 60, 97);  // solves it: the banner over the board
    expectRoundTrip({});
    StartWith(game, NORMAL_LABEL, GOAL_ROWS);
    Tap(game, 110, 230);  // Quit: the banner over the menu
    expectRoundTrip({ON_UNMOVABLE});
    for (const Puzzle& puzzle : Puzzles()) EXPECT_TRUE(covered.count({puzzle.screen, 0})) << puzzle.screen;
    EXPECT_TRUE(covered.count({SCREEN_NORMAL, 1}) && covered.count({SCREEN_MENU, 1}));
}

// Whatever fails a check is refused whole: the game and the generator's state stay as they were.
TEST(KeptGame, RefusesWholeAndTouchesNothing) {
    auto session = NewSession();
    ChoosePuzzle(session->game, UNMOVABLE_LABEL, 77);
    const auto unmovable = std::make_unique<Session>(*session);
    ChoosePuzzle(session->game, FIFTEEN_LABEL, 77);
    const std::vector<uint8_t> fifteen = KeepGame(*session, 5);

    // Another version, a magic that is not the game's: each is a bit flipped (tests/history_test.cpp).
    std::vector<std::vector<uint8_t>> refused{{fifteen.begin(), fifteen.end() - 1}, {}};
    const auto keepBroken = [&](const Session& from, auto&& breakIt) {
        auto broken = std::make_unique<Session>(from);
        breakIt(broken->game);
        refused.push_back(KeepGame(*broken, 5));
    };
    keepBroken(*session, [](Game& g) { g.tileGrid.Tile(1, 1) = g.tileGrid.Tile(2, 1); });  // a tile twice
    keepBroken(*session, [](Game& g) { g.tileGrid.Tile(0, 0) = 17; });
    keepBroken(*session, [](Game& g) { g.blankCol = g.blankCol % 4 + 1; });
    keepBroken(*session, [](Game& g) { g.screen = 2; });
    keepBroken(*session, [](Game& g) { g.screenAtTap = SCREEN_NORMAL; });
    keepBroken(*session, [](Game& g) { g.solved = 1; });  // the banner over a scrambled board
    keepBroken(*session, [](Game& g) { g.tapActed = 2; });
    keepBroken(*session, [](Game& g) { g.lightGrid.Lit(3, 3) = 2; });
    keepBroken(*session, [](Game& g) { g.bannerY[4] = 0; });
    keepBroken(*session, [](Game& g) { g.tileGrid.Left(2, 2) += 1; });
    keepBroken(*session, [](Game& g) { PlaceCells(g.tileGrid, UNEVEN_GRID_ORIGIN); });
    keepBroken(*session, [](Game& g) { g.fixedRow = 5; });
    keepBroken(*unmovable, [](Game& g) {  // the fixed cell's tile swapped with its neighbour's
        std::swap(g.tileGrid.Tile(g.fixedColumn, g.fixedRow),
                  g.tileGrid.Tile(g.fixedColumn % 4 + 1, g.fixedRow));
    });

    auto target = NewSession();
    ChoosePuzzle(target->game, NORMAL_LABEL, 3);
    const std::vector<uint8_t> before = KeepGame(*target, 99);
    const BackBuffer picture = target->game.backBuffer;
    for (std::size_t i = 0; i < refused.size(); ++i) {
        uint32_t random = 99;
        EXPECT_FALSE(ReadKeptGame(refused[i], *target, random)) << "case " << i;
        EXPECT_EQ(KeepGame(*target, random), before) << "case " << i;
        EXPECT_EQ(target->game.backBuffer.pixels, picture.pixels);
    }
    uint32_t random = 99;
    EXPECT_TRUE(ReadKeptGame(fifteen, *target, random));
    EXPECT_EQ(std::pair(target->game.screen, random), std::pair(int32_t{SCREEN_FIFTEEN}, 5u));
}

}  // namespace
}  // namespace tessel
