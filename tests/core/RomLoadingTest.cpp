#include "DemoShapes.h"
#include "TestFiles.h"

#include "demo/DemoImage.h"
#include "rom/EditHistory.h"
#include "rom/ImageReadAhead.h"
#include "rom/RomImage.h"
#include "rom/SaveWithBackup.h"
#include "rom/TableChanges.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

namespace tarnwick {
namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

using test::describe;
using test::everyShape;
using test::ImageCase;

std::string writeImage(const test::TempDir& dir, const ImageCase& c, const std::string& name) {
    const std::string path = dir.file(name);
    EXPECT_TRUE(writeDemoImage({c.release, c.header, c.tail}, path, ExistingFile::Replace).isOk());
    return path;
}

TEST(RomLoading, SettlesEveryReleaseFromTheImageWhateverTheOption) {
    test::TempDir dir;
    for (const ImageCase& c : everyShape)
        for (bool option : {false, true}) {
            SCOPED_TRACE(describe(c) + (option ? ", option on" : ", option off"));
            const std::string path = writeImage(dir, c, "image");
            RomImage rom;
            rom.setJapanese(option);
            ASSERT_TRUE(loadRom(rom, path).isOk());
            EXPECT_EQ(rom.variant(), c.release);
            EXPECT_EQ(rom.getHeaderSize(), c.header ? 0x200 : 0);
            EXPECT_EQ(rom.digitCodes, digitCodeTable[variantIndex(c.release)]);
            EXPECT_FALSE(rom.tablesDifferFromImage());
        }
}

TEST(RomLoading, UneditedSaveLeavesEveryFileByteIdentical) {
    test::TempDir dir;
    for (const ImageCase& c : everyShape) {
        SCOPED_TRACE(describe(c));
        const std::string path = writeImage(dir, c, "image");
        const Bytes before = test::readBytes(path);
        RomImage rom;
        ASSERT_TRUE(loadRom(rom, path).isOk());
        ASSERT_TRUE(rom.save().isOk());
        EXPECT_TRUE(test::readBytes(path) == before);
        EXPECT_EQ(test::folderEntries(dir.path()).size(), 1u);
        // Written elsewhere, a tail past a GBA image is copied from the file.
        ASSERT_TRUE(rom.writeSavedFileTo(dir.file("copy"), ExistingFile::Refuse).isOk());
        EXPECT_TRUE(test::readBytes(dir.file("copy")) == before);
        fs::remove(dir.file("copy"));
    }
}

// Whether a file is an image of a release shows in its first bytes and its length.
TEST(RomLoading, TheReleaseOfAFileIsToldByItsFirstBytesAndLength) {
    for (const ImageCase& c : everyShape) {
        SCOPED_TRACE(describe(c));
        const Bytes file = buildDemoImage({c.release, c.header, c.tail});
        const auto start = std::span(file).first(releaseDecidingBytes);
        EXPECT_EQ(imageFileRelease(start, file.size()), c.release);
        EXPECT_EQ(imageFileRelease(file), c.release);
        EXPECT_EQ(notAnImageOf(start, file.size(), c.release), "");
        // One byte short: too short, or for GBA a SNES file.
        EXPECT_FALSE(notAnImageOf(start, requiredImageSize(c.release) - 1, c.release).empty());
    }
}

// The checksum of a loaded image is taken late, but from the bytes as the file held them.
TEST(RomLoading, BytesChangedAfterLoadingAreNotTakenForTheFiles) {
    test::TempDir dir;
    const std::string path = writeImage(dir, {RomVariant::SnesEnglish, false, 0}, "image");
    RomImage rom;
    ASSERT_TRUE(loadRom(rom, path).isOk());
    rom.writeByte(static_cast<std::uint8_t>(rom.readByte(0x100) ^ 0xFF), 0x100);
    fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(2));
    EXPECT_EQ(rom.openFile().lookAgain(path), FileChange::None);
}

TEST(RomLoading, EditsLandAtTheReleaseOffsetsBehindTheHeader) {
    test::TempDir dir;
    for (const ImageCase& c : everyShape) {
        SCOPED_TRACE(describe(c));
        const std::string path = writeImage(dir, c, "image");
        const Bytes before = test::readBytes(path);
        RomImage rom;
        ASSERT_TRUE(loadRom(rom, path).isOk());
        const int i = variantIndex(c.release);
        const std::uint64_t header = c.header ? 0x200 : 0;

        rom.shopTable[5][3] = 0x1AB; // only the low byte reaches the image
        const TablePlacement& anim8 = anim8TablePlacement[i];
        rom.anim8Table[static_cast<std::size_t>(anim8.count - 1)][7] = 0x42;
        rom.anim8Table[anim8Capacity - 1][7] = 0x42; // past the SNES count: never written there
        rom.gpMultiplier = 50;
        EXPECT_TRUE(rom.tablesDifferFromImage());
        ASSERT_TRUE(rom.save().isOk());
        EXPECT_FALSE(rom.tablesDifferFromImage());

        Bytes expected = before;
        expected[header + shopTablePlacement[i].offset + 5 * 9 + 3] = 0xAB;
        expected[header + anim8.offset + static_cast<std::uint64_t>(anim8.count) * 8 - 1] = 0x42;
        if (gpMultiplierOffset[i])
            expected[header + *gpMultiplierOffset[i]] = 50;
        const Bytes after = test::readBytes(path);
        ASSERT_EQ(after.size(), expected.size());
        const auto difference = std::mismatch(after.begin(), after.end(), expected.begin());
        EXPECT_TRUE(difference.first == after.end())
            << "first difference at file offset 0x" << std::hex
            << (difference.first - after.begin());
    }
}

TEST(RomLoading, JapaneseToggleReparsesUnderTheOtherOffsets) {
    test::TempDir dir;
    const std::string path = writeImage(dir, {RomVariant::GbaEnglish, false, 0}, "gba");
    RomImage rom;
    ASSERT_TRUE(loadRom(rom, path).isOk());
    const Record englishAnim8 = rom.anim8Table[0];
    rom.shopTable[0][1] = 77;
    rom.setJapanese(true);
    ASSERT_TRUE(rom.parseTables().isOk());
    EXPECT_NE(rom.shopTable[0][1], 77) << "unsaved edits are replaced";
    Record expected{};
    for (std::size_t j = 0; j < 8; ++j)
        expected[j] = rom.readByte(anim8TablePlacement[3].offset + j);
    EXPECT_EQ(rom.anim8Table[0], expected);
    rom.setJapanese(false);
    ASSERT_TRUE(rom.parseTables().isOk());
    EXPECT_EQ(rom.anim8Table[0], englishAnim8);
}

// Switching the option against the release the header names is explained first; an image
// whose header names no release, or no image, needs no explanation.
TEST(RomLoading, ReleaseSwitchWarningOnlyWhenTheOptionContradictsTheHeader) {
    test::TempDir dir;
    const std::pair<RomVariant, const char*> marks[] = {{RomVariant::SnesEnglish, "\"3\""},
                                                        {RomVariant::SnesJapanese, "\"6\""},
                                                        {RomVariant::GbaEnglish, "\"QK4E\""},
                                                        {RomVariant::GbaJapanese, "\"QK4J\""}};
    for (const auto& [release, mark] : marks) {
        SCOPED_TRACE(releaseName(release));
        const std::string path = writeImage(dir, {release, false, 0}, "image");
        RomImage rom;
        ASSERT_TRUE(loadRom(rom, path).isOk());
        const bool japanese = isJapaneseVariant(release);
        EXPECT_EQ(rom.releaseSwitchWarning(japanese), "");
        const std::string warning = rom.releaseSwitchWarning(!japanese);
        const std::string other(releaseName(makeVariant(isGbaVariant(release), !japanese)));
        for (const std::string& part :
             {path, std::string(releaseName(release)), other, std::string(mark), other + " offsets",
              std::string("saving")})
            EXPECT_NE(warning.find(part), std::string::npos) << part << " in " << warning;
    }
    Bytes unnamed = buildDemoImage({RomVariant::SnesEnglish});
    unnamed[snesLanguageByteOffset] = 'X';
    test::writeBytes(dir.file("unnamed.smc"), unnamed);
    RomImage rom;
    EXPECT_EQ(rom.releaseSwitchWarning(true), "");
    ASSERT_TRUE(loadRom(rom, dir.file("unnamed.smc"), [](const std::string&, RomVariant) {
                    return true;
                }).isOk());
    EXPECT_EQ(rom.releaseSwitchWarning(true), "");
    EXPECT_EQ(rom.releaseSwitchWarning(false), "");
}

TEST(RomLoading, NamesOfAnEarlierGbaImageStayInSlotsASnesImageDoesNotFill) {
    test::TempDir dir;
    RomImage rom;
    ASSERT_TRUE(loadRom(rom, writeImage(dir, {RomVariant::GbaEnglish, false, 0}, "g")).isOk());
    const GameString lastGbaItem = rom.itemNames[270];
    ASSERT_FALSE(lastGbaItem.empty());
    ASSERT_TRUE(loadRom(rom, writeImage(dir, {RomVariant::SnesEnglish, false, 0}, "s")).isOk());
    EXPECT_EQ(rom.itemNames[270], lastGbaItem);
    EXPECT_EQ(rom.emptyItemName, rom.itemNames[255]);
}

TEST(RomLoading, TruncatedImagesAreRefusedWithReleaseAndSize) {
    test::TempDir dir;
    for (RomVariant release : {RomVariant::SnesEnglish, RomVariant::SnesJapanese})
        for (bool header : {false, true}) {
            const Bytes whole = buildDemoImage({release, header, 0});
            const std::uint64_t needed = requiredImageSize(release) + (header ? 0x200 : 0);
            // Lengths just short of the boundary, well below it, and nearly empty.
            for (std::uint64_t length :
                 {needed - 1, needed - 0x10000, std::uint64_t{0x10000 + (header ? 0x200u : 0u)},
                  std::uint64_t{header ? 0x200u : 0u}, std::uint64_t{header ? 0x201u : 1u}}) {
                SCOPED_TRACE(std::string(releaseName(release)) + " length " +
                             std::to_string(length));
                const std::string path = dir.file("short");
                const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
                test::writeBytes(path, cut);
                RomImage rom;
                const Status status = loadRom(rom, path);
                ASSERT_FALSE(status.isOk());
                EXPECT_NE(status.message().find(path), std::string::npos);
                EXPECT_NE(status.message().find("too short"), std::string::npos)
                    << status.message();
                EXPECT_FALSE(rom.hasImage());
                EXPECT_FALSE(rom.save().isOk());
                EXPECT_TRUE(test::readBytes(path) == cut);
            }
        }
}

// A short file is named by its own length against the one size every image of the release
// needs; a copier header is named only where it is what leaves a long file too short.
TEST(RomLoading, ARefusedShortFileNamesItsLengthAndTheSizeNeeded) {
    const struct {
        std::size_t length;
        const char* expected;
    } cases[] = {
        {0x104240, "it is 1,065,536 bytes, and a SNES English image holds at least 2,985,036 "
                   "bytes (2.84 MiB)."},
        {0x2D9240, "its last 37,440 bytes (past its last whole 64 KiB bank) count as a copier "
                   "header, which leaves less than the 2,985,036 bytes (2.84 MiB)"},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        Bytes odd(c.length);
        odd[c.length % 0x10000 + snesLanguageByteOffset] = snesEnglishMark;
        test::writeBytes(dir.file("odd.smc"), odd);
        RomImage rom;
        const Status status = loadRom(rom, dir.file("odd.smc"));
        ASSERT_FALSE(status.isOk());
        EXPECT_NE(status.message().find(c.expected), std::string::npos) << status.message();
    }
}

// A read made ahead of the load is the load's own, stamp and refusal included. It is given
// out once, and never to the load of another file.
TEST(RomLoading, AReadMadeAheadLoadsAsTheLoadItselfWould) {
    test::TempDir dir;
    const std::string path = writeImage(dir, {RomVariant::GbaJapanese, false, 0x1000}, "image");
    RomImage plain;
    ASSERT_TRUE(loadRom(plain, path).isOk());
    ImageReadAhead ahead;
    ahead.start(path);
    RomImage early;
    ASSERT_TRUE(loadRom(early, path, {}, ahead.take(path)).isOk());
    EXPECT_TRUE(early.imageWithTables() == plain.imageWithTables());
    EXPECT_EQ(early.getFileLength(), plain.getFileLength());
    EXPECT_FALSE(ahead.take(path).has_value());
    Bytes written = test::readBytes(path);
    written[0x300] ^= 0xFF;
    test::writeBytes(path, written);
    EXPECT_NE(early.openFile().lookAgain(path), FileChange::None);

    ahead.start(dir.file("missing"));
    EXPECT_FALSE(ahead.take(path).has_value());
    ahead.start(dir.file("missing"));
    const Status refused = loadRom(early, dir.file("missing"), {}, ahead.take(dir.file("missing")));
    EXPECT_EQ(refused.message(), loadRom(plain, dir.file("missing")).message());
}

TEST(RomLoading, SaveAfterTheFileWasRemovedFailsAndCreatesNothing) {
    test::TempDir dir;
    const std::string path = writeImage(dir, {RomVariant::SnesEnglish, true, 0}, "gone.smc");
    RomImage rom;
    ASSERT_TRUE(loadRom(rom, path).isOk());
    rom.chestTable[5][1] ^= 0x40;
    fs::remove(path);
    const Status status = rom.save();
    // The edit is still known as unsaved, so nothing tells the user it is safe to quit.
    EXPECT_TRUE(rom.tablesDifferFromImage());
    ASSERT_FALSE(status.isOk());
    EXPECT_NE(status.message().find(path), std::string::npos);
    EXPECT_NE(status.message().find("no longer exists"), std::string::npos);
    EXPECT_TRUE(test::folderEntries(dir.path()).empty());
}

// The backup holds the file as it was before the save; a save that fails keeps no backup it
// made itself, but never removes one that was there before.
TEST(SaveWithBackup, BacksUpFirstAndLeavesNoNewBackupWhenTheSaveFails) {
    test::TempDir dir;
    const std::string path = writeImage(dir, {RomVariant::SnesEnglish, false, 0}, "a.smc");
    const std::string backup = path + ".bak";
    const Bytes original = test::readBytes(path);
    RomImage rom;
    ASSERT_TRUE(loadRom(rom, path).isOk());
    rom.shopTable[1][2] ^= 0x01;
    ASSERT_TRUE(saveWithBackup(rom, backup).isOk());
    EXPECT_TRUE(test::readBytes(backup) == original);
    EXPECT_FALSE(test::readBytes(path) == original);

    const Bytes saved = test::readBytes(path);
    fs::permissions(path, fs::perms::owner_read);
    rom.shopTable[1][2] ^= 0x02;
    Status failed = saveWithBackup(rom, dir.file("b.bak"));
    EXPECT_FALSE(failed.isOk());
    EXPECT_NE(failed.message().find("read-only"), std::string::npos) << failed.message();
    EXPECT_FALSE(fs::exists(dir.file("b.bak")));
    failed = saveWithBackup(rom, backup);
    EXPECT_FALSE(failed.isOk());
    EXPECT_TRUE(test::readBytes(backup) == original);
    EXPECT_TRUE(test::readBytes(path) == saved);
    EXPECT_TRUE(rom.tablesDifferFromImage());

    // A backup that cannot be written stops the save before it starts.
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directory(dir.file("c.bak"));
    failed = saveWithBackup(rom, dir.file("c.bak"));
    EXPECT_FALSE(failed.isOk());
    EXPECT_NE(failed.message().find("backup"), std::string::npos) << failed.message();
    EXPECT_TRUE(test::readBytes(path) == saved);
}

// A load that fails or is declined, whichever step refuses it, leaves the open document as it
// was: its image, path, unsaved edits and release option, so its undo history still applies. On an
// empty document it leaves the option alone too.
TEST(RomLoading, RefusedLoadLeavesTheOpenDocumentWhole) {
    test::TempDir dir;
    Bytes shortJapanese(0x20000);
    shortJapanese[snesLanguageByteOffset] = snesJapaneseMark;
    test::writeBytes(dir.file("short.smc"), shortJapanese);
    Bytes unnamed = buildDemoImage({RomVariant::SnesEnglish});
    unnamed[snesLanguageByteOffset] = 'X';
    test::writeBytes(dir.file("unnamed.smc"), unnamed);
    const auto decline = [](const std::string&, RomVariant) { return false; };
    struct Refusal {
        const char* name;
        std::string path;
        UnnamedReleaseCheck check;
    };
    const Refusal refusals[] = {{"missing", dir.file("missing.smc"), {}},
                                {"too short", dir.file("short.smc"), {}},
                                {"declined", dir.file("unnamed.smc"), decline}};

    for (bool option : {false, true}) {
        RomImage empty;
        empty.setJapanese(option);
        for (const Refusal& refusal : refusals) {
            SCOPED_TRACE(refusal.name);
            EXPECT_FALSE(loadRom(empty, refusal.path, refusal.check).isOk());
            EXPECT_EQ(empty.isJapanese(), option);
            EXPECT_FALSE(empty.hasImage());
        }
    }

    const std::string open = writeImage(dir, {RomVariant::GbaJapanese, false, 0}, "open.gba");
    RomImage rom;
    ASSERT_TRUE(loadRom(rom, open).isOk());
    const TableSnapshot before = takeSnapshot(rom);
    rom.shopTable[2][1] ^= 0x10;
    EditHistory history;
    ASSERT_TRUE(history.record(changesSince(before, rom)));
    const ByteBuffer image = rom.imageWithTables();
    const auto edited = rom.shopTable;
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.name);
        EXPECT_FALSE(loadRom(rom, refusal.path, refusal.check).isOk());
        EXPECT_EQ(rom.getPath(), open);
        EXPECT_EQ(rom.variant(), RomVariant::GbaJapanese);
        EXPECT_EQ(rom.shopTable, edited);
        EXPECT_TRUE(rom.tablesDifferFromImage());
        EXPECT_TRUE(rom.imageWithTables() == image);
    }
    // The history still undoes the edit in the document it was made in.
    ASSERT_TRUE(history.undo(rom));
    EXPECT_FALSE(rom.tablesDifferFromImage());
}

// Only an image whose header names no release raises the question; the answer decides.
TEST(RomLoading, ImagesNamingNoReleaseLoadOnlyWhenConfirmed) {
    test::TempDir dir;
    Bytes noise(gbaImageSize);
    std::uint32_t state = 12345;
    for (std::uint8_t& byte : noise)
        byte = static_cast<std::uint8_t>((state = state * 1103515245u + 12345u) >> 24);
    test::writeBytes(dir.file("noise.gba"), noise);
    for (bool answer : {false, true}) {
        std::vector<std::string> asked;
        RomImage rom;
        const Status status =
            loadRom(rom, dir.file("noise.gba"), [&](const std::string& reason, RomVariant release) {
                EXPECT_EQ(release, RomVariant::GbaEnglish);
                asked.push_back(reason);
                return answer;
            });
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_NE(asked[0].find(dir.file("noise.gba")), std::string::npos);
        EXPECT_NE(asked[0].find("game code at 0xAC"), std::string::npos) << asked[0];
        EXPECT_EQ(status.isOk(), answer);
        EXPECT_EQ(rom.hasImage(), answer);
    }
    for (const ImageCase& c : everyShape) {
        RomImage rom;
        EXPECT_TRUE(loadRom(rom, writeImage(dir, c, "named"), [](const std::string&, RomVariant) {
                        ADD_FAILURE() << "asked about an image that names its release";
                        return false;
                    }).isOk());
    }
}

} // namespace
} // namespace tarnwick
