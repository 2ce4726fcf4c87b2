#pragma once

#include "rom/ImageCheck.h"
#include "rom/Releases.h"
#include "rom/TableChanges.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A three-way merge of two mods of one original by what the records mean: each field of each
// record (as recordFields names them) and the GP multiplier take the change one mod made, or the
// change both made alike; a field the two changed differently is a conflict for the caller to
// settle. The bytes outside the tables merge one by one.
//
//     MergeResult result = merge(original, document, mod);
//     std::vector<MergeSide> choices = settleAll(result, MergeSide::First);
//     choices[2] = MergeSide::Second;                     // the user took the mod's value there
//     MergeEdit edit = mergeEdit(result, choices, document, mod);
//     applyMergeEdit(document, edit);                     // or recordMergeEdit: one undo step
//
// The merge of the file as loaded, the user's document and the file as it is on disk now is
// the same call, with the loaded file as the original: the document's image bytes, with those a
// merge wrote put back (putFileBytesBack), are the file as it was loaded or last saved, and a
// copy of the document with them put back and its tables read again (parseTables) is that
// original.
namespace tarnwick {

class EditHistory;
class RomImage;

enum class MergeSide : std::uint8_t { First, Second };

// What the merge did with one field or run of bytes that a side changed.
enum class MergeOutcome : std::uint8_t {
    FromFirst,  // only the first side changed it
    FromSecond, // only the second side changed it
    Alike,      // both changed it to the same value
    Conflict,   // both changed it, to different values
};

// TableChange::table-style index of the bytes outside the tables, and the key output for
// programs names them by.
inline constexpr std::uint8_t outsideTablesIndex = 0xFE;
inline constexpr std::string_view outsideTablesKey = "outsideTables";

// One field that a side changed. The values are the field's bits (fieldBits); for the GP
// multiplier (table gpMultiplierTable, record and field 0) its eight bits.
struct FieldMerge {
    std::uint32_t original = 0;
    std::uint32_t first = 0;
    std::uint32_t second = 0;
    std::uint16_t record = 0;
    std::uint8_t table = 0; // index into recordTables(), or gpMultiplierTable
    std::uint8_t field = 0; // index into recordFields(table, release)
    MergeOutcome outcome = MergeOutcome::FromFirst;
};

// Consecutive bytes outside the tables, offsets in the image proper, with one outcome.
struct ByteRun {
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
    MergeOutcome outcome = MergeOutcome::FromFirst;
};

// One place where the two sides disagree: a field (table, record, field as in FieldMerge) or a
// run of bytes outside the tables (table outsideTablesIndex), with each side's value.
struct MergeConflict {
    std::uint8_t table = 0;
    int record = 0;
    int field = 0;
    std::uint32_t first = 0; // field bits
    std::uint32_t second = 0;
    std::uint64_t offset = 0; // bytes outside the tables
    std::vector<std::uint8_t> firstBytes;
    std::vector<std::uint8_t> secondBytes;
};

// How many fields (or runs of bytes) went which way.
struct MergeCounts {
    int fromFirst = 0;
    int fromSecond = 0;
    int alike = 0;
    int conflicts = 0;
    void add(MergeOutcome outcome);
    int total() const { return fromFirst + fromSecond + alike + conflicts; }
};

struct MergeResult {
    // Why the documents do not merge, as a phrase ("the second is a GBA English image and the
    // original a SNES English one"); empty when they do.
    std::string refusal;
    RomVariant release = RomVariant::SnesEnglish;
    // Every changed field, in table, record and field order, the GP multiplier first.
    std::vector<FieldMerge> fields;
    // Every run of changed bytes outside the tables (and past the image), in offset order.
    std::vector<ByteRun> bytes;
    // The conflicts among them, fields first, in the same orders.
    std::vector<MergeConflict> conflicts;
    // Per recordTables() index; the GP multiplier counts with the chests, as the Chest Editor
    // shows it. Runs of bytes count in outside.
    std::array<MergeCounts, 6> tables{};
    MergeCounts outside;
    std::array<std::uint64_t, 4> outsideBytes{}; // bytes of the runs, by MergeOutcome

    bool merges() const { return refusal.empty(); }
};

// The bytes that the three files hold past their images (a long GBA file's), which documents do
// not hold: they merge as the bytes outside the tables do, at the offsets that follow the image.
struct FileTails {
    std::span<const std::uint8_t> original;
    std::span<const std::uint8_t> first;
    std::span<const std::uint8_t> second;
};

// The merge of what first and second each changed against original. The three must be of one
// release and hold images (and tails) of one length, or nothing merges and refusal says why.
// Each side is read as save would write it: its records (and GP multiplier) in the tables'
// places, its image bytes elsewhere; the copier header takes no part.
[[nodiscard]] MergeResult merge(const RomImage& original, const RomImage& first,
                                const RomImage& second, const FileTails& tails = {});

// One side for every conflict: a start for the caller's own choices, or --prefer.
[[nodiscard]] std::vector<MergeSide> settleAll(const MergeResult& result, MergeSide side);

// Bytes of the image proper to write.
struct ByteWrite {
    std::uint64_t offset = 0;
    std::vector<std::uint8_t> bytes;
};

// What turns first into the merged document: the slots to change (before: first's value,
// after: the merged one), in table, record and slot order with the GP multiplier last, as a
// TableEdit records them, and the bytes outside the tables to write.
struct MergeEdit {
    std::vector<TableChange> tableChanges;
    std::vector<ByteWrite> byteWrites;
    bool empty() const { return tableChanges.empty() && byteWrites.empty(); }
};

// The edit with conflict i settled by choices[i] (First keeps first's value); conflicts past
// the end of choices keep first's. first, second and tails are what was merged; bytes past the
// image are written at offsets past it, for the caller that holds the tail.
[[nodiscard]] MergeEdit mergeEdit(const MergeResult& result, std::span<const MergeSide> choices,
                                  const RomImage& first, const RomImage& second,
                                  const FileTails& tails = {});

// Writes the edit into the document: its slots into the tables, its bytes into the image (those
// past it are left out), and reads the names again where bytes were written. The sheets are the
// caller's to build again (buildGlyphSheets), as the font or the palettes may have changed.
void applyMergeEdit(RomImage& rom, const MergeEdit& edit);

// Applies the edit as one step of the document's history named name, its bytes outside the
// tables with its slots, so that one undo takes the whole merge back. False when it changes
// nothing in the image.
bool recordMergeEdit(RomImage& rom, EditHistory& history, const MergeEdit& edit, std::string name);

// The findings of Check Image that the merged document has and neither side has: what putting
// the two mods together introduced (two chests given one opened-flag by different mods). Told
// apart by their places and numbers, and then given in the merged document's names.
[[nodiscard]] std::vector<Finding> introducedFindings(const RomImage& merged, const RomImage& first,
                                                      const RomImage& second,
                                                      const FindingNames& names = FindingNames());

} // namespace tarnwick
