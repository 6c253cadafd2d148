#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <random>
#include <tuple>
#include <vector>

#include "bench/scramble_undoing.h"
#include "hints/hint.h"
#include "puzzles/lights_out.h"
#include "puzzles/tile_board.h"
#include "puzzles/uneven.h"
#include "tests/test_support.h"

namespace tessel::testing {
namespace {

// What a move changes: the tiles and the lights.
auto BoardOf(const Game& game) {
    return std::pair(game.tileGrid.tile, game.lightGrid.lit);
}

// Taps hints until none is left or `cap` moves; fails on a hint that does not act, lies outside its outline
// or comes back to a board passed (hints would then go round for ever).
int32_t FollowHints(Game& game, int32_t cap) {
    int32_t moves = 0;
    std::vector<decltype(BoardOf(game))> passed;
    for (std::optional<Hint> hint = FindHint(game); hint && moves < cap; hint = FindHint(game), ++moves) {
        EXPECT_TRUE(hint->left <= hint->x && hint->x <= hint->left + hint->width && hint->top <= hint->y &&
                    hint->y <= hint->top + hint->height)
            << hint->move;
        const auto before = BoardOf(game);
        Tap(game, hint->x, hint->y);
        const bool acted = game.tapActed && BoardOf(game) != before;
        EXPECT_TRUE(acted) << "the hint \"" << hint->move << "\" did not act";
        passed.push_back(before);
        const bool back = std::find(passed.begin(), passed.end(), BoardOf(game)) != passed.end();
        EXPECT_FALSE(back) << "the hint \"" << hint->move << "\" came back to a board passed";
        if (!acted || back) return cap;
    }
    return moves;
}

// Random moves through the puzzle's own taps, on a board that shows no banner.
void PlayRandomMoves(Game& game, std::mt19937& random, int32_t count) {
    bench::RandomMoves(game, *FindPuzzle(game.screen), random, count);
    game.solved = 0;
}

struct Bounds {
    const char* name;
    Screen screen;
    int32_t withinYardstick;  // of ten scrambles, at least this many take no more moves than the yardstick
    int32_t scrambled;        // the most moves following hints may take from a fresh scramble
    int32_t far;              // ... and from a board after 500 random moves
    int32_t exactDepth;       // boards this many moves from the goal are solved in their fewest moves
    int32_t walk;             // boards this many random moves from the goal mostly take no more
};

// The goal; "Uneven" with the columns in `downColumns` (a bit each) slid down.
void WriteGoal(Game& game, int32_t downColumns = 0) {
    game.tileGrid.tile.fill(0);
    game.lightGrid.lit.fill(0);
    WriteGoalOrder(game.tileGrid);
    if (game.screen == SCREEN_FIFTEEN) game.tileGrid.Tile(4, 4) = 0, game.blankCol = game.blankRow = 4;
    for (int32_t col = 1; col <= 4; ++col) {
        if ((downColumns >> (col - 1)) & 1) SlideColumnDown(game.tileGrid, col);
    }
}

// Hard boards, one for each `i` until false: the goal with two or three of its last tiles (the locked row's
// under every lock, "Uneven"'s row 1 under every gap pattern) swapped or turned round.
bool BuildHardBoard(Game& game, int32_t i) {
    const int32_t setting = i / 2;
    const bool everyLayout = game.screen == SCREEN_UNMOVABLE || game.screen == SCREEN_UNEVEN;
    if (setting >=
        (everyLayout ? 16 : game.screen == SCREEN_NORMAL || game.screen == SCREEN_ALMOST_IMPOSSIBLE))
        return false;
    auto tiles = game.screen == SCREEN_UNEVEN ? std::array{2, 3, 4} : std::array{14, 15, 16};
    if (game.screen == SCREEN_UNMOVABLE) {
        game.fixedColumn = setting % 4 + 1, game.fixedRow = setting / 4 + 1;
        for (int32_t col = 1, k = 0; col <= 4; ++col) {
            if (col != game.fixedColumn) tiles[static_cast<std::size_t>(k++)] = (game.fixedRow - 1) * 4 + col;
        }
    }
    WriteGoal(game, game.screen == SCREEN_UNEVEN ? setting : 0);
    auto& cells = game.tileGrid.tile;
    const auto at = [&](int32_t tile) { return std::find(cells.begin(), cells.end(), tile); };
    const auto a = at(tiles[0]), b = at(tiles[1]), c = at(tiles[2]);
    std::iter_swap(a, b);
    if (i % 2 == 1) std::iter_swap(b, c);
    return true;
}

// The board alone: tiles, lights, locks and the empty cell.
void CopyBoard(Game& to, const Game& from) {
    to.tileGrid = from.tileGrid, to.lightGrid = from.lightGrid;
    to.fixedColumn = from.fixedColumn, to.fixedRow = from.fixedRow;
    to.blankCol = from.blankCol, to.blankRow = from.blankRow, to.solved = 0;
}

// The fewest presses that clear the lights: each of the 32 ways to press row 1 decides the rest.
int32_t FewestPresses(const LightGrid& start) {
    int32_t fewest = 255;
    for (int32_t first = 0; first < 32; ++first) {
        LightGrid grid = start;
        int32_t presses = 0;
        for (int32_t col = 1, row = 1; row <= 5; col = col % 5 + 1, row += col == 1) {
            if (row == 1 ? (first >> (col - 1)) & 1 : grid.Lit(col, row - 1))
                PressLight(grid, col, row), ++presses;
        }
        bool clear = true;  // rows 1 to 4 are by now
        for (int32_t col = 1; col <= 5; ++col) clear = clear && !grid.Lit(col, 5);
        if (clear) fewest = std::min(fewest, presses);
    }
    return fewest;
}

// The fewest moves to the goal of every board within `depth` moves of it, breadth first from the goal
// through the puzzle's own taps. A move that comes round in four plays (a line shifted, a block turned) is
// taken back by three more of it; any other by another move, so the board it makes is one before too.
using Tiles = decltype(tessel::Board::tiles);
std::map<Tiles, int32_t> DistancesFromGoal(const Game& goal, int32_t depth) {
    const Puzzle& puzzle = *FindPuzzle(goal.screen);
    auto game = std::make_unique<Game>(goal);
    std::map<Tiles, int32_t> distance{{TakeBoard(goal).tiles, 0}};
    std::vector<tessel::Board> queue{TakeBoard(goal)};
    for (std::size_t head = 0; head < queue.size() && distance[queue[head].tiles] < depth; ++head) {
        const tessel::Board from = queue[head];
        PutBoard(*game, from);
        for (const Point& p : bench::MovePoints(*game, puzzle)) {
            std::vector<tessel::Board> plays;
            for (PutBoard(*game, from); plays.size() < 4 && bench::PlayTap(*game, puzzle, p.x, p.y);)
                plays.push_back(TakeBoard(*game));
            if (plays.empty()) continue;
            const tessel::Board& before =
                plays.size() == 4 && plays[3].tiles == from.tiles ? plays[2] : plays[0];
            if (distance.emplace(before.tiles, distance[from.tiles] + 1).second) queue.push_back(before);
        }
    }
    return distance;
}

class EveryPuzzle : public ::testing::TestWithParam<Bounds> {};

// Hints solve hard boards, scrambles and far boards within bound, mostly within the yardstick; a board gets
// the same hint however it was reached.
TEST_P(EveryPuzzle, FollowingHintsAlwaysEnds) {
    const Bounds& bounds = GetParam();
    // The line puzzles' tables built ahead in small slices, as the web page builds them, serve what follows.
    while (!BuildHintTablesAhead(997)) {
    }
    auto other = NewGame();
    auto game = NewGame();
    Platform().keepPictures = false;
    std::mt19937 random(11);
    auto all = [](const Hint& h) { return std::tie(h.move, h.x, h.y, h.left, h.top, h.width, h.height); };
    for (int32_t i = 0; (ChoosePuzzle(*game, FindPuzzle(bounds.screen)->label), BuildHardBoard(*game, i));
         ++i) {
        FollowHints(*game, bounds.far);
        EXPECT_TRUE(game->solved) << "hard board " << i;
    }
    constexpr uint32_t SCRAMBLES = 20, FAR_BOARDS = 3;
    int32_t withinYardstick = 0;
    for (uint32_t k = 0; k < SCRAMBLES + FAR_BOARDS; ++k) {
        const bool far = k >= SCRAMBLES;
        const uint32_t ticks = far ? 5 + (k - SCRAMBLES) * 131 : 100 + k * 7717;
        ChoosePuzzle(*game, FindPuzzle(bounds.screen)->label, ticks);
        const int32_t yardstick = bench::UndoMoves(*game, *FindPuzzle(game->screen), game->seed).yardstick;
        if (far) PlayRandomMoves(*game, random, 500);
        if (k % 4 == 0) {  // the same hint in another game, and here after a move played and taken back
            const std::optional<Hint> first = FindHint(*game);
            ASSERT_TRUE(first) << ticks;
            ChoosePuzzle(*other, FindPuzzle(bounds.screen)->label, ticks + 17);
            CopyBoard(*other, *game);
            Tap(*game, first->x, first->y);
            CopyBoard(*game, *other);
            for (const Game* same : {other.get(), game.get()}) {
                const std::optional<Hint> hint = FindHint(*same);
                EXPECT_TRUE(hint && all(*hint) == all(*first)) << "tick " << ticks << ": " << first->move;
            }
        }
        const int32_t moves = FollowHints(*game, far ? bounds.far : bounds.scrambled);
        EXPECT_TRUE(game->solved) << (far ? "far board from tick " : "scramble at tick ") << ticks;
        withinYardstick += !far && moves <= yardstick;
    }
    EXPECT_GE(withinYardstick * 10, bounds.withinYardstick * static_cast<int32_t>(SCRAMBLES));
}

// Boards near the goal take the fewest moves there are, and boards a few random moves away mostly no more.
TEST_P(EveryPuzzle, HintsTakeTheFewestMovesNearTheGoal) {
    const Bounds& bounds = GetParam();
    auto game = NewGame();
    Platform().keepPictures = false;
    std::mt19937 random(9);
    // The fewest moves found breadth first ("Lights out": any board, by its fewest presses).
    ChoosePuzzle(*game, FindPuzzle(bounds.screen)->label);
    game->fixedColumn = 2, game->fixedRow = 4;  // the first game's locks
    WriteGoal(*game);
    const bool lights = game->screen == SCREEN_LIGHTS_OUT;
    std::map<Tiles, int32_t> distance = DistancesFromGoal(*game, lights ? 0 : bounds.exactDepth);
    const int32_t wanted = lights ? 300 : 40;
    int32_t boards = 0;
    for (int32_t walk = 0; boards < wanted && walk < 1000; ++walk) {
        WriteGoal(*game);
        PlayRandomMoves(*game, random, 1 + walk % (bounds.exactDepth + 2));
        const int32_t fewest = lights ? FewestPresses(game->lightGrid) : distance[TakeBoard(*game).tiles];
        if (fewest == 0) continue;  // solved, or farther than the search went
        ++boards;
        EXPECT_EQ(FollowHints(*game, 40), fewest) << "walk " << walk;
        EXPECT_TRUE(game->solved);
    }
    EXPECT_EQ(boards, wanted);
    // A board `walk` random moves away takes no more on nine boards in ten.
    int32_t within = 0;
    for (int32_t walk = 0; walk < 20 && bounds.walk > 0; ++walk) {
        WriteGoal(*game);
        PlayRandomMoves(*game, random, bounds.walk);
        within += FollowHints(*game, 60) <= bounds.walk;
    }
    EXPECT_GE(within, bounds.walk > 0 ? 18 : 0);
}

INSTANTIATE_TEST_SUITE_P(Hints, EveryPuzzle,
                         ::testing::Values(Bounds{"Normal", SCREEN_NORMAL, 9, 30, 36, 4, 12},
                                           Bounds{"Uneven", SCREEN_UNEVEN, 9, 30, 50, 5, 16},
                                           Bounds{"Unmovable", SCREEN_UNMOVABLE, 9, 30, 32, 4, 16},
                                           Bounds{"LightsOut", SCREEN_LIGHTS_OUT, 0, 15, 15, 25, 0},
                                           Bounds{"Fifteen", SCREEN_FIFTEEN, 0, 60, 100, 16, 0},
                                           Bounds{"AlmostImpossible", SCREEN_ALMOST_IMPOSSIBLE, 9, 24, 40, 6,
                                                  0}),
                         [](const auto& info) { return info.param.name; });

// A hint asked during the build ahead is the whole tables' hint, and the build still ends.
TEST(HintTables, AHintAskedDuringTheBuildAheadIsTheWholeTablesHint) {
    auto game = NewGame();
    Platform().keepPictures = false;
    BuildHintTablesAhead(997);  // the first table begun, the others not
    std::vector<std::optional<Hint>> early;
    const auto each = [&](auto check) {
        for (const Screen screen : {SCREEN_NORMAL, SCREEN_UNMOVABLE, SCREEN_UNEVEN}) {
            for (uint32_t ticks = 100; ticks < 600; ticks += 97) {
                ChoosePuzzle(*game, FindPuzzle(screen)->label, ticks);
                check(FindHint(*game));
            }
        }
    };
    each([&](const std::optional<Hint>& hint) { early.push_back(hint); });
    while (!BuildHintTablesAhead(997)) {
    }
    auto was = early.begin();
    each([&](const std::optional<Hint>& hint) {
        ASSERT_TRUE(hint && *was);
        EXPECT_EQ(std::tie(hint->move, hint->x, hint->y), std::tie((*was)->move, (*was)->x, (*was)->y));
        ++was;
    });
}

}  // namespace
}  // namespace tessel::testing
