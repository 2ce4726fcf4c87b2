#include "graphics/Changelog.h"

#include "DemoDocuments.h"
#include "demo/DemoTextFiles.h"
#include "rom/AnimRecord.h"
#include "rom/ChestRecord.h"
#include "rom/EsperRecord.h"
#include "rom/MonsterBox.h"
#include "rom/ShopRecord.h"

#include <gtest/gtest.h>

#include <functional>

namespace tarnwick {
namespace {

CharacterTable demoReadings(RomVariant release) {
    CharacterTable readings = builtInCharacterTable(release);
    readCharacterTable(demoCharacterTable(release), readings);
    return readings;
}

// The one line a change of one record makes, under its table's title. Japanese names come with
// their sound marks as combining characters, which the front ends compose.
TEST(Changelog, SaysEachTablesChangeInWords) {
    struct Case {
        const char* name;
        RomVariant release;
        std::function<void(RomImage&)> change;
        std::string title;
        std::string line;
    };
    const Case cases[] = {
        {"chest contents and position", RomVariant::SnesEnglish,
         [](RomImage& rom) {
             Record& chest = rom.chestTable[40];
             setChestType(chest, itemChest);
             storeChosenContents(chest, rom.variant(), 10);
             setChestX(chest, chestX(chest) + 1);
         },
         "Chests",
         "Chest 40 (Vossbridge, in the inn): empty -> Silver Hammer; position (189, 110) -> "
         "(190, 110); flag bit 2 on -> off"},
        {"money chest, opened-flag and a flag", RomVariant::GbaEnglish,
         [](RomImage& rom) {
             Record& chest = rom.chestTable[3];
             setChestType(chest, moneyChest);
             storeChosenContents(chest, rom.variant(), 4);
             setMemoryBit(chest, memoryBit(chest) ^ 1);
             setChestFlag(chest, 4, !chestFlag(chest, 4));
         },
         "Chests",
         "Chest 3 (Vossbridge, in the inn): empty -> 400 GP; opened-flag byte 3 bit 6 -> byte 3 "
         "bit 7; flag bit 4 off -> on"},
        {"monster-in-a-box formation", RomVariant::SnesEnglish,
         [](RomImage& rom) { setMonsterBoxForm(rom, 5, 1, 12); }, "Monster-in-a-box entries",
         "Monster-in-a-box 5: Form 1 formation 82 (Dire Wolf, Ash Troll) -> formation 12 (Ash "
         "Ghoul, Cave Hound, Cave Ogre, Mire Toad, Rust Wolf, Wolf)"},
        {"shop item, type and price", RomVariant::SnesJapanese,
         [](RomImage& rom) {
             Record& shop = rom.shopTable[12];
             setShopItem(shop, 3, 10);
             setShopType(shop, (shopType(shop) + 1) % namedShopTypes);
             setPriceModifier(shop, 9);
         },
         "Shops",
         "Shop 12 (Ollin Ford): type 3 -> 4; price 1.0x cost, 0.5x if Corvin leads -> modifier 9; "
         "#3 (none) -> シルハ\u3099ーハンマー"},
        {"esper spell, learn rate and bonus", RomVariant::GbaJapanese,
         [](RomImage& rom) {
             Record& esper = rom.esperTable[4];
             setEsperSpell(esper, 2, 6);
             setLearnRate(esper, 2, 3);
             setEsperBonus(esper, 0);
         },
         "Espers",
         "Esper 4 (エロウイン): spell #2 フ\u309Aレーク\u3099 (x3) -> "
         "ヒョーカ\u3099 (x3); bonus スヒ\u309Aート\u3099+2 -> (none)"},
        {"8-byte animation", RomVariant::SnesEnglish,
         [](RomImage& rom) { setAnim8Field(rom.anim8Table[3], Anim8Field::Sound, 0x1B); },
         "Weapon and enemy special animations", "Weapons 3 (Storm Sabre): sound 0xB1 -> 0x1B"},
        {"14-byte animation number and high bit", RomVariant::SnesEnglish,
         [](RomImage& rom) {
             storeAnimationNumber(rom.anim14Table[41], anim14Animations[0], 0x100, true);
         },
         "Spell, esper, tool and item animations",
         "Spells 41 (Siphon): animation 1 0x16C -> 0x100 (high bit)"},
        {"a byte no field names", RomVariant::SnesEnglish,
         [](RomImage& rom) { rom.anim14Table[41][1] ^= 0x04; },
         "Spell, esper, tool and item animations", "Spells 41 (Siphon): byte 1 0x01 -> 0x05"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RomImage& original = test::sharedDemoDocument(c.release);
        RomImage modified = original;
        c.change(modified);
        const std::vector<std::string> locations(chestCount, "Vossbridge, in the inn");
        const std::vector<ChangelogSection> sections =
            changelog(original, modified, demoReadings(c.release), locations);
        ASSERT_EQ(sections.size(), 1u);
        EXPECT_EQ(sections[0].title, c.title);
        ASSERT_EQ(sections[0].lines.size(), 1u);
        EXPECT_EQ(sections[0].lines[0], c.line);
    }
}

// As much of text as prefix is long.
std::string start(const std::string& text, std::string_view prefix) {
    return text.substr(0, prefix.size());
}

// A multiplier change leads the chests; names the readings do not know keep their codes; the
// same sections read as plain text and as Markdown, with the names' Markdown characters escaped.
TEST(Changelog, WritesPlainTextAndMarkdown) {
    const RomImage& original = test::sharedDemoDocument(RomVariant::SnesEnglish);
    RomImage modified = original;
    modified.gpMultiplier = 100;
    setShopItem(modified.shopTable[5], 1, 10);
    CharacterTable readings{}; // knows no code
    readings[0xA8] = "o_";

    const std::vector<ChangelogSection> sections = changelog(original, modified, readings);
    ASSERT_EQ(sections.size(), 2u);
    EXPECT_EQ(sections[0].lines[0], "Money chests' multiplier: 75 -> 100 (every money chest's GP "
                                    "changes with it)");
    EXPECT_EQ(start(sections[1].lines[0], "Shop 5 (Vossbridge): #1 [8B]o_[9C][A4]"),
              "Shop 5 (Vossbridge): #1 [8B]o_[9C][A4]");

    const std::string plain = changelogText(sections, ChangelogStyle::Plain);
    EXPECT_EQ(start(plain, "Chests\n  Money"), "Chests\n  Money");
    EXPECT_NE(plain.find("\n\nShops\n  Shop 5"), std::string::npos);
    const std::string markdown = changelogText(sections, ChangelogStyle::Markdown);
    EXPECT_EQ(start(markdown, "## Chests\n\n- Money"), "## Chests\n\n- Money");
    EXPECT_NE(markdown.find("\n\n## Shops\n\n- Shop 5 (Vossbridge): #1 \\[8B\\]o\\_\\[9C\\]"),
              std::string::npos);

    EXPECT_TRUE(changelog(original, original, readings).empty());
    EXPECT_EQ(changelogText({}, ChangelogStyle::Markdown),
              "No record differs between the two images.\n");
}

} // namespace
} // namespace tarnwick
