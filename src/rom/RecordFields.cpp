#include "rom/RecordFields.h"

#include "rom/RecordTables.h"

#include <algorithm>
#include <array>
#include <vector>

namespace tarnwick {
namespace {

using Kind = FieldKind;

// Chest byte 3 holds bit 5 of the opened-flag byte, three flags and the type. On GBA bit 2 of
// an item chest is bit 8 of its item, so there it goes with the contents: a merge then never
// puts one mod's bit 8 under the other's item.
constexpr std::array snesChestFields = {
    RecordField{"X", Kind::Number, {0, 0xFF}},
    RecordField{"Y", Kind::Number, {1, 0xFF}},
    RecordField{"opened-flag bit", Kind::Number, {2, 0x07}},
    RecordField{"opened-flag byte", Kind::MemoryByte, {2, 0xF8}, {3, 0x01}},
    RecordField{"flag bit 1", Kind::Flag, {3, 0x02}},
    RecordField{"flag bit 2", Kind::Flag, {3, 0x04}},
    RecordField{"flag bit 4", Kind::Flag, {3, 0x10}},
    RecordField{"type", Kind::ChestType, {3, 0xE8}},
    RecordField{"contents", Kind::ChestContents, {4, 0xFF}},
};
constexpr std::array gbaChestFields = {
    RecordField{"X", Kind::Number, {0, 0xFF}},
    RecordField{"Y", Kind::Number, {1, 0xFF}},
    RecordField{"opened-flag bit", Kind::Number, {2, 0x07}},
    RecordField{"opened-flag byte", Kind::MemoryByte, {2, 0xF8}, {3, 0x01}},
    RecordField{"flag bit 1", Kind::Flag, {3, 0x02}},
    RecordField{"flag bit 4", Kind::Flag, {3, 0x10}},
    RecordField{"type", Kind::ChestType, {3, 0xE8}},
    RecordField{"contents", Kind::ChestContents, {4, 0xFF}, {3, 0x04}},
};
constexpr std::array monsterBoxFields = {
    RecordField{"Form 1", Kind::Formation, {0, 0xFF}, {1, 0xFF}},
    RecordField{"Form 2", Kind::Formation, {2, 0xFF}, {3, 0xFF}},
};
constexpr std::array shopFields = {
    RecordField{"type", Kind::ShopType, {0, 0x07}},
    RecordField{"price", Kind::PriceModifier, {0, 0xF8}},
    RecordField{"#1", Kind::Item, {1, 0xFF}},
    RecordField{"#2", Kind::Item, {2, 0xFF}},
    RecordField{"#3", Kind::Item, {3, 0xFF}},
    RecordField{"#4", Kind::Item, {4, 0xFF}},
    RecordField{"#5", Kind::Item, {5, 0xFF}},
    RecordField{"#6", Kind::Item, {6, 0xFF}},
    RecordField{"#7", Kind::Item, {7, 0xFF}},
    RecordField{"#8", Kind::Item, {8, 0xFF}},
};
constexpr std::array esperFields = {
    RecordField{"learn rate #1", Kind::Number, {0, 0xFF}},
    RecordField{"spell #1", Kind::Spell, {1, 0xFF}},
    RecordField{"learn rate #2", Kind::Number, {2, 0xFF}},
    RecordField{"spell #2", Kind::Spell, {3, 0xFF}},
    RecordField{"learn rate #3", Kind::Number, {4, 0xFF}},
    RecordField{"spell #3", Kind::Spell, {5, 0xFF}},
    RecordField{"learn rate #4", Kind::Number, {6, 0xFF}},
    RecordField{"spell #4", Kind::Spell, {7, 0xFF}},
    RecordField{"learn rate #5", Kind::Number, {8, 0xFF}},
    RecordField{"spell #5", Kind::Spell, {9, 0xFF}},
    RecordField{"bonus", Kind::Bonus, {10, 0xFF}},
};
constexpr std::array anim8Fields = {
    RecordField{"right-hand animation", Kind::Hex, {0, 0xFF}},
    RecordField{"left-hand animation", Kind::Hex, {1, 0xFF}},
    RecordField{"right-hand palette", Kind::Hex, {2, 0xFF}},
    RecordField{"hit animation", Kind::Hex, {3, 0xFF}},
    RecordField{"hit palette", Kind::Hex, {4, 0xFF}},
    RecordField{"byte 6", Kind::Hex, {5, 0xFF}},
    RecordField{"sound", Kind::Hex, {6, 0xFF}},
    RecordField{"byte 8", Kind::Hex, {7, 0xFF}},
};
// An animation's number takes the unnamed bits 2-6 of its high byte along, as the editor
// rewrites them with every number; its High Bit is a box of its own.
constexpr std::array anim14Fields = {
    RecordField{"animation 1", Kind::Animation, {0, 0xFF}, {1, 0x7F}},
    RecordField{"animation 1 high bit", Kind::Flag, {1, 0x80}},
    RecordField{"animation 2", Kind::Animation, {2, 0xFF}, {3, 0x7F}},
    RecordField{"animation 2 high bit", Kind::Flag, {3, 0x80}},
    RecordField{"animation 3", Kind::Animation, {4, 0xFF}, {5, 0x7F}},
    RecordField{"animation 3 high bit", Kind::Flag, {5, 0x80}},
    RecordField{"palette 1", Kind::Hex, {6, 0xFF}},
    RecordField{"palette 2", Kind::Hex, {7, 0xFF}},
    RecordField{"palette 3", Kind::Hex, {8, 0xFF}},
    RecordField{"sound", Kind::Hex, {9, 0xFF}},
    RecordField{"byte 10", Kind::Hex, {10, 0xFF}},
    RecordField{"animation 4", Kind::Animation, {11, 0xFF}, {12, 0x7F}},
    RecordField{"animation 4 high bit", Kind::Flag, {12, 0x80}},
    RecordField{"repeat delay", Kind::Hex, {13, 0xFF}},
    RecordField{"byte 14", Kind::Hex, {14, 0xFF}},
};

constexpr std::array<std::string_view, recordSlots> byteNames = {
    "byte 0", "byte 1", "byte 2",  "byte 3",  "byte 4",  "byte 5",  "byte 6", "byte 7",
    "byte 8", "byte 9", "byte 10", "byte 11", "byte 12", "byte 13", "byte 14"};

std::span<const RecordField> namedFields(const TableBinding& binding, RomVariant release) {
    if (binding.placement == &chestTablePlacement)
        return isGbaVariant(release) ? std::span<const RecordField>(gbaChestFields)
                                     : std::span<const RecordField>(snesChestFields);
    if (binding.placement == &monsterBoxTablePlacement)
        return monsterBoxFields;
    if (binding.placement == &shopTablePlacement)
        return shopFields;
    if (binding.placement == &esperTablePlacement)
        return esperFields;
    if (binding.placement == &anim8TablePlacement)
        return anim8Fields;
    if (binding.placement == &anim14TablePlacement)
        return anim14Fields;
    return {};
}

bool partFits(const FieldPart& part, int recordSize) {
    return part.mask == 0 || part.slot < recordSize;
}

// The named fields that the release's records hold, and a field for the rest of each byte.
std::vector<RecordField> fieldsOf(const TableBinding& binding, RomVariant release) {
    const int recordSize =
        std::min((*binding.placement)[variantIndex(release)].recordSize, recordSlots);
    std::vector<RecordField> fields;
    std::array<std::uint8_t, recordSlots> covered{};
    for (const RecordField& field : namedFields(binding, release)) {
        if (!partFits(field.low, recordSize) || !partFits(field.high, recordSize))
            continue;
        fields.push_back(field);
        for (const FieldPart& part : {field.low, field.high})
            if (part.mask != 0)
                covered[part.slot] |= part.mask;
    }
    for (int slot = 0; slot < recordSize; ++slot) {
        const auto at = static_cast<std::size_t>(slot);
        if (covered[at] != 0xFF)
            fields.push_back({byteNames[at],
                              Kind::Hex,
                              {static_cast<std::uint8_t>(slot),
                               static_cast<std::uint8_t>(~covered[at] & 0xFF)}});
    }
    std::stable_sort(fields.begin(), fields.end(), [](const RecordField& a, const RecordField& b) {
        return a.low.slot < b.low.slot;
    });
    return fields;
}

using ReleaseFields = std::vector<std::vector<RecordField>>;

const PerRelease<ReleaseFields>& allFields() {
    static const PerRelease<ReleaseFields> fields = [] {
        PerRelease<ReleaseFields> built;
        for (const RomVariant release : allReleases)
            for (const TableBinding& binding : recordTables())
                built[static_cast<std::size_t>(variantIndex(release))].push_back(
                    fieldsOf(binding, release));
        return built;
    }();
    return fields;
}

std::uint32_t partBits(const Record& record, const FieldPart& part) {
    return part.mask == 0 ? 0 : static_cast<std::uint32_t>(record[part.slot] & 0xFF) & part.mask;
}

void setPart(Record& record, const FieldPart& part, std::uint32_t bits) {
    if (part.mask == 0)
        return;
    std::int32_t& slot = record[part.slot];
    slot = (slot & 0xFF & ~part.mask) | static_cast<std::int32_t>(bits & part.mask);
}

} // namespace

std::span<const RecordField> recordFields(std::size_t table, RomVariant release) {
    const ReleaseFields& fields = allFields()[static_cast<std::size_t>(variantIndex(release))];
    return table < fields.size() ? std::span<const RecordField>(fields[table])
                                 : std::span<const RecordField>();
}

std::uint32_t fieldBits(const Record& record, const RecordField& field) {
    return partBits(record, field.low) | partBits(record, field.high) << 8;
}

void setFieldBits(Record& record, const RecordField& field, std::uint32_t bits) {
    setPart(record, field.low, bits);
    setPart(record, field.high, bits >> 8);
}

} // namespace tarnwick
