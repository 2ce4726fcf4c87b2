#include "rom/RomImage.h"

#include "rom/RecordTables.h"
#include "rom/TableDifferences.h"

#include <algorithm>
#include <array>
#include <utility>

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

ByteBuffer RomImage::imageWithTables() const {
    // A scratch document with the same bytes, shape and tables writes them as save would.
    RomImage scratch;
    scratch.data.assign(data.begin(), data.begin() + std::min<std::size_t>(size, data.size()));
    scratch.size = static_cast<std::uint32_t>(scratch.data.size());
    scratch.gba = gba;
    scratch.japanese = japanese;
    scratch.headerSize = headerSize;
    scratch.gpMultiplier = gpMultiplier;
    for (const TableBinding& binding : recordTables())
        std::ranges::copy(binding.constRecords(*this), binding.records(scratch).begin());
    scratch.writeTablesToImage();
    return std::move(scratch.data);
}

bool RomImage::tablesDifferFromImage() const {
    return !visitTableDifferences(*this, [](const TableDifference&) { return false; });
}

} // namespace tarnwick
