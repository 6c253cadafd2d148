#include "bench/bench_platform.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstring>

#include "game/tap_cycle.h"

namespace tessel {

namespace {
std::array<uint32_t, SURFACE_WIDTH * SURFACE_HEIGHT> screen;

// Copies the whole picture out, the least a real front end does.
void CopyOut(const Game& game, void*) {
    static BackBuffer scratch;
    std::memcpy(screen.data(), PictureShown(game, scratch).pixels.data(), sizeof screen);
    benchmark::ClobberMemory();
}

}  // namespace

namespace bench {

std::unique_ptr<Game> NewGame() {
    auto game = std::make_unique<Game>();
    game->presenter = {CopyOut, nullptr};
    PrepareSurfaces(*game);
    game->splashPending = 0;
    game->now = 1234;
    return game;
}

void Tap(Game& game, int32_t x, int32_t y) {
    game.tapX = static_cast<uint16_t>(x);
    game.tapY = static_cast<uint16_t>(y);
    HandleTap(game, x, y);
}

uint32_t* Screen() {
    return screen.data();
}

}  // namespace bench
}  // namespace tessel
