// The 58 prepared images every picture of the game is made of, addressed by resource id.
//
// The images of every look are compiled into the program as BMP files; those of the look shown are decoded
// when the game's surfaces are created, or the look changes, into 32-bit pixels that the drawing operations
// copy directly.
#pragma once

#include <array>
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

// The compiled-in BMP file of an image, as its bytes.
struct EmbeddedImage {
    int32_t id;
    const unsigned char* data;
    std::size_t size;
};
using EmbeddedImageSet = std::array<EmbeddedImage, IMAGE_COUNT>;
// One set per look, in the order of Look.
extern const std::array<EmbeddedImageSet, LOOKS.size()> EMBEDDED_IMAGES;

// Decodes one BMP file. An image that cannot be decoded stays empty and is then simply not drawn.
Image DecodeImage(const unsigned char* data, std::size_t size);

// Decodes every compiled-in image of the look into its slot.
void LoadImages(ImageSet& images, Look look);

}  // namespace tessel
