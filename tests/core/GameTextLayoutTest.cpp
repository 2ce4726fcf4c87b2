#include "graphics/GameTextLayout.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace tarnwick {

void PrintTo(const GlyphBlit& blit, std::ostream* out) {
    *out << "from (" << blit.sourceX << ", " << blit.sourceY << ") " << blit.width << "x"
         << blit.height << " to (" << blit.targetX << ", " << blit.targetY << ")";
}

namespace {

using Blits = std::vector<GlyphBlit>;
using Codes = std::vector<std::uint8_t>;

constexpr RomVariant snesEn = RomVariant::SnesEnglish;
constexpr RomVariant snesJa = RomVariant::SnesJapanese;
constexpr RomVariant gbaEn = RomVariant::GbaEnglish;
constexpr RomVariant gbaJa = RomVariant::GbaJapanese;
constexpr ListScheme highlight = ListScheme::Highlight;
constexpr ListScheme current = ListScheme::Current;
constexpr ListScheme normalScheme = ListScheme::Normal;
constexpr TextPlace row = TextPlace::ListRow;
constexpr TextPlace field = TextPlace::SelectionField;

// An 8x8 cell copied from (x, y) of the sheet to (x', y') of the item.
GlyphBlit cell(int sourceX, int sourceY, int targetX, int targetY) {
    return {sourceX, sourceY, 8, 8, targetX, targetY};
}
// The voiced (x 8) or semi-voiced (x 16) mark: the lower four rows of its cell in band 44.
GlyphBlit voicedMark(int band, int targetX, int targetY) {
    return {8, band + 44, 8, 4, targetX, targetY};
}
GlyphBlit semiVoicedMark(int band, int targetX, int targetY) {
    return {16, band + 44, 8, 4, targetX, targetY};
}

Blits layout(const Codes& text, RomVariant release, ListScheme scheme = normalScheme,
             TextPlace place = row, const GlyphTable& glyphs = {}) {
    Blits blits = {{1, 2, 3, 4, 5, 6}}; // whatever was there before is replaced
    layoutGameText(text, release, glyphs, scheme, place, blits);
    return blits;
}

// Widths of some GBA English glyphs; all others are zero pixels wide.
GlyphTable gbaWidths(std::initializer_list<std::pair<int, int>> widths) {
    GlyphTable table{};
    for (const auto& [code, width] : widths)
        table[static_cast<std::size_t>(code)].width = static_cast<std::uint8_t>(width);
    return table;
}

TEST(GameTextLayout, FixedWidthTextAdvancesACellAtATime) {
    struct Case {
        const char* what;
        Codes text;
        RomVariant release;
        ListScheme scheme;
        TextPlace place;
        Blits expected;
    };
    const int normal = 256;
    // clang-format off
    const Case cases[] = {
        {"list row starts 6 in, cells sit 4 down", {0x80, 0x93}, snesEn, normalScheme, row,
         {cell(0, normal + 64, 6, 4), cell(24, normal + 72, 14, 4)}},
        {"selection field starts 4 in and 3 down", {0x80, 0x93}, snesEn, normalScheme, field,
         {cell(0, normal + 64, 4, 7), cell(24, normal + 72, 12, 7)}},
        {"highlight band", {0x8D}, gbaJa, highlight, row, {cell(104, 64, 6, 4)}},
        {"current band", {0x8D}, snesJa, current, row, {cell(104, 128 + 64, 6, 4)}},
        {"empty text shows the cell of 0xFF", {}, snesEn, normalScheme, row,
         {cell(120, normal + 120, 6, 4)}},
        {"empty text in the field", {}, gbaJa, highlight, field, {cell(120, 120, 4, 7)}},
        {"a leading 0xFE is not drawn", {0xFE, 0x00, 0x0F}, snesEn, normalScheme, row,
         {cell(0, normal, 6, 4), cell(120, normal, 14, 4)}},
        {"0xFE later on is a glyph", {0x00, 0xFE}, snesEn, normalScheme, row,
         {cell(0, normal, 6, 4), cell(112, normal + 120, 14, 4)}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(layout(c.text, c.release, c.scheme, c.place), c.expected);
    }
}

TEST(GameTextLayout, JapaneseKanaCarryTheirMarksAboveTheBaseGlyph) {
    struct Case {
        const char* what;
        Codes text;
        Blits expected; // in the normal band, as a list row
    };
    const int band = 256;
    // clang-format off
    const Case cases[] = {
        {"0x20 is 0x60 voiced", {0x20}, {voicedMark(band, 6, 0), cell(0, band + 48, 6, 4)}},
        {"0x48 is 0x88 voiced", {0x48}, {voicedMark(band, 6, 0), cell(64, band + 64, 6, 4)}},
        {"0x49 is 0x60 semi-voiced", {0x49},
         {semiVoicedMark(band, 6, 0), cell(0, band + 48, 6, 4)}},
        {"0x52 is 0x69 semi-voiced", {0x52},
         {semiVoicedMark(band, 6, 0), cell(72, band + 48, 6, 4)}},
        {"codes either side of the ranges are plain", {0x1F, 0x53},
         {cell(120, band + 8, 6, 4), cell(24, band + 40, 14, 4)}},
        {"marks move with the pen", {0x53, 0x21, 0x4A},
         {cell(24, band + 40, 6, 4), voicedMark(band, 14, 0), cell(8, band + 48, 14, 4),
          semiVoicedMark(band, 22, 0), cell(8, band + 48, 22, 4)}},
        {"a leading 0xFE turns composition off", {0xFE, 0x21, 0x49},
         {cell(8, band + 16, 6, 4), cell(72, band + 32, 14, 4)}},
    };
    // clang-format on
    for (RomVariant release : {snesJa, gbaJa})
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(releaseName(release)) + ": " + c.what);
            EXPECT_EQ(layout(c.text, release), c.expected);
        }

    // In the selection field the mark sits 3 down and the glyph 7 down, like any glyph there.
    EXPECT_EQ(layout({0x20}, snesJa, normalScheme, field),
              (Blits{voicedMark(band, 4, 3), cell(0, band + 48, 4, 7)}));
    // The marks come from the band of the scheme.
    EXPECT_EQ(layout({0x49}, gbaJa, current),
              (Blits{semiVoicedMark(128, 6, 0), cell(0, 128 + 48, 6, 4)}));
}

TEST(GameTextLayout, EnglishReleasesComposeNoMarks) {
    for (RomVariant release : {snesEn, gbaEn}) {
        SCOPED_TRACE(std::string(releaseName(release)));
        const GlyphTable glyphs = gbaWidths({{0x20, 8}, {0x49, 8}});
        const int second = release == gbaEn ? 6 + 9 : 6 + 8;
        EXPECT_EQ(layout({0x20, 0x49}, release, normalScheme, row, glyphs),
                  (Blits{cell(0, 256 + 16, 6, 4), cell(72, 256 + 32, second, 4)}));
    }
}

TEST(GameTextLayout, GbaEnglishGlyphsAreTheirOwnWidthPlusOnePixel) {
    struct Case {
        const char* what;
        Codes text;
        GlyphTable glyphs;
        Blits expected; // normal band, list row
    };
    const int band = 256;
    // clang-format off
    const Case cases[] = {
        {"two glyphs of width 5 advance 6 each", {0x24, 0x24, 0x11},
         gbaWidths({{0x24, 5}, {0x11, 3}}),
         {{32, band + 16, 5, 8, 6, 4}, {32, band + 16, 5, 8, 12, 4}, {8, band + 8, 3, 8, 18, 4}}},
        {"a zero-width glyph still advances one pixel", {0x30, 0x31}, gbaWidths({{0x31, 4}}),
         {{0, band + 24, 0, 8, 6, 4}, {8, band + 24, 4, 8, 7, 4}}},
        {"a glyph wider than its cell copies on into the next one", {0x0E, 0x01},
         gbaWidths({{0x0E, 12}, {0x01, 2}}),
         {{112, band, 12, 8, 6, 4}, {8, band, 2, 8, 19, 4}}},
        {"the copy stops at the sheet's right edge, the advance does not", {0x0F, 0x01},
         gbaWidths({{0x0F, 12}, {0x01, 2}}),
         {{120, band, 8, 8, 6, 4}, {8, band, 2, 8, 19, 4}}},
        {"empty text shows 0xFF at its width", {}, gbaWidths({{0xFF, 6}}),
         {{120, band + 120, 6, 8, 6, 4}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(layout(c.text, gbaEn, normalScheme, row, c.glyphs), c.expected);
    }
    // The widths matter on GBA English only.
    EXPECT_EQ(layout({0x14, 0x14}, gbaJa, normalScheme, row, gbaWidths({{0x14, 5}})),
              (Blits{cell(32, band + 8, 6, 4), cell(32, band + 8, 14, 4)}));
}

TEST(GameTextLayout, SchemeFollowsHighlightThenCurrentAndFieldIsAlwaysNormal) {
    struct Case {
        bool highlighted;
        bool isCurrent;
        TextPlace place;
        ListScheme expected;
    };
    const Case cases[] = {
        {false, false, row, normalScheme},   {false, true, row, current},
        {true, false, row, highlight},       {true, true, row, highlight},
        {false, false, field, normalScheme}, {false, true, field, normalScheme},
        {true, false, field, normalScheme},  {true, true, field, normalScheme},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.highlighted) + std::to_string(c.isCurrent) +
                     (c.place == row ? " row" : " field"));
        EXPECT_EQ(listSchemeFor(c.highlighted, c.isCurrent, c.place), c.expected);
    }
}

// A glyph of a monster-list line: the normal band, 5 pixels down.
GlyphBlit lineGlyph(std::uint8_t code, int x, int width = 8) {
    return {cellX(code), cellY(code, normalScheme), width, 8, x, 5};
}

Blits chestLine(const Codes& left, const Codes& right, RomVariant release, int rowWidth = 201,
                const GlyphTable& glyphs = {}) {
    Blits blits = {{1, 2, 3, 4, 5, 6}}; // whatever was there before is replaced
    layoutChestLine(left, right, release, glyphs, rowWidth, blits);
    return blits;
}

// Two-word names on every release: the space inside a name is a blank of one glyph's width,
// the padding after it draws nothing, and the right entry starts at the middle of the row
// whatever the left one holds.
TEST(ChestLineLayout, NamesKeepTheirSpacesAndTheRightEntryStartsAtTheMiddle) {
    const Codes left = {0x80, 0xFF, 0x81, 0xFF, 0xFF};
    const Codes right = {0x82, 0xFF, 0x83, 0xFF};
    for (RomVariant release : {snesEn, snesJa, gbaJa}) {
        SCOPED_TRACE(releaseName(release));
        EXPECT_EQ(chestLine(left, right, release),
                  (Blits{lineGlyph(0x80, 2), lineGlyph(0x81, 18), lineGlyph(0x82, 101),
                         lineGlyph(0x83, 117)}));
    }
    const GlyphTable widths = gbaWidths({{0x80, 5}, {0x81, 6}, {0x82, 4}, {0x83, 3}, {0xFF, 3}});
    EXPECT_EQ(chestLine(left, right, gbaEn, 201, widths),
              (Blits{lineGlyph(0x80, 2, 5), lineGlyph(0x81, 10, 6), lineGlyph(0x82, 101, 4),
                     lineGlyph(0x83, 108, 3)}));
    // GBA English names use their own space glyph, drawn like any other.
    EXPECT_EQ(chestLine({0x67}, {}, gbaEn, 201, gbaWidths({{0x67, 3}})),
              (Blits{lineGlyph(0x67, 2, 3)}));
}

TEST(ChestLineLayout, LongLeftEntriesEmptyEntriesAndMarks) {
    Blits expected;
    for (int i = 0; i < 20; ++i)
        expected.push_back(lineGlyph(0x80, 2 + 8 * i));
    expected.push_back(lineGlyph(0x82, 100));
    EXPECT_EQ(chestLine(Codes(20, 0x80), {0x82}, snesEn, 200), expected);
    EXPECT_EQ(chestLine({}, {}, snesEn), Blits{});
    EXPECT_EQ(chestLine({}, {0xFF, 0xFF}, snesJa), Blits{});
    // A marked kana in the right entry carries its mark there too.
    EXPECT_EQ(chestLine({}, {0x20}, gbaJa, 200),
              (Blits{{8, bandTop(normalScheme) + 44, 8, 4, 100, 1}, lineGlyph(0x60, 100)}));
}

} // namespace
} // namespace tarnwick
