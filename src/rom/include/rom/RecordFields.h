#pragma once

#include "rom/Record.h"
#include "rom/Releases.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// The fields of each table's records as bits of their bytes: what a merge of two mods compares
// one by one. The fields of a record cover each of its bits exactly once, so a change anywhere
// in a record is a change of one field or more.
namespace tarnwick {

// How a field's value reads, for the layer that puts it in words.
enum class FieldKind : std::uint8_t {
    Number,        // decimal
    Hex,           // hexadecimal, as the animation editors show bytes
    Flag,          // on or off
    ChestContents, // what the chest holds, read from the whole record (its type and bit 8)
    ChestType,
    MemoryByte, // the opened-flag byte, whose top bit lies in the next byte
    ShopType,
    PriceModifier,
    Item,      // 255 is no item
    Spell,     // 0xFF is none
    Bonus,     // 0xFF is none
    Formation, // 16-bit little-endian
    Animation, // 10-bit number; 0x300 and above are no animation
};

// Bits of one slot of a record that belong to a field.
struct FieldPart {
    std::uint8_t slot = 0;
    std::uint8_t mask = 0; // 0: the field has no such part
};

// One field: its name in a line a person reads ("#3", "flag bit 4"), how it reads, and its bits
// in at most two slots (a formation number's two bytes, the opened-flag byte's two pieces).
struct RecordField {
    std::string_view name;
    FieldKind kind = FieldKind::Number;
    FieldPart low;
    FieldPart high{};
};

// The fields of the records of the table at this index of recordTables() as the release lays
// them out, in slot order. Bits that no field of the game names form a field of their own, one
// for each such byte ("byte 10"). Empty for an index out of range.
[[nodiscard]] std::span<const RecordField> recordFields(std::size_t table, RomVariant release);

// The field's bits as the record holds them (low part | high part << 8), cut to the bytes that
// save writes; two records hold the same value of the field when these are equal.
[[nodiscard]] std::uint32_t fieldBits(const Record& record, const RecordField& field);
// Puts the field's bits (as fieldBits gives them) into the record; its other bits stay.
void setFieldBits(Record& record, const RecordField& field, std::uint32_t bits);

} // namespace tarnwick
