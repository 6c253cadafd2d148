// The cost of one tap cycle of each puzzle, beside its floor: the same bytes written with plain
// memset/memcpy. A tap's bytes are the pixels its frames and its redraw copy, one whole picture per present,
// and one per clear. The last lines print each ratio tap cycle / floor.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bench/bench_platform.h"
#include "puzzles/almost_impossible.h"
#include "puzzles/fifteen.h"
#include "puzzles/lights_out.h"
#include "puzzles/line_shifts.h"
#include "puzzles/normal.h"
#include "puzzles/tile_board.h"
#include "puzzles/uneven.h"
#include "puzzles/unmovable.h"

namespace tessel::bench {
namespace {

constexpr std::size_t PIXEL = sizeof(uint32_t);
constexpr std::size_t PICTURE = SURFACE_WIDTH * SURFACE_HEIGHT * PIXEL;
constexpr std::size_t CELL = CELL_SIZE * CELL_SIZE * PIXEL;
constexpr std::size_t QUIT = 41 * QUIT_HEIGHT * PIXEL;  // the image is a pixel narrower than it is drawn

constexpr std::size_t Frame(std::size_t labelWidth, std::size_t cells) {
    return labelWidth * LABEL_HEIGHT * PIXEL + QUIT + cells * CELL;
}

// What one tap writes, in the order it writes it: its intermediate frames, each presented, then (when it
// acted) the clear, the redraw, and the final present.
struct Work {
    std::size_t frames;  // pixels copied by the intermediate frames
    int framePresents;
    std::size_t redraw;  // pixels copied by the redraw; none for a tap that did not act
    std::size_t Bytes() const { return frames + redraw + (framePresents + (redraw > 0 ? 2 : 1)) * PICTURE; }
};

struct TapCase {
    std::string name;
    std::unique_ptr<Game> (*start)();
    std::vector<Point> round;  // the taps of one iteration, each one doing the same work
    Work work;                 // of each tap
};

std::unique_ptr<Game> StartWith(const PuzzleLabel& label, void (*arrange)(Game&)) {
    auto game = NewGame();
    Tap(*game, label.x, label.y);
    arrange(*game);
    return game;
}

// Each board is set so that the benchmark's taps never solve it: the cycle keeps acting.
const std::vector<TapCase>& Cases() {
    static const std::vector<TapCase> cases{
        {"Normal/ColumnUp",
         [] { return StartWith(NORMAL_LABEL, [](Game& g) { ShiftRowRight(g.tileGrid, 1); }); },
         {{100, 20}},
         // Half-step frame: the column, half a tile, the arrow; redraw: 36 cells, 16 ring blanks, 16 arrows.
         {(24 * 96 + 24 * 12) * PIXEL + CELL, 1, Frame(66, 68)}},
        {"Uneven/ColumnDownAndUp",
         [] {
             return StartWith(UNEVEN_LABEL, [](Game& g) {
                 WriteGoalOrder(g.tileGrid);
                 for (int32_t col = 1; col <= 4; ++col) g.tileGrid.Tile(col, 5) = 0;
                 ShiftRowRight(g.tileGrid, 2);
             });
         },
         {{80, 200}, {80, 30}},
         // Each slide: the column and half a blank; redraw: 16 tiles, 8 arrow cells, 6 side arrows.
         {(24 * 96 + 24 * 12) * PIXEL, 1, Frame(72, 30)}},
        {"Unmovable/ColumnUp",
         [] {
             return StartWith(UNMOVABLE_LABEL, [](Game& g) {
                 g.fixedColumn = 1;
                 g.fixedRow = 1;
                 WriteGoalOrder(g.tileGrid);
                 ShiftRowRight(g.tileGrid, 3);
             });
         },
         {{100, 20}},
         {(24 * 96 + 24 * 12) * PIXEL + CELL, 1, Frame(103, 28)}},
        {"Fifteen/Slide",
         [] {
             return StartWith(FIFTEEN_LABEL, [](Game& g) {
                 WriteGoalOrder(g.tileGrid);
                 g.tileGrid.Tile(4, 4) = 0;
                 g.blankCol = g.blankRow = 4;
                 std::swap(g.tileGrid.Tile(1, 1), g.tileGrid.Tile(2, 1));
             });
         },
         {{155, 157}},  // on the edge between rows 3 and 4: the tile slides down, and back up next time
         // Half a blank and the tile half-way; redraw: 15 tiles.
         {24 * 12 * PIXEL + CELL, 1, Frame(100, 15)}},
        {"AlmostImpossible/Turn",
         [] {
             return StartWith(ALMOST_IMPOSSIBLE_LABEL, [](Game& g) {
                 WriteGoalOrder(g.tileGrid);
                 ShiftRowRight(g.tileGrid, 4);
             });
         },
         {{95, 109}},
         // Two frames of four blanks and four tiles; redraw: 16 tiles.
         {2 * 8 * CELL, 2, Frame(190, 16)}},
        {"LightsOut/Press",
         [] {
             return StartWith(LIGHTS_OUT_LABEL, [](Game& g) {
                 g.lightGrid.lit.fill(0);
                 g.lightGrid.Lit(1, 1) = 1;
             });
         },
         {{119, 133}},
         {0, 0, Frame(116, 25)}},
        {"Idle",
         [] { return StartWith(NORMAL_LABEL, [](Game& g) { ShiftRowRight(g.tileGrid, 1); }); },
         {{119, 133}},  // on the board: nothing moves, only the present
         {0, 0, 0}},
    };
    return cases;
}

void TapCycle(benchmark::State& state, const TapCase& c) {
    auto game = c.start();
    for (auto _ : state) {
        for (const Point& tap : c.round) Tap(*game, tap.x, tap.y);
    }
    state.SetBytesProcessed(state.iterations() * c.round.size() * c.work.Bytes());
}

// The same bytes as the taps of a round, written in the same order with memset and memcpy.
void Floor(benchmark::State& state, const TapCase& c) {
    auto picture = std::make_unique<BackBuffer>();
    uint32_t* pixels = picture->pixels.data();
    const Work& work = c.work;
    const std::vector<uint32_t> images((work.frames + work.redraw) / PIXEL + 1, 0xFF102030u);
    const std::size_t eachFrame = work.framePresents > 0 ? work.frames / work.framePresents : 0;
    for (auto _ : state) {
        for (std::size_t tap = 0; tap < c.round.size(); ++tap) {
            for (int frame = 0; frame < work.framePresents; ++frame) {
                std::memcpy(pixels, images.data(), eachFrame);
                std::memcpy(Screen(), pixels, PICTURE);
            }
            if (work.redraw > 0) {
                std::memset(pixels, 0xFF, PICTURE);
                std::memcpy(pixels, images.data(), work.redraw);
            }
            std::memcpy(Screen(), pixels, PICTURE);
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * c.round.size() * work.Bytes());
}

// Keeps each benchmark's time per iteration so the ratios can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                times_[run.run_name.function_name] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintRatios() const {
        for (const TapCase& c : Cases()) {
            const auto tap = times_.find(c.name);
            const auto floor = times_.find(c.name + "/Floor");
            if (tap == times_.end() || floor == times_.end() || floor->second <= 0) continue;
            std::printf("%-24s tap cycle / floor: %.2fx\n", c.name.c_str(), tap->second / floor->second);
        }
    }

  private:
    std::map<std::string, double> times_;
};

}  // namespace
}  // namespace tessel::bench

int main(int argc, char** argv) {
    using namespace tessel::bench;
    for (const TapCase& c : Cases()) {
        benchmark::RegisterBenchmark(c.name.c_str(), TapCycle, c);
        benchmark::RegisterBenchmark((c.name + "/Floor").c_str(), Floor, c);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
