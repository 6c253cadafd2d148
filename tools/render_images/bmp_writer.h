#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "picture.h"

namespace tessel::render {

// Uncompressed Windows bitmaps with a 40-byte BITMAPINFOHEADER, rows stored bottom-up and padded to 4 bytes.

// 24 bits per pixel, stored as blue, green, red.
std::vector<std::uint8_t> EncodeBmp24(const Picture& picture);

// 4 bits per pixel with a 16-entry palette. The palette holds the picture's own colours in ascending
// (r, g, b) order, padded with black. Throws std::invalid_argument for more than 16 colours.
std::vector<std::uint8_t> EncodeBmp4(const Picture& picture);

// An icon file with one 4-bit entry per picture (each at most 256 x 256 and 16 colours), fully opaque.
std::vector<std::uint8_t> EncodeIco4(const std::vector<Picture>& pictures);

// Writes the bytes to the file, replacing it; throws std::runtime_error on failure.
void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace tessel::render
