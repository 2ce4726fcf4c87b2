#include "rom/RomImage.h"
#include "rom/ShopRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <tuple>
#include <vector>

// The release tables restated as plain numbers, and names read from bytes placed at those
// numbers by hand. The demo images are written from the same tables the loader reads, so a
// moved or swapped entry would pass every other test; here it fails.
namespace tarnwick {
namespace {

constexpr RomVariant snesEn = RomVariant::SnesEnglish;
constexpr RomVariant snesJa = RomVariant::SnesJapanese;
constexpr RomVariant gbaEn = RomVariant::GbaEnglish;
constexpr RomVariant gbaJa = RomVariant::GbaJapanese;
using Bytes = std::vector<std::uint8_t>;

auto fields(const TablePlacement& p) {
    return std::tuple(p.offset, p.count, p.recordSize);
}
auto fields(const NameArea& a) {
    return std::tuple(a.count, a.offset, a.fieldLength, a.secondSlot, a.secondOffset);
}
auto fields(const ByteArea& a) {
    return std::tuple(a.offset, a.length);
}
auto fields(const FontPlacement& f) {
    return std::tuple(f.offset, static_cast<int>(f.format), f.glyphsDrawn, f.maxLength);
}

template <typename T>
void expectRows(const char* what, const PerRelease<T>& actual, const PerRelease<T>& expected) {
    for (RomVariant v : allReleases)
        EXPECT_EQ(fields(actual[variantIndex(v)]), fields(expected[variantIndex(v)]))
            << what << ", " << releaseName(v);
}

GameString bytes(std::initializer_list<int> codes) {
    GameString s;
    for (int c : codes)
        s += static_cast<char>(c);
    return s;
}
// length consecutive codes from first: every byte of a field differs from its neighbours'.
GameString run(int first, int length) {
    GameString s;
    for (int k = 0; k < length; ++k)
        s += static_cast<char>(first + k);
    return s;
}

void poke(Bytes& image, std::uint64_t offset, const GameString& s) {
    ASSERT_LE(offset + s.size(), image.size()) << std::hex << offset;
    std::copy(s.begin(), s.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
}
void parse(RomImage& rom, const Bytes& image, RomVariant v) {
    rom.setJapanese(isJapaneseVariant(v));
    rom.adoptFileBytes(image, isGbaVariant(v) ? gbaImageSize : image.size());
    ASSERT_EQ(rom.variant(), v);
    ASSERT_TRUE(rom.parseTables().isOk());
}

TEST(ReleaseLayout, EveryAreaOfEveryReleaseIsWhereTheGameKeepsIt) {
    expectRows<TablePlacement>(
        "chests", chestTablePlacement,
        {{{0x2D8634, 312, 5}, {0x2D8634, 312, 5}, {0x62B61C, 312, 5}, {0x62B61C, 312, 5}}});
    expectRows<TablePlacement>(
        "monster boxes", monsterBoxTablePlacement,
        {{{0xF5000, 256, 4}, {0xF5000, 256, 4}, {0x7FF88E, 256, 4}, {0x7FF88E, 256, 4}}});
    expectRows<TablePlacement>(
        "shops", shopTablePlacement,
        {{{0x47AC0, 128, 9}, {0x47AC0, 128, 9}, {0x62A000, 128, 9}, {0x62A000, 128, 9}}});
    expectRows<TablePlacement>(
        "espers", esperTablePlacement,
        {{{0x186E00, 27, 11}, {0x26F567, 27, 11}, {0x62A480, 31, 11}, {0x62A480, 31, 11}}});
    expectRows<TablePlacement>(
        "anim8", anim8TablePlacement,
        {{{0x2CE400, 128, 8}, {0x2CE400, 128, 8}, {0xBF7B8, 143, 8}, {0xBF878, 143, 8}}});
    expectRows<TablePlacement>(
        "anim14", anim14TablePlacement,
        {{{0x107FB2, 406, 14}, {0x107F8F, 406, 14}, {0x98A20, 441, 15}, {0x98AE0, 441, 15}}});
    expectRows<NameArea>(
        "item names", itemNameArea,
        {{{256, 0x12B300, 13}, {256, 0x26F700, 9}, {271, 0x1691DC, 0}, {271, 0x79A00E, 9}}});
    expectRows<NameArea>(
        "monster names", monsterNameArea,
        {{{384, 0xFC050, 10}, {384, 0xFC800, 8}, {423, 0x16B02B, 0}, {423, 0x722C94, 8}}});
    expectRows<NameArea>("spell names", spellNameArea,
                         {{{54, 0x26F567, 7},
                           {54, 0x2D7400, 5},
                           {57, 0x16A0D8, 0, 54, 0x173F7A},
                           {57, 0x79BCCC, 5, 54, 0x79C55E}}});
    expectRows<NameArea>("esper names", esperNameArea,
                         {{{27, 0x26F6E1, 8},
                           {27, 0x2D750E, 8},
                           {31, 0x16A2B3, 0, 27, 0x173F94},
                           {31, 0x79C570, 8}}});
    expectRows<NameArea>(
        "attack names", attackNameArea,
        {{{175, 0x26F7B9, 10}, {175, 0x2D75E6, 8}, {175, 0x16A394, 0}, {175, 0x79BEB2, 8}}});
    expectRows<NameArea>(
        "bonus names", bonusNameArea,
        {{{17, 0xFFEAE, 9}, {17, 0xFFEAE, 8}, {17, 0x1714E3, 0}, {17, 0x5FE166, 8}}});
    expectRows<NameArea>("shop type names", shopTypeNameArea, {{{}, {}, {5, 0x16ACDE, 0}, {}}});
    expectRows<ByteArea>(
        "palette", paletteArea,
        {{{0x126000, 4096}, {0x126000, 4096}, {0x6E6000, 4096}, {0x6E6000, 4096}}});
    expectRows<ByteArea>("title", internalTitleArea,
                         {{{0xFFC0, 20}, {0xFFC0, 20}, {0xA0, 16}, {0xA0, 16}}});
    expectRows<FontPlacement>("font", fontPlacement,
                              {{{0x47FC0, FontFormat::SnesPlanar2bpp, 256, 4096},
                                {0x47FC0, FontFormat::SnesPlanar2bpp, 256, 4096},
                                {0x16236C, FontFormat::GbaEnglishVariable, 160, 256 * 18},
                                {0x731618, FontFormat::GbaJapanese4bpp, 256, 8192}}});
    using Digits = std::array<std::uint8_t, 16>;
    const Digits japaneseDigits = {0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A,
                                   0x5B, 0x5C, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25};
    EXPECT_EQ(digitCodeTable, (PerRelease<Digits>{{{0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xBB,
                                                    0xBC, 0xBD, 0x80, 0x81, 0x82, 0x83, 0x84, 0x85},
                                                   japaneseDigits,
                                                   {0x34, 0x38, 0x3C, 0x41, 0x43, 0x3F, 0x4A, 0x47,
                                                    0x46, 0x4B, 0x16, 0x24, 0x18, 0x21, 0x25, 0x26},
                                                   japaneseDigits}}));
    EXPECT_EQ(shopTypeSlotOrder, (std::array<int, 5>{1, 2, 5, 4, 3}));
    EXPECT_EQ(japaneseEmptyItemName, (std::array<std::uint8_t, 5>{0xFF, 0x6A, 0xA6, 0xBC, 0x51}));
    EXPECT_EQ(formationBase, (PerRelease<std::uint64_t>{0xF6200, 0xF6200, 0x61C33C, 0x61C33C}));
    EXPECT_EQ(gpMultiplierOffset, (PerRelease<std::optional<std::uint64_t>>{
                                      0x4C41, 0x4C41, std::nullopt, std::nullopt}));
    EXPECT_EQ(gbaJapaneseGameCode, "QK4J");
    EXPECT_EQ(gbaEnglishGameCode, "QK4E");

    struct Scalar {
        const char* what;
        std::uint64_t actual;
        std::uint64_t expected;
    };
    const Scalar scalars[] = {
        {"largest SNES file", largestSnesFile, 0x7FFFFF},
        {"GBA image", gbaImageSize, 0x800000},
        {"bank", snesBankSize, 0x10000},
        {"language byte", snesLanguageByteOffset, 0xFFCE},
        {"game code", gbaGameCodeArea.offset, 0xAC},
        {"game code length", gbaGameCodeArea.length, 4},
        {"Japanese mark", snesJapaneseMark, '6'},
        {"English mark", snesEnglishMark, '3'},
        {"empty item pointer", gbaEmptyItemPointer, 0x166F58},
        {"empty item bank", gbaEmptyItemBank, 0x160000},
        {"shop type pointers", snesShopTypePointers, 0x3C00C},
        {"shop type bank", snesShopTypeNameBank, 0x30002},
        {"shop type length", snesShopTypeNameLength, 7},
        {"name shift", gbaNameShift, 0x36},
        {"shop type shift", gbaShopTypeShift, 0},
        {"string limit", gbaStringMaxCharacters, 32},
        {"formation size", formationRecordSize, 15},
        {"formations", formationCount, 577},
        {"colours", paletteColourCount, 2048},
        {"glyphs", fontGlyphCount, 256},
        {"GP default", defaultGpMultiplier, 100},
        {"record slots", recordSlots, 15},
        {"chests", chestCapacity, 312},
        {"monster boxes", monsterBoxCapacity, 256},
        {"shops", shopCapacity, 128},
        {"espers", esperCapacity, 31},
        {"anim8", anim8Capacity, 143},
        {"anim14", anim14Capacity, 441},
        {"item slots", itemNameSlots, 271},
        {"monster slots", monsterNameSlots, 423},
        {"spell slots", spellNameSlots, 57},
        {"esper slots", esperNameSlots, 31},
        {"attack slots", attackNameSlots, 175},
        {"bonus slots", bonusNameSlots, 18},
        {"shop type slots", shopTypeNameSlots, 6},
    };
    for (const Scalar& s : scalars)
        EXPECT_EQ(s.actual, s.expected) << s.what;
}

enum class Names { Item, Monster, Spell, Esper, Attack, Bonus, ShopType, EmptyItem };

GameString nameIn(const RomImage& rom, Names table, int slot) {
    const std::span<const GameString> tables[] = {
        rom.itemNames,   rom.monsterNames, rom.spellNames,   rom.esperNames,
        rom.attackNames, rom.bonusNames,   rom.shopTypeNames};
    if (table == Names::EmptyItem)
        return rom.emptyItemName;
    return tables[static_cast<int>(table)][static_cast<std::size_t>(slot)];
}

// Fields filled to their last byte, next to filled neighbours: a wrong length or offset shows.
TEST(ReleaseLayout, FixedNameFieldsAreReadAtTheirOffsets) {
    struct Field {
        RomVariant release;
        Names table;
        int slot;
        std::uint64_t offset;
        int length;
    };
    const Field fieldRows[] = {
        {snesEn, Names::Item, 1, 0x12B300 + 13, 13},
        {snesEn, Names::Item, 2, 0x12B300 + 26, 13},
        {snesEn, Names::Item, 255, 0x12B300 + 255 * 13, 13},
        {snesEn, Names::Monster, 383, 0xFC050 + 383 * 10, 10},
        {snesEn, Names::Spell, 53, 0x26F567 + 53 * 7, 7},
        {snesEn, Names::Esper, 0, 0x26F6E1, 8},
        {snesEn, Names::Esper, 26, 0x26F6E1 + 26 * 8, 8},
        {snesEn, Names::Attack, 0, 0x26F7B9, 10},
        {snesEn, Names::Attack, 174, 0x26F7B9 + 174 * 10, 10},
        {snesEn, Names::Bonus, 16, 0xFFEAE + 16 * 9, 9},
        {snesJa, Names::Item, 0, 0x26F700, 9},
        {snesJa, Names::Item, 255, 0x26F700 + 255 * 9, 9},
        {snesJa, Names::Monster, 383, 0xFC800 + 383 * 8, 8},
        {snesJa, Names::Spell, 53, 0x2D7400 + 53 * 5, 5},
        {snesJa, Names::Esper, 0, 0x2D750E, 8},
        {snesJa, Names::Esper, 26, 0x2D750E + 26 * 8, 8},
        {snesJa, Names::Attack, 0, 0x2D75E6, 8},
        {snesJa, Names::Bonus, 16, 0xFFEAE + 16 * 8, 8},
        {gbaJa, Names::Item, 270, 0x79A00E + 270 * 9, 9},
        {gbaJa, Names::Monster, 422, 0x722C94 + 422 * 8, 8},
        {gbaJa, Names::Spell, 53, 0x79BCCC + 53 * 5, 5},
        {gbaJa, Names::Spell, 54, 0x79C55E, 5},
        {gbaJa, Names::Spell, 56, 0x79C55E + 10, 5},
        {gbaJa, Names::Esper, 30, 0x79C570 + 30 * 8, 8},
        {gbaJa, Names::Attack, 174, 0x79BEB2 + 174 * 8, 8},
        {gbaJa, Names::Bonus, 16, 0x5FE166 + 16 * 8, 8},
    };
    auto contentOf = [](std::size_t row, int length) {
        return run(0x21 + static_cast<int>(row * 13 % 0xD0), length);
    };
    for (RomVariant v : {snesEn, snesJa, gbaJa}) {
        SCOPED_TRACE(releaseName(v));
        Bytes image(requiredImageSize(v), 0);
        for (std::size_t k = 0; k < std::size(fieldRows); ++k)
            if (fieldRows[k].release == v)
                poke(image, fieldRows[k].offset, contentOf(k, fieldRows[k].length));
        // SNES English shop type 3 follows the pointer 0x0100 to a 7-byte field at 0x30102.
        if (v == snesEn) {
            poke(image, 0x3C00C + 2 * 3, bytes({0x00, 0x01}));
            poke(image, 0x30102, run(0xC0, 8));
        }
        RomImage rom;
        parse(rom, image, v);
        for (std::size_t k = 0; k < std::size(fieldRows); ++k) {
            const Field& f = fieldRows[k];
            if (f.release != v)
                continue;
            EXPECT_EQ(nameIn(rom, f.table, f.slot), contentOf(k, f.length))
                << "name " << f.slot << " at 0x" << std::hex << f.offset;
        }
        if (v == snesEn) {
            EXPECT_EQ(shopTypeListNames(rom)[3], run(0xC0, 7));
            EXPECT_EQ(rom.emptyItemName, rom.itemNames[255]);
        } else {
            EXPECT_EQ(rom.emptyItemName, bytes({0xFF, 0x6A, 0xA6, 0xBC, 0x51}));
        }
    }
}

TEST(ReleaseLayout, GbaEnglishStringChainsStartAtTheirOffsets) {
    // Strings end with 0x04; 0xC2 0x90 is the shifted pair for 0x5A.
    struct Chain {
        std::uint64_t offset;
        GameString stored;
    };
    const Chain chains[] = {
        {0x1691DC, bytes({0x41, 0x04, 0x42, 0xC2, 0x90, 0x43, 0x04, 0x44, 0x04})},
        {0x16B02B, bytes({0x45, 0x46, 0x04})},
        {0x16A0D8, bytes({0x47, 0x04})},
        {0x173F7A, bytes({0x48, 0x04, 0x49, 0x04, 0x4A, 0x04})},
        {0x16A2B3, bytes({0x4B, 0x04})},
        {0x173F94, bytes({0x4C, 0x04, 0x4D, 0x04, 0x4E, 0x04, 0x4F, 0x04})},
        {0x16A394, bytes({0x50, 0x04})},
        {0x1714E3, bytes({0x51, 0x04})},
        {0x16ACDE, bytes({0x61, 0x04, 0x62, 0x04, 0x63, 0xC2, 0x90, 0x04, 0x64, 0x04, 0x65, 0x04})},
        {0x166F58, bytes({0x34, 0x12})},
        {0x160000 + 0x1234, bytes({0x52, 0x53, 0x04})},
    };
    struct Expected {
        Names table;
        int slot;
        GameString name;
    };
    const Expected names[] = {
        {Names::Item, 0, bytes({0x41})},
        {Names::Item, 1, bytes({0x42, 0x5A, 0x43})},
        {Names::Item, 2, bytes({0x44})},
        {Names::Monster, 0, bytes({0x45, 0x46})},
        {Names::Spell, 0, bytes({0x47})},
        {Names::Spell, 54, bytes({0x48})},
        {Names::Spell, 55, bytes({0x49})},
        {Names::Spell, 56, bytes({0x4A})},
        {Names::Esper, 0, bytes({0x4B})},
        {Names::Esper, 27, bytes({0x4C})},
        {Names::Esper, 30, bytes({0x4F})},
        {Names::Attack, 0, bytes({0x50})},
        {Names::Bonus, 0, bytes({0x51})},
        {Names::ShopType, 0, ""},
        {Names::ShopType, 1, bytes({0x61})},
        {Names::ShopType, 2, bytes({0x62})},
        {Names::ShopType, 5, bytes({0x63})}, // shop types drop shifted pairs
        {Names::ShopType, 4, bytes({0x64})},
        {Names::ShopType, 3, bytes({0x65})},
        {Names::EmptyItem, 0, bytes({0x67, 0x52, 0x53})},
    };
    Bytes image(requiredImageSize(gbaEn), 0);
    for (const Chain& c : chains)
        poke(image, c.offset, c.stored);
    RomImage rom;
    rom.shopTypeNames[0] = "stale"; // slot 0 is emptied, not left as it was
    parse(rom, image, gbaEn);
    for (const Expected& e : names)
        EXPECT_EQ(nameIn(rom, e.table, e.slot), e.name)
            << "table " << static_cast<int>(e.table) << " slot " << e.slot;
}

} // namespace
} // namespace tarnwick
