// Undo and Redo beside a tap: the same move on "Normal" (a column shifted up, drawn and presented) made by
// a tap, taken back and played again, on a history already at its limit of 10,000 moves. The heap a full
// history holds is reported as the counter history_bytes.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "bench/bench_platform.h"
#include "game/session.h"
#include "puzzles/normal.h"

namespace tessel::bench {
namespace {

constexpr int32_t COLUMN_1_UP_X = 80;
constexpr int32_t COLUMN_1_UP_Y = 20;

std::unique_ptr<Session> NormalSession() {
    auto session = std::make_unique<Session>();
    session->game = *NewGame();
    Tap(*session, NORMAL_LABEL.x, NORMAL_LABEL.y);
    return session;
}

// Column shifts never solve the board: each four leave it as it was.
void FillHistory(Session& session) {
    for (std::size_t i = 0; i < HISTORY_LIMIT; ++i) Tap(session, COLUMN_1_UP_X, COLUMN_1_UP_Y);
}

// "Normal" with a full history.
std::unique_ptr<Session> FullSession() {
    auto session = NormalSession();
    FillHistory(*session);
    return session;
}

void TapMove(benchmark::State& state) {
    const auto session = FullSession();
    for (auto _ : state) Tap(*session, COLUMN_1_UP_X, COLUMN_1_UP_Y);
}
BENCHMARK(TapMove);

// Every 10,000 steps the history runs out and is walked back untimed.
template <bool (*Step)(Session&), bool (*Back)(Session&)>
void Walk(benchmark::State& state) {
    const auto session = FullSession();
    if (Step == Redo) {
        while (Undo(*session)) {
        }
    }
    for (auto _ : state) {
        if (!Step(*session)) {
            state.PauseTiming();
            while (Back(*session)) {
            }
            state.ResumeTiming();
            Step(*session);
        }
    }
}
BENCHMARK(Walk<Undo, Redo>)->Name("Undo");
BENCHMARK(Walk<Redo, Undo>)->Name("Redo");

void FullHistoryMemory(benchmark::State& state) {
    for (auto _ : state) {
        const auto session = NormalSession();
        const std::size_t before = mallinfo2().uordblks;
        FillHistory(*session);
        const std::size_t after = mallinfo2().uordblks;
        state.counters["history_bytes"] = static_cast<double>(after - before);
        benchmark::DoNotOptimize(session.get());
    }
}
BENCHMARK(FullHistoryMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessel::bench
BENCHMARK_MAIN();
