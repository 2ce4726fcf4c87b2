#pragma once

#include "pixels/GlyphEntry.h"
#include "pixels/Image.h"
#include "rom/Releases.h"

#include <cstdint>

namespace tarnwick {

class RomImage;

// The three results of a sheet build: the small font in three colour bands, 2048 colours as
// 8x8 swatches, and the glyphs as read (the GBA English widths among them).
struct GlyphSheets {
    Image fontSheet;
    Image paletteSheet;
    GlyphTable glyphTable{};
};

// Renders the loaded image's font and colours for its current release and stores the result in
// the document's fontSheet, paletteSheet and glyphTable, replacing the previous ones.
void buildGlyphSheets(RomImage& rom);

// The same build, leaving the document's sheets alone.
GlyphSheets renderGlyphSheets(const RomImage& rom);

// A 15-bit colour (5 bits each of red, green and blue from the low bit up) at 8 bits a component.
Rgb paletteColour(std::uint16_t value);

// Ink colours of colour indices 1-3 in the release's font; index 0 is the band background.
std::array<Rgb, 3> inkColours(RomVariant release);

} // namespace tarnwick
