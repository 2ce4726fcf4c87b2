#pragma once

#include "rom/Record.h"
#include "rom/Releases.h"

// The fields of a treasure chest record and the rules by which the chest editor changes them.
//
// Chest record, 5 bytes:
//   byte 0   X position (0-255)
//   byte 1   Y position (0-255)
//   byte 2   bits 0-2 memory bit (0-7); bits 3-7 memory byte, bits 0-4
//   byte 3   bit 0 memory byte, bit 5 (so the memory byte is 0-63)
//            bits 1, 2, 4 flags; on GBA images bit 2 of an item chest is bit 8 of its item
//            bits 3, 5, 6, 7 (mask 0xE8) type: 0x08 empty, 0x20 monster, 0x40 item, 0x80 money;
//            any other combination reads as empty
//   byte 4   contents: nothing (empty), a monster-in-a-box entry 0-255 (monster), an item
//            number (item; 0-270 on GBA with bit 2), or money divided by the GP multiplier
//
// Getters mask the slots to bytes, so values written unmasked never index past a table.
namespace tarnwick {

inline constexpr int chestCount = chestCapacity;
inline constexpr int chestTypeCount = 4;
inline constexpr int emptyChest = 0;
inline constexpr int monsterChest = 1;
inline constexpr int itemChest = 2;
inline constexpr int moneyChest = 3;

// Ranges of the fields: a value typed or stepped outside is wrapped back into them.
inline constexpr int positionLimit = 256;
inline constexpr int memoryBitLimit = 8;
inline constexpr int memoryByteLimit = 64;
inline constexpr int gpMultiplierLimit = 256;
// Contents numbers of types other than GBA item chests.
inline constexpr int byteContentsLimit = 256;

// value brought into 0 to n - 1 by adding or subtracting n as often as needed (0 when n <= 0).
[[nodiscard]] int wrapInto(int value, int n);

int chestType(const Record& chest);
// Replaces the type bits by those of type (clamped to 0-3); bits 0, 1, 2 and 4 stay.
void setChestType(Record& chest, int type);

int chestX(const Record& chest);
int chestY(const Record& chest);
int memoryBit(const Record& chest);
int memoryByte(const Record& chest);
// Flag bits 1, 2 and 4 of byte 3; other bit numbers read false and write nothing.
bool chestFlag(const Record& chest, int bit);
// The setters wrap their value into the field's range.
void setChestX(Record& chest, int x);
void setChestY(Record& chest, int y);
void setMemoryBit(Record& chest, int bit);
void setMemoryByte(Record& chest, int value);
void setChestFlag(Record& chest, int bit, bool on);

// Contents number: byte 4, plus 256 for a GBA item chest with bit 2 set.
int chestContents(const Record& chest, RomVariant release);
// One past the highest contents number: 256, or 271 on GBA images (items 256-270).
int contentsLimit(RomVariant release);

// A contents number typed or picked for a chest of the given type, wrapped into its list: below
// 0 reaches the end (255, or 270 for a GBA item chest), past the end the start.
[[nodiscard]] int wrapContents(int contents, RomVariant release, int type);

// The GP multiplier as typed, wrapped into 0-255.
void setGpMultiplier(std::int32_t& multiplier, int typed);

// Stores a contents number chosen for the chest's type and returns it as stored: an item chest
// wraps it into contentsLimit and keeps bit 8 in byte 3 bit 2 (clearing that bit below 256 on
// every release); other types wrap it into 256.
int storeChosenContents(Record& chest, RomVariant release, int contents);

// Gives the chest a new type and returns the contents number it then shows. Byte 4 stays. Types
// other than item keep the low 8 bits. A GBA item chest clears bit 2 when byte 4 is above 14
// (there is no item 271 or above), then adds 256 while bit 2 is set.
int chooseChestType(Record& chest, RomVariant release, int type, int contents);

// The contents number of a GBA item chest after its bit 2 box was ticked or cleared: 256 more
// (at most 270) or 256 less (at least 0). storeChosenContents then stores it.
int contentsAfterBit2(int contents, bool ticked);

} // namespace tarnwick
