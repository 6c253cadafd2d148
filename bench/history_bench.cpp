// Undo and Redo beside a tap: the same move on "Normal" (a column shifted up, drawn and presented) made by
// a tap, taken back and played again, on a history already at its limit of 10,000 moves. The heap a full
// history holds is reported as the counter history_bytes. Then what the desktop program does after each
// move, beside it, with 0, 100 and 10,000 moves: the game's kept form made, on the game's thread, and the
// file replaced on the writer's (a new file written, flushed to the disk, renamed over the old), its size
// reported as kept_bytes; and what a start does: the file read and its moves checked.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <stdlib.h>

#include <string>

#include "bench/bench_platform.h"
#include "game/kept_game.h"
#include "game/session.h"
#include "puzzles/normal.h"
#include "shell/kept_file.h"

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

// A folder of its own in TMPDIR (else /tmp), on the disk the player's home would be on when that is a disk.
std::string KeptPath() {
    const char* tmp = getenv("TMPDIR");
    static std::string folder = std::string(tmp != nullptr ? tmp : "/tmp") + "/tessel-bench-XXXXXX";
    static const bool made = mkdtemp(folder.data()) != nullptr;
    return made ? folder + "/kept-game" : std::string();
}

std::unique_ptr<Session> SessionWithMoves(std::size_t moves) {
    auto session = NormalSession();
    for (std::size_t i = 0; i < moves; ++i) Tap(*session, COLUMN_1_UP_X, COLUMN_1_UP_Y);
    return session;
}

// What a move costs the game's thread: the kept form made (handed to the writer under a lock).
void KeptForm(benchmark::State& state) {
    const auto session = SessionWithMoves(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(KeepGame(*session));
}
BENCHMARK(KeptForm)->Arg(0)->Arg(100)->Arg(HISTORY_LIMIT);

// What the writer's thread does with it: the file replaced, flushed to the disk.
void KeptFileReplaced(benchmark::State& state) {
    const std::vector<uint8_t> bytes = KeepGame(*SessionWithMoves(static_cast<std::size_t>(state.range(0))));
    const std::string path = KeptPath();
    for (auto _ : state) {
        if (!ReplaceKeptFile(path, bytes).empty()) state.SkipWithError("the kept file cannot be written");
    }
    state.counters["kept_bytes"] = static_cast<double>(bytes.size());
    RemoveKeptFile(path);
}
BENCHMARK(KeptFileReplaced)->Arg(0)->Arg(100)->Arg(HISTORY_LIMIT)->Unit(benchmark::kMicrosecond);

void ReadAtStart(benchmark::State& state) {
    const std::string path = KeptPath();
    if (!ReplaceKeptFile(path, KeepGame(*SessionWithMoves(static_cast<std::size_t>(state.range(0))))).empty())
        state.SkipWithError("the kept file cannot be written");
    for (auto _ : state) {
        Session session;
        const KeptFile file = ReadKeptFile(path, KEPT_GAME_MAX_SIZE);
        if (!ReadKeptGame(file.bytes, session)) state.SkipWithError("the kept game does not read back");
    }
    RemoveKeptFile(path);
}
BENCHMARK(ReadAtStart)->Arg(100)->Arg(HISTORY_LIMIT)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tessel::bench
BENCHMARK_MAIN();
