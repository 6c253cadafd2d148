// The 58 prepared images every picture of the game is made of, addressed by resource id.
//
// Every image has the same shapes in each look, only its colours differ: each is compiled into the program
// once, as its shape, beside each look's colours (from resources/*.bmp, by resources/embed_images.py).
// Those of the look shown are laid out when the game's surfaces are created, or the look changes, into
// 32-bit pixels that the drawing operations copy directly.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/looks.h"

namespace tessel {

enum ImageId : int32_t {
    IMG_LABEL_NORMAL = 148,
    IMG_LABEL_UNMOVABLE = 150,
    IMG_LABEL_ALMOST_IMPOSSIBLE = 151,
    IMG_LABEL_FIFTEEN = 152,
    IMG_LABEL_LIGHTS_OUT = 153,
    IMG_QUIT = 154,
    IMG_BLANK = 155,
    IMG_LETTER_C = 158,
    IMG_LETTER_L = 159,
    IMG_LETTER_E = 160,
    IMG_LETTER_A = 161,
    IMG_LETTER_R = 162,
    IMG_LETTER_D = 163,
    IMG_LETTER_BANG = 164,
    IMG_ARROW_DOWN = 168,
    IMG_ARROW_LEFT = 170,
    IMG_ARROW_RIGHT = 171,
    IMG_ARROW_UP = 172,
    IMG_TILE_1 = 173,  // IMG_TILE_1 + (n - 1) for tile n, up to IMG_TILE_16 = 188
    IMG_TILE_16 = 188,
    IMG_GREY_TILE_1 = 190,  // up to IMG_GREY_TILE_16 = 205
    IMG_GREY_TILE_16 = 205,
    IMG_TITLE = 206,
    IMG_LIGHT_ON = 207,
    IMG_LIGHT_OFF = 208,
    IMG_LABEL_UNEVEN = 210,
    IMG_SPLASH_1 = 212,
    IMG_SPLASH_2 = 213,
    IMG_SPLASH_3 = 214,
    IMG_SPLASH_4 = 215,
};

inline constexpr int32_t FIRST_IMAGE_ID = 148;
inline constexpr int32_t LAST_IMAGE_ID = 215;
inline constexpr int32_t IMAGE_COUNT = 58;

// Green tile of number n (1 to 16), and its grey twin.
constexpr ImageId TileImage(int32_t n) {
    return static_cast<ImageId>(IMG_TILE_1 + (n - 1));
}
constexpr ImageId GreyTileImage(int32_t n) {
    return static_cast<ImageId>(IMG_GREY_TILE_1 + (n - 1));
}

// Pixels are 0xFFRRGGBB, row by row from the top.
struct Image {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;
};

// One slot per resource id from 148 to 215; the ten ids the game does not use stay empty.
struct ImageSet {
    std::array<Image, LAST_IMAGE_ID - FIRST_IMAGE_ID + 1> byId;

    const Image& operator[](ImageId id) const { return byId[id - FIRST_IMAGE_ID]; }
    Image& operator[](ImageId id) { return byId[id - FIRST_IMAGE_ID]; }
};

// No image has more than this many colours in a look.
inline constexpr std::size_t IMAGE_COLOURS = 4;

// A compiled-in image: which of its colours each pixel has, row by row from the top, and those colours in
// each look, in the order of Look.
struct EmbeddedImage {
    int32_t id;
    int32_t width;
    int32_t height;
    const uint8_t* shape;
    std::array<std::array<uint32_t, IMAGE_COLOURS>, LOOKS.size()> colours;
};
extern const std::array<EmbeddedImage, IMAGE_COUNT> EMBEDDED_IMAGES;

// Lays out every compiled-in image in the look's colours into its slot.
void LoadImages(ImageSet& images, Look look);

}  // namespace tessel
