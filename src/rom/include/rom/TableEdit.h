#pragma once

#include "rom/EditHistory.h"
#include "rom/Record.h"
#include "rom/TableChanges.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarnwick {

class RomImage;

// One edit of the document's tables, recorded in its history as one undo step with a name a
// person reads. Everything that changes the tables goes through one: the editors' handlers, an
// import, a script. The records to be changed are taken through the edit, which remembers their
// values; when the edit ends it records the slots that differ, and nothing if none does.
//
//     TableEdit edit(rom, history, "Chest 12: X", mergeKey);
//     setChestX(edit.change(rom.chestTable[12]), 300);
//
// Edits with the same merge key one after another form one step (typing into one field).
class TableEdit {
public:
    TableEdit(RomImage& rom, EditHistory& history, std::string name,
              EditHistory::MergeKey mergeKey = EditHistory::noMerge);
    // Records the step.
    ~TableEdit();
    TableEdit(const TableEdit&) = delete;
    TableEdit& operator=(const TableEdit&) = delete;

    // The record, to be changed: a record of one of the document's tables.
    Record& change(Record& record);
    std::int32_t& changeGpMultiplier();
    // Every record of every table and the GP multiplier, for an edit that may change any of
    // them (an import).
    void changeEverything();

private:
    struct Taken {
        Record* record;
        Record before;
    };

    RomImage& rom;
    EditHistory& history;
    std::string name;
    EditHistory::MergeKey mergeKey;
    std::vector<Taken> taken;
    bool gpMultiplierTaken = false;
    std::int32_t gpMultiplierBefore = 0;
    std::optional<TableSnapshot> everything;
};

// Runs change on an edit of that name, so that what it changes is one undo step.
template <typename Change>
void recordEdit(RomImage& rom, EditHistory& history, std::string name,
                EditHistory::MergeKey mergeKey, Change&& change) {
    TableEdit edit(rom, history, std::move(name), mergeKey);
    std::forward<Change>(change)(edit);
}

} // namespace tarnwick
