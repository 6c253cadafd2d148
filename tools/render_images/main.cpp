// tessel-render-images OUTDIR: draws the game's 58 bitmaps in each of its looks (OUTDIR/<id>.bmp for the
// classic one, OUTDIR/high-contrast/<id>.bmp and OUTDIR/dark/<id>.bmp), its icon (OUTDIR/101.ico) and
// the desktop and home-screen icons (OUTDIR/icons/tessel-<size>.png, tessel-maskable-512.png and
// tessel.svg). Same fonts and Qt version, same bytes.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <array>
#include <cstdio>
#include <exception>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "artwork.h"
#include "bmp_writer.h"
#include "icon_files.h"

namespace {

using tessel::render::kBlack;
using tessel::render::kWhite;
using tessel::render::Picture;
using tessel::render::Rgb;

enum class Storage { kSixteenColours, kTrueColour };

struct Image {
    int id;
    Storage storage;
    Picture picture;
};

using tessel::render::TileColours;

// The colours of one look: every image has the same shapes in each, only its colours differ.
struct Palette {
    const char* folder;  // under OUTDIR; empty for the classic images, which lie in OUTDIR itself
    Rgb ground;          // the blank cell, and the paper behind every text and arrow
    Rgb label;           // the puzzles' names and "Quit"
    Rgb title;
    Rgb banner;
    Rgb arrow_body;
    Rgb arrow_shade;  // the arrow's outline and its shadow
    TileColours green_tile;
    TileColours grey_tile;
    TileColours light_on;  // lights are sunk into the board: "rim_light" is their rim above and left
    TileColours light_off;
    std::array<Rgb, 3> splash;  // the emblem fading in: faint, half, full
    Storage tiles;  // the classic tiles and arrows keep 24 bits; every other image fits 16 colours
};

// The game's own look, pale by design.
constexpr Palette kClassic{"",
                           kWhite,
                           {192, 192, 192},
                           {187, 203, 251},
                           {128, 128, 128},
                           {232, 232, 232},
                           {192, 192, 192},
                           tessel::render::kGreenTile,
                           tessel::render::kGreyTile,
                           {{250, 253, 142}, {192, 192, 192}, {128, 128, 128}, {}},
                           {{255, 255, 255}, {192, 192, 192}, {128, 128, 128}, {}},
                           {{{192, 192, 192}, {128, 128, 128}, kBlack}},
                           Storage::kTrueColour};

// Black on white: text and outlines at least 7:1 against what they stand on. Tiles are pale with black
// rims and digits; the grey tile is dark with white digits. Lights are dark when off and yellow when on,
// in a white lattice.
constexpr Palette kHighContrast{"high-contrast",
                                kWhite,
                                kBlack,
                                {0, 0, 128},
                                kBlack,
                                {64, 64, 64},
                                kBlack,
                                {{200, 255, 200}, kBlack, kBlack, kBlack},
                                {{80, 80, 80}, kBlack, kBlack, kWhite},
                                {{255, 221, 0}, kWhite, kWhite, {}},
                                {{64, 64, 64}, kWhite, kWhite, {}},
                                {{{192, 192, 192}, {128, 128, 128}, kBlack}},
                                Storage::kSixteenColours};

// Light on a near-black ground, with the same ratios as high contrast and nothing large that glares: dark
// green tiles with pale rims and digits, a mid-grey tile with black digits, amber lights on dark ones.
constexpr Palette kDark{"dark",
                        {18, 18, 18},
                        {230, 230, 230},
                        {150, 180, 255},
                        {255, 214, 10},
                        {120, 120, 120},
                        {220, 220, 220},
                        {{20, 70, 30}, {230, 245, 230}, {200, 212, 200}, {232, 226, 255}},
                        {{165, 165, 165}, {235, 235, 235}, {210, 210, 210}, kBlack},
                        {{200, 160, 0}, {210, 210, 210}, {235, 235, 235}, {}},
                        {{40, 40, 40}, {210, 210, 210}, {235, 235, 235}, {}},
                        {{{64, 64, 64}, {128, 128, 128}, {235, 235, 235}}},
                        Storage::kSixteenColours};

std::vector<Image> DrawAll(const tessel::render::Fonts& fonts, const Palette& palette) {
    using namespace tessel::render;
    constexpr Storage k4 = Storage::kSixteenColours;
    const Storage k24 = palette.tiles;
    const Rgb ground = palette.ground;
    std::vector<Image> images;

    // Menu labels share one size so that the menu reads as a set; Quit and the title fit their own boxes.
    struct Label {
        int id;
        const char* text;
        int width;
    };
    const std::vector<Label> labels{
        {148, "Normal", 66},     {150, "Unmovable", 103},  {151, "Almost Impossible", 190},
        {152, "15 Puzzle", 100}, {153, "Lights out", 116}, {210, "Uneven", 72}};
    int label_size = 1000;
    for (const Label& label : labels) {
        label_size = std::min(label_size,
                              LargestFittingSize(fonts, Face::kBold, Placement::kBaseline,
                                                 {QString::fromUtf8(label.text)}, label.width, 24, 2, 8, 16));
    }
    for (const Label& label : labels) {
        images.push_back({label.id, k4,
                          TextPicture(fonts.bold(label_size), QString::fromUtf8(label.text), label.width, 24,
                                      palette.label, ground)});
    }
    const QString quit = QStringLiteral("Quit");
    const int quit_size =
        LargestFittingSize(fonts, Face::kBold, Placement::kBaseline, {quit}, 41, 20, 2, 8, label_size);
    images.push_back({154, k4, TextPicture(fonts.bold(quit_size), quit, 41, 20, palette.label, ground)});
    const QString title = QStringLiteral("Tessel");
    const int title_size =
        LargestFittingSize(fonts, Face::kBold, Placement::kBaseline, {title}, 107, 36, 3, 8, 40);
    images.push_back({206, k4, TextPicture(fonts.bold(title_size), title, 107, 36, palette.title, ground)});

    images.push_back({155, k4, Picture(24, 24, ground)});
    const QString banner = QStringLiteral("CLEARD!");
    const QFont banner_font = BannerFont(fonts, banner, 11, 20);
    for (int i = 0; i < banner.size(); ++i) {
        images.push_back(
            {158 + i, k4, TextPicture(banner_font, banner[i], 11, 20, palette.banner, ground, banner)});
    }
    if (palette.folder[0] == '\0') {
        std::printf("font sizes: labels %d px, quit %d px, title %d px\n", label_size, quit_size, title_size);
        std::printf("banner font: %d px, stretch %d\n", banner_font.pixelSize(), banner_font.stretch());
    }

    images.push_back({168, k24, Arrow(Direction::kDown, palette.arrow_body, palette.arrow_shade, ground)});
    images.push_back({170, k24, Arrow(Direction::kLeft, palette.arrow_body, palette.arrow_shade, ground)});
    images.push_back({171, k24, Arrow(Direction::kRight, palette.arrow_body, palette.arrow_shade, ground)});
    images.push_back({172, k24, Arrow(Direction::kUp, palette.arrow_body, palette.arrow_shade, ground)});

    QStringList numbers;
    for (int n = 1; n <= 16; ++n) numbers << QString::number(n);
    const int number_size =
        LargestFittingSize(fonts, Face::kCondensedBold, Placement::kInk, numbers, 22, 22, 3, 8, 15);
    if (palette.folder[0] == '\0') std::printf("font size: tile numbers %d px\n", number_size);
    for (int n = 1; n <= 16; ++n) {
        images.push_back(
            {172 + n, k24, NumberedTile(fonts.condensedBold(number_size), 24, n, palette.green_tile)});
        images.push_back(
            {189 + n, k24, NumberedTile(fonts.condensedBold(number_size), 24, n, palette.grey_tile)});
    }

    images.push_back({207, k4, Tile(24, palette.light_on)});
    images.push_back({208, k4, Tile(24, palette.light_off)});
    for (int i = 0; i < 3; ++i) images.push_back({212 + i, k4, SplashEmblem(palette.splash[i], ground)});
    images.push_back({215, k4, Picture(25, 37, ground)});
    return images;
}

// Writes one look's 58 bitmaps into `dir`.
void WriteImages(const tessel::render::Fonts& fonts, const Palette& palette, const QString& dir) {
    using namespace tessel::render;
    if (!QDir().mkpath(dir)) throw std::runtime_error("cannot create " + dir.toStdString());
    const std::vector<Image> images = DrawAll(fonts, palette);
    std::set<int> ids;
    for (const Image& image : images) {
        if (!ids.insert(image.id).second) throw std::logic_error("image id drawn twice");
        const auto bytes = image.storage == Storage::kSixteenColours ? EncodeBmp4(image.picture)
                                                                     : EncodeBmp24(image.picture);
        WriteFile(QStringLiteral("%1/%2.bmp").arg(dir).arg(image.id).toStdString(), bytes);
    }
    if (images.size() != 58) throw std::logic_error("the game has 58 images");
}

void Run(const QString& out_dir) {
    using namespace tessel::render;
    if (!QDir().mkpath(out_dir + QStringLiteral("/icons")))
        throw std::runtime_error("cannot create output folder");
    const Fonts fonts;

    for (const Palette& palette : {kClassic, kHighContrast, kDark}) {
        const QString folder = QString::fromUtf8(palette.folder);
        WriteImages(fonts, palette, folder.isEmpty() ? out_dir : out_dir + QLatin1Char('/') + folder);
    }

    // The icon's pixel art: 16 pixels with digits of its own, 32 pixels with the tiles' face.
    const Picture small_art = Icon(fonts, 16);
    const Picture fine_art = Icon(fonts, 32);
    WriteFile((out_dir + QStringLiteral("/101.ico")).toStdString(), EncodeIco4({fine_art, small_art}));
    // Every size shows one of them enlarged by a whole factor, the finer one when it comes out as large.
    // The art has a few colours: with a palette of exactly those, at zlib's strongest ("quality" 0), the
    // icons the web page's phones download with the game are under half their size in true colour.
    const auto save = [&out_dir](const QImage& image, const QString& name) {
        const QString path = QStringLiteral("%1/icons/%2.png").arg(out_dir, name);
        QList<QRgb> colours;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (!colours.contains(image.pixel(x, y))) colours.append(image.pixel(x, y));
            }
        }
        const QImage indexed = image.convertToFormat(QImage::Format_Indexed8, colours, Qt::AvoidDither);
        if (!indexed.save(path, "PNG", 0)) throw std::runtime_error("cannot write " + path.toStdString());
    };
    // 180 is the size iPhones and iPads ask for; they show a transparent ground as black, so it gets white.
    const std::vector<int> sizes{16, 24, 32, 48, 64, 128, 180, 192, 256, 512};
    for (const int size : sizes) {
        const Picture& art = size / 32 * 32 >= size / 16 * 16 ? fine_art : small_art;
        const QColor ground = size == 180 ? QColor(Qt::white) : QColor(Qt::transparent);
        save(EnlargedIcon(art, size, size, ground), QStringLiteral("tessel-%1").arg(size));
    }
    // For home screens that cut icons to a circle or a rounded square: the art in the middle half, on
    // white, well inside the circle every such mask keeps.
    save(EnlargedIcon(fine_art, 512, 256, Qt::white), QStringLiteral("tessel-maskable-512"));
    const std::string svg = IconSvg(fine_art);
    WriteFile((out_dir + QStringLiteral("/icons/tessel.svg")).toStdString(), {svg.begin(), svg.end()});
    std::printf(
        "wrote 58 bitmaps for each look (classic, high-contrast/, dark/), 101.ico, %zu PNG icons and an "
        "SVG icon to %s\n",
        sizes.size() + 1, qPrintable(out_dir));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    // Only offscreen images are drawn; no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    try {
        Run(QString::fromLocal8Bit(argv[1]));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tessel-render-images: %s\n", error.what());
        return 1;
    }
    return 0;
}
