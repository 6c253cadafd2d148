#include "core/images.h"

#include <stb_image.h>

namespace tessel {

Image DecodeImage(const unsigned char* data, std::size_t size) {
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* rgb = stbi_load_from_memory(data, static_cast<int>(size), &width, &height, &channels, 3);
    if (rgb == nullptr) return {};
    Image image{width, height, std::vector<uint32_t>(static_cast<std::size_t>(width) * height)};
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        const stbi_uc* p = &rgb[i * 3];
        image.pixels[i] = 0xFF000000u | uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | uint32_t{p[2]};
    }
    stbi_image_free(rgb);
    return image;
}

void LoadImages(ImageSet& images, Look look) {
    for (const EmbeddedImage& embedded : EMBEDDED_IMAGES[static_cast<std::size_t>(look)]) {
        images[static_cast<ImageId>(embedded.id)] = DecodeImage(embedded.data, embedded.size);
    }
}

}  // namespace tessel
