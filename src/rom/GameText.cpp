#include "rom/RomImage.h"

#include <algorithm>

namespace tarnwick {

namespace {

constexpr std::uint8_t gbaSpaceCode = 0x67;
constexpr std::uint8_t gbaStringEnd = 0x04;
constexpr std::uint8_t gbaShiftedPair = 0xC2;
// A shifted byte of this value stands for a space.
constexpr std::uint8_t gbaShiftedSpace = 0x6C;

} // namespace

GameString RomImage::readFixedString(int length, std::uint64_t offset) const {
    std::uint64_t start = 0;
    if (length <= 0 || !imageIndex(offset, start))
        return gba ? GameString(static_cast<std::size_t>(std::max(length, 0)), ' ') : GameString();
    const auto fieldLength = static_cast<std::size_t>(length);
    const auto available =
        static_cast<std::size_t>(std::min<std::uint64_t>(fieldLength, data.size() - start));
    const auto* first = data.data() + start;
    // SNES fields end at their first zero; GBA fields are padded with zeros that the game shows
    // as spaces (0x20), so they always keep their full length. Bytes past the image read as zero.
    if (!gba)
        return GameString(first, std::find(first, first + available, 0));
    GameString text(first, first + available);
    std::replace(text.begin(), text.end(), '\0', ' ');
    text.resize(fieldLength, ' ');
    return text;
}

GameString RomImage::readGbaString(int shift) {
    GameString text;
    int lastValue = -1;
    for (int count = 0; count < gbaStringMaxCharacters && lastValue != gbaStringEnd; ++count) {
        const std::uint8_t code = nextByte();
        lastValue = code;
        if (code == 0x00) {
            text += static_cast<char>(gbaSpaceCode);
        } else if (code == gbaStringEnd) {
            // The terminator is consumed and adds nothing.
        } else if (code == gbaShiftedPair) {
            auto value = static_cast<std::uint8_t>((nextByte() - shift) & 0xFF);
            if (value == gbaShiftedSpace)
                value = gbaSpaceCode;
            lastValue = value;
            // Unshifted reads (shop types) drop the pair altogether.
            if (shift != 0)
                text += static_cast<char>(value);
        } else {
            text += static_cast<char>(code);
        }
    }
    return text;
}

void RomImage::readNameTable(std::span<GameString> slots, const NameArea& area) {
    const auto count = std::min(static_cast<std::size_t>(area.count), slots.size());
    if (area.fieldLength > 0) {
        const auto length = static_cast<std::uint64_t>(area.fieldLength);
        for (std::size_t n = 0; n < count; ++n) {
            const bool inSecondPart =
                area.secondSlot >= 0 && n >= static_cast<std::size_t>(area.secondSlot);
            const std::uint64_t offset =
                inSecondPart
                    ? area.secondOffset + (n - static_cast<std::size_t>(area.secondSlot)) * length
                    : area.offset + n * length;
            slots[n] = readFixedString(area.fieldLength, offset);
        }
        return;
    }
    seek(area.offset);
    for (std::size_t n = 0; n < count; ++n) {
        if (area.secondSlot >= 0 && n == static_cast<std::size_t>(area.secondSlot))
            seek(area.secondOffset);
        slots[n] = readGbaString(gbaNameShift);
    }
}

void RomImage::parseNames() {
    const RomVariant v = variant();
    const int i = variantIndex(v);
    readNameTable(itemNames, itemNameArea[i]);
    readNameTable(monsterNames, monsterNameArea[i]);
    readNameTable(spellNames, spellNameArea[i]);
    readNameTable(esperNames, esperNameArea[i]);
    readNameTable(attackNames, attackNameArea[i]);
    readNameTable(bonusNames, bonusNameArea[i]);

    switch (v) {
    case RomVariant::SnesEnglish:
        emptyItemName = itemNames[255];
        break;
    case RomVariant::SnesJapanese:
    case RomVariant::GbaJapanese:
        emptyItemName.assign(japaneseEmptyItemName.begin(), japaneseEmptyItemName.end());
        break;
    case RomVariant::GbaEnglish: {
        const NameArea& shopTypes = shopTypeNameArea[i];
        shopTypeNames[0].clear();
        seek(shopTypes.offset);
        for (int slot : shopTypeSlotOrder)
            shopTypeNames[static_cast<std::size_t>(slot)] = readGbaString(gbaShopTypeShift);

        seek(gbaEmptyItemBank + readWord(gbaEmptyItemPointer));
        emptyItemName = static_cast<char>(gbaSpaceCode) + readGbaString(gbaNameShift);
        break;
    }
    }
}

} // namespace tarnwick
