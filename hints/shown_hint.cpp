#include "hints/shown_hint.h"

#include "game/keys.h"
#include "game/screen_text.h"
#include "hints/hint.h"

namespace tessel {

namespace {

bool SameRectangle(const Outline& a, const Outline& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

// The cursor's place whose outline is the hint's, if it has one: a light, a block. A line's arrow is no
// place of the cursor's, which then stays where it is.
void MoveCursorOnto(Session& session, const Outline& target) {
    Game& game = session.game;
    if (!session.cursor.shown || !HasCursor(game.screen)) return;
    for (int32_t col = 0; col < LightGrid::SIZE; ++col) {
        for (int32_t row = 0; row < LightGrid::SIZE; ++row) {
            const Cursor there{true, col, row, false};
            if (!SameRectangle(CursorOutline(game, there), target)) continue;
            session.cursor = there;
            game.outlines[0] = CursorOutline(game, there);
            return;
        }
    }
}

bool Show(Session& session) {
    Game& game = session.game;
    if (game.splashPending != 0 || game.solved != 0) return false;
    const std::optional<Hint> hint = FindHint(game);
    if (!hint) return false;
    game.outlines[1] = {hint->left, hint->top, hint->width, hint->height, false};
    session.hint = HintShown{hint->x, hint->y, hint->move};
    ++session.hints;
    MoveCursorOnto(session, game.outlines[1]);
    PresentNow(game);
    return true;
}

}  // namespace

bool ShowHint(Session& session) {
    const ShownState before = TakeShownState(session);
    const bool shown = Show(session);
    RecordPlayed(session, before, Played::HINT);
    return shown;
}

}  // namespace tessel
