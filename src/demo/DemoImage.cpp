#include "demo/DemoImage.h"

#include "io/AtomicFile.h"

#include "DemoCharacters.h"
#include "DemoFont.h"
#include "DemoNames.h"

#include "graphics/GlyphSheets.h"
#include "rom/ChestRecord.h"
#include "rom/RomImage.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cerrno>
#include <cstdio>
#include <span>
#include <system_error>

namespace tarnwick {

namespace {

// A small fixed-seed generator (splitmix64): the same sequence on every platform and library.
class DemoRandom {
public:
    explicit DemoRandom(std::uint64_t seed) : state(seed) {}

    std::uint64_t next() {
        state += 0x9E3779B97F4A7C15;
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EB;
        return z ^ (z >> 31);
    }
    // A number from 0 to bound - 1.
    int below(int bound) { return static_cast<int>(next() % static_cast<std::uint64_t>(bound)); }
    std::uint8_t byte() { return static_cast<std::uint8_t>(next()); }
    bool oneIn(int n) { return below(n) == 0; }

    // Filler for the bytes no area claims, eight from each number, low byte first.
    void fill(std::span<std::uint8_t> bytes) {
        std::uint64_t word = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (i % 8 == 0)
                word = next();
            bytes[i] = static_cast<std::uint8_t>(word >> (8 * (i % 8)));
        }
    }

private:
    std::uint64_t state;
};

constexpr std::uint64_t fillerSeed = 0x4B41564F;
constexpr std::uint64_t contentSeed = 0x54524E57;

constexpr std::uint8_t emptySlot = 0xFF;
constexpr std::uint8_t noAnimation = 0xFF;
constexpr std::uint8_t gbaStringEnd = 0x04;
constexpr std::uint8_t gbaPairIntroducer = 0xC2;
constexpr std::uint8_t gbaZeroSpace = 0x00;
constexpr std::uint8_t gbaSpace = 0x67;
constexpr std::uint8_t gbaShiftedSpace = 0x6C;

// Where the demo puts what the fixed layout leaves to it: the SNES English shop type names and
// the GBA English empty item name, both in bytes no table uses.
constexpr std::uint64_t snesShopTypeNamesAt = 0x3C100;
constexpr std::uint64_t snesShopTypeNameStep = 8;
constexpr std::uint64_t gbaEmptyItemNameAt = 0x166F60;

constexpr std::string_view snesEnglishTitle = "KAVO DEMO  ENG3     ";
constexpr std::string_view snesJapaneseTitle = "KAVO DEMO  JPN6     ";
constexpr std::string_view gbaTitle = "KAVODEMO";
constexpr std::size_t gbaTitleLength = 12;

std::uint8_t low(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}
std::uint8_t high(int value) {
    return static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

// Writes the content of one release into the image proper and notes every area it fills.
class DemoWriter {
public:
    DemoWriter(RomVariant ofRelease, std::span<std::uint8_t> into)
        : release(ofRelease), gba(isGbaVariant(ofRelease)), image(into), random(contentSeed) {}

    std::vector<DemoArea> write() {
        writeHeader();
        writeChests();
        writeMonsterBoxes();
        writeFormations();
        writeShops();
        writeEspers();
        writeAnimations();
        writeFont();
        writePalette();
        writeNames();
        return std::move(areas);
    }

private:
    void put(std::uint64_t offset, std::uint8_t value) { image[offset] = value; }
    void put(std::uint64_t offset, std::string_view bytes) {
        std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
    }
    void note(std::string name, std::uint64_t offset, std::uint64_t length) {
        areas.push_back({std::move(name), {offset, length}});
    }
    std::uint8_t* record(const TablePlacement& table, int index) {
        return image.data() + table.offset +
               static_cast<std::uint64_t>(index) * static_cast<std::uint64_t>(table.recordSize);
    }
    int monsterCount() const { return monsterNameArea[variantIndex(release)].count; }

    void writeHeader() {
        const ByteArea title = internalTitleArea[variantIndex(release)];
        if (!gba) {
            const bool japanese = isJapaneseVariant(release);
            put(title.offset, japanese ? snesJapaneseTitle : snesEnglishTitle);
            assert(image[snesLanguageByteOffset] ==
                   (japanese ? snesJapaneseMark : snesEnglishMark));
            note("internal title", title.offset, title.length);
            put(*gpMultiplierOffset[variantIndex(release)], demoGpMultiplier);
            note("GP multiplier", *gpMultiplierOffset[variantIndex(release)], 1);
            return;
        }
        // The GBA title is padded with zeros, which the document shows as spaces.
        for (std::size_t i = 0; i < gbaTitleLength; ++i)
            put(title.offset + i, i < gbaTitle.size() ? static_cast<std::uint8_t>(gbaTitle[i]) : 0);
        put(gbaGameCodeArea.offset,
            isJapaneseVariant(release) ? gbaJapaneseGameCode : gbaEnglishGameCode);
        note("internal title", title.offset, title.length);
    }

    // Opened-flag number 0-511 (memory byte times 8 plus bit) of chest i: a step odd to 512 visits
    // every flag once, so the 312 chests get scattered flags of their own.
    static int ownOpenedFlag(int chest) { return (chest * 167 + 41) % (memoryByteLimit * 8); }

    // Chest byte 3: the type bits (empty 0x08, monster 0x20, item 0x40, money 0x80, or now and
    // then a combination that reads as empty), flags in bits 1, 2 and 4, and bit 5 of the memory
    // byte in bit 0. GBA item chests with bit 2 set hold one of the items 256-270.
    void writeChests() {
        const TablePlacement& table = chestTablePlacement[variantIndex(release)];
        constexpr std::array<std::uint8_t, 4> oddTypes = {0x00, 0x28, 0xC8, 0x60};
        for (int i = 0; i < table.count; ++i) {
            std::uint8_t* chest = record(table, i);
            chest[0] = low(8 + random.below(240));
            chest[1] = low(8 + random.below(240));
            // The draws for the opened-flag stay, so that every value after them is the same
            // as before; the flag itself is the chest's own, as in a game no two chests share one.
            (void)random.byte();
            (void)random.below(2);
            const int flag = ownOpenedFlag(i);
            chest[2] = low(flag);
            int flags = flag >> 8 | (random.oneIn(4) ? 0x02 : 0) | (random.oneIn(4) ? 0x10 : 0);
            int contents = random.below(256);
            const int kind = random.below(20);
            if (kind < 4) {
                flags |= 0x08;
            } else if (kind < 8) {
                flags |= 0x20;
            } else if (kind < 15) {
                flags |= 0x40;
                contents = random.below(255);
                if (gba && random.oneIn(6)) {
                    flags |= 0x04;
                    contents = random.below(itemNameSlots - 256);
                }
            } else if (kind < 19) {
                flags |= 0x80;
                contents = 1 + random.below(200);
            } else {
                flags |= oddTypes[static_cast<std::size_t>(random.below(4))];
            }
            if ((flags & 0x40) == 0 && random.oneIn(5))
                flags |= 0x04;
            chest[3] = low(flags);
            chest[4] = low(contents);
        }
        note("chests", table.offset, table.area().length);
    }

    void writeMonsterBoxes() {
        const TablePlacement& table = monsterBoxTablePlacement[variantIndex(release)];
        for (int i = 0; i < table.count; ++i) {
            std::uint8_t* box = record(table, i);
            for (int form = 0; form < 2; ++form) {
                const int formation = random.below(formationCount - 1);
                box[2 * form] = low(formation);
                box[2 * form + 1] = high(formation);
            }
        }
        note("monster boxes", table.offset, table.area().length);
    }

    // Formation bytes 2-7 hold the low bytes of six monster numbers, byte 14 their bit 8; an
    // empty slot is 0xFF with its bit set. The other bytes are noise the editors do not read.
    void writeFormations() {
        const std::uint64_t base = formationBase[variantIndex(release)];
        for (int f = 0; f < formationCount; ++f) {
            std::uint8_t* formation =
                image.data() + base + static_cast<std::uint64_t>(f) * formationRecordSize;
            for (int b = 0; b < formationRecordSize; ++b)
                formation[b] = random.byte();
            const int present = 1 + random.below(6);
            int highBits = random.below(4) << 6;
            for (int slot = 0; slot < 6; ++slot) {
                const int monster = slot < present ? random.below(monsterCount()) : 0x1FF;
                formation[2 + slot] = low(monster);
                if (monster >= 256)
                    highBits |= 1 << slot;
            }
            formation[14] = low(highBits);
        }
        note("formations", base, static_cast<std::uint64_t>(formationCount) * formationRecordSize);
    }

    // Shop byte 0: type in bits 0-2 (0-5, a few 6 and 7), price modifier in bits 3-7 (0-6, a few
    // past the labelled ones). Then up to eight items in ascending order, 0xFF for empty slots.
    void writeShops() {
        const TablePlacement& table = shopTablePlacement[variantIndex(release)];
        struct ItemRange {
            int first;
            int count;
        };
        constexpr std::array<ItemRange, 6> stock = {
            {{0, 255}, {0, 92}, {92, 71}, {232, 23}, {171, 61}, {163, 8}}};
        for (int i = 0; i < table.count; ++i) {
            std::uint8_t* shop = record(table, i);
            int type = random.below(6);
            int modifier = random.below(7);
            if (i % 16 == 15)
                type = 6 + random.below(2);
            if (i % 16 == 7)
                modifier = 7 + random.below(25);
            shop[0] = low(type | modifier << 3);

            const ItemRange range = stock[static_cast<std::size_t>(type % 6)];
            std::array<int, 8> items{};
            const int filled = 1 + random.below(8);
            for (int slot = 0; slot < 8; ++slot) {
                if (slot >= filled) {
                    items[static_cast<std::size_t>(slot)] = emptySlot;
                    continue;
                }
                // A shop sells each item once: a repeat takes the next item of the range not yet
                // listed (every range holds at least the eight a shop can list).
                int offset = random.below(range.count);
                while (std::find(items.begin(), items.begin() + slot, range.first + offset) !=
                       items.begin() + slot)
                    offset = (offset + 1) % range.count;
                items[static_cast<std::size_t>(slot)] = range.first + offset;
            }
            std::sort(items.begin(), items.end());
            for (int slot = 0; slot < 8; ++slot)
                shop[1 + slot] = low(items[static_cast<std::size_t>(slot)]);
        }
        note("shops", table.offset, table.area().length);
    }

    // Five (learn rate, spell) pairs, unused ones 0 and 0xFF, then the bonus (0xFF for none).
    void writeEspers() {
        const TablePlacement& table = esperTablePlacement[variantIndex(release)];
        constexpr std::array<int, 8> learnRates = {1, 2, 3, 5, 8, 10, 15, 20};
        const int spellCount = spellNameArea[variantIndex(release)].count;
        for (int i = 0; i < table.count; ++i) {
            std::uint8_t* esper = record(table, i);
            const int taught = 1 + random.below(5);
            for (int k = 0; k < 5; ++k) {
                const bool used = k < taught;
                esper[2 * k] =
                    used ? low(learnRates[static_cast<std::size_t>(random.below(8))]) : 0;
                esper[2 * k + 1] = used ? low((i * 2 + k * 11) % spellCount) : emptySlot;
            }
            esper[10] = random.oneIn(4) ? emptySlot : low(random.below(17));
        }
        note("espers", table.offset, table.area().length);
    }

    // A 10-bit animation number in a low and a high byte, bit 7 of the high byte the "high bit";
    // 0xFF 0xFF for none. Now and then bits 2-6 of the high byte carry leftovers.
    void writeAnimationNumber(std::uint8_t* bytes, int noneOneIn) {
        if (random.oneIn(noneOneIn)) {
            bytes[0] = noAnimation;
            bytes[1] = noAnimation;
            return;
        }
        const int number = random.below(0x300);
        int highByte = (number >> 8) | (random.oneIn(4) ? 0x80 : 0);
        if (random.oneIn(16))
            highByte |= 0x1C;
        bytes[0] = low(number);
        bytes[1] = low(highByte);
    }

    void writeAnimations() {
        const TablePlacement& short8 = anim8TablePlacement[variantIndex(release)];
        for (int i = 0; i < short8.count; ++i) {
            std::uint8_t* anim = record(short8, i);
            anim[0] = random.oneIn(8) ? noAnimation : random.byte();
            anim[1] = random.oneIn(3) ? random.byte() : noAnimation;
            anim[2] = random.byte();
            anim[3] = random.oneIn(8) ? noAnimation : random.byte();
            anim[4] = random.byte();
            anim[5] = low(random.below(4));
            anim[6] = random.byte();
            anim[7] = random.oneIn(4) ? random.byte() : 0;
        }
        note("8-byte animations", short8.offset, short8.area().length);

        const TablePlacement& long14 = anim14TablePlacement[variantIndex(release)];
        for (int i = 0; i < long14.count; ++i) {
            std::uint8_t* anim = record(long14, i);
            writeAnimationNumber(anim + 0, 4);
            writeAnimationNumber(anim + 2, 3);
            writeAnimationNumber(anim + 4, 2);
            for (int b = 6; b <= 8; ++b)
                anim[b] = random.byte();
            anim[9] = random.byte();
            anim[10] = low(random.below(16));
            writeAnimationNumber(anim + 11, 2);
            anim[13] = low(random.below(8));
            if (long14.recordSize > 14)
                anim[14] = low(random.below(4));
        }
        note("long animations", long14.offset, long14.area().length);
    }

    void writeFont() {
        const FontPlacement& placement = fontPlacement[variantIndex(release)];
        const std::vector<std::uint8_t> font = encodeDemoFont(release);
        assert(font.size() <= placement.maxLength);
        std::copy(font.begin(), font.end(),
                  image.begin() + static_cast<std::ptrdiff_t>(placement.offset));
        note("font", placement.offset, font.size());
    }

    // Each row of 16 colours is a ramp from dark to bright through a hue of its own; colour 0 of
    // each row stays black, and a few colours carry the unused bit 15.
    void writePalette() {
        const ByteArea area = paletteArea[variantIndex(release)];
        for (int n = 0; n < paletteColourCount; ++n) {
            const int row = n / 16;
            const int column = n % 16;
            const int hue = (row * 37 + column * 2) % 192; // six sextants of 32 steps
            const int value = column * 31 / 15;
            const int rising = value * (hue % 32) / 31;
            const int falling = value - rising;
            const int floor = value * (row % 4) / 8; // paler rows mix in some grey
            std::array<int, 3> rgb{};
            switch (hue / 32) {
            case 0:
                rgb = {value, rising, floor};
                break;
            case 1:
                rgb = {falling, value, floor};
                break;
            case 2:
                rgb = {floor, value, rising};
                break;
            case 3:
                rgb = {floor, falling, value};
                break;
            case 4:
                rgb = {rising, floor, value};
                break;
            default:
                rgb = {value, floor, falling};
                break;
            }
            for (int& component : rgb)
                component = std::clamp(std::max(component, floor), 0, 31);
            int colour = rgb[0] | rgb[1] << 5 | rgb[2] << 10;
            if (column == 15 && row % 4 == 3)
                colour |= 0x8000;
            put(area.offset + 2 * static_cast<std::uint64_t>(n), low(colour));
            put(area.offset + 2 * static_cast<std::uint64_t>(n) + 1, high(colour));
        }
        note("palette", area.offset, area.length);
    }

    void writeNames() {
        for (DemoNameTable table : allDemoNameTables) {
            const NameArea& area = demoNameArea(release, table);
            const std::vector<GameString> names = demoNameStrings(release, table);
            if (area.fieldLength > 0)
                writeFixedNames(table, area, names);
            else
                writeGbaNames(table, area, names);
        }
        if (release == RomVariant::SnesEnglish)
            writeSnesShopTypes();
        if (release == RomVariant::GbaEnglish) {
            writeGbaShopTypes();
            writeGbaEmptyItemName();
        }
    }

    // Fixed fields: SNES names shorter than the field end at a zero; GBA Japanese ones come
    // filled out with spaces already.
    void writeFixedNames(DemoNameTable table, const NameArea& area,
                         const std::vector<GameString>& names) {
        const auto length = static_cast<std::uint64_t>(area.fieldLength);
        const std::string label = std::string(demoNameTableName(table)) + " names";
        const std::size_t firstPart =
            area.secondSlot >= 0 ? static_cast<std::size_t>(area.secondSlot) : names.size();
        for (std::size_t n = 0; n < names.size(); ++n) {
            const std::uint64_t offset = n < firstPart
                                             ? area.offset + n * length
                                             : area.secondOffset + (n - firstPart) * length;
            assert(names[n].size() <= length);
            for (std::uint64_t k = 0; k < length; ++k)
                put(offset + k, k < names[n].size() ? static_cast<std::uint8_t>(names[n][k]) : 0);
        }
        note(label, area.offset, firstPart * length);
        if (firstPart < names.size())
            note(label + " (later)", area.secondOffset, (names.size() - firstPart) * length);
    }

    // GBA English strings end with 0x04. Spaces take each of their four spellings in turn (the
    // code itself, 0x00, and two shifted pairs, one of them the 0x6C that reads as a space),
    // and every so often a letter is written as a shifted pair.
    std::uint64_t putGbaString(std::uint64_t offset, const GameString& name, std::size_t index,
                               std::uint8_t shift) {
        for (std::size_t k = 0; k < name.size(); ++k) {
            const auto code = static_cast<std::uint8_t>(name[k]);
            assert(code != gbaZeroSpace && code != gbaStringEnd && code != gbaPairIntroducer);
            const std::size_t turn = index + k;
            if (code == gbaSpace && turn % 4 == 1) {
                put(offset++, gbaZeroSpace);
            } else if (shift != 0 && (code == gbaSpace ? turn % 4 >= 2 : turn % 13 == 5)) {
                const std::uint8_t plain =
                    code == gbaSpace && turn % 4 == 2 ? gbaShiftedSpace : code;
                put(offset++, gbaPairIntroducer);
                put(offset++, static_cast<std::uint8_t>(plain + shift));
            } else {
                put(offset++, code);
            }
        }
        put(offset++, gbaStringEnd);
        return offset;
    }

    void writeGbaNames(DemoNameTable table, const NameArea& area,
                       const std::vector<GameString>& names) {
        const std::string label = std::string(demoNameTableName(table)) + " names";
        std::uint64_t offset = area.offset;
        for (std::size_t n = 0; n < names.size(); ++n) {
            if (area.secondSlot >= 0 && n == static_cast<std::size_t>(area.secondSlot)) {
                note(label, area.offset, offset - area.offset);
                offset = area.secondOffset;
            }
            offset = putGbaString(offset, names[n], n, gbaNameShift);
        }
        if (area.secondSlot >= 0)
            note(label + " (later)", area.secondOffset, offset - area.secondOffset);
        else
            note(label, area.offset, offset - area.offset);
    }

    void writeGbaShopTypes() {
        const NameArea& area = shopTypeNameArea[variantIndex(release)];
        const auto names = demoShopTypeStrings(release);
        std::uint64_t offset = area.offset;
        for (std::size_t n = 0; n < shopTypeSlotOrder.size(); ++n)
            offset = putGbaString(offset, names[static_cast<std::size_t>(shopTypeSlotOrder[n])], n,
                                  gbaShopTypeShift);
        note("shop type names", area.offset, offset - area.offset);
    }

    void writeGbaEmptyItemName() {
        const auto pointer = static_cast<int>(gbaEmptyItemNameAt - gbaEmptyItemBank);
        put(gbaEmptyItemPointer, low(pointer));
        put(gbaEmptyItemPointer + 1, high(pointer));
        note("empty item pointer", gbaEmptyItemPointer, 2);
        const GameString text = encodeDemoText(release, demoGbaEmptyItemText).value();
        const std::uint64_t end = putGbaString(gbaEmptyItemNameAt, text, 0, gbaNameShift);
        note("empty item name", gbaEmptyItemNameAt, end - gbaEmptyItemNameAt);
    }

    void writeSnesShopTypes() {
        const auto names = demoShopTypeStrings(release);
        for (std::size_t type = 0; type < names.size(); ++type) {
            const std::uint64_t at = snesShopTypeNamesAt + type * snesShopTypeNameStep;
            const auto pointer = static_cast<int>(at - snesShopTypeNameBank);
            put(snesShopTypePointers + 2 * type, low(pointer));
            put(snesShopTypePointers + 2 * type + 1, high(pointer));
            assert(names[type].size() <= snesShopTypeNameLength);
            for (std::uint64_t k = 0; k < snesShopTypeNameStep; ++k)
                put(at + k, k < names[type].size() ? static_cast<std::uint8_t>(names[type][k]) : 0);
        }
        note("shop type pointers", snesShopTypePointers, 2 * names.size());
        note("shop type names", snesShopTypeNamesAt, snesShopTypeNameStep * names.size());
    }

    RomVariant release;
    bool gba;
    std::span<std::uint8_t> image;
    DemoRandom random;
    std::vector<DemoArea> areas;
};

std::uint64_t imageSize(RomVariant release) {
    return isGbaVariant(release) ? gbaImageSize : snesDemoImageSize;
}

} // namespace

std::vector<std::uint8_t> buildDemoImage(const DemoImageOptions& options) {
    const RomVariant release = options.release;
    const bool gba = isGbaVariant(release);
    const std::uint64_t header = !gba && options.copierHeader ? copierHeaderSize : 0;
    const std::uint64_t tail = gba ? options.tailBytes : 0;
    const std::uint64_t size = imageSize(release);

    // The image proper and the tail get filler of their own, so that neither the copier header
    // nor the tail moves a byte of the image.
    std::vector<std::uint8_t> file(header + size + tail);
    const std::span<std::uint8_t> image = std::span<std::uint8_t>(file).subspan(header, size);
    const auto seed = fillerSeed + static_cast<std::uint64_t>(variantIndex(release));
    DemoRandom(seed).fill(image);
    DemoRandom(~seed).fill(std::span<std::uint8_t>(file).subspan(header + size));
    if (header > 0) {
        // A copier header: the image length in 8 KiB blocks, then zeros.
        const std::uint64_t blocks = size / 0x2000;
        file[0] = static_cast<std::uint8_t>(blocks & 0xFF);
        file[1] = static_cast<std::uint8_t>(blocks >> 8);
    }
    // The areas written are checked for overlaps by the tests (demoImageAreas).
    DemoWriter(release, image).write();
    return file;
}

Status openDemoImage(RomImage& rom, const DemoImageOptions& options) {
    const std::vector<std::uint8_t> bytes = buildDemoImage(options);
    rom.adoptFileBytes(bytes, bytes.size());
    rom.settleRelease();
    Status parsed = rom.parseTables();
    if (parsed)
        buildGlyphSheets(rom);
    return parsed;
}

Status writeDemoImage(const DemoImageOptions& options, const std::string& path,
                      ExistingFile existing) {
    return writeWholeFile(path, buildDemoImage(options), existing);
}

std::vector<DemoArea> demoImageAreas(RomVariant release) {
    std::vector<std::uint8_t> image(imageSize(release));
    return DemoWriter(release, image).write();
}

} // namespace tarnwick
