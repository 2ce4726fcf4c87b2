#include "rom/RomImage.h"

#include <type_traits>

namespace tarnwick {

namespace {

// The six record tables of a document paired with where the current release keeps them. The
// same list drives reading, writing and comparing, so the three can never disagree.
template <typename Document> auto tableBindings(Document& rom) {
    using RecordType = std::conditional_t<std::is_const_v<Document>, const Record, Record>;
    struct Binding {
        std::span<RecordType> table;
        TablePlacement placement;
    };
    const int i = variantIndex(rom.variant());
    return std::array<Binding, 6>{{
        {rom.shopTable, shopTablePlacement[i]},
        {rom.monsterBoxTable, monsterBoxTablePlacement[i]},
        {rom.chestTable, chestTablePlacement[i]},
        {rom.esperTable, esperTablePlacement[i]},
        {rom.anim8Table, anim8TablePlacement[i]},
        {rom.anim14Table, anim14TablePlacement[i]},
    }};
}

} // namespace

Status RomImage::parseTables() {
    if (Status fits = checkFitsRelease(); !fits)
        return fits;
    const int i = variantIndex(variant());
    digitCodes = digitCodeTable[i];
    if (gpMultiplierOffset[i])
        gpMultiplier = readByte(*gpMultiplierOffset[i]);
    for (const auto& binding : tableBindings(*this))
        readTable(binding.placement.count, binding.placement.recordSize, binding.table,
                  binding.placement.offset);
    parseNames();
    return Status::success();
}

void RomImage::writeTablesToImage() {
    const int i = variantIndex(variant());
    if (gpMultiplierOffset[i])
        writeByte(static_cast<std::uint8_t>(gpMultiplier & 0xFF), *gpMultiplierOffset[i]);
    for (const auto& binding : tableBindings(*this))
        writeTable(binding.placement.count, binding.placement.recordSize, binding.table,
                   binding.placement.offset);
}

bool RomImage::tablesDifferFromImage() const {
    if (!hasImage())
        return false;
    const int i = variantIndex(variant());
    if (gpMultiplierOffset[i] &&
        readByte(*gpMultiplierOffset[i]) != static_cast<std::uint8_t>(gpMultiplier & 0xFF))
        return true;
    for (const auto& binding : tableBindings(*this)) {
        const TablePlacement& where = binding.placement;
        for (int record = 0; record < where.count; ++record)
            for (int byte = 0; byte < where.recordSize; ++byte) {
                const auto offset = where.offset +
                                    static_cast<std::uint64_t>(record) *
                                        static_cast<std::uint64_t>(where.recordSize) +
                                    static_cast<std::uint64_t>(byte);
                const auto slot =
                    binding.table[static_cast<std::size_t>(record)][static_cast<std::size_t>(byte)];
                if (readByte(offset) != static_cast<std::uint8_t>(slot & 0xFF))
                    return true;
            }
    }
    return false;
}

} // namespace tarnwick
