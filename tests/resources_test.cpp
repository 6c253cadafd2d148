// Checks the committed bitmaps and icons in TESSEL_RESOURCE_DIR: sizes, storage, and the colours and shapes
// that the game's screens rely on.

#include <gtest/gtest.h>
#include <stb_image.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

struct Rgb {
    int r, g, b;
    auto operator<=>(const Rgb&) const = default;
};
constexpr Rgb kWhite{255, 255, 255};

std::string PathOf(const std::string& name) {
    return std::string(TESSEL_RESOURCE_DIR) + "/" + name;
}

std::vector<unsigned char> ReadBytes(const std::string& name) {
    std::ifstream file(PathOf(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

int U16(const std::vector<unsigned char>& b, std::size_t at) {
    return b.at(at) | b.at(at + 1) << 8;
}

struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    Rgb at(int x, int y) const {
        const auto i = static_cast<std::size_t>((y * width + x) * 3);
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
    std::set<Rgb> colours() const {
        std::set<Rgb> all;
        for (int i = 0; i < width * height; ++i) all.insert(at(i % width, i / width));
        return all;
    }
};

Image Load(const std::string& name) {
    Image image;
    int channels = 0;
    unsigned char* data = stbi_load(PathOf(name).c_str(), &image.width, &image.height, &channels, 3);
    if (data == nullptr) return {};
    image.rgb.assign(data, data + image.width * image.height * 3);
    stbi_image_free(data);
    return image;
}

Image Bitmap(int id) {
    return Load(std::to_string(id) + ".bmp");
}

TEST(ResourceFiles, EveryImageDecodesWithItsSizeAndDepth) {
    struct Entry {
        int first, last, width, height, bits;
    };
    const Entry table[] = {{148, 148, 66, 24, 4},  {150, 150, 103, 24, 4}, {151, 151, 190, 24, 4},
                           {152, 152, 100, 24, 4}, {153, 153, 116, 24, 4}, {154, 154, 41, 20, 4},
                           {155, 155, 24, 24, 4},  {158, 164, 11, 20, 4},  {168, 168, 24, 24, 24},
                           {170, 188, 24, 24, 24}, {190, 205, 24, 24, 24}, {206, 206, 107, 36, 4},
                           {207, 208, 24, 24, 4},  {210, 210, 72, 24, 4},  {212, 215, 25, 37, 4}};
    int count = 0;
    for (const Entry& e : table) {
        for (int id = e.first; id <= e.last; ++id, ++count) {
            SCOPED_TRACE("image " + std::to_string(id));
            const std::vector<unsigned char> bytes = ReadBytes(std::to_string(id) + ".bmp");
            ASSERT_GT(bytes.size(), 54u);
            EXPECT_EQ(U16(bytes, 0), 'B' | 'M' << 8);
            EXPECT_EQ(U16(bytes, 14), 40);  // BITMAPINFOHEADER
            EXPECT_EQ(U16(bytes, 28), e.bits);
            const Image image = Bitmap(id);
            EXPECT_EQ(image.width, e.width);
            EXPECT_EQ(image.height, e.height);
        }
    }
    EXPECT_EQ(count, 58);
}

TEST(ResourceFiles, IconHasTwoSixteenColourSizesAndDesktopCopies) {
    const std::vector<unsigned char> ico = ReadBytes("101.ico");
    ASSERT_GE(ico.size(), 38u);
    EXPECT_EQ(U16(ico, 2), 1);  // an icon, not a cursor
    ASSERT_EQ(U16(ico, 4), 2);
    EXPECT_EQ(std::set<int>({ico[6], ico[22]}), std::set<int>({32, 16}));
    EXPECT_EQ(U16(ico, 12), 4);  // bits per pixel of each entry
    EXPECT_EQ(U16(ico, 28), 4);
    for (int size : {16, 32, 48, 128}) {
        const Image png = Load("icons/tessel-" + std::to_string(size) + ".png");
        EXPECT_EQ(png.width, size);
        EXPECT_EQ(png.height, size);
    }
}

// Labels, title and banner letters: only paper and ink, and no glyph cut off at the edge.
TEST(TextImages, TwoColoursAndInkClearOfTheBorder) {
    const std::pair<std::vector<int>, Rgb> groups[] = {
        {{148, 150, 151, 152, 153, 154, 210}, {192, 192, 192}},
        {{206}, {187, 203, 251}},
        {{158, 159, 160, 161, 162, 163, 164}, {128, 128, 128}}};
    for (const auto& [ids, ink] : groups) {
        for (int id : ids) {
            SCOPED_TRACE("image " + std::to_string(id));
            const Image image = Bitmap(id);
            EXPECT_EQ(image.colours(), std::set<Rgb>({kWhite, ink}));
            int ink_on_border = 0;
            for (int y = 0; y < image.height; ++y) {
                for (int x = 0; x < image.width; ++x) {
                    const bool border = x == 0 || y == 0 || x == image.width - 1 || y == image.height - 1;
                    ink_on_border += border && image.at(x, y) != kWhite;
                }
            }
            EXPECT_EQ(ink_on_border, 0);
        }
    }
}

// Rim of a raised or sunken tile; the dark bottom row and right column own both odd corners.
void ExpectRim(const Image& tile, Rgb light, Rgb dark) {
    for (int i = 0; i < 24; ++i) {
        EXPECT_EQ(tile.at(i, 0), i < 23 ? light : dark) << "top row " << i;
        EXPECT_EQ(tile.at(0, i), i < 23 ? light : dark) << "left column " << i;
        EXPECT_EQ(tile.at(i, 23), dark) << "bottom row " << i;
        EXPECT_EQ(tile.at(23, i), dark) << "right column " << i;
    }
}

TEST(TileImages, RimFaceAndCentredDistinctNumbers) {
    struct Style {
        int first_id;
        Rgb face, light, dark, number;
    };
    const Style styles[] = {{173, {239, 255, 223}, {248, 255, 240}, {192, 192, 192}, {184, 171, 241}},
                            {190, {192, 192, 192}, {233, 233, 233}, {115, 115, 115}, {128, 128, 128}}};
    std::set<std::vector<bool>> green_numbers;
    for (int n = 1; n <= 16; ++n) {
        std::vector<bool> numbers[2];  // the number's pixels on the 22 x 22 face, green then grey
        for (int s = 0; s < 2; ++s) {
            const Style& style = styles[s];
            SCOPED_TRACE("image " + std::to_string(style.first_id + n - 1));
            const Image tile = Bitmap(style.first_id + n - 1);
            ExpectRim(tile, style.light, style.dark);
            EXPECT_EQ(tile.colours(), std::set<Rgb>({style.face, style.light, style.dark, style.number}));
            int left = 23, right = 0, top = 23, bottom = 0;
            for (int y = 1; y < 23; ++y) {
                for (int x = 1; x < 23; ++x) {
                    numbers[s].push_back(tile.at(x, y) == style.number);
                    if (!numbers[s].back()) continue;
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
            }
            EXPECT_LE(std::abs((left - 1) - (22 - right)), 1) << "off centre across";
            EXPECT_LE(std::abs((top - 1) - (22 - bottom)), 1) << "off centre down";
            EXPECT_GE(std::min(left, top), 3) << "number touches the rim";
        }
        EXPECT_EQ(numbers[0], numbers[1]) << "green and grey tile " << n << " differ";
        green_numbers.insert(numbers[0]);
    }
    EXPECT_EQ(green_numbers.size(), 16u) << "two tiles show the same number";
}

TEST(TileImages, LightsAreSunkenWithTheirFaces) {
    const std::pair<int, Rgb> lights[] = {{207, {250, 253, 142}}, {208, kWhite}};
    for (const auto& [id, face] : lights) {
        SCOPED_TRACE("image " + std::to_string(id));
        const Image light = Bitmap(id);
        ExpectRim(light, {192, 192, 192}, {128, 128, 128});
        EXPECT_EQ(light.colours(), std::set<Rgb>({face, {192, 192, 192}, {128, 128, 128}}));
    }
}

// The splash squares' colour at their corners, white elsewhere; the blank and the last splash frame are
// white.
TEST(PlainImages, SplashSquaresAndBlanks) {
    const int corners[8][2] = {{19, 1}, {19, 13}, {7, 19}, {19, 19}, {1, 25}, {19, 25}, {7, 31}, {13, 31}};
    const std::pair<int, Rgb> frames[] = {
        {212, {192, 192, 192}}, {213, {128, 128, 128}}, {214, {0, 0, 0}}, {215, kWhite}, {155, kWhite}};
    for (const auto& [id, colour] : frames) {
        SCOPED_TRACE("image " + std::to_string(id));
        const Image image = Bitmap(id);
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                bool square = false;
                for (const auto& c : corners)
                    square |= x >= c[0] && x < c[0] + 5 && y >= c[1] && y < c[1] + 5;
                EXPECT_EQ(image.at(x, y), square ? colour : kWhite) << x << "," << y;
            }
        }
    }
}

// An arrow is narrow at its tip and wide at its tail: compare the first and last drawn lines across it.
TEST(ArrowImages, ThreeGreysAndPointTheirWay) {
    struct Arrow {
        int id;
        bool vertical, tip_first;
    };
    for (const Arrow a :
         {Arrow{172, true, true}, {168, true, false}, {170, false, true}, {171, false, false}}) {
        SCOPED_TRACE("image " + std::to_string(a.id));
        const Image arrow = Bitmap(a.id);
        EXPECT_EQ(arrow.colours(), std::set<Rgb>({kWhite, {232, 232, 232}, {192, 192, 192}}));
        std::vector<int> widths;  // drawn pixels of each non-empty row (vertical) or column, in order
        for (int i = 0; i < 24; ++i) {
            int count = 0;
            for (int j = 0; j < 24; ++j) count += (a.vertical ? arrow.at(j, i) : arrow.at(i, j)) != kWhite;
            if (count > 0) widths.push_back(count);
        }
        ASSERT_GE(widths.size(), 16u);
        EXPECT_LE(a.tip_first ? widths.front() : widths.back(), 4);
        EXPECT_GE(a.tip_first ? widths.back() : widths.front(), 8);
    }
}

}  // namespace
