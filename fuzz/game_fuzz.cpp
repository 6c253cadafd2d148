// Plays the game from arbitrary bytes: each five bytes are one step, a tap anywhere a 16-bit tap can land,
// a tap on the picture, a new tick count, or the end of the splash. After every step the record must be
// sound; a broken invariant aborts with what broke.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "core/crt_random.h"
#include "core/platform.h"
#include "core/tap_cycle.h"
#include "tests/invariants.h"

namespace tessel {

namespace {
uint32_t tickCount = 0;
CrtRandom generator;
}  // namespace

uint32_t TickCount() {
    return tickCount;
}
void SeedRandom(uint32_t seed) {
    generator.Seed(seed);
}
int32_t DrawRandom() {
    return generator.Draw();
}
void PresentNow(const Game&) {}

}  // namespace tessel

namespace {

using namespace tessel;

// Made once: decoding the images is the slow part of starting a game, and a fresh record is copied from it.
const Game& StartedGame() {
    static const std::unique_ptr<Game> started = [] {
        auto game = std::make_unique<Game>();
        PrepareSurfaces(*game);
        return game;
    }();
    return *started;
}

uint16_t Read16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

void Tap(Game& game, int32_t x, int32_t y) {
    game.tapX = static_cast<uint16_t>(x);
    game.tapY = static_cast<uint16_t>(y);
    HandleTap(game, x, y);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const auto game = std::make_unique<Game>();
    *game = StartedGame();
    tickCount = 0;
    generator = {};
    for (size_t at = 0; at + 5 <= size; at += 5) {
        const uint8_t* step = data + at;
        const uint16_t first = Read16(step + 1);
        const uint16_t second = Read16(step + 3);
        switch (step[0] % 4) {
            case 0:
                Tap(*game, first, second);
                break;
            case 1:
                Tap(*game, first % (SURFACE_WIDTH + 1), second % (SURFACE_HEIGHT + 1));
                break;
            case 2:
                tickCount = static_cast<uint32_t>(first) << 16 | second;
                break;
            default:
                game->splashPending = 0;
                break;
        }
        const std::string broken = testing::BrokenInvariant(*game);
        if (!broken.empty()) {
            std::fprintf(stderr, "step %zu: %s\n", at / 5, broken.c_str());
            std::abort();
        }
    }
    return 0;
}
