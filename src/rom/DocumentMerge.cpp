#include "rom/DocumentMerge.h"

#include "ByteRangeMerge.h"
#include "rom/RecordFields.h"
#include "rom/RecordTables.h"
#include "rom/RomImage.h"

#include <algorithm>

namespace tarnwick {
namespace {

std::string hexBytes(std::uint64_t value) {
    constexpr std::string_view digits = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), digits[value & 0xF]);
        value >>= 4;
    } while (value > 0);
    return "0x" + text;
}

std::string refusalOf(const RomImage& original, const RomImage& side, std::string_view name,
                      const FileTails& tails, std::size_t tailLength) {
    const std::string sideName(name);
    if (!side.hasImage() || !original.hasImage())
        return "the " + std::string(side.hasImage() ? "original" : sideName) + " holds no image";
    if (side.variant() != original.variant())
        return "the " + sideName + " is a " + std::string(releaseName(side.variant())) +
               " image and the original a " + std::string(releaseName(original.variant())) + " one";
    if (side.imageProper().size() != original.imageProper().size())
        return "the " + sideName + "'s image holds " + hexBytes(side.imageProper().size()) +
               " bytes and the original's " + hexBytes(original.imageProper().size());
    if (tailLength != tails.original.size())
        return "the " + sideName + " file holds " + hexBytes(tailLength) +
               " bytes past its image and the original " + hexBytes(tails.original.size());
    return {};
}

MergeOutcome outcomeOf(std::uint32_t original, std::uint32_t first, std::uint32_t second) {
    if (first == original)
        return MergeOutcome::FromSecond;
    if (second == original)
        return MergeOutcome::FromFirst;
    return first == second ? MergeOutcome::Alike : MergeOutcome::Conflict;
}

// Adds a field that a side changed to the result, and to its conflicts when both did.
void addField(MergeResult& result, MergeCounts& counts, FieldMerge field) {
    if (field.first == field.original && field.second == field.original)
        return;
    field.outcome = outcomeOf(field.original, field.first, field.second);
    counts.add(field.outcome);
    result.fields.push_back(field);
    if (field.outcome == MergeOutcome::Conflict) {
        MergeConflict conflict;
        conflict.table = field.table;
        conflict.record = field.record;
        conflict.field = field.field;
        conflict.first = field.first;
        conflict.second = field.second;
        result.conflicts.push_back(std::move(conflict));
    }
}

std::size_t chestTableIndex() {
    const std::span<const TableBinding> tables = recordTables();
    return static_cast<std::size_t>(
        std::find_if(tables.begin(), tables.end(),
                     [](const TableBinding& t) { return t.placement == &chestTablePlacement; }) -
        tables.begin());
}

void mergeRecords(MergeResult& result, const RomImage& original, const RomImage& first,
                  const RomImage& second) {
    const int release = variantIndex(result.release);
    if (const auto& offset = gpMultiplierOffset[release]; offset)
        addField(result, result.tables.at(chestTableIndex()),
                 {static_cast<std::uint32_t>(original.gpMultiplier & 0xFF),
                  static_cast<std::uint32_t>(first.gpMultiplier & 0xFF),
                  static_cast<std::uint32_t>(second.gpMultiplier & 0xFF), 0, gpMultiplierTable, 0,
                  MergeOutcome::FromFirst});
    const std::span<const TableBinding> tables = recordTables();
    for (std::size_t table = 0; table < tables.size() && table < result.tables.size(); ++table) {
        const TableBinding& binding = tables[table];
        const std::span<const Record> was = binding.constRecords(original);
        const std::span<const Record> one = binding.constRecords(first);
        const std::span<const Record> two = binding.constRecords(second);
        const auto count = std::min({static_cast<std::size_t>((*binding.placement)[release].count),
                                     was.size(), one.size(), two.size()});
        const std::span<const RecordField> fields = recordFields(table, result.release);
        for (std::size_t record = 0; record < count; ++record) {
            if (was[record] == one[record] && was[record] == two[record])
                continue;
            for (std::size_t field = 0; field < fields.size(); ++field)
                addField(result, result.tables[table],
                         {fieldBits(was[record], fields[field]),
                          fieldBits(one[record], fields[field]),
                          fieldBits(two[record], fields[field]), static_cast<std::uint16_t>(record),
                          static_cast<std::uint8_t>(table), static_cast<std::uint8_t>(field),
                          MergeOutcome::FromFirst});
        }
    }
}

// The image areas that merge by field: the tables and the GP multiplier, by offset.
std::vector<ByteArea> fieldAreas(RomVariant release) {
    const int index = variantIndex(release);
    std::vector<ByteArea> areas;
    for (const TableBinding& binding : recordTables())
        areas.push_back((*binding.placement)[index].area());
    if (const auto& offset = gpMultiplierOffset[index]; offset)
        areas.push_back({*offset, 1});
    std::sort(areas.begin(), areas.end(),
              [](const ByteArea& a, const ByteArea& b) { return a.offset < b.offset; });
    return areas;
}

} // namespace

void MergeCounts::add(MergeOutcome outcome) {
    switch (outcome) {
    case MergeOutcome::FromFirst:
        ++fromFirst;
        break;
    case MergeOutcome::FromSecond:
        ++fromSecond;
        break;
    case MergeOutcome::Alike:
        ++alike;
        break;
    case MergeOutcome::Conflict:
        ++conflicts;
        break;
    }
}

MergeResult merge(const RomImage& original, const RomImage& first, const RomImage& second,
                  const FileTails& tails) {
    MergeResult result;
    result.release = original.variant();
    result.refusal = refusalOf(original, first, "first", tails, tails.first.size());
    if (result.refusal.empty())
        result.refusal = refusalOf(original, second, "second", tails, tails.second.size());
    if (!result.merges())
        return result;
    mergeRecords(result, original, first, second);
    const std::vector<ByteArea> skipped = fieldAreas(result.release);
    mergeByteRanges(original.imageProper(), first.imageProper(), second.imageProper(), 0, skipped,
                    result.bytes, result.conflicts);
    mergeByteRanges(tails.original, tails.first, tails.second, original.imageProper().size(), {},
                    result.bytes, result.conflicts);
    for (const ByteRun& run : result.bytes) {
        result.outside.add(run.outcome);
        result.outsideBytes.at(static_cast<std::size_t>(run.outcome)) += run.length;
    }
    return result;
}

std::vector<MergeSide> settleAll(const MergeResult& result, MergeSide side) {
    return std::vector<MergeSide>(result.conflicts.size(), side);
}

} // namespace tarnwick
