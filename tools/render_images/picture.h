#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace tessel::render {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend auto operator<=>(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};

// An opaque RGB picture, addressed top-down with (0, 0) at the top-left corner.
class Picture {
  public:
    Picture(int width, int height, Rgb fill)
        : width_(width), height_(height), pixels_(Size(width, height), fill) {}

    int width() const { return width_; }
    int height() const { return height_; }

    Rgb at(int x, int y) const { return pixels_[Index(x, y)]; }
    void set(int x, int y, Rgb colour) { pixels_[Index(x, y)] = colour; }

    // Fills the part of the rectangle that lies inside the picture.
    void fillRect(int x, int y, int w, int h, Rgb colour) {
        for (int yy = y; yy < y + h; ++yy) {
            for (int xx = x; xx < x + w; ++xx) {
                if (xx >= 0 && yy >= 0 && xx < width_ && yy < height_) set(xx, yy, colour);
            }
        }
    }

  private:
    static std::size_t Size(int width, int height) {
        if (width <= 0 || height <= 0) throw std::invalid_argument("picture size must be positive");
        return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    }
    std::size_t Index(int x, int y) const {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) throw std::out_of_range("pixel outside picture");
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

}  // namespace tessel::render
