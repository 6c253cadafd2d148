#include "game/tap_cycle.h"

#include <array>

#include "puzzles/puzzle_table.h"

namespace tessel {

namespace {

// Inclusive on all four edges, as every hit test of the game.
bool IsInside(int32_t x, int32_t y, int32_t left, int32_t top, int32_t width, int32_t height) {
    return left <= x && x <= left + width && top <= y && y <= top + height;
}

bool IsOnQuit(int32_t x, int32_t y) {
    return IsInside(x, y, QUIT_X, QUIT_Y, QUIT_WIDTH, QUIT_HEIGHT);
}

void TapMenu(Game& game) {
    for (const Puzzle* puzzle : Puzzles()) {
        const PuzzleLabel& label = puzzle->label;
        if (!IsInside(game.tapX, game.tapY, label.x, label.y, label.width, LABEL_HEIGHT)) continue;
        StartPuzzle(game, *puzzle, DealAt(game.now));
        return;
    }
}

void TapPuzzle(Game& game, const Puzzle& puzzle, int32_t x, int32_t y, bool solvedAtEntry) {
    if (solvedAtEntry) {
        game.solved = 0;
        game.screen = SCREEN_MENU;
        return;
    }
    if (IsOnQuit(game.tapX, game.tapY)) {
        game.screen = SCREEN_MENU;
    } else {
        puzzle.tap(game, x, y);
    }
    // The board left behind by Quit is tested too.
    game.solved = puzzle.isSolved(game) ? 1 : 0;
}

void Redraw(Game& game) {
    if (game.screen == SCREEN_MENU) {
        ClearBackBuffer(game.backBuffer, ColoursOf(game.look).ground);
        DrawMenu(game);
    } else if (const Puzzle* puzzle = FindPuzzle(game.screen)) {
        ClearBackBuffer(game.backBuffer, ColoursOf(game.look).ground);
        puzzle->draw(game);
    }
}

void DrawBanner(Game& game) {
    constexpr std::array<ImageId, 9> LETTERS{IMG_LETTER_C, IMG_LETTER_L,    IMG_LETTER_E,
                                             IMG_LETTER_A, IMG_LETTER_R,    IMG_LETTER_E,
                                             IMG_LETTER_D, IMG_LETTER_BANG, IMG_LETTER_BANG};
    for (std::size_t i = 0; i < LETTERS.size(); ++i) {
        DrawImage(game.backBuffer, game.images[LETTERS[i]], BANNER_LETTER_X[i], game.bannerY[i], LETTER_WIDTH,
                  LETTER_HEIGHT);
    }
}

}  // namespace

void StartPuzzle(Game& game, const Puzzle& puzzle, const Deal& deal) {
    // A new board never starts under the banner, even when the board just left was in goal order.
    game.solved = 0;
    puzzle.setup(game, deal);
    game.seed = deal.seed;
    game.seedKnown = 1;
    game.screen = puzzle.screen;
}

void DrawScreen(Game& game) {
    Redraw(game);
    if (game.solved != 0) DrawBanner(game);
}

void DrawMenu(Game& game) {
    DrawImage(game.backBuffer, game.images[IMG_TITLE], TITLE_X, TITLE_Y, TITLE_WIDTH, TITLE_HEIGHT);
    for (const Puzzle* puzzle : Puzzles()) {
        const PuzzleLabel& label = puzzle->label;
        DrawImage(game.backBuffer, game.images[label.image], label.x, label.y, label.width, LABEL_HEIGHT);
    }
}

void PrepareSurfaces(Game& game) {
    ClearBackBuffer(game.backBuffer, ColoursOf(game.look).ground);
    LoadImages(game.images, game.look);
    DrawMenu(game);
}

void ChangeLook(Game& game, Look look) {
    if (look == game.look) return;
    game.look = look;
    LoadImages(game.images, look);
    DrawScreen(game);
}

void HandleTap(Game& game, int32_t x, int32_t y) {
    RunTapCycle(game, x, y);
    PresentNow(game);
}

void RunTapCycle(Game& game, int32_t x, int32_t y) {
    game.screenAtTap = game.screen;
    game.tapActed = 0;
    const bool solvedAtEntry = game.solved != 0;

    if (game.screen == SCREEN_MENU && game.splashPending == 0) {
        TapMenu(game);
    } else if (const Puzzle* puzzle = FindPuzzle(game.screen)) {
        TapPuzzle(game, *puzzle, x, y, solvedAtEntry);
    } else if (solvedAtEntry) {
        // The menu during the splash, or a screen without a puzzle: a set banner still leads back.
        game.solved = 0;
        game.screen = SCREEN_MENU;
    }

    if (game.screen != game.screenAtTap || game.tapActed != 0) Redraw(game);
    if (game.solved != 0) DrawBanner(game);
}

}  // namespace tessel
