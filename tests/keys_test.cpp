#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "game/keys.h"
#include "game/session.h"
#include "puzzles/normal.h"
#include "puzzles/uneven.h"
#include "tests/test_support.h"
#include "tools/replay/script.h"

namespace tessel {
namespace {

using namespace testing;

// The box the cursor frames on each screen, from the layout's own numbers: a menu label, a cell, or the
// 2 x 2 block of "Almost Impossible".
struct Box {
    int32_t x, y, w, h;
    bool Holds(int32_t px, int32_t py) const { return x <= px && px < x + w && y <= py && py < y + h; }
};

Box CursorBox(int32_t screen, int32_t col, int32_t row) {
    constexpr int32_t MENU_WIDTHS[] = {66, 72, 104, 190, 100, 116};
    if (screen == SCREEN_MENU) return {LAYOUTS[row].x, LAYOUTS[row].menuY, MENU_WIDTHS[row], 24};
    for (const ScreenLayout& layout : LAYOUTS) {
        if (layout.screen != screen) continue;
        const int32_t size = screen == SCREEN_ALMOST_IMPOSSIBLE ? 48 : 24;
        return {layout.origin.x + 24 * col, layout.origin.y + 24 * row, size, size};
    }
    return {0, 0, 0, 0};
}

// Where two pictures differ, as the count of pixels inside and outside the box; every pixel inside that
// differs must be the outline's black or white.
struct Difference {
    int inside = 0, outside = 0, notOutlineColour = 0;
};
Difference Compare(const BackBuffer& withCursor, const BackBuffer& without, const Box& box) {
    Difference difference;
    for (int32_t y = 0; y < SURFACE_HEIGHT; ++y) {
        for (int32_t x = 0; x < SURFACE_WIDTH; ++x) {
            if (withCursor.At(x, y) == without.At(x, y)) continue;
            (box.Holds(x, y) ? difference.inside : difference.outside)++;
            const uint32_t pixel = withCursor.At(x, y);
            if (pixel != 0xFF000000u && pixel != 0xFFFFFFFFu) difference.notOutlineColour++;
        }
    }
    return difference;
}

std::vector<std::string> ScriptLines(const std::string& name) {
    std::ifstream file(std::filesystem::path(TESSEL_KEY_SCRIPTS) / (name + ".txt"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

// Each script solves a pinned scramble with keys alone: the banner comes up with its last move and not
// before, the board is in goal order, and the last key leads back to the menu. Beside it the same game is
// played by a pointer, with a tap wherever a key tapped, on a bare game record through the tap cycle as
// before keys: every key's pictures are the pointer's, the same number of them, equal pixel for pixel but
// for the last one, which differs only by the outline inside the cursor's box.
TEST(Keys, ScriptsSolveEveryPuzzleAsTapsWould) {
    for (const char* name : {"normal", "uneven", "unmovable", "almost_impossible", "fifteen", "lights_out"}) {
        SCOPED_TRACE(name);
        const std::vector<std::string> lines = ScriptLines(name);
        ASSERT_GT(lines.size(), 10u);
        auto keyed = std::make_unique<Session>();
        keyed->game = *NewGame();
        keyed->game.splashPending = 1;
        auto tapped = NewGame();
        tapped->splashPending = 1;
        CrtRandom tappedRandom;  // each game draws from its own generator
        int solvedAt = -1, keysThatTapped = 0, outlinesSeen = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const replay::Command command = replay::ParseLine(lines[i]);
            ASSERT_NE(command.kind, replay::CommandKind::Invalid) << lines[i];
            if (command.kind == replay::CommandKind::Tick) Platform().ticks = command.ticks;
            if (command.kind == replay::CommandKind::Splash)
                keyed->game.splashPending = tapped->splashPending = 0;
            if (command.kind != replay::CommandKind::Key) continue;

            const KeyAction action = InterpretKey(keyed->game, keyed->cursor, command.key);
            Platform().presented.clear();
            const int32_t screenBefore = keyed->game.screen;
            PressKey(*keyed, command.key);
            const std::vector<BackBuffer> keyFrames = std::move(Platform().presented);
            std::vector<BackBuffer> tapFrames;
            if (action.kind == KeyAction::Kind::Tap) {
                ++keysThatTapped;
                std::swap(Platform().random, tappedRandom);
                Platform().presented.clear();
                Tap(*tapped, keyed->game.tapX, keyed->game.tapY);
                tapFrames = std::move(Platform().presented);
                std::swap(Platform().random, tappedRandom);
                ASSERT_EQ(TakeBoard(keyed->game), TakeBoard(*tapped)) << lines[i];
                ASSERT_EQ(keyed->game.screen, tapped->screen) << lines[i];
            } else {
                tapFrames = {tapped->backBuffer};
            }
            ASSERT_EQ(keyFrames.size(), tapFrames.size()) << lines[i];
            for (std::size_t f = 0; f + 1 < keyFrames.size(); ++f)
                ASSERT_TRUE(keyFrames[f].pixels == tapFrames[f].pixels) << lines[i] << ", frame " << f;
            if (keyFrames.empty()) continue;
            const Cursor& cursor = keyed->cursor;
            const Box box = CursorBox(keyed->game.screen, cursor.col, cursor.row);
            const Difference difference = Compare(keyFrames.back(), tapFrames.back(), box);
            EXPECT_EQ(difference.outside, 0) << lines[i];
            EXPECT_EQ(difference.notOutlineColour, 0) << lines[i];
            EXPECT_EQ(difference.inside > 0, cursor.shown) << lines[i];
            outlinesSeen += cursor.shown ? 1 : 0;
            if (keyed->game.solved != 0 && solvedAt < 0 && screenBefore != SCREEN_MENU)
                solvedAt = static_cast<int>(i);
        }
        EXPECT_EQ(solvedAt, static_cast<int>(lines.size()) - 2) << "solved by the last move, not before";
        EXPECT_EQ(keyed->game.screen, SCREEN_MENU);
        const Game& left = keyed->game;  // the board stays in its grid after the menu is back
        if (std::string(name) == "lights_out") {
            for (int32_t i = 0; i < 25; ++i) EXPECT_EQ(left.lightGrid.Lit(i % 5 + 1, i / 5 + 1), 0) << i;
        } else {
            Rows goal = GOAL_ROWS;
            if (std::string(name) == "fifteen") goal[3][3] = 0;
            EXPECT_EQ(BoardRows(left), goal);
        }
        EXPECT_GT(keysThatTapped, 5);
        EXPECT_GT(outlinesSeen, std::string(name) == "fifteen" ? 0 : 5);
    }
}

// A session on a board chosen by keys at tick count `ticks`: the menu's cursor moved down `index` times
// from its first label and Enter pressed.
std::unique_ptr<Session> KeyedInto(int index, uint32_t ticks) {
    auto session = std::make_unique<Session>();
    session->game = *NewGame();
    Platform().ticks = ticks;
    for (int i = 0; i <= index; ++i) PressKey(*session, Key::Down);
    PressKey(*session, Key::Enter);
    Platform().presented.clear();
    return session;
}

std::pair<int32_t, int32_t> At(const Cursor& cursor) {
    return {cursor.col, cursor.row};
}

// The cursor: hidden at start and during the splash, shown where it was by the first key, stopped at the
// edges, hidden by a pointer tap, and on every new screen at its first target (the menu at the puzzle left).
TEST(Keys, CursorShowsMovesAndHides) {
    Session session;
    session.game = *NewGame();
    session.game.splashPending = 1;
    PressKey(session, Key::Down);
    EXPECT_FALSE(session.cursor.shown);
    EXPECT_TRUE(Platform().presented.empty()) << "keys do nothing during the splash";
    session.game.splashPending = 0;
    PressKey(session, Key::Up);
    EXPECT_EQ(std::pair(session.cursor.shown, At(session.cursor)), std::pair(true, std::pair(0, 0)));
    for (int i = 0; i < 9; ++i) PressKey(session, Key::Down);
    EXPECT_EQ(At(session.cursor), std::pair(0, 5)) << "stops at the last label";
    EXPECT_EQ(Platform().presented.size(), 10u) << "each cursor move presents once";
    Tap(session, 0, 0);
    EXPECT_FALSE(session.cursor.shown);
    EXPECT_TRUE(Platform().presented.back().pixels == session.game.backBuffer.pixels);
    PressKey(session, Key::Left);
    EXPECT_EQ(std::pair(session.cursor.shown, At(session.cursor)), std::pair(true, std::pair(0, 5)));
    PressKey(session, Key::Space);  // "Lights out"
    EXPECT_EQ(std::pair(session.game.screen, At(session.cursor)),
              std::pair(int32_t{SCREEN_LIGHTS_OUT}, std::pair(1, 1)));
    for (int i = 0; i < 6; ++i) PressKey(session, Key::Right), PressKey(session, Key::Down);
    EXPECT_EQ(At(session.cursor), std::pair(5, 5));
    PressKey(session, Key::Escape);
    EXPECT_EQ(std::pair(session.game.screen, At(session.cursor)),
              std::pair(int32_t{SCREEN_MENU}, std::pair(0, 5)));
    Tap(session, 90, 70);  // "Normal" by the pointer: the cursor waits, hidden, on the first cell
    PressKey(session, Key::ShiftLeft);
    EXPECT_EQ(std::tuple(session.cursor.shown, At(session.cursor), session.game.tapActed),
              std::tuple(true, std::pair(1, 1), uint8_t{0}));
}

// Lines that cannot move do nothing, as a tap on them would; Enter grabs, plain arrows then shift, the
// cursor travelling with its tile; Escape lets go before it quits; on a solved board Enter leads back.
TEST(Keys, ShiftsFollowThePuzzlesRules) {
    auto session = KeyedInto(2, 1000);  // "Unmovable"
    Game& game = session->game;
    const tessel::Board start = TakeBoard(game);
    PressKey(*session, Key::Left);  // shows the cursor on the first cell
    for (int32_t col = 1; col < game.fixedColumn; ++col) PressKey(*session, Key::Right);
    PressKey(*session, Key::ShiftUp);
    EXPECT_EQ(std::pair(game.tapActed, TakeBoard(game) == start), std::pair(uint8_t{0}, true));
    PressKey(*session, Key::Enter);
    PressKey(*session, Key::Escape);
    EXPECT_EQ(std::pair(game.screen, session->cursor.grabbed), std::pair(int32_t{SCREEN_UNMOVABLE}, false));
    PressKey(*session, Key::Escape);
    EXPECT_EQ(game.screen, SCREEN_MENU);

    // "Normal", grabbed on tile 1 of the first row shifted right: Left solves it, and Enter leaves.
    session = KeyedInto(0, 1000);
    StartWith(session->game, NORMAL_LABEL, ROW_1_SHIFTED_RIGHT);
    session->cursor = {true, 2, 1, false};
    PressKey(*session, Key::Space);
    PressKey(*session, Key::Left);
    EXPECT_EQ(std::tuple(BoardRows(session->game), session->game.solved, At(session->cursor)),
              std::tuple(GOAL_ROWS, uint8_t{1}, std::pair(1, 1)));
    PressKey(*session, Key::Left);  // a solved board waits for Enter, Space or Escape
    EXPECT_EQ(std::pair(session->game.screen, At(session->cursor)),
              std::pair(int32_t{SCREEN_NORMAL}, std::pair(1, 1)));
    PressKey(*session, Key::Enter);
    EXPECT_EQ(std::pair(session->game.screen, At(session->cursor)),
              std::pair(int32_t{SCREEN_MENU}, std::pair(0, 0)));

    // "Uneven" with every gap at the foot: no column goes up and row 1 never shifts; a column goes
    // down once, with the cursor on its tile, and then no further.
    session = KeyedInto(1, 1000);
    StartWith(
        session->game, UNEVEN_LABEL,
        testing::Board<5>{{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {16, 13, 14, 15}, {0, 0, 0, 0}}});
    session->cursor = {true, 2, 1, false};
    struct Step {
        Key key;
        uint8_t acts;
        std::pair<int32_t, int32_t> cursor;
    };
    for (const Step& step :
         {Step{Key::ShiftUp, 0, {2, 1}}, Step{Key::ShiftRight, 0, {2, 1}}, Step{Key::ShiftDown, 1, {2, 2}},
          Step{Key::ShiftDown, 0, {2, 2}}, Step{Key::ShiftRight, 1, {3, 2}}}) {
        PressKey(*session, step.key);
        EXPECT_EQ(std::pair(session->game.tapActed, At(session->cursor)), std::pair(step.acts, step.cursor))
            << KeyName(step.key);
    }
    EXPECT_EQ(BoardRows<5>(session->game)[1], (std::array<int32_t, 4>{8, 5, 2, 7}));
    EXPECT_EQ(session->game.tileGrid.Tile(3, 2), 2) << "the cursor's tile";
}

TEST(Keys, NamesReadAsTheScriptWritesThem) {
    EXPECT_EQ(ParseKey("Shift+Left"), Key::ShiftLeft);
    EXPECT_EQ(ParseKey("Escape"), Key::Escape);
    for (const char* name : {"shift+left", "Shift+Enter", "Tab", "", "Left "})
        EXPECT_FALSE(ParseKey(name)) << name;
    EXPECT_EQ(replay::ParseLine("key  Shift+Down # the column").key, Key::ShiftDown);
    EXPECT_EQ(replay::ParseLine("key Ctrl+Z").kind, replay::CommandKind::Invalid);
    EXPECT_EQ(replay::ParseLine("key").kind, replay::CommandKind::Invalid);
}

}  // namespace
}  // namespace tessel
