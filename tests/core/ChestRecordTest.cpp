#include "rom/ChestRecord.h"
#include "rom/ChestLabels.h"
#include "rom/MonsterBox.h"

#include "DemoDocuments.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <climits>

namespace tarnwick {
namespace {

Record chestOf(std::int32_t byte2, std::int32_t byte3, std::int32_t byte4) {
    return Record{0x10, 0x20, byte2, byte3, byte4};
}

GameString digitsOf(const RomImage& rom, std::string_view number) {
    GameString text;
    for (char digit : number)
        text += static_cast<char>(rom.digitCodes[static_cast<std::size_t>(digit - '0')]);
    return text;
}

// Each write wraps its value into the field's range and keeps the other bits.
TEST(ChestRecord, FieldsReadAndWriteTheirOwnBits) {
    EXPECT_EQ(wrapInto(INT_MIN, 576), 448);
    EXPECT_EQ(wrapInto(INT_MAX, 64), 63);
    EXPECT_EQ(wrapInto(-257, 256), 255);
    struct Case {
        const char* name;
        void (*write)(Record&);
        Record before, after;
    };
    const Case cases[] = {
        {"X -1", [](Record& r) { setChestX(r, -1); }, {0, 7}, {255, 7}},
        {"memory byte 40", [](Record& r) { setMemoryByte(r, 40); }, chestOf(5, 0x40, 9),
         chestOf(0x45, 0x41, 9)},
        {"memory byte 8", [](Record& r) { setMemoryByte(r, 8); }, chestOf(0x45, 0x41, 9),
         chestOf(0x45, 0x40, 9)},
        {"bit 4", [](Record& r) { setChestFlag(r, 4, true); }, chestOf(0, 0x47, 0),
         chestOf(0, 0x57, 0)},
        {"item to monster", [](Record& r) { setChestType(r, monsterChest); }, chestOf(0, 0x57, 0),
         chestOf(0, 0x37, 0)},
    };
    for (const Case& c : cases) {
        Record record = c.before;
        c.write(record);
        EXPECT_EQ(record, c.after) << c.name;
    }
    EXPECT_EQ(memoryByte(chestOf(0x45, 0x41, 0)), 40);
    // Type bits other than the four codes read, and are labelled, as empty.
    const int types[][2] = {{0x20, monsterChest}, {0x40, itemChest},  {0x80, moneyChest},
                            {0x57, itemChest},    {0x28, emptyChest}, {0xC8, emptyChest}};
    for (const auto& t : types)
        EXPECT_EQ(chestType(chestOf(0, t[0], 0)), t[1]) << std::hex << t[0];
    const RomImage& rom = test::sharedDemoDocument(RomVariant::SnesEnglish);
    EXPECT_EQ(chestLabel(rom, chestOf(0, 0x28, 5)), rom.emptyItemName);
}

TEST(ChestRecord, ChosenContentsKeepTheItemsHighBitOnlyOnGba) {
    struct Case {
        RomVariant release;
        std::int32_t byte3, byte4;
        int shown, chosen, stored;
        std::int32_t byte3After, byte4After;
    };
    const Case cases[] = {
        {RomVariant::GbaEnglish, 0x44, 5, 261, 12, 12, 0x40, 12},
        {RomVariant::GbaEnglish, 0x40, 5, 5, 270, 270, 0x44, 14},
        {RomVariant::GbaJapanese, 0x44, 5, 261, -1, 270, 0x44, 14},
        {RomVariant::SnesEnglish, 0x44, 5, 5, 100, 100, 0x40, 100},
        {RomVariant::SnesJapanese, 0x40, 0, 0, -1, 255, 0x40, 255},
        {RomVariant::GbaEnglish, 0x24, 5, 5, 300, 44, 0x24, 44},
    };
    for (const Case& c : cases) {
        Record chest = chestOf(0, c.byte3, c.byte4);
        EXPECT_EQ(chestContents(chest, c.release), c.shown) << c.chosen;
        EXPECT_EQ(storeChosenContents(chest, c.release, c.chosen), c.stored) << c.chosen;
        EXPECT_EQ(chest, chestOf(0, c.byte3After, c.byte4After)) << c.chosen;
    }
}

TEST(ChestRecord, ChoosingATypeAdjustsTheContentsNumber) {
    struct Case {
        RomVariant release;
        std::int32_t byte3;
        int contents, type, shown;
        std::int32_t byte3After;
    };
    const Case cases[] = {
        {RomVariant::GbaEnglish, 0x24, 5, itemChest, 261, 0x44},
        {RomVariant::GbaEnglish, 0x24, 200, itemChest, 200, 0x40},
        // An item chest showing item 261 keeps it when item is chosen again.
        {RomVariant::GbaEnglish, 0x44, 261, itemChest, 261, 0x44},
        {RomVariant::SnesEnglish, 0x24, 200, itemChest, 200, 0x44},
        {RomVariant::SnesEnglish, 0x57, 300, -1, 44, 0x1F},
    };
    for (const Case& c : cases) {
        Record chest = chestOf(0, c.byte3, c.contents & 0xFF);
        EXPECT_EQ(chooseChestType(chest, c.release, c.type, c.contents), c.shown) << c.contents;
        EXPECT_EQ(chest, chestOf(0, c.byte3After, c.contents & 0xFF)) << c.contents;
    }
    EXPECT_EQ(contentsAfterBit2(20, true), 270);
    EXPECT_EQ(contentsAfterBit2(261, false), 5);
}

TEST(ChestLabels, MoneyAndFormationNumbersUseTheReleasesDigits) {
    struct Case {
        RomVariant release;
        GameString fifteenHundred, zero, formations;
    };
    const Case cases[] = {
        {RomVariant::SnesEnglish, "\xFF\xB5\xB9\xB4\xB4\xFF\x86\x8F", "\xFF\xB4\xFF\x86\x8F",
         "\xFF\xB4\xB4\xBB\xC0\xB5\xB6\xB7"},
        {RomVariant::SnesJapanese, "\xFF\x54\x58\x53\x53\xFF\x2C\xAA", "\xFF\x53\xFF\x2C\xAA",
         "\xFF\x53\x53\x5A\xCE\x54\x55\x56"},
        {RomVariant::GbaEnglish, "\x67\x38\x3F\x34\x34\x67\x2A\x07\x1F", "\x67\x34\x67\x2A\x07\x1F",
         "\x67\x34\x34\x47\x42\x38\x3C\x41"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(releaseName(c.release));
        RomImage rom = test::sharedDemoDocument(c.release);
        rom.gpMultiplier = 100;
        EXPECT_EQ(chestLabel(rom, chestOf(0, 0x80, 15)), c.fifteenHundred);
        EXPECT_EQ(chestLabel(rom, chestOf(0, 0x80, 0)), c.zero);
        EXPECT_EQ(contentsEntries(rom, moneyChest)[15], c.fifteenHundred);
        setMonsterBoxForm(rom, 3, 1, 7);
        setMonsterBoxForm(rom, 3, 2, 123 + formationNumbers);
        EXPECT_EQ(monsterBoxLabel(rom, 3), c.formations);
    }
}

// Items past 270, monsters past the release's names and contents without a monster-in-a-box
// entry are reachable through the data; none may read past a table.
TEST(ChestLabels, ValuesWithoutANameOrRecordStayInBounds) {
    RomImage gba = test::sharedDemoDocument(RomVariant::GbaEnglish);
    EXPECT_EQ(contentsEntries(gba, itemChest).size(), 271u);
    EXPECT_EQ(chestLabel(gba, chestOf(0, 0x44, 255)), "\xFE" + digitsOf(gba, "511"));
    EXPECT_EQ(chestLabel(gba, chestOf(0, 0x44, 14)), gba.itemNames[270]);
    const auto boxes = gba.monsterBoxTable;
    setMonsterBoxForm(gba, 260, 1, 9);
    EXPECT_EQ(gba.monsterBoxTable, boxes);
    EXPECT_EQ(monsterBoxForm(gba, 260, 2), 0);
    setMonsterBoxForm(gba, 0, 1, 0);
    setMonsterBoxForm(gba, 0, 2, 0);
    EXPECT_EQ(monsterLines(gba, 260), monsterLines(gba, 0));
}

TEST(ChestLabels, MonsterLinesShowSixSlotsOfEachForm) {
    struct Case {
        RomVariant release;
        char separator;
        bool names384;
    };
    const Case cases[] = {{RomVariant::SnesEnglish, '\xC1', false},
                          {RomVariant::SnesJapanese, '\xCF', false},
                          {RomVariant::GbaEnglish, '\x36', true}};
    // Slots: 510, empty, 255 (0xFF without bit 8), 383, 384, 0.
    const std::uint8_t lowBytes[] = {0xFE, 0xFF, 0xFF, 0x7F, 0x80, 0x00};
    const int last = formationNumbers - 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(releaseName(c.release));
        EXPECT_GE(requiredImageSize(c.release),
                  formationBase[variantIndex(c.release)] + std::uint64_t{15} * formationNumbers);
        RomImage rom = test::sharedDemoDocument(c.release);
        const std::uint64_t record = formationBase[variantIndex(c.release)] + 15u * last;
        for (int slot = 0; slot < 6; ++slot)
            rom.writeByte(lowBytes[slot], record + 2 + static_cast<std::uint64_t>(slot));
        rom.writeByte(0x1B, record + 14);
        setMonsterBoxForm(rom, 9, 1, last);
        setMonsterBoxForm(rom, 9, 2, last);
        // A two-word name keeps its space (0xFF on SNES) inside its own entry.
        rom.monsterNames[0] = rom.monsterNames[1] + '\xFF' + rom.monsterNames[2] + "\xFF\xFF";
        auto slot = [&](int k) { return digitsOf(rom, std::to_string(k)) + c.separator; };
        const GameString monster384 = c.names384 ? rom.monsterNames[384] : digitsOf(rom, "384");
        const MonsterLine form[] = {
            {slot(1) + digitsOf(rom, "510"), slot(2)},
            {slot(3) + rom.monsterNames[255], slot(4) + rom.monsterNames[383]},
            {slot(5) + monster384, slot(6) + rom.monsterNames[0]}};
        const auto lines = monsterLines(rom, 9);
        for (std::size_t line = 0; line < 6; ++line) {
            EXPECT_EQ(lines[line].left, form[line % 3].left) << line;
            EXPECT_EQ(lines[line].right, form[line % 3].right) << line;
        }
        EXPECT_EQ(lines[6], MonsterLine{});
    }
}

TEST(ChestLabels, LocationsComeFromCrLfLinesOrBareNumbers) {
    test::TempDir dir;
    std::string tenLines;
    for (int i = 0; i < 10; ++i)
        tenLines += "Cave " + std::to_string(i) + "\r\n";
    test::writeBytes(dir.file("ten.txt"), {tenLines.begin(), tenLines.end()});
    test::writeBytes(dir.file("lf.txt"), {'A', '\n', 'B', '\n'});

    const auto ten = chestLocationLabels(readTextFile(dir.file("ten.txt")));
    ASSERT_EQ(ten.size(), 312u);
    EXPECT_EQ(ten[9], "009 Cave 9");
    EXPECT_EQ(ten[10], "010 ");
    EXPECT_EQ(ten[311], "311 ");
    EXPECT_EQ(chestLocationLabels(readTextFile(dir.file("lf.txt")))[0], "000 A\\x0AB\\x0A");
    EXPECT_EQ(chestLocationLabels(readTextFile(dir.file("missing.txt")))[311], "311");
}

TEST(ChestRecord, TypedContentsAndGpMultiplierWrapIntoTheirLists) {
    struct Case {
        int typed;
        RomVariant release;
        int type;
        int wrapped;
    };
    const Case cases[] = {
        {-1, RomVariant::SnesEnglish, itemChest, 255},
        {-1, RomVariant::GbaEnglish, itemChest, 270},
        {-1, RomVariant::GbaEnglish, moneyChest, 255},
        {271, RomVariant::GbaJapanese, itemChest, 0},
        {256, RomVariant::SnesJapanese, itemChest, 0},
        {300, RomVariant::GbaEnglish, monsterChest, 44},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wrapContents(c.typed, c.release, c.type), c.wrapped) << c.typed;

    std::int32_t multiplier = 0;
    for (const auto& [typed, stored] : {std::pair{300, 44}, {-1, 255}, {75, 75}}) {
        setGpMultiplier(multiplier, typed);
        EXPECT_EQ(multiplier, stored) << typed;
    }
}

} // namespace
} // namespace tarnwick
