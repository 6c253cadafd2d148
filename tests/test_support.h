// The pictures the tests' games show (tests/fake_platform.cpp) and helpers to play a game and look at it.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/crt_random.h"
#include "game/kept_game.h"
#include "game/session.h"
#include "game/tap_cycle.h"
#include "puzzles/puzzle_table.h"

namespace tessel::testing {

struct FakePlatform {
    std::vector<BackBuffer> presented;  // every picture shown, in order, while keepPictures is set
    bool keepPictures = true;
};

// Where the tests' games show their pictures.
FakePlatform& Platform();
// The presenter of the games the tests show: keeps every picture in Platform().presented.
void KeepPicture(const Game& game, void*);

// A game as the front ends start it, in `look`, on a fresh platform, the splash over.
inline std::unique_ptr<Game> NewGame(Look look = Look::CLASSIC) {
    Platform() = {};
    auto game = std::make_unique<Game>();
    game->look = look;
    game->presenter = {KeepPicture, nullptr};
    PrepareSurfaces(*game);
    game->splashPending = 0;
    return game;
}
// A session as the front ends hold it, on such a game.
inline std::unique_ptr<Session> NewSession() {
    auto session = std::make_unique<Session>();
    session->game = *NewGame();
    return session;
}

// Keeps the game and reads it into a fresh start, which plays on in its place; "" or what went wrong.
inline std::string KeepAndReadBack(std::unique_ptr<Session>& session, Game*& game) {
    auto read = NewSession();
    read->game.now = session->game.now;  // started at the same moment
    if (!ReadKeptGame(KeepGame(*session), *read)) return "refused";
    DrawScreen(read->game);
    if (read->game.backBuffer.pixels != game->backBuffer.pixels) return "drawn otherwise";
    if (read->game.random.state != game->random.state) return "another generator state";
    session = std::move(read), game = &session->game;
    return "";
}

// A stylus tap at (x, y), as a front end delivers it.
inline void Tap(Game& game, int32_t x, int32_t y) {
    game.tapX = static_cast<uint16_t>(x);
    game.tapY = static_cast<uint16_t>(y);
    HandleTap(game, x, y);
}

// A tap through the session at `ticks`, and the words it gives a screen reader.
inline std::string TapAt(Session& session, uint32_t ticks, int32_t x, int32_t y) {
    session.game.now = ticks;
    tessel::Tap(session, x, y);
    return TakePlayedWords(session);
}

// Chooses the puzzle with this label from the menu at `ticks`; forgets the pictures shown before.
inline void ChoosePuzzle(Game& game, const PuzzleLabel& label, uint32_t ticks = 0) {
    game.screen = SCREEN_MENU;
    game.now = ticks;
    Tap(game, label.x, label.y);
    Platform().presented.clear();
}

// Back to the menu and the puzzle's label tapped at `ticks`, as a player starts a game.
inline void Choose(Session& session, const PuzzleLabel& label, uint32_t ticks) {
    if (session.game.screen != SCREEN_MENU) tessel::Tap(session, 119, 237);
    session.game.now = ticks;
    tessel::Tap(session, label.x, label.y);
}

// The cells of a board four columns wide, row 1 first ("Uneven" has five rows; a 0 is an empty cell).
template <std::size_t N>
using Board = std::array<std::array<int32_t, 4>, N>;
using Rows = Board<4>;
inline constexpr Rows GOAL_ROWS{{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}}};
// Row 1 shifted right once: a tap left of it solves "Normal".
inline constexpr Rows ROW_1_SHIFTED_RIGHT{{{4, 1, 2, 3}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}}};
// Row 1's middle, and points right and left of it on "Normal".
inline constexpr int32_t ROW_1_Y = 97, RIGHT_X = 200, LEFT_X = 30;

template <std::size_t N = 4>
Board<N> BoardRows(const TileGrid& grid) {
    Board<N> rows{};
    for (std::size_t i = 0; i < 4 * N; ++i) rows[i / 4][i % 4] = grid.Tile(i % 4 + 1, i / 4 + 1);
    return rows;
}

// Puts `rows` on the board of the puzzle shown and draws it anew (on four rows the last 0 is the empty cell).
template <std::size_t N>
void PutRows(Game& game, const Board<N>& rows) {
    for (std::size_t i = 0; i < 4 * N; ++i) {
        game.tileGrid.Tile(i % 4 + 1, i / 4 + 1) = rows[i / 4][i % 4];
        if (N == 4 && rows[i / 4][i % 4] == 0) game.blankCol = i % 4 + 1, game.blankRow = i / 4 + 1;
    }
    ClearBackBuffer(game.backBuffer, WHITE);
    FindPuzzle(game.screen)->draw(game);
}

// Chooses a puzzle and puts `rows` on its board.
template <std::size_t N>
void StartWith(Game& game, const PuzzleLabel& label, const Board<N>& rows, uint32_t ticks = 0) {
    ChoosePuzzle(game, label, ticks);
    PutRows(game, rows);
}

// The images by their resource ids, written out apart from the game's own names for them.
namespace id {
inline constexpr ImageId LABEL_NORMAL{148}, LABEL_UNMOVABLE{150}, LABEL_ALMOST_IMPOSSIBLE{151},
    LABEL_FIFTEEN{152}, LABEL_LIGHTS_OUT{153}, QUIT{154}, BLANK{155}, ARROW_DOWN{168}, ARROW_LEFT{170},
    ARROW_RIGHT{171}, ARROW_UP{172}, TITLE{206}, LIGHT_ON{207}, LIGHT_OFF{208}, LABEL_UNEVEN{210};
// "CLEARED!!": C L E A R E D ! !
inline constexpr ImageId CLEARED[] = {ImageId{158}, ImageId{159}, ImageId{160}, ImageId{161}, ImageId{162},
                                      ImageId{160}, ImageId{163}, ImageId{164}, ImageId{164}};
// Tile n (1 to 16), green (173 to 188) and grey (190 to 205).
constexpr ImageId Tile(int32_t n, bool grey = false) {
    return static_cast<ImageId>((grey ? 189 : 172) + n);
}
}  // namespace id

// WCAG's relative luminance of an 0xAARRGGBB colour, and the contrast ratio of two.
inline double Luminance(uint32_t pixel) {
    const auto linear = [](uint32_t channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(pixel >> 16 & 0xFF) + 0.7152 * linear(pixel >> 8 & 0xFF) +
           0.0722 * linear(pixel & 0xFF);
}
inline double ContrastRatio(uint32_t a, uint32_t b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Each screen's label at (x, menuY) on the menu and y 10 on its screen, its grid's corner, label width.
struct ScreenLayout {
    int32_t screen;
    ImageId label;
    int32_t x, menuY;
    Point origin;
    int32_t width;
};
inline constexpr ScreenLayout LAYOUTS[] = {
    {SCREEN_NORMAL, id::LABEL_NORMAL, 86, 65, {47, 61}, 66},
    {SCREEN_UNEVEN, id::LABEL_UNEVEN, 83, 90, {47, 49}, 72},
    {SCREEN_UNMOVABLE, id::LABEL_UNMOVABLE, 67, 115, {47, 61}, 104},
    {SCREEN_ALMOST_IMPOSSIBLE, id::LABEL_ALMOST_IMPOSSIBLE, 24, 140, {47, 61}, 190},
    {SCREEN_FIFTEEN, id::LABEL_FIFTEEN, 69, 189, {47, 61}, 100},
    {SCREEN_LIGHTS_OUT, id::LABEL_LIGHTS_OUT, 61, 214, {35, 49}, 116},
};

// An expected picture: images laid over white pixel by pixel without the game's drawing code.
class Picture {
  public:
    // The menu (the title and the six labels), or a puzzle screen: its label on top, Quit under the board.
    explicit Picture(const Game& game, int32_t screen = SCREEN_MENU) : images_(game.images) {
        pixels_->pixels.fill(WHITE);
        const bool menu = screen == SCREEN_MENU;
        for (const ScreenLayout& layout : LAYOUTS) {
            if (menu) Put(layout.label, layout.x, layout.menuY);
            if (layout.screen == screen) origin_ = layout.origin, Put(layout.label, layout.x, 10);
        }
        menu ? Put(id::TITLE, 65, 15) : Put(id::QUIT, 98, 227);
    }

    // The top-left w x h of the image (all of it when larger) with its corner at (x, y).
    Picture& Put(ImageId id, int32_t x, int32_t y, int32_t w = 1000, int32_t h = 1000) {
        const Image& image = images_[id];
        for (int32_t dy = 0; dy < std::min(h, image.height); ++dy) {
            for (int32_t dx = 0; dx < std::min(w, image.width); ++dx)
                pixels_->pixels[(y + dy) * SURFACE_WIDTH + x + dx] = image.pixels[dy * image.width + dx];
        }
        return *this;
    }
    // The image at cell (col, row), moved by (dx, dy) pixels.
    Picture& Cell(ImageId id, int32_t col, int32_t row, int32_t dx = 0, int32_t dy = 0, int32_t h = 24) {
        return Put(id, origin_.x + 24 * col + dx, origin_.y + 24 * row + dy, 24, h);
    }
    // "CLEARED!!" over the picture.
    Picture& Banner() {
        int32_t x = 40;  // 20 pixels apart; the last "!" only 10 after the first
        for (const ImageId letter : id::CLEARED) Put(letter, x, 38), x += x < 180 ? 20 : 10;
        return *this;
    }

    // How many pixels of `shown` differ from the picture, and where the first is; "" when none does.
    std::string Differences(const BackBuffer& shown) const {
        int32_t count = 0, first = 0;
        for (int32_t i = SURFACE_WIDTH * SURFACE_HEIGHT - 1; i >= 0; --i)
            if (shown.pixels[i] != pixels_->pixels[i]) ++count, first = i;
        return count == 0
                   ? ""
                   : std::to_string(count) + " pixels differ, the first at " +
                         std::to_string(first % SURFACE_WIDTH) + "," + std::to_string(first / SURFACE_WIDTH);
    }

  private:
    const ImageSet& images_;
    std::unique_ptr<BackBuffer> pixels_ = std::make_unique<BackBuffer>();
    Point origin_{47, 61};
};

// A numbered puzzle at rest: the tiles (the one at `fixed` grey) and an arrow at both ends of every line
// that can move.
template <std::size_t N>
Picture AtRest(const Game& game, int32_t screen, const Board<N>& board, Point fixed = {0, 0}) {
    Picture picture(game, screen);
    for (int32_t i = 0; i < 4 * static_cast<int32_t>(N); ++i) {
        const int32_t col = i % 4 + 1, row = i / 4 + 1, n = board[row - 1][col - 1];
        if (n != 0) picture.Cell(id::Tile(n, col == fixed.x && row == fixed.y), col, row);
    }
    if (screen == SCREEN_ALMOST_IMPOSSIBLE || screen == SCREEN_FIFTEEN) return picture;
    const bool uneven = screen == SCREEN_UNEVEN;
    for (int32_t k = 1; k <= 4; ++k) {
        if (k != fixed.x && (!uneven || board[0][k - 1] == 0)) picture.Cell(id::ARROW_UP, k, 0);
        if (k != fixed.x && (!uneven || board[N - 1][k - 1] == 0)) picture.Cell(id::ARROW_DOWN, k, N + 1);
        if (k != fixed.y && (!uneven || k > 1))
            picture.Cell(id::ARROW_LEFT, 0, k).Cell(id::ARROW_RIGHT, 5, k);
    }
    return picture;
}

}  // namespace tessel::testing
