#pragma once

#include "rom/Releases.h"

#include <array>
#include <cstdint>
#include <vector>

// The small font of the demo images: a hand-drawn 8x8 alphabet, digits, punctuation and
// katakana, white letters with a dark drop shadow, laid out in each release's character codes
// and stored in each release's font format.
namespace tarnwick {

// One glyph as the sheets show it: colour indices 0-3 of its 8x8 cell, and its width in pixels
// (the advance that GBA English uses; 8 elsewhere). Cells the font leaves empty are blank and,
// on GBA English, zero pixels wide.
struct DemoGlyph {
    int width = 8;
    std::array<std::array<std::uint8_t, 8>, 8> pixels{};
};

std::array<DemoGlyph, fontGlyphCount> demoFontGlyphs(RomVariant release);

// All 256 glyphs of the release's demo font in its own format, ready to be stored at the
// release's font placement: 16 bytes a glyph of two bit planes (SNES); width, row format and
// one or two bytes a row (GBA English); 32 bytes a glyph of 4-bit pixels (GBA Japanese).
std::vector<std::uint8_t> encodeDemoFont(RomVariant release);

} // namespace tarnwick
