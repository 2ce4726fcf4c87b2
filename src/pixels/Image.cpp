#include "pixels/Image.h"

#include <algorithm>

namespace tarnwick {

Image::Image(int width, int height, Rgb fill)
    : columns(std::max(width, 0)), rows(std::max(height, 0)),
      pixelData(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), fill) {}

Rgb Image::pixel(int x, int y) const {
    return contains(x, y) ? pixelData[indexOf(x, y)] : rgb(0, 0, 0);
}

void Image::setPixel(int x, int y, Rgb colour) {
    if (contains(x, y))
        pixelData[indexOf(x, y)] = colour;
}

void Image::fillRect(int x, int y, int width, int height, Rgb colour) {
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    const int right = std::min(x + std::max(width, 0), columns);
    const int bottom = std::min(y + std::max(height, 0), rows);
    if (right <= left)
        return;
    for (int row = top; row < bottom; ++row)
        std::fill_n(pixelData.begin() + static_cast<std::ptrdiff_t>(indexOf(left, row)),
                    right - left, colour);
}

} // namespace tarnwick
