#pragma once

#include "rom/GameString.h"
#include "rom/Record.h"

#include <cstdint>
#include <optional>
#include <string_view>

// The fields of an esper record and how the esper editor's lists show them.
//
// Esper record, 11 bytes:
//   bytes 0, 2, 4, 6, 8  learn rate of spells 1-5 (0-255)
//   bytes 1, 3, 5, 7, 9  spells 1-5: index into the spell names, 0xFF for an empty slot
//   byte 10              level-up bonus: index into the bonus names, 0xFF for none
//
// A spell or bonus list starts with the label for 0xFF; entry k + 1 stands for value k.
namespace tarnwick {

inline constexpr int esperSpellCount = 5;
inline constexpr int esperBonusSlot = 10;
// Level-up bonuses a record can name (the bonus name table holds one more).
inline constexpr int esperBonusChoices = 17;

constexpr int learnRateSlot(int spell) {
    return 2 * (spell - 1);
} // spell 1-5
constexpr int spellSlot(int spell) {
    return 2 * spell - 1;
} // spell 1-5

// The list position that shows a stored value: value + 1 as a signed byte, so 0xFF is the
// first entry and 0x7F-0xFE come out negative, which a list shows as no selection.
constexpr int listPositionOf(std::int32_t value) {
    return static_cast<std::int8_t>(static_cast<std::uint8_t>(value + 1));
}
// The value a list position stores: the first entry stores 0xFF.
constexpr std::int32_t valueOfListPosition(int position) {
    return (position - 1) & 0xFF;
}

// The record keeps a learn rate modulo 256; the user may type any number.
constexpr std::int32_t storedLearnRate(std::uint32_t typed) {
    return static_cast<std::int32_t>(typed & 0xFF);
}
// The spell (1-5) a list position names, and the learn rate a typed number stores.
void setEsperSpell(Record& esper, int spell, int listPosition);
void setEsperBonus(Record& esper, int listPosition);
void setLearnRate(Record& esper, int spell, std::uint32_t typed);
std::int32_t learnRate(const Record& esper, int spell);

// A learn rate as typed: one or more decimal digits forming an unsigned 32-bit number.
std::optional<std::uint32_t> parseLearnRate(std::string_view text);

// Spell names the release's lists offer (54, or 57 on GBA) and espers it has (27 or 31).
int esperSpellChoices(RomVariant release);
int esperCount(RomVariant release);

// The labels for an empty spell slot and for no level-up bonus, in the release's codes. The
// Japanese ones carry the plain-text marker, as their codes would otherwise take marks.
GameString emptySpellLabel(RomVariant release);
GameString noBonusLabel(RomVariant release);

} // namespace tarnwick
