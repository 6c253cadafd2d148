#include "core/tap_cycle.h"

#include <array>

#include "core/platform.h"
#include "puzzles/normal.h"

namespace tessel {

namespace {

// What each puzzle screen offers the cycle. A puzzle not built yet has no operations: its menu entry
// does nothing.
struct Puzzle {
    Screen screen;
    ImageId label;
    int32_t labelX;
    int32_t labelY;  // on the menu
    int32_t labelWidth;
    void (*setup)(Game&) = nullptr;
    void (*tap)(Game&, int32_t, int32_t) = nullptr;
    bool (*isSolved)(const Game&) = nullptr;
    void (*draw)(Game&) = nullptr;
};

// In menu order: the order in which taps are tested and labels drawn.
constexpr std::array<Puzzle, 6> PUZZLES{{
    {SCREEN_NORMAL, IMG_LABEL_NORMAL, NORMAL_LABEL_X, NORMAL_LABEL_Y, NORMAL_LABEL_WIDTH, SetupNormal,
     TapNormal, IsNormalSolved, DrawNormal},
    {SCREEN_UNEVEN, IMG_LABEL_UNEVEN, UNEVEN_LABEL_X, UNEVEN_LABEL_Y, UNEVEN_LABEL_WIDTH},
    {SCREEN_UNMOVABLE, IMG_LABEL_UNMOVABLE, UNMOVABLE_LABEL_X, UNMOVABLE_LABEL_Y, UNMOVABLE_LABEL_WIDTH},
    {SCREEN_ALMOST_IMPOSSIBLE, IMG_LABEL_ALMOST_IMPOSSIBLE, ALMOST_IMPOSSIBLE_LABEL_X,
     ALMOST_IMPOSSIBLE_LABEL_Y, ALMOST_IMPOSSIBLE_LABEL_WIDTH},
    {SCREEN_FIFTEEN, IMG_LABEL_FIFTEEN, FIFTEEN_LABEL_X, FIFTEEN_LABEL_Y, FIFTEEN_LABEL_WIDTH},
    {SCREEN_LIGHTS_OUT, IMG_LABEL_LIGHTS_OUT, LIGHTS_OUT_LABEL_X, LIGHTS_OUT_LABEL_Y, LIGHTS_OUT_LABEL_WIDTH},
}};

const Puzzle* FindPuzzle(int32_t screen) {
    for (const Puzzle& puzzle : PUZZLES) {
        if (puzzle.screen == screen && puzzle.tap != nullptr) return &puzzle;
    }
    return nullptr;
}

// Inclusive on all four edges, as every hit test of the game.
bool IsInside(int32_t x, int32_t y, int32_t left, int32_t top, int32_t width, int32_t height) {
    return left <= x && x <= left + width && top <= y && y <= top + height;
}

bool IsOnQuit(int32_t x, int32_t y) {
    return IsInside(x, y, QUIT_X, QUIT_Y, QUIT_WIDTH, QUIT_HEIGHT);
}

void TapMenu(Game& game) {
    for (const Puzzle& puzzle : PUZZLES) {
        if (!IsInside(game.tapX, game.tapY, puzzle.labelX, puzzle.labelY, puzzle.labelWidth, LABEL_HEIGHT)) {
            continue;
        }
        if (puzzle.setup != nullptr) {
            // A new board never starts under the banner, even when the board just left was in goal order.
            game.solved = 0;
            puzzle.setup(game);
            game.screen = puzzle.screen;
        }
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
        ClearBackBuffer(game.backBuffer);
        DrawMenu(game);
    } else if (const Puzzle* puzzle = FindPuzzle(game.screen)) {
        ClearBackBuffer(game.backBuffer);
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

void DrawMenu(Game& game) {
    DrawImage(game.backBuffer, game.images[IMG_TITLE], TITLE_X, TITLE_Y, TITLE_WIDTH, TITLE_HEIGHT);
    for (const Puzzle& puzzle : PUZZLES) {
        DrawImage(game.backBuffer, game.images[puzzle.label], puzzle.labelX, puzzle.labelY, puzzle.labelWidth,
                  LABEL_HEIGHT);
    }
}

void DrawPuzzleFrame(Game& game, ImageId label, int32_t labelX, int32_t labelWidth) {
    DrawImage(game.backBuffer, game.images[label], labelX, PUZZLE_LABEL_Y, labelWidth, LABEL_HEIGHT);
    DrawImage(game.backBuffer, game.images[IMG_QUIT], QUIT_X, QUIT_Y, QUIT_WIDTH, QUIT_HEIGHT);
}

void HandleTap(Game& game, int32_t x, int32_t y) {
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
    PresentNow(game);
}

}  // namespace tessel
