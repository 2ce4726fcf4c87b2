#include "CliTestSupport.h"

#include "datafiles/DataFileSearch.h"
#include "graphics/Changelog.h"
#include "graphics/RecordNames.h"
#include "rom/RomImage.h"

namespace tarnwick {
namespace {

using test::runCommand;

QString composed(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
        .normalized(QString::NormalizationForm_C);
}

// check, diff and changelog read the character table and chest locations beside the image, and
// name records and word the changelog as the window does with those files.
TEST(DataFiles, CommandsNameRecordsFromTheFilesBesideTheImageAsTheWindowDoes) {
    QTemporaryDir dir;
    QTemporaryDir bare; // the same images with no data files beside them
    const QString original = dir.filePath("demo.gba");
    ASSERT_EQ(runCommand({"demo-image", "--release", "gba-ja", "--with-data-files", original}).code,
              exitSuccess);
    // Chest 30 moved one step and given chest 23's opened-flag (a warning).
    QByteArray bytes = test::fileBytes(original);
    const auto chestByte = [](int chest, int byte) {
        return static_cast<qsizetype>(chestTablePlacement[3].offset + chest * 5 + byte);
    };
    bytes[chestByte(30, 0)] ^= 1;
    bytes[chestByte(30, 2)] = bytes[chestByte(23, 2)];
    bytes[chestByte(30, 3)] = bytes[chestByte(23, 3)];
    const QString modded = dir.filePath("modded.gba");
    test::writeFile(modded, bytes);
    ASSERT_TRUE(QFile::copy(original, bare.filePath("demo.gba")));
    ASSERT_TRUE(QFile::copy(modded, bare.filePath("modded.gba")));

    RomImage before; // the window's names and changelog with modded.gba open
    RomImage after;
    ASSERT_TRUE(loadRom(before, original.toStdString()) && loadRom(after, modded.toStdString()));
    const QStringList folders = dataFileFolders(after.getPath(), {});
    const CharacterTable readings = characterTableFor(after.variant(), folders);
    RecordNameBook names(after, readings);
    const QString chest = "chestTable 30 (" + composed(names.nameOf("chestTable", 30)) + ")";
    const QString windowChangelog = composed(changelogText(
        changelog(before, after, readings, chestLocationLines(folders)), ChangelogStyle::Plain));

    const QString table = dir.filePath("charset-gba-ja.tbl");
    const QString locations = dir.filePath("chestloc.txt");
    // The arguments, the text the output holds (changelog: is), and whether it should.
    const std::tuple<QStringList, QString, bool> cases[] = {
        {{"check", modded}, chest + ": ", true},
        {{"check", bare.filePath("modded.gba")}, chest, false},
        {{"check", "--table", table, bare.filePath("modded.gba")}, chest + ": ", true},
        {{"diff", original, modded}, chest + " byte 0: ", true},
        {{"changelog", original, modded}, windowChangelog, true},
        {{"changelog", bare.filePath("demo.gba"), bare.filePath("modded.gba")},
         windowChangelog,
         false},
        {{"changelog", "--table", table, "--locations", locations, bare.filePath("demo.gba"),
          bare.filePath("modded.gba")},
         windowChangelog,
         true},
    };
    for (const auto& [args, expected, agrees] : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const QString out = runCommand(args).out;
        EXPECT_EQ(args[0] == "changelog" ? out == expected : out.contains(expected), agrees)
            << out.toStdString();
    }
}

} // namespace
} // namespace tarnwick
