#include "core/platform.h"
#include "core/tap_cycle.h"
#include "puzzles/normal.h"
#include "tests/test_support.h"

namespace tessel {

uint32_t TickCount() {
    return testing::Platform().ticks;
}
void SeedRandom(uint32_t seed) {
    testing::Platform().random.Seed(seed);
}
int32_t DrawRandom() {
    return testing::Platform().random.Draw();
}
void PresentNow(const Game& game) {
    testing::FakePlatform& platform = testing::Platform();
    ++platform.presents;
    if (platform.keepPictures) platform.presented.push_back(game.backBuffer);
}

namespace testing {

FakePlatform& Platform() {
    static FakePlatform platform;
    return platform;
}

std::unique_ptr<Game> NewGame() {
    Platform() = {};
    auto game = std::make_unique<Game>();
    PrepareSurfaces(*game);
    game->splashPending = 0;
    return game;
}

void Tap(Game& game, int32_t x, int32_t y) {
    game.tapX = static_cast<uint16_t>(x);
    game.tapY = static_cast<uint16_t>(y);
    HandleTap(game, x, y);
}

int32_t ChoosePuzzle(Game& game, const PuzzleLabel& label, uint32_t ticks) {
    game.screen = SCREEN_MENU;
    game.solved = 0;
    Platform().ticks = ticks;
    Tap(game, label.x, label.y);
    Platform().presented.clear();
    CrtRandom replay;
    replay.Seed(ticks % 2000000000u);
    for (int32_t draws = 0; draws <= 1000; ++draws) {
        if (replay.state == Platform().random.state) return draws;
        replay.Draw();
    }
    return -1;
}

void StartNormalWith(Game& game, const std::array<std::array<int32_t, 4>, 4>& rows) {
    ChoosePuzzle(game, NORMAL_LABEL);
    for (int32_t row = 1; row <= 4; ++row) {
        for (int32_t col = 1; col <= 4; ++col) game.tileGrid.Tile(col, row) = rows[row - 1][col - 1];
    }
    // A tap that changes nothing would not redraw; redraw the way the cycle does.
    ClearBackBuffer(game.backBuffer);
    DrawNormal(game);
}

std::array<std::array<int32_t, 4>, 4> BoardRows(const Game& game) {
    std::array<std::array<int32_t, 4>, 4> rows{};
    for (int32_t row = 1; row <= 4; ++row) {
        for (int32_t col = 1; col <= 4; ++col) rows[row - 1][col - 1] = game.tileGrid.Tile(col, row);
    }
    return rows;
}

bool SameArea(const BackBuffer& a, int32_t x, int32_t y, const BackBuffer& b, int32_t bx, int32_t by,
              int32_t w, int32_t h) {
    for (int32_t dy = 0; dy < h; ++dy) {
        for (int32_t dx = 0; dx < w; ++dx) {
            if (a.At(x + dx, y + dy) != b.At(bx + dx, by + dy)) return false;
        }
    }
    return true;
}

bool ShowsImage(const BackBuffer& buffer, const Image& image, int32_t x, int32_t y, int32_t w, int32_t h) {
    for (int32_t dy = 0; dy < h; ++dy) {
        for (int32_t dx = 0; dx < w; ++dx) {
            if (buffer.At(x + dx, y + dy) != image.pixels[dy * image.width + dx]) return false;
        }
    }
    return true;
}

bool IsWhite(const BackBuffer& buffer, int32_t x, int32_t y, int32_t w, int32_t h) {
    for (int32_t dy = 0; dy < h; ++dy) {
        for (int32_t dx = 0; dx < w; ++dx) {
            if (buffer.At(x + dx, y + dy) != WHITE) return false;
        }
    }
    return true;
}

}  // namespace testing
}  // namespace tessel
