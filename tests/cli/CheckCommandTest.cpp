#include "CliTestSupport.h"

#include "demo/DemoTextFiles.h"
#include "rom/Releases.h"

#include <QJsonArray>
#include <QRegularExpression>

namespace tarnwick {
namespace {

using test::CliRun;
using test::runCommand;

// A copy of the image with chest 7 (an item chest on GBA) holding item 276, past the 271 items
// the game names: an error; and shop 2 selling its first item twice: a warning.
QString withMistakes(const QTemporaryDir& dir, const QString& image) {
    QByteArray bytes = test::fileBytes(image);
    const auto chest = static_cast<qsizetype>(chestTablePlacement[2].offset + 7 * 5);
    bytes[chest + 3] = static_cast<char>(0x40 | 0x04); // item chest, ninth item bit set
    bytes[chest + 4] = 20;
    const auto shop = static_cast<qsizetype>(shopTablePlacement[2].offset + 2 * 9);
    bytes[shop + 2] = bytes[shop + 1];
    const QString path = dir.filePath("modded.gba");
    test::writeFile(path, bytes);
    return path;
}

TEST(CheckCommand, ExitsOneOnErrorsAndReportsOnlyWhatTheModIntroducedAgainstItsOriginal) {
    QTemporaryDir dir;
    const QString original = test::writeDemo(dir, "original.gba", {RomVariant::GbaEnglish});
    const QString modded = withMistakes(dir, original);

    const CliRun clean = runCommand({"check", original});
    EXPECT_EQ(clean.code, exitSuccess) << clean.err.toStdString();
    EXPECT_TRUE(clean.out.endsWith(" warnings\n")) << clean.out.toStdString();

    const CliRun all = runCommand({"check", modded});
    EXPECT_EQ(all.code, exitFailure);
    EXPECT_TRUE(all.out.contains("error: chestTable 7 (")) << all.out.toStdString();
    EXPECT_TRUE(all.out.contains("holds item 276, past the 271 items the game names"));

    const CliRun introduced = runCommand({"check", "--against", original, modded});
    EXPECT_EQ(introduced.code, exitFailure);
    const QStringList lines = introduced.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << introduced.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith("error: chestTable 7"));
    EXPECT_TRUE(lines[1].startsWith("warning: shopTable 2"));
    EXPECT_EQ(lines[2], "1 error, 1 warning");

    const CliRun json = runCommand({"check", "--json", "--against", original, modded});
    EXPECT_EQ(json.code, exitFailure);
    const QJsonArray findings = QJsonDocument::fromJson(json.out.toUtf8()).array();
    ASSERT_EQ(findings.size(), 2);
    EXPECT_EQ(findings[0]["severity"].toString(), "error");
    EXPECT_EQ(findings[0]["table"].toString(), "chestTable");
    EXPECT_EQ(findings[0]["record"].toInt(), 7);
    EXPECT_TRUE(findings[1]["message"].toString().endsWith("twice (#1 and #2)"));

    test::expectOneLineFailure({{"check", "--against", dir.filePath("missing.gba"), modded},
                                exitFailure,
                                "does not exist"});
}

// diff compares two images as it compares an image with an export.
TEST(CheckCommand, DiffComparesTwoImagesOfOneRelease) {
    QTemporaryDir dir;
    const QString original = test::writeDemo(dir, "original.gba", {RomVariant::GbaEnglish});
    const QString modded = withMistakes(dir, original);
    const CliRun same = runCommand({"diff", original, original});
    EXPECT_EQ(same.code, exitSuccess) << same.err.toStdString();
    EXPECT_EQ(same.out, "0 differences\n");

    const CliRun changed = runCommand({"diff", original, modded});
    EXPECT_EQ(changed.code, exitDifferences) << changed.err.toStdString();
    EXPECT_TRUE(changed.out.contains(QRegularExpression("chestTable 7 \\(.+\\) byte 3: ")))
        << changed.out.toStdString();
    EXPECT_TRUE(changed.out.endsWith("differences\n"));

    const QString other = test::writeDemo(dir, "other.smc", {RomVariant::SnesEnglish});
    test::expectOneLineFailure(
        {{"diff", other, original}, exitFailure, "only images of one release compare"});
}

// changelog words what a mod changed, plain or as Markdown, naming chests by a location file.
TEST(CheckCommand, ChangelogWritesTheModsChangesInWords) {
    QTemporaryDir dir;
    const QString original = test::writeDemo(dir, "original.gba", {RomVariant::GbaEnglish});
    const QString modded = withMistakes(dir, original);
    const QString locations = dir.filePath("chestloc.txt");
    test::writeFile(locations, "Harrowmere, inn\r\nHarrowmere, well\r\n");

    const CliRun plain = runCommand({"changelog", "--locations", locations, original, modded});
    EXPECT_EQ(plain.code, exitSuccess) << plain.err.toStdString();
    const QStringList lines = plain.out.split('\n');
    ASSERT_GE(lines.size(), 5) << plain.out.toStdString();
    EXPECT_EQ(lines[0], "Chests");
    EXPECT_TRUE(lines[1].startsWith("  Chest 7: ")) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].contains(" -> item 276")) << lines[1].toStdString();
    EXPECT_EQ(lines[3], "Shops");
    EXPECT_TRUE(lines[4].contains("#2 ")) << lines[4].toStdString();

    const CliRun markdown = runCommand({"changelog", "--markdown", original, modded});
    EXPECT_EQ(markdown.code, exitSuccess);
    EXPECT_TRUE(markdown.out.startsWith("## Chests\n\n- Chest 7: ")) << markdown.out.toStdString();
    EXPECT_TRUE(markdown.out.contains("\n## Shops\n\n- Shop 2 ("));

    const CliRun same = runCommand({"changelog", original, original});
    EXPECT_EQ(same.out, "No record differs between the two images.\n");
    test::expectOneLineFailure(
        {{"changelog", "--table", dir.filePath("none.tbl"), original, modded},
         exitFailure,
         "does not exist"});
}

// The Japanese names of a changelog come with their syllables composed, as a player reads them.
TEST(CheckCommand, ChangelogComposesJapaneseSoundMarks) {
    QTemporaryDir dir;
    const QString original = test::writeDemo(dir, "original.gba", {RomVariant::GbaJapanese});
    QByteArray bytes = test::fileBytes(original);
    const auto shop = static_cast<qsizetype>(shopTablePlacement[3].offset + 12 * 9);
    bytes[shop + 3] = 10; // item #3 of shop 12
    const QString modded = dir.filePath("modded.gba");
    test::writeFile(modded, bytes);
    const QString table = dir.filePath("charset-gba-ja.tbl");
    const std::string readings = demoCharacterTable(RomVariant::GbaJapanese);
    test::writeFile(table, QByteArray::fromStdString(readings));
    const CliRun run = runCommand({"changelog", "--table", table, original, modded});
    EXPECT_EQ(run.code, exitSuccess) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QString::fromUtf8("-> シルバーハンマー")))
        << run.out.toStdString();
}

} // namespace
} // namespace tarnwick
