#include "core/images.h"

namespace tessel {

void LoadImages(ImageSet& images, Look look) {
    for (const EmbeddedImage& embedded : EMBEDDED_IMAGES) {
        const auto& colours = embedded.colours[static_cast<std::size_t>(look)];
        Image& image = images[static_cast<ImageId>(embedded.id)];
        image = {embedded.width, embedded.height,
                 std::vector<uint32_t>(static_cast<std::size_t>(embedded.width) * embedded.height)};
        for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = colours[embedded.shape[i]];
    }
}

}  // namespace tessel
