#pragma once

#include "rom/Releases.h"

#include <optional>

// The monster-in-a-box entries that monster chests refer to, and the battle formations they
// name.
//
// Monster-in-a-box record, 4 bytes:
//   bytes 0-1  Form 1: formation number, 16-bit little-endian (0-575)
//   bytes 2-3  Form 2: the same
//
// Formation record, 15 bytes at the release's formation base + 15 x formation number (only
// these bytes are read here, never written):
//   bytes 2-7  low 8 bits of the monster numbers of slots 1-6
//   byte 14    bit k - 1 is bit 8 of slot k's monster number; 0xFF with that bit set is empty
namespace tarnwick {

class RomImage;

inline constexpr int monsterBoxCount = monsterBoxCapacity;
inline constexpr int formationNumbers = 576;
inline constexpr int formationSlots = 6;
// What formationSlotMonster gives for an empty slot.
inline constexpr int emptyFormationSlot = -1;

// Formation number of Form 1 or 2 of an entry. Entries without a record (the contents numbers
// 256-270 of GBA item chests) and other form numbers read 0.
int monsterBoxForm(const RomImage& rom, int entry, int form);
// Stores value wrapped into 0-575 as Form 1 or 2 of the entry; writes nothing for an entry
// without a record or another form number.
void setMonsterBoxForm(RomImage& rom, int entry, int form, int value);

// The first monster chest that opens onto the entry, where the chest editor shows its forms;
// nothing when no chest does.
std::optional<int> firstChestOpening(const RomImage& rom, int entry);

// Monster number (0-510) in slot 1-6 of a formation, or emptyFormationSlot. Read through the
// document's bounded reads, so any formation number is safe.
int formationSlotMonster(const RomImage& rom, int formation, int slot);

} // namespace tarnwick
