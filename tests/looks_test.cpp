// The looks: each is the classic images on the very same pixels in other colours, and in the high-contrast
// and dark looks whatever a player must tell apart stands out. Ratios are WCAG's, from relative luminance,
// computed here from the decoded images and pictures themselves.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/images.h"
#include "core/looks.h"
#include "game/keys.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

double Luminance(uint32_t pixel) {
    const auto linear = [](uint32_t channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(pixel >> 16 & 0xFF) + 0.7152 * linear(pixel >> 8 & 0xFF) +
           0.0722 * linear(pixel & 0xFF);
}

double Ratio(uint32_t a, uint32_t b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::unique_ptr<ImageSet> ImagesOf(Look look) {
    auto images = std::make_unique<ImageSet>();
    LoadImages(*images, look);
    return images;
}

constexpr uint32_t CLASSIC_WHITE = 0xFFFFFFFFu;

// The classic colours that tell each part of an image apart, and so find that part in every look.
constexpr uint32_t TILE_DIGIT = 0xFFB8ABF1u, TILE_RIM_LIGHT = 0xFFF8FFF0u, TILE_RIM_DARK = 0xFFC0C0C0u;
constexpr uint32_t GREY_DIGIT = 0xFF808080u, GREY_RIM_LIGHT = 0xFFE9E9E9u, GREY_RIM_DARK = 0xFF737373u;
constexpr uint32_t ARROW_BODY = 0xFFE8E8E8u, ARROW_SHADE = 0xFFC0C0C0u;

// The least ratio, in one look, between the pixels of `image` whose classic colour is `part` and `against`.
double LeastRatio(const Image& classic, const Image& look, uint32_t part, uint32_t against) {
    double least = 1e9;
    for (std::size_t i = 0; i < classic.pixels.size(); ++i) {
        if (classic.pixels[i] == part) least = std::min(least, Ratio(look.pixels[i], against));
    }
    return least;
}

// Every text image: its letters (anything but the classic white paper) against its paper.
double LeastInkRatio(const Image& classic, const Image& look) {
    double least = 1e9;
    const uint32_t paper = look.pixels[0];
    for (std::size_t i = 0; i < classic.pixels.size(); ++i) {
        if (classic.pixels[i] != CLASSIC_WHITE) least = std::min(least, Ratio(look.pixels[i], paper));
    }
    return least;
}

// What must be told apart, with the least ratio each look achieves and what high contrast and dark must
// reach: 7:1 for text and outlines, 3:1 for the rest.
struct Pair {
    std::string what;
    double needed;
    std::function<double(const ImageSet& classic, const ImageSet& look)> ratio;
};

std::vector<Pair> PairsToTellApart() {
    std::vector<Pair> pairs;
    const auto text = [&](const char* what, std::vector<int32_t> ids) {
        pairs.push_back({what, 7.0, [ids](const ImageSet& classic, const ImageSet& look) {
                             double least = 1e9;
                             for (const int32_t id : ids)
                                 least =
                                     std::min(least, LeastInkRatio(classic[ImageId(id)], look[ImageId(id)]));
                             return least;
                         }});
    };
    text("puzzle names on the ground", {148, 150, 151, 152, 153, 210});
    text("Quit on the ground", {IMG_QUIT});
    text("title on the ground", {IMG_TITLE});
    text("banner letters on theirs", {158, 159, 160, 161, 162, 163, 164});
    // Parts of the tiles and arrows, over all sixteen numbers or four directions.
    const auto parts = [&](const char* what, double needed, int32_t first, int32_t last, uint32_t part,
                           std::function<uint32_t(const ImageSet&, ImageId)> against) {
        pairs.push_back({what, needed, [=](const ImageSet& classic, const ImageSet& look) {
                             double least = 1e9;
                             for (int32_t id = first; id <= last; ++id) {
                                 if (classic[ImageId(id)].width == 0) continue;  // 169, which is no image
                                 least = std::min(least, LeastRatio(classic[ImageId(id)], look[ImageId(id)],
                                                                    part, against(look, ImageId(id))));
                             }
                             return least;
                         }});
    };
    const auto ground = [](const ImageSet& look, ImageId) { return look[IMG_BLANK].pixels[0]; };
    // The face, inside the rim and left of the digit.
    const auto face = [](const ImageSet& look, ImageId id) { return look[id].pixels[12 * 24 + 1]; };
    parts("digits on the green tiles", 7.0, IMG_TILE_1, IMG_TILE_16, TILE_DIGIT, face);
    parts("digits on the grey tile", 7.0, IMG_GREY_TILE_1, IMG_GREY_TILE_16, GREY_DIGIT, face);
    parts("green tiles' rim above and left, on the ground", 7.0, IMG_TILE_1, IMG_TILE_16, TILE_RIM_LIGHT,
          ground);
    parts("green tiles' rim below and right, on the ground", 7.0, IMG_TILE_1, IMG_TILE_16, TILE_RIM_DARK,
          ground);
    parts("grey tile's rim above and left, on the ground", 7.0, IMG_GREY_TILE_1, IMG_GREY_TILE_16,
          GREY_RIM_LIGHT, ground);
    parts("grey tile's rim below and right, on the ground", 7.0, IMG_GREY_TILE_1, IMG_GREY_TILE_16,
          GREY_RIM_DARK, ground);
    parts("arrows' outline on the ground", 7.0, IMG_ARROW_DOWN, IMG_ARROW_UP, ARROW_SHADE, ground);
    parts("arrows' body on the ground", 3.0, IMG_ARROW_DOWN, IMG_ARROW_UP, ARROW_BODY, ground);
    const auto middle = [](const ImageSet& images, ImageId id) { return images[id].pixels[12 * 24 + 12]; };
    pairs.push_back(
        {"grey tile's face against the green tiles'", 3.0, [=](const ImageSet&, const ImageSet& look) {
             return Ratio(look[IMG_GREY_TILE_1].pixels[12 * 24 + 1], look[IMG_TILE_1].pixels[12 * 24 + 1]);
         }});
    pairs.push_back({"a lit light against an unlit one", 3.0, [=](const ImageSet&, const ImageSet& look) {
                         return Ratio(middle(look, IMG_LIGHT_ON), middle(look, IMG_LIGHT_OFF));
                     }});
    pairs.push_back(
        {"splash emblem at its fullest, on its ground", 3.0, [](const ImageSet&, const ImageSet& look) {
             const Image& emblem = look[IMG_SPLASH_3];
             return Ratio(emblem.pixels[26 * 25 + 2], emblem.pixels[0]);  // a square, the ground
         }});
    return pairs;
}

TEST(Looks, SameImagesOnTheSamePixelsInOtherColours) {
    const auto classic = ImagesOf(Look::CLASSIC);
    for (const Look look : {Look::HIGH_CONTRAST, Look::DARK}) {
        const auto images = ImagesOf(look);
        for (const EmbeddedImage& embedded : EMBEDDED_IMAGES) {
            const ImageId id{embedded.id};
            const Image& was = (*classic)[id];
            const Image& is = (*images)[id];
            ASSERT_GT(was.width, 0);
            ASSERT_EQ(std::pair(is.width, is.height), std::pair(was.width, was.height)) << "image " << id;
            // Where two pixels share a classic colour they share the look's: every glyph, arrow and rim
            // lies on the same pixels.
            std::map<uint32_t, uint32_t> colourFor;
            for (std::size_t i = 0; i < was.pixels.size(); ++i) {
                const auto [at, added] = colourFor.emplace(was.pixels[i], is.pixels[i]);
                ASSERT_EQ(at->second, is.pixels[i])
                    << "image " << id << " pixel " << i << " in " << LookName(look);
            }
        }
        // The ground the game clears to is the images' own, so the blank cell and the splash's window
        // are one with the margins.
        EXPECT_EQ((*images)[IMG_BLANK].pixels[0], ColoursOf(look).ground);
        EXPECT_EQ((*images)[IMG_SPLASH_4].pixels[0], ColoursOf(look).ground);
    }
}

TEST(Looks, WhatMustBeToldApartStandsOutInHighContrastAndDark) {
    const auto classic = ImagesOf(Look::CLASSIC);
    const auto highContrast = ImagesOf(Look::HIGH_CONTRAST);
    const auto dark = ImagesOf(Look::DARK);
    std::printf("%-50s %8s %14s %8s\n", "least ratio of", "classic", "high contrast", "dark");
    for (const Pair& pair : PairsToTellApart()) {
        const double ratios[] = {pair.ratio(*classic, *classic), pair.ratio(*classic, *highContrast),
                                 pair.ratio(*classic, *dark)};
        std::printf("%-50s %7.2f:1 %12.2f:1 %6.2f:1\n", pair.what.c_str(), ratios[0], ratios[1], ratios[2]);
        EXPECT_GE(ratios[1], pair.needed) << pair.what << " in high contrast";
        EXPECT_GE(ratios[2], pair.needed) << pair.what << " in dark";
    }
    // A lit light is told by its lightness, not by its hue alone: it is the lighter one.
    for (const ImageSet* look : {highContrast.get(), dark.get()})
        EXPECT_GT(Luminance((*look)[IMG_LIGHT_ON].pixels[12 * 24 + 12]),
                  Luminance((*look)[IMG_LIGHT_OFF].pixels[12 * 24 + 12]));
}

// Every place a frame can stand: the menu's names, each cell of every board with the ring of arrows
// round it, and "Almost Impossible"'s blocks. Its band must stand 3:1 against every pixel just outside it,
// and the line inside against the band, in every look.
TEST(Looks, CursorAndHintFramesStandOutEverywhere) {
    for (const Look look : LOOKS) {
        double leastOutside = 1e9, leastLine = 1e9;
        for (const Puzzle* puzzle :
             std::vector<const Puzzle*>{nullptr, Puzzles()[0], Puzzles()[1], Puzzles()[2], Puzzles()[3],
                                        Puzzles()[4], Puzzles()[5]}) {
            const auto game = testing::NewGame();
            ChangeLook(*game, look);
            std::vector<Outline> frames;
            if (puzzle == nullptr) {
                for (const Puzzle* named : Puzzles())
                    frames.push_back(
                        {named->label.x, named->label.y, named->label.width, LABEL_HEIGHT, false});
            } else {
                testing::ChoosePuzzle(*game, puzzle->label, 1234);
                const bool lights = game->screen == SCREEN_LIGHTS_OUT;
                const int32_t size = lights ? LightGrid::SIZE : TileGrid::SIZE;
                for (int32_t col = 0; col < size; ++col) {
                    for (int32_t row = 0; row < size; ++row) {
                        const int32_t left =
                            lights ? game->lightGrid.Left(col, row) : game->tileGrid.Left(col, row);
                        const int32_t top =
                            lights ? game->lightGrid.Top(col, row) : game->tileGrid.Top(col, row);
                        frames.push_back({left, top, CELL_SIZE, CELL_SIZE, false});
                        frames.push_back({left, top, 2 * CELL_SIZE, 2 * CELL_SIZE, true});
                    }
                }
            }
            for (const Outline& frame : frames) {
                game->outlines[1] = frame;
                BackBuffer scratch;
                const BackBuffer& shown = PictureShown(*game, scratch);
                const uint32_t band = shown.At(frame.left, frame.top);
                const int32_t line = frame.heavy ? 3 : 2;
                leastLine = std::min(leastLine, Ratio(band, shown.At(frame.left + line, frame.top + line)));
                for (int32_t x = frame.left - 1; x <= frame.left + frame.width; ++x) {
                    for (int32_t y = frame.top - 1; y <= frame.top + frame.height; ++y) {
                        const bool outside = x == frame.left - 1 || x == frame.left + frame.width ||
                                             y == frame.top - 1 || y == frame.top + frame.height;
                        if (!outside || x < 0 || y < 0 || x >= SURFACE_WIDTH || y >= SURFACE_HEIGHT) continue;
                        const double ratio = Ratio(band, shown.At(x, y));
                        leastOutside = std::min(leastOutside, ratio);
                        ASSERT_GE(ratio, 3.0)
                            << LookName(look) << " screen " << game->screen << " frame at " << frame.left
                            << "," << frame.top << " beside " << x << "," << y;
                    }
                }
            }
        }
        std::printf(
            "%s: the frame's band against what lies outside it at least %.2f:1, the line inside "
            "against the band %.2f:1\n",
            std::string(LookName(look)).c_str(), leastOutside, leastLine);
        EXPECT_GE(leastLine, 3.0) << LookName(look);
    }
}

// A look changes the colours only: a game switched to dark in the middle shows what a game played in dark
// from its start shows, it plays on with the same board, and the classic look comes back pixel for pixel.
TEST(Looks, ChangingTheLookRedrawsTheSameGame) {
    auto darkFromStart = std::make_unique<Game>();
    darkFromStart->look = Look::DARK;
    PrepareSurfaces(*darkFromStart);
    darkFromStart->splashPending = 0;
    testing::ChoosePuzzle(*darkFromStart, Puzzles()[0]->label, 77);
    testing::Tap(*darkFromStart, 107, 40);

    auto session = testing::NewSession();
    Game& game = session->game;
    testing::ChoosePuzzle(game, Puzzles()[0]->label, 77);
    Tap(*session, 107, 40);
    const BackBuffer classic = game.backBuffer;
    const TileGrid board = game.tileGrid;
    ChangeLook(game, Look::DARK);
    EXPECT_EQ(game.backBuffer.pixels, darkFromStart->backBuffer.pixels);
    EXPECT_NE(game.backBuffer.pixels, classic.pixels);
    Tap(*session, 107, 40);
    Undo(*session);
    EXPECT_EQ(game.tileGrid.tile, board.tile);
    ChangeLook(game, Look::CLASSIC);
    EXPECT_EQ(game.backBuffer.pixels, classic.pixels);
}

}  // namespace
}  // namespace tessel
