#pragma once

#include "pixels/Image.h"

#include <array>
#include <cstdint>

namespace tarnwick {

// The lists paint game text in three colour schemes; the font sheet holds one band of the
// whole font per scheme, each drawn on that scheme's background so that a character is a plain
// block copy.
enum class ListScheme { Highlight = 0, Current = 1, Normal = 2 };

inline constexpr int cellSize = 8;
inline constexpr int cellsPerRow = 16;
inline constexpr int fontSheetWidth = cellsPerRow * cellSize; // 128
inline constexpr int fontBandHeight = 16 * cellSize;          // 128
inline constexpr int fontBandCount = 3;
inline constexpr int fontSheetHeight = fontBandCount * fontBandHeight; // 384

inline constexpr int paletteSheetWidth = 16 * cellSize;   // 128
inline constexpr int paletteSheetHeight = 128 * cellSize; // 1024

// Band backgrounds in band order: highlight light blue, current brown-red, normal navy.
inline constexpr std::array<Rgb, fontBandCount> bandBackground = {
    rgb(0x80, 0x80, 0xFF), rgb(0x80, 0x40, 0x40), rgb(0x00, 0x00, 0x80)};

constexpr int bandTop(ListScheme scheme) {
    return static_cast<int>(scheme) * fontBandHeight;
}
constexpr Rgb schemeBackground(ListScheme scheme) {
    return bandBackground[static_cast<std::size_t>(scheme)];
}

// Top-left corner of character code's cell within a band.
constexpr int cellX(std::uint8_t code) {
    return (code & 0x0F) * cellSize;
}
constexpr int cellY(std::uint8_t code, ListScheme scheme) {
    return bandTop(scheme) + (code >> 4) * cellSize;
}

// Top-left corner of colour n's 8x8 swatch in the palette sheet.
constexpr int swatchX(int colour) {
    return (colour & 15) * cellSize;
}
constexpr int swatchY(int colour) {
    return (colour >> 4) * cellSize;
}

} // namespace tarnwick
