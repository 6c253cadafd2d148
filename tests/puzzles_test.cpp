// Every puzzle of the table through the tap cycle, by what must hold of any puzzle: a tap moves tiles without
// losing one and shows them under way, cell by cell, before they rest on the board's own picture; a move and
// its taking back pass through the same pictures; the banner shows exactly when the board is in goal order.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "game/invariants.h"
#include "puzzles/tile_board.h"
#include "tests/random_taps.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using namespace testing;

bool InQuit(Point p) {
    return QUIT_X <= p.x && p.x <= QUIT_X + QUIT_WIDTH && QUIT_Y <= p.y && p.y <= QUIT_Y + QUIT_HEIGHT;
}

// Where single moves are tapped: the middle of every cell over the puzzle's grid and round it, and the
// corners between its cells.
std::vector<Point> MovePoints(const Puzzle& puzzle) {
    std::vector<Point> points;
    for (int32_t i = 0; i < 2 * 8 * 8; ++i) {
        const int32_t col = i / 2 % 8, row = i / 16, middle = i % 2 == 0;
        const Point p{puzzle.origin.x + CELL_SIZE * col + middle * CELL_SIZE / 2,
                      puzzle.origin.y + CELL_SIZE * row + middle * CELL_SIZE / 2};
        const bool inner = middle || (col >= 1 && col <= 5 && row >= 1 && row <= 5);
        if (inner && p.x < SURFACE_WIDTH && p.y < SURFACE_HEIGHT && !InQuit(p)) points.push_back(p);
    }
    return points;
}

// The goal: every light off, or every tile on its own cell in reading order (empty where the board lacks
// one).
bool InGoalOrder(const Game& game, const Puzzle& puzzle) {
    for (int32_t i = 0; i < 25; ++i) {
        const int32_t n = game.tileGrid.Tile(i % 4 + 1, i / 4 + 1);
        if (puzzle.grid == GridKind::Lights ? game.lightGrid.Lit(i % 5 + 1, i / 5 + 1) != 0
                                            : i < 20 && n != 0 && n != i + 1)
            return false;
    }
    return true;
}

// Puts the board's own tiles in goal order, or its lights out, and draws it.
void PutInGoalOrder(Game& game, const Puzzle& puzzle) {
    auto& tiles = game.tileGrid.tile;
    const auto empty = std::count(tiles.begin(), tiles.end(), 0);
    if (puzzle.grid == GridKind::Lights) game.lightGrid.lit.fill(0);
    if (puzzle.grid == GridKind::Tiles) {
        tiles.fill(0);
        WriteGoalOrder(game.tileGrid);
        if (std::count(tiles.begin(), tiles.end(), 0) < empty)  // a tile fewer: the last cell empty
            game.tileGrid.Tile(4, 4) = 0, game.blankCol = game.blankRow = 4;
    }
    DrawScreen(game);
}

// What a move may change, and the tiles no move may change, in number order.
bool SameBoard(const Game& a, const Game& b) {
    return a.tileGrid.tile == b.tileGrid.tile && a.lightGrid.lit == b.lightGrid.lit &&
           a.blankCol == b.blankCol && a.blankRow == b.blankRow;
}
std::vector<int32_t> TilesHeld(const Game& game) {
    std::vector<int32_t> tiles(game.tileGrid.tile.begin(), game.tileGrid.tile.end());
    std::sort(tiles.begin(), tiles.end());
    return tiles;
}

// Whether two pictures agree on cell (col, row) of the puzzle's grid; on every cell a tile rests on.
bool SameCell(const BackBuffer& a, const BackBuffer& b, const Puzzle& puzzle, int32_t col, int32_t row) {
    for (int32_t y = 0; y < CELL_SIZE; ++y) {
        const auto at = a.pixels.begin() + (puzzle.origin.y + CELL_SIZE * row + y) * SURFACE_WIDTH +
                        puzzle.origin.x + CELL_SIZE * col;
        if (!std::equal(at, at + CELL_SIZE, b.pixels.begin() + (at - a.pixels.begin()))) return false;
    }
    return true;
}
bool SameOnTheTiles(const BackBuffer& a, const BackBuffer& b, const Puzzle& puzzle) {
    for (int32_t i = 0; i < 20; ++i)
        if (!SameCell(a, b, puzzle, i % 4 + 1, i / 4 + 1)) return false;
    return true;
}

// Whether a frame differs from `picture` only on the board and its ring.
bool OnTheBoardAlone(const BackBuffer& frame, const BackBuffer& picture, const Puzzle& puzzle) {
    for (int32_t i = 0; i < SURFACE_WIDTH * SURFACE_HEIGHT; ++i) {
        const int32_t dx = i % SURFACE_WIDTH - puzzle.origin.x, dy = i / SURFACE_WIDTH - puzzle.origin.y;
        const bool board = 0 <= dx && dx < 7 * CELL_SIZE && 0 <= dy && dy < 7 * CELL_SIZE;
        if (!board && frame.pixels[i] != picture.pixels[i]) return false;
    }
    return true;
}

// How many pixels of cell (col, row) are the ground's colour.
int32_t Ground(const BackBuffer& frame, uint32_t ground, const Puzzle& puzzle, int32_t col, int32_t row) {
    int32_t count = 0;
    for (int32_t i = 0; i < CELL_SIZE * CELL_SIZE; ++i)
        count += frame.pixels[(puzzle.origin.y + CELL_SIZE * row + i / CELL_SIZE) * SURFACE_WIDTH +
                              puzzle.origin.x + CELL_SIZE * col + i % CELL_SIZE] == ground;
    return count;
}

// Whether a frame shows one move under way: every cell whose tile it moves neither as before nor as after
// (nor mostly ground, where tiles stand on it before and after), every other cell of tiles as before.
bool UnderWay(const BackBuffer& frame, const Game& before, const Game& after, const BackBuffer& rest,
              const Puzzle& puzzle) {
    for (int32_t col = 1; col <= 4; ++col) {
        for (int32_t row = 1; row <= 5; ++row) {
            const bool moving = before.tileGrid.Tile(col, row) != after.tileGrid.Tile(col, row);
            const bool asBefore = SameCell(frame, before.backBuffer, puzzle, col, row);
            if (moving ? asBefore || SameCell(frame, rest, puzzle, col, row) : !asBefore) return false;
            if (moving && before.tileGrid.Tile(col, row) != 0 && after.tileGrid.Tile(col, row) != 0 &&
                Ground(frame, before.images[id::BLANK].pixels[0], puzzle, col, row) * 2 >
                    CELL_SIZE * CELL_SIZE)
                return false;  // a hole between tiles under way
        }
    }
    return true;
}

// The taps that take back the move from `before` to `moved` (the same tap up to three times more, or one
// tap where a move is tapped), and the frames that one tap shows on its way; none when no such taps do.
struct TakenBack {
    std::vector<Point> taps;
    std::vector<BackBuffer> frames;
};
std::optional<TakenBack> TakingBack(const Game& before, const Game& moved, Point tap,
                                    const std::vector<Point>& points) {
    std::optional<TakenBack> back;
    auto again = std::make_unique<Game>(moved);
    const auto tapOnMoved = [&](Point at, int32_t times) {
        PutBoard(*again, TakeBoard(moved));
        for (int32_t k = 0; k < times; ++k) {
            again->solved = 0;  // a solved board leads back to the menu: the moves alone
            Tap(*again, at.x, at.y);
        }
        return SameBoard(*again, before);
    };
    Platform().keepPictures = false;
    for (std::size_t i = 0; i < points.size() && !back; ++i)
        if (tapOnMoved(points[i], 1)) back = {{points[i]}, {}};
    for (int32_t k = 2; k <= 3 && !back; ++k)
        if (tapOnMoved(tap, k)) back = {std::vector<Point>(static_cast<std::size_t>(k), tap), {}};
    Platform().keepPictures = true;
    if (back && back->taps.size() == 1) {
        Platform().presented.clear();
        again->backBuffer = moved.backBuffer;  // a move's steps start from the picture shown
        tapOnMoved(back->taps[0], 1);
        back->frames = std::move(Platform().presented);
        if (!back->frames.empty()) back->frames.pop_back();  // the board at rest
    }
    return back;
}

// Thousands of taps on scrambles of every puzzle and on boards one move from the goal: a third on the points
// where single moves are tapped, a third on or beside cells' edges and corners, where tap regions meet, a
// third anywhere. Each keeps the board sound and its tiles; a tap that moves acts. Tiles moved show steps,
// each changing the board alone; a single move's show its tiles under way, cell by cell. Every move can be
// taken back by taps; one tap that does shows the move's frames on the tiles in reverse order. The picture
// rests on the board as drawn afresh, under the banner exactly when the board is in goal order; a tap that
// moves nothing shows at most that. Quit, or any tap on a solved board, leads back to the menu, under the
// banner when Quit left the board in goal order. Every few taps, and on the menu, the game goes on from
// what it keeps.
TEST(PuzzleTap, EveryPuzzlesTapsKeepItsRules) {
    auto session = NewSession();
    Game* game = &session->game;
    RandomTaps taps(31);
    std::map<Screen, int32_t> solvedSeen;
    const auto puzzles = Puzzles();
    for (std::size_t run = 0; run < 40 * puzzles.size(); ++run) {
        const Puzzle& puzzle = *puzzles[run % puzzles.size()];
        const std::vector<Point> points = MovePoints(puzzle);
        const bool nearGoal = run / puzzles.size() % 2 == 1;
        if (run < puzzles.size()) session = NewSession(), game = &session->game;  // first on a fresh record
        ASSERT_EQ(KeepAndReadBack(session, game), "");
        ChoosePuzzle(*game, puzzle.label, taps.Next().ticks);
        ASSERT_EQ(game->screen, puzzle.screen);
        std::vector<Point> planned;  // a move away from the goal, then its taking back
        if (nearGoal) PutInGoalOrder(*game, puzzle);
        for (std::size_t i = taps.Next().ticks; nearGoal && planned.empty(); ++i) {
            auto moved = std::make_unique<Game>(*game);
            const Point& p = points[i % points.size()];
            Tap(*moved, p.x, p.y);
            if (!SameBoard(*moved, *game)) planned.push_back(p);
        }
        for (int i = 0; i < 40 && game->screen != SCREEN_MENU; ++i) {
            RandomTaps::Tap tap = taps.Next();
            const bool exact = !planned.empty() || i % 3 == 0;
            constexpr int32_t NEAR[] = {-8, -7, -1, 0, 1, 7, 8};
            if (const uint32_t r = tap.ticks; !planned.empty()) {
                tap.x = planned.front().x, tap.y = planned.front().y;
                planned.erase(planned.begin());
            } else if (i % 3 < 2) {
                const Point& p = points[r % points.size()];
                tap.x = p.x + !exact * NEAR[r / 1024 % 7], tap.y = p.y + !exact * NEAR[r / 8192 % 7];
            }
            SCOPED_TRACE(::testing::Message() << puzzle.name << ", tap at " << tap.x << "," << tap.y);
            const auto before = std::make_unique<Game>(*game);
            const bool leaves = game->solved != 0 || InQuit({tap.x, tap.y});
            Platform().presented.clear();
            Tap(*game, tap.x, tap.y);
            ASSERT_EQ(BrokenInvariant(*game), "");
            ASSERT_TRUE(TilesHeld(*game) == TilesHeld(*before));
            if (leaves) {
                const bool banner = before->solved == 0 && InGoalOrder(*before, puzzle);
                Picture menu(*game);
                ASSERT_TRUE(SameBoard(*game, *before));
                ASSERT_EQ(game->screen, SCREEN_MENU);
                ASSERT_EQ((banner ? menu.Banner() : menu).Differences(game->backBuffer), "");
                continue;
            }
            std::vector<BackBuffer> shown = std::move(Platform().presented);
            const bool moved = !SameBoard(*game, *before);
            ASSERT_TRUE(game->tapActed != 0 || !moved);
            ASSERT_EQ(game->solved != 0, InGoalOrder(*game, puzzle));
            auto afresh = std::make_unique<Game>(*game), rest = std::make_unique<Game>(*game);
            DrawScreen(*afresh);
            rest->solved = 0;
            DrawScreen(*rest);
            ASSERT_TRUE(game->backBuffer.pixels == afresh->backBuffer.pixels) << "not the board at rest";
            ASSERT_NE(game->backBuffer.pixels == rest->backBuffer.pixels, game->solved != 0) << "the banner";
            ASSERT_TRUE(shown.empty() || shown.back().pixels == game->backBuffer.pixels);
            if (!moved) {
                ASSERT_LE(shown.size(), 1u);
                continue;
            }
            shown.pop_back();
            ASSERT_TRUE(puzzle.grid == GridKind::Lights || !shown.empty()) << "tiles moved without steps";
            for (std::size_t f = 0; f < shown.size(); ++f) {
                ASSERT_TRUE(OnTheBoardAlone(shown[f], before->backBuffer, puzzle) &&
                            shown[f].pixels != before->backBuffer.pixels &&
                            shown[f].pixels != rest->backBuffer.pixels &&
                            (!exact || UnderWay(shown[f], *before, *game, rest->backBuffer, puzzle)))
                    << "step " << f;
            }
            solvedSeen[puzzle.screen] += game->solved;
            if (i % 3 == 0 || game->solved != 0 || nearGoal) {
                const auto back = TakingBack(*before, *game, {tap.x, tap.y}, points);
                ASSERT_TRUE(back.has_value()) << "a move no taps take back";
                for (std::size_t f = 0; exact && back->taps.size() == 1 && f < shown.size(); ++f) {
                    ASSERT_EQ(back->frames.size(), shown.size());
                    ASSERT_TRUE(SameOnTheTiles(back->frames[shown.size() - 1 - f], shown[f], puzzle))
                        << "taken back, step " << f << " of " << shown.size();
                }
                if (nearGoal && i == 0) planned = back->taps;
            }
            if (i % 4 == 3 || game->solved != 0) {
                ASSERT_EQ(KeepAndReadBack(session, game), "");
            }
        }
    }
    for (const Puzzle* puzzle : puzzles)
        EXPECT_GT(solvedSeen[puzzle->screen], 0) << puzzle->name << " never solved";
}

}  // namespace
}  // namespace tessel
