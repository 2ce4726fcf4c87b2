#include "CliTestSupport.h"
#include "DemoShapes.h"

#include "DemoFont.h"
#include "graphics/GlyphSheets.h"
#include "rom/RomImage.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <unistd.h>

namespace tarnwick {
namespace {

using test::CliRun;
using test::runCommand;

// The sheets the document renders for an image, as the editor would show them.
GlyphSheets documentSheets(const QString& path, bool japanese) {
    RomImage rom;
    rom.setJapanese(japanese);
    const Status loaded = loadRom(rom, QFile::encodeName(path).toStdString());
    EXPECT_TRUE(loaded.isOk()) << loaded.message();
    return renderGlyphSheets(rom);
}

// Empty when the PNG file holds exactly the sheet's pixels; otherwise what differs.
std::string differenceFromFile(const Image& sheet, const QString& path) {
    const QImage image(path);
    if (image.isNull())
        return "cannot read " + path.toStdString();
    if (image.width() != sheet.width() || image.height() != sheet.height())
        return "size " + std::to_string(image.width()) + "x" + std::to_string(image.height());
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            if (image.pixel(x, y) != sheet.pixel(x, y))
                return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    return {};
}

// Bit depth and colour type from a PNG's header chunk (8 and 2 for 8-bit RGB).
std::pair<int, int> pngDepthAndColourType(const QString& path) {
    const QByteArray bytes = test::fileBytes(path);
    if (bytes.size() < 26 || !bytes.startsWith("\x89PNG"))
        return {-1, -1};
    return {static_cast<unsigned char>(bytes[24]), static_cast<unsigned char>(bytes[25])};
}

TEST(SheetsCommand, WritesTheDocumentsSheetsPixelForPixel) {
    QTemporaryDir dir;
    for (const test::ImageCase& shape : {test::ImageCase{RomVariant::SnesEnglish, true, 0},
                                         test::ImageCase{RomVariant::SnesJapanese, false, 0},
                                         test::ImageCase{RomVariant::GbaEnglish, false, 0},
                                         test::ImageCase{RomVariant::GbaJapanese, false, 100}}) {
        SCOPED_TRACE(test::describe(shape));
        const QString image =
            test::writeDemo(dir, "image.bin", {shape.release, shape.header, shape.tail});
        // The folder and its parent do not exist yet.
        const std::string_view key = releaseKey(shape.release);
        const QString out = dir.filePath(
            QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size())) + "/sheets");
        const CliRun run = runCommand({"sheets", image, out});
        ASSERT_EQ(run.code, exitSuccess) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.isEmpty());

        const GlyphSheets expected = documentSheets(image, false);
        const QString fontFile = out + "/font-sheet.png";
        const QString paletteFile = out + "/palette-sheet.png";
        EXPECT_EQ(differenceFromFile(expected.fontSheet, fontFile), "");
        EXPECT_EQ(differenceFromFile(expected.paletteSheet, paletteFile), "");
        EXPECT_EQ(QImage(fontFile).size(), QSize(128, 384));
        EXPECT_EQ(QImage(paletteFile).size(), QSize(128, 1024));
        EXPECT_EQ(pngDepthAndColourType(fontFile), std::make_pair(8, 2));
        EXPECT_EQ(pngDepthAndColourType(paletteFile), std::make_pair(8, 2));
        // Nothing else is left in the folder.
        EXPECT_EQ(QDir(out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                  (QStringList{"font-sheet.png", "palette-sheet.png"}));
    }
}

TEST(SheetsCommand, JapaneseOptionSwitchesTheFontOfAGbaImage) {
    // A GBA image whose game code names neither release, so the option decides; it carries
    // the English demo font and, in the Japanese font's place, the Japanese one.
    QTemporaryDir dir;
    std::vector<std::uint8_t> bytes = buildDemoImage({RomVariant::GbaEnglish});
    for (std::size_t i = 0; i < 4; ++i)
        bytes[gbaGameCodeArea.offset + i] = static_cast<std::uint8_t>("QK4X"[i]);
    const std::vector<std::uint8_t> japaneseFont = encodeDemoFont(RomVariant::GbaJapanese);
    std::copy(japaneseFont.begin(), japaneseFont.end(),
              bytes.begin() + static_cast<std::ptrdiff_t>(
                                  fontPlacement[variantIndex(RomVariant::GbaJapanese)].offset));
    const QString image = dir.filePath("image.gba");
    test::writeFile(image, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                      static_cast<qsizetype>(bytes.size())));

    const QString english = dir.filePath("en");
    const QString japanese = dir.filePath("ja");
    ASSERT_EQ(runCommand({"sheets", "--any-image", image, english}).code, exitSuccess);
    ASSERT_EQ(runCommand({"sheets", "--any-image", "--japanese", image, japanese}).code,
              exitSuccess);

    EXPECT_EQ(
        differenceFromFile(documentSheets(image, false).fontSheet, english + "/font-sheet.png"),
        "");
    EXPECT_EQ(
        differenceFromFile(documentSheets(image, true).fontSheet, japanese + "/font-sheet.png"),
        "");
    EXPECT_NE(QImage(english + "/font-sheet.png"), QImage(japanese + "/font-sheet.png"));
    EXPECT_EQ(QImage(english + "/palette-sheet.png"), QImage(japanese + "/palette-sheet.png"));
}

TEST(SheetsCommand, ReplacesEarlierSheetsOnlyWithForce) {
    QTemporaryDir dir;
    const QString image = test::writeDemo(dir, "image.smc", {RomVariant::SnesEnglish, false, 0});
    const QString out = dir.filePath("out");
    ASSERT_TRUE(QDir().mkpath(out));
    test::writeFile(out + "/font-sheet.png", "not a picture");
    test::expectOneLineFailure({{"sheets", image, out}, exitFailure, "Give --force to replace it"});
    EXPECT_EQ(test::fileBytes(out + "/font-sheet.png"), "not a picture");
    EXPECT_FALSE(QFileInfo::exists(out + "/palette-sheet.png")) << "nothing is written by halves";

    const CliRun run = runCommand({"sheets", "--force", image, out});
    ASSERT_EQ(run.code, exitSuccess) << run.err.toStdString();
    EXPECT_EQ(differenceFromFile(documentSheets(image, false).fontSheet, out + "/font-sheet.png"),
              "");
}

TEST(SheetsCommand, FailuresAreOneLineNamingTheFile) {
    QTemporaryDir dir;
    const QString image = test::writeDemo(dir, "image.smc", {RomVariant::SnesEnglish, false, 0});
    const QString missing = dir.filePath("missing.smc");
    const QString plainFile = dir.filePath("plain.txt");
    test::writeFile(plainFile, "text");
    // Folders standing where the sheets should go.
    const QString fontBlocked = dir.filePath("font-blocked");
    const QString paletteBlocked = dir.filePath("palette-blocked");
    ASSERT_TRUE(QDir().mkpath(fontBlocked + "/font-sheet.png"));
    ASSERT_TRUE(QDir().mkpath(paletteBlocked + "/palette-sheet.png"));

    std::vector<test::FailingRun> cases = {
        {{"sheets"}, exitUsage, "expected 2 arguments"},
        {{"sheets", image}, exitUsage, "expected 2 arguments"},
        {{"sheets", image, "a", "b"}, exitUsage, "found 3"},
        {{"sheets", "--bogus", image, "a"}, exitUsage, "bogus"},
        {{"sheets", missing, dir.filePath("never")}, exitFailure, missing},
        {{"sheets", image, plainFile + "/sub"}, exitFailure, plainFile + "/sub"},
        {{"sheets", image, plainFile}, exitFailure, "\"" + plainFile + "\": a file of that name"},
        {{"sheets", image, fontBlocked}, exitFailure, fontBlocked + "/font-sheet.png"},
        {{"sheets", image, paletteBlocked}, exitFailure, paletteBlocked + "/palette-sheet.png"},
    };
    const QString locked = dir.filePath("locked");
    if (geteuid() != 0) { // permissions do not stop the superuser
        ASSERT_TRUE(QDir().mkpath(locked));
        ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        cases.push_back({{"sheets", image, locked}, exitFailure, locked + "/font-sheet.png"});
    }
    for (const test::FailingRun& c : cases)
        test::expectOneLineFailure(c);
    // A failed load creates no folder.
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("never")));
    if (QFileInfo::exists(locked))
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
}

TEST(SheetsCommand, HelpNamesTheCommand) {
    const CliRun help = runCommand({"sheets", "--help"});
    EXPECT_EQ(help.code, exitSuccess);
    EXPECT_TRUE(help.out.contains(
        "Usage: tarnwick-cli sheets [--japanese] [--any-image] [--force] IMAGE OUTDIR"))
        << help.out.toStdString();
    EXPECT_TRUE(runCommand({"--help"}).out.contains("sheets IMAGE OUTDIR"));
}

} // namespace
} // namespace tarnwick
