#include "rom/ImageCheck.h"

#include "DemoDocuments.h"
#include "DemoNames.h"
#include "graphics/NamedFindings.h"
#include "rom/ChestRecord.h"
#include "rom/EsperRecord.h"
#include "rom/MonsterBox.h"
#include "rom/Releases.h"
#include "rom/ShopRecord.h"

#include <gtest/gtest.h>

#include <functional>

namespace tarnwick {
namespace {

using Rule = void (*)(const RomImage&, const FindingNames&, std::vector<Finding>&);

std::vector<Finding> run(Rule rule, const RomImage& rom) {
    std::vector<Finding> findings;
    rule(rom, FindingNames(), findings);
    return findings;
}

// Writes the six monster slots of a formation into the image: low bytes, then the high bits.
void writeFormation(RomImage& rom, int formation, std::uint8_t low, std::uint8_t highBits) {
    const std::uint64_t at = formationBase[variantIndex(rom.variant())] +
                             static_cast<std::uint64_t>(formation) * formationRecordSize;
    for (std::uint64_t slot = 0; slot < formationSlots; ++slot)
        rom.writeByte(low, at + 2 + slot);
    rom.writeByte(highBits, at + 14);
}

// Makes chest 3 a monster chest whose entry 9 starts formations 100 and 101, the second with
// ordinary monsters.
void monsterChestOf100(RomImage& rom) {
    Record& chest = rom.chestTable[3];
    setChestType(chest, monsterChest);
    storeChosenContents(chest, rom.variant(), 9);
    setMonsterBoxForm(rom, 9, 1, 100);
    setMonsterBoxForm(rom, 9, 2, 101);
    writeFormation(rom, 101, 0x10, 0x00);
}

// Each rule, on a demo image that breaks it once and on the image before (made clean for the
// rule where the case's own setting up would break it).
TEST(ImageCheck, EachRuleFiresOnItsMistakeAndOnlyThere) {
    struct Case {
        const char* name;
        Rule rule;
        RomVariant release;
        std::function<void(RomImage&)> breakIt;
        Severity severity;
        std::string_view table;
        int record;
        std::string message;
        std::function<void(RomImage&)> prepare = {}; // makes the image clean for the rule
    };
    const Case cases[] = {
        {"item past the names", &checks::chestReferences, RomVariant::GbaEnglish,
         [](RomImage& rom) {
             Record& chest = rom.chestTable[7];
             setChestType(chest, itemChest);
             setChestFlag(chest, 2, true);
             chest[4] = 20; // item 276
         },
         Severity::Error, "chestTable", 7, "holds item 276, past the 271 items the game names"},
        {"shared flag", &checks::sharedChestFlags, RomVariant::SnesEnglish,
         [](RomImage& rom) {
             Record& chest = rom.chestTable[40];
             setMemoryByte(chest, memoryByte(rom.chestTable[12]));
             setMemoryBit(chest, memoryBit(rom.chestTable[12]));
         },
         Severity::Warning, "chestTable", 40,
         "Chests 12 and 40 share opened-flag byte 63 bit 5: opening one marks the other as "
         "opened"},
        {"formation past the image", &checks::monsterChests, RomVariant::SnesJapanese,
         [](RomImage& rom) {
             Record& chest = rom.chestTable[3];
             setChestType(chest, monsterChest);
             storeChosenContents(chest, rom.variant(), 9);
             rom.monsterBoxTable[9][0] = 0x40; // formation 0x240 = 576
             rom.monsterBoxTable[9][1] = 0x02;
         },
         Severity::Error, "monsterBoxTable", 9,
         "Form 1 names formation 576, past the last one the image holds (575)"},
        {"monster past the names", &checks::monsterChests, RomVariant::SnesEnglish,
         [](RomImage& rom) {
             monsterChestOf100(rom);
             writeFormation(rom, 100, 0xC8, 0x01); // slot 1: monster 456, slots 2-6: 200
         },
         Severity::Error, "monsterBoxTable", 9,
         "Form 1 (formation 100) has monster 456 in slot 1, past the 384 monsters the game names",
         [](RomImage& rom) {
             monsterChestOf100(rom);
             writeFormation(rom, 100, 0x10, 0x00);
         }},
        {"empty formations", &checks::monsterChests, RomVariant::GbaJapanese,
         [](RomImage& rom) {
             monsterChestOf100(rom);
             writeFormation(rom, 100, 0xFF, 0x3F);
             writeFormation(rom, 101, 0xFF, 0x3F);
         },
         Severity::Warning, "chestTable", 3,
         "is a monster chest whose monster-in-a-box entry 9 starts two empty formations",
         [](RomImage& rom) {
             monsterChestOf100(rom);
             writeFormation(rom, 100, 0x10, 0x00);
         }},
        {"money chest of 0 GP", &checks::moneyAndItemChests, RomVariant::SnesEnglish,
         [](RomImage& rom) {
             setChestType(rom.chestTable[5], moneyChest);
             storeChosenContents(rom.chestTable[5], rom.variant(), 0);
         },
         Severity::Warning, "chestTable", 5, "is a money chest of 0 GP"},
        {"empty item", &checks::moneyAndItemChests, RomVariant::GbaJapanese,
         [](RomImage& rom) {
             setChestType(rom.chestTable[6], itemChest);
             storeChosenContents(rom.chestTable[6], rom.variant(), 255);
         },
         Severity::Warning, "chestTable", 6, "is an item chest holding the empty item"},
        {"item twice", &checks::shopItems, RomVariant::SnesEnglish,
         [](RomImage& rom) {
             for (int slot = 1; slot <= shopItemSlots; ++slot)
                 setShopItem(rom.shopTable[12], slot, slot == 2 ? 42 : slot <= 3 ? 41 : 255);
         },
         Severity::Warning, "shopTable", 12, "lists item 41 twice (#1 and #3)"},
        {"gap between items", &checks::shopItems, RomVariant::GbaEnglish,
         [](RomImage& rom) {
             for (int slot = 1; slot <= shopItemSlots; ++slot)
                 setShopItem(rom.shopTable[2], slot, slot == 1 || slot == 4 ? slot : 255);
         },
         Severity::Warning, "shopTable", 2, "lists item #4 after the empty slot #2"},
        {"spell twice", &checks::esperSpells, RomVariant::SnesJapanese,
         [](RomImage& rom) {
             Record& esper = rom.esperTable[4];
             for (int spell = 1; spell <= esperSpellCount; ++spell) {
                 setEsperSpell(esper, spell, spell <= 2 ? 8 : 0);
                 setLearnRate(esper, spell, 5);
             }
         },
         Severity::Warning, "esperTable", 4, "teaches spell 7 twice (#1 and #2)"},
        {"spell past the names", &checks::esperSpells, RomVariant::SnesEnglish,
         [](RomImage& rom) { rom.esperTable[2][static_cast<std::size_t>(spellSlot(5))] = 60; },
         Severity::Error, "esperTable", 2,
         "teaches spell 60 as #5, past the 54 spells the game names",
         [](RomImage& rom) {
             for (int spell = 1; spell <= esperSpellCount; ++spell)
                 setEsperSpell(rom.esperTable[2], spell, 0);
             setLearnRate(rom.esperTable[2], 5, 3);
         }},
        {"bonus past the names", &checks::esperSpells, RomVariant::GbaEnglish,
         [](RomImage& rom) { rom.esperTable[0][esperBonusSlot] = 17; }, Severity::Error,
         "esperTable", 0, "gives bonus 17, past the 17 bonuses the game names",
         [](RomImage& rom) {
             for (int spell = 1; spell <= esperSpellCount; ++spell)
                 setEsperSpell(rom.esperTable[0], spell, 0);
         }},
        {"learn rate 0", &checks::esperSpells, RomVariant::GbaEnglish,
         [](RomImage& rom) {
             Record& esper = rom.esperTable[1];
             for (int spell = 1; spell <= esperSpellCount; ++spell)
                 setEsperSpell(esper, spell, spell == 3 ? 11 : 0);
             setLearnRate(esper, 3, 256);
         },
         Severity::Warning, "esperTable", 1,
         "teaches spell #3 at a learn rate of 0: it is never learned"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RomImage rom = test::sharedDemoDocument(c.release);
        if (c.prepare)
            c.prepare(rom);
        EXPECT_TRUE(run(c.rule, rom).empty()) << run(c.rule, rom).front().message;
        c.breakIt(rom);
        const std::vector<Finding> findings = run(c.rule, rom);
        ASSERT_EQ(findings.size(), 1u);
        EXPECT_EQ(findings[0].severity, c.severity);
        EXPECT_EQ(findings[0].table, c.table);
        EXPECT_EQ(findings[0].record, c.record);
        if (!c.message.empty()) {
            EXPECT_EQ(findings[0].message, c.message);
        }
    }
}

// The demo images hold nothing a check finds, so the one mistake a new user makes stands alone.
TEST(ImageCheck, DemoImagesPassEveryCheck) {
    for (const RomVariant release : allReleases) {
        SCOPED_TRACE(std::string(releaseName(release)));
        const std::vector<Finding> findings = checkImage(test::sharedDemoDocument(release));
        EXPECT_TRUE(findings.empty())
            << findings.size() << " findings, the first: " << findings.front().message;
    }
}

// Through the game's names, a repeated item is called what the changelog calls it, in one
// finding however often it is listed.
TEST(ImageCheck, RepeatsAreNamedAsTheGameNamesThem) {
    RomImage rom = test::sharedDemoDocument(RomVariant::SnesEnglish);
    for (int slot = 1; slot <= shopItemSlots; ++slot)
        setShopItem(rom.shopTable[12], slot, slot % 2 == 0 && slot < 8 ? 41 : slot);
    const std::vector<Finding> findings =
        checkImage(rom, builtInCharacterTable(RomVariant::SnesEnglish));
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].message,
              "lists " + demoEnglishNames(DemoNameTable::Items)[41] + " 3 times (#2, #4 and #6)");
}

TEST(ImageCheck, AgainstTheOriginalOnlyWhatTheModIntroducedIsReported) {
    RomImage original = test::sharedDemoDocument(RomVariant::SnesEnglish);
    setChestType(original.chestTable[5], moneyChest);
    storeChosenContents(original.chestTable[5], original.variant(), 0);
    RomImage modified = original;
    setChestType(modified.chestTable[6], itemChest);
    storeChosenContents(modified.chestTable[6], modified.variant(), 255);

    const std::vector<Finding> introduced = newFindings(checkImage(modified), checkImage(original));
    ASSERT_EQ(introduced.size(), 1u);
    EXPECT_EQ(introduced[0].record, 6);
    EXPECT_EQ(checkImage(modified).size(), checkImage(original).size() + 1);
}

} // namespace
} // namespace tarnwick
