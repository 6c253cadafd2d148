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

// Counting the undoing of a scramble: its steps in order, each a signed amount of one line (or block), up
// and left positive. A step joins the last one of its own line when every step since commutes with it; joined
// amounts add up, modulo 4 where the line turns round, and a step that adds up to nothing drops out.
//   The yardstick: what a player who watched the scramble would take to undo it with care; steps of lines
//   that commute pass each other (rows with rows, columns with columns, blocks that share no cell).
//   The kinder count: each round undone the shorter way round ("Uneven" columns one slide each; "Almost
//   Impossible" k clockwise turns for k counter-clockwise ones); only rounds of one line in a row join.
class Yardstick {
  public:
    explicit Yardstick(bool (*commute)(int32_t, int32_t)) : commute_(commute) {}
    // `turns` 4 for a line that shifts or turns round, 0 for a column sliding.
    void Add(int32_t line, int32_t amount, int32_t turns) {
        for (std::size_t i = steps_.size(); i-- > 0;) {
            Step& step = steps_[i];
            if (step.line == line) {
                step.amount = Wrap(step.amount + amount, turns);
                if (step.amount == 0) steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(i));
                return;
            }
            if (!commute_(step.line, line)) break;
        }
        if (Wrap(amount, turns) != 0) steps_.push_back({line, Wrap(amount, turns)});
    }
    // Each step the shorter way round, or (clockwiseOnly) by clockwise turns alone.
    int32_t Cost(bool clockwiseOnly) const {
        int32_t cost = 0;
        for (const Step& step : steps_) {
            const int32_t a = step.amount < 0 ? -step.amount : step.amount;
            cost += clockwiseOnly ? a : std::min(a, 4 - a);
        }
        return cost;
    }

  private:
    static int32_t Wrap(int32_t amount, int32_t turns) {
        return turns > 0 ? (amount % turns + turns) % turns : amount;
    }
    struct Step {
        int32_t line;
        int32_t amount;
    };
    bool (*commute_)(int32_t, int32_t);
    std::vector<Step> steps_;
};

// Lines numbered 0 to 3 for columns, 4 to 7 for rows; blocks 3 * (row - 1) + col - 1.
bool ParallelLines(int32_t a, int32_t b) {
    return a / 4 == b / 4;
}
bool BlocksApart(int32_t a, int32_t b) {
    return std::abs(a % 3 - b % 3) > 1 || std::abs(a / 3 - b / 3) > 1;
}
bool NoneCommute(int32_t, int32_t) {
    return false;
}

// Both counts of undoing the scramble.
struct Undoing {
    int32_t yardstick = 0;
    int32_t kinder = 0;
};

// A scramble drawn again from its seed, its steps counted both ways.
class Scramble {
  public:
    Scramble(uint32_t ticks, bool (*commute)(int32_t, int32_t)) : yardstick_(commute) {
        random_.Seed(ticks % SEED_LIMIT);
    }
    int32_t Draw() { return random_.Draw(); }
    void Add(int32_t line, int32_t amount, int32_t turns) {
        kinder_.Add(line, amount, turns);
        yardstick_.Add(line, amount, turns);
    }
    // A draw's direction (mod 4: up, left, down, right) `steps` times along a line from 1 to 4.
    void ShiftLine(int32_t direction, int32_t line, int32_t steps) {
        const bool column = direction % 2 == 0;
        Add((column ? 0 : 4) + line - 1, direction < 2 ? steps : -steps, 4);
    }
    Undoing Counts(bool clockwiseOnly) const {
        return {yardstick_.Cost(clockwiseOnly), kinder_.Cost(clockwiseOnly)};
    }

  private:
    CrtRandom random_;
    Yardstick kinder_{NoneCommute};
    Yardstick yardstick_;
};

// Each puzzle's scramble, drawn again as its set-up drew it.
void NormalScramble(const Game&, Scramble& scramble) {
    for (int32_t round = 0; round < NORMAL_SCRAMBLE_ROUNDS; ++round) {
        const int32_t direction = scramble.Draw() % 4;
        const int32_t line = scramble.Draw() % 4 + 1;
        scramble.ShiftLine(direction, line, scramble.Draw() % 3 + 1);
    }
}
void UnmovableScramble(const Game& game, Scramble& scramble) {
    for (int32_t accepted = 0; accepted < UNMOVABLE_SCRAMBLE_MOVES;) {
        const int32_t direction = scramble.Draw() % 4;
        const int32_t line = scramble.Draw() % 4 + 1;
        const int32_t steps = scramble.Draw() % 3 + 1;
        if (line == (direction % 2 == 0 ? game.fixedColumn : game.fixedRow)) continue;
        scramble.ShiftLine(direction, line, steps);
        ++accepted;
    }
}
void UnevenScramble(const Game&, Scramble& scramble) {
    std::array<bool, 5> down{};
    for (int32_t accepted = 0; accepted < UNEVEN_SCRAMBLE_MOVES;) {
        const int32_t direction = scramble.Draw() % 4;
        const int32_t line = scramble.Draw() % 4 + 1;
        const int32_t steps = scramble.Draw() % 3 + 1;
        if (direction == 0 || direction == 2) {
            if (down[line] != (direction == 0)) continue;
            down[line] = !down[line];
            scramble.Add(line - 1, direction == 0 ? 1 : -1, 0);
        } else {
            if (line == 1) continue;
            scramble.ShiftLine(direction, line, steps);
        }
        ++accepted;
    }
}
void AlmostImpossibleScramble(const Game&, Scramble& scramble) {
    for (int32_t step = 0; step < ALMOST_IMPOSSIBLE_SCRAMBLE_STEPS; ++step) {
        const int32_t col = scramble.Draw() % 3;
        const int32_t row = scramble.Draw() % 3;
        scramble.Add(3 * row + col, scramble.Draw() % 3 + 1, 4);  // counter-clockwise quarter turns
    }
}

// Points where a tap may play a move, for the random moves.
using MovePoints = std::vector<Point>;
MovePoints ArrowPoints(const Game& game) {
    MovePoints points;
    const TileGrid& grid = game.tileGrid;
    for (int32_t k = 1; k <= 4; ++k) {
        points.push_back(CellMiddle({grid.Left(k, 0), grid.Top(k, 0)}));
        points.push_back(CellMiddle({grid.Left(5, k), grid.Top(5, k)}));
        points.push_back(CellMiddle({grid.Left(0, k), grid.Top(0, k)}));
        points.push_back({grid.Left(k, 5) + CELL_SIZE / 2, grid.Top(k, 5) + 3 * CELL_SIZE / 2});
    }
    return points;
}
// The tiles around the empty cell.
MovePoints SlidePoints(const Game& game) {
    MovePoints points;
    const TileGrid& grid = game.tileGrid;
    for (const auto& [dc, dr] : {std::pair{0, -1}, {1, 0}, {0, 1}, {-1, 0}}) {
        const int32_t col = game.blankCol + dc, row = game.blankRow + dr;
        if (col >= 1 && col <= 4 && row >= 1 && row <= 4)
            points.push_back(CellMiddle({grid.Left(col, row), grid.Top(col, row)}));
    }
    return points;
}
// The inner corners.
MovePoints CornerPoints(const Game& game) {
    MovePoints points;
    for (int32_t row = 1; row <= 3; ++row) {
        for (int32_t col = 1; col <= 3; ++col) points.push_back(InnerCorner(game.tileGrid, col, row));
    }
    return points;
}
// The lights, where Enter presses them.
MovePoints LightPoints(const Game& game) {
    MovePoints points;
    const CellRange& lights = LIGHTS_OUT_PUZZLE.cursorRange;
    for (int32_t row = lights.rowMin; row <= lights.rowMax; ++row) {
        for (int32_t col = lights.colMin; col <= lights.colMax; ++col)
            points.push_back(LIGHTS_OUT_PUZZLE.pressAt(game, col, row));
    }
    return points;
}

// What the bench knows of each puzzle of the table: its scramble drawn again, where its count of undoing
// it lets steps pass each other and whether it counts clockwise turns alone (none where the scramble is
// not undone line by line), and where a tap may play a move.
struct Measured {
    const Puzzle* puzzle;
    void (*scramble)(const Game&, Scramble&);
    bool (*commute)(int32_t, int32_t);
    bool clockwiseOnly;
    MovePoints (*movePoints)(const Game&);
};
const std::array<Measured, 6> MEASURED{{
    {&NORMAL_PUZZLE, NormalScramble, ParallelLines, false, ArrowPoints},
    {&UNEVEN_PUZZLE, UnevenScramble, ParallelLines, false, ArrowPoints},
    {&UNMOVABLE_PUZZLE, UnmovableScramble, ParallelLines, false, ArrowPoints},
    {&ALMOST_IMPOSSIBLE_PUZZLE, AlmostImpossibleScramble, BlocksApart, true, CornerPoints},
    {&FIFTEEN_PUZZLE, nullptr, nullptr, false, SlidePoints},
    {&LIGHTS_OUT_PUZZLE, nullptr, nullptr, false, LightPoints},
}};

const Measured& MeasuredOf(const Puzzle& puzzle) {
    return *std::find_if(MEASURED.begin(), MEASURED.end(),
                         [&](const Measured& measured) { return measured.puzzle == &puzzle; });
}

Undoing UndoMoves(const Game& game, const Puzzle& puzzle, uint32_t ticks) {
    const Measured& measured = MeasuredOf(puzzle);
    if (measured.scramble == nullptr) return {};
    Scramble scramble(ticks, measured.commute);
    measured.scramble(game, scramble);
    return scramble.Counts(measured.clockwiseOnly);
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
        const MovePoints points = MeasuredOf(puzzle).movePoints(game);
        const Point p = points[random() % points.size()];
        if (PlayTap(game, puzzle, p.x, p.y)) ++made;
    }
}

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
