#include "rom/DocumentMerge.h"

#include "DemoDocuments.h"
#include "demo/DemoTextFiles.h"
#include "graphics/MergeWords.h"
#include "graphics/NamedFindings.h"
#include "rom/AnimRecord.h"
#include "rom/ChestRecord.h"
#include "rom/EsperRecord.h"
#include "rom/MonsterBox.h"
#include "rom/RecordTables.h"
#include "rom/ShopRecord.h"

#include <gtest/gtest.h>

#include <functional>

namespace tarnwick {
namespace {

using Change = std::function<void(RomImage&)>;

RomImage changed(const RomImage& original, const Change& change) {
    RomImage copy = original;
    change(copy);
    return copy;
}

// First with the merge written in, each conflict settled as choices say.
ByteBuffer mergedBytes(const RomImage& original, const RomImage& first, const RomImage& second,
                       const std::vector<MergeSide>& choices) {
    RomImage merged = first;
    applyMergeEdit(merged, mergeEdit(merge(original, first, second), choices, first, second));
    return merged.imageWithTables();
}

void writeBytes(RomImage& rom, std::uint64_t offset, std::vector<std::uint8_t> bytes) {
    for (std::size_t at = 0; at < bytes.size(); ++at)
        rom.writeByte(bytes[at], offset + at);
}

// Changes of different fields both land, also where the fields share a byte; a change both
// sides made alike lands once. What lands is what making both changes one after the other makes.
TEST(DocumentMerge, TakesEachSidesChangeOfItsOwnFields) {
    struct Case {
        const char* name;
        RomVariant release;
        Change first;
        Change second;
        std::string_view table; // whose counts are checked
        MergeCounts counts;
    };
    const Case cases[] = {
        {"shop slots",
         RomVariant::SnesEnglish,
         [](RomImage& r) { setShopItem(r.shopTable[6], 3, 10); },
         [](RomImage& r) { setShopItem(r.shopTable[6], 5, 11); },
         "shopTable",
         {1, 1, 0, 0}},
        {"chest flag bits of one byte",
         RomVariant::GbaEnglish,
         [](RomImage& r) { setChestFlag(r.chestTable[3], 1, !chestFlag(r.chestTable[3], 1)); },
         [](RomImage& r) { setChestFlag(r.chestTable[3], 4, !chestFlag(r.chestTable[3], 4)); },
         "chestTable",
         {1, 1, 0, 0}},
        {"GP multiplier and a chest",
         RomVariant::SnesEnglish,
         [](RomImage& r) { r.gpMultiplier = 100; },
         [](RomImage& r) { setChestX(r.chestTable[3], 7); },
         "chestTable",
         {1, 1, 0, 0}},
        {"esper spell and bonus",
         RomVariant::GbaJapanese,
         [](RomImage& r) { setEsperSpell(r.esperTable[4], 2, 6); },
         [](RomImage& r) { setEsperBonus(r.esperTable[4], 0); },
         "esperTable",
         {1, 1, 0, 0}},
        {"two-byte forms",
         RomVariant::SnesJapanese,
         [](RomImage& r) { setMonsterBoxForm(r, 5, 1, 300); },
         [](RomImage& r) { setMonsterBoxForm(r, 5, 2, 12); },
         "monsterBoxTable",
         {1, 1, 0, 0}},
        {"animation number and its high bit",
         RomVariant::SnesEnglish,
         [](RomImage& r) {
             storeAnimationNumber(r.anim14Table[41], anim14Animations[0], 0x100, false);
         },
         [](RomImage& r) { storeHighBit(r.anim14Table[41], anim14Animations[0], true); },
         "anim14Table",
         {1, 1, 0, 0}},
        {"bytes outside the tables",
         RomVariant::SnesEnglish,
         [](RomImage& r) {
             writeBytes(r, 0x1F0000, {1, 2, 3});
         },
         [](RomImage& r) { writeBytes(r, 0x1F0004, {4}); },
         outsideTablesKey,
         {1, 1, 0, 0}},
        {"one change on both sides",
         RomVariant::SnesEnglish,
         [](RomImage& r) { setShopItem(r.shopTable[6], 3, 10); },
         [](RomImage& r) { setShopItem(r.shopTable[6], 3, 10); },
         "shopTable",
         {0, 0, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RomImage& original = test::sharedDemoDocument(c.release);
        const RomImage first = changed(original, c.first);
        const RomImage second = changed(original, c.second);
        const MergeResult result = merge(original, first, second);
        ASSERT_TRUE(result.merges()) << result.refusal;
        EXPECT_TRUE(result.conflicts.empty());
        const auto table = std::find_if(recordTables().begin(), recordTables().end(),
                                        [&](const TableBinding& t) { return t.key == c.table; });
        const MergeCounts& counts =
            table == recordTables().end()
                ? result.outside
                : result.tables.at(static_cast<std::size_t>(table - recordTables().begin()));
        EXPECT_EQ(
            std::tie(counts.fromFirst, counts.fromSecond, counts.alike, counts.conflicts),
            std::tie(c.counts.fromFirst, c.counts.fromSecond, c.counts.alike, c.counts.conflicts));
        EXPECT_EQ(mergedBytes(original, first, second, {}),
                  changed(first, c.second).imageWithTables());
    }
}

// Each conflict says both values in words and is settled on its own; settling all one way
// gives that side's value everywhere.
TEST(DocumentMerge, SettlesEachConflictAsChosen) {
    const RomImage& original = test::sharedDemoDocument(RomVariant::SnesEnglish);
    const RomImage first = changed(original, [](RomImage& r) {
        setShopItem(r.shopTable[6], 5, 10);
        setChestX(r.chestTable[40], 7);
        writeBytes(r, 0x1F0000, {1, 2, 3, 4});
    });
    const RomImage second = changed(original, [](RomImage& r) {
        setShopItem(r.shopTable[6], 5, 11);
        setChestX(r.chestTable[40], 9);
        writeBytes(r, 0x1F0000, {5, 6, 7, 8});
    });
    const MergeResult result = merge(original, first, second);
    CharacterTable readings = builtInCharacterTable(original.variant());
    readCharacterTable(demoCharacterTable(original.variant()), readings);
    const std::vector<ConflictWords> words =
        conflictWords(result, original, first, second, readings, {41, "Vossbridge, in the inn"});
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[0].line(), "Chest 40 (Vossbridge, in the inn) X: first 7, second 9");
    EXPECT_EQ(words[1].line(), "Shop 6 (Vossbridge) #5: first Silver Hammer, second Star Whip");
    EXPECT_EQ(words[2].line(),
              "bytes 0x1F0000-0x1F0003 outside the tables: first 01 02 03 04, second 05 06 07 08");

    const RomImage mixed = changed(original, [](RomImage& r) {
        setChestX(r.chestTable[40], 7);
        setShopItem(r.shopTable[6], 5, 11);
        writeBytes(r, 0x1F0000, {5, 6, 7, 8});
    });
    EXPECT_EQ(mergedBytes(original, first, second,
                          {MergeSide::First, MergeSide::Second, MergeSide::Second}),
              mixed.imageWithTables());
    EXPECT_EQ(mergedBytes(original, first, second, settleAll(result, MergeSide::First)),
              first.imageWithTables());
    EXPECT_EQ(mergedBytes(original, first, second, settleAll(result, MergeSide::Second)),
              second.imageWithTables());
}

// Two mods that each give a chest an opened-flag no chest had, the same one.
TEST(DocumentMerge, ReportsTheFindingsNeitherSideHad) {
    const RomImage& original = test::sharedDemoDocument(RomVariant::SnesEnglish);
    const auto flagOf = [](int chest) {
        return [chest](RomImage& r) {
            setMemoryByte(r.chestTable[static_cast<std::size_t>(chest)], 63);
            setMemoryBit(r.chestTable[static_cast<std::size_t>(chest)], 7);
        };
    };
    const RomImage first = changed(original, flagOf(3));
    const RomImage second = changed(original, flagOf(4));
    RomImage merged = first;
    applyMergeEdit(merged, mergeEdit(merge(original, first, second), {}, first, second));
    const std::vector<Finding> found =
        introducedFindings(merged, first, second, builtInCharacterTable(original.variant()));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].message,
              "Chests 3 and 4 share opened-flag byte 63 bit 7: opening one marks the other as "
              "opened");
}

// Bytes past a GBA image merge as those outside the tables; documents of another release or
// length, or tails of another length, do not merge.
TEST(DocumentMerge, MergesTailsAndRefusesWhatDoesNotMatch) {
    const RomImage& gba = test::sharedDemoDocument(RomVariant::GbaEnglish);
    const std::vector<std::uint8_t> tail(16, 0),
        firstTail{0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        secondTail{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0};
    const FileTails tails{tail, firstTail, secondTail};
    const MergeResult result = merge(gba, gba, gba, tails);
    ASSERT_EQ(result.bytes.size(), 2u);
    const MergeEdit edit = mergeEdit(result, {}, gba, gba, tails);
    ASSERT_EQ(edit.byteWrites.size(), 1u);
    EXPECT_EQ(edit.byteWrites[0].offset, gbaImageSize + 14);
    EXPECT_EQ(edit.byteWrites[0].bytes, std::vector<std::uint8_t>{2});

    const RomImage& snes = test::sharedDemoDocument(RomVariant::SnesEnglish);
    EXPECT_EQ(merge(snes, snes, gba).refusal,
              "the second is a GBA English image and the original a SNES English one");
    EXPECT_EQ(merge(gba, gba, gba, {tail, tail, std::span(tail).first(8)}).refusal,
              "the second file holds 0x8 bytes past its image and the original 0x10");
}

} // namespace
} // namespace tarnwick
