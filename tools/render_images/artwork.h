#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include "picture.h"

namespace tessel::render {

enum class Face { kBold, kCondensedBold };

// The DejaVu faces the pictures are drawn with, loaded straight from their files so that the result does not
// depend on which fonts the machine has configured. Throws std::runtime_error when a face is missing.
class Fonts {
  public:
    Fonts();

    // Unsmoothed, fully hinted fonts of the given pixel size.
    QFont bold(int pixel_size) const;
    // `stretch` narrows the condensed face further: 87 is its own width, 0 the same.
    QFont condensedBold(int pixel_size, int stretch = 0) const;
    QFont face(Face which, int pixel_size) const;

  private:
    QString sans_family_;
    QString condensed_family_;
};

// Text in `ink` on `paper`, centred in a width x height picture. The vertical position depends only on the
// font and on how far `span_sample` reaches above and below the baseline (by default ascenders and
// descenders), so texts of one font share their baseline whether or not they have descenders.
Picture TextPicture(const QFont& font, const QString& text, int width, int height, Rgb ink,
                    Rgb paper = kWhite, const QString& span_sample = QString());

// How a text is placed vertically: on the font's baseline (labels), or centred on its own ink (numbers).
enum class Placement { kBaseline, kInk };

// The largest pixel size in [smallest, largest] at which every text, placed as TextPicture() or
// NumberedTile() place it, leaves at least `margin` pixels free on each side of a width x height area.
// Throws std::runtime_error if even the smallest size does not fit.
int LargestFittingSize(const Fonts& fonts, Face face, Placement placement, const QStringList& texts,
                       int width, int height, int margin, int smallest, int largest);

// The narrowed condensed bold face whose caps fill a width x height cell of the solved banner but for a
// one-pixel border, for every one of `letters`.
QFont BannerFont(const Fonts& fonts, const QString& letters, int width, int height);

struct TileColours {
    Rgb face;
    Rgb rim_light;  // top row and left column
    Rgb rim_dark;   // bottom row and right column
    Rgb number;
};

inline constexpr TileColours kGreenTile{{239, 255, 223}, {248, 255, 240}, {192, 192, 192}, {184, 171, 241}};
inline constexpr TileColours kGreyTile{{192, 192, 192}, {233, 233, 233}, {115, 115, 115}, {128, 128, 128}};

// A square tile with a one-pixel rim around `face`. The dark bottom row and right column run the full length,
// so the top-right and bottom-left corner pixels are dark.
Picture Tile(int size, const TileColours& colours);

// A numbered tile: the rim of Tile() and the number centred on the face in a condensed bold face.
Picture NumberedTile(const QFont& font, int size, int number, const TileColours& colours);

enum class Direction { kUp, kDown, kLeft, kRight };

// A 24 x 24 arrow: `body` inside, a one-pixel `shade` outline and a shade on its lower-right side, on
// `ground`.
Picture Arrow(Direction direction, Rgb body, Rgb shade, Rgb ground = kWhite);

// The eight-square splash emblem on a 25 x 37 `ground`.
Picture SplashEmblem(Rgb colour, Rgb ground = kWhite);

// The program icon: a 2 x 2 block of green tiles numbered 1 to 4. Up to 16 pixels the digits are drawn from
// a 3 x 5 pixel font; larger sizes use the condensed bold face.
Picture Icon(const Fonts& fonts, int size);

}  // namespace tessel::render
