// Save when another program changed the image file since it was loaded: each answer of the
// question, Show Changes in it, and the notice with Reload while the file is open.
#include "WindowTestSupport.h"

#include "app/ChangesDialog.h"
#include "resources/MainTemplates.h"
#include "rom/TableEdit.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace tarnwick::testing {
namespace {

constexpr qsizetype outsideTables = 0x100;

// The shop byte the tables' edit changes, and another program's write outside every table.
struct ChangedUnderTheWindow : WindowOnDemoFile {
    ChangedUnderTheWindow() : WindowOnDemoFile(RomVariant::SnesEnglish) {
        TableEdit edit(rom, history, "Shop 3: item #2");
        Record& shop = edit.change(rom.shopTable[3]);
        shop[2] = (shop[2] + 1) & 0xFF;
    }
    // Flips one bit of the file in place, as a patcher or an emulator would write it.
    void writeInPlace(qsizetype offset) {
        const char value = static_cast<char>(fileBytes(path)[offset] ^ 0x01);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.seek(offset));
        QVERIFY(file.write(&value, 1) == 1);
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(5),
                                 QFileDevice::FileModificationTime));
    }
    void save() { window.commandAction(command::save)->trigger(); }
};

// The bar that says another program changed the file; it is made when first shown.
bool noticeShown(const QWidget& window) {
    const auto* notice = window.findChild<QWidget*>(QStringLiteral("fileChangedNotice"));
    return notice != nullptr && notice->isVisibleTo(&window);
}

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void eachAnswerToTheChangedFileQuestion_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("cancel") << static_cast<int>(ChangedFileChoice::Cancel);
        QTest::newRow("overwrite") << static_cast<int>(ChangedFileChoice::Overwrite);
        QTest::newRow("save as") << static_cast<int>(ChangedFileChoice::SaveAs);
        QTest::newRow("merge") << static_cast<int>(ChangedFileChoice::Merge);
    }

    void eachAnswerToTheChangedFileQuestion() {
        QFETCH(int, answer);
        ChangedUnderTheWindow f;
        f.writeInPlace(outsideTables);
        const QByteArray theirs = fileBytes(f.path);
        const QString elsewhere = f.folder.filePath(QStringLiteral("elsewhere.smc"));
        f.user.changedFileAnswer = static_cast<ChangedFileChoice>(answer);
        f.user.filesToChoose << elsewhere;
        f.save();
        QCOMPARE(f.user.changedFileQuestions.size(), 1);
        QVERIFY2(f.user.changedFileQuestions[0].contains(QStringLiteral("Another program")),
                 qPrintable(f.user.changedFileQuestions[0]));
        const ByteBuffer ours = f.rom.imageWithTables();
        const QByteArray saved(reinterpret_cast<const char*>(ours.data()),
                               static_cast<qsizetype>(ours.size()));
        switch (static_cast<ChangedFileChoice>(answer)) {
        case ChangedFileChoice::Cancel:
            QCOMPARE(fileBytes(f.path), theirs);
            QVERIFY(!QFile::exists(f.path + QStringLiteral(".bak")));
            QVERIFY(hasUnsavedEdits(f.history, f.rom));
            break;
        case ChangedFileChoice::Overwrite:
            // As the user chose: the open image replaces the other program's byte, and the
            // backup keeps what the file held.
            QCOMPARE(fileBytes(f.path), saved);
            QCOMPARE(fileBytes(f.path + QStringLiteral(".bak")), theirs);
            QVERIFY(!f.window.isWindowModified());
            break;
        case ChangedFileChoice::SaveAs:
            QCOMPARE(fileBytes(f.path), theirs);
            QCOMPARE(fileBytes(elsewhere), saved);
            QVERIFY(f.window.windowTitle().startsWith(QStringLiteral("elsewhere.smc")));
            break;
        case ChangedFileChoice::Merge:
            // Their byte outside the tables came in beside the shop edit, as one undo step.
            QCOMPARE(saved[outsideTables], theirs[outsideTables]);
            QCOMPARE(fileBytes(f.path), saved);
            QVERIFY(!f.window.isWindowModified());
            QCOMPARE(f.history.nextUndoName(), std::string("Merge the changes on disk"));
            break;
        }
        // Saving again asks nothing: the document knows the file it wrote.
        f.save();
        QCOMPARE(f.user.changedFileQuestions.size(),
                 answer == static_cast<int>(ChangedFileChoice::Cancel) ? 2 : 1);
    }

    void showChangesListsWhatTheOtherProgramChangedInTheTables() {
        ChangedUnderTheWindow f;
        const TablePlacement& shops = shopTablePlacement[variantIndex(f.rom.variant())];
        f.writeInPlace(static_cast<qsizetype>(shops.offset + 9 * 7));
        WindowPrompts prompts = f.user.prompts();
        int listed = -1;
        prompts.askAboutChangedFile = [&](QWidget*, const QString&,
                                          const std::function<void()>& showChanges) {
            (void)whileModal(showChanges, [&](QWidget* dialog) {
                if (auto* changes = qobject_cast<ChangesDialog*>(dialog))
                    listed = changes->changeCount();
            });
            return ChangedFileChoice::Cancel;
        };
        f.window.setPrompts(prompts);
        f.save();
        QCOMPARE(listed, 1);
    }

    // A value the other program and the user changed differently: Cancel at the conflict list
    // saves nothing, and taking theirs saves their value.
    void cancelAtTheConflictListOfAMergeSavesNothing() {
        ChangedUnderTheWindow f;
        const TablePlacement& shops = shopTablePlacement[variantIndex(f.rom.variant())];
        const auto offset = static_cast<qsizetype>(shops.offset) + shops.recordSize * 3 + 2;
        f.rom.shopTable[3][2] = static_cast<std::uint8_t>(fileBytes(f.path)[offset]) ^ 0x02;
        f.writeInPlace(offset);
        const QByteArray theirs = fileBytes(f.path);
        f.user.changedFileAnswer = ChangedFileChoice::Merge;
        f.save();
        QCOMPARE(f.user.conflictsShown.size(), 1U);
        QCOMPARE(fileBytes(f.path), theirs);
        QVERIFY(hasUnsavedEdits(f.history, f.rom));
        f.user.conflictAnswer = std::vector{MergeSide::Second};
        f.save();
        QCOMPARE(fileBytes(f.path)[offset], theirs[offset]);
        QVERIFY(!f.window.isWindowModified());
    }

    void noticeOffersReloadWhenTheFileChangesOnDisk() {
        WindowOnDemoFile f(RomVariant::GbaEnglish);
        f.window.fileCommands().startWatching();
        QVERIFY(!noticeShown(f.window));
        QByteArray bytes = fileBytes(f.path);
        bytes[outsideTables] = static_cast<char>(bytes[outsideTables] ^ 0xFF);
        QFile replacement(f.path + QStringLiteral(".new"));
        QVERIFY(replacement.open(QIODevice::WriteOnly) && replacement.write(bytes) == bytes.size());
        replacement.close();
        QVERIFY(std::rename(QFile::encodeName(replacement.fileName()).constData(),
                            QFile::encodeName(f.path).constData()) == 0);
        QTRY_VERIFY(noticeShown(f.window));
        auto* notice = f.window.findChild<QWidget*>(QStringLiteral("fileChangedNotice"));
        QVERIFY(notice->findChild<QLabel*>(QStringLiteral("fileChangedText"))
                    ->text()
                    .contains(QStringLiteral("another file now")));
        notice->findChild<QPushButton*>(QStringLiteral("reloadButton"))->click();
        QVERIFY(!notice->isVisibleTo(&f.window));
        QCOMPARE(f.rom.readByte(outsideTables), static_cast<std::uint8_t>(bytes[outsideTables]));
    }

    // The watch starts at the window's first paint; what changed before it is noticed then.
    void aChangeBeforeTheFirstPaintIsNoticedOnceTheWindowShows() {
        ChangedUnderTheWindow f;
        f.writeInPlace(outsideTables);
        QVERIFY(!noticeShown(f.window));
        f.window.show();
        QTRY_VERIFY(noticeShown(f.window));
    }
};

} // namespace tarnwick::testing

QTEST_MAIN(tarnwick::testing::FileCommandsTest)
#include "FileCommandsTest.moc"
