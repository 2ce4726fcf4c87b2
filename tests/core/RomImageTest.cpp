#include "TestFiles.h"

#include "rom/RomImage.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <unistd.h>

namespace tarnwick {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(RomImageLoad, RefusesWhatIsNotAReadableFileAndNamesIt) {
    test::TempDir dir;
    ASSERT_EQ(mkfifo(dir.file("pipe.smc").c_str(), 0600), 0);
    RomImage rom;
    rom.setPath(dir.file("pipe.smc"));
    EXPECT_EQ(rom.load().message(), "Could not load \"" + dir.file("pipe.smc") +
                                        "\": it is a named pipe, not a regular file.");
    EXPECT_FALSE(rom.hasImage());
    RomImage unnamed;
    EXPECT_FALSE(unnamed.load().isOk());
}

TEST(RomImageLoad, UnreadableFileIsRefused) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop the superuser from reading";
    test::TempDir dir;
    test::writeBytes(dir.file("locked.smc"), Bytes(16, 1));
    std::filesystem::permissions(dir.file("locked.smc"), std::filesystem::perms::none);
    RomImage rom;
    rom.setPath(dir.file("locked.smc"));
    const Status status = rom.load();
    EXPECT_FALSE(status.isOk());
    EXPECT_NE(status.message().find("cannot be opened"), std::string::npos);
}

TEST(RomImageLoad, ReadOnlyFileLoads) {
    test::TempDir dir;
    test::writeBytes(dir.file("ro.smc"), Bytes(64, 7));
    std::filesystem::permissions(dir.file("ro.smc"), std::filesystem::perms::owner_read);
    RomImage rom;
    rom.setPath(dir.file("ro.smc"));
    ASSERT_TRUE(rom.load().isOk());
    EXPECT_EQ(rom.readByte(10), 7);
}

TEST(RomImageLoad, FileLengthDecidesPlatformAndHeader) {
    struct Case {
        std::uint64_t length;
        bool gba;
        std::uint32_t size;
        std::int32_t header;
    };
    const std::vector<Case> cases = {
        {0x300000, false, 0x300000, 0},        {0x300200, false, 0x300200, 0x200},
        {0x7FFFFF, false, 0x7FFFFF, 0xFFFF},   {0x800000, true, 0x800000, 0},
        {0x800000 + 12345, true, 0x800000, 0},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        test::writeBytes(dir.file("image"), Bytes(c.length, 0xAA));
        RomImage rom;
        rom.setPath(dir.file("image"));
        ASSERT_TRUE(rom.load().isOk());
        EXPECT_EQ(rom.isGba(), c.gba);
        EXPECT_EQ(rom.getSize(), c.size);
        EXPECT_EQ(rom.getFileLength(), c.length);
        rom.settleRelease();
        EXPECT_EQ(rom.getHeaderSize(), c.header);
    }
}

TEST(RomImageLoad, FailedLoadForgetsThePreviousImage) {
    test::TempDir dir;
    test::writeBytes(dir.file("good"), Bytes(64, 1));
    RomImage rom;
    rom.setPath(dir.file("good"));
    ASSERT_TRUE(rom.load().isOk());
    rom.gpMultiplier = 7;
    rom.setPath(dir.file("gone"));
    EXPECT_FALSE(rom.load().isOk());
    EXPECT_FALSE(rom.hasImage());
    EXPECT_EQ(rom.getSize(), 0u);
    EXPECT_EQ(rom.gpMultiplier, defaultGpMultiplier);
    EXPECT_EQ(rom.getPath(), dir.file("gone"));
}

TEST(RomImageBytes, AccessOutsideTheImageReadsZeroAndWritesNothing) {
    test::TempDir dir;
    test::writeBytes(dir.file("small"), Bytes(0x210, 0x5A));
    RomImage rom;
    rom.setPath(dir.file("small"));
    ASSERT_TRUE(rom.load().isOk());
    rom.setHeaderSize(0x200);
    EXPECT_EQ(rom.readByte(0x0F), 0x5A);
    EXPECT_EQ(rom.readByte(0x10), 0);
    EXPECT_EQ(rom.readByte(UINT64_MAX), 0);
    rom.writeByte(1, 0x10);
    rom.writeByte(1, UINT64_MAX);
    rom.seek(0x0E);
    EXPECT_EQ(rom.nextByte(), 0x5A);
    EXPECT_EQ(rom.nextByte(), 0x5A);
    EXPECT_EQ(rom.nextByte(), 0);
    rom.putByte(3);
    // A header larger than the file makes every offset fall outside.
    rom.setHeaderSize(0x7FFF);
    EXPECT_EQ(rom.readByte(0), 0);
}

TEST(RomImageBytes, TablesMoveWithTheHeaderAndWriteLowBytes) {
    test::TempDir dir;
    Bytes bytes(0x220, 0);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i);
    test::writeBytes(dir.file("t"), bytes);
    RomImage rom;
    rom.setPath(dir.file("t"));
    ASSERT_TRUE(rom.load().isOk());
    EXPECT_EQ(rom.setHeaderSize(0x200), 0);

    std::array<Record, 3> table{};
    table[2].fill(-1);
    rom.readTable(2, 5, table, 0x10);
    EXPECT_EQ(table[0][0], 0x10);
    EXPECT_EQ(table[1][4], 0x19);
    EXPECT_EQ(table[0][5], 0) << "slots past the record size stay untouched";
    EXPECT_EQ(table[2][0], -1) << "records past the count stay untouched";

    table[0][0] = 0x1FF;
    table[0][1] = -2;
    rom.writeTable(1, 2, table, 0x00);
    EXPECT_EQ(rom.readByte(0), 0xFF);
    EXPECT_EQ(rom.readByte(1), 0xFE);
    EXPECT_EQ(rom.readByte(2), 0x02);
    // Counts and sizes beyond the table's shape stop at its end.
    rom.readTable(1000, 4, table, 0);
    EXPECT_EQ(table[2][3], 0x0B);
    rom.readTable(1, 20, table, 0);
    EXPECT_EQ(table[0][14], 0x0E);
}

TEST(RomImageRelease, TitleByteAndGameCodeCorrectTheJapaneseOption) {
    struct Case {
        bool gba;
        const char* mark; // byte at 0xFFCE (SNES) or game code at 0xAC (GBA)
        bool optionBefore;
        bool optionAfter;
    };
    const std::vector<Case> cases = {
        {false, "6", false, true},   {false, "3", false, false},   {false, "X", false, false},
        {false, "3", true, false},   {false, "6", true, true},     {false, "X", true, true},
        {true, "QK4J", false, true}, {true, "QK4E", false, false}, {true, "QK4E", true, false},
        {true, "QK4J", true, true},  {true, "qk4j", false, false}, {true, "ABCD", true, true},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.gba ? "GBA " : "SNES ") + c.mark +
                     (c.optionBefore ? " option on" : " option off"));
        Bytes bytes(c.gba ? gbaImageSize : 0x20000, 0);
        const std::string mark = c.mark;
        const std::size_t at = c.gba ? gbaGameCodeArea.offset : snesLanguageByteOffset;
        std::copy(mark.begin(), mark.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
        test::writeBytes(dir.file("r"), bytes);
        RomImage rom;
        rom.setJapanese(c.optionBefore);
        rom.setPath(dir.file("r"));
        ASSERT_TRUE(rom.load().isOk());
        EXPECT_EQ(rom.isJapanese(), c.optionBefore) << "loading alone keeps the option";
        EXPECT_EQ(rom.settleRelease(), c.optionBefore != c.optionAfter);
        EXPECT_EQ(rom.isJapanese(), c.optionAfter);
    }
}

} // namespace
} // namespace tarnwick
