// A scripted platform for the tests (tests/fake_platform.cpp) and helpers to play a game and look at it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/crt_random.h"
#include "game/tap_cycle.h"
#include "puzzles/puzzle_table.h"

namespace tessel::testing {

struct FakePlatform {
    uint32_t ticks = 0;
    CrtRandom random;
    std::vector<BackBuffer> presented;  // every picture shown, in order, while keepPictures is set
    bool keepPictures = true;
    long presents = 0;
};

// The platform the core calls in the tests.
FakePlatform& Platform();

// A game as the front ends start it, on a fresh platform: surfaces prepared, the menu drawn, the splash over.
inline std::unique_ptr<Game> NewGame() {
    Platform() = {};
    auto game = std::make_unique<Game>();
    PrepareSurfaces(*game);
    game->splashPending = 0;
    return game;
}

// A stylus tap at (x, y), as a front end delivers it.
inline void Tap(Game& game, int32_t x, int32_t y) {
    game.tapX = static_cast<uint16_t>(x);
    game.tapY = static_cast<uint16_t>(y);
    HandleTap(game, x, y);
}

// Chooses the puzzle with this label from the menu, the tick count at `ticks`, and forgets the pictures
// shown. Returns how many draws the generator has made since the set-up seeded it (-1 beyond 1000).
inline int32_t ChoosePuzzle(Game& game, const PuzzleLabel& label, uint32_t ticks = 0) {
    game.screen = SCREEN_MENU;
    game.solved = 0;
    Platform().ticks = ticks;
    Tap(game, label.x, label.y);
    Platform().presented.clear();
    CrtRandom replay;
    replay.Seed(ticks % 2000000000u);
    for (int32_t draws = 0; draws <= 1000; ++draws, replay.Draw()) {
        if (replay.state == Platform().random.state) return draws;
    }
    return -1;
}

// The cells of a board four columns wide, row 1 first ("Uneven" has five rows; a 0 is an empty cell).
template <std::size_t N>
using Board = std::array<std::array<int32_t, 4>, N>;
using Rows = Board<4>;
inline constexpr Rows GOAL_ROWS{{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}}};

template <std::size_t N = 4>
Board<N> BoardRows(const Game& game) {
    Board<N> rows{};
    for (std::size_t i = 0; i < 4 * N; ++i) rows[i / 4][i % 4] = game.tileGrid.Tile(i % 4 + 1, i / 4 + 1);
    return rows;
}

// Chooses a puzzle, replaces its board by `rows` (the last 0 is the 15 Puzzle's empty cell) and draws it
// anew, as the tap cycle would.
template <std::size_t N>
void StartWith(Game& game, const PuzzleLabel& label, const Board<N>& rows, uint32_t ticks = 0) {
    ChoosePuzzle(game, label, ticks);
    for (std::size_t i = 0; i < 4 * N; ++i) {
        game.tileGrid.Tile(i % 4 + 1, i / 4 + 1) = rows[i / 4][i % 4];
        if (rows[i / 4][i % 4] == 0) game.blankCol = i % 4 + 1, game.blankRow = i / 4 + 1;
    }
    ClearBackBuffer(game.backBuffer);
    FindPuzzle(game.screen)->draw(game);
}

// Whether every pixel of the w x h area at (x, y) is expected(dx, dy).
template <typename Expected>
bool AreaIs(const BackBuffer& buffer, int32_t x, int32_t y, int32_t w, int32_t h, Expected expected) {
    for (int32_t dy = 0; dy < h; ++dy) {
        for (int32_t dx = 0; dx < w; ++dx)
            if (buffer.At(x + dx, y + dy) != expected(dx, dy)) return false;
    }
    return true;
}

inline bool IsWhite(const BackBuffer& buffer, int32_t x, int32_t y, int32_t w, int32_t h) {
    return AreaIs(buffer, x, y, w, h, [](int32_t, int32_t) { return WHITE; });
}

// Whether the area holds exactly the top-left w x h of the image.
inline bool ShowsImage(const BackBuffer& buffer, const Image& image, int32_t x, int32_t y, int32_t w,
                       int32_t h) {
    return AreaIs(buffer, x, y, w, h,
                  [&](int32_t dx, int32_t dy) { return image.pixels[dy * image.width + dx]; });
}

// Whether the w x h area at (x, y) of `a` equals the one at (bx, by) of `b`.
inline bool SameArea(const BackBuffer& a, int32_t x, int32_t y, const BackBuffer& b, int32_t bx, int32_t by,
                     int32_t w, int32_t h) {
    return AreaIs(a, x, y, w, h, [&](int32_t dx, int32_t dy) { return b.At(bx + dx, by + dy); });
}

}  // namespace tessel::testing
