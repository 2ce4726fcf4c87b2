#include "CliTestSupport.h"

#include <QFileInfo>

namespace tarnwick {
namespace {

using test::runCommand;

QByteArray withEdits(QByteArray image) {
    for (const qsizetype at : {qsizetype{0x100}, qsizetype{0x12345}, image.size() - 1})
        image[at] = static_cast<char>(image[at] ^ 0x5A);
    return image;
}

TEST(PatchCommands, BpsPatchesLeaveCopierHeadersOut) {
    struct Case {
        QStringList options;
        QString outName;
    };
    const Case cases[] = {
        {{}, "edits.bps"},
        {{}, "edits.patch"}, // BPS unless told otherwise
        {{"--bps"}, "edits.dat"},
    };
    QTemporaryDir dir;
    // The original carries a copier header and the modified image none: the patch describes
    // the images proper, so it applies to either form of the original.
    const QString headered = test::writeDemo(dir, "clean.smc", {RomVariant::SnesEnglish, true, 0});
    const QString plain = test::writeDemo(dir, "plain.sfc", {RomVariant::SnesEnglish, false, 0});
    const QByteArray modifiedBytes = withEdits(test::fileBytes(plain));
    const QString modified = dir.filePath("modified.sfc");
    test::writeFile(modified, modifiedBytes);
    const QByteArray header = test::fileBytes(headered).left(0x200);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.outName.toStdString());
        const QString patch = dir.filePath(c.outName);
        QFile::remove(patch);
        const test::CliRun made =
            runCommand(QStringList{"patch"} + c.options + QStringList{headered, modified, patch});
        ASSERT_EQ(made.code, exitSuccess) << made.err.toStdString();
        EXPECT_TRUE(test::fileBytes(patch).startsWith("BPS1"));

        const QString fromPlain = dir.filePath("from-plain.sfc");
        const QString fromHeadered = dir.filePath("from-headered.smc");
        for (const QString& out : {fromPlain, fromHeadered})
            QFile::remove(out);
        const test::CliRun applied = runCommand({"apply", plain, patch, fromPlain});
        ASSERT_EQ(applied.code, exitSuccess) << applied.err.toStdString();
        EXPECT_TRUE(test::fileBytes(fromPlain) == modifiedBytes);
        // The header of a headered image goes back in front of the result.
        ASSERT_EQ(runCommand({"apply", headered, patch, fromHeadered}).code, exitSuccess);
        EXPECT_TRUE(test::fileBytes(fromHeadered) == header + modifiedBytes);
    }
}

TEST(PatchCommands, FailuresSayWhyAndWriteNothing) {
    QTemporaryDir dir;
    const QString clean = test::writeDemo(dir, "clean.gba", {RomVariant::GbaEnglish, false, 0});
    const QString other = dir.filePath("other.gba");
    test::writeFile(other, withEdits(test::fileBytes(clean)));
    const QString headered = test::writeDemo(dir, "h.smc", {RomVariant::SnesEnglish, true, 0});
    const QString huge = dir.filePath("huge.gba");
    test::writeFile(huge, QByteArray(0x1000001, '\x01'));
    const QString notPatch = dir.filePath("notes.txt");
    test::writeFile(notPatch, "hello");
    const QString patch = dir.filePath("existing.bps");
    ASSERT_EQ(runCommand({"patch", clean, other, patch}).code, exitSuccess);
    const QString missing = dir.filePath("missing.gba");
    const QString out = dir.filePath("out.bin");
    // Nothing but a truncation record: the image is cut to 337 bytes.
    const QString truncating = dir.filePath("cut.ips");
    test::writeFile(truncating, QByteArray("PATCHEOF\x00\x01\x51", 11));

    const test::FailingRun cases[] = {
        {{"patch", clean, other}, exitUsage, "expected 3 arguments"},
        {{"apply", clean, patch}, exitUsage, "expected 3 arguments"},
        {{"patch", "--bps", "--ips", clean, other, out}, exitUsage, "exclude each other"},
        {{"patch", "--bps", clean, other, dir.filePath("x.ips")}, exitUsage, "does not match"},
        {{"patch", missing, other, out}, exitFailure, "Could not read \"" + missing},
        {{"patch", clean, other, patch}, exitFailure, "Give --force to replace it"},
        {{"patch", "--ips", clean, huge, out}, exitFailure, "cannot describe images over 16 MiB"},
        {{"apply", other, patch, out}, exitFailure, "is not the one the patch was made for"},
        {{"apply", headered, patch, out}, exitFailure, "copier header was left out"},
        {{"apply", clean, notPatch, out}, exitFailure, "neither a BPS patch"},
        {{"apply", clean, missing, out}, exitFailure, "missing.gba"},
    };
    const QByteArray patchBytes = test::fileBytes(patch);
    for (const test::FailingRun& c : cases) {
        test::expectOneLineFailure(c);
        EXPECT_FALSE(QFileInfo::exists(out));
    }
    // Beside the IPS warning: the truncated image is refused and nothing is written.
    const test::CliRun cut = runCommand({"apply", headered, truncating, out});
    EXPECT_EQ(cut.code, exitFailure);
    EXPECT_TRUE(cut.err.contains("no SNES English image any more")) << cut.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(out));
    EXPECT_EQ(test::fileBytes(patch), patchBytes);
    EXPECT_EQ(runCommand({"patch", "--force", clean, other, patch}).code, exitSuccess);
}

TEST(PatchCommands, HelpTellsOfTheCommandsAndCopierHeaders) {
    const std::pair<QStringList, QString> cases[] = {
        {{"--help"}, "apply IMAGE PATCH OUT"},
        {{"patch", "--help"}, "copier header"},
        {{"apply", "--help"}, "put back in front of OUT"},
    };
    for (const auto& [args, expected] : cases) {
        const test::CliRun run = runCommand(args);
        EXPECT_EQ(run.code, exitSuccess);
        EXPECT_TRUE(run.out.contains(expected)) << run.out.toStdString();
    }
}

} // namespace
} // namespace tarnwick
