// tessel-render-images OUTDIR: draws the game's 58 bitmaps (OUTDIR/<id>.bmp), its icon (OUTDIR/101.ico) and
// the desktop and home-screen icons (OUTDIR/icons/tessel-<size>.png, tessel-maskable-512.png and
// tessel.svg). Same fonts and Qt version, same bytes.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
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

using tessel::render::Picture;
using tessel::render::Rgb;

enum class Storage { kSixteenColours, kTrueColour };

struct Image {
    int id;
    Storage storage;
    Picture picture;
};

constexpr Rgb kLabelGrey{192, 192, 192};
constexpr Rgb kTitleBlue{187, 203, 251};
constexpr Rgb kBannerGrey{128, 128, 128};
constexpr Rgb kArrowBody{232, 232, 232};
constexpr Rgb kArrowShade{192, 192, 192};
// Lights are sunk into the board: light grey above and left, darker below and right.
constexpr tessel::render::TileColours kLightOn{{250, 253, 142}, {192, 192, 192}, {128, 128, 128}, {}};
constexpr tessel::render::TileColours kLightOff{{255, 255, 255}, {192, 192, 192}, {128, 128, 128}, {}};

std::vector<Image> DrawAll(const tessel::render::Fonts& fonts) {
    using namespace tessel::render;
    constexpr Storage k4 = Storage::kSixteenColours;
    constexpr Storage k24 = Storage::kTrueColour;
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
                                      kLabelGrey)});
    }
    const QString quit = QStringLiteral("Quit");
    const int quit_size =
        LargestFittingSize(fonts, Face::kBold, Placement::kBaseline, {quit}, 41, 20, 2, 8, label_size);
    images.push_back({154, k4, TextPicture(fonts.bold(quit_size), quit, 41, 20, kLabelGrey)});
    const QString title = QStringLiteral("Tessel");
    const int title_size =
        LargestFittingSize(fonts, Face::kBold, Placement::kBaseline, {title}, 107, 36, 3, 8, 40);
    images.push_back({206, k4, TextPicture(fonts.bold(title_size), title, 107, 36, kTitleBlue)});
    std::printf("font sizes: labels %d px, quit %d px, title %d px\n", label_size, quit_size, title_size);

    images.push_back({155, k4, Picture(24, 24, kWhite)});
    const QString banner = QStringLiteral("CLEARD!");
    const QFont banner_font = BannerFont(fonts, banner, 11, 20);
    std::printf("banner font: %d px, stretch %d\n", banner_font.pixelSize(), banner_font.stretch());
    for (int i = 0; i < banner.size(); ++i) {
        images.push_back(
            {158 + i, k4, TextPicture(banner_font, banner[i], 11, 20, kBannerGrey, kWhite, banner)});
    }

    images.push_back({168, k24, Arrow(Direction::kDown, kArrowBody, kArrowShade)});
    images.push_back({170, k24, Arrow(Direction::kLeft, kArrowBody, kArrowShade)});
    images.push_back({171, k24, Arrow(Direction::kRight, kArrowBody, kArrowShade)});
    images.push_back({172, k24, Arrow(Direction::kUp, kArrowBody, kArrowShade)});

    QStringList numbers;
    for (int n = 1; n <= 16; ++n) numbers << QString::number(n);
    const int number_size =
        LargestFittingSize(fonts, Face::kCondensedBold, Placement::kInk, numbers, 22, 22, 3, 8, 15);
    std::printf("font size: tile numbers %d px\n", number_size);
    for (int n = 1; n <= 16; ++n) {
        images.push_back({172 + n, k24, NumberedTile(fonts.condensedBold(number_size), 24, n, kGreenTile)});
        images.push_back({189 + n, k24, NumberedTile(fonts.condensedBold(number_size), 24, n, kGreyTile)});
    }

    images.push_back({207, k4, Tile(24, kLightOn)});
    images.push_back({208, k4, Tile(24, kLightOff)});
    images.push_back({212, k4, SplashEmblem({192, 192, 192})});
    images.push_back({213, k4, SplashEmblem({128, 128, 128})});
    images.push_back({214, k4, SplashEmblem(kBlack)});
    images.push_back({215, k4, Picture(25, 37, kWhite)});
    return images;
}

void Run(const QString& out_dir) {
    using namespace tessel::render;
    if (!QDir().mkpath(out_dir + QStringLiteral("/icons")))
        throw std::runtime_error("cannot create output folder");
    const Fonts fonts;

    const std::vector<Image> images = DrawAll(fonts);
    std::set<int> ids;
    for (const Image& image : images) {
        if (!ids.insert(image.id).second) throw std::logic_error("image id drawn twice");
        const auto bytes = image.storage == Storage::kSixteenColours ? EncodeBmp4(image.picture)
                                                                     : EncodeBmp24(image.picture);
        WriteFile(QStringLiteral("%1/%2.bmp").arg(out_dir).arg(image.id).toStdString(), bytes);
    }
    if (images.size() != 58) throw std::logic_error("the game has 58 images");

    // The icon's pixel art: 16 pixels with digits of its own, 32 pixels with the tiles' face.
    const Picture small_art = Icon(fonts, 16);
    const Picture fine_art = Icon(fonts, 32);
    WriteFile((out_dir + QStringLiteral("/101.ico")).toStdString(), EncodeIco4({fine_art, small_art}));
    // Every size shows one of them enlarged by a whole factor, the finer one when it comes out as large.
    const auto save = [&out_dir](const QImage& image, const QString& name) {
        const QString path = QStringLiteral("%1/icons/%2.png").arg(out_dir, name);
        if (!image.save(path, "PNG")) throw std::runtime_error("cannot write " + path.toStdString());
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
    std::printf("wrote %zu bitmaps, 101.ico, %zu PNG icons and an SVG icon to %s\n", images.size(),
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
