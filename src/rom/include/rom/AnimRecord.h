#pragma once

#include "rom/Record.h"
#include "rom/Releases.h"

#include <array>
#include <cstddef>
#include <cstdint>

// The fields of the two kinds of battle animation record and how the animation editors store
// what the user types or picks into them.
//
// 8-byte animation record (weapons and enemy specials):
//   byte 0  right-hand animation number       byte 4  hit graphic palette
//   byte 1  left-hand animation number        byte 5  unnamed ("Byte6")
//   byte 2  right-hand palette                byte 6  sound
//   byte 3  hit graphic animation number      byte 7  unnamed ("Byte8")
//
// 14-byte animation record (15 bytes on GBA; spells, espers, tools, items, other effects):
//   bytes 0-1, 2-3, 4-5, 11-12  animations 1-4, each a low byte and a high byte:
//            number = (low | high << 8) & 0x3FF; 0x300-0x3FF mean no animation
//            high byte bit 7: the animation's "High Bit"; bits 2-6 unnamed, cleared on a write
//   bytes 6, 7, 8  palettes of animations 1-3 (animation 4 has none)
//   byte 9 sound, byte 10 unnamed ("???"), byte 13 repeat delay, byte 14 unnamed (GBA only)
//
// Field texts are hexadecimal (HexText.h); a plain field stores its value unmasked, since only
// the low eight bits of a slot reach the image.
namespace tarnwick {

// Palettes the palette lists offer.
inline constexpr int animPaletteChoices = 240;
// Digits of the animation number fields of the 14/15-byte editor; every other field has two.
inline constexpr int animNumberDigits = 3;
inline constexpr int animByteDigits = 2;

// The list a field is paired with: choosing an entry there writes its position into the field.
enum class PairedList { None, Animation, Palette };

// One field of an 8-byte record: the slot it stores into and the list paired with it.
struct AnimFieldRule {
    int slot = 0;
    PairedList list = PairedList::None;
};

// ---- 8-byte records ----

enum class Anim8Field {
    RightHandAnimation,
    LeftHandAnimation,
    RightHandPalette,
    HitAnimation,
    HitPalette,
    Byte6,
    Sound,
    Byte8,
};
inline constexpr int anim8FieldCount = 8;

// Indexed by Anim8Field.
inline constexpr std::array<AnimFieldRule, anim8FieldCount> anim8FieldRules = {{
    {0, PairedList::Animation},
    {1, PairedList::Animation},
    {2, PairedList::Palette},
    {3, PairedList::Animation},
    {4, PairedList::Palette},
    {5, PairedList::None},
    {6, PairedList::None},
    {7, PairedList::None},
}};

constexpr const AnimFieldRule& anim8FieldRule(Anim8Field field) {
    return anim8FieldRules[static_cast<std::size_t>(field)];
}

// ---- 14/15-byte records ----

// The slots of one animation of a 14/15-byte record: the two bytes of its number and its
// palette (animation 4 has none: paletteSlot -1).
struct AnimNumberSlots {
    int low = 0;
    int high = 0;
    int paletteSlot = -1;
};
inline constexpr int anim14AnimationCount = 4;
// Animations 1-4, in that order.
inline constexpr std::array<AnimNumberSlots, anim14AnimationCount> anim14Animations = {{
    {0, 1, 6},
    {2, 3, 7},
    {4, 5, 8},
    {11, 12, -1},
}};

inline constexpr int anim14SoundSlot = 9;
inline constexpr int anim14UnnamedSlot = 10;
inline constexpr int anim14RepeatDelaySlot = 13;
inline constexpr int anim14GbaOnlySlot = 14;
// The fields that store their value as it is, without a paired list.
inline constexpr std::array<int, 4> anim14PlainSlots = {anim14SoundSlot, anim14UnnamedSlot,
                                                        anim14RepeatDelaySlot, anim14GbaOnlySlot};

// Whether the editor may write the slot: the last one exists only in GBA records.
bool anim14SlotWritable(RomVariant release, int slot);

// The value of one field of an 8-byte record, and storing a typed or picked one (unmasked, as
// only the low eight bits reach the image and the field keeps what was typed).
std::int32_t anim8Field(const Record& record, Anim8Field field);
void setAnim8Field(Record& record, Anim8Field field, std::int32_t value);

// The palette of animation 1-3 (index 0-2) of a 14/15-byte record; stored unmasked.
std::int32_t anim14Palette(const Record& record, int animation);
void setAnim14Palette(Record& record, int animation, std::int32_t value);

// A byte of anim14PlainSlots; storing it does nothing, returning false, where the release's
// records lack the slot.
std::int32_t anim14PlainByte(const Record& record, int slot);
bool setAnim14PlainByte(Record& record, RomVariant release, int slot, std::int32_t value);

// Numbers 0-0x2FF name animations; the lists show every higher number as this one, their
// last entry (768).
inline constexpr std::int32_t lastAnimationNumber = 0x2FF;
inline constexpr std::int32_t noAnimationNumber = 0x300;

// The 10-bit number the animation's two bytes hold, 0-0x3FF.
int animationNumber(const Record& record, const AnimNumberSlots& animation);

// What the editor shows for one animation: the number (0x300 for no animation), the state of
// its "High Bit" box (bit 7 of the high byte, shown even while the box is disabled) and whether
// the box can be changed (only while an animation is named).
struct ShownAnimation {
    std::int32_t number = 0;
    bool highBit = false;
    bool highBitEnabled = false;
};
ShownAnimation showAnimation(const Record& record, const AnimNumberSlots& animation);

// Stores a typed number with the state of the "High Bit" box: above 0x2FF the bytes 0xFF, 0xFF
// (no animation); otherwise the low eight bits, and a high byte of bits 8-9 and the High Bit.
void storeAnimationNumber(Record& record, const AnimNumberSlots& animation, std::int32_t number,
                          bool highBit);

// Rewrites the whole high byte from the current number and the box's new state, clearing the
// unnamed bits 2-6; the low byte stays.
void storeHighBit(Record& record, const AnimNumberSlots& animation, bool highBit);

} // namespace tarnwick
