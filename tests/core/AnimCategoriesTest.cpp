#include "rom/AnimCategories.h"

#include "DemoDocuments.h"
#include "rom/HexText.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(AnimCategories, CategoriesCoverTheirRecordsAndLabelEveryEntry) {
    for (RomVariant release : allReleases) {
        SCOPED_TRACE(releaseName(release));
        const RomImage& rom = test::sharedDemoDocument(release);
        const bool gba = isGbaVariant(release);
        const auto short8 = anim8Categories(release);
        const auto long14 = anim14Categories(release);
        EXPECT_EQ(short8[1].firstRecord, gba ? 108 : 93);
        EXPECT_EQ(long14[1].firstRecord, gba ? 406 : 54);
        EXPECT_EQ(long14[3].label, "Other1");
        for (std::size_t i = 0; i < short8.size(); ++i)
            EXPECT_EQ(anim8EntryLabels(rom, static_cast<Anim8Category>(i)).size(),
                      static_cast<std::size_t>(short8[i].entries));
        for (std::size_t i = 0; i < long14.size(); ++i)
            EXPECT_EQ(anim14EntryLabels(rom, static_cast<Anim14Category>(i)).size(),
                      static_cast<std::size_t>(long14[i].entries));
        // The categories end with the tables.
        EXPECT_EQ(short8[1].firstRecord + short8[1].entries, gba ? 143 : 128);
        EXPECT_EQ(long14[1].firstRecord + long14[1].entries, gba ? 441 : 81);
        EXPECT_EQ(long14[6].firstRecord + long14[6].entries, 406);

        const auto weapons = anim8EntryLabels(rom, Anim8Category::Weapons);
        EXPECT_EQ(weapons.front(), rom.itemNames[gba ? 256 : 255]);
        EXPECT_EQ(weapons[gba ? 15 : 0], rom.itemNames[255]);
        const auto tools = anim14EntryLabels(rom, Anim14Category::Tools);
        EXPECT_EQ(tools[3] + tools[8], rom.itemNames[166] + rom.itemNames[166]);
        EXPECT_EQ(anim14EntryLabels(rom, Anim14Category::Espers).back(),
                  rom.esperNames[gba ? 28 : 26]);
    }
}

TEST(AnimCategories, LocationLabelsAndRecordsOfEntries) {
    struct Case {
        RomVariant release;
        bool short8;
        int category;
        int entry;
        std::string_view digits;
        std::optional<int> record;
    };
    const Case cases[] = {
        {RomVariant::SnesEnglish, true, 1, 0, "ECE6E8", 93},
        {RomVariant::SnesEnglish, true, 1, 34, "ECE7F8", 127},
        {RomVariant::GbaEnglish, true, 1, 0, "0BF7B8", 108},
        {RomVariant::SnesJapanese, false, 3, 0, "D08DB2", 256},
        {RomVariant::GbaEnglish, false, 3, 0, "099820", 256},
        {RomVariant::GbaJapanese, false, 3, 0, "0998E0", 256},
        {RomVariant::GbaJapanese, false, 6, 2, "099EAE", 362},
        {RomVariant::SnesEnglish, true, 1, 35, "", std::nullopt}, // outside the list
        {RomVariant::GbaEnglish, false, 0, -1, "", std::nullopt}, // no selection
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << releaseName(c.release) << " " << c.category << "/" << c.entry);
        const RomImage& rom = test::sharedDemoDocument(c.release);
        const auto labels = c.short8
                                ? anim8EntryLabels(rom, static_cast<Anim8Category>(c.category))
                                : anim14EntryLabels(rom, static_cast<Anim14Category>(c.category));
        const auto record = c.short8
                                ? animRecordIndex(anim8Categories(c.release), c.category, c.entry)
                                : animRecordIndex(anim14Categories(c.release), c.category, c.entry);
        EXPECT_EQ(record, c.record);
        if (c.digits.empty())
            continue;
        GameString expected(1, static_cast<char>(plainTextMarker));
        for (char digit : c.digits)
            expected +=
                static_cast<char>(rom.digitCodes[static_cast<std::size_t>(parseHex({&digit, 1}))]);
        EXPECT_EQ(labels.at(static_cast<std::size_t>(c.entry)), expected);
    }
}

// Finding a record's place in the lists undoes animRecordIndex for every record a list reaches;
// the GBA 14-byte records no category reaches have none.
TEST(AnimCategories, EveryListedRecordIsFoundAtItsPlace) {
    for (RomVariant release : allReleases) {
        SCOPED_TRACE(releaseName(release));
        const auto check = [](std::span<const AnimCategory> categories, int records) {
            int listed = 0;
            for (int record = 0; record < records; ++record) {
                const std::optional<AnimListPosition> at = animListPosition(categories, record);
                if (!at)
                    continue;
                ++listed;
                EXPECT_EQ(animRecordIndex(categories, at->category, at->entry), record);
            }
            return listed;
        };
        EXPECT_EQ(check(anim8Categories(release), anim8Capacity),
                  anim8TablePlacement[variantIndex(release)].count);
        const int listed14 = check(anim14Categories(release), anim14Capacity);
        EXPECT_EQ(listed14 < anim14TablePlacement[variantIndex(release)].count,
                  isGbaVariant(release));
    }
}

} // namespace
} // namespace tarnwick
