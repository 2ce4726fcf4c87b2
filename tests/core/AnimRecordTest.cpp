#include "rom/AnimRecord.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(AnimRecord, NumbersAndHighBitsReadAndStoreAsTheEditorShowsThem) {
    enum class Op { Show, Store, Toggle };
    struct Case {
        std::int32_t low, high;
        Op op;
        std::int32_t typed; // for Store
        bool box;           // the High Bit box's state for Store and Toggle
        std::int32_t newLow, newHigh;
        ShownAnimation shown; // after the operation
    };
    const Case cases[] = {
        {0x34, 0x81, Op::Show, 0, false, 0x34, 0x81, {0x134, true, true}},
        {0x00, 0x83, Op::Show, 0, false, 0x00, 0x83, {0x300, true, false}},
        {0x12, 0x7D, Op::Toggle, 0, true, 0x12, 0x81, {0x112, true, true}},
        {0x34, 0x81, Op::Toggle, 0, false, 0x34, 0x01, {0x134, false, true}},
        {0xFF, 0xFF, Op::Store, 0x05, true, 0x05, 0x80, {0x005, true, true}},
        {0x00, 0x7D, Op::Store, 0x2FF, false, 0xFF, 0x02, {0x2FF, false, true}},
        {0x10, 0x80, Op::Store, 0x300, true, 0xFF, 0xFF, {0x300, true, false}},
        {0x10, 0x00, Op::Store, 0x7FFFFFFF, false, 0xFF, 0xFF, {0x300, true, false}},
    };
    for (const Case& c : cases) {
        for (const AnimNumberSlots& animation : anim14Animations) {
            SCOPED_TRACE(testing::Message() << std::hex << c.low << " " << c.high << " " << c.typed
                                            << " at " << animation.low);
            Record record{};
            record.fill(0x5A); // the other slots must keep this
            record[static_cast<std::size_t>(animation.low)] = c.low;
            record[static_cast<std::size_t>(animation.high)] = c.high;
            Record expected = record;
            expected[static_cast<std::size_t>(animation.low)] = c.newLow;
            expected[static_cast<std::size_t>(animation.high)] = c.newHigh;
            if (c.op == Op::Store)
                storeAnimationNumber(record, animation, c.typed, c.box);
            else if (c.op == Op::Toggle)
                storeHighBit(record, animation, c.box);
            EXPECT_EQ(record, expected);
            const ShownAnimation shown = showAnimation(record, animation);
            EXPECT_EQ(shown.number, c.shown.number);
            EXPECT_EQ(shown.highBit, c.shown.highBit);
            EXPECT_EQ(shown.highBitEnabled, c.shown.highBitEnabled);
        }
    }
}

TEST(AnimRecord, FieldsPalettesAndPlainBytesStoreUnmaskedWhereTheRecordHasThem) {
    Record record{};
    setAnim8Field(record, Anim8Field::Sound, 0x1F3);
    EXPECT_EQ(record[6], 0x1F3);
    EXPECT_EQ(anim8Field(record, Anim8Field::Sound), 0x1F3);

    setAnim14Palette(record, 2, 0x12A);
    EXPECT_EQ(record[8], 0x12A);
    EXPECT_EQ(anim14Palette(record, 2), 0x12A);

    // Byte 14 exists in GBA records only.
    EXPECT_FALSE(setAnim14PlainByte(record, RomVariant::SnesEnglish, anim14GbaOnlySlot, 7));
    EXPECT_EQ(record[14], 0);
    EXPECT_TRUE(setAnim14PlainByte(record, RomVariant::GbaJapanese, anim14GbaOnlySlot, 7));
    EXPECT_EQ(anim14PlainByte(record, anim14GbaOnlySlot), 7);
    EXPECT_TRUE(setAnim14PlainByte(record, RomVariant::SnesJapanese, anim14RepeatDelaySlot, 0x3C));
    EXPECT_EQ(record[13], 0x3C);
}

} // namespace
} // namespace tarnwick
