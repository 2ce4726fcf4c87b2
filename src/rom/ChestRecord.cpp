#include "rom/ChestRecord.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tarnwick {
namespace {

constexpr std::int32_t typeBits = 0xE8;
constexpr std::int32_t keptWithType = 0x17;
constexpr std::array<std::int32_t, chestTypeCount> typeCodes = {0x08, 0x20, 0x40, 0x80};
constexpr std::int32_t memoryHighBit = 0x01;
constexpr std::int32_t itemHighBit = 0x04;
constexpr int memoryByteShift = 3;
// Byte 4 values a GBA item chest can add 256 to and still name an item (256-270).
constexpr int highItemBytes = itemNameSlots - byteContentsLimit;

int byteAt(const Record& chest, int slot) {
    return chest[static_cast<std::size_t>(slot)] & 0xFF;
}

bool isFlagBit(int bit) {
    return bit == 1 || bit == 2 || bit == 4;
}

bool holdsHighItem(const Record& chest, RomVariant release) {
    return isGbaVariant(release) && chestType(chest) == itemChest && (chest[3] & itemHighBit) != 0;
}

} // namespace

int wrapInto(int value, int n) {
    if (n <= 0)
        return 0;
    const int rest = value % n;
    return rest < 0 ? rest + n : rest;
}

int chestType(const Record& chest) {
    const auto found = std::find(typeCodes.begin(), typeCodes.end(), chest[3] & typeBits);
    return found == typeCodes.end() ? emptyChest : static_cast<int>(found - typeCodes.begin());
}

void setChestType(Record& chest, int type) {
    const auto code = typeCodes[static_cast<std::size_t>(std::clamp(type, 0, chestTypeCount - 1))];
    chest[3] = (chest[3] & keptWithType) | code;
}

int chestX(const Record& chest) {
    return byteAt(chest, 0);
}

int chestY(const Record& chest) {
    return byteAt(chest, 1);
}

int memoryBit(const Record& chest) {
    return chest[2] & 0x07;
}

int memoryByte(const Record& chest) {
    return (byteAt(chest, 2) >> memoryByteShift) + ((chest[3] & memoryHighBit) != 0 ? 32 : 0);
}

bool chestFlag(const Record& chest, int bit) {
    return isFlagBit(bit) && (chest[3] & (1 << bit)) != 0;
}

void setChestX(Record& chest, int x) {
    chest[0] = wrapInto(x, positionLimit);
}

void setChestY(Record& chest, int y) {
    chest[1] = wrapInto(y, positionLimit);
}

void setMemoryBit(Record& chest, int bit) {
    chest[2] = (chest[2] & 0xF8) | wrapInto(bit, memoryBitLimit);
}

void setMemoryByte(Record& chest, int value) {
    const int v = wrapInto(value, memoryByteLimit);
    chest[2] = (chest[2] & 0x07) | ((v & 0x1F) << memoryByteShift);
    chest[3] = (chest[3] & (0xFF & ~memoryHighBit)) | (v >= 32 ? memoryHighBit : 0);
}

void setChestFlag(Record& chest, int bit, bool on) {
    if (!isFlagBit(bit))
        return;
    chest[3] = (chest[3] & (0xFF & ~(1 << bit))) | (on ? 1 << bit : 0);
}

int chestContents(const Record& chest, RomVariant release) {
    return byteAt(chest, 4) + (holdsHighItem(chest, release) ? byteContentsLimit : 0);
}

int contentsLimit(RomVariant release) {
    return isGbaVariant(release) ? itemNameSlots : byteContentsLimit;
}

int wrapContents(int contents, RomVariant release, int type) {
    return wrapInto(contents, type == itemChest ? contentsLimit(release) : byteContentsLimit);
}

void setGpMultiplier(std::int32_t& multiplier, int typed) {
    multiplier = wrapInto(typed, gpMultiplierLimit);
}

int storeChosenContents(Record& chest, RomVariant release, int contents) {
    if (chestType(chest) != itemChest) {
        chest[4] = wrapInto(contents, byteContentsLimit);
        return chest[4];
    }
    const int v = wrapInto(contents, contentsLimit(release));
    setChestFlag(chest, 2, v >= byteContentsLimit);
    chest[4] = v % byteContentsLimit;
    return v;
}

int chooseChestType(Record& chest, RomVariant release, int type, int contents) {
    setChestType(chest, type);
    const int low = contents & 0xFF;
    if (chestType(chest) != itemChest)
        return low;
    if (!isGbaVariant(release))
        return contents;
    // The test looks at the low 8 bits, so an item chest already showing 256-270 keeps its item.
    if (low >= highItemBytes)
        setChestFlag(chest, 2, false);
    return holdsHighItem(chest, release) ? low + byteContentsLimit : low;
}

int contentsAfterBit2(int contents, bool ticked) {
    // In 64 bits, so that no typed number can overflow on the way.
    const long long moved = static_cast<long long>(contents) + (ticked ? 256 : -256);
    return static_cast<int>(std::clamp<long long>(moved, 0, itemNameSlots - 1));
}

} // namespace tarnwick
