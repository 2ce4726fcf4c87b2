#include "rom/RomImage.h"

#include "rom/RecordTables.h"

#include <array>

namespace tarnwick {

namespace {

template <auto member> std::span<Record> tableOf(RomImage& rom) {
    return rom.*member;
}
template <auto member> std::span<const Record> constTableOf(const RomImage& rom) {
    return rom.*member;
}
template <auto member>
constexpr TableBinding bindTable(std::string_view key, const PerRelease<TablePlacement>& where) {
    return {key, &where, &tableOf<member>, &constTableOf<member>};
}

constexpr std::array recordTableList = {
    bindTable<&RomImage::chestTable>("chestTable", chestTablePlacement),
    bindTable<&RomImage::monsterBoxTable>("monsterBoxTable", monsterBoxTablePlacement),
    bindTable<&RomImage::shopTable>("shopTable", shopTablePlacement),
    bindTable<&RomImage::esperTable>("esperTable", esperTablePlacement),
    bindTable<&RomImage::anim8Table>("anim8Table", anim8TablePlacement),
    bindTable<&RomImage::anim14Table>("anim14Table", anim14TablePlacement),
};

} // namespace

std::span<const TableBinding> recordTables() {
    return recordTableList;
}

Status RomImage::parseTables() {
    if (Status fits = checkFitsRelease(); !fits)
        return fits;
    const int i = variantIndex(variant());
    digitCodes = digitCodeTable[i];
    if (gpMultiplierOffset[i])
        gpMultiplier = readByte(*gpMultiplierOffset[i]);
    for (const TableBinding& binding : recordTables()) {
        const TablePlacement& where = (*binding.placement)[i];
        readTable(where.count, where.recordSize, binding.records(*this), where.offset);
    }
    parseNames();
    return Status::success();
}

void RomImage::writeTablesToImage() {
    const int i = variantIndex(variant());
    if (gpMultiplierOffset[i])
        writeByte(static_cast<std::uint8_t>(gpMultiplier & 0xFF), *gpMultiplierOffset[i]);
    for (const TableBinding& binding : recordTables()) {
        const TablePlacement& where = (*binding.placement)[i];
        writeTable(where.count, where.recordSize, binding.constRecords(*this), where.offset);
    }
}

bool RomImage::tablesDifferFromImage() const {
    if (!hasImage())
        return false;
    const int i = variantIndex(variant());
    if (gpMultiplierOffset[i] &&
        readByte(*gpMultiplierOffset[i]) != static_cast<std::uint8_t>(gpMultiplier & 0xFF))
        return true;
    for (const TableBinding& binding : recordTables()) {
        const TablePlacement& where = (*binding.placement)[i];
        const std::span<const Record> table = binding.constRecords(*this);
        for (int record = 0; record < where.count; ++record)
            for (int byte = 0; byte < where.recordSize; ++byte) {
                const auto offset = where.offset +
                                    static_cast<std::uint64_t>(record) *
                                        static_cast<std::uint64_t>(where.recordSize) +
                                    static_cast<std::uint64_t>(byte);
                const auto slot =
                    table[static_cast<std::size_t>(record)][static_cast<std::size_t>(byte)];
                if (readByte(offset) != static_cast<std::uint8_t>(slot & 0xFF))
                    return true;
            }
    }
    return false;
}

} // namespace tarnwick
