#include "tables/MergeFiles.h"
#include "CliTestSupport.h"

#include "rom/RomImage.h"

namespace tarnwick {
namespace {

using test::runCommand;

// A mod comes as the document it makes of the original whether it is an image, a patch of
// either format or a tables export; one of another release, or a patch made for another
// original, is refused in a sentence that names the file.
TEST(MergeFiles, ReadsEachKindOfModAndRefusesOnesOfAnotherOriginal) {
    QTemporaryDir dir;
    const QString original = test::writeDemo(dir, "original.smc", {RomVariant::SnesEnglish});
    const QString gba = test::writeDemo(dir, "other.gba", {RomVariant::GbaEnglish});
    RomImage mod;
    ASSERT_TRUE(loadRom(mod, original.toStdString()).isOk());
    mod.shopTable[3][2] = 20;
    const ByteBuffer modBytes = mod.imageWithTables();
    test::writeFile(dir.filePath("mod.smc"),
                    QByteArray(reinterpret_cast<const char*>(modBytes.data()),
                               static_cast<qsizetype>(modBytes.size())));
    const QString gbaMod = dir.filePath("other-mod.gba");
    test::writeFile(gbaMod, test::fileBytes(gba).replace(0x100, 1, "\x5A"));
    QByteArray unnamed = test::fileBytes(dir.filePath("mod.smc"));
    unnamed[static_cast<qsizetype>(snesLanguageByteOffset)] = 'X';
    test::writeFile(dir.filePath("unnamed.smc"), unnamed);
    for (const QStringList& made :
         {QStringList{"patch", original, dir.filePath("mod.smc"), dir.filePath("mod.bps")},
          QStringList{"patch", "--ips", original, dir.filePath("mod.smc"), dir.filePath("mod.ips")},
          QStringList{"export", dir.filePath("mod.smc"), "-o", dir.filePath("mod.json")},
          QStringList{"patch", gba, gbaMod, dir.filePath("other.bps")},
          QStringList{"export", gba, "-o", dir.filePath("other.json")}})
        ASSERT_EQ(runCommand(made).code, 0) << made.join(' ').toStdString();

    struct Case {
        const char* file;
        ModKind kind;
        const char* refusal; // nullptr: the mod is read
        bool caution = false;
    };
    const Case cases[] = {
        {"mod.smc", ModKind::Image, nullptr},
        {"mod.bps", ModKind::Patch, nullptr},
        {"mod.ips", ModKind::Patch, nullptr, true},
        {"mod.json", ModKind::Export, nullptr},
        {"other.gba", ModKind::Image, "other.gba\" is no SNES English image like"},
        {"other.bps", ModKind::Patch, "other.bps\" does not apply to \""},
        {"other.json", ModKind::Export, "other.json\""},
        {"unnamed.smc", ModKind::Image, "unnamed.smc\" does not look like an image of Kavo: "},
    };
    // Images whose header names no release are refused, as a load without --any-image does.
    const auto refuseUnnamed = [](const std::string&, RomVariant) { return false; };
    QString error;
    const std::optional<MergeFile> read = readMergeImage(original, RomVariant::SnesEnglish, error);
    ASSERT_TRUE(read) << error.toStdString();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::optional<MergeFile> modFile =
            readMergeMod(dir.filePath(c.file), *read, error, refuseUnnamed);
        ASSERT_EQ(modFile.has_value(), c.refusal == nullptr) << error.toStdString();
        if (modFile) {
            EXPECT_EQ(modFile->kind, c.kind);
            EXPECT_EQ(modFile->document.shopTable[3][2], 20);
            EXPECT_EQ(modFile->caution.contains("IPS patch, which carries no checksum"), c.caution);
        } else {
            EXPECT_TRUE(error.contains(c.refusal)) << error.toStdString();
        }
    }
    EXPECT_FALSE(readMergeImage(gba, RomVariant::SnesEnglish, error));
    EXPECT_TRUE(error.contains("other.gba\" is no SNES English image: it reads as a GBA"))
        << error.toStdString();
}

// The original made from a loaded document holds the bytes past its image, read then, and
// makes its file whole from the document and those.
TEST(MergeFiles, TheLoadedOriginalHoldsItsWholeFile) {
    QTemporaryDir dir;
    const QString gba = test::writeDemo(dir, "long.gba", {RomVariant::GbaEnglish, false, 4096});
    RomImage loaded;
    ASSERT_TRUE(loadRom(loaded, gba.toStdString()).isOk());
    QString error;
    const std::optional<MergeFile> original = mergeFileOfLoaded(std::move(loaded), error);
    ASSERT_TRUE(original) << error.toStdString();
    const QByteArray file = test::fileBytes(gba);
    EXPECT_EQ(original->fileLength(), static_cast<std::uint64_t>(file.size()));
    EXPECT_TRUE(std::ranges::equal(original->wholeFile(), file, {}, {},
                                   [](char byte) { return static_cast<std::uint8_t>(byte); }));
    EXPECT_EQ(original->tail().size(), 4096U);
}

} // namespace
} // namespace tarnwick
