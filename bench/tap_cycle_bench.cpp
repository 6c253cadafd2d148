// The cost of one tap cycle on "Normal", against the floor of writing the same bytes with memset/memcpy.
// Prints the ratio tap cycle / floor at the end; a shifting tap should stay within 3x of its floor.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "core/crt_random.h"
#include "core/platform.h"
#include "core/tap_cycle.h"
#include "puzzles/line_shifts.h"
#include "puzzles/normal.h"

namespace tessel {

namespace {
// What a present costs on a real front end at the least: the whole picture copied out.
std::array<uint32_t, SURFACE_WIDTH * SURFACE_HEIGHT> screen;
CrtRandom random;
}  // namespace

uint32_t TickCount() {
    return 1234;
}
void SeedRandom(uint32_t seed) {
    random.Seed(seed);
}
int32_t DrawRandom() {
    return random.Draw();
}
void PresentNow(const Game& game) {
    std::memcpy(screen.data(), game.backBuffer.pixels.data(), sizeof screen);
    benchmark::ClobberMemory();
}

namespace {

constexpr std::size_t PICTURE_BYTES = sizeof(BackBuffer::pixels);
constexpr std::size_t CELL_BYTES = CELL_SIZE * CELL_SIZE * 4;
// A column shifted up: the half-step frame (column moved, half a tile, the arrow), the full redraw (label,
// Quit, 36 cells, 16 ring blanks, 16 arrows) and the clear before it.
constexpr std::size_t FRAME_BYTES = (24 * 96 + 24 * 12) * 4 + CELL_BYTES;
constexpr std::size_t REDRAW_BYTES = (66 * 24 + 41 * 20) * 4 + (36 + 16 + 16) * CELL_BYTES;

// A board that column 2's shifts never solve: row 1 reads 4 1 2 3.
std::unique_ptr<Game> GameOnNormal() {
    auto game = std::make_unique<Game>();
    PrepareSurfaces(*game);
    game->splashPending = 0;
    game->tapX = 100;
    game->tapY = 70;
    HandleTap(*game, 100, 70);
    ShiftRowRight(game->tileGrid, 1);
    return game;
}

void Tap(Game& game, int32_t x, int32_t y) {
    game.tapX = static_cast<uint16_t>(x);
    game.tapY = static_cast<uint16_t>(y);
    HandleTap(game, x, y);
}

void BM_ShiftingTap(benchmark::State& state) {
    auto game = GameOnNormal();
    for (auto _ : state) Tap(*game, 100, 20);
    state.SetBytesProcessed(state.iterations() * (FRAME_BYTES + 3 * PICTURE_BYTES + REDRAW_BYTES));
}
BENCHMARK(BM_ShiftingTap);

void BM_ShiftingTapFloor(benchmark::State& state) {
    auto buffer = std::make_unique<BackBuffer>();
    auto images = std::make_unique<std::array<uint8_t, FRAME_BYTES + REDRAW_BYTES>>();
    for (auto _ : state) {
        std::memcpy(buffer->pixels.data(), images->data(), FRAME_BYTES);
        std::memcpy(screen.data(), buffer->pixels.data(), PICTURE_BYTES);
        std::memset(buffer->pixels.data(), 0xFF, PICTURE_BYTES);
        std::memcpy(buffer->pixels.data(), images->data(), REDRAW_BYTES);
        std::memcpy(screen.data(), buffer->pixels.data(), PICTURE_BYTES);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * (FRAME_BYTES + 3 * PICTURE_BYTES + REDRAW_BYTES));
}
BENCHMARK(BM_ShiftingTapFloor);

// A tap on the board itself: nothing moves, only the present.
void BM_IdleTap(benchmark::State& state) {
    auto game = GameOnNormal();
    for (auto _ : state) Tap(*game, 119, 133);
    state.SetBytesProcessed(state.iterations() * PICTURE_BYTES);
}
BENCHMARK(BM_IdleTap);

void BM_IdleTapFloor(benchmark::State& state) {
    auto buffer = std::make_unique<BackBuffer>();
    for (auto _ : state) {
        std::memcpy(screen.data(), buffer->pixels.data(), PICTURE_BYTES);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * PICTURE_BYTES);
}
BENCHMARK(BM_IdleTapFloor);

// Keeps each benchmark's time per iteration so the ratios can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintRatio(const std::string& name) const {
        const auto tap = times_.find(name);
        const auto floor = times_.find(name + "Floor");
        if (tap == times_.end() || floor == times_.end() || floor->second <= 0) return;
        std::printf("%s / floor: %.2fx\n", name.c_str(), tap->second / floor->second);
    }

  private:
    std::map<std::string, double> times_;
};

}  // namespace
}  // namespace tessel

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    tessel::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio("BM_ShiftingTap");
    reporter.PrintRatio("BM_IdleTap");
    benchmark::Shutdown();
    return 0;
}
