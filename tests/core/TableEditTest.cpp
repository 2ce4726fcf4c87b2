#include "rom/TableEdit.h"

#include "DemoDocuments.h"
#include "rom/RecordTables.h"
#include "rom/TableChanges.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(TableEdit, RecordsTheSlotsItChangedAsOneNamedStep) {
    RomImage rom = test::sharedDemoDocument(RomVariant::SnesEnglish);
    EditHistory history;
    const TableSnapshot loaded = takeSnapshot(rom);
    {
        TableEdit edit(rom, history, "Chest 12: X and shop 3");
        edit.change(rom.chestTable[12])[1] = rom.chestTable[12][1] + 1;
        edit.change(rom.shopTable[3])[2] = 0x42;
        edit.change(rom.chestTable[12])[3] = rom.chestTable[12][3] ^ 0x80; // taken twice
        edit.changeGpMultiplier() = rom.gpMultiplier + 5;
    }
    ASSERT_EQ(history.stepCount(), 1u);
    EXPECT_EQ(history.nextUndoName(), "Chest 12: X and shop 3");
    // The step holds what a comparison of the whole tables finds, in the same order.
    const std::span<const TableChange> recorded = history.nextUndo();
    EXPECT_EQ(std::vector<TableChange>(recorded.begin(), recorded.end()),
              changesSince(loaded, rom));

    ASSERT_TRUE(history.undo(rom));
    EXPECT_TRUE(changesSince(loaded, rom).empty());
    EXPECT_EQ(history.nextRedoName(), "Chest 12: X and shop 3");
    EXPECT_EQ(history.nextUndoName(), "");

    // An edit that may change anything compares the whole tables.
    {
        TableEdit import(rom, history, "Import tables");
        import.changeEverything();
        rom.esperTable[2][4] = rom.esperTable[2][4] + 1;
        rom.gpMultiplier = rom.gpMultiplier + 1;
    }
    EXPECT_EQ(history.nextUndoName(), "Import tables");
    EXPECT_EQ(history.nextUndo().size(), 2u);
}

TEST(TableEdit, RecordsNothingWhenNothingChangedAndMergesTypingIntoOneField) {
    RomImage rom = test::sharedDemoDocument(RomVariant::GbaJapanese);
    EditHistory history;
    const std::int32_t x = rom.chestTable[5][1];
    recordEdit(rom, history, "Chest 5: X", 7, [&](TableEdit& edit) {
        Record& chest = edit.change(rom.chestTable[5]);
        chest[1] = x + 1;
        chest[1] = x; // and back
    });
    EXPECT_EQ(history.stepCount(), 0u);

    for (const std::int32_t typed : {1, 12, 123})
        recordEdit(rom, history, "Chest 5: X", 7,
                   [&](TableEdit& edit) { edit.change(rom.chestTable[5])[1] = typed; });
    recordEdit(rom, history, "Chest 5: Y", 8,
               [&](TableEdit& edit) { edit.change(rom.chestTable[5])[2] = 9; });
    ASSERT_EQ(history.stepCount(), 2u);
    ASSERT_TRUE(history.undo(rom));
    EXPECT_EQ(history.nextUndoName(), "Chest 5: X");
    EXPECT_EQ(history.nextUndo().size(), 1u);
    EXPECT_EQ(history.nextUndo()[0].before, x);
    EXPECT_EQ(history.nextUndo()[0].after, 123);
}

} // namespace
} // namespace tarnwick
