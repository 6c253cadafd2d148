#pragma once

#include <QImage>
#include <string>

#include "picture.h"

namespace tessel::render {

// The icon files are the pixel art unsmoothed: a PNG enlarges it by a whole factor, an SVG draws its pixels.

// `art` enlarged by the largest whole factor that fits an area x area square, centred in a size x size
// picture on `ground`.
QImage EnlargedIcon(const Picture& art, int size, int area, QColor ground);

// An SVG of the picture, one path per colour of its pixels, drawn with crisp edges at any size.
std::string IconSvg(const Picture& art);

}  // namespace tessel::render
