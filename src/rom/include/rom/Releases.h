#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// The four releases of the game and where each keeps the areas this editor reads and writes.
// Every per-release fact is a table indexed by RomVariant; offsets count from the start of the
// image proper (after any copier header).
namespace tarnwick {

enum class RomVariant : int { SnesEnglish = 0, SnesJapanese = 1, GbaEnglish = 2, GbaJapanese = 3 };

inline constexpr int releaseCount = 4;
inline constexpr std::array<RomVariant, releaseCount> allReleases = {
    RomVariant::SnesEnglish, RomVariant::SnesJapanese, RomVariant::GbaEnglish,
    RomVariant::GbaJapanese};

constexpr RomVariant makeVariant(bool gba, bool japanese) {
    return static_cast<RomVariant>((gba ? 2 : 0) + (japanese ? 1 : 0));
}
constexpr int variantIndex(RomVariant v) {
    return static_cast<int>(v);
}
constexpr bool isGbaVariant(RomVariant v) {
    return variantIndex(v) >= 2;
}
constexpr bool isJapaneseVariant(RomVariant v) {
    return (variantIndex(v) & 1) != 0;
}

template <typename T> using PerRelease = std::array<T, releaseCount>;

// "snes-en", "snes-ja", "gba-en", "gba-ja": the names used on the command line and in exports.
std::string_view releaseKey(RomVariant v);
// "SNES English" and so on, for messages.
std::string_view releaseName(RomVariant v);
std::optional<RomVariant> releaseFromKey(std::string_view key);

// Files longer than this are GBA images; only the first gbaImageSize bytes of them are the image.
inline constexpr std::uint64_t largestSnesFile = 0x7FFFFF;
inline constexpr std::uint64_t gbaImageSize = 0x800000;
// A SNES copier header is whatever precedes a whole number of 64 KiB banks.
inline constexpr std::uint64_t snesBankSize = 0x10000;

// The bytes in front of the image proper in a file of this length: on a SNES file whatever
// precedes a whole number of 64 KiB banks (512 for the usual copier header), none on a GBA file.
// The document and the patches both go by this.
[[nodiscard]] std::uint32_t copierHeaderLength(std::uint64_t fileLength);

struct ByteArea {
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
    constexpr std::uint64_t end() const { return offset + length; }
};

// ---- Record tables -------------------------------------------------------------------------
// Each table is count records of recordSize bytes, back to back, in the game's own order.

struct TablePlacement {
    std::uint64_t offset = 0;
    int count = 0;
    int recordSize = 0;
    constexpr ByteArea area() const {
        return {offset, static_cast<std::uint64_t>(count) * static_cast<std::uint64_t>(recordSize)};
    }
};

inline constexpr int recordSlots = 15;
inline constexpr int chestCapacity = 312;
inline constexpr int monsterBoxCapacity = 256;
inline constexpr int shopCapacity = 128;
inline constexpr int esperCapacity = 31;
inline constexpr int anim8Capacity = 143;
inline constexpr int anim14Capacity = 441;

// Chest: X, Y, memory bit/byte, flags and type, contents.
inline constexpr PerRelease<TablePlacement> chestTablePlacement = {
    {{0x2D8634, 312, 5}, {0x2D8634, 312, 5}, {0x62B61C, 312, 5}, {0x62B61C, 312, 5}}};
// Monster-in-a-box: two 16-bit little-endian formation numbers.
inline constexpr PerRelease<TablePlacement> monsterBoxTablePlacement = {
    {{0xF5000, 256, 4}, {0xF5000, 256, 4}, {0x7FF88E, 256, 4}, {0x7FF88E, 256, 4}}};
// Shop: type (bits 0-2) and price modifier (bits 3-7), then eight item numbers.
inline constexpr PerRelease<TablePlacement> shopTablePlacement = {
    {{0x47AC0, 128, 9}, {0x47AC0, 128, 9}, {0x62A000, 128, 9}, {0x62A000, 128, 9}}};
// Esper: five (learn rate, spell) pairs, then the level-up bonus.
inline constexpr PerRelease<TablePlacement> esperTablePlacement = {
    {{0x186E00, 27, 11}, {0x26F567, 27, 11}, {0x62A480, 31, 11}, {0x62A480, 31, 11}}};
inline constexpr PerRelease<TablePlacement> anim8TablePlacement = {
    {{0x2CE400, 128, 8}, {0x2CE400, 128, 8}, {0xBF7B8, 143, 8}, {0xBF878, 143, 8}}};
inline constexpr PerRelease<TablePlacement> anim14TablePlacement = {
    {{0x107FB2, 406, 14}, {0x107F8F, 406, 14}, {0x98A20, 441, 15}, {0x98AE0, 441, 15}}};

// The GP multiplier byte exists on SNES images only.
inline constexpr PerRelease<std::optional<std::uint64_t>> gpMultiplierOffset = {
    {0x4C41, 0x4C41, std::nullopt, std::nullopt}};
inline constexpr int defaultGpMultiplier = 100;

// ---- Internal header -----------------------------------------------------------------------

// The title shown in the main window: the SNES internal title, or the GBA title with game code.
inline constexpr PerRelease<ByteArea> internalTitleArea = {
    {{0xFFC0, 20}, {0xFFC0, 20}, {0xA0, 16}, {0xA0, 16}}};
// SNES: one byte of the internal title tells the language ('6' Japanese, '3' English).
inline constexpr std::uint64_t snesLanguageByteOffset = 0xFFCE;
inline constexpr std::uint8_t snesJapaneseMark = 0x36;
inline constexpr std::uint8_t snesEnglishMark = 0x33;
// GBA: the four-character game code.
inline constexpr ByteArea gbaGameCodeArea = {0xAC, 4};
inline constexpr std::string_view gbaJapaneseGameCode = "QK4J";
inline constexpr std::string_view gbaEnglishGameCode = "QK4E";

// ---- Names ---------------------------------------------------------------------------------

inline constexpr int itemNameSlots = 271;
inline constexpr int monsterNameSlots = 423;
inline constexpr int spellNameSlots = 57;
inline constexpr int esperNameSlots = 31;
inline constexpr int attackNameSlots = 175;
inline constexpr int bonusNameSlots = 18;
inline constexpr int shopTypeNameSlots = 6;

// Where a name table lies. Fixed-length releases store count fields of fieldLength bytes;
// GBA English stores variable-length strings one after another (fieldLength 0). Reading moves
// to secondOffset just before slot secondSlot, where the game keeps later additions elsewhere.
struct NameArea {
    int count = 0;
    std::uint64_t offset = 0;
    int fieldLength = 0;
    int secondSlot = -1;
    std::uint64_t secondOffset = 0;
};

inline constexpr PerRelease<NameArea> itemNameArea = {
    {{256, 0x12B300, 13}, {256, 0x26F700, 9}, {271, 0x1691DC, 0}, {271, 0x79A00E, 9}}};
inline constexpr PerRelease<NameArea> monsterNameArea = {
    {{384, 0xFC050, 10}, {384, 0xFC800, 8}, {423, 0x16B02B, 0}, {423, 0x722C94, 8}}};
inline constexpr PerRelease<NameArea> spellNameArea = {{{54, 0x26F567, 7},
                                                        {54, 0x2D7400, 5},
                                                        {57, 0x16A0D8, 0, 54, 0x173F7A},
                                                        {57, 0x79BCCC, 5, 54, 0x79C55E}}};
inline constexpr PerRelease<NameArea> esperNameArea = {
    {{27, 0x26F6E1, 8}, {27, 0x2D750E, 8}, {31, 0x16A2B3, 0, 27, 0x173F94}, {31, 0x79C570, 8}}};
inline constexpr PerRelease<NameArea> attackNameArea = {
    {{175, 0x26F7B9, 10}, {175, 0x2D75E6, 8}, {175, 0x16A394, 0}, {175, 0x79BEB2, 8}}};
inline constexpr PerRelease<NameArea> bonusNameArea = {
    {{17, 0xFFEAE, 9}, {17, 0xFFEAE, 8}, {17, 0x1714E3, 0}, {17, 0x5FE166, 8}}};
// Only GBA English names its shop types; its five strings fill slots 1, 2, 5, 4, 3 in that
// order, and slot 0 stays empty.
inline constexpr PerRelease<NameArea> shopTypeNameArea = {{{}, {}, {5, 0x16ACDE, 0}, {}}};
inline constexpr std::array<int, 5> shopTypeSlotOrder = {1, 2, 5, 4, 3};

// GBA English strings: 0x04 ends a string, 0x00 is a space, 0xC2 introduces a shifted byte.
inline constexpr std::uint8_t gbaNameShift = 0x36;
inline constexpr std::uint8_t gbaShopTypeShift = 0;
inline constexpr int gbaStringMaxCharacters = 32;
inline constexpr std::uint64_t gbaStringMaxBytes = 2 * gbaStringMaxCharacters;

// The label for "no item". SNES English copies item 255; GBA English follows a 16-bit pointer
// into the bank at gbaEmptyItemBank; the Japanese releases use a fixed string.
inline constexpr std::uint64_t gbaEmptyItemPointer = 0x166F58;
inline constexpr std::uint64_t gbaEmptyItemBank = 0x160000;
inline constexpr std::array<std::uint8_t, 5> japaneseEmptyItemName = {0xFF, 0x6A, 0xA6, 0xBC, 0x51};

// Character codes of the hexadecimal digits 0-F in each release's font.
inline constexpr PerRelease<std::array<std::uint8_t, 16>> digitCodeTable = {
    {{0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xBB, 0xBC, 0xBD, 0x80, 0x81, 0x82, 0x83, 0x84,
      0x85},
     {0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x5B, 0x5C, 0x20, 0x21, 0x22, 0x23, 0x24,
      0x25},
     {0x34, 0x38, 0x3C, 0x41, 0x43, 0x3F, 0x4A, 0x47, 0x46, 0x4B, 0x16, 0x24, 0x18, 0x21, 0x25,
      0x26},
     {0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x5B, 0x5C, 0x20, 0x21, 0x22, 0x23, 0x24,
      0x25}}};

// ---- Font and palette ----------------------------------------------------------------------

enum class FontFormat {
    SnesPlanar2bpp,     // 16 bytes a glyph: 8 rows of two bit planes
    GbaEnglishVariable, // width, row format, then 8 rows of one or two bytes (2 bits a pixel)
    GbaJapanese4bpp,    // 32 bytes a glyph: 8 rows of 4 bytes (4 bits a pixel)
};

struct FontPlacement {
    std::uint64_t offset = 0;
    FontFormat format = FontFormat::SnesPlanar2bpp;
    int glyphsDrawn = 256;
    std::uint64_t maxLength = 0; // bytes the 256 glyphs can take at most
};

inline constexpr int fontGlyphCount = 256;
inline constexpr PerRelease<FontPlacement> fontPlacement = {
    {{0x47FC0, FontFormat::SnesPlanar2bpp, 256, 256 * 16},
     {0x47FC0, FontFormat::SnesPlanar2bpp, 256, 256 * 16},
     {0x16236C, FontFormat::GbaEnglishVariable, 160, 256 * 18},
     {0x731618, FontFormat::GbaJapanese4bpp, 256, 256 * 32}}};

// 2048 colours of 16 bits, little-endian, 5 bits each of red, green and blue.
inline constexpr int paletteColourCount = 2048;
inline constexpr PerRelease<ByteArea> paletteArea = {
    {{0x126000, 4096}, {0x126000, 4096}, {0x6E6000, 4096}, {0x6E6000, 4096}}};

// ---- Areas the editors read straight from the image ----------------------------------------

// Battle formations: 15-byte records addressed by formation number (0-576 in the editors).
inline constexpr int formationRecordSize = 15;
inline constexpr int formationCount = 577;
inline constexpr PerRelease<std::uint64_t> formationBase = {{0xF6200, 0xF6200, 0x61C33C, 0x61C33C}};

// SNES English shop types: six 16-bit pointers; name i is 7 bytes at snesShopTypeNameBank + p.
inline constexpr std::uint64_t snesShopTypePointers = 0x3C00C;
inline constexpr std::uint64_t snesShopTypeNameBank = 0x30002;
inline constexpr int snesShopTypeNameLength = 7;

// Length of image proper that holds every area the editor touches for this release.
std::uint64_t requiredImageSize(RomVariant v);

} // namespace tarnwick
