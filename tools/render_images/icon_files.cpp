#include "icon_files.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <stdexcept>

namespace tessel::render {

QImage EnlargedIcon(const Picture& art, int size, int area, QColor ground) {
    const int factor = std::min(area / art.width(), area / art.height());
    if (factor < 1) throw std::invalid_argument("icon smaller than its art");
    const int left = (size - art.width() * factor) / 2;
    const int top = (size - art.height() * factor) / 2;
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(ground);
    for (int y = 0; y < art.height() * factor; ++y) {
        for (int x = 0; x < art.width() * factor; ++x) {
            const Rgb c = art.at(x / factor, y / factor);
            image.setPixel(left + x, top + y, qRgb(c.r, c.g, c.b));
        }
    }
    return image;
}

std::string IconSvg(const Picture& art) {
    // Each row's runs of one colour become "M x y h w v 1 h -w z" in that colour's path.
    std::map<Rgb, std::string> paths;
    for (int y = 0; y < art.height(); ++y) {
        for (int x = 0; x < art.width();) {
            const Rgb colour = art.at(x, y);
            int end = x + 1;
            while (end < art.width() && art.at(end, y) == colour) ++end;
            char run[64];
            std::snprintf(run, sizeof run, "M%d %dh%dv1h-%dz", x, y, end - x, end - x);
            paths[colour] += run;
            x = end;
        }
    }
    char header[256];
    std::snprintf(
        header, sizeof header,
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\" "
        "shape-rendering=\"crispEdges\">\n",
        art.width(), art.height(), art.width(), art.height());
    std::string svg = header;
    for (const auto& [colour, path] : paths) {
        char fill[16];
        std::snprintf(fill, sizeof fill, "#%02x%02x%02x", colour.r, colour.g, colour.b);
        svg += "<path fill=\"" + std::string(fill) + "\" d=\"" + path + "\"/>\n";
    }
    return svg + "</svg>\n";
}

}  // namespace tessel::render
