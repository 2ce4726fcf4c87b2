#include "rom/ShopRecord.h"

#include "DemoNames.h"
#include "demo/DemoImage.h"
#include "rom/RomImage.h"

#include <gtest/gtest.h>

#include <map>

namespace tarnwick {
namespace {

// Each write changes its own bits and leaves the rest of the record alone.
TEST(ShopRecord, FieldWritesKeepTheOtherBits) {
    struct Case {
        std::int32_t byte0;
        int type;     // -1: leave
        int modifier; // -1: leave
        std::int32_t expected;
    };
    const Case cases[] = {
        {0x3E, 2, -1, 0x3A},  // type 6, modifier 7: the modifier stays
        {0x05, -1, 4, 0x25},  // type 5 stays
        {0xFF, 0, -1, 0xF8},  //
        {0xFF, -1, 0, 0x07},  //
        {0x00, 7, 31, 0xFF},  //
        {0x3E, -1, -1, 0x3E}, // reading alone changes nothing
    };
    for (const Case& c : cases) {
        Record shop{};
        shop[0] = c.byte0;
        shop[8] = 0x99;
        if (c.type >= 0)
            setShopType(shop, c.type);
        if (c.modifier >= 0)
            setPriceModifier(shop, c.modifier);
        EXPECT_EQ(shop[0], c.expected) << std::hex << c.byte0;
        EXPECT_EQ(shop[8], 0x99);
    }
    Record shop{};
    shop[0] = 0x3E;
    EXPECT_EQ(shopType(shop), 6);
    EXPECT_EQ(priceModifier(shop), 7);
    setShopItem(shop, 3, 255);
    EXPECT_EQ(shopItem(shop, 3), 255);
    EXPECT_EQ(shop[3], 255);
    EXPECT_EQ(shop[0], 0x3E);
}

TEST(ShopRecord, ShopLabelsNameEveryShopOfAPlaceAlike) {
    const auto labels = shopLabels();
    ASSERT_EQ(labels.size(), static_cast<std::size_t>(shopCapacity));
    EXPECT_EQ(labels[39], "Vendor");
    // The list tells the shops of one place apart by their numbers.
    EXPECT_EQ(numberedShopLabel(39), "39 Vendor");
    EXPECT_EQ(numberedShopLabel(shopCapacity), std::to_string(shopCapacity));
    EXPECT_EQ(labels[45], "Shop");
    EXPECT_EQ(labels[71], "Unused?");
    EXPECT_EQ(labels[86], "Unused?");
    for (int shop : {68, 69, 70, 87, 100, 127})
        EXPECT_EQ(labels[static_cast<std::size_t>(shop)], "Unused") << shop;
    // Shops of one place share its name, and the fifteen places have different names.
    const std::vector<std::vector<int>> places = {{0, 3, 41, 44},
                                                  {4, 47, 64, 82, 84},
                                                  {5, 8, 60, 63},
                                                  {9, 12},
                                                  {13, 16, 56, 59},
                                                  {17, 19, 65, 67},
                                                  {20, 23, 76, 79},
                                                  {24, 26, 40, 48, 51},
                                                  {27, 28},
                                                  {29, 32, 52, 55},
                                                  {33, 35, 72, 75},
                                                  {36},
                                                  {37, 38, 80, 81},
                                                  {46},
                                                  {85}};
    std::map<std::string_view, int> placeOfLabel;
    for (std::size_t place = 0; place < places.size(); ++place) {
        const std::string_view label = labels[static_cast<std::size_t>(places[place].front())];
        EXPECT_TRUE(placeOfLabel.emplace(label, static_cast<int>(place)).second) << label;
        EXPECT_NE(label.find("Unused"), 0u);
        for (int shop : places[place])
            EXPECT_EQ(labels[static_cast<std::size_t>(shop)], label) << shop;
    }
    EXPECT_EQ(priceModifierLabels().size(), 7u);
    EXPECT_EQ(priceModifierLabels()[6], "1.0x cost, 0.5x if Corvin leads");
}

TEST(ShopRecord, TypeNamesFollowTheRelease) {
    for (RomVariant release : allReleases) {
        SCOPED_TRACE(releaseName(release));
        RomImage rom;
        ASSERT_TRUE(openDemoImage(rom, {release}).isOk());
        const auto names = shopTypeListNames(rom);
        if (isJapaneseVariant(release)) {
            for (std::size_t type = 0; type < names.size(); ++type)
                EXPECT_EQ(names[type], GameString(1, static_cast<char>(0x53 + type)));
        } else {
            const auto expected = demoShopTypeStrings(release);
            for (std::size_t type = 0; type < names.size(); ++type)
                EXPECT_EQ(names[type], expected[type]) << type;
        }
    }
    // SNES English follows the pointers (and the copier header) wherever they lead.
    RomImage rom;
    ASSERT_TRUE(openDemoImage(rom, {RomVariant::SnesEnglish, true}).isOk());
    rom.writeByte(0x10, snesShopTypePointers + 2);
    rom.writeByte(0x00, snesShopTypePointers + 3);
    for (int k = 0; k < 8; ++k)
        rom.writeByte(static_cast<std::uint8_t>(k == 3 ? 0 : 0x90 + k),
                      snesShopTypeNameBank + 0x10 + k);
    EXPECT_EQ(shopTypeListNames(rom)[1], "\x90\x91\x92");
}

} // namespace
} // namespace tarnwick
