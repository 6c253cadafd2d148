#include <gtest/gtest.h>

#include <random>

#include "game/invariants.h"
#include "game/kept_game.h"
#include "game/keys.h"
#include "game/session.h"
#include "puzzles/almost_impossible.h"
#include "puzzles/lights_out.h"
#include "puzzles/normal.h"
#include "tests/random_taps.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using namespace testing;

// A picture by its pixels' hash: enough to tell any two pictures of a game apart.
std::size_t HashOf(const BackBuffer& picture) {
    return std::hash<std::string_view>{}(
        {reinterpret_cast<const char*>(&picture.pixels), sizeof picture.pixels});
}

// What a player sees: both boards, the empty cell, the banner, the cursor and the frames last shown.
struct Seen {
    std::array<int32_t, 36> tiles;
    std::array<uint8_t, 49> lit;
    int32_t blankCol, blankRow;
    uint8_t solved;
    Cursor cursor;
    std::vector<std::size_t> frames;

    bool operator==(const Seen&) const = default;
    bool SameBoard(const Seen& other) const {
        return std::tie(tiles, lit, blankCol, blankRow, solved) ==
               std::tie(other.tiles, other.lit, other.blankCol, other.blankRow, other.solved);
    }
    bool SameRest(const Seen& other) const {
        return SameBoard(other) && cursor == other.cursor && frames.back() == other.frames.back();
    }
};

// What the session shows now, and the last frame of it, if any, as the picture on the screen.
Seen Look(const Session& session, std::size_t* onScreen = nullptr) {
    const Game& game = session.game;
    Seen seen{game.tileGrid.tile, game.lightGrid.lit, game.blankCol, game.blankRow, game.solved, {}, {}};
    seen.cursor = session.cursor;
    for (const BackBuffer& frame : Platform().presented) seen.frames.push_back(HashOf(frame));
    Platform().presented.clear();
    if (onScreen != nullptr && !seen.frames.empty()) *onScreen = seen.frames.back();
    return seen;
}

// What Undo or Redo must show of a screen seen before, the cursor holding its line only if it does now.
Seen HeldAsNow(Seen then, const Cursor& now, const Seen& shown) {
    const bool grabbed = then.cursor.shown && now.grabbed;
    if (grabbed != then.cursor.grabbed && !shown.frames.empty()) then.frames.back() = shown.frames.back();
    then.cursor.grabbed = grabbed;
    return then;
}

// Random taps, keys, Undo and Redo on every puzzle against a plain list of screens and a position in it:
// Undo gives back the very screen a move was made from, Redo the very frames of its move; the moves and the
// time (from the first move, while unsolved, across the tick wrap) follow, and survive keeping.
TEST(History, RandomTapsKeysUndoAndRedoFollowAPlainListOfBoards) {
    auto session = NewSession();
    int solves = 0;
    for (const Puzzle* puzzle : Puzzles()) {
        for (uint32_t seed = 1; seed <= 3; ++seed) {
            RandomTaps taps(seed * 7 + static_cast<uint32_t>(puzzle->screen));
            std::mt19937 choose(seed);
            std::vector<Seen> model, left;
            std::size_t at = 0, screen = 0;  // the picture on the screen, by its hash
            bool solving = false, started = false, running = false;
            uint32_t counted = 0, since = 0;  // the time up to `since`, when the clock last started
            for (int step = 0; step < 400; ++step) {
                if (session->game.screen != puzzle->screen || model.empty()) {
                    Choose(*session, puzzle->label, seed * 1000 + static_cast<uint32_t>(step));
                    session->game.now = 0u - 100000u * seed;  // the clock to cross the wrap
                    started = running = false, counted = 0;
                    // Once, "Normal" one tap from solved, that tap first: Undo takes the banner away.
                    if ((solving = seed == 3 && puzzle->screen == SCREEN_NORMAL)) {
                        PutRows(session->game, ROW_1_SHIFTED_RIGHT);
                        session->history = {};
                        Platform().presented = {session->game.backBuffer};
                    }
                    model = {Look(*session, &screen)};
                    at = 0;
                }
                const uint32_t what = solving ? 0 : choose() % 12;
                const uint32_t now = session->game.now += choose() % 3 * 9000 + what * 7;
                const Cursor cursorWas = session->cursor;
                const std::size_t screenWas = screen;
                if (what < 7) {
                    if (what < 3) {
                        const RandomTaps::Tap tap = solving ? RandomTaps::Tap{60, 97, 0} : taps.Next();
                        Tap(*session, tap.x, tap.y);
                        solves += solving && session->game.solved != 0, solving = false;
                    } else {
                        PressKey(*session, static_cast<Key>(choose() % (KEY_COUNT - 1)));
                    }
                    const Seen seen = Look(*session, &screen);
                    if (session->game.screen != puzzle->screen) {
                        EXPECT_EQ(UndoCount(session->history) + RedoCount(session->history), 0u);
                        continue;
                    }
                    if (!seen.SameBoard(model[at])) {
                        started = true;
                        left.resize(at);
                        left.push_back(model[at]);
                        left[at].cursor = cursorWas;
                        left[at].frames = {screenWas};
                        model.resize(++at);
                        model.push_back(seen);
                    } else if (seen.cursor == cursorWas && !cursorWas.shown) {
                        ASSERT_EQ(screen, screenWas)
                            << "a tap that moved nothing changed the picture, step " << step;
                    }
                } else if (what < 10) {
                    ASSERT_EQ(Undo(*session), at > 0);
                    const Seen seen = Look(*session, &screen);
                    if (at == 0) {
                        EXPECT_TRUE(seen.frames.empty()) << "Undo at the start showed something";
                    } else {
                        ASSERT_TRUE(seen.SameRest(HeldAsNow(left[--at], cursorWas, seen))) << "step " << step;
                        EXPECT_EQ(seen.frames.size(), 1u);
                    }
                } else {
                    ASSERT_EQ(Redo(*session), at + 1 < model.size());
                    const Seen seen = Look(*session, &screen);
                    if (at + 1 < model.size()) {
                        ASSERT_EQ(seen, HeldAsNow(model[++at], cursorWas, seen)) << "step " << step;
                        started = true;
                    } else {
                        EXPECT_TRUE(seen.frames.empty());
                    }
                }
                const bool run = started && session->game.solved == 0;
                if (run && !running) since = now;
                if (!run && running) counted += now - since;
                running = run;
                ASSERT_EQ(std::pair(MoveCount(*session), ElapsedMs(*session)),
                          std::pair(static_cast<uint32_t>(at), counted + (running ? now - since : 0)))
                    << "step " << step;
                if (step % 37 == 36) {
                    auto read = std::make_unique<Session>(*session);
                    ASSERT_TRUE(ReadKeptGame(KeepGame(*session), *read));
                    ASSERT_EQ(std::pair(MoveCount(*read), ElapsedMs(*read)),
                              std::pair(MoveCount(*session), ElapsedMs(*session)));
                    Platform().presented.clear();
                }
                ASSERT_EQ(UndoCount(session->history), at) << "step " << step;
                ASSERT_EQ(RedoCount(session->history), model.size() - 1 - at);
                ASSERT_EQ(BrokenInvariant(session->game), "") << "step " << step;
            }
        }
    }
    EXPECT_GT(solves, 1);
}

// Where the history starts and ends: a scramble left in order, the splash, 10,000 moves at most.
TEST(History, StartsWithTheGameAndEndsWithIt) {
    auto session = NewSession();
    Game& game = session->game;

    // A scramble left in order shows no banner, nor does Undo back to it; Redo plays the move again.
    for (const auto& [label, ticks, x, y] : {std::tuple{NORMAL_LABEL, 4297u, 83, 73},
                                             {LIGHTS_OUT_LABEL, 5810u, 71, 85},
                                             {ALMOST_IMPOSSIBLE_LABEL, 140463u, 95, 109}}) {
        Choose(*session, label, ticks);
        const Seen ordered = Look(*session);
        ASSERT_EQ(game.solved, 0) << ticks;
        Tap(*session, x, y);
        const Seen moved = Look(*session);
        ASSERT_TRUE(Undo(*session));
        EXPECT_TRUE(Look(*session).SameRest(ordered)) << ticks;
        ASSERT_TRUE(Redo(*session));
        EXPECT_EQ(Look(*session), moved) << ticks;
        Undo(*session);
        EXPECT_TRUE(ReadKeptGame(KeepGame(*session), *session)) << ticks;
    }

    // Undo waits for a kept game's splash, like taps.
    Choose(*session, NORMAL_LABEL, 7);
    Tap(*session, 107, 40);
    game.splashPending = 1;
    EXPECT_FALSE(Undo(*session));
    game.splashPending = 0;

    // Past 10,000 moves the oldest go, still counted: Undo gives back the boards of the last 10,000 and no
    // more, also after a score taken back and one played over them and the game kept and read back.
    Platform().keepPictures = false;
    std::mt19937 choose(5);
    std::vector<tessel::Board> before;  // the board before each move, oldest first
    const auto shiftAColumn = [&] {
        before.push_back(TakeBoard(game));
        Tap(*session, 80 + 27 * static_cast<int32_t>(choose() % 4), choose() % 2 == 0 ? 40 : 220);
    };
    const auto undoAll = [&] {  // how many undone, each to the board before its move
        std::size_t undone = 0;
        while (Undo(*session) && TakeBoard(game) == before[before.size() - 1 - undone]) ++undone;
        return undone;
    };
    for (int i = 0; i < 10005; ++i) shiftAColumn();
    for (int i = 0; i < 3; ++i) Undo(*session), before.pop_back();
    for (int i = 0; i < 4; ++i) shiftAColumn();
    tessel::Board last = TakeBoard(game);
    EXPECT_EQ(undoAll(), HISTORY_LIMIT);
    while (Redo(*session)) continue;
    EXPECT_EQ(TakeBoard(game), last);
    EXPECT_EQ(MoveCount(*session), 10007u);  // with the one before

    for (int i = 0; i < 20; ++i) Undo(*session), before.pop_back();
    shiftAColumn();
    last = TakeBoard(game);
    ASSERT_TRUE(ReadKeptGame(KeepGame(*session), *session));
    EXPECT_EQ(std::pair(UndoCount(session->history), MoveCount(*session)),
              std::pair(std::size_t{9981}, 9988u));
    EXPECT_EQ(TakeBoard(game), last);
    EXPECT_EQ(undoAll(), 9981u);
}

}  // namespace
}  // namespace tessel
