// A scripted platform for the core's tests, and small helpers to drive a game through its taps.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/crt_random.h"
#include "core/game.h"

namespace tessel::testing {

struct FakePlatform {
    uint32_t ticks = 0;
    CrtRandom random;
    std::vector<BackBuffer> presented;  // every picture shown, in order, while keepPictures is set
    bool keepPictures = true;
    long presents = 0;
};

// The platform the core calls in the tests; reset by NewGame.
FakePlatform& Platform();

// A game as the front ends start it: surfaces prepared, the menu drawn, the splash already over.
std::unique_ptr<Game> NewGame();

// A stylus tap at (x, y), as a front end delivers it.
void Tap(Game& game, int32_t x, int32_t y);

// Chooses the puzzle with this label from the menu, the tick count at `ticks`, and forgets the pictures
// shown. Returns how many draws the generator has made since the set-up seeded it (-1 beyond 1000).
int32_t ChoosePuzzle(Game& game, const PuzzleLabel& label, uint32_t ticks = 0);

// Starts "Normal" from the menu with its board replaced by `rows` (row 1 first) and drawn anew.
void StartNormalWith(Game& game, const std::array<std::array<int32_t, 4>, 4>& rows);

// The sixteen board tiles, row 1 first.
std::array<std::array<int32_t, 4>, 4> BoardRows(const Game& game);

inline constexpr std::array<std::array<int32_t, 4>, 4> GOAL_ROWS{
    {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}}};

// Whether the w x h area at (x, y) of `a` equals the one at (bx, by) of `b`.
bool SameArea(const BackBuffer& a, int32_t x, int32_t y, const BackBuffer& b, int32_t bx, int32_t by,
              int32_t w, int32_t h);

// Whether the area holds exactly the top-left w x h of the image.
bool ShowsImage(const BackBuffer& buffer, const Image& image, int32_t x, int32_t y, int32_t w, int32_t h);

bool IsWhite(const BackBuffer& buffer, int32_t x, int32_t y, int32_t w, int32_t h);

}  // namespace tessel::testing
