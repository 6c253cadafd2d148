#include "bench/scramble_undoing.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "core/cells.h"
#include "core/crt_random.h"
#include "game/game_id.h"
#include "puzzles/almost_impossible.h"
#include "puzzles/fifteen.h"
#include "puzzles/lights_out.h"
#include "puzzles/normal.h"
#include "puzzles/uneven.h"
#include "puzzles/unmovable.h"

namespace tessel::bench {
namespace {

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
using Points = std::vector<Point>;
Points ArrowPoints(const Game& game) {
    Points points;
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
Points SlidePoints(const Game& game) {
    Points points;
    const TileGrid& grid = game.tileGrid;
    for (const auto& [dc, dr] : {std::pair{0, -1}, {1, 0}, {0, 1}, {-1, 0}}) {
        const int32_t col = game.blankCol + dc, row = game.blankRow + dr;
        if (col >= 1 && col <= 4 && row >= 1 && row <= 4)
            points.push_back(CellMiddle({grid.Left(col, row), grid.Top(col, row)}));
    }
    return points;
}
// The inner corners.
Points CornerPoints(const Game& game) {
    Points points;
    for (int32_t row = 1; row <= 3; ++row) {
        for (int32_t col = 1; col <= 3; ++col) points.push_back(InnerCorner(game.tileGrid, col, row));
    }
    return points;
}
// The lights, where Enter presses them.
Points LightPoints(const Game& game) {
    Points points;
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
    Points (*movePoints)(const Game&);
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

}  // namespace

Undoing UndoMoves(const Game& game, const Puzzle& puzzle, uint32_t ticks) {
    const Measured& measured = MeasuredOf(puzzle);
    if (measured.scramble == nullptr) return {};
    Scramble scramble(ticks, measured.commute);
    measured.scramble(game, scramble);
    return scramble.Counts(measured.clockwiseOnly);
}

std::vector<Point> MovePoints(const Game& game, const Puzzle& puzzle) {
    return MeasuredOf(puzzle).movePoints(game);
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
        const Points points = MovePoints(game, puzzle);
        const Point p = points[random() % points.size()];
        if (PlayTap(game, puzzle, p.x, p.y)) ++made;
    }
}

}  // namespace tessel::bench
