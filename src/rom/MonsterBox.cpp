#include "rom/MonsterBox.h"

#include "rom/ChestRecord.h"
#include "rom/RomImage.h"

#include <cstdint>

namespace tarnwick {
namespace {

constexpr int slotBytesStart = 2;
constexpr int highBitsByte = 14;
constexpr int emptyLowByte = 0xFF;

bool hasRecord(int entry, int form) {
    return entry >= 0 && entry < monsterBoxCount && (form == 1 || form == 2);
}

} // namespace

int monsterBoxForm(const RomImage& rom, int entry, int form) {
    if (!hasRecord(entry, form))
        return 0;
    const Record& box = rom.monsterBoxTable[static_cast<std::size_t>(entry)];
    const auto low = static_cast<std::size_t>(2 * (form - 1));
    return (box[low] & 0xFF) | (box[low + 1] & 0xFF) << 8;
}

void setMonsterBoxForm(RomImage& rom, int entry, int form, int value) {
    if (!hasRecord(entry, form))
        return;
    Record& box = rom.monsterBoxTable[static_cast<std::size_t>(entry)];
    const int v = wrapInto(value, formationNumbers);
    const auto low = static_cast<std::size_t>(2 * (form - 1));
    box[low] = v & 0xFF;
    box[low + 1] = v >> 8;
}

int formationSlotMonster(const RomImage& rom, int formation, int slot) {
    if (formation < 0 || slot < 1 || slot > formationSlots)
        return emptyFormationSlot;
    const std::uint64_t record =
        formationBase[variantIndex(rom.variant())] +
        static_cast<std::uint64_t>(formation) * static_cast<std::uint64_t>(formationRecordSize);
    const int low = rom.readByte(record + static_cast<std::uint64_t>(slotBytesStart + slot - 1));
    const bool high = (rom.readByte(record + highBitsByte) >> (slot - 1) & 1) != 0;
    if (low == emptyLowByte)
        return high ? emptyFormationSlot : low;
    return high ? low + 256 : low;
}

std::optional<int> firstChestOpening(const RomImage& rom, int entry) {
    for (int chest = 0; chest < chestCount; ++chest) {
        const Record& record = rom.chestTable[static_cast<std::size_t>(chest)];
        if (chestType(record) == monsterChest && chestContents(record, rom.variant()) == entry)
            return chest;
    }
    return std::nullopt;
}

} // namespace tarnwick
