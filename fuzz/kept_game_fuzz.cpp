// Arbitrary bytes read as a kept game. They are refused, with the game and its history left exactly as they
// were, or read into a record whose invariants hold, which keeps as the very bytes read, then draws its
// screen and plays 100 random taps, Undos and Redos on the tests' scripted platform, the record checked
// after each. Anything else aborts with what went wrong.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "game/invariants.h"
#include "game/kept_game.h"
#include "game/session.h"
#include "puzzles/normal.h"
#include "tests/random_taps.h"
#include "tests/test_support.h"

using namespace tessel;

namespace {

void Fail(const char* what, const std::string& detail = "") {
    std::fprintf(stderr, "%s %s\n", what, detail.c_str());
    std::abort();
}

// The game every input is read into: "Normal" with two moves, one of them taken back.
std::unique_ptr<Session> StartedSession() {
    auto session = std::make_unique<Session>();
    session->game = *testing::NewGame();
    Tap(*session, NORMAL_LABEL.x, NORMAL_LABEL.y);
    Tap(*session, 107, 40);
    Tap(*session, 200, 120);
    Undo(*session);
    return session;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Decoding the images is the slow part of a new game: decode once, copy the game for every input.
    static const auto started = StartedSession();
    static const std::vector<uint8_t> startKept = KeepGame(*started);
    static const auto session = std::make_unique<Session>();
    *session = *started;
    Game& game = session->game;
    testing::Platform() = {};
    testing::Platform().keepPictures = false;

    if (!ReadKeptGame({data, size}, *session)) {
        if (KeepGame(*session) != startKept || game.backBuffer.pixels != started->game.backBuffer.pixels)
            Fail("a refused kept game changed the game");
        return 0;
    }
    if (std::string broken = BrokenInvariant(game); !broken.empty()) Fail("read a broken record:", broken);
    // The kept form is one string a game: what was read keeps as it came.
    if (size > 3 && data[3] == KEPT_GAME_VERSION && KeepGame(*session) != std::vector(data, data + size))
        Fail("a game read back keeps otherwise");
    DrawScreen(game);
    testing::RandomTaps taps(game.random.state);
    for (int i = 0; i < 100; ++i) {
        const testing::RandomTaps::Tap tap = taps.Next();
        game.now = tap.ticks;
        if (tap.ticks % 4 == 0) {
            Undo(*session);
        } else if (tap.ticks % 4 == 1) {
            Redo(*session);
        } else {
            Tap(*session, tap.x, tap.y);
        }
        if (std::string broken = BrokenInvariant(game); !broken.empty()) Fail("after a step:", broken);
    }
    return 0;
}
