#include "rom/TableEdit.h"

#include "rom/RecordTables.h"
#include "rom/RomImage.h"

#include <algorithm>

namespace tarnwick {

TableEdit::TableEdit(RomImage& document, EditHistory& steps, std::string stepName,
                     EditHistory::MergeKey key)
    : rom(document), history(steps), name(std::move(stepName)), mergeKey(key) {}

Record& TableEdit::change(Record& record) {
    const bool known = std::any_of(taken.begin(), taken.end(),
                                   [&record](const Taken& t) { return t.record == &record; });
    if (!known)
        taken.push_back({&record, record});
    return record;
}

std::int32_t& TableEdit::changeGpMultiplier() {
    if (!gpMultiplierTaken) {
        gpMultiplierTaken = true;
        gpMultiplierBefore = rom.gpMultiplier;
    }
    return rom.gpMultiplier;
}

void TableEdit::changeEverything() {
    if (!everything)
        everything = takeSnapshot(rom);
}

TableEdit::~TableEdit() {
    if (everything) {
        history.record(changesSince(*everything, rom), mergeKey, std::move(name));
        return;
    }
    // Changes in table, record and slot order, as a comparison of whole tables lists them.
    std::vector<TableChange> changes;
    const std::span<const TableBinding> tables = recordTables();
    for (std::size_t table = 0; table < tables.size(); ++table) {
        const std::span<Record> records = tables[table].records(rom);
        for (const Taken& t : taken) {
            if (t.record < records.data() || t.record >= records.data() + records.size())
                continue;
            const auto index = static_cast<std::uint16_t>(t.record - records.data());
            for (std::size_t slot = 0; slot < recordSlots; ++slot)
                if ((*t.record)[slot] != t.before[slot])
                    changes.push_back({t.before[slot], (*t.record)[slot], index,
                                       static_cast<std::uint8_t>(table),
                                       static_cast<std::uint8_t>(slot)});
        }
    }
    std::sort(changes.begin(), changes.end(), [](const TableChange& a, const TableChange& b) {
        return std::tie(a.table, a.record, a.slot) < std::tie(b.table, b.record, b.slot);
    });
    if (gpMultiplierTaken && rom.gpMultiplier != gpMultiplierBefore)
        changes.push_back({gpMultiplierBefore, rom.gpMultiplier, 0, gpMultiplierTable, 0});
    history.record(changes, mergeKey, std::move(name));
}

} // namespace tarnwick
