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

// The kept form of a game with no history, and a read into one, as the front ends keep and read sessions.
std::vector<uint8_t> KeepGame(const Game& game, uint32_t random) {
    return tessel::KeepGame(*std::make_unique<Session>(Session{game, {}, {}, {}}), random);
}
bool ReadKeptGame(std::span<const uint8_t> bytes, Game& game, uint32_t& random) {
    auto session = std::make_unique<Session>(Session{game, {}, {}, {}});
    if (!tessel::ReadKeptGame(bytes, *session, random)) return false;
    game = session->game;
    return true;
}

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
// taps (`first`, then random ones) with the same pictures, each with its own generator.
class KeptGameRoundTrip : public ::testing::Test {
  protected:
    void ExpectRoundTrip(const Taps& first = {}) {
        *read_ = *start_;
        uint32_t readRandom = 12345;
        ASSERT_TRUE(ReadKeptGame(KeepGame(*game_, Platform().random.state), *read_, readRandom));
        DrawScreen(*read_);
        EXPECT_EQ(read_->backBuffer.pixels, game_->backBuffer.pixels) << "screen " << game_->screen;
        covered_.insert({game_->screen, game_->solved});
        Taps taps = first;
        for (int i = 0; i < 25; ++i) taps.push_back(random_.Next());
        for (const RandomTaps::Tap& tap : taps) {
            const auto shown = PlayTap(*game_, tap);
            std::swap(Platform().random.state, readRandom);
            const auto shownRead = PlayTap(*read_, tap);
            std::swap(Platform().random.state, readRandom);
            ASSERT_EQ(shownRead, shown) << "tap at " << tap.x << "," << tap.y << " on " << read_->screen;
            ASSERT_EQ(KeepGame(*read_, readRandom), KeepGame(*game_, Platform().random.state));
        }
    }

    std::unique_ptr<Game> game_ = NewGame();
    const std::unique_ptr<Game> start_ = std::make_unique<Game>(*game_);  // no puzzle set up yet
    std::unique_ptr<Game> read_ = std::make_unique<Game>(*game_);
    RandomTaps random_{13};
    std::set<std::pair<int32_t, uint8_t>> covered_;  // screen and banner of every game kept
};

TEST_F(KeptGameRoundTrip, EveryScreenScrambledPlayedAndSolved) {
    ExpectRoundTrip({ON_UNMOVABLE});  // a start: the generator picks the fixed cell
    for (const Puzzle& puzzle : Puzzles()) {
        ChoosePuzzle(*game_, puzzle.label, 4242);
        ExpectRoundTrip();  // just scrambled, then played
        ExpectRoundTrip();  // wherever the taps left it
    }
    StartWith(*game_, NORMAL_LABEL, ROW_1_SHIFTED_RIGHT);
    Tap(*game_, 60, 97);  // solves it: the banner over the board
    ExpectRoundTrip();
    StartWith(*game_, NORMAL_LABEL, GOAL_ROWS);
    Tap(*game_, 110, 230);  // Quit: the banner over the menu
    ExpectRoundTrip({ON_UNMOVABLE});
    for (const Puzzle& puzzle : Puzzles()) EXPECT_TRUE(covered_.count({puzzle.screen, 0})) << puzzle.screen;
    EXPECT_TRUE(covered_.count({SCREEN_NORMAL, 1}) && covered_.count({SCREEN_MENU, 1}));
}

// Whatever fails a check is refused whole: the game and the generator's state stay as they were.
TEST(KeptGame, RefusesWholeAndTouchesNothing) {
    auto game = NewGame();
    ChoosePuzzle(*game, UNMOVABLE_LABEL, 77);
    const auto unmovable = std::make_unique<Game>(*game);
    ChoosePuzzle(*game, FIFTEEN_LABEL, 77);
    const std::vector<uint8_t> fifteen = KeepGame(*game, 5);

    // Another version, a magic that is not the game's: each is a bit flipped (tests/history_test.cpp).
    std::vector<std::vector<uint8_t>> refused{{fifteen.begin(), fifteen.end() - 1}, {}};
    const auto keepBroken = [&](const Game& from, auto&& breakIt) {
        auto broken = std::make_unique<Game>(from);
        breakIt(*broken);
        refused.push_back(KeepGame(*broken, 5));
    };
    keepBroken(*game, [](Game& g) { g.tileGrid.Tile(1, 1) = g.tileGrid.Tile(2, 1); });  // a tile twice
    keepBroken(*game, [](Game& g) { g.tileGrid.Tile(0, 0) = 17; });
    keepBroken(*game, [](Game& g) { g.blankCol = g.blankCol % 4 + 1; });
    keepBroken(*game, [](Game& g) { g.screen = 2; });
    keepBroken(*game, [](Game& g) { g.screenAtTap = SCREEN_NORMAL; });
    keepBroken(*game, [](Game& g) { g.solved = 1; });  // the banner over a scrambled board
    keepBroken(*game, [](Game& g) { g.tapActed = 2; });
    keepBroken(*game, [](Game& g) { g.lightGrid.Lit(3, 3) = 2; });
    keepBroken(*game, [](Game& g) { g.bannerY[4] = 0; });
    keepBroken(*game, [](Game& g) { g.tileGrid.Left(2, 2) += 1; });
    keepBroken(*game, [](Game& g) { PlaceCells(g.tileGrid, UNEVEN_GRID_ORIGIN); });
    keepBroken(*game, [](Game& g) { g.fixedRow = 5; });
    keepBroken(*unmovable, [](Game& g) {  // the fixed cell's tile swapped with its neighbour's
        std::swap(g.tileGrid.Tile(g.fixedColumn, g.fixedRow),
                  g.tileGrid.Tile(g.fixedColumn % 4 + 1, g.fixedRow));
    });

    auto target = NewGame();
    ChoosePuzzle(*target, NORMAL_LABEL, 3);
    const std::vector<uint8_t> before = KeepGame(*target, 99);
    const BackBuffer picture = target->backBuffer;
    for (std::size_t i = 0; i < refused.size(); ++i) {
        uint32_t random = 99;
        EXPECT_FALSE(ReadKeptGame(refused[i], *target, random)) << "case " << i;
        EXPECT_EQ(KeepGame(*target, random), before) << "case " << i;
        EXPECT_EQ(target->backBuffer.pixels, picture.pixels);
    }
    uint32_t random = 99;
    EXPECT_TRUE(ReadKeptGame(fifteen, *target, random));
    EXPECT_EQ(std::pair(target->screen, random), std::pair(int32_t{SCREEN_FIFTEEN}, 5u));
}

}  // namespace
}  // namespace tessel
