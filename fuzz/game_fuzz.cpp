// Plays the game from arbitrary bytes on the tests' scripted platform: each five bytes are one step, a tap
// anywhere a 16-bit tap can land, a tap on the picture, a new tick count, the end of the splash, a key,
// Undo or Redo. After every step the record must be sound, the history within its bounds and the outline
// shown the cursor's; anything else aborts with what broke.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "game/invariants.h"
#include "game/keys.h"
#include "game/session.h"
#include "tests/test_support.h"

using namespace tessel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Decoding the images is the slow part of a new game: decode once, copy the record for every input.
    static const auto started = testing::NewGame();
    static const auto session = std::make_unique<Session>();
    *session = {};
    Game* game = &session->game;
    *game = *started;
    game->splashPending = 1;
    testing::Platform() = {};
    testing::Platform().keepPictures = false;
    for (size_t at = 0; at + 5 <= size; at += 5) {
        const uint8_t* step = data + at;
        const uint16_t first = static_cast<uint16_t>(step[1] | step[2] << 8);
        const uint16_t second = static_cast<uint16_t>(step[3] | step[4] << 8);
        switch (step[0] % 7) {
            case 0:
                Tap(*session, first, second);
                break;
            case 1:
                Tap(*session, first % (SURFACE_WIDTH + 1), second % (SURFACE_HEIGHT + 1));
                break;
            case 4:
                PressKey(*session, static_cast<Key>(first % KEY_COUNT));
                break;
            case 5:
                Undo(*session);
                break;
            case 6:
                Redo(*session);
                break;
            case 2:
                testing::Platform().ticks = static_cast<uint32_t>(first) << 16 | second;
                break;
            default:
                game->splashPending = 0;
                break;
        }
        std::string broken = BrokenInvariant(*game);
        const History& history = session->history;
        if (history.before.size() != history.taps.size() || history.done > history.taps.size() ||
            history.taps.size() > HISTORY_LIMIT ||
            (FindPuzzle(game->screen) == nullptr && !history.taps.empty()))
            broken = "the history is out of its bounds";
        if (broken.empty() && game->outlines[0] != CursorOutline(*game, session->cursor))
            broken = "the outline shown is not the cursor's";
        if (!broken.empty()) {
            std::fprintf(stderr, "step %zu: %s\n", at / 5, broken.c_str());
            std::abort();
        }
    }
    return 0;
}
