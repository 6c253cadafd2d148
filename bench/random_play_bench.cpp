// Ten million random taps through every screen, the record checked after each: the random-play test's
// harness at full length. Reports taps per second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "bench/bench_platform.h"
#include "game/invariants.h"
#include "tests/random_taps.h"

namespace tessel::bench {
namespace {

void RandomPlay(benchmark::State& state) {
    auto game = NewGame();
    testing::RandomTaps taps(2026);
    for (auto _ : state) {
        const testing::RandomTaps::Tap tap = taps.Next();
        game->now = tap.ticks;
        Tap(*game, tap.x, tap.y);
        const std::string broken = BrokenInvariant(*game);
        if (!broken.empty()) {
            std::fprintf(stderr, "after a tap at %d,%d: %s\n", tap.x, tap.y, broken.c_str());
            std::abort();
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(RandomPlay)->Iterations(10'000'000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tessel::bench

BENCHMARK_MAIN();
