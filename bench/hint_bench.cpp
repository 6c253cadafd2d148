// Hints measured: the time of every hint on the way home, and the moves that following hints takes from the
// game's own scrambles (beside two counts of undoing the scramble: the yardstick, steps of parallel lines
// passing each other, and the kinder count, round by round), from boards after 500 random moves and from
// boards that once went wrong.
// Prints one table, with each puzzle's first hint, which builds its tables, timed apart; the number of
// boards per kind is the first argument (1,000 if none); a second, a screen number or "hard", keeps to
// that puzzle or to those boards; "runs" checks instead that every line-puzzle
// board whose run of tiles cannot grow within reach still gets a hint that makes progress.
#include <time.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_platform.h"
#include "bench/scramble_undoing.h"
#include "core/cells.h"
#include "core/crt_random.h"
#include "game/game_id.h"
#include "hints/hint.h"
#include "hints/hint_parts.h"
#include "hints/line_search.h"
#include "puzzles/almost_impossible.h"
#include "puzzles/fifteen.h"
#include "puzzles/lights_out.h"
#include "puzzles/normal.h"
#include "puzzles/puzzle_table.h"
#include "puzzles/tile_board.h"
#include "puzzles/uneven.h"
#include "puzzles/unmovable.h"

namespace tessel::bench {
namespace {

constexpr int32_t FAR_MOVES = 500;
constexpr int32_t MOVE_CAP = 5000;

struct Figures {
    std::vector<double> ms;
    std::vector<double> firstMs;  // the first hint of each board
    std::vector<int32_t> moves;
    std::vector<int32_t> undo;
    std::vector<int32_t> yardstick;
    int32_t withinUndo = 0;
    int32_t withinYardstick = 0;
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

void FollowHints(Game& game, const Puzzle& puzzle, Figures& figures, Undoing undo) {
    int32_t moves = 0;
    bool failed = false;
    for (; moves < MOVE_CAP; ++moves) {
        const double start = CpuMilliseconds();
        const std::optional<Hint> hint = FindHint(game);
        figures.ms.push_back(CpuMilliseconds() - start);
        if (moves == 0) figures.firstMs.push_back(figures.ms.back());
        if (!hint) break;
        if (!PlayTap(game, puzzle, hint->x, hint->y)) {
            failed = true;
            break;
        }
    }
    if (failed || !puzzle.isSolved(game)) ++figures.failures;
    figures.moves.push_back(moves);
    ++figures.boards;
    if (undo.kinder > 0) {
        figures.undo.push_back(undo.kinder);
        if (moves <= undo.kinder) ++figures.withinUndo;
        figures.yardstick.push_back(undo.yardstick);
        if (moves <= undo.yardstick) ++figures.withinYardstick;
    }
}

void Print(const char* name, const char* kind, const Figures& f) {
    std::printf("| %-17s | %-9s | %5d | %6.2f | %6.2f | %6.2f | %4d | %4d | %4d |", name, kind, f.boards,
                Quantile(f.ms, 0.5), Quantile(f.ms, 0.95), Quantile(f.ms, 1.0), Quantile(f.moves, 0.5),
                Quantile(f.moves, 0.9), Quantile(f.moves, 1.0));
    if (f.undo.empty()) {
        std::printf("    - |    - |    - |     - |    - |    - |    - |     - |");
    } else {
        for (const auto& [counts, within] :
             {std::pair(&f.yardstick, f.withinYardstick), {&f.undo, f.withinUndo}}) {
            std::printf(" %4d | %4d | %4d | %5.1f%% |", Quantile(*counts, 0.5), Quantile(*counts, 0.9),
                        Quantile(*counts, 1.0), 100.0 * within / f.boards);
        }
    }
    std::printf(" %d | %6.2f | %6.2f | %6.2f |\n", f.failures, Quantile(f.firstMs, 0.5),
                Quantile(f.firstMs, 0.95), Quantile(f.firstMs, 1.0));
    std::fflush(stdout);
}

// Boards that once went wrong: "Normal" with 15 and 16 swapped (slow), "Unmovable" locked at column 2 and
// row 4 with 13 and 15 swapped (hints went back and forth), and the first "Unmovable" game of a session
// (always those locks) from ticks 0 to 199.
void HardBoards(Game& game) {
    const auto follow = [&](const char* kind, const Puzzle& puzzle, Figures& figures, auto setBoard,
                            int32_t count) {
        for (int32_t i = 0; i < count; ++i) {
            const Undoing undo = setBoard(i);
            game.screen = puzzle.screen;
            game.solved = 0;
            FollowHints(game, puzzle, figures, undo);
        }
        Print(puzzle.name, kind, figures);
    };
    const auto goalWithSwap = [&](int32_t a, int32_t b) {
        WriteGoalOrder(game.tileGrid);
        std::swap(game.tileGrid.Tile(GoalCol(a), GoalRow(a)), game.tileGrid.Tile(GoalCol(b), GoalRow(b)));
    };
    const Puzzle& normal = NORMAL_PUZZLE;
    const Puzzle& unmovable = UNMOVABLE_PUZZLE;
    // The tables are built by a first hint, not timed here.
    for (const Puzzle* puzzle : {&normal, &unmovable}) {
        puzzle->setup(game, DealAt(1));
        game.screen = puzzle->screen;
        FindHint(game);
    }
    Figures swapped, looped, first;
    follow(
        "15, 16 swapped", normal, swapped,
        [&](int32_t) {
            normal.setup(game, DealAt(1));
            goalWithSwap(15, 16);
            return Undoing{};
        },
        1);
    follow(
        "13, 15 swapped", unmovable, looped,
        [&](int32_t) {
            game.random.Seed(1);
            unmovable.setup(game, DealAt(2));
            goalWithSwap(13, 15);
            return Undoing{};
        },
        1);
    follow(
        "first game", unmovable, first,
        [&](int32_t i) {
            game.random.Seed(1);
            unmovable.setup(game, DealAt(static_cast<uint32_t>(i)));
            return UndoMoves(game, unmovable, static_cast<uint32_t>(i));
        },
        200);
}

// Why following hints ends on the line puzzles: every board whose own run of tiles home is the longest
// within reach, built for every gap pattern, run and cell of the run's next tile, gets a move after which
// the longest run within reach is longer. Prints how many boards, how many needed a listed way round, and
// how many failed (none should).
void EveryRunGrows() {
    const auto check = [](const char* name, const LineRules& rules, bool gapped, int32_t fixedCell,
                          bool print) {
        int32_t boards = 0, waysRound = 0, failed = 0;
        double slowest = 0;
        const int32_t rows = gapped ? 5 : 4;
        for (int32_t gaps = 0; gaps < (gapped ? 16 : 1); ++gaps) {
            const auto down = [&](int32_t col) { return ((gaps >> (col - 1)) & 1) != 0; };
            const auto home = [&](int32_t tile) {
                return CellIndex(GoalCol(tile), GoalRow(tile) + (down(GoalCol(tile)) ? 1 : 0));
            };
            for (int32_t run = 0; run < 16; ++run) {
                const int32_t next = rules.order[run];
                if (next == fixedCell + 1) continue;
                for (int32_t cell = 0; cell < 4 * rows; ++cell) {
                    const int32_t col = ColOf(cell), row = RowOf(cell);
                    if (gapped && row == (down(col) ? 1 : 5)) continue;
                    if (cell == home(next) || cell == fixedCell) continue;
                    bool taken = false;
                    for (int32_t t = 0; t < run; ++t) taken = taken || home(rules.order[t]) == cell;
                    if (taken) continue;
                    // The run home, its next tile in the cell, the locked tile home, the rest anywhere.
                    TileGrid grid{};
                    for (int32_t t = 0; t < run; ++t)
                        grid.Tile(ColOf(home(rules.order[t])), RowOf(home(rules.order[t]))) = rules.order[t];
                    grid.Tile(col, row) = next;
                    if (fixedCell >= 0) grid.Tile(ColOf(fixedCell), RowOf(fixedCell)) = fixedCell + 1;
                    int32_t rest = run + 1;
                    for (int32_t c = 0; c < 4 * rows; ++c) {
                        const int32_t cc = ColOf(c), rr = RowOf(c);
                        if ((gapped && rr == (down(cc) ? 1 : 5)) || grid.Tile(cc, rr) != 0) continue;
                        while (rules.order[rest] == fixedCell + 1 || rules.order[rest] == next) ++rest;
                        grid.Tile(cc, rr) = rules.order[rest++];
                    }
                    const double start = CpuMilliseconds();
                    const LineSearch before = SearchLines(grid, rules);
                    slowest = std::max(slowest, CpuMilliseconds() - start);
                    ++boards;
                    if (before.kind == LineHintKind::WayRound) ++waysRound;
                    const ShiftDirection direction = MoveDirection(before.found.move);
                    const int32_t line = MoveLine(before.found.move);
                    if (gapped && direction == ShiftDirection::Up) {
                        SlideColumnUp(grid, line);
                    } else if (gapped && direction == ShiftDirection::Down) {
                        SlideColumnDown(grid, line);
                    } else {
                        ShiftLine(grid, direction, line);
                    }
                    const LineSearch after = SearchLines(grid, rules);
                    // After a solution's move the search finds a shorter one; after any other move it
                    // finds one, or the pair grows.
                    const auto solution = [](const LineSearch& found) {
                        return found.kind == LineHintKind::Near || found.kind == LineHintKind::Searched ||
                               found.kind == LineHintKind::None;
                    };
                    // A solution's measure: its length, or on the boards that shift round the pass that found
                    // it, then its bound.
                    const auto nearer = [](const SearchResult& a, const SearchResult& b) {
                        if (a.pass != b.pass) return a.pass < b.pass;
                        return a.bound != b.bound ? a.bound < b.bound : a.length < b.length;
                    };
                    const bool kept = before.kind == LineHintKind::Searched
                                          ? solution(after) && nearer(after.found.search, before.found.search)
                                          : solution(after) || after.run > before.run ||
                                                (after.run == before.run && after.length < before.length);
                    if (before.kind == LineHintKind::Further || !kept) {
                        ++failed;
                        std::printf(
                            "  %s: gaps %d, run %d, next tile in cell %d: no longer run after the hint\n",
                            name, gaps, run, cell);
                    }
                }
            }
        }
        if (!print) return;
        std::printf("| %s | %d boards | %d by a way round | %d without a longer run | slowest %.1f ms |\n",
                    name, boards, waysRound, failed, slowest);
        std::fflush(stdout);
    };
    // Twice: the first time builds the tables, which is not timed as a hint.
    for (const bool print : {false, true}) {
        check("Normal", NormalRules(), false, -1, print);
        check("Unmovable", UnmovableRules(), false, 0, print);
        check("Uneven", UnevenRules(), true, -1, print);
    }
}

}  // namespace
}  // namespace tessel::bench

int main(int argc, char** argv) {
    using namespace tessel;
    using namespace tessel::bench;
    const int32_t boards = argc > 1 ? std::atoi(argv[1]) : 1000;
    const std::string only = argc > 2 ? argv[2] : "";
    auto game = NewGame();
    if (only == "runs") {
        EveryRunGrows();
        return 0;
    }
    std::printf(
        "| puzzle | boards | n | hint ms median | p95 | max | moves median | p90 | max | yardstick median | "
        "p90 | max | moves <= yardstick | kinder count median | p90 | max | moves <= kinder | unsolved | "
        "first hint ms median | p95 | max |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    if (only.empty() || only == "hard") HardBoards(*game);
    for (const Puzzle* entry : Puzzles()) {
        const Puzzle& puzzle = *entry;
        const std::string name = GameIdName(puzzle);
        if (!only.empty() && only != name) continue;
        const char* title = puzzle.name;
        // The puzzle's first hint builds its tables, once; it is timed on its own.
        puzzle.setup(*game, DealAt(1));
        game->screen = puzzle.screen;
        game->solved = 0;
        const double start = CpuMilliseconds();
        FindHint(*game);
        std::printf("| %-17s | first hint, tables built: %.1f ms |\n", title, CpuMilliseconds() - start);
        for (const bool far : {false, true}) {
            Figures figures;
            std::mt19937 random(2026);
            for (int32_t i = 0; i < boards; ++i) {
                const uint32_t ticks = 1000u + static_cast<uint32_t>(i) * 7919u;
                puzzle.setup(*game, DealAt(ticks));
                game->screen = puzzle.screen;
                game->solved = 0;
                Undoing undo = UndoMoves(*game, puzzle, ticks);
                if (far) {
                    RandomMoves(*game, puzzle, random, FAR_MOVES);
                    undo = {};
                }
                FollowHints(*game, puzzle, figures, undo);
            }
            Print(title, far ? "500 moves" : "scramble", figures);
        }
    }
    return 0;
}
