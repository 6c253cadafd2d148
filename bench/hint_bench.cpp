// Hints measured: the time of every hint on the way home, and the moves that following hints takes from the
// game's own scrambles (beside what undoing the scramble would take, round by round, each round the shorter
// way) and from boards after 500 random moves. Prints one table; the number of boards per kind is the
// first argument (1,000 if none).
#include <time.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_platform.h"
#include "core/crt_random.h"
#include "hints/hint.h"
#include "hints/hint_parts.h"
#include "hints/line_search.h"
#include "puzzles/almost_impossible.h"
#include "puzzles/fifteen.h"
#include "puzzles/lights_out.h"
#include "puzzles/normal.h"
#include "puzzles/puzzle_table.h"
#include "puzzles/uneven.h"
#include "puzzles/unmovable.h"

namespace tessel::bench {
namespace {

constexpr int32_t FAR_MOVES = 500;
constexpr int32_t MOVE_CAP = 5000;

// What undoing the scramble takes: each round of one to three steps of one line the shorter way round;
// "Uneven" columns one slide each; "Almost Impossible" k clockwise turns for k counter-clockwise ones.
int32_t RoundCost(int32_t steps) {
    return steps == 3 ? 1 : steps;
}

int32_t UndoCount(const Game& game, uint32_t ticks) {
    CrtRandom random;
    random.Seed(ticks % 2000000000u);
    const auto draw = [&] { return random.Draw(); };
    int32_t cost = 0;
    switch (game.screen) {
        case SCREEN_NORMAL:
            for (int32_t round = 0; round < NORMAL_SCRAMBLE_ROUNDS; ++round) {
                draw();
                draw();
                cost += RoundCost(draw() % 3 + 1);
            }
            return cost;
        case SCREEN_UNMOVABLE:
            for (int32_t accepted = 0; accepted < UNMOVABLE_SCRAMBLE_MOVES;) {
                const int32_t direction = draw() % 4;
                const int32_t line = draw() % 4 + 1;
                const int32_t steps = draw() % 3 + 1;
                const bool column = direction % 2 == 0;
                if (line == (column ? game.fixedColumn : game.fixedRow)) continue;
                cost += RoundCost(steps);
                ++accepted;
            }
            return cost;
        case SCREEN_UNEVEN: {
            std::array<bool, 5> down{};
            for (int32_t accepted = 0; accepted < UNEVEN_SCRAMBLE_MOVES;) {
                const int32_t direction = draw() % 4;
                const int32_t line = draw() % 4 + 1;
                const int32_t steps = draw() % 3 + 1;
                if (direction == 0 || direction == 2) {
                    if (down[line] != (direction == 0)) continue;
                    down[line] = !down[line];
                    cost += 1;
                } else {
                    if (line == 1) continue;
                    cost += RoundCost(steps);
                }
                ++accepted;
            }
            return cost;
        }
        case SCREEN_ALMOST_IMPOSSIBLE:
            for (int32_t step = 0; step < ALMOST_IMPOSSIBLE_SCRAMBLE_STEPS; ++step) {
                draw();
                draw();
                cost += draw() % 3 + 1;
            }
            return cost;
        case SCREEN_FIFTEEN:
            return FIFTEEN_SCRAMBLE_MOVES;
        case SCREEN_LIGHTS_OUT:
            return LIGHTS_OUT_SCRAMBLE_PRESSES;
        default:
            return 0;
    }
}

// Points where a tap may play a move: the arrows, the tiles around the empty cell, the inner corners,
// the lights.
std::vector<Point> MovePoints(const Game& game) {
    std::vector<Point> points;
    const TileGrid& grid = game.tileGrid;
    const auto middle = [&](int32_t col, int32_t row) {
        points.push_back({grid.Left(col, row) + CELL_SIZE / 2, grid.Top(col, row) + CELL_SIZE / 2});
    };
    switch (game.screen) {
        case SCREEN_NORMAL:
        case SCREEN_UNMOVABLE:
        case SCREEN_UNEVEN:
            for (int32_t k = 1; k <= 4; ++k) {
                middle(k, 0);
                middle(5, k);
                middle(0, k);
                points.push_back({grid.Left(k, 5) + CELL_SIZE / 2, grid.Top(k, 5) + 3 * CELL_SIZE / 2});
            }
            break;
        case SCREEN_FIFTEEN:
            for (const auto& [dc, dr] : {std::pair{0, -1}, {1, 0}, {0, 1}, {-1, 0}}) {
                const int32_t col = game.blankCol + dc, row = game.blankRow + dr;
                if (col >= 1 && col <= 4 && row >= 1 && row <= 4) middle(col, row);
            }
            break;
        case SCREEN_ALMOST_IMPOSSIBLE:
            for (int32_t row = 1; row <= 3; ++row) {
                for (int32_t col = 1; col <= 3; ++col)
                    points.push_back({grid.Left(col + 1, row), grid.Top(col + 1, row + 1)});
            }
            break;
        case SCREEN_LIGHTS_OUT:
            for (int32_t row = 1; row <= 5; ++row) {
                for (int32_t col = 1; col <= 5; ++col) {
                    points.push_back({game.lightGrid.Left(col, row) + 12, game.lightGrid.Top(col, row) + 12});
                }
            }
            break;
        default:
            break;
    }
    return points;
}

// A tap through the puzzle's own tap rule; whether it changed the board.
bool PlayTap(Game& game, const Puzzle& puzzle, int32_t x, int32_t y) {
    const auto tiles = game.tileGrid.tile;
    const auto lights = game.lightGrid.lit;
    game.tapActed = 0;
    puzzle.tap(game, x, y);
    return game.tapActed != 0 && (tiles != game.tileGrid.tile || lights != game.lightGrid.lit);
}

void RandomMoves(Game& game, const Puzzle& puzzle, std::mt19937& random, int32_t count) {
    for (int32_t made = 0; made < count;) {
        const std::vector<Point> points = MovePoints(game);
        const Point p = points[random() % points.size()];
        if (PlayTap(game, puzzle, p.x, p.y)) ++made;
    }
}

struct Figures {
    std::vector<double> ms;
    std::vector<int32_t> moves;
    std::vector<int32_t> undo;
    int32_t withinUndo = 0;
    int32_t failures = 0;
    int32_t boards = 0;
};

template <typename T>
T Quantile(std::vector<T> values, double q) {
    if (values.empty()) return T{};
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(q * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

// The machine is shared: the time a hint takes is the processor time of this thread.
double CpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

void FollowHints(Game& game, const Puzzle& puzzle, Figures& figures, int32_t undo) {
    int32_t moves = 0;
    bool failed = false;
    for (; moves < MOVE_CAP; ++moves) {
        const double start = CpuMilliseconds();
        const std::optional<Hint> hint = FindHint(game);
        figures.ms.push_back(CpuMilliseconds() - start);
        if (!hint) break;
        if (!PlayTap(game, puzzle, hint->x, hint->y)) {
            failed = true;
            break;
        }
    }
    if (failed || !puzzle.isSolved(game)) ++figures.failures;
    figures.moves.push_back(moves);
    ++figures.boards;
    if (undo > 0) {
        figures.undo.push_back(undo);
        if (moves <= undo) ++figures.withinUndo;
    }
}

void Print(const char* name, const char* kind, const Figures& f) {
    std::printf("| %-17s | %-9s | %5d | %6.2f | %6.2f | %6.2f | %4d | %4d | %4d |", name, kind, f.boards,
                Quantile(f.ms, 0.5), Quantile(f.ms, 0.99), Quantile(f.ms, 1.0), Quantile(f.moves, 0.5),
                Quantile(f.moves, 0.9), Quantile(f.moves, 1.0));
    if (f.undo.empty()) {
        std::printf("    - |    - |    - |     - |");
    } else {
        std::printf(" %4d | %4d | %4d | %4.1f%% |", Quantile(f.undo, 0.5), Quantile(f.undo, 0.9),
                    Quantile(f.undo, 1.0), 100.0 * f.withinUndo / f.boards);
    }
    std::printf(" %d\n", f.failures);
    std::fflush(stdout);
}

}  // namespace
}  // namespace tessel::bench

int main(int argc, char** argv) {
    using namespace tessel;
    using namespace tessel::bench;
    const int32_t boards = argc > 1 ? std::atoi(argv[1]) : 1000;
    const std::string only = argc > 2 ? argv[2] : "";
    auto game = NewGame();
    std::printf(
        "| puzzle | boards | n | hint ms median | p99 | max | moves median | p90 | max | undo median | "
        "p90 | max | moves <= undo | unsolved |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    for (const Puzzle& puzzle : Puzzles()) {
        const std::string name = std::to_string(puzzle.screen);
        if (!only.empty() && only != name) continue;
        const char* title = puzzle.screen == SCREEN_NORMAL       ? "Normal"
                            : puzzle.screen == SCREEN_UNEVEN     ? "Uneven"
                            : puzzle.screen == SCREEN_UNMOVABLE  ? "Unmovable"
                            : puzzle.screen == SCREEN_FIFTEEN    ? "15 Puzzle"
                            : puzzle.screen == SCREEN_LIGHTS_OUT ? "Lights out"
                                                                 : "Almost Impossible";
        for (const bool far : {false, true}) {
            Figures figures;
            std::mt19937 random(2026);
            for (int32_t i = 0; i < boards; ++i) {
                const uint32_t ticks = 1000u + static_cast<uint32_t>(i) * 7919u;
                SetTicks(ticks);
                puzzle.setup(*game);
                game->screen = puzzle.screen;
                game->solved = 0;
                int32_t undo = UndoCount(*game, ticks);
                if (far) {
                    RandomMoves(*game, puzzle, random, FAR_MOVES);
                    undo = 0;
                }
                FollowHints(*game, puzzle, figures, undo);
            }
            Print(title, far ? "500 moves" : "scramble", figures);
        }
    }
    return 0;
}
