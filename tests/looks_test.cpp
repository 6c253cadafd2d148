// The looks: the classic images on the same pixels in other colours, what must be told apart standing out
// (WCAG contrast ratios from the decoded pixels, printed for docs/looks.md).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <numeric>
#include <string>
#include <vector>

#include "core/images.h"
#include "core/looks.h"
#include "game/keys.h"
#include "game/statistics_page.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using testing::ContrastRatio, testing::Luminance;

std::unique_ptr<ImageSet> ImagesOf(Look look) {
    auto images = std::make_unique<ImageSet>();
    LoadImages(*images, look);
    return images;
}

std::vector<int32_t> Ids(int32_t first, int32_t last) {
    std::vector<int32_t> ids(static_cast<std::size_t>(last - first + 1));
    std::iota(ids.begin(), ids.end(), first);
    return ids;
}

constexpr uint32_t CLASSIC_WHITE = 0xFFFFFFFFu;
// A tile's face, inside the rim left of the digit, and an image's middle.
constexpr int32_t FACE = 12 * 24 + 1, MIDDLE = 12 * 24 + 12;

// The least ratio, in one look, of the images' pixels of classic colour `part` (0: all but white paper).
enum class Against { PAPER, FACE, GROUND };
auto Part(std::vector<int32_t> ids, uint32_t part, Against against) {
    return [=](const ImageSet& classic, const ImageSet& look) {
        double least = 1e9;
        for (const int32_t n : ids) {
            const ImageId id{n};
            if (classic[id].width == 0) continue;  // 169, which is no image
            const uint32_t other = against == Against::GROUND ? look[IMG_BLANK].pixels[0]
                                   : against == Against::FACE ? look[id].pixels[FACE]
                                                              : look[id].pixels[0];
            for (std::size_t i = 0; i < classic[id].pixels.size(); ++i) {
                const uint32_t was = classic[id].pixels[i];
                if (part == 0 ? was != CLASSIC_WHITE : was == part)
                    least = std::min(least, ContrastRatio(look[id].pixels[i], other));
            }
        }
        return least;
    };
}
// Pixel i of image a against pixel j of image b.
auto Pixels(ImageId a, int32_t i, ImageId b, int32_t j) {
    return [=](const ImageSet&, const ImageSet& look) {
        return ContrastRatio(look[a].pixels[i], look[b].pixels[j]);
    };
}

// What must be told apart, and the ratio high contrast and dark must reach.
struct Pair {
    std::string what;
    double needed;
    std::function<double(const ImageSet& classic, const ImageSet& look)> ratio;
};
std::vector<Pair> PairsToTellApart() {
    const auto tiles = Ids(IMG_TILE_1, IMG_TILE_16), grey = Ids(IMG_GREY_TILE_1, IMG_GREY_TILE_16),
               arrows = Ids(IMG_ARROW_DOWN, IMG_ARROW_UP);
    return {
        {"puzzle names on the ground", 7.0, Part({148, 150, 151, 152, 153, 210}, 0, Against::PAPER)},
        {"Quit on the ground", 7.0, Part({IMG_QUIT}, 0, Against::PAPER)},
        {"title on the ground", 7.0, Part({IMG_TITLE}, 0, Against::PAPER)},
        {"banner letters on theirs", 7.0, Part(Ids(158, 164), 0, Against::PAPER)},
        {"digits on the green tiles", 7.0, Part(tiles, 0xFFB8ABF1u, Against::FACE)},
        {"digits on the grey tile", 7.0, Part(grey, 0xFF808080u, Against::FACE)},
        {"green tiles' rim above and left, on the ground", 7.0, Part(tiles, 0xFFF8FFF0u, Against::GROUND)},
        {"green tiles' rim below and right, on the ground", 7.0, Part(tiles, 0xFFC0C0C0u, Against::GROUND)},
        {"grey tile's rim above and left, on the ground", 7.0, Part(grey, 0xFFE9E9E9u, Against::GROUND)},
        {"grey tile's rim below and right, on the ground", 7.0, Part(grey, 0xFF737373u, Against::GROUND)},
        {"arrows' outline on the ground", 7.0, Part(arrows, 0xFFC0C0C0u, Against::GROUND)},
        {"arrows' body on the ground", 3.0, Part(arrows, 0xFFE8E8E8u, Against::GROUND)},
        {"grey tile's face against the green tiles'", 3.0, Pixels(IMG_GREY_TILE_1, FACE, IMG_TILE_1, FACE)},
        {"a lit light against an unlit one", 3.0, Pixels(IMG_LIGHT_ON, MIDDLE, IMG_LIGHT_OFF, MIDDLE)},
        // A square of the emblem against its ground.
        {"splash emblem at its fullest, on its ground", 3.0,
         Pixels(IMG_SPLASH_3, 26 * 25 + 2, IMG_SPLASH_3, 0)},
    };
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
            // Pixels of one classic colour share the look's.
            std::map<uint32_t, uint32_t> colourFor;
            for (std::size_t i = 0; i < was.pixels.size(); ++i) {
                const auto [at, added] = colourFor.emplace(was.pixels[i], is.pixels[i]);
                ASSERT_EQ(at->second, is.pixels[i])
                    << "image " << id << " pixel " << i << " in " << LookName(look);
            }
        }
        // The ground the game clears to is the images' own.
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
    // The statistics chart's text and averages' lines at 7:1 against its ground, its points and grid 4.5:1.
    for (const Look look : {Look::HIGH_CONTRAST, Look::DARK}) {
        const ChartColours& chart = ChartColoursOf(look);
        for (const uint32_t colour : {chart.text, chart.ao5, chart.ao12, chart.single, chart.grid}) {
            const double needed = colour == chart.single || colour == chart.grid ? 4.5 : 7;
            EXPECT_GE(ContrastRatio(colour, chart.ground), needed) << std::hex << colour;
        }
    }
    // A lit light is told by its lightness, not by its hue alone: it is the lighter one.
    for (const ImageSet* look : {highContrast.get(), dark.get()})
        EXPECT_GT(Luminance((*look)[IMG_LIGHT_ON].pixels[MIDDLE]),
                  Luminance((*look)[IMG_LIGHT_OFF].pixels[MIDDLE]));
}

// A frame anywhere (names, cells, blocks) stands 3:1 against what lies just outside, its line inside
// against its band, in every look.
TEST(Looks, CursorAndHintFramesStandOutEverywhere) {
    for (const Look look : LOOKS) {
        double leastOutside = 1e9, leastLine = 1e9;
        for (std::size_t p = 0; p <= Puzzles().size(); ++p) {  // the menu, then each puzzle
            const auto game = testing::NewGame(look);
            std::vector<Outline> frames;
            if (p == 0) {
                for (const Puzzle* named : Puzzles())
                    frames.push_back(
                        {named->label.x, named->label.y, named->label.width, LABEL_HEIGHT, false});
            } else {
                testing::ChoosePuzzle(*game, Puzzles()[p - 1]->label, 1234);
                const auto cellsOf = [&](const auto& grid) {  // every cell, the ring's too, and every block
                    for (std::size_t i = 0; i < grid.cellLeft.size(); ++i) {
                        frames.push_back({grid.cellLeft[i], grid.cellTop[i], CELL_SIZE, CELL_SIZE, false});
                        frames.push_back(
                            {grid.cellLeft[i], grid.cellTop[i], 2 * CELL_SIZE, 2 * CELL_SIZE, true});
                    }
                };
                game->screen == SCREEN_LIGHTS_OUT ? cellsOf(game->lightGrid) : cellsOf(game->tileGrid);
            }
            for (const Outline& frame : frames) {
                game->outlines[1] = frame;
                BackBuffer scratch;
                const BackBuffer& shown = PictureShown(*game, scratch);
                const uint32_t band = shown.At(frame.left, frame.top);
                const int32_t line = frame.heavy ? 3 : 2;
                leastLine =
                    std::min(leastLine, ContrastRatio(band, shown.At(frame.left + line, frame.top + line)));
                for (int32_t x = frame.left - 1; x <= frame.left + frame.width; ++x) {
                    for (int32_t y = frame.top - 1; y <= frame.top + frame.height; ++y) {
                        const bool outside = x == frame.left - 1 || x == frame.left + frame.width ||
                                             y == frame.top - 1 || y == frame.top + frame.height;
                        if (!outside || x < 0 || y < 0 || x >= SURFACE_WIDTH || y >= SURFACE_HEIGHT) continue;
                        const double ratio = ContrastRatio(band, shown.At(x, y));
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

// A look changes the colours only: switched to dark midway shows dark from the start; classic comes back.
TEST(Looks, ChangingTheLookRedrawsTheSameGame) {
    const auto darkFromStart = testing::NewGame(Look::DARK);
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
