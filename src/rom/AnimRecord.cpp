#include "rom/AnimRecord.h"

namespace tarnwick {
namespace {

constexpr std::uint32_t numberBits = 0x3FF;
constexpr std::uint32_t highNumberBits = 0x3;
constexpr std::int32_t highBitMask = 0x80;
constexpr std::int32_t noAnimationByte = 0xFF;

std::int32_t& slot(Record& record, int index) {
    return record[static_cast<std::size_t>(index)];
}
std::int32_t slot(const Record& record, int index) {
    return record[static_cast<std::size_t>(index)];
}

// The high byte for a number from 0 to 0x2FF: its bits 8-9 and the High Bit.
std::int32_t highByte(std::uint32_t number, bool highBit) {
    return static_cast<std::int32_t>((number >> 8) & highNumberBits) | (highBit ? highBitMask : 0);
}

} // namespace

bool anim14SlotWritable(RomVariant release, int slotIndex) {
    const int recordSize = anim14TablePlacement[variantIndex(release)].recordSize;
    return slotIndex >= 0 && slotIndex < recordSize;
}

std::int32_t anim8Field(const Record& record, Anim8Field field) {
    return slot(record, anim8FieldRule(field).slot);
}

void setAnim8Field(Record& record, Anim8Field field, std::int32_t value) {
    slot(record, anim8FieldRule(field).slot) = value;
}

std::int32_t anim14Palette(const Record& record, int animation) {
    return slot(record, anim14Animations[static_cast<std::size_t>(animation)].paletteSlot);
}

void setAnim14Palette(Record& record, int animation, std::int32_t value) {
    slot(record, anim14Animations[static_cast<std::size_t>(animation)].paletteSlot) = value;
}

std::int32_t anim14PlainByte(const Record& record, int slotIndex) {
    return slot(record, slotIndex);
}

bool setAnim14PlainByte(Record& record, RomVariant release, int slotIndex, std::int32_t value) {
    if (!anim14SlotWritable(release, slotIndex))
        return false;
    slot(record, slotIndex) = value;
    return true;
}

int animationNumber(const Record& record, const AnimNumberSlots& animation) {
    // Unsigned, as a slot written by hand may hold any value.
    const auto low = static_cast<std::uint32_t>(slot(record, animation.low));
    const auto high = static_cast<std::uint32_t>(slot(record, animation.high));
    return static_cast<int>((low | (high << 8)) & numberBits);
}

ShownAnimation showAnimation(const Record& record, const AnimNumberSlots& animation) {
    const int number = animationNumber(record, animation);
    const bool named = number <= lastAnimationNumber;
    return {named ? number : noAnimationNumber, (slot(record, animation.high) & highBitMask) != 0,
            named};
}

void storeAnimationNumber(Record& record, const AnimNumberSlots& animation, std::int32_t number,
                          bool highBit) {
    if (number > lastAnimationNumber) {
        slot(record, animation.low) = noAnimationByte;
        slot(record, animation.high) = noAnimationByte;
        return;
    }
    const auto bits = static_cast<std::uint32_t>(number);
    slot(record, animation.low) = static_cast<std::int32_t>(bits & 0xFF);
    slot(record, animation.high) = highByte(bits, highBit);
}

void storeHighBit(Record& record, const AnimNumberSlots& animation, bool highBit) {
    const auto number = static_cast<std::uint32_t>(animationNumber(record, animation));
    slot(record, animation.high) = highByte(number, highBit);
}

} // namespace tarnwick
