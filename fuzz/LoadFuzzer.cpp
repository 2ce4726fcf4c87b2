// Feeds arbitrary bytes to the document as an image of each release. The first input byte picks
// the release, the Japanese option, a copier header and whether the image is cut short; the rest
// is laid over every area the release reads, so names, pointers, fonts and tables all see
// hostile bytes.
#include "graphics/GameTextLayout.h"
#include "graphics/GlyphSheets.h"
#include "rom/RomImage.h"
#include "rom/ShopRecord.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

using namespace tarnwick;

void layOver(std::vector<std::uint8_t>& image, std::uint64_t header, std::uint64_t offset,
             const std::uint8_t* payload, std::size_t length) {
    const std::uint64_t at = header + offset;
    if (at >= image.size() || length == 0)
        return;
    const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(length, image.size() - at));
    std::copy(payload, payload + count, image.begin() + static_cast<std::ptrdiff_t>(at));
}

std::vector<std::uint64_t> areaStarts(RomVariant v) {
    const int i = variantIndex(v);
    std::vector<std::uint64_t> starts = {
        internalTitleArea[i].offset,   gbaGameCodeArea.offset,
        snesLanguageByteOffset,        fontPlacement[i].offset,
        paletteArea[i].offset,         shopTablePlacement[i].offset,
        esperTablePlacement[i].offset, chestTablePlacement[i].offset,
        gbaEmptyItemPointer,           gbaEmptyItemBank,
        snesShopTypePointers,          snesShopTypeNameBank,
    };
    for (const auto* names : {&itemNameArea, &monsterNameArea, &spellNameArea, &esperNameArea,
                              &attackNameArea, &bonusNameArea, &shopTypeNameArea}) {
        starts.push_back((*names)[i].offset);
        if ((*names)[i].secondSlot >= 0)
            starts.push_back((*names)[i].secondOffset);
    }
    return starts;
}

// Lays out a name the way the lists draw it; every block copy must come from inside the font
// sheet, whatever the glyph widths say.
void checkNameDrawsInsideTheSheet(const RomImage& rom, const GameString& name) {
    static std::vector<GlyphBlit> blits;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(name.data());
    layoutGameText(std::span<const std::uint8_t>(bytes, name.size()), rom.variant(), rom.glyphTable,
                   ListScheme::Current, TextPlace::ListRow, blits);
    for (const GlyphBlit& blit : blits)
        if (blit.sourceX < 0 || blit.width < 0 || blit.sourceX + blit.width > fontSheetWidth ||
            blit.sourceY < 0 || blit.sourceY + blit.height > fontSheetHeight)
            __builtin_trap();
}

// Builds the sheets from the fuzzed font and draws every item name and the shop editor's type
// names, which it finds through pointers in the image.
void checkNamesDrawInsideTheSheet(RomImage& rom) {
    buildGlyphSheets(rom);
    for (const GameString& name : rom.itemNames)
        checkNameDrawsInsideTheSheet(rom, name);
    for (const GameString& name : shopTypeListNames(rom))
        checkNameDrawsInsideTheSheet(rom, name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t length) {
    if (length == 0)
        return 0;
    const std::uint8_t selector = input[0];
    const std::uint8_t* payload = input + 1;
    const std::size_t payloadLength = length - 1;

    const bool gba = (selector & 1) != 0;
    const bool japaneseOption = (selector & 2) != 0;
    const bool header = !gba && (selector & 4) != 0;
    const bool cutShort = (selector & 8) != 0;
    const RomVariant layoutRelease = makeVariant(gba, (selector & 16) != 0);

    const std::uint64_t headerBytes = header ? 0x200 : 0;
    std::uint64_t fileLength =
        gba ? gbaImageSize + payloadLength : requiredImageSize(layoutRelease) + headerBytes;
    if (cutShort && !gba)
        fileLength = (fileLength * (selector >> 5)) / 8 + payloadLength;
    fileLength = std::min<std::uint64_t>(fileLength, gba ? gbaImageSize + 4096 : largestSnesFile);

    // Both buffers live across runs: fresh 8 MiB allocations would cost more than the run.
    static std::vector<std::uint8_t> image;
    image.assign(std::min<std::uint64_t>(fileLength, gbaImageSize), 0);
    for (std::uint64_t start : areaStarts(layoutRelease))
        layOver(image, headerBytes, start, payload, payloadLength);

    static RomImage rom;
    rom.setJapanese(japaneseOption);
    rom.adoptFileBytes(image, fileLength);
    rom.settleRelease();
    (void)rom.internalTitle();
    if (rom.parseTables()) {
        checkNamesDrawInsideTheSheet(rom);
        rom.writeTablesToImage();
        if (rom.tablesDifferFromImage())
            __builtin_trap();
        rom.setJapanese(!rom.isJapanese());
        (void)rom.parseTables();
    }

    // The same bytes as a text file read line by line.
    RomImage text;
    text.adoptFileBytes(std::span<const std::uint8_t>(payload, payloadLength), payloadLength);
    text.seek(0);
    for (std::size_t line = 0; line <= payloadLength; ++line)
        (void)text.readLine();
    return 0;
}
