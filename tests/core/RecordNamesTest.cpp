#include "graphics/RecordNames.h"

#include "DemoDocuments.h"
#include "demo/DemoTextFiles.h"
#include "rom/RecordTables.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

std::size_t tableIndex(std::string_view key) {
    const std::span<const TableBinding> tables = recordTables();
    for (std::size_t i = 0; i < tables.size(); ++i)
        if (tables[i].key == key)
            return i;
    return tables.size();
}

// Every table's records are named in words a person reads: the game's names through the
// character table, the program's own labels elsewhere.
TEST(RecordNames, NameEveryRecordAsItsListShowsIt) {
    const RomImage& rom = test::sharedDemoDocument(RomVariant::SnesEnglish);
    CharacterTable readings = builtInCharacterTable(RomVariant::SnesEnglish);
    readCharacterTable(demoCharacterTable(RomVariant::SnesEnglish), readings);

    EXPECT_EQ(recordNames(rom, readings, tableIndex("esperTable"))[0], "Aurelis");
    EXPECT_EQ(recordNames(rom, readings, tableIndex("monsterBoxTable"))[5], "Monster-in-a-box 5");
    EXPECT_EQ(recordNames(rom, readings, tableIndex("shopTable"))[5], "Vossbridge");
    // Spells come first in the 14-byte editor's categories, under the spells' own names.
    EXPECT_EQ(recordNames(rom, readings, tableIndex("anim14Table"))[0], "Flame");
    for (std::size_t table = 0; table < recordTables().size(); ++table) {
        const std::vector<std::string> names = recordNames(rom, readings, table);
        EXPECT_EQ(names.size(), recordTables()[table].constRecords(rom).size());
        EXPECT_FALSE(names[1].empty()) << recordTables()[table].key;
    }
    EXPECT_TRUE(recordNames(rom, readings, recordTables().size()).empty());
}

} // namespace
} // namespace tarnwick
