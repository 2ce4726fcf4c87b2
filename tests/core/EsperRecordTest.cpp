#include "rom/EsperRecord.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(EsperRecord, StoredValuesAndListPositionsMapBothWays) {
    struct Case {
        std::int32_t value;
        int position;
    };
    const Case cases[] = {{0xFF, 0},   {0x00, 1},    {0x10, 17},   {0x35, 54}, {0x38, 57},
                          {0x7E, 127}, {0x7F, -128}, {0x80, -127}, {0xFE, -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(listPositionOf(c.value), c.position) << std::hex << c.value;
        EXPECT_EQ(valueOfListPosition(c.position), c.value) << c.position;
    }
    EXPECT_EQ(learnRateSlot(1), 0);
    EXPECT_EQ(learnRateSlot(5), 8);
    EXPECT_EQ(spellSlot(1), 1);
    EXPECT_EQ(spellSlot(5), 9);
}

TEST(EsperRecord, LearnRatesAreTypedAsUnsignedNumbersAndStoredModulo256) {
    EXPECT_EQ(parseLearnRate("300"), 300u);
    EXPECT_EQ(parseLearnRate("007"), 7u);
    EXPECT_EQ(parseLearnRate("4294967295"), 4294967295u);
    for (std::string_view refused :
         {"", "4294967296", "99999999999999999999", "-1", "+5", "1 ", " 1", "1x"})
        EXPECT_FALSE(parseLearnRate(refused).has_value()) << '"' << refused << '"';
    EXPECT_EQ(storedLearnRate(300), 0x2C);
    EXPECT_EQ(storedLearnRate(256), 0x00);
    EXPECT_EQ(storedLearnRate(255), 0xFF);
}

TEST(EsperRecord, ListsAndLabelsFollowTheRelease) {
    const GameString japaneseSpell = "\xFE\x2D\x2E\xFF\x32\x2F\x24\x2B\x2B";
    const GameString japaneseBonus = "\xFE\x2D\x2E\xFF\x21\x2E\x2D\x34\x32";
    struct Case {
        RomVariant release;
        int spells;
        int espers;
        GameString noSpell;
        GameString noBonus;
    };
    const Case cases[] = {
        {RomVariant::SnesEnglish, 54, 27, "\x8D\xA8\xFF\x92\xA9\x9E\xA5\xA5",
         "\x8D\xA8\xFF\x81\xA8\xA7\xAE\xAC"},
        {RomVariant::SnesJapanese, 54, 27, japaneseSpell, japaneseBonus},
        {RomVariant::GbaEnglish, 57, 31, "\x28\x20\x67\x13\x22\x25\x29\x29",
         "\x28\x20\x67\x24\x20\x28\x2C\x13"},
        {RomVariant::GbaJapanese, 57, 31, japaneseSpell, japaneseBonus},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(releaseName(c.release));
        EXPECT_EQ(esperSpellChoices(c.release), c.spells);
        EXPECT_EQ(esperCount(c.release), c.espers);
        EXPECT_EQ(emptySpellLabel(c.release), c.noSpell);
        EXPECT_EQ(noBonusLabel(c.release), c.noBonus);
    }
}

TEST(EsperRecord, SpellsAndLearnRatesStoreWhatTheListsAndFieldsGive) {
    Record esper{};
    setEsperSpell(esper, 1, 0); // the list's first entry: no spell
    setEsperSpell(esper, 5, 38);
    setEsperBonus(esper, 3);
    EXPECT_EQ(esper[10], 2);
    EXPECT_EQ(esper[1], 0xFF);
    EXPECT_EQ(esper[9], 37);
    setLearnRate(esper, 3, 999); // kept modulo 256
    EXPECT_EQ(esper[4], 231);
    EXPECT_EQ(learnRate(esper, 3), 231);
}

} // namespace
} // namespace tarnwick
