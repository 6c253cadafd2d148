#include "artwork.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

namespace tessel::render {
namespace {

constexpr const char* kFontDir = "/usr/share/fonts/truetype/dejavu/";

QString LoadFamily(const QString& file, const QString& wanted_family) {
    const int id = QFontDatabase::addApplicationFont(QString::fromUtf8(kFontDir) + file);
    if (id < 0) throw std::runtime_error("cannot load font " + file.toStdString());
    if (!QFontDatabase::applicationFontFamilies(id).contains(wanted_family)) {
        throw std::runtime_error(file.toStdString() + " does not provide " + wanted_family.toStdString());
    }
    return wanted_family;
}

// `stretch` is relative to the face's own width (DejaVu Sans Condensed is 87); 0 keeps the face as it is.
QFont MakeFont(const QString& family, int pixel_size, int stretch = 0) {
    QFont font(family);
    font.setPixelSize(pixel_size);
    font.setBold(true);
    font.setStretch(stretch);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(static_cast<QFont::StyleStrategy>(QFont::NoAntialias | QFont::NoFontMerging));
    return font;
}

// Refuses to draw with a substitute face: the pictures must come out the same on every machine.
void CheckFace(const QFont& font, const QString& family, const QString& style) {
    const QRawFont raw = QRawFont::fromFont(font);
    if (raw.familyName() != family || raw.styleName() != style) {
        throw std::runtime_error("font resolved to " + raw.familyName().toStdString() + " " +
                                 raw.styleName().toStdString());
    }
}

// Text drawn in black on a white canvas with room to spare, and where its ink landed.
struct Ink {
    QImage canvas;
    QRect box;     // bounding box of the ink; empty when there is none
    int baseline;  // canvas row of the baseline

    // Coverage 0 (paper) to 255 (ink).
    int coverage(int x, int y) const { return 255 - qGray(canvas.pixel(x, y)); }
};

Ink RenderInk(const QFont& font, const QString& text) {
    const QFontMetrics metrics(font);
    const int pad = metrics.height();
    Ink ink{
        QImage(metrics.horizontalAdvance(text) + 2 * pad, metrics.height() + 2 * pad, QImage::Format_RGB32),
        QRect(), pad + metrics.ascent()};
    ink.canvas.fill(Qt::white);
    {
        QPainter painter(&ink.canvas);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(pad, ink.baseline, text);
    }
    for (int y = 0; y < ink.canvas.height(); ++y) {
        for (int x = 0; x < ink.canvas.width(); ++x) {
            if (ink.coverage(x, y) >= 128) ink.box |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

// Copies the ink into the picture, canvas (x, y) landing on picture (x + dx, y + dy). The ink is cut at half
// coverage so that exactly the two colours appear.
void Stamp(Picture& picture, const Ink& ink, int dx, int dy, Rgb colour) {
    for (int y = 0; y < ink.canvas.height(); ++y) {
        for (int x = 0; x < ink.canvas.width(); ++x) {
            const int px = x + dx;
            const int py = y + dy;
            if (ink.coverage(x, y) < 128 || px < 0 || py < 0 || px >= picture.width() ||
                py >= picture.height())
                continue;
            picture.set(px, py, colour);
        }
    }
}

// Rows above and below the baseline that the font's ascenders and descenders reach, from sample glyphs.
struct VerticalSpan {
    int above;
    int below;
    int height() const { return above + below; }
};

VerticalSpan InkSpan(const Ink& ink) {
    return {ink.baseline - ink.box.top(), ink.box.bottom() + 1 - ink.baseline};
}

VerticalSpan FontSpan(const QFont& font, const QString& sample_text = QString()) {
    return InkSpan(RenderInk(font, sample_text.isEmpty() ? QStringLiteral("HQbdlgjpqy") : sample_text));
}

// Centres ink horizontally on its own box and vertically on the font's span.
void StampCentred(Picture& picture, const Ink& ink, const VerticalSpan& span, int left, int top, int width,
                  int height, Rgb colour) {
    const int dx = left + (width - ink.box.width()) / 2 - ink.box.left();
    const int dy = top + (height - span.height()) / 2 + span.above - ink.baseline;
    Stamp(picture, ink, dx, dy, colour);
}

void DrawTile(Picture& picture, int left, int top, int size, int rim, const TileColours& colours) {
    picture.fillRect(left, top, size, size, colours.face);
    picture.fillRect(left, top, size, rim, colours.rim_light);
    picture.fillRect(left, top, rim, size, colours.rim_light);
    picture.fillRect(left, top + size - rim, size, rim, colours.rim_dark);
    picture.fillRect(left + size - rim, top, rim, size, colours.rim_dark);
}

void DrawNumber(Picture& picture, const QFont& font, int left, int top, int size, int rim, int number,
                Rgb colour) {
    const Ink ink = RenderInk(font, QString::number(number));
    // Digits share one height, so the ink box itself is centred; the face is the tile inside its rim.
    StampCentred(picture, ink, InkSpan(ink), left + rim, top + rim, size - 2 * rim, size - 2 * rim, colour);
}

// Digits 1 to 4 for the smallest icon, 3 x 5 pixels each, one string per row.
constexpr std::array<std::array<const char*, 5>, 4> kTinyDigits{{
    {".#.", "##.", ".#.", ".#.", "###"},
    {"##.", "..#", ".#.", "#..", "###"},
    {"##.", "..#", ".#.", "..#", "##."},
    {"#.#", "#.#", "###", "..#", "..#"},
}};

}  // namespace

Fonts::Fonts()
    : sans_family_(LoadFamily(QStringLiteral("DejaVuSans-Bold.ttf"), QStringLiteral("DejaVu Sans"))),
      condensed_family_(LoadFamily(QStringLiteral("DejaVuSansCondensed-Bold.ttf"),
                                   QStringLiteral("DejaVu Sans Condensed"))) {
    CheckFace(bold(12), QStringLiteral("DejaVu Sans"), QStringLiteral("Bold"));
    CheckFace(condensedBold(12), QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Condensed Bold"));
}

QFont Fonts::bold(int pixel_size) const {
    return MakeFont(sans_family_, pixel_size);
}

QFont Fonts::condensedBold(int pixel_size, int stretch) const {
    return MakeFont(condensed_family_, pixel_size, stretch);
}

QFont Fonts::face(Face which, int pixel_size) const {
    return which == Face::kBold ? bold(pixel_size) : condensedBold(pixel_size);
}

Picture TextPicture(const QFont& font, const QString& text, int width, int height, Rgb ink, Rgb paper,
                    const QString& span_sample) {
    Picture picture(width, height, paper);
    StampCentred(picture, RenderInk(font, text), FontSpan(font, span_sample), 0, 0, width, height, ink);
    return picture;
}

int LargestFittingSize(const Fonts& fonts, Face face, Placement placement, const QStringList& texts,
                       int width, int height, int margin, int smallest, int largest) {
    for (int size = largest; size >= smallest; --size) {
        const QFont font = fonts.face(face, size);
        const VerticalSpan font_span = FontSpan(font);
        const bool fits = std::all_of(texts.begin(), texts.end(), [&](const QString& text) {
            const Ink ink = RenderInk(font, text);
            const VerticalSpan own = InkSpan(ink);
            const VerticalSpan span = placement == Placement::kBaseline ? font_span : own;
            // Rows from the top of the area to the ink's top and from the ink's bottom to the area's bottom.
            const int ink_top = (height - span.height()) / 2 + span.above - own.above;
            const int ink_bottom = ink_top + ink.box.height();
            return ink.box.width() + 2 * margin <= width && ink_top >= margin &&
                   height - ink_bottom >= margin;
        });
        if (fits) return size;
    }
    throw std::runtime_error("no font size fits " + texts.join(QStringLiteral(", ")).toStdString());
}

QFont BannerFont(const Fonts& fonts, const QString& letters, int width, int height) {
    // The tallest caps that leave a one-pixel border, then the widest stretch at which every letter fits.
    for (int size = 2 * height; size >= 8; --size) {
        const Ink caps = RenderInk(fonts.condensedBold(size), letters);
        if (caps.box.height() > height - 2) continue;
        for (int stretch = 87; stretch >= 30; --stretch) {
            const QFont font = fonts.condensedBold(size, stretch);
            const bool fits = std::all_of(letters.begin(), letters.end(), [&](QChar letter) {
                return RenderInk(font, QString(letter)).box.width() <= width - 2;
            });
            if (fits) return font;
        }
    }
    throw std::runtime_error("no banner font fits");
}

Picture Tile(int size, const TileColours& colours) {
    Picture picture(size, size, colours.face);
    DrawTile(picture, 0, 0, size, 1, colours);
    return picture;
}

Picture NumberedTile(const QFont& font, int size, int number, const TileColours& colours) {
    Picture picture = Tile(size, colours);
    DrawNumber(picture, font, 0, 0, size, 1, number, colours.number);
    return picture;
}

Picture Arrow(Direction direction, Rgb body, Rgb shade, Rgb ground) {
    constexpr int kSize = 24;
    // The upward arrow: a 45-degree head two pixels wide at the tip (rows 2 to 12, up to 22 wide), then a
    // ten-pixel shaft down to row 21. It is symmetric about the vertical centre line, so the other three
    // directions are exact mirror images and transpositions of it.
    auto up = [](int x, int y) {
        if (y >= 2 && y <= 12) return x >= 11 - (y - 2) && x <= 12 + (y - 2);
        return y >= 13 && y <= 21 && x >= 7 && x <= 16;
    };
    auto inside = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= kSize || y >= kSize) return false;
        switch (direction) {
            case Direction::kUp:
                return up(x, y);
            case Direction::kDown:
                return up(x, kSize - 1 - y);
            case Direction::kLeft:
                return up(y, x);
            case Direction::kRight:
                return up(y, kSize - 1 - x);
        }
        return false;
    };

    Picture picture(kSize, kSize, ground);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            if (inside(x, y)) {
                const bool edge =
                    !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
                picture.set(x, y, edge ? shade : body);
            } else if (inside(x - 1, y) || inside(x, y - 1) || inside(x - 1, y - 1)) {
                picture.set(x, y, shade);  // the shadow falls to the lower right
            }
        }
    }
    return picture;
}

Picture SplashEmblem(Rgb colour, Rgb ground) {
    constexpr std::array<std::array<int, 2>, 8> kCorners{
        {{19, 1}, {19, 13}, {7, 19}, {19, 19}, {1, 25}, {19, 25}, {7, 31}, {13, 31}}};
    Picture picture(25, 37, ground);
    for (const auto& [x, y] : kCorners) picture.fillRect(x, y, 5, 5, colour);
    return picture;
}

Picture Icon(const Fonts& fonts, int size) {
    const int tile = size / 2;
    const int rim = std::max(1, size / 32);
    Picture picture(size, size, kWhite);
    const int inner = tile - 2 * rim;
    const QStringList digits{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                             QStringLiteral("4")};
    const QFont font =
        size > 16 ? fonts.condensedBold(LargestFittingSize(fonts, Face::kCondensedBold, Placement::kInk,
                                                           digits, inner, inner, inner / 6, 4, 200))
                  : QFont();
    for (int n = 1; n <= 4; ++n) {
        const int left = (n - 1) % 2 * tile;
        const int top = (n - 1) / 2 * tile;
        DrawTile(picture, left, top, tile, rim, kGreenTile);
        if (size > 16) {
            DrawNumber(picture, font, left, top, tile, rim, n, kGreenTile.number);
            continue;
        }
        const auto& rows = kTinyDigits[static_cast<std::size_t>(n - 1)];
        const int digit_left = left + (tile - 3) / 2;
        const int digit_top = top + (tile - 5) / 2;
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 3; ++x) {
                if (rows[static_cast<std::size_t>(y)][x] == '#')
                    picture.set(digit_left + x, digit_top + y, kGreenTile.number);
            }
        }
    }
    return picture;
}

}  // namespace tessel::render
