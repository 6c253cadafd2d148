// Plays the game from arbitrary bytes on the tests' scripted platform: each five bytes are one step, a tap
// anywhere a 16-bit tap can land, a tap on the picture, a new tick count, the end of the splash, a key,
// Undo, Redo or a hint asked for and played (one a game: a search takes far longer than the rest). After
// every step the record must be sound, the history within its bounds and the outline shown the cursor's, and
// a hint's tap must move the board; anything else aborts with what broke.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "game/invariants.h"
#include "game/keys.h"
#include "game/session.h"
#include "hints/shown_hint.h"
#include "tests/test_support.h"

using namespace tessel;

namespace {

// A hint on every puzzle, so that the tables the searches build on first use are there before the first
// input.
bool HintsWarmedUp(const Game& started) {
    for (const int y : {70, 95, 120, 145, 195, 220}) {
        const auto session = std::make_unique<Session>();
        session->game = started;
        Tap(*session, 100, y);
        ShowHint(*session);
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Decoding the images is the slow part of a new game: decode once, copy the record for every input.
    static const auto started = testing::NewGame();
    static const auto session = std::make_unique<Session>();
    [[maybe_unused]] static const bool warm = HintsWarmedUp(*started);
    *session = {};
    Game* game = &session->game;
    *game = *started;
    game->splashPending = 1;
    testing::Platform() = {};
    testing::Platform().keepPictures = false;
    bool hinted = false;
    for (size_t at = 0; at + 5 <= size; at += 5) {
        const uint8_t* step = data + at;
        const uint16_t first = static_cast<uint16_t>(step[1] | step[2] << 8);
        const uint16_t second = static_cast<uint16_t>(step[3] | step[4] << 8);
        std::string broken;
        switch (step[0] % 8) {
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
            case 7:
                if (!hinted && ShowHint(*session)) {
                    hinted = true;
                    const Board before = TakeBoard(*game);
                    const int32_t screen = game->screen;
                    Tap(*session, session->hint->x, session->hint->y);
                    if (game->screen != screen || TakeBoard(*game) == before)
                        broken = "a hint's tap moved nothing";
                }
                break;
            case 2:
                game->now = static_cast<uint32_t>(first) << 16 | second;
                break;
            default:
                game->splashPending = 0;
                break;
        }
        if (broken.empty()) broken = BrokenInvariant(*game);
        const History& history = session->history;
        const bool ringFull = history.ring.size() == HISTORY_LIMIT;
        if (broken.empty() && (history.done > history.held || history.ring.size() > HISTORY_LIMIT ||
                               (ringFull ? history.oldest >= HISTORY_LIMIT
                                         : history.oldest + history.held > history.ring.size()) ||
                               (FindPuzzle(game->screen) == nullptr && history.held != 0)))
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
