#pragma once

#include <array>
#include <cstdint>

namespace tarnwick {

// One glyph of the small font as read from the image. The width and row format come from the
// GBA English glyph header and stay zero on the other releases; rows hold each pixel row's
// bytes in the release's own layout (2 bytes a row on SNES, 1 or 2 on GBA English, 4 on GBA
// Japanese).
struct GlyphEntry {
    std::uint8_t width = 0;
    std::uint8_t rowFormat = 0;
    std::array<std::array<std::uint8_t, 4>, 8> rows{};

    friend bool operator==(const GlyphEntry&, const GlyphEntry&) = default;
};

inline constexpr int glyphTableSize = 256;
using GlyphTable = std::array<GlyphEntry, glyphTableSize>;

} // namespace tarnwick
