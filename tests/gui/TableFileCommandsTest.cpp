// File > Export Tables, Import Tables and Create Patch driven through the main window's menu,
// with the scripted user choosing the files.
#include "WindowTestSupport.h"

#include "patch/FilePatch.h"
#include "resources/MainTemplates.h"
#include "rom/RomImage.h"
#include "rom/TableChanges.h"

#include <QAction>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStatusBar>
#include <QtTest>

namespace tarnwick::testing {
namespace {

std::span<const std::uint8_t> bytesOf(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

// Changes two slots as one recorded step, as an editor would.
void editTables(RomImage& rom, EditHistory& history) {
    const TableSnapshot before = takeSnapshot(rom);
    rom.chestTable[0][0] = (rom.chestTable[0][0] + 1) & 0xFF;
    rom.shopTable[3][2] = (rom.shopTable[3][2] + 1) & 0xFF;
    history.record(changesSince(before, rom));
}

// Runs a menu command with the user choosing the files in turn; returns the status bar's text.
QString run(WindowOnDemoFile& w, int id, const QStringList& files = {}) {
    w.user.filesToChoose << files;
    w.window.commandAction(id)->trigger();
    return w.window.findChild<QStatusBar*>(QStringLiteral("statusBar"))->currentMessage();
}

} // namespace

class TableFileCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void commandsNeedAnImage() {
        QTemporaryDir folder;
        RomImage rom;
        EditHistory history;
        MainDialog window(rom, history, nullptr, testSettings(folder));
        for (const int id : {command::exportTables, command::importTables, command::createPatch})
            QVERIFY(!window.commandAction(id)->isEnabled());
    }

    // Questions of one kind start in the folder of the last answer of that kind, with the name
    // they suggest, in later sessions too; a folder that has gone is not offered.
    void fileQuestionsStartWhereTheirKindWentLast() {
        QTemporaryDir folder;
        QStringList starts;
        QString answer;
        const FileChooser ask = [&](QWidget*, const FileQuestion& question) {
            starts << question.start;
            return answer;
        };
        const QString image = folder.filePath(QStringLiteral("game.json"));
        const QString exports = folder.filePath(QStringLiteral("exports"));
        QVERIFY(QDir().mkpath(exports));
        {
            const auto settings = testSettings(folder);
            const FileChooser remembering = rememberingFolders(*settings, ask);
            answer = QDir(exports).filePath(QStringLiteral("mine.json"));
            remembering(nullptr, {"Export", "", image, true, "tables"});
            answer.clear(); // cancelled from here on: nothing more is remembered
            remembering(nullptr, {"Patch", "", folder.path(), false, "originals"});
            remembering(nullptr, {"Other", "", image, false, ""});
        }
        const auto nextSession = testSettings(folder);
        const FileChooser remembering = rememberingFolders(*nextSession, ask);
        remembering(nullptr, {"Import", "", image, false, "tables"});
        QVERIFY(QDir(exports).removeRecursively());
        remembering(nullptr, {"Import", "", image, false, "tables"});
        QCOMPARE(starts, QStringList({image, folder.path(), image,
                                      QDir(exports).filePath(QStringLiteral("game.json")), image}));
    }

    void importOfAnExportRestoresTheTablesAsOneStep_data() { addReleaseRows(); }
    void importOfAnExportRestoresTheTablesAsOneStep() {
        QFETCH(int, release);
        const auto variant = static_cast<RomVariant>(release);
        WindowOnDemoFile w(variant, !isGbaVariant(variant));
        const QByteArray file = fileBytes(w.path);
        const QString json = w.folder.filePath(QStringLiteral("tables.json"));
        run(w, command::exportTables, {json});
        const TableSnapshot exported = takeSnapshot(w.rom);
        editTables(w.rom, w.history);
        const TableSnapshot edited = takeSnapshot(w.rom);

        QVERIFY(run(w, command::importTables, {json}).contains(QStringLiteral("tables.json")));
        QVERIFY2(w.user.failures.isEmpty(), qPrintable(w.user.failures.join('\n')));
        QCOMPARE(w.user.fileQuestions,
                 QStringList({"Export Tables [tables]", "Import Tables [tables]"}));
        QVERIFY(changesSince(exported, w.rom).empty());
        QCOMPARE(w.history.stepCount(), std::size_t{2});
        QCOMPARE(fileBytes(w.path), file); // only Save writes the file
        run(w, command::undo);
        QVERIFY(changesSince(edited, w.rom).empty());
        QVERIFY(w.window.isWindowModified());
    }

    // Nothing is stored when any part is wrong, even one past tables that read well.
    void badJsonIsRefusedNamingTheFile_data() {
        QTest::addColumn<bool>("breakLastTable");
        QTest::newRow("not JSON") << false;
        QTest::newRow("last table broken") << true;
    }
    void badJsonIsRefusedNamingTheFile() {
        QFETCH(bool, breakLastTable);
        WindowOnDemoFile w(RomVariant::SnesEnglish);
        const QString path = w.folder.filePath(QStringLiteral("bad.json"));
        QByteArray text("{ \"format\": ");
        if (breakLastTable) {
            run(w, command::exportTables, {path});
            QJsonObject json = QJsonDocument::fromJson(fileBytes(path)).object();
            QJsonObject tables = json.value(QStringLiteral("tables")).toObject();
            QJsonArray chests = tables.value(QStringLiteral("chestTable")).toArray();
            QJsonObject first = chests.at(0).toObject();
            QJsonArray values = first.value(QStringLiteral("values")).toArray();
            values.replace(0, (values.at(0).toInt() + 1) & 0xFF);
            first.insert(QStringLiteral("values"), values);
            chests.replace(0, first);
            tables.insert(QStringLiteral("chestTable"), chests);
            tables.insert(QStringLiteral("anim14Table"), QStringLiteral("none"));
            json.insert(QStringLiteral("tables"), tables);
            text = QJsonDocument(json).toJson();
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        file.close();
        const TableSnapshot before = takeSnapshot(w.rom);

        run(w, command::importTables, {path});
        QCOMPARE(w.user.failures.size(), 1);
        QVERIFY2(w.user.failures.at(0).contains(path), qPrintable(w.user.failures.at(0)));
        QVERIFY(changesSince(before, w.rom).empty());
        QCOMPARE(w.history.stepCount(), std::size_t{0});
    }

    // The patch turns the clean image into what Save then writes, and leaves the file alone.
    void createdPatchMakesTheSavedImage_data() {
        QTest::addColumn<int>("release");
        QTest::addColumn<bool>("copierHeader");
        QTest::addColumn<QString>("patchName");
        QTest::addColumn<int>("tail");
        QTest::newRow("SNES with header, BPS")
            << variantIndex(RomVariant::SnesEnglish) << true << "edit.bps" << 0;
        QTest::newRow("GBA, IPS") << variantIndex(RomVariant::GbaJapanese) << false << "edit.ips"
                                  << 0;
        QTest::newRow("SNES with header, IPS")
            << variantIndex(RomVariant::SnesJapanese) << true << "edit.ips" << 0;
        // Save keeps the bytes past a long GBA file's image; so must the patch.
        QTest::newRow("long GBA, BPS")
            << variantIndex(RomVariant::GbaEnglish) << false << "edit.bps" << 4096;
    }
    void createdPatchMakesTheSavedImage() {
        QFETCH(int, release);
        QFETCH(bool, copierHeader);
        QFETCH(QString, patchName);
        QFETCH(int, tail);
        WindowOnDemoFile w(static_cast<RomVariant>(release), copierHeader);
        if (tail > 0) {
            w.path = w.folder.filePath(QStringLiteral("long.gba"));
            QVERIFY(writeDemoImage(
                        {static_cast<RomVariant>(release), false, static_cast<std::uint64_t>(tail)},
                        QFile::encodeName(w.path).toStdString(), ExistingFile::Replace)
                        .isOk());
            QVERIFY(w.window.loadFile(w.path));
        }
        const QByteArray original = fileBytes(w.path);
        const QString originalPath = w.folder.filePath(QStringLiteral("original"));
        QVERIFY(QFile::copy(w.path, originalPath));
        editTables(w.rom, w.history);

        const QString patchPath = w.folder.filePath(patchName);
        QVERIFY(run(w, command::createPatch, {originalPath, patchPath}).contains(patchName));
        QVERIFY2(w.user.failures.isEmpty(), qPrintable(w.user.failures.join('\n')));
        QVERIFY(w.user.fileQuestions.value(0).endsWith(QStringLiteral("[originals]")));
        QVERIFY(w.user.fileQuestions.value(1).contains(QStringLiteral("copier header")));
        QVERIFY(w.user.fileQuestions.value(1).endsWith(QStringLiteral("[patches]")));
        QCOMPARE(fileBytes(w.path), original);
        const QByteArray patch = fileBytes(patchPath);
        QVERIFY(patchFormatOf(bytesOf(patch)) ==
                (patchName.endsWith(QStringLiteral(".ips")) ? PatchFormat::Ips : PatchFormat::Bps));

        run(w, command::save);
        const QByteArray saved = fileBytes(w.path);
        const PatchResult patched = applyFilePatch(bytesOf(original), bytesOf(patch));
        QVERIFY2(patched.isOk(), patched.message().c_str());
        QVERIFY(saved != original);
        QVERIFY(std::ranges::equal(patched.bytes(), bytesOf(saved)));
    }

    // Even a file dialog's "replace it?" does not let an export or a patch replace an image.
    void theLoadedImageIsNeverReplacedByAnExportOrAPatch() {
        WindowOnDemoFile w(RomVariant::SnesEnglish, false);
        const QByteArray original = fileBytes(w.path);
        const QString originalPath = w.folder.filePath(QStringLiteral("original.smc"));
        QVERIFY(QFile::copy(w.path, originalPath));
        run(w, command::exportTables, {w.path});
        run(w, command::createPatch, {originalPath, originalPath});
        QCOMPARE(w.user.failures.size(), 2);
        QVERIFY2(w.user.failures.at(0).contains(QStringLiteral("a JSON export is never written")),
                 qPrintable(w.user.failures.at(0)));
        QVERIFY2(w.user.failures.at(1).contains(QStringLiteral("a patch is never written")),
                 qPrintable(w.user.failures.at(1)));
        QCOMPARE(fileBytes(w.path), original);
        QCOMPARE(fileBytes(originalPath), original);
    }
};

} // namespace tarnwick::testing

QTEST_MAIN(tarnwick::testing::TableFileCommandsTest)
#include "TableFileCommandsTest.moc"
