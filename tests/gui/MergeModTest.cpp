// File > Merge Mod: a conflict with the open image's own edit settled either way or cancelled,
// and the mod's changes outside the tables undone with its fields in one step.
#include "WindowTestSupport.h"

#include "resources/MainTemplates.h"
#include "rom/TableEdit.h"

#include <QAction>
#include <QStatusBar>
#include <QtTest>

namespace tarnwick::testing {

class MergeModTest : public QObject {
    Q_OBJECT

private slots:
    void mergesTheModAsOneStepAfterTheConflictIsSettled() {
        WindowOnDemoFile f(RomVariant::SnesEnglish);
        const QString original = f.folder.filePath(QStringLiteral("original.smc"));
        const QString modPath = f.folder.filePath(QStringLiteral("mod.smc"));
        QVERIFY(QFile::copy(f.path, original));
        // The mod changes shop 3's item #2 as the user does, but to another item; shop 5 and a
        // byte outside the tables only it changes.
        RomImage mod = f.rom;
        mod.shopTable[3][2] = 20;
        mod.shopTable[5][2] = 21;
        const std::uint8_t loadedByte = f.rom.readByte(0x100);
        const std::uint8_t modByte = loadedByte ^ 0x5A;
        mod.writeImageBytes(0x100, std::span(&modByte, 1));
        const ByteBuffer modBytes = mod.imageWithTables();
        QFile modFile(modPath);
        QVERIFY(modFile.open(QIODevice::WriteOnly));
        modFile.write(reinterpret_cast<const char*>(modBytes.data()),
                      static_cast<qsizetype>(modBytes.size()));
        modFile.close();
        const std::int32_t loadedShop5 = f.rom.shopTable[5][2];
        recordEdit(f.rom, f.history, "Shop 3: item #2", EditHistory::noMerge,
                   [&](TableEdit& edit) { edit.change(f.rom.shopTable[3])[2] = 10; });
        const auto mergeMod = [&](std::optional<std::vector<MergeSide>> answer) {
            f.user.filesToChoose = {original, modPath};
            f.user.conflictAnswer = std::move(answer);
            f.window.commandAction(command::mergeMod)->trigger();
        };

        // Cancel at the conflict list changes nothing.
        mergeMod(std::nullopt);
        QCOMPARE(f.user.conflictsShown.size(), 1U);
        QCOMPARE(f.history.stepCount(), 1U);
        QCOMPARE(f.rom.shopTable[5][2], loadedShop5);
        QCOMPARE(f.rom.readByte(0x100), loadedByte);

        mergeMod(std::vector{MergeSide::Second});
        QVERIFY(f.user.failures.isEmpty());
        QCOMPARE(f.history.nextUndoName(), std::string("Merge mod.smc"));
        QCOMPARE(f.rom.shopTable[3][2], 20);
        QCOMPARE(f.rom.shopTable[5][2], 21);
        QCOMPARE(f.rom.readByte(0x100), modByte);
        QVERIFY2(f.window.findChild<QStatusBar*>()->currentMessage().contains(
                     QStringLiteral("2 fields and 1 byte outside the tables came in")),
                 qPrintable(f.window.findChild<QStatusBar*>()->currentMessage()));

        // One undo takes the whole merge back, and leaves the user's own edit.
        f.window.commandAction(command::undo)->trigger();
        QCOMPARE(f.rom.shopTable[3][2], 10);
        QCOMPARE(f.rom.shopTable[5][2], loadedShop5);
        QCOMPARE(f.rom.readByte(0x100), loadedByte);
        QVERIFY(f.window.isWindowModified());
    }
};

} // namespace tarnwick::testing

QTEST_MAIN(tarnwick::testing::MergeModTest)
#include "MergeModTest.moc"
