#include "CliTestSupport.h"

#include <QFileInfo>

namespace tarnwick {
namespace {

using test::runCommand;

// Shop 6, slot 5 and chest 3's flags byte of a SNES image.
constexpr qsizetype shopSlot = 0x47AC0 + 6 * 9 + 5;
constexpr qsizetype chestFlags = 0x2D8634 + 3 * 5 + 3;

QByteArray withByte(QByteArray image, qsizetype at, char value) {
    image[at] = value;
    return image;
}

struct Files {
    QTemporaryDir dir;
    QString original = test::writeDemo(dir, "clean.sfc", {RomVariant::SnesEnglish, false, 0});
    QString path(const QString& name) const { return dir.filePath(name); }
    QString image(const QString& name, const QByteArray& bytes) const {
        test::writeFile(path(name), bytes);
        return path(name);
    }
};

// Mods given as an export, a patch or an image merge; a conflict stops the command until
// --prefer settles it, and OUT then holds that side's value.
TEST(MergeCommand, WritesAMergeAndStopsAtConflicts) {
    Files files;
    const QByteArray clean = test::fileBytes(files.original);
    const QString shops = files.image("shops.sfc", withByte(clean, shopSlot, 10));
    const QString rival = files.image("rival.sfc", withByte(clean, shopSlot, 11));
    const QString chests =
        files.image("chests.sfc", withByte(clean, chestFlags, clean[chestFlags] ^ 0x10));
    const QString json = files.path("shops.json");
    const QString patch = files.path("chests.bps");
    ASSERT_EQ(runCommand({"export", "-o", json, shops}).code, exitSuccess);
    ASSERT_EQ(runCommand({"patch", files.original, chests, patch}).code, exitSuccess);
    const QString out = files.path("out.sfc");

    struct Case {
        QStringList options;
        QString first, second;
        int code;
        char shop; // at shopSlot of OUT; 0: nothing written
        QString said;
    };
    const Case cases[] = {
        {{}, json, patch, exitSuccess, 10, "Shops: 1 field from the first"},
        {{},
         json,
         rival,
         exitFailure,
         0,
         "Shop 6 (Vossbridge) #5: first Silver Hammer, second Star Whip\n"},
        {{"--prefer", "second"}, json, rival, exitSuccess, 11, "1 conflict settled for the second"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.said.toStdString());
        QFile::remove(out);
        const test::CliRun run = runCommand(QStringList{"merge", "-o", out} + c.options +
                                            QStringList{files.original, c.first, c.second});
        EXPECT_EQ(run.code, c.code) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(c.said)) << run.out.toStdString();
        const QByteArray merged = test::fileBytes(out);
        EXPECT_EQ(merged.isEmpty() ? 0 : merged[shopSlot], c.shop);
        if (c.second == patch) {
            EXPECT_EQ(merged[chestFlags], clean[chestFlags] ^ 0x10);
        }
    }
}

TEST(MergeCommand, RefusesWhatDoesNotFitAndKeepsTheOutputRule) {
    Files files;
    const QString gba = test::writeDemo(files.dir, "other.gba", {RomVariant::GbaEnglish, false, 0});
    const QString japanese =
        test::writeDemo(files.dir, "ja.sfc", {RomVariant::SnesJapanese, false, 0});
    const QString foreign = files.path("foreign.bps");
    ASSERT_EQ(runCommand({"patch", japanese, files.original, foreign}).code, exitSuccess);
    const QString json = files.path("tables.json");
    ASSERT_EQ(runCommand({"export", "-o", json, files.original}).code, exitSuccess);
    const QString existing = files.image("existing.sfc", "kept");
    const QString& o = files.original;

    const test::FailingRun cases[] = {
        {{"merge", o, o, o}, exitUsage, "-o OUT is required"},
        {{"merge", "-o", existing, "--prefer", "both", o, o, o}, exitUsage, "expected first"},
        {{"merge", "-o", files.path("x"), o, gba, o}, exitFailure, "reads as a GBA English image"},
        {{"merge", "-o", files.path("x"), o, foreign, o}, exitFailure, "does not apply to"},
        {{"merge", "-o", existing, o, o, json}, exitFailure, "Give --force to replace it"},
        {{"merge", "--force", "-o", o, o, o, json}, exitFailure, "a merge never replaces"},
    };
    for (const test::FailingRun& c : cases)
        test::expectOneLineFailure(c);
    EXPECT_FALSE(QFileInfo::exists(files.path("x")));
    EXPECT_EQ(test::fileBytes(existing), "kept");
}

TEST(MergeCommand, JsonListsTheConflictsAndTheSummary) {
    Files files;
    const QByteArray clean = test::fileBytes(files.original);
    const QString one = files.image("one.sfc", withByte(clean, shopSlot, 10));
    const QString two = files.image("two.sfc", withByte(clean, shopSlot, 11));
    const test::CliRun run =
        runCommand({"merge", "--json", "-o", files.path("out.sfc"), files.original, one, two});
    EXPECT_EQ(run.code, exitFailure);
    const QJsonObject json = test::parseObject(run.out.toUtf8());
    EXPECT_FALSE(json["written"].toBool());
    EXPECT_EQ(test::valueAt(json, "conflicts.0.field").toString(), "#5");
    EXPECT_EQ(test::valueAt(json, "conflicts.0.second").toString(), "Star Whip");
    EXPECT_EQ(test::valueAt(json, "summary.tables.2.conflicts").toInt(), 1);
}

} // namespace
} // namespace tarnwick
