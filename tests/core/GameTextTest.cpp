#include "TestFiles.h"

#include "io/TextLines.h"
#include "rom/RomImage.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

using Bytes = std::vector<std::uint8_t>;

GameString text(std::initializer_list<int> codes) {
    GameString s;
    for (int c : codes)
        s += static_cast<char>(c);
    return s;
}

// A document loaded from a file holding exactly these bytes (a SNES-sized file unless padded).
class LoadedBytes {
public:
    explicit LoadedBytes(const Bytes& bytes) {
        test::writeBytes(dir.file("image.bin"), bytes);
        rom.setPath(dir.file("image.bin"));
        EXPECT_TRUE(rom.load().isOk());
    }
    RomImage rom;

private:
    test::TempDir dir;
};

TEST(GameText, GbaStringsDecodeSpacesPairsAndTerminators) {
    struct Case {
        const char* what;
        Bytes bytes;
        int shift;
        GameString expected;
        std::uint64_t cursorAfter;
    };
    const std::vector<Case> cases = {
        {"zero is a space, 0x04 ends",
         {0x41, 0x00, 0x42, 0x04, 0x55},
         0x36,
         text({0x41, 0x67, 0x42}),
         4},
        {"shifted space", {0xC2, 0xA2, 0x04}, 0x36, text({0x67}), 3},
        {"shifted letter", {0xC2, 0x90, 0x04}, 0x36, text({0x5A}), 3},
        {"unshifted pair dropped", {0xC2, 0xA2, 0x04}, 0, "", 3},
        {"unshifted pair dropped 2", {0xC2, 0x90, 0x04}, 0, "", 3},
        {"pair wraps below zero", {0xC2, 0x10, 0x04}, 0x36, text({0xDA}), 3},
        {"empty string", {0x04, 0x41}, 0x36, "", 1},
        // A pair whose value is the terminator ends the string after adding it.
        {"pair shifted to terminator", {0xC2, 0x3A, 0x41, 0x04}, 0x36, text({0x04}), 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoadedBytes image(c.bytes);
        image.rom.seek(0);
        EXPECT_EQ(image.rom.readGbaString(c.shift), c.expected);
        // The cursor stands just behind the string: the next byte read is the one after it.
        Bytes rest(c.bytes.begin() + static_cast<std::ptrdiff_t>(c.cursorAfter), c.bytes.end());
        for (std::uint8_t expectedNext : rest)
            EXPECT_EQ(image.rom.nextByte(), expectedNext);
    }
}

TEST(GameText, GbaStringWithoutTerminatorStopsAfter32Characters) {
    Bytes bytes(40);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(0x10 + i);
    LoadedBytes image(bytes);
    image.rom.seek(0);
    const GameString first = image.rom.readGbaString(0x36);
    EXPECT_EQ(first.size(), 32u);
    EXPECT_EQ(static_cast<std::uint8_t>(first.back()), 0x10 + 31);
    EXPECT_EQ(image.rom.nextByte(), 0x10 + 32);
}

TEST(GameText, GbaStringAtTheEndOfTheImageReadsNothingBeyondIt) {
    LoadedBytes image(Bytes{0x41, 0x42});
    image.rom.seek(0);
    // Past the end every byte reads as zero (a space): the string is cut at 32 characters.
    const GameString s = image.rom.readGbaString(0x36);
    EXPECT_EQ(s.size(), 32u);
    EXPECT_EQ(s.substr(0, 3), text({0x41, 0x42, 0x67}));
}

TEST(GameText, FixedStringsEndAtZeroOnSnesAndPadWithSpacesOnGba) {
    Bytes snes(0x100, 0);
    const Bytes field = {0x8D, 0xA8, 0x92, 0xA9, 0x00, 0x9E, 0xA5, 0x00, 0x00, 0x00};
    std::copy(field.begin(), field.end(), snes.begin() + 0x10);
    LoadedBytes snesImage(snes);
    EXPECT_EQ(snesImage.rom.readFixedString(10, 0x10), text({0x8D, 0xA8, 0x92, 0xA9}));
    EXPECT_EQ(snesImage.rom.readFixedString(0, 0x10), "");
    EXPECT_EQ(snesImage.rom.readFixedString(3, 0x10), text({0x8D, 0xA8, 0x92}));

    Bytes gba(gbaImageSize, 0);
    std::copy(field.begin(), field.begin() + 8, gba.begin() + 0x10);
    LoadedBytes gbaImage(gba);
    ASSERT_TRUE(gbaImage.rom.isGba());
    EXPECT_EQ(gbaImage.rom.readFixedString(8, 0x10),
              text({0x8D, 0xA8, 0x92, 0xA9, 0x20, 0x9E, 0xA5, 0x20}));
}

TEST(TextLines, SplitOnCarriageReturnLineFeedOnly) {
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"two lines", "ab\r\nc", {"ab", "c", "", ""}},
        {"lone CR stays", "a\rb\r\n", {"a\\x0Db", "", ""}},
        {"lone LF stays", "a\nb\r\nc\r\n", {"a\\x0Ab", "c", ""}},
        {"empty lines", "\r\n\r\nx", {"", "", "x", ""}},
        {"CR at the very end", "a\r", {"a\\x0D", ""}},
        {"controls escaped", "\x1B]0;X\a\r\n\x9B", {"\\x1B]0;X\\x07", "\\x9B"}},
        {"Latin-1 and UTF-8 kept", "caf\xE9\r\ncaf\xC3\xA9", {"caf\xE9", "caf\xC3\xA9"}},
        {"long line cut", std::string(300, 'x') + "\r\ny", {std::string(256, 'x'), "y"}},
        {"cut before a character",
         std::string(255, 'x') + "\xE3\x82\xA2z",
         {std::string(255, 'x')}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Bytes text(c.bytes.begin(), c.bytes.end());
        EXPECT_EQ(textLines(text, static_cast<int>(c.lines.size())), c.lines);
    }
}

} // namespace
} // namespace tarnwick
