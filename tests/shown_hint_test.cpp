#include <gtest/gtest.h>

#include "game/keys.h"
#include "game/session.h"
#include "hints/shown_hint.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using namespace testing;

// A hint on every puzzle: one picture more, black and white around the point to tap, the record untouched;
// a tap there, a key, Undo or Redo takes it away; none on the menu, a solved board or the splash.
TEST(ShownHint, OutlinesTheMoveUntilTheNextAction) {
    auto session = NewSession();
    Game& game = session->game;
    EXPECT_FALSE(ShowHint(*session));  // the menu
    for (const Puzzle* entry : Puzzles()) {
        const Puzzle& puzzle = *entry;
        Choose(*session, puzzle.label, 1000);
        const BackBuffer rest = Platform().presented.back();
        const auto board = std::pair(game.tileGrid.tile, game.lightGrid.lit);
        Platform().presented.clear();
        ASSERT_TRUE(ShowHint(*session)) << puzzle.screen;
        EXPECT_FALSE(session->cursor.shown);  // a hint brings no cursor of its own
        ASSERT_EQ(Platform().presented.size(), 1u);
        const BackBuffer& hinted = Platform().presented.back();
        const HintShown hint = *session->hint;
        int changed = 0, stray = 0;  // stray: far from the tap point, or neither black nor white
        for (int32_t i = 0; i < SURFACE_WIDTH * SURFACE_HEIGHT; ++i) {
            const int32_t x = i % SURFACE_WIDTH, y = i / SURFACE_WIDTH;
            if (hinted.At(x, y) == rest.At(x, y)) continue;
            ++changed;
            stray += std::abs(x - hint.x) > 48 || std::abs(y - hint.y) > 48 ||
                     (hinted.At(x, y) != 0xFF000000u && hinted.At(x, y) != WHITE);
        }
        EXPECT_TRUE(changed > 40 && stray == 0) << hint.move << ": " << changed << " changed, " << stray;
        EXPECT_EQ(std::pair(game.tileGrid.tile, game.lightGrid.lit), board);

        EXPECT_EQ(TakePlayedWords(*session), "hint: " + hint.move);
        Tap(*session, hint.x, hint.y);
        EXPECT_NE(TakePlayedWords(*session), "") << "the move played is heard";
        EXPECT_EQ(game.tapActed, 1) << hint.move;
        EXPECT_FALSE(session->hint);
        EXPECT_EQ(Platform().presented.back().pixels, game.backBuffer.pixels) << "the outline stayed";
    }
    for (const auto& takeAway : {+[](Session& s) { PressKey(s, Key::Up); }, +[](Session& s) { Undo(s); },
                                 +[](Session& s) { Redo(s); }}) {
        ASSERT_TRUE(ShowHint(*session));
        takeAway(*session);
        EXPECT_FALSE(session->hint);
        EXPECT_EQ(Platform().presented.back().pixels,
                  PictureShown(game, *std::make_unique<BackBuffer>()).pixels);
        EXPECT_EQ(game.outlines[1], Outline{});
    }
    game.splashPending = 1;
    EXPECT_FALSE(ShowHint(*session));
    game.splashPending = 0, game.solved = 1;
    EXPECT_FALSE(ShowHint(*session));
}

}  // namespace
}  // namespace tessel
