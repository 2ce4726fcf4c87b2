#include "graphics/GameTextReading.h"
#include "DemoCharacters.h"
#include "demo/DemoTextFiles.h"
#include "rom/CharacterTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick {
namespace {

using Codes = std::vector<std::uint8_t>;

// Each release's own "No Spell" and "No Bonus" labels and its hexadecimal digits read through the
// built-in table; the Japanese capitals only after the plain-text marker.
TEST(GameTextReading, BuiltInTablesReadTheProgramsLabelsAndDigits) {
    struct Case {
        RomVariant release;
        Codes text;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {RomVariant::SnesEnglish, {0x8D, 0xA8, 0xFF, 0x92, 0xA9, 0x9E, 0xA5, 0xA5}, "No Spell"},
        {RomVariant::SnesEnglish, {0x80, 0x99, 0x9A, 0xB3, 0xB4, 0xBD}, "AZaz09"},
        {RomVariant::GbaEnglish, {0x28, 0x20, 0x67, 0x24, 0x20, 0x28, 0x2C, 0x13}, "NO BONUS"},
        {RomVariant::GbaEnglish, {0x34, 0x4B, 0x16, 0x26}, "09AF"},
        {RomVariant::SnesJapanese,
         {0xFE, 0x2D, 0x2E, 0xFF, 0x32, 0x2F, 0x24, 0x2B, 0x2B},
         "NO SPELL"},
        {RomVariant::GbaJapanese, {0xFE, 0x53, 0x5C, 0x20, 0x25}, "09AF"},
        // Unmarked Japanese capitals are marked kana, whose base the built-in table lacks.
        {RomVariant::GbaJapanese, {0x53, 0x20}, "0\xEF\xBF\xBD\xE3\x82\x99"},
        {RomVariant::SnesEnglish,
         {0x00, 0x80},
         "\xEF\xBF\xBD"
         "A"},
        {RomVariant::SnesEnglish, {}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readGameText(c.text, c.release, builtInCharacterTable(c.release)), c.expected)
            << releaseKey(c.release) << " " << c.expected;
}

TEST(GameTextReading, JapaneseMarksFollowTheirBaseGlyph) {
    CharacterTable table;
    table[0x60] = "\xE3\x83\x8F"; // ha
    table[0x20] = "A";
    const Codes voiced = {0x20};     // 0x60 under the voiced mark
    const Codes semiVoiced = {0x49}; // 0x60 under the semi-voiced mark
    const Codes plain = {0xFE, 0x20};
    EXPECT_EQ(readGameText(voiced, RomVariant::SnesJapanese, table), "\xE3\x83\x8F\xE3\x82\x99");
    EXPECT_EQ(readGameText(semiVoiced, RomVariant::GbaJapanese, table), "\xE3\x83\x8F\xE3\x82\x9A");
    EXPECT_EQ(readGameText(plain, RomVariant::GbaJapanese, table), "A");
    // English releases never compose: 0x20 is just its own code.
    EXPECT_EQ(readGameText(voiced, RomVariant::GbaEnglish, table), "A");
}

TEST(CharacterTableFile, ReadsCodeLinesAndCountsTheOthers) {
    CharacterTable table = builtInCharacterTable(RomVariant::SnesEnglish);
    const int skipped = readCharacterTable("# comment\r\n"
                                           "80=Alpha\r\n"
                                           "\n"
                                           "c0= \n"
                                           "C1==\n"
                                           "9A=x\n"
                                           "9A=y\n"
                                           "G0=bad\n"
                                           "8=short\n"
                                           "80\n"
                                           "0x=bad\n"
                                           "C2=",
                                           table);
    EXPECT_EQ(skipped, 4);
    EXPECT_EQ(table[0x80], "Alpha");
    EXPECT_EQ(table[0xC0], " ");
    EXPECT_EQ(table[0xC1], "=");
    EXPECT_EQ(table[0x9A], "y"); // later lines win
    EXPECT_EQ(table[0xC2], "");  // an empty reading makes the code unknown again
    EXPECT_EQ(table[0x81], "B"); // what the file leaves alone stays built in
    EXPECT_EQ(characterTableFileName(RomVariant::GbaJapanese), "charset-gba-ja.tbl");
}

// A reading longer than a game character can read is skipped and named by its line; control
// characters in a reading are escaped.
TEST(CharacterTableFile, SkipsLongReadingsAndEscapesControls) {
    struct Case {
        std::string file;
        std::string reading; // of code 80 afterwards
        int skipped;
        SkippedLine first;
    };
    const std::vector<Case> cases = {
        {"80=" + std::string(32, 'x'), std::string(32, 'x'), 0, {}},
        {"# c\n80=" + std::string(33, 'x') + "\n9A=\n", "A", 1, {2, "its reading is longer"}},
        {"80=" + std::string(1 << 20, 'x') + "\nzz\n", "A", 2, {1, "its reading is longer"}},
        {"80=\x1B]0;PWNED\a", "\\x1B]0;PWNED\\x07", 0, {}},
        {"\r\nx\n80=\xC2\x9B", "\\xC2\\x9B", 1, {2, "it is not \"HH=text\""}},
    };
    for (const Case& c : cases) {
        CharacterTable table = builtInCharacterTable(RomVariant::SnesEnglish);
        SkippedLine first;
        EXPECT_EQ(readCharacterTable(c.file, table, &first), c.skipped) << c.reading;
        EXPECT_EQ(table[0x80], c.reading);
        EXPECT_EQ(first.number, c.first.number) << c.reading;
        EXPECT_TRUE(first.reason.starts_with(c.first.reason)) << first.reason;
    }
}

// The demo images' table files read every demo name back as the text it was made from.
TEST(CharacterTableFile, DemoTablesReadDemoTextBack) {
    for (const RomVariant release : allReleases) {
        CharacterTable table{};
        EXPECT_EQ(readCharacterTable(demoCharacterTable(release), table), 0);
        const GameString latin = *encodeDemoText(release, "Hi-Potion 2");
        const std::string expected = isJapaneseVariant(release) || release == RomVariant::GbaEnglish
                                         ? "HI-POTION 2"
                                         : "Hi-Potion 2";
        const GameString marked = isJapaneseVariant(release) ? "\xFE" + latin : latin;
        EXPECT_EQ(readGameText(codesOf(marked), release, table), expected) << releaseKey(release);
    }
    CharacterTable japanese{};
    readCharacterTable(demoCharacterTable(RomVariant::SnesJapanese), japanese);
    // "po-shon": ho under the semi-voiced mark, the long vowel, shi, small yo, n.
    EXPECT_EQ(readGameText(codesOf(*encodeDemoKana("po-shon")), RomVariant::SnesJapanese, japanese),
              "\xE3\x83\x9B\xE3\x82\x9A\xE3\x83\xBC\xE3\x82\xB7\xE3\x83\xA7\xE3\x83\xB3");
}

} // namespace
} // namespace tarnwick
