#include "rom/TableChanges.h"

#include "DemoDocuments.h"
#include "rom/ChestRecord.h"
#include "rom/DocumentMerge.h"
#include "rom/EditHistory.h"
#include "rom/MonsterBox.h"
#include "rom/RecordTables.h"
#include "rom/TableDifferences.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace tarnwick {
namespace {

std::int32_t& slotOf(RomImage& rom, std::size_t table, int record, int slot) {
    return recordTables()[table].records(
        rom)[static_cast<std::size_t>(record)][static_cast<std::size_t>(slot)];
}

// Every table's first and last slot, written masked and unmasked: the diff finds exactly that
// slot, undo brings back every table as it was and redo the edit.
TEST(TableChanges, EverySlotOfEveryTableRoundTrips) {
    RomImage rom = test::sharedDemoDocument(RomVariant::GbaEnglish);
    const TableSnapshot original = takeSnapshot(rom);
    for (std::size_t table = 0; table < recordTables().size(); ++table) {
        const int last = static_cast<int>(recordTables()[table].records(rom).size()) - 1;
        const std::tuple<int, int, std::int32_t> edits[] = {
            {0, 0, 0x5A}, {last, 14, -1}, {last, 0, 0x1FF}, {0, 14, 0x7FFFFFFF}};
        for (const auto& [record, slot, value] : edits) {
            SCOPED_TRACE(std::string(recordTables()[table].key) + " " + std::to_string(record));
            const TableSnapshot before = takeSnapshot(rom);
            const TableChange expected{
                slotOf(rom, table, record, slot), value, static_cast<std::uint16_t>(record),
                static_cast<std::uint8_t>(table), static_cast<std::uint8_t>(slot)};
            slotOf(rom, table, record, slot) = value;
            const std::vector<TableChange> changes = changesSince(before, rom);
            ASSERT_EQ(changes, std::vector<TableChange>{expected});
            undoChanges(rom, changes);
            EXPECT_TRUE(changesSince(original, rom).empty());
            redoChanges(rom, changes);
            EXPECT_EQ(slotOf(rom, table, record, slot), value);
            undoChanges(rom, changes);
        }
    }
    rom.gpMultiplier = 300;
    EXPECT_EQ(changesSince(original, rom),
              (std::vector<TableChange>{{original.gpMultiplier, 300, 0, gpMultiplierTable, 0}}));
    // Changes naming a table, record or slot the document lacks write nothing.
    const TableChange strange[] = {{0, 1, 0, 6, 0}, {0, 1, 312, 0, 0}, {0, 1, 0, 0, 15}};
    redoChanges(rom, strange);
    undoChanges(rom, strange);
    EXPECT_EQ(changesSince(original, rom).size(), 1U);
    EXPECT_TRUE(changesSince(TableSnapshot{}, rom).empty());
    // The packed fields hold every table index and record number.
    EXPECT_LT(recordTables().size(), gpMultiplierTable);
    for (const TableBinding& binding : recordTables())
        EXPECT_LE(binding.records(rom).size(), 0x10000U);
}

// A user's actions on shop 5 as the history sees them, one word each: "2=7" types 7 into item
// slot 2 (its own merge key; "2=-" types the loaded value back), "h" a handler that sets items
// 1-3 to 40-42 at once, "u" undo, "r" redo, "s" save, "l" leaving a field.
TEST(EditHistory, StepsMergeUndoRedoAndTheCleanState) {
    struct Case {
        const char* actions;
        std::size_t steps, current;
        bool clean;
        std::array<int, 3> items; // shop 5's item slots 1-3 at the end; -1: as loaded
        int told;                 // calls of the change listener: every action, undo and redo
    };
    const Case cases[] = {
        {"1=1 1=12 1=123 u", 1, 0, true, {-1, -1, -1}, 4}, // typing in a field is one step
        {"1=1 2=2 1=3 u", 3, 2, false, {1, 2, -1}, 4},     // the next field starts a step
        {"1=1 l 1=2", 2, 2, false, {2, -1, -1}, 2},        // leaving a field ends its step
        {"1=9 1=-", 0, 0, true, {-1, -1, -1}, 2},          // typing back leaves nothing
        {"h u", 1, 0, true, {-1, -1, -1}, 2},              // a handler's slots undo together
        {"h 1=7 u u r", 2, 1, false, {40, 41, 42}, 5},     // redo applies the step again
        {"1=1 s 1=2 u", 2, 1, true, {1, -1, -1}, 3},       // undo back to the save is clean
        {"1=1 s u r", 1, 1, true, {1, -1, -1}, 3},         // so is redo back to it
        {"1=1 s u 2=5", 1, 1, false, {-1, 5, -1}, 3},      // a replaced save is never clean
        {"u r", 0, 0, true, {-1, -1, -1}, 0},              // nothing to undo or redo
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.actions);
        RomImage rom = test::sharedDemoDocument(RomVariant::SnesEnglish);
        const Record loaded = rom.shopTable[5];
        EditHistory history;
        int told = 0;
        history.setChangeListener([&told] { ++told; });
        std::istringstream words(c.actions);
        for (std::string word; words >> word;) {
            const TableSnapshot before = takeSnapshot(rom);
            if (word.size() > 2 && word[1] == '=') {
                const auto field = static_cast<std::size_t>(word[0] - '0');
                const std::string value = word.substr(2);
                rom.shopTable[5][field] = value == "-" ? loaded[field] : std::stoi(value);
                history.record(changesSince(before, rom), field);
            } else if (word == "h") {
                for (std::size_t slot = 1; slot <= 3; ++slot)
                    rom.shopTable[5][slot] = 39 + static_cast<int>(slot);
                history.record(changesSince(before, rom));
            } else {
                word == "u"   ? (void)history.undo(rom)
                : word == "r" ? (void)history.redo(rom)
                : word == "s" ? history.setClean()
                              : history.closeMerge();
            }
        }
        EXPECT_EQ(history.stepCount(), c.steps);
        EXPECT_EQ(history.currentStep(), c.current);
        EXPECT_EQ(history.isClean(), c.clean);
        EXPECT_EQ(told, c.told);
        for (std::size_t slot = 1; slot <= 3; ++slot)
            EXPECT_EQ(rom.shopTable[5][slot],
                      c.items[slot - 1] < 0 ? loaded[slot] : c.items[slot - 1])
                << slot;
    }
}

// Two steps that put a value back by hand leave the history away from its clean point, yet
// nothing to save.
TEST(EditHistory, EditsTakenBackByHandLeaveNothingToSave) {
    RomImage rom = test::sharedDemoDocument(RomVariant::SnesEnglish);
    EditHistory history;
    const int loaded = rom.chestTable[3][1];
    for (const int value : {loaded + 1, loaded, loaded + 2}) {
        const TableSnapshot before = takeSnapshot(rom);
        rom.chestTable[3][1] = value;
        history.record(changesSince(before, rom));
        EXPECT_FALSE(history.isClean());
        EXPECT_EQ(hasUnsavedEdits(history, rom), value != loaded) << value;
    }
}

// A merge's step carries its bytes outside the tables beside its slot: undo and redo take both
// back and bring both again, and the document has edits to save exactly while the bytes differ
// from its file's, also when they are all the step changed.
TEST(EditHistory, MergeStepCarriesItsBytesOutsideTheTables) {
    for (const bool withSlot : {true, false}) {
        RomImage rom = test::sharedDemoDocument(RomVariant::SnesEnglish);
        EditHistory history;
        const std::uint8_t loaded = rom.readByte(0x100);
        const auto merged = static_cast<std::uint8_t>(loaded ^ 0x5A);
        MergeEdit edit;
        edit.byteWrites = {{0x100, {merged}}};
        if (withSlot)
            edit.tableChanges = {{rom.shopTable[2][1], 7, 2, 2, 1}};
        ASSERT_TRUE(recordMergeEdit(rom, history, edit, "Merge mod.bps"));
        EXPECT_TRUE(history.lastChangeWroteImageBytes());
        for (int round = 0; round < 2; ++round) {
            EXPECT_EQ(rom.readByte(0x100), merged);
            EXPECT_TRUE(hasUnsavedEdits(history, rom));
            RomImage asLoaded = rom;
            asLoaded.putFileBytesBack();
            EXPECT_EQ(asLoaded.readByte(0x100), loaded);
            history.undo(rom);
            EXPECT_EQ(rom.readByte(0x100), loaded);
            EXPECT_FALSE(hasUnsavedEdits(history, rom));
            history.redo(rom);
        }
        // A new step after an undo drops the undone bytes with their step.
        history.undo(rom);
        history.record(std::vector<TableChange>{{rom.chestTable[1][0], 9, 1, 0, 0}});
        EXPECT_FALSE(history.lastChangeWroteImageBytes());
        history.undo(rom);
        history.redo(rom);
        EXPECT_EQ(rom.readByte(0x100), loaded);
    }
}

// A chest made an item chest holding an item above 255, and a formation number: several slots
// of two tables in one step. Undoing every step restores the document; a step costs tens of
// bytes and clear() gives the memory back.
TEST(EditHistory, MultiSlotActionsUndoAsOneAndStaySmall) {
    RomImage rom = test::sharedDemoDocument(RomVariant::GbaJapanese);
    const TableSnapshot loaded = takeSnapshot(rom);
    EditHistory history;
    for (int action = 0; action < 1000; ++action) {
        const TableSnapshot before = takeSnapshot(rom);
        Record& chest = rom.chestTable[static_cast<std::size_t>(action % chestCapacity)];
        chooseChestType(chest, rom.variant(), itemChest, 0);
        storeChosenContents(chest, rom.variant(), 256 + action % 15);
        setMonsterBoxForm(rom, action % monsterBoxCapacity, 1, action + 1);
        const std::vector<TableChange> changes = changesSince(before, rom);
        history.record(changes);
        if (action == 0) {
            ASSERT_GE(changes.size(), 3U);
            EXPECT_NE(changes.front().table, changes.back().table);
        }
    }
    EXPECT_EQ(history.stepCount(), 1000U);
    EXPECT_LT(history.memoryBytes(), 1000U * 64U);
    while (history.undo(rom)) {
    }
    EXPECT_TRUE(changesSince(loaded, rom).empty());
    EXPECT_TRUE(history.isClean());
    history.clear();
    EXPECT_FALSE(history.canRedo());
    // Only the object itself is left (a short name's inline buffer counts as capacity).
    EXPECT_LT(history.memoryBytes(), sizeof(EditHistory) + 32U);
}

// One slot changed per case by adding to it; it differs when its low eight bits do.
TEST(TableDifferences, ListsTheBytesSaveWouldChangeWithTheirLabels) {
    struct Case {
        RomVariant release;
        std::string_view table;
        int record, byte;
        std::int32_t add;
        bool differs;
        std::string_view label;
    };
    const Case cases[] = {
        {RomVariant::SnesEnglish, "shopTable", 5, 3, 0x1010, true, "Vossbridge"},
        {RomVariant::SnesJapanese, "esperTable", 26, 10, 0x1FF, true, ""},
        {RomVariant::GbaEnglish, "anim14Table", 440, 14, -2, true, ""},
        {RomVariant::GbaEnglish, "anim14Table", 0, 0, 0x300, false, ""},
        {RomVariant::SnesEnglish, "gpMultiplier", 0, 0, 1, true, ""},
        {RomVariant::SnesEnglish, "gpMultiplier", 0, 0, 0x100, false, ""},
        {RomVariant::GbaJapanese, "gpMultiplier", 0, 0, 1, false, ""}, // no such byte on GBA
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.table) + " " + std::string(releaseName(c.release)));
        RomImage rom = test::sharedDemoDocument(c.release);
        ASSERT_TRUE(tableDifferences(rom).empty());
        const auto binding = std::find_if(recordTables().begin(), recordTables().end(),
                                          [&](auto& b) { return b.key == c.table; });
        std::int32_t& slot =
            binding == recordTables().end()
                ? rom.gpMultiplier
                : binding->records(
                      rom)[static_cast<std::size_t>(c.record)][static_cast<std::size_t>(c.byte)];
        const auto image = static_cast<std::uint8_t>(slot); // as loaded from the image
        slot += c.add;
        const std::vector<TableDifference> expected = {
            {c.table, c.record, c.byte, image, static_cast<std::uint8_t>(slot), c.label}};
        EXPECT_EQ(tableDifferences(rom), c.differs ? expected : std::vector<TableDifference>{});
        EXPECT_EQ(rom.tablesDifferFromImage(), c.differs);
    }
    EXPECT_TRUE(tableDifferences(RomImage{}).empty());
    EXPECT_EQ(recordLabel(recordTables().size(), 0), "");
}

// Two documents compare as a document compares with its own image: the records of the first
// stand where the image bytes would.
TEST(TableDifferences, TwoDocumentsCompareAsADocumentWithItsImage) {
    const RomImage& original = test::sharedDemoDocument(RomVariant::SnesEnglish);
    RomImage modified = original;
    modified.gpMultiplier = 100;
    modified.shopTable[5][3] += 256 + 7; // only the low eight bits count
    modified.anim14Table[3][13] ^= 0x10;
    const std::vector<TableDifference> differences = recordDifferences(original, modified);
    ASSERT_EQ(differences.size(), 3u);
    EXPECT_EQ(differences, tableDifferences(modified));
    EXPECT_EQ(differences[1].table, "shopTable");
    EXPECT_EQ(differences[1].label, "Vossbridge");

    EXPECT_TRUE(recordDifferences(original, original).empty());
    EXPECT_TRUE(
        recordDifferences(test::sharedDemoDocument(RomVariant::GbaEnglish), modified).empty());
}

} // namespace
} // namespace tarnwick
