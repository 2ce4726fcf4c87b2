#pragma once

#include "rom/Record.h"

#include <cstdint>
#include <span>
#include <vector>

// How one user action becomes one undoable step: copy the record tables before the action runs,
// compare them with the document after it, and keep only the slots that changed.
//
//     const TableSnapshot before = takeSnapshot(rom);
//     runTheHandler();                          // writes any number of slots, or none
//     history.record(changesSince(before, rom), mergeKey);
//
// Undo puts the before values back and redo the after values, so neither needs to know which
// handler made the change. Only the six record tables of recordTables() and the GP multiplier
// take part; names, sheets and the image bytes are never changed by an edit. A merge alone
// also brings in bytes outside the tables, which its step keeps as ImageBytesChange.
namespace tarnwick {

class RomImage;

// TableChange::table of a change to the GP multiplier (record and slot are then 0).
inline constexpr std::uint8_t gpMultiplierTable = 0xFF;

// One slot that an action changed. Slots hold what the editors wrote, unmasked, so before and
// after are full int32 values; the rest is packed to keep a long history small (12 bytes).
struct TableChange {
    std::int32_t before = 0;
    std::int32_t after = 0;
    std::uint16_t record = 0;
    std::uint8_t table = 0; // index into recordTables(), or gpMultiplierTable
    std::uint8_t slot = 0;  // 0 to recordSlots - 1

    friend bool operator==(const TableChange&, const TableChange&) = default;
};
static_assert(sizeof(TableChange) == 12, "a step should cost 12 bytes a changed slot");

// Bytes of the image proper outside the tables that one action wrote: what they held before
// and after, at offset.
struct ImageBytesChange {
    std::uint64_t offset = 0;
    std::vector<std::uint8_t> before;
    std::vector<std::uint8_t> after;

    friend bool operator==(const ImageBytesChange&, const ImageBytesChange&) = default;
};

// A copy of every record table and the GP multiplier, to compare the document with later.
struct TableSnapshot {
    // Every record of every table, the tables in recordTables() order at their full capacity.
    std::vector<Record> records;
    std::int32_t gpMultiplier = 0;
};

[[nodiscard]] TableSnapshot takeSnapshot(const RomImage& rom);

// The slots (and the GP multiplier) whose value in rom differs from the snapshot, in table,
// record and slot order, each once. Empty when nothing changed, or for a snapshot that was not
// taken from a document.
[[nodiscard]] std::vector<TableChange> changesSince(const TableSnapshot& snapshot,
                                                    const RomImage& rom);

// Writes the before values of the changes into the document, last change first, so that a list
// holding one slot twice ends at its earliest value. Changes naming a table, record or slot the
// document does not have are skipped.
void undoChanges(RomImage& rom, std::span<const TableChange> changes);
// Writes the after values, first change first.
void redoChanges(RomImage& rom, std::span<const TableChange> changes);
// The same for bytes outside the tables; the names are read again from the image after.
void undoChanges(RomImage& rom, std::span<const ImageBytesChange> changes);
void redoChanges(RomImage& rom, std::span<const ImageBytesChange> changes);

} // namespace tarnwick
