// The keyboard, played beside a pointer: generated key sequences on a session and, on a bare game record,
// the taps the keys stand for, worked out here from the cursor's own rules and the layout's numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <set>

#include "game/keys.h"
#include "game/session.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using namespace testing;

constexpr const char* NAMES[] = {"Left",     "Right",      "Up",    "Down",  "Shift+Left", "Shift+Right",
                                 "Shift+Up", "Shift+Down", "Enter", "Space", "Escape"};

struct Box {
    int32_t x, y, w, h;
};

// The last cell the cursor stands on (it starts on the first, 0 on the menu, else 1); none on the 15 Puzzle.
std::optional<Point> LastCell(int32_t screen) {
    if (screen == SCREEN_FIFTEEN) return std::nullopt;
    if (screen == SCREEN_MENU || screen == SCREEN_LIGHTS_OUT) return Point{screen == SCREEN_MENU ? 0 : 5, 5};
    return screen == SCREEN_ALMOST_IMPOSSIBLE ? Point{3, 3} : Point{4, screen == SCREEN_UNEVEN ? 5 : 4};
}

Point CellMiddle(int32_t screen, int32_t col, int32_t row) {
    Point o{};
    for (const ScreenLayout& layout : LAYOUTS) o = layout.screen == screen ? layout.origin : o;
    return {o.x + 24 * col + 12, o.y + 24 * row + 12};
}

// The picture with the outline over the box: two black bands and a white line inside them, three black
// bands while the cursor holds its lines.
std::unique_ptr<BackBuffer> WithOutline(const BackBuffer& picture, const Box& box, bool heavy) {
    auto out = std::make_unique<BackBuffer>(picture);
    const int32_t bands = heavy ? 3 : 2;
    for (int32_t y = std::max(box.y, 0); y < std::min(box.y + box.h, SURFACE_HEIGHT); ++y) {
        for (int32_t x = std::max(box.x, 0); x < std::min(box.x + box.w, SURFACE_WIDTH); ++x) {
            const int32_t band =
                std::min({x - box.x, y - box.y, box.x + box.w - 1 - x, box.y + box.h - 1 - y});
            if (band <= bands) out->pixels[y * SURFACE_WIDTH + x] = band < bands ? 0xFF000000u : WHITE;
        }
    }
    return out;
}

// What the keys should do, followed key by key beside the session.
class KeyModel {
  public:
    Cursor cursor;

    Box CursorBox(const Game& game) const {
        const int32_t r = cursor.row;
        if (game.screen == SCREEN_MENU) return {LAYOUTS[r].x, LAYOUTS[r].menuY, LAYOUTS[r].width, 24};
        const Point at = CellMiddle(game.screen, cursor.col, r);
        const int32_t size = game.screen == SCREEN_ALMOST_IMPOSSIBLE ? 48 : 24;
        return {at.x - 12, at.y - 12, size, size};
    }

    // The tap a key stands for, with the cursor if that tap moves the board; or whether the key shows the
    // cursor anew (moved, shown, taking hold or letting go).
    struct Step {
        std::optional<Point> tap;
        Cursor ifActed;
        bool presents = false;
    };
    Step Press(const Game& game, int32_t k) {
        const bool arrow = k <= 3, shiftArrow = k >= 4 && k <= 7, press = k == 8 || k == 9, escape = k == 10;
        constexpr int32_t D_COL[] = {-1, 1, 0, 0}, D_ROW[] = {0, 0, -1, 1};
        const int32_t dCol = D_COL[k % 4], dRow = D_ROW[k % 4], screen = game.screen;
        const Point quit{119, 237};
        const bool onBoard = screen != SCREEN_MENU, shown = cursor.shown;
        const bool lines = screen == SCREEN_NORMAL || screen == SCREEN_UNMOVABLE || screen == SCREEN_UNEVEN;
        if (game.splashPending != 0 || (escape && !onBoard)) return {};
        if (onBoard && game.solved != 0) return press || escape ? Step{quit, cursor} : Step{};
        if (escape && cursor.grabbed) return cursor.grabbed = false, Step{{}, {}, true};
        if (escape) return {quit, cursor};
        if (screen == SCREEN_FIFTEEN)  // the tile on the side the arrow comes from
            return arrow ? Step{CellMiddle(screen, game.blankCol - dCol, game.blankRow - dRow), cursor}
                         : Step{};
        if (!shown || (press && lines)) {
            cursor.grabbed = shown != cursor.grabbed, cursor.shown = true;
            return {{}, {}, true};
        }
        const Point at = CellMiddle(screen, cursor.col, cursor.row);
        if (press && screen == SCREEN_MENU) {
            const ScreenLayout& label = LAYOUTS[cursor.row];
            return {Point{label.x + label.width / 2, label.menuY + 12}, cursor};
        }
        if (press)  // a light's middle, or where the block's four cells meet
            return {screen == SCREEN_LIGHTS_OUT ? at : Point{at.x + 12, at.y + 12}, cursor};
        if (lines && (shiftArrow || (cursor.grabbed && arrow))) {  // the arrow at the line's end
            Cursor moved = cursor;  // with its tile, round the board; into the gap on "Uneven"
            moved.col = (cursor.col - 1 + dCol + 4) % 4 + 1;
            moved.row = screen == SCREEN_UNEVEN ? std::clamp(cursor.row + dRow, 1, 5)
                                                : (cursor.row - 1 + dRow + 4) % 4 + 1;
            const int32_t end = dCol + dRow < 0 ? 0 : screen == SCREEN_UNEVEN && dRow != 0 ? 6 : 5;
            return {dCol != 0 ? CellMiddle(screen, end, cursor.row) : CellMiddle(screen, cursor.col, end),
                    moved};
        }
        if (!arrow) return {};
        const int32_t first = screen == SCREEN_MENU ? 0 : 1;
        cursor.col = std::clamp(cursor.col + dCol, first, LastCell(screen)->x);
        cursor.row = std::clamp(cursor.row + dRow, first, LastCell(screen)->y);
        return {{}, {}, true};
    }

    // After a tap, on `game` as it made it: on a new screen the cursor stands on its first target (on the
    // menu, the puzzle left), and it does not hold on.
    void Tapped(const Game& game, int32_t screenBefore, const Cursor& ifActed) {
        if (game.screen == screenBefore) {
            if (game.screen != SCREEN_MENU && game.tapActed != 0) cursor = ifActed;
            return;
        }
        const int32_t first = game.screen == SCREEN_MENU ? 0 : 1;
        cursor = {cursor.shown && LastCell(game.screen).has_value(), first, first, false};
        if (!LastCell(game.screen)) cursor.col = cursor.row = 0;
        for (int32_t row = 0; game.screen == SCREEN_MENU && row < 6; ++row)
            if (LAYOUTS[row].screen == screenBefore) cursor.row = row;
    }
};

// Thousands of keys, with pointer taps among them, through every screen: the cursor goes where its rules
// say, and every key shows what the tap it stands for shows on a game played by taps alone, frame by frame,
// its last picture with the cursor's outline over it.
TEST(Keys, GeneratedKeysPlayAsTheTapsTheyStandFor) {
    std::mt19937 random(77);
    std::set<int32_t> screensSeen;
    int solvedSeen = 0, grabbedSeen = 0;
    for (int run = 0; run < 25; ++run) {
        auto keyed = NewSession();
        auto tapped = NewGame();
        keyed->game.splashPending = tapped->splashPending = 1;
        KeyModel model;
        for (int i = 0; i < 400; ++i) {
            SCOPED_TRACE(::testing::Message() << "run " << run << ", step " << i);
            if (i == 3) keyed->game.splashPending = tapped->splashPending = 0;
            keyed->game.now = tapped->now = random();
            const int32_t screenBefore = tapped->screen;
            const int32_t roll = static_cast<int32_t>(random() % 64);
            Platform().presented.clear();
            KeyModel::Step step;
            if (roll == 0) {  // a pointer tap anywhere hides the cursor and lets go
                step.tap = Point{static_cast<int32_t>(random() % 240), static_cast<int32_t>(random() % 268)};
                model.cursor.shown = model.cursor.grabbed = false;
                step.ifActed = model.cursor;
                Tap(*keyed, step.tap->x, step.tap->y);
            } else {
                // Escape seldom, so that the puzzles get played; Enter and Space often on the menu.
                const int32_t k = roll < 3 ? 10 : roll < 12 ? 8 + roll % 2 : roll % 8;
                step = model.Press(keyed->game, k);
                PressKey(*keyed, ParseKey(NAMES[k]).value_or(Key::Escape));  // a wrong key shows in the model
            }
            const std::vector<BackBuffer> keyFrames = std::move(Platform().presented);
            std::vector<BackBuffer> tapFrames;
            if (step.tap) {
                Platform().presented.clear();
                Tap(*tapped, step.tap->x, step.tap->y);
                tapFrames = std::move(Platform().presented);
                model.Tapped(*tapped, screenBefore, step.ifActed);
                if (tapped->screen == SCREEN_NORMAL && screenBefore == SCREEN_MENU) {
                    PutRows(*tapped, ROW_1_SHIFTED_RIGHT);  // one Shift+Left from solved
                    PutRows(keyed->game, ROW_1_SHIFTED_RIGHT);
                }
            } else if (step.presents) {
                tapFrames.push_back(tapped->backBuffer);
            }
            ASSERT_TRUE(TakeBoard(keyed->game) == TakeBoard(*tapped) &&
                        keyed->game.screen == tapped->screen && keyed->game.solved == tapped->solved);
            const Cursor& c = keyed->cursor;
            ASSERT_TRUE(c == model.cursor) << c.shown << c.col << c.row << c.grabbed;
            ASSERT_EQ(keyFrames.size(), tapFrames.size());
            for (std::size_t f = 0; f + 1 < keyFrames.size(); ++f)
                ASSERT_TRUE(keyFrames[f].pixels == tapFrames[f].pixels) << "frame " << f;
            if (!keyFrames.empty()) {
                const auto expected = c.shown
                                          ? WithOutline(tapFrames.back(), model.CursorBox(*tapped), c.grabbed)
                                          : std::make_unique<BackBuffer>(tapFrames.back());
                ASSERT_TRUE(keyFrames.back().pixels == expected->pixels) << "the last frame";
            }
            screensSeen.insert(tapped->screen);
            solvedSeen += tapped->solved;
            grabbedSeen += c.grabbed;
        }
    }
    EXPECT_EQ(screensSeen.size(), 7u) << "some screen was never reached";
    EXPECT_GT(solvedSeen, 0);
    EXPECT_GT(grabbedSeen, 100);
}

}  // namespace
}  // namespace tessel
