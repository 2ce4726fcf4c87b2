#include "CliTestSupport.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>

namespace tarnwick {
namespace {

using test::CliRun;
using test::runCommand;

TEST(OutputSafety, NoCommandWritesOverAnInputOfAnotherKindOrAFolderEvenWithForce) {
    QTemporaryDir dir;
    const QString image = test::writeDemo(dir, "image.smc", {RomVariant::SnesEnglish, false, 0});
    const QString other = dir.filePath("other.smc");
    test::writeFile(other, test::fileBytes(image));
    const QString json = dir.filePath("tables.json");
    const QString patch = dir.filePath("edits.bps");
    ASSERT_EQ(runCommand({"export", image, "-o", json}).code, exitSuccess);
    ASSERT_EQ(runCommand({"patch", image, other, patch}).code, exitSuccess);
    const QString sheets = dir.filePath("sheets");
    ASSERT_TRUE(QDir().mkpath(sheets));
    const QString imageAmongSheets = sheets + "/font-sheet.png";
    test::writeFile(imageAmongSheets, test::fileBytes(image));
    const QString folder = dir.filePath("folder");
    ASSERT_TRUE(QDir().mkpath(folder));

    const test::FailingRun cases[] = {
        {{"export", "--force", "-o", image, image},
         exitFailure,
         "it is the image this command reads, and a JSON export is never written over it"},
        {{"import", "--force", "-o", json, image, json},
         exitFailure,
         "it is the JSON export this command reads, and an image"},
        {{"patch", "--force", image, other, image}, exitFailure, "a patch is never written"},
        {{"apply", "--force", image, patch, patch}, exitFailure, "it is the patch this command"},
        {{"sheets", "--force", imageAmongSheets, sheets}, exitFailure, "a picture is never"},
        {{"export", "-o", folder, image}, exitFailure, "\"" + folder + "\": it is a folder."},
        {{"demo-image", "--force", "--release", "gba-en", folder}, exitFailure, "it is a folder."},
    };
    const QByteArray imageBytes = test::fileBytes(image);
    const QByteArray jsonBytes = test::fileBytes(json);
    const QByteArray patchBytes = test::fileBytes(patch);
    for (const test::FailingRun& c : cases) {
        test::expectOneLineFailure(c);
        EXPECT_FALSE(runCommand(c.args).err.contains("--force")) << "--force would not help";
    }
    EXPECT_EQ(test::fileBytes(image), imageBytes);
    EXPECT_EQ(test::fileBytes(json), jsonBytes);
    EXPECT_EQ(test::fileBytes(patch), patchBytes);
    EXPECT_EQ(test::fileBytes(imageAmongSheets), imageBytes);
    EXPECT_TRUE(QFileInfo(folder).isDir());

    // An image may replace an image: applying a patch in place is asked for with --force.
    test::expectOneLineFailure({{"apply", image, patch, image}, exitFailure, "Give --force"});
    ASSERT_EQ(runCommand({"apply", "--force", image, patch, image}).code, exitSuccess);
    EXPECT_EQ(test::fileBytes(image), test::fileBytes(other));
}

TEST(OutputSafety, ImportWritesToAnotherFileOnlyWhenAsked) {
    QTemporaryDir dir;
    const QString image = test::writeDemo(dir, "image.smc", {RomVariant::SnesEnglish, false, 0});
    const QString json = dir.filePath("tables.json");
    ASSERT_EQ(runCommand({"export", image, "-o", json}).code, exitSuccess);
    QJsonObject edited = test::parseObject(test::fileBytes(json));
    test::setValue(edited, "tables.shopTable.3.2", 0x42);
    test::writeFile(json, QJsonDocument(edited).toJson());
    const QByteArray before = test::fileBytes(image);

    const QString out = dir.filePath("imported.smc");
    const CliRun run = runCommand({"import", "-o", out, image, json});
    ASSERT_EQ(run.code, exitSuccess) << run.err.toStdString();
    EXPECT_EQ(test::fileBytes(image), before);
    const QByteArray imported = test::fileBytes(out);
    ASSERT_EQ(imported.size(), before.size());
    EXPECT_NE(imported, before);
    test::expectOneLineFailure({{"import", "-o", out, image, json}, exitFailure, "Give --force"});
}

TEST(OutputSafety, AWriteRemovesWhatAKilledSaveLeftInItsFolder) {
    QTemporaryDir dir;
    const QString leftover = dir.filePath("image.smc.tarnwick-save-0123abcd");
    test::writeFile(leftover, QByteArray(4096, '\x01'));
    ASSERT_EQ(runCommand({"demo-image", "--release", "snes-en", dir.filePath("image.smc")}).code,
              exitSuccess);
    EXPECT_FALSE(QFileInfo::exists(leftover));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"image.smc"});
}

TEST(OutputSafety, PipesAndDevicesAreRefusedAtOnce) {
    QTemporaryDir dir;
    const QString image = test::writeDemo(dir, "image.smc", {RomVariant::SnesEnglish, false, 0});
    const QString patch = dir.filePath("edits.ips");
    ASSERT_EQ(runCommand({"patch", image, image, patch}).code, exitSuccess);
    // Nobody writes into the pipe: a reader that opened it would wait for ever.
    const QString pipe = dir.filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString out = dir.filePath("out.smc");
    const QString namedPipe = "\": it is a named pipe, not a regular file.";

    const test::FailingRun cases[] = {
        {{"apply", image, pipe, out}, exitFailure, pipe + namedPipe},
        {{"apply", pipe, patch, out}, exitFailure, pipe + namedPipe},
        {{"apply", "/dev/zero", patch, out}, exitFailure, "it is a device, not a regular file."},
        {{"patch", pipe, image, out}, exitFailure, pipe + namedPipe},
        {{"diff", image, pipe}, exitFailure, pipe + namedPipe},
        {{"import", image, pipe}, exitFailure, pipe + namedPipe},
        {{"info", pipe}, exitFailure, pipe + namedPipe},
    };
    for (const test::FailingRun& c : cases)
        test::expectOneLineFailure(c);
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST(OutputSafety, IpsPatchesAddressTheFileAsItLiesOnDisk) {
    QTemporaryDir dir;
    // One record writing AB CD at file offset 0x8000, as another tool writes it.
    const QByteArray handWritten = QByteArray("PATCH") +
                                   QByteArray::fromHex("008000"
                                                       "0002"
                                                       "ABCD") +
                                   QByteArray("EOF");
    const QString patch = dir.filePath("hand.ips");
    test::writeFile(patch, handWritten);
    for (const bool header : {false, true}) {
        SCOPED_TRACE(header);
        const QString image =
            test::writeDemo(dir, header ? "h.smc" : "p.smc", {RomVariant::SnesEnglish, header, 0});
        const QString out = dir.filePath(header ? "h-out.smc" : "p-out.smc");
        const CliRun run = runCommand({"apply", image, patch, out});
        ASSERT_EQ(run.code, exitSuccess) << run.err.toStdString();
        EXPECT_TRUE(run.err.startsWith("tarnwick-cli: warning: ") &&
                    run.err.contains("IPS patch, which carries no checksum"))
            << run.err.toStdString();
        QByteArray expected = test::fileBytes(image);
        expected[0x8000] = '\xAB';
        expected[0x8001] = '\xCD';
        EXPECT_EQ(test::fileBytes(out), expected);

        // Made from those two files, the patch is the hand-written one.
        const QString made = dir.filePath("made.ips");
        ASSERT_EQ(runCommand({"patch", "--force", image, out, made}).code, exitSuccess);
        EXPECT_EQ(test::fileBytes(made), handWritten);
    }
}

} // namespace
} // namespace tarnwick
