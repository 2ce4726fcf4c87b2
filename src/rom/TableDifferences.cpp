#include "rom/TableDifferences.h"

#include "rom/RecordTables.h"
#include "rom/RomImage.h"
#include "rom/ShopRecord.h"

#include <algorithm>

namespace tarnwick {

namespace {

// Where the value a slot is compared with comes from: the byte the image holds at that offset,
// or the same slot of another document's records.
struct SlotBefore {
    const RomImage* image = nullptr;   // compare with this document's image bytes ...
    const RomImage* records = nullptr; // ... or with these records
};

// Walks the GP multiplier (SNES only) and every slot of each table's placement in rom, calling
// visit for each whose value, cut to eight bits, differs from what before holds.
bool visitSlots(const RomImage& rom, const SlotBefore& before,
                const std::function<bool(const TableDifference&)>& visit) {
    const int release = variantIndex(rom.variant());
    if (const auto& offset = gpMultiplierOffset[release]) {
        const std::uint8_t was =
            before.image ? before.image->readByte(*offset)
                         : static_cast<std::uint8_t>(before.records->gpMultiplier & 0xFF);
        const auto now = static_cast<std::uint8_t>(rom.gpMultiplier & 0xFF);
        if (was != now && !visit({gpMultiplierKey, 0, 0, was, now, {}}))
            return false;
    }
    const std::span<const TableBinding> tables = recordTables();
    for (std::size_t index = 0; index < tables.size(); ++index) {
        const TableBinding& binding = tables[index];
        const TablePlacement& where = (*binding.placement)[release];
        const std::span<const Record> records = binding.constRecords(rom);
        const std::span<const Record> earlier =
            before.records ? binding.constRecords(*before.records) : records;
        // The placements never ask for more than the tables hold; the bounds cost nothing and
        // keep a wrong placement from reading past the records.
        const auto count =
            std::min({static_cast<std::size_t>(where.count), records.size(), earlier.size()});
        for (int record = 0; static_cast<std::size_t>(record) < count; ++record) {
            const auto at = static_cast<std::size_t>(record);
            const auto start = where.offset + static_cast<std::uint64_t>(record) *
                                                  static_cast<std::uint64_t>(where.recordSize);
            for (int byte = 0; byte < where.recordSize && byte < recordSlots; ++byte) {
                const auto slot = static_cast<std::size_t>(byte);
                const std::uint8_t was =
                    before.image ? before.image->readByte(start + static_cast<std::uint64_t>(byte))
                                 : static_cast<std::uint8_t>(earlier[at][slot] & 0xFF);
                const auto now = static_cast<std::uint8_t>(records[at][slot] & 0xFF);
                if (was != now &&
                    !visit({binding.key, record, byte, was, now, recordLabel(index, record)}))
                    return false;
            }
        }
    }
    return true;
}

} // namespace

bool visitTableDifferences(const RomImage& rom,
                           const std::function<bool(const TableDifference&)>& visit) {
    return !rom.hasImage() || visitSlots(rom, {&rom, nullptr}, visit);
}

std::vector<TableDifference> recordDifferences(const RomImage& original, const RomImage& modified) {
    std::vector<TableDifference> differences;
    if (original.variant() != modified.variant())
        return differences;
    visitSlots(modified, {nullptr, &original}, [&](const TableDifference& difference) {
        differences.push_back(difference);
        return true;
    });
    return differences;
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
