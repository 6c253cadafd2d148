// Arbitrary bytes read as a kept game. They are refused, with the game left exactly as it was, or read into
// a record whose invariants hold, which then draws its screen and plays 100 random taps on the tests'
// scripted platform, the record checked after each. Anything else aborts with what went wrong.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "game/invariants.h"
#include "game/kept_game.h"
#include "tests/random_taps.h"
#include "tests/test_support.h"

using namespace tessel;

namespace {

void Fail(const char* what, const std::string& detail = "") {
    std::fprintf(stderr, "%s %s\n", what, detail.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Decoding the images is the slow part of a new game: decode once, copy the record for every input.
    static const auto started = testing::NewGame();
    static const std::vector<uint8_t> startKept = KeepGame(*started, 1);
    static const auto game = std::make_unique<Game>();
    *game = *started;
    testing::Platform() = {};
    testing::Platform().keepPictures = false;

    uint32_t& random = testing::Platform().random.state;
    if (!ReadKeptGame({data, size}, *game, random)) {
        if (KeepGame(*game, random) != startKept || game->backBuffer.pixels != started->backBuffer.pixels)
            Fail("a refused kept game changed the game");
        return 0;
    }
    if (std::string broken = BrokenInvariant(*game); !broken.empty()) Fail("read a broken record:", broken);
    DrawScreen(*game);
    testing::RandomTaps taps(random);
    for (int i = 0; i < 100; ++i) {
        const testing::RandomTaps::Tap tap = taps.Next();
        testing::Platform().ticks = tap.ticks;
        testing::Tap(*game, tap.x, tap.y);
        if (std::string broken = BrokenInvariant(*game); !broken.empty()) Fail("after a tap:", broken);
    }
    return 0;
}
