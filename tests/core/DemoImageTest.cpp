#include "TestFiles.h"

#include "DemoCharacters.h"
#include "DemoFont.h"
#include "DemoNames.h"
#include "demo/DemoImage.h"
#include "rom/RomImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace tarnwick {
namespace {

GameString bytes(std::initializer_list<int> codes) {
    GameString text;
    for (int c : codes)
        text += static_cast<char>(c);
    return text;
}

std::uint64_t imageProperSize(RomVariant release) {
    return isGbaVariant(release) ? gbaImageSize : snesDemoImageSize;
}

TEST(DemoImageTest, SameOptionsGiveSameBytesAndHeaderOrTailOnlyAddBytes) {
    struct Case {
        DemoImageOptions options;
        std::uint64_t before;
        std::uint64_t after;
    };
    const Case cases[] = {
        {{RomVariant::SnesEnglish, false, 0}, 0, 0},
        {{RomVariant::SnesJapanese, true, 0}, copierHeaderSize, 0},
        {{RomVariant::SnesEnglish, false, 999}, 0, 0}, // no tail on SNES
        {{RomVariant::GbaEnglish, true, 0}, 0, 0},     // no copier header on GBA
        {{RomVariant::GbaJapanese, false, 0x1234}, 0, 0x1234},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(releaseName(c.options.release)));
        const auto image = buildDemoImage(c.options);
        EXPECT_EQ(image, buildDemoImage(c.options));
        const std::uint64_t size = imageProperSize(c.options.release);
        ASSERT_EQ(image.size(), c.before + size + c.after);

        // The image proper is the same whatever surrounds it.
        const auto plain = buildDemoImage({c.options.release, false, 0});
        EXPECT_TRUE(std::equal(plain.begin(), plain.end(),
                               image.begin() + static_cast<std::ptrdiff_t>(c.before)));
    }
    EXPECT_NE(buildDemoImage({RomVariant::GbaEnglish}), buildDemoImage({RomVariant::GbaJapanese}));
}

TEST(DemoImageTest, AreasAreDisjointAndInsideTheImage) {
    for (RomVariant release : allReleases) {
        SCOPED_TRACE(std::string(releaseName(release)));
        auto areas = demoImageAreas(release);
        std::sort(areas.begin(), areas.end(), [](const DemoArea& a, const DemoArea& b) {
            return a.area.offset < b.area.offset;
        });
        for (std::size_t i = 0; i < areas.size(); ++i) {
            EXPECT_GT(areas[i].area.length, 0u) << areas[i].name;
            EXPECT_LE(areas[i].area.end(), imageProperSize(release)) << areas[i].name;
            if (i > 0) {
                EXPECT_LE(areas[i - 1].area.end(), areas[i].area.offset)
                    << areas[i - 1].name << " runs into " << areas[i].name;
            }
        }
        EXPECT_GE(imageProperSize(release), requiredImageSize(release));
    }
}

TEST(DemoImageTest, CodecMatchesTheProgramsFixedLabelsAndDigits) {
    const GameString noSpellJapanese = bytes({0x2D, 0x2E, 0xFF, 0x32, 0x2F, 0x24, 0x2B, 0x2B});
    struct Case {
        RomVariant release;
        std::string_view text;
        GameString expected;
    };
    const Case cases[] = {
        {RomVariant::SnesEnglish, "No Spell",
         bytes({0x8D, 0xA8, 0xFF, 0x92, 0xA9, 0x9E, 0xA5, 0xA5})},
        {RomVariant::SnesEnglish, "No Bonus",
         bytes({0x8D, 0xA8, 0xFF, 0x81, 0xA8, 0xA7, 0xAE, 0xAC})},
        {RomVariant::SnesEnglish, "GP", bytes({0x86, 0x8F})},
        {RomVariant::GbaEnglish, "NO SPELL",
         bytes({0x28, 0x20, 0x67, 0x13, 0x22, 0x25, 0x29, 0x29})},
        {RomVariant::GbaEnglish, "no bonus",
         bytes({0x28, 0x20, 0x67, 0x24, 0x20, 0x28, 0x2C, 0x13})},
        {RomVariant::SnesJapanese, "NO SPELL", noSpellJapanese},
        {RomVariant::GbaJapanese, "No Spell", noSpellJapanese},
        {RomVariant::GbaJapanese, "NO BONUS",
         bytes({0x2D, 0x2E, 0xFF, 0x21, 0x2E, 0x2D, 0x34, 0x32})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(encodeDemoText(c.release, c.text), c.expected) << c.text;

    for (RomVariant release : allReleases) {
        const auto& digits = digitCodeTable[variantIndex(release)];
        EXPECT_EQ(encodeDemoText(release, "0123456789ABCDEF"),
                  GameString(digits.begin(), digits.end()));
        EXPECT_FALSE(encodeDemoText(release, "A#B").has_value());
    }
}

TEST(DemoImageTest, KanaFromRomaji) {
    struct Case {
        std::string_view romaji;
        std::optional<GameString> expected;
    };
    const Case cases[] = {
        {"po-shon", bytes({0x4D, 0x92, 0x6B, 0x90, 0x8D})}, // semi-voiced, long, contracted, n
        {"bagu", bytes({0x20, 0x27})},                      // voiced h and k rows
        {"jezu", bytes({0x2B, 0x96, 0x2C})},                // ji + small e, zu
        {"kitto", bytes({0x66, 0x91, 0x73})},               // doubled consonant
        {"an'i", bytes({0x75, 0x8D, 0x76})},                // n kept apart from the vowel
        {"ani", bytes({0x75, 0x7A})},
        {"fa.vu", bytes({0x62, 0x93, 0x98, 0x34})},
        {"hp+10%", std::nullopt},
        {"ra+10%", bytes({0x86, 0xC9, 0x54, 0x53, 0xCA})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(encodeDemoKana(c.romaji), c.expected) << c.romaji;
}

TEST(DemoImageTest, CharacterCodesAreUniqueAndDrawable) {
    for (RomVariant release : allReleases) {
        SCOPED_TRACE(std::string(releaseName(release)));
        std::set<int> codes;
        for (const DemoGlyphAssignment& glyph : demoGlyphAssignments(release)) {
            EXPECT_TRUE(codes.insert(glyph.code).second) << "code " << int(glyph.code);
            if (release == RomVariant::GbaEnglish) {
                EXPECT_LT(glyph.code, 0xA0);
                for (int reserved : {0x00, 0x04, 0x6C, 0xC2})
                    EXPECT_NE(glyph.code, reserved);
            }
        }
    }
}

// Reads glyph c back from the font bytes of an image the way the sheets do.
DemoGlyph decodeGlyph(const std::vector<std::uint8_t>& image, RomVariant release, int c) {
    const FontPlacement& font = fontPlacement[variantIndex(release)];
    const auto glyphAt = [&](std::uint64_t perGlyph) {
        return font.offset + perGlyph * unsigned(c);
    };
    DemoGlyph glyph;
    std::uint64_t start = font.offset;
    int perRow = 0;
    if (font.format == FontFormat::GbaEnglishVariable) {
        for (int skip = 0; skip < c; ++skip)
            start += image[start + 1] > 1 ? 18 : 10;
        glyph.width = image[start];
        perRow = image[start + 1] > 1 ? 2 : 1;
    }
    for (unsigned y = 0; y < 8; ++y) {
        for (unsigned x = 0; x < 8; ++x) {
            int ink = 0;
            switch (font.format) {
            case FontFormat::SnesPlanar2bpp: {
                const std::uint64_t row = glyphAt(16) + 2 * y;
                ink = ((image[row] >> (7 - x)) & 1) | ((image[row + 1] >> (7 - x)) & 1) << 1;
                break;
            }
            case FontFormat::GbaJapanese4bpp: {
                const std::uint8_t pair = image[glyphAt(32) + 4 * y + x / 2];
                ink = (x % 2 == 0 ? pair : pair >> 4) & 3;
                break;
            }
            case FontFormat::GbaEnglishVariable:
                if (x < 4u * unsigned(perRow))
                    ink = (image[start + 2 + y * unsigned(perRow) + x / 4] >> (2 * (x % 4))) & 3;
                break;
            }
            glyph.pixels[y][x] = std::uint8_t(ink);
        }
    }
    return glyph;
}

TEST(DemoImageTest, FontBytesDrawTheDemoGlyphs) {
    for (RomVariant release : allReleases) {
        SCOPED_TRACE(std::string(releaseName(release)));
        const auto image = buildDemoImage({release});
        const auto glyphs = demoFontGlyphs(release);
        for (int c = 0; c < fontGlyphCount; ++c) {
            const DemoGlyph read = decodeGlyph(image, release, c);
            EXPECT_EQ(read.pixels, glyphs[std::size_t(c)].pixels) << "glyph " << c;
            EXPECT_EQ(read.width, glyphs[std::size_t(c)].width) << "glyph " << c;
        }
        // Letters are white (index 1 on GBA English, 3 elsewhere).
        const int white = release == RomVariant::GbaEnglish ? 1 : 3;
        for (const DemoGlyphAssignment& assigned : demoGlyphAssignments(release)) {
            const auto& pixels = glyphs[assigned.code].pixels;
            const bool inked = std::any_of(pixels.begin(), pixels.end(), [white](const auto& row) {
                return std::find(row.begin(), row.end(), white) != row.end();
            });
            EXPECT_EQ(inked, assigned.key != "space") << assigned.key;
        }
    }
    const auto gbaGlyphs = demoFontGlyphs(RomVariant::GbaEnglish);
    const auto code = [](char c) { return *demoCharacterCode(RomVariant::GbaEnglish, c); };
    EXPECT_LE(gbaGlyphs[code('I')].width, 4);
    EXPECT_GT(gbaGlyphs[code('M')].width, gbaGlyphs[code('A')].width);

    // The Japanese marks sit in the bottom four rows of their cells, on the right.
    const auto japaneseGlyphs = demoFontGlyphs(RomVariant::SnesJapanese);
    for (std::uint8_t cell : {voicedMarkCell, semiVoicedMarkCell}) {
        const auto& pixels = japaneseGlyphs[cell].pixels;
        for (std::size_t y = 0; y < 8; ++y) {
            const auto firstInk = std::find_if(pixels[y].begin(), pixels[y].end(),
                                               [](std::uint8_t ink) { return ink != 0; });
            const auto inkFrom = firstInk - pixels[y].begin();
            if (y < 4) {
                EXPECT_EQ(inkFrom, 8) << "row " << y << " of cell " << int(cell);
            } else if (y == 5 || y == 6) {
                EXPECT_GE(inkFrom, 3) << "row " << y << " of cell " << int(cell);
                EXPECT_LT(inkFrom, 8) << "row " << y << " of cell " << int(cell);
            }
        }
    }
}

TEST(DemoImageTest, NamesFitTheirFieldsAndSomeFillThem) {
    for (RomVariant release : {RomVariant::SnesEnglish, RomVariant::SnesJapanese}) {
        for (DemoNameTable table : allDemoNameTables) {
            SCOPED_TRACE(std::string(releaseName(release)) + " " +
                         std::string(demoNameTableName(table)));
            const auto field = std::size_t(demoNameArea(release, table).fieldLength);
            const auto names = demoNameStrings(release, table);
            EXPECT_EQ(std::set<GameString>(names.begin(), names.end()).size(), names.size());
            EXPECT_TRUE(std::all_of(names.begin(), names.end(),
                                    [field](const GameString& s) { return s.size() <= field; }));
            EXPECT_TRUE(std::any_of(names.begin(), names.end(),
                                    [field](const GameString& s) { return s.size() == field; }));
            EXPECT_TRUE(std::any_of(names.begin(), names.end(),
                                    [field](const GameString& s) { return s.size() < field; }));
        }
    }
}

TEST(DemoImageTest, GbaEnglishStringsUseZeroSpacesAndShiftedPairs) {
    const auto image = buildDemoImage({RomVariant::GbaEnglish});
    const NameArea& items = itemNameArea[variantIndex(RomVariant::GbaEnglish)];
    const auto begin = image.begin() + std::ptrdiff_t(items.offset);
    const auto end = begin + 1500;
    EXPECT_NE(std::find(begin, end, 0x00), end);
    EXPECT_NE(std::search_n(begin, end, 1, 0xC2), end);
    const std::uint8_t shiftedSpace[] = {0xC2, 0xA2};
    EXPECT_NE(std::search(begin, end, std::begin(shiftedSpace), std::end(shiftedSpace)), end);
}

TEST(DemoImageTest, LoadingEachReleaseReadsTheDemoNames) {
    test::TempDir dir;
    for (RomVariant release : allReleases) {
        for (bool header : {false, true}) {
            if (header && isGbaVariant(release))
                continue;
            SCOPED_TRACE(std::string(releaseName(release)) + (header ? " with header" : ""));
            const std::string path = dir.file(std::string(releaseKey(release)) + ".img");
            ASSERT_TRUE(writeDemoImage({release, header, isGbaVariant(release) ? 77u : 0u}, path,
                                       ExistingFile::Replace));

            RomImage rom;
            rom.setJapanese(release == RomVariant::SnesEnglish); // the image must correct it
            const Status loaded = loadRom(rom, path);
            ASSERT_TRUE(loaded) << loaded.message();
            EXPECT_EQ(rom.variant(), release);
            EXPECT_EQ(rom.getHeaderSize(), header ? 0x200 : 0);
            EXPECT_EQ(rom.digitCodes, digitCodeTable[variantIndex(release)]);
            if (!isGbaVariant(release)) {
                EXPECT_EQ(rom.gpMultiplier, demoGpMultiplier);
            }

            const std::array<std::span<const GameString>, 6> read = {
                rom.itemNames,  rom.monsterNames, rom.spellNames,
                rom.esperNames, rom.attackNames,  rom.bonusNames};
            for (DemoNameTable table : allDemoNameTables) {
                const auto expected = demoNameStrings(release, table);
                const auto& actual = read[std::size_t(table)];
                for (std::size_t n = 0; n < expected.size(); ++n)
                    ASSERT_EQ(actual[n], expected[n]) << demoNameTableName(table) << " " << n;
            }
            EXPECT_EQ(rom.emptyItemName, demoEmptyItemName(release));

            const auto shopTypes = demoShopTypeStrings(release);
            for (std::size_t type = 0; type < shopTypes.size(); ++type) {
                if (release == RomVariant::GbaEnglish) {
                    EXPECT_EQ(rom.shopTypeNames[type], shopTypes[type]);
                }
                if (release != RomVariant::SnesEnglish)
                    continue;
                const std::uint64_t pointer = rom.readByte(snesShopTypePointers + 2 * type) |
                                              rom.readByte(snesShopTypePointers + 2 * type + 1)
                                                  << 8;
                EXPECT_EQ(
                    rom.readFixedString(snesShopTypeNameLength, snesShopTypeNameBank + pointer),
                    shopTypes[type]);
            }
        }
    }
}

// The tables hold every kind of value the editors distinguish, and nothing out of range.
TEST(DemoImageTest, TablesExerciseEveryField) {
    test::TempDir dir;
    for (RomVariant release : allReleases) {
        SCOPED_TRACE(std::string(releaseName(release)));
        const std::string path = dir.file(std::string(releaseKey(release)) + ".img");
        ASSERT_TRUE(writeDemoImage({release}, path, ExistingFile::Replace));
        RomImage rom;
        ASSERT_TRUE(loadRom(rom, path));
        const int i = variantIndex(release);
        const bool gba = isGbaVariant(release);

        std::set<int> chestTypes;
        for (const Record& chest : rom.chestTable) {
            chestTypes.insert(chest[3] & 0xE8);
            if (gba && (chest[3] & 0xE8) == 0x40 && (chest[3] & 0x04) != 0) {
                EXPECT_LT(chest[4] + 256, itemNameSlots);
            }
        }
        EXPECT_EQ(chestTypes.count(0x08) + chestTypes.count(0x20) + chestTypes.count(0x40) +
                      chestTypes.count(0x80),
                  4u);
        EXPECT_GT(chestTypes.size(), 4u); // and combinations that read as empty

        for (const Record& box : rom.monsterBoxTable) {
            EXPECT_LT(box[0] | box[1] << 8, formationCount - 1);
            EXPECT_LT(box[2] | box[3] << 8, formationCount - 1);
        }

        int emptyMonsterSlots = 0;
        for (int f = 0; f < formationCount; ++f) {
            const std::uint64_t at = formationBase[i] + std::uint64_t(f) * formationRecordSize;
            for (int slot = 0; slot < 6; ++slot) {
                const int monster = rom.readByte(at + 2 + unsigned(slot)) |
                                    ((rom.readByte(at + 14) >> slot) & 1) << 8;
                if (monster == 0x1FF)
                    ++emptyMonsterSlots;
                else
                    EXPECT_LT(monster, monsterNameArea[i].count);
            }
        }
        EXPECT_GT(emptyMonsterSlots, 0);

        const auto shops = std::span(rom.shopTable).first(std::size_t(shopTablePlacement[i].count));
        EXPECT_TRUE(std::any_of(shops.begin(), shops.end(),
                                [](const Record& r) { return (r[0] & 7) >= 6; }));
        EXPECT_TRUE(std::any_of(shops.begin(), shops.end(),
                                [](const Record& r) { return (r[0] >> 3) >= 7; }));
        EXPECT_TRUE(
            std::any_of(shops.begin(), shops.end(), [](const Record& r) { return r[8] == 0xFF; }));

        const auto espers =
            std::span(rom.esperTable).first(std::size_t(esperTablePlacement[i].count));
        int emptySpells = 0;
        int noBonus = 0;
        for (const Record& esper : espers) {
            for (int k = 1; k < 10; k += 2) {
                if (esper[std::size_t(k)] == 0xFF)
                    ++emptySpells;
                else
                    EXPECT_LT(esper[std::size_t(k)], spellNameArea[i].count);
            }
            if (esper[10] == 0xFF)
                ++noBonus;
            else
                EXPECT_LT(esper[10], bonusNameArea[i].count);
        }
        EXPECT_GT(emptySpells, 0);
        EXPECT_GT(noBonus, 0);

        int noAnimation = 0;
        for (int r = 0; r < anim14TablePlacement[i].count; ++r) {
            const Record& anim = rom.anim14Table[std::size_t(r)];
            const int number = (anim[0] | anim[1] << 8) & 0x3FF;
            if (number >= 0x300)
                ++noAnimation;
        }
        EXPECT_GT(noAnimation, 0);
    }
}

TEST(DemoImageTest, WriteFailureNamesTheFile) {
    test::TempDir dir;
    const std::string path = dir.file("missing-folder/demo.smc");
    const Status status = writeDemoImage({RomVariant::SnesEnglish}, path, ExistingFile::Refuse);
    ASSERT_FALSE(status);
    EXPECT_NE(status.message().find(path), std::string::npos) << status.message();
}

} // namespace
} // namespace tarnwick
