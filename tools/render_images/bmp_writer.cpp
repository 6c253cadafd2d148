#include "bmp_writer.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <stdexcept>

namespace tessel::render {
namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kPaletteSize = 16;
constexpr std::int32_t kPixelsPerMetre = 2835;  // 72 dpi

class ByteWriter {
  public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void u8(std::uint8_t v) { out_.push_back(v); }
    void u16(std::uint16_t v) {
        u8(static_cast<std::uint8_t>(v & 0xff));
        u8(static_cast<std::uint8_t>(v >> 8));
    }
    void u32(std::uint32_t v) {
        u16(static_cast<std::uint16_t>(v & 0xffff));
        u16(static_cast<std::uint16_t>(v >> 16));
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }

  private:
    std::vector<std::uint8_t>& out_;
};

std::uint32_t RowBytes(int width, int bits_per_pixel) {
    const auto bits = static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bits_per_pixel);
    return (bits + 31) / 32 * 4;
}

std::vector<Rgb> PaletteOf(const Picture& picture) {
    std::set<Rgb> colours;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) colours.insert(picture.at(x, y));
    }
    if (colours.size() > kPaletteSize) throw std::invalid_argument("picture has more than 16 colours");
    std::vector<Rgb> palette(colours.begin(), colours.end());
    palette.resize(kPaletteSize, kBlack);
    return palette;
}

// BITMAPINFOHEADER; `stored_height` is twice the picture's height inside an icon (colour and mask).
void WriteInfoHeader(ByteWriter& w, const Picture& picture, std::int32_t stored_height, int bits_per_pixel,
                     std::uint32_t image_bytes, std::uint32_t colours_used) {
    w.u32(kInfoHeaderSize);
    w.i32(picture.width());
    w.i32(stored_height);
    w.u16(1);  // planes
    w.u16(static_cast<std::uint16_t>(bits_per_pixel));
    w.u32(0);  // BI_RGB, no compression
    w.u32(image_bytes);
    w.i32(kPixelsPerMetre);
    w.i32(kPixelsPerMetre);
    w.u32(colours_used);
    w.u32(0);  // all colours important
}

void WritePalette(ByteWriter& w, const std::vector<Rgb>& palette) {
    for (const Rgb& c : palette) {
        w.u8(c.b);
        w.u8(c.g);
        w.u8(c.r);
        w.u8(0);
    }
}

void WritePixels4(std::vector<std::uint8_t>& out, const Picture& picture, const std::vector<Rgb>& palette) {
    const std::uint32_t row_bytes = RowBytes(picture.width(), 4);
    for (int y = picture.height() - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(row_bytes, 0);
        for (int x = 0; x < picture.width(); ++x) {
            const auto found = std::find(palette.begin(), palette.end(), picture.at(x, y));
            const auto index = static_cast<std::uint8_t>(found - palette.begin());
            // The left pixel of each pair sits in the high nibble.
            row[static_cast<std::size_t>(x / 2)] |=
                (x % 2 == 0) ? static_cast<std::uint8_t>(index << 4) : index;
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

void WriteFileHeader(ByteWriter& w, std::uint32_t file_size, std::uint32_t pixel_offset) {
    w.u8('B');
    w.u8('M');
    w.u32(file_size);
    w.u32(0);  // two reserved words
    w.u32(pixel_offset);
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp24(const Picture& picture) {
    const std::uint32_t row_bytes = RowBytes(picture.width(), 24);
    const std::uint32_t image_bytes = row_bytes * static_cast<std::uint32_t>(picture.height());
    const std::uint32_t pixel_offset = kFileHeaderSize + kInfoHeaderSize;

    std::vector<std::uint8_t> out;
    ByteWriter w(out);
    WriteFileHeader(w, pixel_offset + image_bytes, pixel_offset);
    WriteInfoHeader(w, picture, picture.height(), 24, image_bytes, 0);
    for (int y = picture.height() - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width(); ++x) {
            const Rgb c = picture.at(x, y);
            w.u8(c.b);
            w.u8(c.g);
            w.u8(c.r);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(picture.width()) * 3; pad < row_bytes; ++pad)
            w.u8(0);
    }
    return out;
}

std::vector<std::uint8_t> EncodeBmp4(const Picture& picture) {
    const std::vector<Rgb> palette = PaletteOf(picture);
    const std::uint32_t image_bytes =
        RowBytes(picture.width(), 4) * static_cast<std::uint32_t>(picture.height());
    const std::uint32_t pixel_offset = kFileHeaderSize + kInfoHeaderSize + kPaletteSize * 4;

    std::vector<std::uint8_t> out;
    ByteWriter w(out);
    WriteFileHeader(w, pixel_offset + image_bytes, pixel_offset);
    WriteInfoHeader(w, picture, picture.height(), 4, image_bytes, kPaletteSize);
    WritePalette(w, palette);
    WritePixels4(out, picture, palette);
    return out;
}

std::vector<std::uint8_t> EncodeIco4(const std::vector<Picture>& pictures) {
    constexpr std::uint32_t kDirHeaderSize = 6;
    constexpr std::uint32_t kDirEntrySize = 16;

    // Each entry: info header, palette, colour rows, then the 1-bit AND mask (all zero: opaque).
    std::vector<std::vector<std::uint8_t>> entries;
    for (const Picture& picture : pictures) {
        if (picture.width() > 256 || picture.height() > 256) throw std::invalid_argument("icon too large");
        const std::vector<Rgb> palette = PaletteOf(picture);
        const auto height = static_cast<std::uint32_t>(picture.height());
        const std::uint32_t colour_bytes = RowBytes(picture.width(), 4) * height;
        const std::uint32_t mask_bytes = RowBytes(picture.width(), 1) * height;

        std::vector<std::uint8_t> entry;
        ByteWriter w(entry);
        WriteInfoHeader(w, picture, picture.height() * 2, 4, colour_bytes + mask_bytes, kPaletteSize);
        WritePalette(w, palette);
        WritePixels4(entry, picture, palette);
        entry.insert(entry.end(), mask_bytes, 0);
        entries.push_back(std::move(entry));
    }

    std::vector<std::uint8_t> out;
    ByteWriter w(out);
    w.u16(0);  // reserved
    w.u16(1);  // resource type: icon
    w.u16(static_cast<std::uint16_t>(pictures.size()));
    std::uint32_t offset = kDirHeaderSize + kDirEntrySize * static_cast<std::uint32_t>(pictures.size());
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        // A stored width or height of 0 means 256.
        w.u8(static_cast<std::uint8_t>(pictures[i].width() & 0xff));
        w.u8(static_cast<std::uint8_t>(pictures[i].height() & 0xff));
        w.u8(kPaletteSize);
        w.u8(0);   // reserved
        w.u16(1);  // planes
        w.u16(4);  // bits per pixel
        w.u32(static_cast<std::uint32_t>(entries[i].size()));
        w.u32(offset);
        offset += static_cast<std::uint32_t>(entries[i].size());
    }
    for (const auto& entry : entries) out.insert(out.end(), entry.begin(), entry.end());
    return out;
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace tessel::render
