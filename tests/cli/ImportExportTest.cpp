#include "CliTestSupport.h"
#include "DemoShapes.h"

#include "qtio/FileNames.h"
#include "tables/TablesJson.h"

#include <QRegularExpression>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tarnwick {
namespace {

using test::CliRun;
using test::fileBytes;
using test::runCommand;

using test::describe;
using test::everyShape;
using test::ImageCase;

QString keyOf(RomVariant release) {
    return QString::fromLatin1(releaseKey(release).data(),
                               static_cast<qsizetype>(releaseKey(release).size()));
}

// Exports the image to a file beside it and returns the parsed export.
QJsonObject exportImage(const QTemporaryDir& dir, const QString& image, const QString& name) {
    const QString jsonPath = dir.filePath(name);
    const CliRun run = runCommand({"export", "--force", image, "-o", jsonPath});
    EXPECT_EQ(run.code, exitSuccess) << run.err.toStdString();
    return test::parseObject(fileBytes(jsonPath));
}

QString writeJson(const QTemporaryDir& dir, const QJsonObject& json) {
    const QString path = dir.filePath("edited.json");
    test::writeFile(path, QJsonDocument(json).toJson());
    return path;
}

TEST(ImportExport, ExportHoldsTheFileBytesAndImportLeavesTheFileByteIdentical) {
    QTemporaryDir dir;
    for (const ImageCase& c : everyShape) {
        SCOPED_TRACE(describe(c));
        const QString image = test::writeDemo(dir, "image", {c.release, c.header, c.tail});
        const QByteArray before = fileBytes(image);
        const QJsonObject json = exportImage(dir, image, "tables.json");
        const auto header = static_cast<qsizetype>(c.header ? 0x200 : 0);
        const int r = variantIndex(c.release);

        EXPECT_EQ(json["format"].toString(), "tarnwick-tables");
        EXPECT_EQ(json["version"].toInt(), 2);
        EXPECT_EQ(json["release"].toString(), keyOf(c.release));
        EXPECT_EQ(json["headerSize"].toInt(), header);
        if (const auto& gp = gpMultiplierOffset[r]) {
            EXPECT_EQ(json["gpMultiplier"].toInt(),
                      static_cast<std::uint8_t>(before[header + static_cast<qsizetype>(*gp)]));
        }

        for (const TableBinding& binding : recordTables()) {
            const TablePlacement& where = (*binding.placement)[r];
            const QJsonArray rows =
                json["tables"][QString::fromLatin1(binding.key.data())].toArray();
            SCOPED_TRACE(binding.key);
            ASSERT_EQ(rows.size(), where.count);
            int mismatches = 0;
            for (int i = 0; i < where.count; ++i) {
                const QJsonArray values = rows[i].toObject()["values"].toArray();
                ASSERT_EQ(values.size(), where.recordSize) << "record " << i;
                for (int j = 0; j < where.recordSize; ++j) {
                    const auto at =
                        header + static_cast<qsizetype>(where.offset) + i * where.recordSize + j;
                    mismatches += values[j].toInt() != static_cast<std::uint8_t>(before[at]);
                }
            }
            EXPECT_EQ(mismatches, 0);
        }

        // Standard output carries the same text as the file.
        EXPECT_EQ(runCommand({"export", image}).out.toUtf8(),
                  fileBytes(dir.filePath("tables.json")));

        // GBA images have no GP multiplier byte, so import must not require one.
        QString jsonPath = dir.filePath("tables.json");
        if (isGbaVariant(c.release)) {
            QJsonObject withoutGp = json;
            withoutGp.remove("gpMultiplier");
            jsonPath = writeJson(dir, withoutGp);
        }
        const CliRun imported = runCommand({"import", image, jsonPath});
        ASSERT_EQ(imported.code, exitSuccess) << imported.err.toStdString();
        EXPECT_TRUE(imported.out.isEmpty() && imported.err.isEmpty());
        EXPECT_TRUE(fileBytes(image) == before);
    }
}

// Each record carries its label beside its values, on one line of the file, so a diff of two
// exports says which record changed; an export written before labels existed still imports.
TEST(ImportExport, RecordsAreLabelledOnLinesOfTheirOwnAndUnlabelledExportsStillImport) {
    QTemporaryDir dir;
    const QString image = test::writeDemo(dir, "image.smc", {RomVariant::SnesEnglish, false, 0});
    const QJsonObject json = exportImage(dir, image, "tables.json");
    EXPECT_EQ(test::valueAt(json, "tables.shopTable.5.label").toString(), "Vossbridge");
    EXPECT_EQ(test::valueAt(json, "tables.monsterBoxTable.7.label").toString(),
              "Monster-in-a-box 7");
    const QByteArray text = fileBytes(dir.filePath("tables.json"));
    const QByteArray shopLine =
        QByteArray("{\"label\": \"Vossbridge\", \"values\": [") +
        QByteArray::number(test::valueAt(json, "tables.shopTable.5.0").toInt());
    EXPECT_TRUE(text.contains(shopLine)) << text.left(2000).toStdString();

    // Version 1: bare arrays of values, no labels.
    QJsonObject old = json;
    old["version"] = 1;
    QJsonObject tables = old["tables"].toObject();
    for (auto table = tables.begin(); table != tables.end(); ++table) {
        QJsonArray rows;
        for (const QJsonValue record : table.value().toArray())
            rows.append(record.toObject()["values"]);
        table.value() = rows;
    }
    old["tables"] = tables;
    test::setValue(old, "tables.shopTable.5.2", 0x42);
    const CliRun run = runCommand({"import", image, writeJson(dir, old)});
    ASSERT_EQ(run.code, exitSuccess) << run.err.toStdString();
    const QJsonObject imported = exportImage(dir, image, "again.json");
    EXPECT_EQ(test::valueAt(imported, "tables.shopTable.5.2").toInt(), 0x42);
}

TEST(ImportExport, NamesHoldTheEntriesEachReleaseFillsAsHexadecimal) {
    struct Case {
        RomVariant release;
        int items, monsters, spells, shopTypes;
        const char* emptyItemName; // nullptr: not a fixed string
    };
    const Case cases[] = {
        {RomVariant::SnesEnglish, 256, 384, 54, 0, nullptr},
        {RomVariant::SnesJapanese, 256, 384, 54, 0, "FF6AA6BC51"},
        {RomVariant::GbaEnglish, 271, 423, 57, 6, nullptr},
        {RomVariant::GbaJapanese, 271, 423, 57, 0, "FF6AA6BC51"},
    };
    const QRegularExpression hexBytes("^([0-9A-F]{2})*$");
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(releaseName(c.release));
        const QString image = test::writeDemo(dir, "image", {c.release, false, 0});
        const QJsonObject names = exportImage(dir, image, "tables.json")["names"].toObject();
        EXPECT_EQ(names["itemNames"].toArray().size(), c.items);
        EXPECT_EQ(names["monsterNames"].toArray().size(), c.monsters);
        EXPECT_EQ(names["spellNames"].toArray().size(), c.spells);
        EXPECT_EQ(names["shopTypeNames"].toArray().size(), c.shopTypes);
        if (c.emptyItemName) {
            EXPECT_EQ(names["emptyItemName"].toString(), c.emptyItemName);
        }
        for (const QJsonValue name : names["itemNames"].toArray())
            ASSERT_TRUE(hexBytes.match(name.toString()).hasMatch())
                << name.toString().toStdString();
        EXPECT_FALSE(names["itemNames"][0].toString().isEmpty());
    }
}

TEST(ImportExport, EditedValueLandsAtItsFileOffsetAndNowhereElse) {
    struct Case {
        RomVariant release;
        bool header;
        std::uint64_t tail;
        const char* path;
        std::uint64_t imageOffset;
    };
    const Case cases[] = {
        {RomVariant::SnesEnglish, false, 0, "tables.chestTable.10.2", 0x2D8634 + 10 * 5 + 2},
        {RomVariant::SnesEnglish, true, 0, "tables.shopTable.127.8", 0x47AC0 + 127 * 9 + 8},
        {RomVariant::SnesEnglish, true, 0, "gpMultiplier", 0x4C41},
        {RomVariant::SnesEnglish, false, 0, "tables.anim14Table.405.13", 0x107FB2 + 405 * 14 + 13},
        {RomVariant::SnesJapanese, true, 0, "tables.esperTable.26.10", 0x26F567 + 26 * 11 + 10},
        {RomVariant::SnesJapanese, false, 0, "tables.anim8Table.127.0", 0x2CE400 + 127 * 8},
        {RomVariant::GbaEnglish, false, 0, "tables.anim14Table.440.14", 0x98A20 + 440 * 15 + 14},
        {RomVariant::GbaJapanese, false, 4096, "tables.anim8Table.142.7", 0xBF878 + 142 * 8 + 7},
        {RomVariant::GbaJapanese, false, 0, "tables.monsterBoxTable.255.3", 0x7FF88E + 255 * 4 + 3},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(releaseName(c.release)) + (c.header ? " with header " : " ") +
                     c.path);
        const QString image = test::writeDemo(dir, "image", {c.release, c.header, c.tail});
        const QByteArray before = fileBytes(image);
        QJsonObject json = exportImage(dir, image, "tables.json");
        const int newValue = (test::valueAt(json, c.path).toInt() + 1) & 0xFF;
        test::setValue(json, c.path, newValue);

        const CliRun run = runCommand({"import", image, writeJson(dir, json)});
        ASSERT_EQ(run.code, exitSuccess) << run.err.toStdString();
        const QByteArray after = fileBytes(image);
        ASSERT_EQ(after.size(), before.size());
        const auto expectedAt = static_cast<qsizetype>(c.imageOffset) + (c.header ? 0x200 : 0);
        std::vector<qsizetype> changed;
        for (qsizetype i = 0; i < after.size(); ++i)
            if (after[i] != before[i])
                changed.push_back(i);
        ASSERT_EQ(changed, std::vector<qsizetype>{expectedAt});
        EXPECT_EQ(static_cast<std::uint8_t>(after[expectedAt]), newValue);
    }
}

TEST(ImportExport, InvalidTablesNameTheJsonPathAndLeaveTheFileAlone) {
    const QJsonValue remove = QJsonValue(QJsonValue::Undefined);
    auto zeros = [](int count) {
        QJsonArray array;
        for (int i = 0; i < count; ++i)
            array.append(0);
        return array;
    };
    struct Case {
        const char* path;
        QJsonValue value;
        const char* message;
    };
    const Case cases[] = {
        {"format", "tarnwick-other",
         "format: expected \"tarnwick-tables\", found \"tarnwick-other\""},
        {"version", 3, "version: expected 1 or 2, found 3"},
        {"release", "gba-en",
         "release: expected \"snes-en\" for a SNES English image, found "
         "\"gba-en\""},
        {"gpMultiplier", remove, "gpMultiplier: missing"},
        {"gpMultiplier", 256, "gpMultiplier: expected an integer 0-255, found 256"},
        {"tables", remove, "tables: missing"},
        {"tables", zeros(3), "tables: expected an object, found an array of 3 values"},
        {"tables.esperTable", remove, "tables.esperTable: missing"},
        {"tables.shopTable", zeros(127), "tables.shopTable: expected 128 records, found 127"},
        {"tables.shopTable.3", zeros(8), "tables.shopTable[3]: expected 9 values, found 8"},
        {"tables.anim8Table.0", 5, "tables.anim8Table[0]: expected an array of 8 values, found 5"},
        {"tables.chestTable.10.2", 300,
         "tables.chestTable[10][2]: expected an integer 0-255, found 300"},
        {"tables.chestTable.0.0", -1,
         "tables.chestTable[0][0]: expected an integer 0-255, found -1"},
        {"tables.chestTable.0.0", 2.5, "found 2.5"},
        {"tables.chestTable.0.0", "7", "found \"7\""},
        {"tables.chestTable.0.0", QJsonValue(), "found null"},
        // The last value of the last table: nothing may be written before everything is checked.
        {"tables.anim14Table.405.13", 256, "tables.anim14Table[405][13]: expected an integer"},
    };
    QTemporaryDir dir;
    const QString image = test::writeDemo(dir, "image.smc", {RomVariant::SnesEnglish, true, 0});
    const QByteArray before = fileBytes(image);
    const QJsonObject exported = exportImage(dir, image, "tables.json");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " -> " + c.message);
        QJsonObject json = exported;
        // A valid edit besides the fault, so a partial write would show.
        const int edited = (exported["tables"]["shopTable"][0][1].toInt() + 1) & 0xFF;
        test::setValue(json, "tables.shopTable.0.1", edited);
        test::setValue(json, c.path, c.value);
        const QString jsonPath = writeJson(dir, json);

        const CliRun run = runCommand({"import", image, jsonPath});
        EXPECT_EQ(run.code, exitFailure);
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(jsonPath)) << run.err.toStdString();
        EXPECT_EQ(run.err.count('\n'), 1);
        EXPECT_TRUE(fileBytes(image) == before);
    }
}

TEST(ImportExport, RefusesTablesOfAnotherRelease) {
    const std::pair<RomVariant, RomVariant> cases[] = {
        {RomVariant::SnesJapanese, RomVariant::SnesEnglish},
        {RomVariant::GbaJapanese, RomVariant::GbaEnglish},
        {RomVariant::GbaEnglish, RomVariant::SnesEnglish},
    };
    QTemporaryDir dir;
    for (const auto& [from, to] : cases) {
        SCOPED_TRACE(std::string(releaseName(from)) + " into " + std::string(releaseName(to)));
        const QString source = test::writeDemo(dir, "source", {from, false, 0});
        exportImage(dir, source, "tables.json");
        const QString target = test::writeDemo(dir, "target", {to, false, 0});
        const QByteArray before = fileBytes(target);

        const CliRun run = runCommand({"import", target, dir.filePath("tables.json")});
        EXPECT_EQ(run.code, exitFailure);
        EXPECT_TRUE(run.err.contains("release: expected \"" + keyOf(to) + "\""))
            << run.err.toStdString();
        EXPECT_TRUE(fileBytes(target) == before);
    }
}

TEST(ImportExport, UnreadableJsonSaysWhereAndLeavesTheFileAlone) {
    const std::pair<QByteArray, const char*> cases[] = {
        {"{\n  \"format\": \"tarnwick-tables\",\n  \"version\": 1,,\n}", "line 3, column"},
        {"", "line 1, column 1"},
        {"[1, 2]", "top level"},
    };
    QTemporaryDir dir;
    const QString image = test::writeDemo(dir, "image.smc", {RomVariant::SnesEnglish, false, 0});
    const QByteArray before = fileBytes(image);
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(message);
        const QString jsonPath = dir.filePath("broken.json");
        test::writeFile(jsonPath, text);
        const CliRun run = runCommand({"import", image, jsonPath});
        EXPECT_EQ(run.code, exitFailure);
        EXPECT_TRUE(run.err.contains(message)) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(jsonPath)) << run.err.toStdString();
        EXPECT_EQ(run.err.count('\n'), 1);
        EXPECT_TRUE(fileBytes(image) == before);
    }
}

TEST(ImportExport, JapaneseOptionAppliesUnlessTheImageSaysOtherwise) {
    struct Case {
        bool neutralTitleByte; // neither the Japanese nor the English mark
        bool option;
        RomVariant expected;
    };
    const Case cases[] = {
        {false, false, RomVariant::SnesEnglish},
        {false, true, RomVariant::SnesEnglish},
        {true, false, RomVariant::SnesEnglish},
        {true, true, RomVariant::SnesJapanese},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.neutralTitleByte ? "neutral" : "English") + " title byte" +
                     (c.option ? ", --japanese" : ""));
        const QString image = test::writeDemo(dir, "image", {RomVariant::SnesEnglish, false, 0});
        if (c.neutralTitleByte) {
            QByteArray bytes = fileBytes(image);
            bytes[static_cast<qsizetype>(snesLanguageByteOffset)] = 'X';
            test::writeFile(image, bytes);
        }
        // A neutral title byte names no release: the image loads when the user insists.
        QStringList args = {"export", image};
        if (c.neutralTitleByte)
            args << "--any-image";
        if (c.option)
            args << "--japanese";
        const CliRun run = runCommand(args);
        ASSERT_EQ(run.code, exitSuccess) << run.err.toStdString();
        EXPECT_EQ(test::parseObject(run.out.toUtf8())["release"].toString(), keyOf(c.expected));
    }
}

TEST(ImportExport, DiffListsTheEditedBytesAndChangesNoFile) {
    struct Edit {
        const char* path;
        const char* line; // %1 and %2: the exported and the edited value
    };
    struct Case {
        RomVariant release;
        std::vector<Edit> edits; // in the order the output lists them
        const char* count;
    };
    const Case cases[] = {
        {RomVariant::SnesEnglish, {}, "0 differences"},
        {RomVariant::SnesEnglish,
         {{"gpMultiplier", "gpMultiplier: %1 -> %2"},
          {"tables.chestTable.311.4", "chestTable 311 (Silver Tunic) byte 4: %1 -> %2"},
          {"tables.shopTable.5.3", "shopTable 5 (Vossbridge) byte 3: %1 -> %2"}},
         "3 differences"},
        {RomVariant::GbaJapanese,
         {{"tables.anim14Table.440.14",
           "anim14Table 440 ([6B][8D][73]゙[89][88]) byte 14: %1 -> %2"}},
         "1 difference"},
    };
    const auto hexByte = [](int value) {
        return "0x" + QString::number(value, 16).toUpper().rightJustified(2, '0');
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        const QString image = test::writeDemo(dir, "image", {c.release, false, 0});
        const QByteArray before = fileBytes(image);
        QJsonObject json = exportImage(dir, image, "tables.json");
        QStringList expected;
        for (const Edit& edit : c.edits) {
            const int old = test::valueAt(json, edit.path).toInt();
            const int edited = (old + 0x11) & 0xFF;
            test::setValue(json, edit.path, edited);
            expected << QString::fromUtf8(edit.line).arg(hexByte(old), hexByte(edited));
        }
        expected << c.count;
        const QString jsonPath = writeJson(dir, json);
        const QByteArray jsonBefore = fileBytes(jsonPath);

        const CliRun run = runCommand({"diff", image, jsonPath});
        // As diff and cmp: 1 when there are differences.
        EXPECT_EQ(run.code, c.edits.empty() ? exitSuccess : exitDifferences)
            << run.err.toStdString();
        EXPECT_TRUE(run.err.isEmpty());
        EXPECT_EQ(run.out.split('\n', Qt::SkipEmptyParts), expected) << run.out.toStdString();
        EXPECT_TRUE(fileBytes(image) == before);
        EXPECT_TRUE(fileBytes(jsonPath) == jsonBefore);
    }
}

// Names that are not UTF-8 reach the file system as the bytes the command line gave: the export
// is written under its name, and the image is loaded and saved under its own.
TEST(ImportExport, NamesThatAreNotUtf8AreUsedAsTheyAre) {
    QTemporaryDir dir;
    const std::string folder = QFile::encodeName(dir.path()).toStdString() + "/";
    const std::string image = folder + "bad\xFF\xFEname.smc";
    const std::string json = folder + "tables\xFF.json";
    ASSERT_TRUE(
        writeDemoImage({RomVariant::SnesEnglish, false, 0}, image, ExistingFile::Replace).isOk());
    QString messages;
    QTextStream output(&messages);
    const auto run = [&](const std::vector<std::string>& args) {
        const int code = runCli(args, output, output);
        output.flush();
        EXPECT_EQ(code, exitSuccess) << messages.toStdString();
    };
    const auto bytesAt = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(in), {}));
    };
    run({"export", "-o", json, image});
    QJsonObject tables = test::parseObject(bytesAt(json));
    const int edited = (test::valueAt(tables, "tables.chestTable.10.2").toInt() + 1) & 0xFF;
    test::setValue(tables, "tables.chestTable.10.2", edited);
    std::ofstream(json, std::ios::binary | std::ios::trunc)
        << QJsonDocument(tables).toJson().toStdString();

    run({"import", image, json});
    EXPECT_EQ(static_cast<std::uint8_t>(bytesAt(image).at(0x2D8634 + 10 * 5 + 2)), edited);
}

// A name that is not UTF-8 survives a QString both ways: through the lossless form the command
// lines use, and, when Qt itself turned its bytes into U+FFFD, through the folder's entries.
TEST(FileNames, ANameThatIsNotUtf8FindsItsFile) {
    QTemporaryDir dir;
    const std::string folder = QFile::encodeName(dir.path()).toStdString() + "/";
    const std::string names[] = {"plain.smc", "caf\xC3\xA9.smc", "bad\xFF\xFEname.smc",
                                 "\xED\xA0\x80surrogate", "line\nbreak\x80"};
    for (const std::string& name : names) {
        SCOPED_TRACE(escapedText(name));
        std::ofstream(folder + name) << "x";
        EXPECT_EQ(fileSystemBytes(nameFromFileSystem(folder + name)), folder + name);
        EXPECT_EQ(fileSystemName(QFile::decodeName(QByteArray::fromStdString(folder + name))),
                  folder + name);
    }
    // Two entries that Qt shows alike: neither is taken for the other.
    std::ofstream(folder + "twin\xFF") << "x";
    std::ofstream(folder + "twin\xFE") << "x";
    EXPECT_EQ(fileSystemName(dir.filePath(QStringLiteral("twin\uFFFD"))),
              folder + "twin\xEF\xBF\xBD");
}

} // namespace
} // namespace tarnwick
