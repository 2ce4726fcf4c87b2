#include "rom/Releases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace tarnwick {
namespace {

TEST(Releases, KeysRoundTripAndUnknownKeysAreRefused) {
    for (RomVariant v : allReleases) {
        EXPECT_EQ(releaseFromKey(releaseKey(v)), v);
        EXPECT_EQ(makeVariant(isGbaVariant(v), isJapaneseVariant(v)), v);
    }
    EXPECT_FALSE(releaseFromKey("snes").has_value());
    EXPECT_FALSE(releaseFromKey("").has_value());
}

// Saving writes every record table back; two tables sharing bytes would overwrite each other.
TEST(Releases, RecordTablesOfEachReleaseAreDisjointAndWithinCapacity) {
    for (RomVariant v : allReleases) {
        SCOPED_TRACE(releaseName(v));
        const int i = variantIndex(v);
        const std::vector<std::pair<TablePlacement, int>> tables = {
            {chestTablePlacement[i], chestCapacity},
            {monsterBoxTablePlacement[i], monsterBoxCapacity},
            {shopTablePlacement[i], shopCapacity},
            {esperTablePlacement[i], esperCapacity},
            {anim8TablePlacement[i], anim8Capacity},
            {anim14TablePlacement[i], anim14Capacity}};
        std::vector<ByteArea> areas;
        for (const auto& [placement, capacity] : tables) {
            EXPECT_LE(placement.count, capacity);
            EXPECT_LE(placement.recordSize, recordSlots);
            areas.push_back(placement.area());
        }
        std::sort(areas.begin(), areas.end(),
                  [](const ByteArea& a, const ByteArea& b) { return a.offset < b.offset; });
        for (std::size_t k = 1; k < areas.size(); ++k)
            EXPECT_LE(areas[k - 1].end(), areas[k].offset);
    }
}

TEST(Releases, RequiredSizeCoversTheLastTableAndFitsARealCartridge) {
    EXPECT_EQ(requiredImageSize(RomVariant::SnesEnglish), 0x2D8634u + 312u * 5u);
    EXPECT_EQ(requiredImageSize(RomVariant::SnesJapanese), 0x2D8634u + 312u * 5u);
    for (RomVariant v : {RomVariant::GbaEnglish, RomVariant::GbaJapanese})
        EXPECT_LE(requiredImageSize(v), gbaImageSize);
    EXPECT_GE(requiredImageSize(RomVariant::GbaEnglish), 0x7FF88Eu + 256u * 4u);
}

} // namespace
} // namespace tarnwick
