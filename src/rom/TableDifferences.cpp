#include "rom/TableDifferences.h"

#include "rom/RecordTables.h"
#include "rom/RomImage.h"
#include "rom/ShopRecord.h"

#include <algorithm>

namespace tarnwick {

bool visitTableDifferences(const RomImage& rom,
                           const std::function<bool(const TableDifference&)>& visit) {
    if (!rom.hasImage())
        return true;
    const int release = variantIndex(rom.variant());
    if (const auto& offset = gpMultiplierOffset[release]) {
        const std::uint8_t image = rom.readByte(*offset);
        const auto table = static_cast<std::uint8_t>(rom.gpMultiplier & 0xFF);
        if (image != table && !visit({gpMultiplierKey, 0, 0, image, table, {}}))
            return false;
    }
    const std::span<const TableBinding> tables = recordTables();
    for (std::size_t index = 0; index < tables.size(); ++index) {
        const TableBinding& binding = tables[index];
        const TablePlacement& where = (*binding.placement)[release];
        const std::span<const Record> records = binding.constRecords(rom);
        // The placements never ask for more than the tables hold; the bounds cost nothing and
        // keep a wrong placement from reading past the records.
        const auto count = std::min(static_cast<std::size_t>(where.count), records.size());
        for (int record = 0; static_cast<std::size_t>(record) < count; ++record) {
            const auto start = where.offset + static_cast<std::uint64_t>(record) *
                                                  static_cast<std::uint64_t>(where.recordSize);
            const Record& slots = records[static_cast<std::size_t>(record)];
            for (int byte = 0; byte < where.recordSize && byte < recordSlots; ++byte) {
                const std::uint8_t image = rom.readByte(start + static_cast<std::uint64_t>(byte));
                const auto table =
                    static_cast<std::uint8_t>(slots[static_cast<std::size_t>(byte)] & 0xFF);
                if (image != table &&
                    !visit({binding.key, record, byte, image, table, recordLabel(index, record)}))
                    return false;
            }
        }
    }
    return true;
}

std::vector<TableDifference> tableDifferences(const RomImage& rom) {
    std::vector<TableDifference> differences;
    visitTableDifferences(rom, [&](const TableDifference& difference) {
        differences.push_back(difference);
        return true;
    });
    return differences;
}

std::string_view recordLabel(std::size_t table, int record) {
    const std::span<const TableBinding> tables = recordTables();
    if (table >= tables.size() || record < 0)
        return {};
    if (tables[table].placement == &shopTablePlacement) {
        const std::span<const std::string_view> labels = shopLabels();
        if (static_cast<std::size_t>(record) < labels.size())
            return labels[static_cast<std::size_t>(record)];
    }
    return {};
}

} // namespace tarnwick
