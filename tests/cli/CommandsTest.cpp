#include "CliTestSupport.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace tarnwick {
namespace {

using test::CliRun;
using test::runCommand;

TEST(Commands, BadArgumentsFailWithOneLineAndTheRightStatus) {
    QTemporaryDir dir;
    const QString image = test::writeDemo(dir, "image.smc", {RomVariant::SnesEnglish, false, 0});
    const QString out = dir.filePath("out.bin");
    const QString missing = dir.filePath("missing.smc");
    const QString noise = dir.filePath("noise.gba");
    test::writeFile(noise, QByteArray(0x800000, '\x5A'));
    const QString brokenJson = dir.filePath("broken.json");
    test::writeFile(brokenJson, "{\"a\": }");
    const QString gbaJson = dir.filePath("gba.json");
    const QString gbaImage = test::writeDemo(dir, "image.gba", {RomVariant::GbaEnglish, false, 0});
    ASSERT_EQ(runCommand({"export", gbaImage, "-o", gbaJson}).code, exitSuccess);
    const test::FailingRun cases[] = {
        {{"frobnicate"}, exitUsage, "unknown command \"frobnicate\""},
        {{"info"}, exitUsage, "expected 1 argument"},
        {{"info", image, image}, exitUsage, "found 2"},
        {{"info", "--bogus", image}, exitUsage, "bogus"},
        {{"export"}, exitUsage, "expected 1 argument"},
        {{"export", image, "-o"}, exitUsage, "o"},
        {{"import", image}, exitUsage, "expected 2 arguments"},
        {{"demo-image", out}, exitUsage, "--release is required"},
        {{"demo-image", "--release", "n64", out}, exitUsage, "found \"n64\""},
        {{"demo-image", "--release", "gba-en", "--header", out}, exitUsage, "--header"},
        {{"demo-image", "--release", "snes-ja", "--tail", "16", out}, exitUsage, "--tail"},
        {{"demo-image", "--release", "gba-en", "--tail", "lots", out}, exitUsage, "\"lots\""},
        {{"demo-image", "--release", "gba-en", "--tail", "0x1000001", out}, exitUsage, "--tail"},
        {{"info", missing}, exitFailure, missing},
        {{"export", missing}, exitFailure, missing},
        {{"import", image, dir.filePath("missing.json")}, exitFailure, "missing.json"},
        {{"diff", image}, exitUsage, "expected 2 arguments"},
        {{"diff", image, dir.filePath("missing.json")}, exitFailure, "missing.json"},
        {{"diff", image, brokenJson}, exitFailure, "is not valid JSON: line 1"},
        {{"diff", image, gbaJson}, exitFailure, "release: expected \"snes-en\""},
        {{"export", image, "-o", dir.filePath("no/such/folder/x.json")},
         exitFailure,
         "x.json\": its folder does not exist."},
        {{"demo-image", "--release", "snes-en", dir.filePath("no/such/folder/x.smc")},
         exitFailure,
         "x.smc"},
        // An existing file is never overwritten without --force, not even by a demo image.
        {{"demo-image", "--release", "snes-en", image}, exitFailure, "Give --force to replace it"},
        {{"info", noise}, exitFailure, "game code at 0xAC is \"ZZZZ\""},
        {{"export", noise}, exitFailure, "Give --any-image to load it anyway as GBA English"},
    };
    const QByteArray imageBytes = test::fileBytes(image);
    for (const test::FailingRun& c : cases) {
        test::expectOneLineFailure(c);
        EXPECT_FALSE(QFileInfo::exists(out));
    }
    EXPECT_EQ(test::fileBytes(image), imageBytes);
    EXPECT_EQ(runCommand({"info", "--any-image", noise}).code, exitSuccess);
}

TEST(Commands, WithoutACommandTheUsageIsPrinted) {
    const CliRun run = runCommand({});
    EXPECT_EQ(run.code, exitUsage);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.startsWith("Usage: tarnwick-cli COMMAND")) << run.err.toStdString();
}

TEST(Commands, DemoImageWritesTheDemosTextFilesBesideItWhenAsked) {
    QTemporaryDir dir;
    const QString kept = dir.filePath("chestloc.txt");
    test::writeFile(kept, "Mine\r\n");
    const CliRun run = runCommand(
        {"demo-image", "--release", "gba-ja", "--with-data-files", dir.filePath("demo.gba")});
    ASSERT_EQ(run.code, exitSuccess) << run.err.toStdString();
    for (const char* name : {"animdata.txt", "charset-snes-en.tbl", "charset-gba-ja.tbl"})
        EXPECT_TRUE(QFileInfo::exists(dir.filePath(name))) << name;
    EXPECT_EQ(test::fileBytes(kept), "Mine\r\n") << "a user's own file is kept";
}

TEST(Commands, HelpAndVersionGoToStandardOutput) {
    struct Case {
        QStringList args;
        QString expected;
    };
    const Case cases[] = {
        {{"--help"}, "Usage: tarnwick-cli COMMAND"},
        {{"-h"}, "demo-image"},
        {{"--version"}, "tarnwick-cli " TARNWICK_TEST_VERSION},
        {{"info", "--help"}, "Usage: tarnwick-cli info [--japanese] [--any-image] IMAGE"},
        {{"import", "--help"}, "--japanese"},
        {{"diff", "--help"},
         "Usage: tarnwick-cli diff [--japanese] [--any-image] [--table FILE] IMAGE JSON"},
        {{"--help"}, "diff IMAGE JSON"},
        {{"demo-image", "--help"}, "--tail <BYTES>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliRun run = runCommand(c.args);
        EXPECT_EQ(run.code, exitSuccess);
        EXPECT_TRUE(run.out.contains(c.expected)) << run.out.toStdString();
        EXPECT_TRUE(run.err.isEmpty());
    }
}

// The texts of --help and of refused options, in the tool's own layout and voice.
TEST(Commands, HelpListsWholeArgumentNamesAndRefusalsSpeakAsTheTool) {
    QTemporaryDir dir;
    const QString image = test::writeDemo(dir, "image.gba", {RomVariant::GbaEnglish});
    // The arguments, the exit code, and a line of what the command writes.
    const std::tuple<QStringList, int, QString> cases[] = {
        {{"diff", "--help"}, exitSuccess, "  JSON|MODIFIED   A file written by the export"},
        {{"changelog", "--help"}, exitSuccess, "  ORIGINAL            The image before"},
        {{"diff", "--bogus", "a", "b"},
         exitUsage,
         "tarnwick-cli diff: unknown option --bogus (see tarnwick-cli diff --help)"},
        {{"check", "-x", image}, exitUsage, "tarnwick-cli check: unknown option -x ("},
        {{"check", image, "--table"}, exitUsage, ": missing value after '--table' ("},
        {{"patch", image, image, dir.filePath("same.bps")},
         exitSuccess,
         "tarnwick-cli: warning: the images are identical: the patch changes nothing"},
    };
    for (const auto& [args, code, text] : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const CliRun run = runCommand(args);
        EXPECT_EQ(run.code, code);
        EXPECT_TRUE((run.out + run.err).contains(text)) << (run.out + run.err).toStdString();
    }
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("same.bps")));
    // No command's help breaks an argument name over two lines: every line of its argument
    // list names an argument whole, or goes on with a description.
    const QRegularExpression argumentLine("^(  [A-Z][A-Z|]*  +\\S| {6,}\\S)");
    for (const char* command : {"info", "export", "import", "diff", "sheets", "demo-image", "patch",
                                "apply", "check", "changelog"}) {
        const QString help = runCommand({command, "--help"}).out;
        const QStringList lines = help.sliced(help.indexOf("\nArguments:\n") + 12).split('\n');
        for (const QString& line : lines)
            EXPECT_TRUE(line.isEmpty() || argumentLine.match(line).hasMatch())
                << command << ": " << line.toStdString();
    }
}

TEST(Commands, DemoImageWritesTheRequestedShapeAndInfoDescribesIt) {
    struct Case {
        QStringList options;
        qint64 fileLength;
        QStringList infoLines; // regular expressions, one per expected line
    };
    const Case cases[] = {
        {{"--release", "snes-en"},
         0x300000,
         {"^Release: +SNES English \\(snes-en\\)$", "^Copier header: +none$",
          "^  chestTable +0x2D8634 +0x2D8634 +312 x 5$", "^  gpMultiplier +0x004C41 +0x004C41",
          "^  shopTypeNames +- +- +none"}},
        {{"--release", "snes-ja", "--header"},
         0x300200,
         {"^Release: +SNES Japanese", "^Copier header: +0x200 \\(512\\) bytes$",
          "^Image size: +0x300000 ", "^File length: +0x300200 ",
          "^  esperTable +0x26F567 +0x26F767 +27 x 11$",
          "^  itemNames +0x26F700 +0x26F900 +256 x 9"}},
        {{"--release", "gba-en", "--tail", "0x100"},
         0x800100,
         {"^Release: +GBA English", "^File length: +0x800100 ",
          "^  anim14Table +0x098A20 +0x098A20 +441 x 15$",
          "^  spellNames +0x16A0D8 +0x16A0D8 +54 strings; slots 54-56 at 0x173F7A",
          "^  shopTypeNames +0x16ACDE .*into slots 1-5$", "^  Palette +0x6E6000"}},
        {{"--release", "gba-ja"},
         0x800000,
         {"^Release: +GBA Japanese", "^  anim8Table +0x0BF878 +0x0BF878 +143 x 8$",
          "^  Font +0x731618 +0x731618 +256 glyphs"}},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString());
        const QString path = dir.filePath("demo");
        const CliRun written =
            runCommand(QStringList{"demo-image", "--force"} + c.options + QStringList{path});
        ASSERT_EQ(written.code, exitSuccess) << written.err.toStdString();
        EXPECT_EQ(QFileInfo(path).size(), c.fileLength);

        const CliRun info = runCommand({"info", path});
        ASSERT_EQ(info.code, exitSuccess) << info.err.toStdString();
        for (const QString& line : c.infoLines) {
            const QRegularExpression pattern(line, QRegularExpression::MultilineOption);
            EXPECT_TRUE(pattern.match(info.out).hasMatch()) << line.toStdString() << "\n"
                                                            << info.out.toStdString();
        }
        EXPECT_EQ(info.out.contains("gpMultiplier"),
                  !c.options.contains("gba-en") && !c.options.contains("gba-ja"));
    }
}

} // namespace
} // namespace tarnwick
