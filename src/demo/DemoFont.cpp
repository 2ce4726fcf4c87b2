#include "DemoFont.h"

#include "DemoCharacters.h"

#include <cassert>
#include <string_view>

namespace tarnwick {

namespace {

// A picture of one glyph: rows top to bottom separated by '|', '#' for the letter's own pixels.
// The white letter gets its dark drop shadow when it is drawn, so pictures are at most seven
// pixels wide and leave the shadow's column free.
struct GlyphArt {
    std::string_view key;
    std::string_view rows;
};

// Capitals, small letters, digits, punctuation and the space, five pixels wide where they can be.
constexpr GlyphArt latinArt[] = {
    {"A", ".###.|#...#|#...#|#####|#...#|#...#|#...#"},
    {"B", "####.|#...#|#...#|####.|#...#|#...#|####."},
    {"C", ".###.|#...#|#....|#....|#....|#...#|.###."},
    {"D", "####.|#...#|#...#|#...#|#...#|#...#|####."},
    {"E", "#####|#....|#....|####.|#....|#....|#####"},
    {"F", "#####|#....|#....|####.|#....|#....|#...."},
    {"G", ".###.|#...#|#....|#.###|#...#|#...#|.####"},
    {"H", "#...#|#...#|#...#|#####|#...#|#...#|#...#"},
    {"I", "###|.#.|.#.|.#.|.#.|.#.|###"},
    {"J", "..###|...#.|...#.|...#.|...#.|#..#.|.##.."},
    {"K", "#...#|#..#.|#.#..|##...|#.#..|#..#.|#...#"},
    {"L", "#...|#...|#...|#...|#...|#...|####"},
    {"M", "#.....#|##...##|#.#.#.#|#..#..#|#.....#|#.....#|#.....#"},
    {"N", "#...#|##..#|#.#.#|#..##|#...#|#...#|#...#"},
    {"O", ".###.|#...#|#...#|#...#|#...#|#...#|.###."},
    {"P", "####.|#...#|#...#|####.|#....|#....|#...."},
    {"Q", ".###.|#...#|#...#|#...#|#.#.#|#..#.|.##.#"},
    {"R", "####.|#...#|#...#|####.|#.#..|#..#.|#...#"},
    {"S", ".####|#....|#....|.###.|....#|....#|####."},
    {"T", "#####|..#..|..#..|..#..|..#..|..#..|..#.."},
    {"U", "#...#|#...#|#...#|#...#|#...#|#...#|.###."},
    {"V", "#...#|#...#|#...#|#...#|#...#|.#.#.|..#.."},
    {"W", "#.....#|#.....#|#.....#|#..#..#|#.#.#.#|##...##|#.....#"},
    {"X", "#...#|#...#|.#.#.|..#..|.#.#.|#...#|#...#"},
    {"Y", "#...#|#...#|.#.#.|..#..|..#..|..#..|..#.."},
    {"Z", "#####|....#|...#.|..#..|.#...|#....|#####"},
    {"a", ".....|.....|.###.|....#|.####|#...#|.####"},
    {"b", "#....|#....|####.|#...#|#...#|#...#|####."},
    {"c", "....|....|.###|#...|#...|#...|.###"},
    {"d", "....#|....#|.####|#...#|#...#|#...#|.####"},
    {"e", ".....|.....|.###.|#...#|#####|#....|.###."},
    {"f", "..##|.#..|####|.#..|.#..|.#..|.#.."},
    {"g", ".....|.....|.####|#...#|#...#|.####|....#|.###."},
    {"h", "#....|#....|####.|#...#|#...#|#...#|#...#"},
    {"i", ".#.|...|##.|.#.|.#.|.#.|###"},
    {"j", "...#|....|..##|...#|...#|...#|#..#|.##."},
    {"k", "#...|#...|#..#|#.#.|##..|#.#.|#..#"},
    {"l", "##.|.#.|.#.|.#.|.#.|.#.|###"},
    {"m", ".......|.......|###.##.|#..#..#|#..#..#|#..#..#|#..#..#"},
    {"n", ".....|.....|####.|#...#|#...#|#...#|#...#"},
    {"o", ".....|.....|.###.|#...#|#...#|#...#|.###."},
    {"p", ".....|.....|####.|#...#|#...#|####.|#....|#...."},
    {"q", ".....|.....|.####|#...#|#...#|.####|....#|....#"},
    {"r", "....|....|#.##|##..|#...|#...|#..."},
    {"s", ".....|.....|.####|#....|.###.|....#|####."},
    {"t", ".#..|.#..|####|.#..|.#..|.#..|..##"},
    {"u", ".....|.....|#...#|#...#|#...#|#...#|.####"},
    {"v", ".....|.....|#...#|#...#|#...#|.#.#.|..#.."},
    {"w", ".......|.......|#.....#|#..#..#|#..#..#|#..#..#|.##.##."},
    {"x", ".....|.....|#...#|.#.#.|..#..|.#.#.|#...#"},
    {"y", ".....|.....|#...#|#...#|#...#|.####|....#|.###."},
    {"z", ".....|.....|#####|...#.|..#..|.#...|#####"},
    {"0", ".###.|#...#|#..##|#.#.#|##..#|#...#|.###."},
    {"1", ".#.|##.|.#.|.#.|.#.|.#.|###"},
    {"2", ".###.|#...#|....#|...#.|..#..|.#...|#####"},
    {"3", "####.|....#|....#|.###.|....#|....#|####."},
    {"4", "...#.|..##.|.#.#.|#..#.|#####|...#.|...#."},
    {"5", "#####|#....|####.|....#|....#|#...#|.###."},
    {"6", ".###.|#....|#....|####.|#...#|#...#|.###."},
    {"7", "#####|....#|...#.|..#..|.#...|.#...|.#..."},
    {"8", ".###.|#...#|#...#|.###.|#...#|#...#|.###."},
    {"9", ".###.|#...#|#...#|.####|....#|....#|.###."},
    {"-", "....|....|....|####|....|....|...."},
    {":", ".|.|#|.|.|#|."},
    {".", ".|.|.|.|.|.|#"},
    {"'", "#|#|.|.|.|.|."},
    {"!", "#|#|#|#|#|.|#"},
    {"?", ".###.|#...#|....#|...#.|..#..|.....|..#.."},
    {"+", ".....|..#..|..#..|#####|..#..|..#..|....."},
    {"%", "##..#|##.#.|...#.|..#..|.#...|.#.##|#..##"},
    {"space", "..|..|..|..|..|..|.."},
};

// Katakana, seven pixels wide, and the two marks that the Japanese fonts keep in the bottom
// four rows of a cell, to the right, where they land above the right-hand part of a kana.
constexpr GlyphArt kanaArt[] = {
    {"a", "#######|......#|...#.#.|...##..|...#...|..#....|.#....."},
    {"i", ".....#.|....#..|...##..|..#.#..|.#..#..|....#..|....#.."},
    {"u", "...#...|#######|#.....#|.....#.|....#..|...#...|.##...."},
    {"e", ".......|#######|...#...|...#...|...#...|...#...|#######"},
    {"o", "....#..|#######|...##..|..#.#..|.#..#..|#...#..|..##..."},
    {"ka", "..#....|#######|..#...#|..#...#|.#....#|.#....#|#...##."},
    {"ki", "..#....|#######|..#....|#######|...#...|...#...|...#..."},
    {"ku", "..#....|..#####|.#....#|#....#.|....#..|...#...|.##...."},
    {"ke", ".#.....|.######|#...#..|....#..|....#..|...#...|..#...."},
    {"ko", ".......|######.|.....#.|.....#.|.....#.|######.|......."},
    {"sa", ".#...#.|#######|.#...#.|.#...#.|.....#.|....#..|..##..."},
    {"shi", "##.....|......#|##....#|.....#.|....#..|...#...|###...."},
    {"su", "#######|.....#.|....#..|...#...|..#.#..|.#...#.|#.....#"},
    {"se", ".#.....|.#.....|#######|.#...#.|.#..#..|.#.....|..####."},
    {"so", "#.....#|.#....#|.....#.|....#..|...#...|..#....|##....."},
    {"ta", "..#....|..#####|.#....#|#.#..#.|...##..|...#...|.##...."},
    {"chi", "....##.|.###...|...#...|#######|...#...|..#....|.#....."},
    {"tsu", "#.#...#|.#.#..#|......#|.....#.|....#..|...#...|.##...."},
    {"te", ".#####.|.......|#######|...#...|...#...|..#....|.#....."},
    {"to", ".#.....|.#.....|.###...|.#..#..|.#.....|.#.....|.#....."},
    {"na", "...#...|#######|...#...|...#...|...#...|..#....|.#....."},
    {"ni", ".......|.#####.|.......|.......|.......|#######|......."},
    {"nu", "#######|.....#.|.#..#..|..##...|..##...|.#..#..|#......"},
    {"ne", "...#...|#######|.....#.|....#..|..####.|.#.#.#.|#..#..#"},
    {"no", "......#|.....#.|.....#.|....#..|...#...|..#....|##....."},
    {"ha", ".......|..#..#.|..#..#.|.#....#|.#....#|#.....#|......."},
    {"hi", "#......|#...##.|###....|#......|#......|#......|.#####."},
    {"fu", "#######|......#|......#|.....#.|....#..|...#...|.##...."},
    {"he", ".......|..#....|.#.#...|#...#..|.....#.|......#|......."},
    {"ho", "...#...|#######|...#...|.#.#.#.|#..#..#|...#...|..##..."},
    {"ma", "#######|......#|.....#.|.#.##..|..#....|...#...|....#.."},
    {"mi", ".###...|....##.|.......|.###...|....##.|.......|####..."},
    {"mu", "...#...|...#...|..#....|..#....|.#...#.|#.....#|#######"},
    {"me", "......#|.....#.|.#..#..|..##...|..##...|.#..#..|#......"},
    {"mo", "#######|...#...|#######|...#...|...#...|...#...|....###"},
    {"ya", ".#.....|.#..###|####..#|.#...#.|..#....|..#....|..#...."},
    {"yu", ".......|.####..|....#..|....#..|....#..|#######|......."},
    {"yo", "######.|.....#.|.....#.|######.|.....#.|.....#.|######."},
    {"ra", ".#####.|.......|#######|......#|.....#.|....#..|.##...."},
    {"ri", ".#...#.|.#...#.|.#...#.|.#...#.|.....#.|....#..|..##..."},
    {"ru", "..#.#..|..#.#..|..#.#..|..#.#..|.#..#.#|.#..##.|#...#.."},
    {"re", ".#.....|.#.....|.#.....|.#....#|.#...#.|.#..#..|.###..."},
    {"ro", ".......|######.|#....#.|#....#.|#....#.|######.|......."},
    {"wa", "#######|#.....#|#.....#|.....#.|....#..|...#...|.##...."},
    {"wo", "#######|......#|.#####.|.....#.|....#..|...#...|.##...."},
    {"n", "#......|.#....#|......#|.....#.|....#..|...#...|###...."},
    {"small-ya", ".......|.......|.#.....|.#.###.|###..#.|.#..#..|..#...."},
    {"small-yu", ".......|.......|.......|.###...|...#...|...#...|#####.."},
    {"small-yo", ".......|.......|####...|...#...|####...|...#...|####..."},
    {"small-tsu", ".......|.......|#.#..#.|.#.#.#.|.....#.|....#..|..##..."},
    {"long", ".......|.......|.......|#######|.......|.......|......."},
    {"small-a", ".......|.......|#####..|....#..|..##...|..#....|.#....."},
    {"small-i", ".......|.......|....#..|...#...|..##...|.#.#...|...#..."},
    {"small-u", ".......|.......|..#....|#####..|#...#..|...#...|.##...."},
    {"small-e", ".......|.......|.......|#####..|..#....|..#....|#####.."},
    {"small-o", ".......|.......|...#...|#####..|..##...|.#.#...|..##..."},
    {"dot", ".......|.......|.......|...##..|...##..|.......|......."},
    {"voiced-mark", "........|........|........|........|........|.....#.#|....#.#.|........"},
    {"semi-voiced-mark", "........|........|........|........|....##..|...#..#.|....##..|........"},
};

// Colour indices of the letter, its shadow's edge and its shadow's corner. The fonts differ in
// which index is white: index 3 on SNES and GBA Japanese, index 1 on GBA English.
struct Inks {
    std::uint8_t letter;
    std::uint8_t edge;
    std::uint8_t corner;
};

Inks inksOf(RomVariant release) {
    if (release == RomVariant::GbaEnglish)
        return {1, 2, 3};
    return {3, 1, 2};
}

const GlyphArt* findArt(std::string_view key, bool kana) {
    if (kana) {
        for (const GlyphArt& art : kanaArt)
            if (art.key == key)
                return &art;
    } else {
        for (const GlyphArt& art : latinArt)
            if (art.key == key)
                return &art;
    }
    return nullptr;
}

// Draws a picture into a glyph with its drop shadow: black to the right of and below each
// letter pixel, grey on the diagonal. Narrow pictures are centred on a five-pixel body in the
// fixed-width fonts; GBA English glyphs start at the left and are as wide as they need.
DemoGlyph drawGlyph(const GlyphArt& art, RomVariant release) {
    const bool variableWidth = release == RomVariant::GbaEnglish;
    const Inks inks = inksOf(release);
    const int artWidth = static_cast<int>(art.rows.find('|'));
    const int left = !variableWidth && artWidth < 5 ? (5 - artWidth) / 2 : 0;

    std::array<std::array<bool, 8>, 8> letter{};
    int y = 0;
    int x = left;
    for (char c : art.rows) {
        if (c == '|') {
            ++y;
            x = left;
            continue;
        }
        if (c == '#')
            letter[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = true;
        ++x;
    }

    DemoGlyph glyph;
    glyph.width = variableWidth ? artWidth + 1 : 8;
    auto inked = [&letter](int row, int column) {
        return row >= 0 && column >= 0 &&
               letter[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    };
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 8; ++column) {
            std::uint8_t ink = 0;
            if (inked(row, column))
                ink = inks.letter;
            else if (inked(row, column - 1) || inked(row - 1, column))
                ink = inks.edge;
            else if (inked(row - 1, column - 1))
                ink = inks.corner;
            glyph.pixels[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = ink;
        }
    }
    return glyph;
}

void encodeSnesGlyph(const DemoGlyph& glyph, std::vector<std::uint8_t>& out) {
    for (const auto& row : glyph.pixels) {
        std::uint8_t plane0 = 0;
        std::uint8_t plane1 = 0;
        for (int x = 0; x < 8; ++x) {
            const auto bit = static_cast<std::uint8_t>(0x80 >> x);
            if ((row[static_cast<std::size_t>(x)] & 1) != 0)
                plane0 |= bit;
            if ((row[static_cast<std::size_t>(x)] & 2) != 0)
                plane1 |= bit;
        }
        out.push_back(plane0);
        out.push_back(plane1);
    }
}

// Glyphs up to four pixels wide keep one byte a row; the blank ones say so with row format 0,
// the others with 1, so both spellings of the narrow format occur.
void encodeGbaEnglishGlyph(const DemoGlyph& glyph, std::vector<std::uint8_t>& out) {
    const bool wide = glyph.width > 4;
    bool blank = true;
    for (const auto& row : glyph.pixels)
        for (std::uint8_t ink : row)
            blank = blank && ink == 0;
    out.push_back(static_cast<std::uint8_t>(glyph.width));
    out.push_back(wide ? 2 : (blank ? 0 : 1));
    for (const auto& row : glyph.pixels) {
        for (int half = 0; half < (wide ? 2 : 1); ++half) {
            std::uint8_t packed = 0;
            for (int x = 0; x < 4; ++x)
                packed = static_cast<std::uint8_t>(
                    packed | row[static_cast<std::size_t>(4 * half + x)] << (2 * x));
            out.push_back(packed);
        }
    }
}

// Each 4-bit pixel repeats its colour index in both bit pairs (index 2 is stored as 0xA), so the
// upper bits that the sheets ignore are not all zero.
void encodeGbaJapaneseGlyph(const DemoGlyph& glyph, std::vector<std::uint8_t>& out) {
    for (const auto& row : glyph.pixels) {
        for (std::size_t x = 0; x < 8; x += 2) {
            const auto leftNibble = static_cast<std::uint8_t>(row[x] * 5);
            const auto rightNibble = static_cast<std::uint8_t>(row[x + 1] * 5);
            out.push_back(static_cast<std::uint8_t>(leftNibble | rightNibble << 4));
        }
    }
}

} // namespace

std::array<DemoGlyph, fontGlyphCount> demoFontGlyphs(RomVariant release) {
    std::array<DemoGlyph, fontGlyphCount> glyphs{};
    if (release == RomVariant::GbaEnglish)
        for (DemoGlyph& glyph : glyphs)
            glyph.width = 0;
    for (const DemoGlyphAssignment& assignment : demoGlyphAssignments(release)) {
        const GlyphArt* art = findArt(assignment.key, assignment.kana);
        assert(art != nullptr);
        if (art != nullptr)
            glyphs[assignment.code] = drawGlyph(*art, release);
    }
    return glyphs;
}

std::vector<std::uint8_t> encodeDemoFont(RomVariant release) {
    const auto glyphs = demoFontGlyphs(release);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(fontPlacement[variantIndex(release)].maxLength);
    for (const DemoGlyph& glyph : glyphs) {
        switch (fontPlacement[variantIndex(release)].format) {
        case FontFormat::SnesPlanar2bpp:
            encodeSnesGlyph(glyph, bytes);
            break;
        case FontFormat::GbaEnglishVariable:
            encodeGbaEnglishGlyph(glyph, bytes);
            break;
        case FontFormat::GbaJapanese4bpp:
            encodeGbaJapaneseGlyph(glyph, bytes);
            break;
        }
    }
    return bytes;
}

} // namespace tarnwick
