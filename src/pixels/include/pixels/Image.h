#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tarnwick {

// A colour as 0xFFRRGGBB, the pixel layout that a 32-bit RGB QImage reads without copying.
using Rgb = std::uint32_t;

constexpr Rgb rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return 0xFF000000u | (Rgb{red} << 16) | (Rgb{green} << 8) | Rgb{blue};
}
constexpr std::uint8_t redOf(Rgb colour) {
    return static_cast<std::uint8_t>(colour >> 16);
}
constexpr std::uint8_t greenOf(Rgb colour) {
    return static_cast<std::uint8_t>(colour >> 8);
}
constexpr std::uint8_t blueOf(Rgb colour) {
    return static_cast<std::uint8_t>(colour);
}

// An off-screen picture in memory, row after row. Pixel access outside it reads black and
// writes nothing, so a stray coordinate never reaches memory the picture does not own.
class Image {
public:
    Image() = default;
    Image(int width, int height, Rgb fill = rgb(0, 0, 0));

    int width() const { return columns; }
    int height() const { return rows; }
    bool isNull() const { return pixelData.empty(); }
    int bytesPerLine() const { return columns * static_cast<int>(sizeof(Rgb)); }
    std::span<const Rgb> pixels() const { return pixelData; }

    Rgb pixel(int x, int y) const;
    void setPixel(int x, int y, Rgb colour);
    // Fills the part of the rectangle that lies inside the picture.
    void fillRect(int x, int y, int width, int height, Rgb colour);

    friend bool operator==(const Image&, const Image&) = default;

private:
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < columns && y < rows; }
    std::size_t indexOf(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(columns) +
               static_cast<std::size_t>(x);
    }

    int columns = 0;
    int rows = 0;
    std::vector<Rgb> pixelData;
};

} // namespace tarnwick
