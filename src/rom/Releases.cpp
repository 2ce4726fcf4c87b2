#include "rom/Releases.h"

#include <algorithm>
#include <initializer_list>

namespace tarnwick {

namespace {

constexpr PerRelease<std::string_view> keys = {"snes-en", "snes-ja", "gba-en", "gba-ja"};
constexpr PerRelease<std::string_view> displayNames = {"SNES English", "SNES Japanese",
                                                       "GBA English", "GBA Japanese"};

// The bytes a name table can reach: fixed fields exactly, variable strings at their longest.
std::uint64_t nameAreaEnd(const NameArea& area) {
    if (area.count == 0)
        return 0;
    const std::uint64_t perName =
        area.fieldLength > 0 ? static_cast<std::uint64_t>(area.fieldLength) : gbaStringMaxBytes;
    if (area.secondSlot < 0)
        return area.offset + perName * static_cast<std::uint64_t>(area.count);
    const auto firstPart = static_cast<std::uint64_t>(area.secondSlot);
    const auto secondPart = static_cast<std::uint64_t>(area.count - area.secondSlot);
    return std::max(area.offset + perName * firstPart, area.secondOffset + perName * secondPart);
}

} // namespace

std::string_view releaseKey(RomVariant v) {
    return keys[variantIndex(v)];
}

std::string_view releaseName(RomVariant v) {
    return displayNames[variantIndex(v)];
}

std::optional<RomVariant> releaseFromKey(std::string_view key) {
    for (RomVariant v : allReleases)
        if (keys[variantIndex(v)] == key)
            return v;
    return std::nullopt;
}

std::uint64_t requiredImageSize(RomVariant v) {
    const int i = variantIndex(v);
    std::uint64_t end = 0;
    auto cover = [&end](std::uint64_t areaEnd) { end = std::max(end, areaEnd); };

    for (const auto* table : {&chestTablePlacement, &monsterBoxTablePlacement, &shopTablePlacement,
                              &esperTablePlacement, &anim8TablePlacement, &anim14TablePlacement})
        cover((*table)[i].area().end());
    if (gpMultiplierOffset[i])
        cover(*gpMultiplierOffset[i] + 1);
    cover(internalTitleArea[i].end());

    for (const auto* names : {&itemNameArea, &monsterNameArea, &spellNameArea, &esperNameArea,
                              &attackNameArea, &bonusNameArea, &shopTypeNameArea})
        cover(nameAreaEnd((*names)[i]));
    if (v == RomVariant::GbaEnglish) {
        cover(gbaEmptyItemPointer + 2);
        cover(gbaEmptyItemBank + 0x10000 + gbaStringMaxBytes);
    }

    cover(fontPlacement[i].offset + fontPlacement[i].maxLength);
    cover(paletteArea[i].end());
    cover(formationBase[i] + static_cast<std::uint64_t>(formationRecordSize) * formationCount);
    if (v == RomVariant::SnesEnglish) {
        cover(snesShopTypePointers + 2 * 6);
        cover(snesShopTypeNameBank + 0x10000 + snesShopTypeNameLength);
    }
    return end;
}

std::uint32_t copierHeaderLength(std::uint64_t fileLength) {
    return fileLength > largestSnesFile ? 0 : static_cast<std::uint32_t>(fileLength % snesBankSize);
}

} // namespace tarnwick
