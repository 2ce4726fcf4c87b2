#include "rom/DocumentMerge.h"

#include "rom/EditHistory.h"
#include "rom/RecordFields.h"
#include "rom/RecordTables.h"
#include "rom/RomImage.h"

#include <algorithm>
#include <optional>

namespace tarnwick {
namespace {

// Hands out the choice of each conflict in the order the result lists them.
class Choices {
public:
    explicit Choices(std::span<const MergeSide> made) : choices(made) {}
    // Whether the second side's value wins a field or run of this outcome.
    bool takesSecond(MergeOutcome outcome) {
        if (outcome != MergeOutcome::Conflict)
            return outcome == MergeOutcome::FromSecond;
        const std::size_t index = next++;
        return index < choices.size() && choices[index] == MergeSide::Second;
    }

private:
    std::span<const MergeSide> choices;
    std::size_t next = 0;
};

// The slots of one record that the second side's fields change in first's record.
void recordChanges(std::uint8_t table, std::uint16_t record, const Record& before,
                   const Record& after, std::vector<TableChange>& changes) {
    for (std::size_t slot = 0; slot < recordSlots; ++slot)
        if (before[slot] != after[slot])
            changes.push_back(
                {before[slot], after[slot], record, table, static_cast<std::uint8_t>(slot)});
}

void addSlotChanges(const MergeResult& result, Choices& choices, const RomImage& first,
                    MergeEdit& edit) {
    const std::span<const TableBinding> tables = recordTables();
    std::optional<TableChange> gpMultiplier;
    // The fields come in table and record order: each record is rebuilt once, when the
    // fields of the next one begin.
    const FieldMerge* current = nullptr;
    Record merged{};
    const auto finish = [&] {
        if (current != nullptr)
            recordChanges(current->table, current->record,
                          tables[current->table].constRecords(first)[current->record], merged,
                          edit.tableChanges);
        current = nullptr;
    };
    for (const FieldMerge& field : result.fields) {
        const bool second = choices.takesSecond(field.outcome);
        if (field.table == gpMultiplierTable) {
            if (second && field.second != static_cast<std::uint32_t>(first.gpMultiplier & 0xFF))
                gpMultiplier =
                    TableChange{first.gpMultiplier, static_cast<std::int32_t>(field.second), 0,
                                gpMultiplierTable, 0};
            continue;
        }
        if (field.table >= tables.size())
            continue;
        const std::span<const Record> records = tables[field.table].constRecords(first);
        if (field.record >= records.size())
            continue;
        if (current == nullptr || current->table != field.table ||
            current->record != field.record) {
            finish();
            current = &field;
            merged = records[field.record];
        }
        const std::span<const RecordField> fields = recordFields(field.table, result.release);
        if (second && field.field < fields.size())
            setFieldBits(merged, fields[field.field], field.second);
    }
    finish();
    if (gpMultiplier)
        edit.tableChanges.push_back(*gpMultiplier);
}

// Second's bytes at offset, from its image or, past it, from its tail.
std::span<const std::uint8_t> secondBytes(const RomImage& second, const FileTails& tails,
                                          const ByteRun& run) {
    const std::span<const std::uint8_t> image = second.imageProper();
    const bool inImage = run.offset < image.size();
    const std::span<const std::uint8_t> bytes = inImage ? image : tails.second;
    const std::uint64_t at = inImage ? run.offset : run.offset - image.size();
    if (at >= bytes.size())
        return {};
    return bytes.subspan(
        static_cast<std::size_t>(at),
        static_cast<std::size_t>(std::min<std::uint64_t>(run.length, bytes.size() - at)));
}

} // namespace

MergeEdit mergeEdit(const MergeResult& result, std::span<const MergeSide> choices,
                    const RomImage& first, const RomImage& second, const FileTails& tails) {
    MergeEdit edit;
    if (!result.merges())
        return edit;
    // Field conflicts come before byte conflicts in the result, as they are settled here.
    Choices settled(choices);
    addSlotChanges(result, settled, first, edit);
    for (const ByteRun& run : result.bytes)
        if (settled.takesSecond(run.outcome)) {
            const std::span<const std::uint8_t> bytes = secondBytes(second, tails, run);
            edit.byteWrites.push_back({run.offset, {bytes.begin(), bytes.end()}});
        }
    return edit;
}

void applyMergeEdit(RomImage& rom, const MergeEdit& edit) {
    redoChanges(rom, edit.tableChanges);
    for (const ByteWrite& write : edit.byteWrites)
        for (std::size_t at = 0; at < write.bytes.size(); ++at)
            rom.writeByte(write.bytes[at], write.offset + at);
    if (!edit.byteWrites.empty())
        rom.parseNames();
}

bool recordMergeEdit(RomImage& rom, EditHistory& history, const MergeEdit& edit, std::string name) {
    // What the image holds now where the edit writes, as far as the image reaches.
    std::vector<ImageBytesChange> bytes;
    const std::span<const std::uint8_t> image = rom.imageProper();
    for (const ByteWrite& write : edit.byteWrites) {
        if (write.offset >= image.size())
            continue;
        const auto length = static_cast<std::ptrdiff_t>(
            std::min<std::uint64_t>(write.bytes.size(), image.size() - write.offset));
        const auto before = image.begin() + static_cast<std::ptrdiff_t>(write.offset);
        bytes.push_back({write.offset,
                         {before, before + length},
                         {write.bytes.begin(), write.bytes.begin() + length}});
    }
    // Written as undo and redo write them, so that the document keeps its file's bytes.
    redoChanges(rom, edit.tableChanges);
    redoChanges(rom, bytes);
    return history.recordWithImageBytes(edit.tableChanges, std::move(bytes), std::move(name));
}

} // namespace tarnwick
