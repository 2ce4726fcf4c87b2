#include "graphics/GlyphSheets.h"

#include "graphics/SheetLayout.h"
#include "rom/RomImage.h"

namespace tarnwick {
namespace {

// Reads the image byte after byte from an offset, like the document's own cursor but without
// changing it, so a build can run on a const document.
class ByteReader {
public:
    ByteReader(const RomImage& rom, std::uint64_t offset) : image(rom), position(offset) {}
    std::uint8_t next() { return image.readByte(position++); }

private:
    const RomImage& image;
    std::uint64_t position;
};

GlyphTable readGlyphs(const RomImage& rom, const FontPlacement& font) {
    GlyphTable glyphs{};
    ByteReader reader(rom, font.offset);
    for (GlyphEntry& glyph : glyphs) {
        int bytesPerRow = 4;
        switch (font.format) {
        case FontFormat::SnesPlanar2bpp:
            bytesPerRow = 2;
            break;
        case FontFormat::GbaEnglishVariable:
            glyph.width = reader.next();
            glyph.rowFormat = reader.next();
            bytesPerRow = glyph.rowFormat > 1 ? 2 : 1;
            break;
        case FontFormat::GbaJapanese4bpp:
            bytesPerRow = 4;
            break;
        }
        for (auto& row : glyph.rows)
            for (int i = 0; i < bytesPerRow; ++i)
                row[static_cast<std::size_t>(i)] = reader.next();
    }
    return glyphs;
}

// Colour index (0-3) of pixel x of a glyph row, or -1 where the format leaves the pixel out.
int colourIndex(FontFormat format, const GlyphEntry& glyph, int row, int x) {
    const auto& bytes = glyph.rows[static_cast<std::size_t>(row)];
    switch (format) {
    case FontFormat::SnesPlanar2bpp: {
        const int bit = 7 - x;
        return ((bytes[0] >> bit) & 1) | (((bytes[1] >> bit) & 1) << 1);
    }
    case FontFormat::GbaEnglishVariable: {
        // Four pixels a byte, leftmost in the low bits; a one-byte row covers pixels 0-3 only.
        const int byteIndex = x / 4;
        if (byteIndex > 0 && glyph.rowFormat <= 1)
            return -1;
        return (bytes[static_cast<std::size_t>(byteIndex)] >> (2 * (x % 4))) & 3;
    }
    case FontFormat::GbaJapanese4bpp: {
        // Two pixels a byte, left in the low nibble; only the nibble's two low bits count.
        const std::uint8_t byte = bytes[static_cast<std::size_t>(x / 2)];
        const int nibble = x % 2 == 0 ? byte & 0x0F : byte >> 4;
        return nibble & 3;
    }
    }
    return -1;
}

void drawFontBands(Image& sheet, const GlyphTable& glyphs, const FontPlacement& font,
                   const std::array<Rgb, 3>& ink) {
    for (int band = 0; band < fontBandCount; ++band) {
        const auto scheme = static_cast<ListScheme>(band);
        const Rgb background = schemeBackground(scheme);
        // Cells that the variable-width font leaves out show the band background.
        sheet.fillRect(0, bandTop(scheme), fontSheetWidth, fontBandHeight, background);
        for (int code = 0; code < font.glyphsDrawn; ++code) {
            const auto c = static_cast<std::uint8_t>(code);
            const GlyphEntry& glyph = glyphs[c];
            for (int row = 0; row < cellSize; ++row)
                for (int x = 0; x < cellSize; ++x) {
                    const int index = colourIndex(font.format, glyph, row, x);
                    if (index < 0)
                        continue;
                    sheet.setPixel(cellX(c) + x, cellY(c, scheme) + row,
                                   index == 0 ? background
                                              : ink[static_cast<std::size_t>(index - 1)]);
                }
        }
    }
}

Image drawPalette(const RomImage& rom, const ByteArea& area) {
    Image sheet(paletteSheetWidth, paletteSheetHeight);
    for (int colour = 0; colour < paletteColourCount; ++colour) {
        const std::uint16_t value =
            rom.readWord(area.offset + 2 * static_cast<std::uint64_t>(colour));
        sheet.fillRect(swatchX(colour), swatchY(colour), cellSize, cellSize, paletteColour(value));
    }
    return sheet;
}

} // namespace

Rgb paletteColour(std::uint16_t value) {
    const auto component = [value](int shift) {
        return static_cast<std::uint8_t>(((value >> shift) & 0x1F) << 3);
    };
    return rgb(component(0), component(5), component(10));
}

std::array<Rgb, 3> inkColours(RomVariant release) {
    const Rgb black = rgb(0, 0, 0);
    const Rgb grey = rgb(0x80, 0x80, 0x80);
    const Rgb white = rgb(0xFF, 0xFF, 0xFF);
    if (release == RomVariant::GbaEnglish)
        return {white, black, grey};
    return {black, grey, white};
}

GlyphSheets renderGlyphSheets(const RomImage& rom) {
    const RomVariant release = rom.variant();
    const FontPlacement& font = fontPlacement[variantIndex(release)];
    GlyphSheets sheets;
    sheets.glyphTable = readGlyphs(rom, font);
    sheets.fontSheet = Image(fontSheetWidth, fontSheetHeight);
    drawFontBands(sheets.fontSheet, sheets.glyphTable, font, inkColours(release));
    sheets.paletteSheet = drawPalette(rom, paletteArea[variantIndex(release)]);
    return sheets;
}

void buildGlyphSheets(RomImage& rom) {
    GlyphSheets sheets = renderGlyphSheets(rom);
    rom.fontSheet = std::move(sheets.fontSheet);
    rom.paletteSheet = std::move(sheets.paletteSheet);
    rom.glyphTable = sheets.glyphTable;
}

} // namespace tarnwick
