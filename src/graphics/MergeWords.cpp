#include "graphics/MergeWords.h"

#include "ChangelogWords.h"
#include "RecordHeadings.h"
#include "graphics/Changelog.h"
#include "rom/ChestRecord.h"
#include "rom/RecordFields.h"
#include "rom/RomImage.h"
#include "rom/ShopRecord.h"
#include "rom/TableDifferences.h"

#include <array>
#include <bit>
#include <cstdio>
#include <map>
#include <memory>

namespace tarnwick {
namespace {

using namespace changelog_words;

// Bytes of a run shown before the rest is only counted.
constexpr std::size_t shownBytes = 8;

std::string chestTypeWords(int type) {
    switch (type) {
    case monsterChest:
        return "monster";
    case itemChest:
        return "item";
    case moneyChest:
        return "money";
    default:
        return "empty";
    }
}

std::string fieldWords(const Names& names, const RecordField& field, const Record& record) {
    const std::uint32_t bits = fieldBits(record, field);
    const auto number = static_cast<int>(bits);
    switch (field.kind) {
    case FieldKind::Number:
        return std::to_string(bits >> std::countr_zero(field.low.mask));
    case FieldKind::Hex:
        return hexValue(number);
    case FieldKind::Flag:
        return onOff(bits != 0);
    case FieldKind::ChestContents:
        return names.chestContents(record);
    case FieldKind::ChestType:
        return chestTypeWords(chestType(record));
    case FieldKind::MemoryByte:
        return std::to_string(memoryByte(record));
    case FieldKind::ShopType:
        return names.shopType(shopType(record));
    case FieldKind::PriceModifier:
        return priceWords(record);
    case FieldKind::Item:
        return shopItemWords(names, number);
    case FieldKind::Spell:
        return names.spell(number);
    case FieldKind::Bonus:
        return names.bonus(number);
    case FieldKind::Formation:
        return formationWords(names, number);
    case FieldKind::Animation:
        return animationWords(number & 0x3FF);
    }
    return hexValue(number);
}

// "0x1F0000", as offsets are given everywhere else.
std::string offsetText(std::uint64_t offset) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%06llX", static_cast<unsigned long long>(offset));
    return text;
}

std::string bytesWords(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    for (std::size_t at = 0; at < bytes.size() && at < shownBytes; ++at)
        text += (at == 0 ? "" : " ") + hexValue(bytes[at]).substr(2);
    if (bytes.size() > shownBytes)
        text += " ... (" + std::to_string(bytes.size()) + " bytes)";
    return text;
}

ConflictWords byteConflict(const MergeConflict& conflict, std::uint64_t imageLength) {
    const std::uint64_t length = conflict.firstBytes.size();
    const std::string where =
        conflict.offset >= imageLength ? "past the image" : "outside the tables";
    ConflictWords words{outsideTablesKey,
                        0,
                        {},
                        {},
                        bytesWords(conflict.firstBytes),
                        bytesWords(conflict.secondBytes)};
    words.place = length <= 1 ? "byte " + offsetText(conflict.offset) + " " + where
                              : "bytes " + offsetText(conflict.offset) + "-" +
                                    offsetText(conflict.offset + length - 1) + " " + where;
    return words;
}

std::string counted(int count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

// The counts in MergeOutcome order, with what each says.
std::array<std::pair<int, std::string_view>, 4> outcomeParts(const MergeCounts& counts) {
    return {{{counts.fromFirst, "from the first"},
             {counts.fromSecond, "from the second"},
             {counts.alike, "changed alike by both"},
             {counts.conflicts, "in conflict"}}};
}

// "130 fields from the first, 128 from the second": the noun once, on the first number given.
std::string countsText(const MergeCounts& counts, std::string_view one, std::string_view many) {
    std::string text;
    for (const auto& [count, what] : outcomeParts(counts)) {
        if (count == 0)
            continue;
        text += text.empty() ? counted(count, one, many) : ", " + std::to_string(count);
        text += " " + std::string(what);
    }
    return text;
}

} // namespace

std::string ConflictWords::line() const {
    return place + (field.empty() ? "" : " " + field) + ": first " + first + ", second " + second;
}

std::vector<ConflictWords> conflictWords(const MergeResult& result, const RomImage& original,
                                         const RomImage& first, const RomImage& second,
                                         const CharacterTable& readings,
                                         const std::vector<std::string>& chestLocations) {
    std::vector<ConflictWords> list;
    if (!result.merges())
        return list;
    const Names firstNames(first, readings);
    const Names secondNames(second, readings);
    const std::span<const TableBinding> tables = recordTables();
    // One set of headings for each table, so that each table's names are read once.
    std::map<std::size_t, std::unique_ptr<RecordHeadings>> headings;
    for (const MergeConflict& conflict : result.conflicts) {
        if (conflict.table == outsideTablesIndex) {
            list.push_back(byteConflict(conflict, original.imageProper().size()));
            continue;
        }
        if (conflict.table == gpMultiplierTable) {
            list.push_back({gpMultiplierKey,
                            0,
                            "Money chests' multiplier",
                            {},
                            std::to_string(conflict.first),
                            std::to_string(conflict.second)});
            continue;
        }
        // The field's bits, where a result names a field these documents do not have.
        ConflictWords words{{},
                            conflict.record,
                            "Record " + std::to_string(conflict.record),
                            "field " + std::to_string(conflict.field),
                            hexValue(static_cast<int>(conflict.first)),
                            hexValue(static_cast<int>(conflict.second))};
        const std::span<const RecordField> fields = recordFields(conflict.table, result.release);
        const auto record = static_cast<std::size_t>(conflict.record);
        const auto field = static_cast<std::size_t>(conflict.field);
        if (conflict.table < tables.size() && field < fields.size() &&
            record < tables[conflict.table].constRecords(first).size() &&
            record < tables[conflict.table].constRecords(second).size()) {
            const TableBinding& binding = tables[conflict.table];
            words.table = binding.key;
            words.field = fields[field].name;
            words.first =
                fieldWords(firstNames, fields[field], binding.constRecords(first)[record]);
            words.second =
                fieldWords(secondNames, fields[field], binding.constRecords(second)[record]);
            if (const TableWords* table = wordsFor(binding)) {
                auto& heading = headings[conflict.table];
                if (!heading)
                    heading = std::make_unique<RecordHeadings>(original, readings, chestLocations);
                words.place = heading->heading(conflict.table, *table, conflict.record);
            }
        }
        // Values that read alike in words still differ in their bits (two numbers that both
        // name no animation): the bits tell them apart.
        if (words.first == words.second) {
            words.first += " (" + hexValue(static_cast<int>(conflict.first)) + ")";
            words.second += " (" + hexValue(static_cast<int>(conflict.second)) + ")";
        }
        list.push_back(std::move(words));
    }
    return list;
}

std::vector<std::string> mergeSummary(const MergeResult& result) {
    std::vector<std::string> lines;
    const std::span<const TableBinding> tables = recordTables();
    for (std::size_t table = 0; table < tables.size() && table < result.tables.size(); ++table)
        if (result.tables[table].total() > 0)
            lines.push_back(std::string(tableTitle(tables[table].key)) + ": " +
                            countsText(result.tables[table], "field", "fields"));
    if (result.outside.total() > 0) {
        // "12 in 3 runs from the first, 4 in 1 run from the second".
        const auto parts = outcomeParts(result.outside);
        std::string text;
        for (std::size_t outcome = 0; outcome < parts.size(); ++outcome) {
            const auto& [count, what] = parts[outcome];
            if (count > 0)
                text += (text.empty() ? "" : ", ") +
                        std::to_string(result.outsideBytes.at(outcome)) + " in " +
                        counted(count, "run", "runs") + " " + std::string(what);
        }
        lines.push_back("Bytes outside the tables: " + text);
    }
    return lines;
}

} // namespace tarnwick
