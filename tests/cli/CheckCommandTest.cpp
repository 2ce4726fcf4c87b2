#include "CliTestSupport.h"

#include "rom/Releases.h"

#include <QJsonArray>

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
    EXPECT_TRUE(changed.out.contains("chestTable 7 byte 3: ")) << changed.out.toStdString();
    EXPECT_TRUE(changed.out.endsWith("differences\n"));

    const QString other = test::writeDemo(dir, "other.smc", {RomVariant::SnesEnglish});
    test::expectOneLineFailure(
        {{"diff", other, original}, exitFailure, "only images of one release compare"});
}

} // namespace
} // namespace tarnwick
