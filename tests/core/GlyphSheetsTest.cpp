#include "DemoShapes.h"

#include "DemoFont.h"
#include "demo/DemoImage.h"
#include "graphics/GlyphSheets.h"
#include "graphics/SheetLayout.h"
#include "rom/RomImage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tarnwick {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr RomVariant snesEn = RomVariant::SnesEnglish;
constexpr RomVariant snesJa = RomVariant::SnesJapanese;
constexpr RomVariant gbaEn = RomVariant::GbaEnglish;
constexpr RomVariant gbaJa = RomVariant::GbaJapanese;

constexpr Rgb black = rgb(0x00, 0x00, 0x00);
constexpr Rgb grey = rgb(0x80, 0x80, 0x80);
constexpr Rgb white = rgb(0xFF, 0xFF, 0xFF);
// Band backgrounds, top to bottom: light blue, brown-red, navy.
constexpr std::array<Rgb, 3> backgrounds = {rgb(0x80, 0x80, 0xFF), rgb(0x80, 0x40, 0x40),
                                            rgb(0x00, 0x00, 0x80)};

// Colours of indices 1, 2 and 3 in each release's font.
const std::map<RomVariant, std::array<Rgb, 3>> inks = {
    {RomVariant::SnesEnglish, {black, grey, white}},
    {RomVariant::SnesJapanese, {black, grey, white}},
    {RomVariant::GbaEnglish, {white, black, grey}},
    {RomVariant::GbaJapanese, {black, grey, white}},
};

// Where each release keeps its font and its 2048 colours.
const std::map<RomVariant, std::uint64_t> fontOffset = {
    {snesEn, 0x47FC0}, {snesJa, 0x47FC0}, {gbaEn, 0x16236C}, {gbaJa, 0x731618}};
const std::map<RomVariant, std::uint64_t> paletteOffset = {
    {snesEn, 0x126000}, {snesJa, 0x126000}, {gbaEn, 0x6E6000}, {gbaJa, 0x6E6000}};

// Colour index of a pixel of a glyph cell: (code, x, y within the cell) -> 0-3.
using CellPixels = std::function<int(int code, int x, int y)>;

// The font sheet that a font of these pixels gives, worked out from each sheet pixel back to
// the code whose cell holds it.
Image expectedFontSheet(RomVariant release, const CellPixels& pixels) {
    Image sheet(128, 384);
    const int drawnCodes = release == RomVariant::GbaEnglish ? 0xA0 : 0x100;
    for (int y = 0; y < 384; ++y)
        for (int x = 0; x < 128; ++x) {
            const int band = y / 128;
            const int code = (y % 128) / 8 * 16 + x / 8;
            const int index = code < drawnCodes ? pixels(code, x % 8, y % 8) : 0;
            sheet.setPixel(x, y,
                           index == 0 ? backgrounds[static_cast<std::size_t>(band)]
                                      : inks.at(release)[static_cast<std::size_t>(index - 1)]);
        }
    return sheet;
}

CellPixels demoPixels(RomVariant release) {
    return [glyphs = demoFontGlyphs(release)](int code, int x, int y) {
        return int{glyphs[static_cast<std::size_t>(code)]
                       .pixels[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]};
    };
}

std::string hexColour(Rgb colour) {
    char text[16];
    std::snprintf(text, sizeof text, "%06X", colour & 0xFFFFFFu);
    return text;
}

// Empty when both pictures are the same; otherwise where they first differ.
std::string firstDifference(const Image& expected, const Image& actual) {
    if (expected.width() != actual.width() || expected.height() != actual.height())
        return "size " + std::to_string(actual.width()) + "x" + std::to_string(actual.height()) +
               ", expected " + std::to_string(expected.width()) + "x" +
               std::to_string(expected.height());
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if (expected.pixel(x, y) != actual.pixel(x, y))
                return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
                       hexColour(actual.pixel(x, y)) + ", expected " +
                       hexColour(expected.pixel(x, y));
    return {};
}

// A document holding the whole file, loaded the way File > Load settles it.
RomImage adopt(const Bytes& file) {
    RomImage rom;
    rom.adoptFileBytes(file, file.size());
    rom.settleRelease();
    return rom;
}

// An otherwise blank image of a release whose font and colour bytes a test writes by hand.
class HandMadeImage {
public:
    explicit HandMadeImage(RomVariant release, bool copierHeader = false)
        : variant(release), header(copierHeader ? 0x200 : 0),
          file((isGbaVariant(release) ? 0x800000 : 0x130000) + header) {}

    void put(std::uint64_t offset, const Bytes& bytes) {
        std::copy(bytes.begin(), bytes.end(),
                  file.begin() + static_cast<std::ptrdiff_t>(header + offset));
    }
    // A glyph of a fixed-size format, in its place in code order.
    void putGlyph(int code, const Bytes& glyph) {
        put(fontOffset.at(variant) + static_cast<std::uint64_t>(code) * glyph.size(), glyph);
    }
    // All 256 glyphs of the variable-width font, one after another.
    void putGbaEnglishFont(const std::vector<Bytes>& glyphs) {
        Bytes font;
        for (const Bytes& glyph : glyphs)
            font.insert(font.end(), glyph.begin(), glyph.end());
        put(fontOffset.at(variant), font);
    }
    void putColour(int n, std::uint16_t value) {
        put(paletteOffset.at(variant) + 2 * static_cast<std::uint64_t>(n),
            {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)});
    }

    RomImage document() const {
        RomImage rom;
        rom.adoptFileBytes(file, file.size());
        rom.setHeaderSize(static_cast<std::int32_t>(header));
        rom.setJapanese(isJapaneseVariant(variant));
        return rom;
    }

private:
    RomVariant variant;
    std::uint64_t header;
    Bytes file;
};

// Glyph bytes with one pixel row given and all others zero.
Bytes snesGlyph(int row, std::uint8_t plane0, std::uint8_t plane1) {
    Bytes glyph(16);
    glyph[static_cast<std::size_t>(2 * row)] = plane0;
    glyph[static_cast<std::size_t>(2 * row + 1)] = plane1;
    return glyph;
}

Bytes gbaEnglishGlyph(std::uint8_t width, std::uint8_t rowFormat, int row, const Bytes& rowBytes) {
    const std::size_t bytesPerRow = rowFormat > 1 ? 2 : 1;
    Bytes glyph = {width, rowFormat};
    glyph.resize(2 + 8 * bytesPerRow);
    std::copy(rowBytes.begin(), rowBytes.end(),
              glyph.begin() + 2 + static_cast<std::ptrdiff_t>(bytesPerRow) * row);
    return glyph;
}

Bytes gbaJapaneseGlyph(int row, const Bytes& rowBytes) {
    Bytes glyph(32);
    std::copy(rowBytes.begin(), rowBytes.end(), glyph.begin() + 4 * row);
    return glyph;
}

// A glyph of the release's format with every pixel at colour index 3.
Bytes solidGlyph(RomVariant release) {
    switch (release) {
    case RomVariant::SnesEnglish:
    case RomVariant::SnesJapanese:
        return Bytes(16, 0xFF);
    case RomVariant::GbaEnglish: {
        Bytes glyph(18, 0xFF);
        glyph[0] = 8;
        glyph[1] = 2;
        return glyph;
    }
    case RomVariant::GbaJapanese:
        return Bytes(32, 0xFF);
    }
    return {};
}

const Bytes blankGbaEnglishGlyph = gbaEnglishGlyph(0, 0, 0, {});

std::vector<Bytes> gbaEnglishFontWith(int code, const Bytes& glyph) {
    std::vector<Bytes> font(256, blankGbaEnglishGlyph);
    font[static_cast<std::size_t>(code)] = glyph;
    return font;
}

// ---- The demo images ---------------------------------------------------------------------

TEST(GlyphSheets, DemoFontsFillEveryCellOfAllThreeBands) {
    for (const test::ImageCase& shape : test::everyShape) {
        SCOPED_TRACE(test::describe(shape));
        RomImage rom = adopt(buildDemoImage({shape.release, shape.header, shape.tail}));
        ASSERT_EQ(rom.variant(), shape.release);
        buildGlyphSheets(rom);
        EXPECT_EQ(firstDifference(expectedFontSheet(shape.release, demoPixels(shape.release)),
                                  rom.fontSheet),
                  "");
        if (shape.release != RomVariant::GbaEnglish)
            continue;
        // The widths that GBA English text advances by; the demo font has glyphs of both row
        // formats, so one read at the wrong length would shift every width after it.
        const auto glyphs = demoFontGlyphs(shape.release);
        for (std::size_t code = 0; code < glyphs.size(); ++code)
            EXPECT_EQ(rom.glyphTable[code].width, glyphs[code].width) << code;
    }
}

// ---- Pixel formats -----------------------------------------------------------------------

TEST(GlyphSheets, EachFormatGivesTheColourIndicesOfItsBytes) {
    struct Case {
        const char* what;
        RomVariant release;
        Bytes glyph; // of code 0x41
        int row;
        std::array<int, 8> indices; // of that row; every other row is background
    };
    // clang-format off
    const Case cases[] = {
        {"SNES plane 0 alone is black", snesEn,
         snesGlyph(0, 0x80, 0x00), 0, {1, 0, 0, 0, 0, 0, 0, 0}},
        {"SNES plane 1 alone is grey", snesEn,
         snesGlyph(0, 0x00, 0x80), 0, {2, 0, 0, 0, 0, 0, 0, 0}},
        {"SNES both planes are white", snesEn,
         snesGlyph(0, 0x80, 0x80), 0, {3, 0, 0, 0, 0, 0, 0, 0}},
        {"SNES bit 0 is the rightmost pixel", snesJa,
         snesGlyph(7, 0x01, 0x01), 7, {0, 0, 0, 0, 0, 0, 0, 3}},
        {"SNES mixed planes", snesJa,
         snesGlyph(3, 0xAA, 0xCC), 3, {3, 2, 1, 0, 3, 2, 1, 0}},
        {"GBA English one-byte row, leftmost pixel in the low bits", gbaEn,
         gbaEnglishGlyph(4, 1, 0, {0x1B}), 0, {3, 2, 1, 0, 0, 0, 0, 0}},
        {"GBA English row format 0 is one byte a row", gbaEn,
         gbaEnglishGlyph(4, 0, 5, {0xFF}), 5, {3, 3, 3, 3, 0, 0, 0, 0}},
        {"GBA English two-byte row", gbaEn,
         gbaEnglishGlyph(8, 2, 0, {0x1B, 0xE4}), 0, {3, 2, 1, 0, 0, 1, 2, 3}},
        {"GBA English any row format above 1 is two bytes a row", gbaEn,
         gbaEnglishGlyph(8, 0x80, 7, {0x00, 0xFF}), 7, {0, 0, 0, 0, 3, 3, 3, 3}},
        {"GBA Japanese low nibble is the left pixel", gbaJa,
         gbaJapaneseGlyph(0, {0x5A}), 0, {2, 1, 0, 0, 0, 0, 0, 0}},
        {"GBA Japanese only the two low bits of a nibble count", gbaJa,
         gbaJapaneseGlyph(5, {0xC4, 0x9E, 0x00, 0xF3}), 5, {0, 0, 2, 1, 0, 0, 3, 3}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HandMadeImage image(c.release);
        if (c.release == RomVariant::GbaEnglish)
            image.putGbaEnglishFont(gbaEnglishFontWith(0x41, c.glyph));
        else
            image.putGlyph(0x41, c.glyph);
        const Image sheet = renderGlyphSheets(image.document()).fontSheet;
        const CellPixels pixels = [&c](int code, int x, int y) {
            return code == 0x41 && y == c.row ? c.indices[static_cast<std::size_t>(x)] : 0;
        };
        EXPECT_EQ(firstDifference(expectedFontSheet(c.release, pixels), sheet), "");
    }
}

TEST(GlyphSheets, CodeCellsSitInRowsOfSixteenInEachBand) {
    // Code 0x8D: cell column 0xD, cell row 8, so x 104-111 and y 64-71 within each band.
    for (RomVariant release : allReleases) {
        SCOPED_TRACE(std::string(releaseName(release)));
        HandMadeImage image(release);
        if (release == RomVariant::GbaEnglish)
            image.putGbaEnglishFont(gbaEnglishFontWith(0x8D, solidGlyph(release)));
        else
            image.putGlyph(0x8D, solidGlyph(release));
        const Image sheet = renderGlyphSheets(image.document()).fontSheet;

        Image expected(128, 384);
        const Rgb ink = inks.at(release)[2];
        const int cellTops[] = {64, 192, 320};
        for (std::size_t band = 0; band < 3; ++band) {
            expected.fillRect(0, static_cast<int>(band) * 128, 128, 128, backgrounds[band]);
            expected.fillRect(104, cellTops[band], 8, 8, ink);
        }
        EXPECT_EQ(firstDifference(expected, sheet), "");
    }
}

TEST(GlyphSheets, GbaEnglishCellsFromA0OnShowOnlyTheBackground) {
    HandMadeImage image(RomVariant::GbaEnglish);
    image.putGbaEnglishFont(std::vector<Bytes>(256, solidGlyph(RomVariant::GbaEnglish)));
    const GlyphSheets sheets = renderGlyphSheets(image.document());
    const CellPixels solidBelowA0 = [](int code, int, int) { return code < 0xA0 ? 3 : 0; };
    EXPECT_EQ(
        firstDifference(expectedFontSheet(RomVariant::GbaEnglish, solidBelowA0), sheets.fontSheet),
        "");
    // Their glyphs are still read, so the table knows every width.
    EXPECT_EQ(sheets.glyphTable[0xA0].width, 8);
    EXPECT_EQ(sheets.glyphTable[0xFF].rowFormat, 2);
}

TEST(GlyphSheets, GbaEnglishGlyphLengthMovesEveryLaterGlyph) {
    std::vector<Bytes> font(256, blankGbaEnglishGlyph);
    Bytes wide = gbaEnglishGlyph(8, 2, 0, {0x55, 0x55}); // 18 bytes
    wide[2 + 2 * 7 + 1] = 0x40;                          // row 7, pixel 7
    font[0x10] = wide;
    font[0x11] = gbaEnglishGlyph(3, 1, 0, {0x3F});
    font[0x12] = gbaEnglishGlyph(2, 0, 7, {0x02});
    font[0xFF] = gbaEnglishGlyph(0x2A, 1, 7, {0x99});
    HandMadeImage image(RomVariant::GbaEnglish);
    image.putGbaEnglishFont(font);
    const GlyphSheets sheets = renderGlyphSheets(image.document());

    const CellPixels pixels = [](int code, int x, int y) {
        if (code == 0x10)
            return y == 0 ? 1 : (y == 7 && x == 7 ? 1 : 0);
        if (code == 0x11)
            return y == 0 && x < 3 ? 3 : 0;
        if (code == 0x12)
            return y == 7 && x == 0 ? 2 : 0;
        return 0;
    };
    EXPECT_EQ(firstDifference(expectedFontSheet(RomVariant::GbaEnglish, pixels), sheets.fontSheet),
              "");

    struct Expected {
        int code;
        std::uint8_t width;
        std::uint8_t rowFormat;
        std::array<std::uint8_t, 4> lastRow;
    };
    const Expected table[] = {
        {0x10, 8, 2, {0x00, 0x40, 0, 0}},
        {0x11, 3, 1, {0, 0, 0, 0}},
        {0x12, 2, 0, {0x02, 0, 0, 0}},
        {0xFF, 0x2A, 1, {0x99, 0, 0, 0}},
    };
    for (const Expected& e : table) {
        SCOPED_TRACE(e.code);
        const GlyphEntry& entry = sheets.glyphTable[static_cast<std::size_t>(e.code)];
        EXPECT_EQ(entry.width, e.width);
        EXPECT_EQ(entry.rowFormat, e.rowFormat);
        EXPECT_EQ(entry.rows[7], e.lastRow);
    }
}

// ---- Colours -----------------------------------------------------------------------------

TEST(GlyphSheets, PaletteSwatchesShowFifteenBitColours) {
    struct Case {
        int n;
        std::uint16_t value;
        Rgb colour;
        int x;
        int y;
    };
    const Case cases[] = {
        {0, 0x7FFF, rgb(0xF8, 0xF8, 0xF8), 0, 0},
        {1, 0x001F, rgb(0xF8, 0x00, 0x00), 8, 0},
        {15, 0x1234, rgb(0xA0, 0x88, 0x20), 120, 0}, // low byte first
        {16, 0x03E0, rgb(0x00, 0xF8, 0x00), 0, 8},
        {100, 0x8000, black, 32, 48},
        {101, 0xFFFF, rgb(0xF8, 0xF8, 0xF8), 40, 48},
        {1000, 0x0421, rgb(0x08, 0x08, 0x08), 64, 496},
        {2047, 0x7C00, rgb(0x00, 0x00, 0xF8), 120, 1016},
    };
    for (RomVariant release : allReleases) {
        SCOPED_TRACE(std::string(releaseName(release)));
        HandMadeImage image(release, release == snesEn);
        Image expected(128, 1024, black);
        for (const Case& c : cases) {
            image.putColour(c.n, c.value);
            expected.fillRect(c.x, c.y, 8, 8, c.colour);
        }
        EXPECT_EQ(firstDifference(expected, renderGlyphSheets(image.document()).paletteSheet), "");
    }
}

// ---- Release switches --------------------------------------------------------------------

TEST(GlyphSheets, JapaneseSwitchOnSnesRebuildsTheSameSheets) {
    for (RomVariant release : {RomVariant::SnesEnglish, RomVariant::SnesJapanese}) {
        SCOPED_TRACE(std::string(releaseName(release)));
        RomImage rom = adopt(buildDemoImage({release, true, 0}));
        const GlyphSheets before = renderGlyphSheets(rom);
        rom.setJapanese(!rom.isJapanese());
        const GlyphSheets after = renderGlyphSheets(rom);
        EXPECT_EQ(firstDifference(before.fontSheet, after.fontSheet), "");
        EXPECT_EQ(firstDifference(before.paletteSheet, after.paletteSheet), "");
        EXPECT_TRUE(before.glyphTable == after.glyphTable);
    }
}

TEST(GlyphSheets, JapaneseSwitchOnGbaChangesFontButNotPalette) {
    // A GBA English demo image that also carries the Japanese demo font in its place.
    Bytes file = buildDemoImage({RomVariant::GbaEnglish});
    const FontPlacement& japaneseFont = fontPlacement[variantIndex(RomVariant::GbaJapanese)];
    for (const DemoArea& area : demoImageAreas(RomVariant::GbaEnglish))
        ASSERT_TRUE(area.area.end() <= japaneseFont.offset ||
                    area.area.offset >= japaneseFont.offset + japaneseFont.maxLength)
            << area.name;
    const Bytes font = encodeDemoFont(RomVariant::GbaJapanese);
    std::copy(font.begin(), font.end(),
              file.begin() + static_cast<std::ptrdiff_t>(japaneseFont.offset));

    RomImage rom = adopt(file);
    ASSERT_EQ(rom.variant(), RomVariant::GbaEnglish);
    buildGlyphSheets(rom);
    const Image englishPalette = rom.paletteSheet;
    const Image english = expectedFontSheet(RomVariant::GbaEnglish, demoPixels(rom.variant()));
    EXPECT_EQ(firstDifference(english, rom.fontSheet), "");

    rom.setJapanese(true);
    buildGlyphSheets(rom);
    EXPECT_EQ(firstDifference(
                  expectedFontSheet(RomVariant::GbaJapanese, demoPixels(RomVariant::GbaJapanese)),
                  rom.fontSheet),
              "");
    EXPECT_EQ(firstDifference(englishPalette, rom.paletteSheet), "");

    rom.setJapanese(false);
    buildGlyphSheets(rom);
    EXPECT_EQ(firstDifference(english, rom.fontSheet), "");
    EXPECT_EQ(rom.glyphTable, renderGlyphSheets(rom).glyphTable);
}

} // namespace
} // namespace tarnwick
