#include "rom/TableChanges.h"

#include "rom/RecordTables.h"
#include "rom/RomImage.h"

#include <cstring>

namespace tarnwick {
namespace {

std::size_t recordCount(const RomImage& rom) {
    std::size_t count = 0;
    for (const TableBinding& binding : recordTables())
        count += binding.constRecords(rom).size();
    return count;
}

// The slot a change names, or nullptr when the document has no such slot.
std::int32_t* changedSlot(RomImage& rom, const TableChange& change) {
    if (change.table == gpMultiplierTable)
        return &rom.gpMultiplier;
    const std::span<const TableBinding> tables = recordTables();
    if (change.table >= tables.size() || change.slot >= recordSlots)
        return nullptr;
    const std::span<Record> records = tables[change.table].records(rom);
    if (change.record >= records.size())
        return nullptr;
    return &records[change.record][change.slot];
}

void appendRecordChanges(std::vector<TableChange>& changes, std::size_t table, std::size_t record,
                         const Record& then, const Record& now) {
    for (std::size_t slot = 0; slot < now.size(); ++slot)
        if (now[slot] != then[slot])
            changes.push_back({then[slot], now[slot], static_cast<std::uint16_t>(record),
                               static_cast<std::uint8_t>(table), static_cast<std::uint8_t>(slot)});
}

} // namespace

TableSnapshot takeSnapshot(const RomImage& rom) {
    TableSnapshot snapshot;
    snapshot.records.reserve(recordCount(rom));
    for (const TableBinding& binding : recordTables()) {
        const std::span<const Record> records = binding.constRecords(rom);
        snapshot.records.insert(snapshot.records.end(), records.begin(), records.end());
    }
    snapshot.gpMultiplier = rom.gpMultiplier;
    return snapshot;
}

std::vector<TableChange> changesSince(const TableSnapshot& snapshot, const RomImage& rom) {
    std::vector<TableChange> changes;
    if (snapshot.records.size() != recordCount(rom))
        return changes;
    const std::span<const Record> saved = snapshot.records;
    const std::span<const TableBinding> tables = recordTables();
    std::size_t first = 0;
    for (std::size_t table = 0; table < tables.size(); ++table) {
        const std::span<const Record> now = tables[table].constRecords(rom);
        const std::span<const Record> then = saved.subspan(first, now.size());
        first += now.size();
        // An action touches a record or two, so nearly every table is skipped by one compare of
        // its whole memory; only a table that differs is walked record by record.
        if (std::memcmp(now.data(), then.data(), now.size_bytes()) == 0)
            continue;
        for (std::size_t record = 0; record < now.size(); ++record)
            if (now[record] != then[record])
                appendRecordChanges(changes, table, record, then[record], now[record]);
    }
    if (rom.gpMultiplier != snapshot.gpMultiplier)
        changes.push_back({snapshot.gpMultiplier, rom.gpMultiplier, 0, gpMultiplierTable, 0});
    return changes;
}

void undoChanges(RomImage& rom, std::span<const TableChange> changes) {
    for (auto change = changes.rbegin(); change != changes.rend(); ++change)
        if (std::int32_t* slot = changedSlot(rom, *change))
            *slot = change->before;
}

void redoChanges(RomImage& rom, std::span<const TableChange> changes) {
    for (const TableChange& change : changes)
        if (std::int32_t* slot = changedSlot(rom, change))
            *slot = change.after;
}

void undoChanges(RomImage& rom, std::span<const ImageBytesChange> changes) {
    for (auto change = changes.rbegin(); change != changes.rend(); ++change)
        rom.writeImageBytes(change->offset, change->before);
    if (!changes.empty())
        rom.parseNames();
}

void redoChanges(RomImage& rom, std::span<const ImageBytesChange> changes) {
    for (const ImageBytesChange& change : changes)
        rom.writeImageBytes(change.offset, change.after);
    if (!changes.empty())
        rom.parseNames();
}

} // namespace tarnwick
