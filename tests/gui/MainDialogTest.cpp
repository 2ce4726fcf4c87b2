// The main window driven as a user drives it: menu commands, buttons found by their resource
// numbers, keys, and a scripted user standing in for the file dialog and the questions.
#include "WindowTestSupport.h"

#include "app/ChangesDialog.h"
#include "app/CommandLine.h"
#include "app/DataFiles.h"
#include "app/DemoFolder.h"
#include "app/EditorApp.h"
#include "app/FileDialogs.h"
#include "graphics/GlyphSheets.h"
#include "resources/MainTemplates.h"
#include "rom/RomImage.h"
#include "rom/ShopRecord.h"
#include "rom/TableChanges.h"
#include "rom/TableEdit.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace tarnwick::testing {
namespace {

// A window on a fresh document, with the scripted user answering for it.
struct Fixture {
    QTemporaryDir folder;
    RomImage rom;
    EditHistory history;
    ScriptedUser user;
    std::unique_ptr<MainDialog> window;

    Fixture() {
        window = std::make_unique<MainDialog>(rom, history, nullptr, testSettings(folder));
        window->setPrompts(user.prompts());
        window->show();
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window.get());
    }
    QString demo(RomVariant release, bool header = false) {
        return writeDemoFile(folder, release, header);
    }
    QLineEdit* titleBox() const {
        return findControl<QLineEdit>(window.get(), mainControl::titleBox);
    }
    QPushButton* button(int id) const { return findControl<QPushButton>(window.get(), id); }
    QAction* action(int id) const { return window->commandAction(id); }
    bool japaneseChecked() const { return action(command::japanese)->isChecked(); }
    void trigger(int id) { action(id)->trigger(); }
    bool loadThroughMenu(const QString& path) {
        user.filesToChoose << path;
        trigger(command::load);
        return window->isRomLoaded();
    }
    // Changes one byte of the shop table so the tables differ from the image.
    // An edit as the editors make one: through the document's edit path.
    void editShopTable() {
        TableEdit edit(rom, history, "Shop 3: item #2");
        Record& shop = edit.change(rom.shopTable[3]);
        shop[2] = (shop[2] + 1) & 0xFF;
    }
};

// The record tables a fresh document reads from a file under a release.
RomImage parsedAs(const QString& path, bool japanese) {
    RomImage reference;
    reference.setPath(QFile::encodeName(path).toStdString());
    if (!reference.load())
        return reference;
    reference.setHeaderSize(static_cast<std::int32_t>(reference.getSize() % 0x10000));
    reference.setJapanese(japanese);
    (void)reference.parseTables();
    return reference;
}

// A SNES English demo image whose title byte names no release.
QString writeUnnamedImage(const QTemporaryDir& folder) {
    const QString path = writeDemoFile(folder, RomVariant::SnesEnglish, false);
    QByteArray bytes = fileBytes(path);
    bytes[static_cast<qsizetype>(snesLanguageByteOffset)] = 'X';
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

bool titleSelectedWhole(const QLineEdit* box) {
    return box->window()->focusWidget() == box && box->selectedText() == box->text();
}

} // namespace

class MainDialogTest : public QObject {
    Q_OBJECT

    // The user's folders, so nothing the window or the demo writes lands in the real home.
    QTemporaryDir home;

private slots:
    void initTestCase() {
        QVERIFY(home.isValid());
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    }

    void startsWithoutImageAndTemplateControls() {
        Fixture f;
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Tarnwick"));
        QCOMPARE(f.titleBox()->text(), QStringLiteral("No ROM Loaded"));
        QVERIFY(f.titleBox()->isReadOnly());
        const std::pair<int, const char*> buttons[] = {
            {mainControl::chests, "&Chests"},  {mainControl::espers, "Es&pers"},
            {mainControl::shops, "&Shops"},    {mainControl::anim8, "&8-Byte"},
            {mainControl::anim14, "&14-Byte"}, {mainControl::fonts, "Fo&nts"}};
        for (const auto& [id, caption] : buttons) {
            QPushButton* button = f.button(id);
            QVERIFY2(button != nullptr, caption);
            QCOMPARE(button->text(), QString::fromLatin1(caption));
            QVERIFY(!button->isDefault());
        }
        QVERIFY(!f.button(mainControl::fonts)->isVisible());
        QVERIFY(f.button(mainControl::shops)->isVisible());
        QVERIFY(!f.japaneseChecked());
        QCOMPARE(f.action(command::load)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
        QCOMPARE(f.action(command::save)->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(f.action(command::exit)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
        QCOMPARE(romFileFilter().split(QStringLiteral(";;")),
                 QStringList({QStringLiteral("SNES ROM Files (*.smc *.fig *.sfc)"),
                              QStringLiteral("GBA ROM Files (*.gba)"),
                              QStringLiteral("All Files (*)")}));
        // The menus are windows of their own; their keys work in the main window.
        const QString image = f.demo(RomVariant::SnesEnglish);
        f.user.filesToChoose << image;
        QTest::keyClick(f.titleBox(), Qt::Key_O, Qt::ControlModifier);
        QVERIFY(f.window->isRomLoaded());
    }

    // Without an image the editor buttons point at the title, and Save is not offered.
    void withoutImageButtonsSelectTheTitleAndSaveIsDisabled() {
        for (const int id : {mainControl::shops, mainControl::espers, mainControl::chests,
                             mainControl::anim8, mainControl::anim14}) {
            Fixture f;
            QVERIFY(!f.action(command::save)->isEnabled());
            QVERIFY(!f.action(command::saveAs)->isEnabled());
            f.button(mainControl::chests)->setFocus();
            f.titleBox()->deselect();
            QTest::mouseClick(f.button(id), Qt::LeftButton);
            QVERIFY2(titleSelectedWhole(f.titleBox()), qPrintable(QString::number(id)));
            QVERIFY(f.window->isVisible());
            QVERIFY(f.user.failures.isEmpty());
        }
    }

    void loadShowsTitleCaptionAndSettlesRelease() {
        Fixture f;
        QVERIFY(f.loadThroughMenu(f.demo(RomVariant::GbaEnglish)));
        QCOMPARE(f.button(mainControl::anim14)->text(), QStringLiteral("&15-Byte"));
        QVERIFY(f.titleBox()->text().contains(QStringLiteral("QK4E")));
        QVERIFY(!f.japaneseChecked());

        QVERIFY(f.loadThroughMenu(f.demo(RomVariant::SnesJapanese, true)));
        QCOMPARE(f.button(mainControl::anim14)->text(), QStringLiteral("&14-Byte"));
        QVERIFY(f.japaneseChecked());
        QCOMPARE(f.rom.getHeaderSize(), 0x200);

        // An English image read while the option is on turns it off before the tables are read.
        const QString english = f.demo(RomVariant::SnesEnglish);
        QVERIFY(f.loadThroughMenu(english));
        QVERIFY(!f.japaneseChecked());
        QVERIFY(f.rom.shopTable == parsedAs(english, false).shopTable);
        QCOMPARE(f.user.fileDialogs, 3);
    }

    void loadBuildsTheSheets() {
        Fixture f;
        const QString path = f.demo(RomVariant::GbaJapanese);
        QVERIFY(f.loadThroughMenu(path));
        // Only the editors draw with the sheets: the first of them builds them.
        QVERIFY(f.rom.fontSheet.isNull());
        f.window->prepareGlyphSheets();
        const RomImage reference = parsedAs(path, true);
        const GlyphSheets expected = renderGlyphSheets(reference);
        QVERIFY(f.rom.fontSheet == expected.fontSheet);
        QVERIFY(f.rom.paletteSheet == expected.paletteSheet);
        QVERIFY(f.rom.glyphTable == expected.glyphTable);
    }

    void cancelledOrFailedLoad() {
        Fixture f;
        QVERIFY(f.loadThroughMenu(f.demo(RomVariant::SnesEnglish)));
        const QString title = f.titleBox()->text();

        f.trigger(command::load); // the user cancels the file dialog
        QVERIFY(f.window->isRomLoaded());
        QCOMPARE(f.titleBox()->text(), title);

        // A file that cannot be loaded leaves the open image in the window.
        const QString missing = QDir(f.folder.path()).filePath(QStringLiteral("gone.smc"));
        QVERIFY(f.loadThroughMenu(missing));
        QCOMPARE(f.titleBox()->text(), title);
        QCOMPARE(f.user.failures.size(), 1);
        QVERIFY(f.user.failures[0].contains(missing));
        QVERIFY(f.user.failures[0].contains(QStringLiteral("does not exist")));

        // A file too short for any release is refused with its size named.
        const QString stub = QDir(f.folder.path()).filePath(QStringLiteral("stub.smc"));
        QFile file(stub);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(0x8000, '\0'));
        file.close();
        QVERIFY(f.loadThroughMenu(stub));
        QCOMPARE(f.user.failures.size(), 2);
        QVERIFY(f.user.failures[1].contains(stub));
        QCOMPARE(f.window->appSettings().recentFiles().size(), 1);

        // Without an open image a refused file leaves the window empty.
        Fixture empty;
        QVERIFY(!empty.loadThroughMenu(stub));
        QCOMPARE(empty.titleBox()->text(), QStringLiteral("No ROM Loaded"));
        QTest::mouseClick(empty.button(mainControl::shops), Qt::LeftButton);
        QVERIFY(titleSelectedWhole(empty.titleBox()));
    }

    // Declining "Load it anyway?" is like cancelling the file dialog: the window goes on showing
    // the open image with its unsaved edits, and the declined file is not a recent one.
    void decliningAnUnnamedImageKeepsTheOpenOne() {
        Fixture f;
        const QString open = f.demo(RomVariant::GbaJapanese);
        QVERIFY(f.loadThroughMenu(open));
        const QString title = f.titleBox()->text();
        f.editShopTable();
        f.user.unsavedAnswer = UnsavedChoice::Discard;

        QVERIFY(f.loadThroughMenu(writeUnnamedImage(f.folder)));
        QCOMPARE(f.user.unnamedImageQuestions.size(), 1);
        QVERIFY(f.user.unnamedImageQuestions[0].endsWith(QStringLiteral("As SNES Japanese")));
        QVERIFY(f.user.failures.isEmpty());
        QCOMPARE(f.titleBox()->text(), title);
        QVERIFY(f.japaneseChecked());
        QVERIFY(f.window->isWindowModified());
        QCOMPARE(f.window->appSettings().recentFiles(), QStringList{open});
    }

    // A refused file leaves the release option alone, and the check mark always shows the
    // document's option: a too-short Japanese file, then an English image whose title byte names
    // no release, is read as English.
    void checkMarkFollowsEveryLoadAttempt() {
        Fixture f;
        QByteArray japaneseStub(0x20000, '\0');
        japaneseStub[static_cast<qsizetype>(snesLanguageByteOffset)] = '6';
        const QString stub = QDir(f.folder.path()).filePath(QStringLiteral("stub.smc"));
        QFile file(stub);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(japaneseStub) > 0);
        file.close();
        QVERIFY(!f.loadThroughMenu(stub));
        QVERIFY(!f.rom.isJapanese());
        QVERIFY(!f.action(command::japanese)->isChecked());

        const QString unnamed = writeUnnamedImage(f.folder);
        const qsizetype failuresBefore = f.user.failures.size();
        QVERIFY(!f.loadThroughMenu(unnamed)); // the user declines
        QCOMPARE(f.user.unnamedImageQuestions.size(), 1);
        QVERIFY(f.user.unnamedImageQuestions[0].endsWith(QStringLiteral("As SNES English")));
        QCOMPARE(f.user.failures.size(), failuresBefore);

        f.user.loadUnnamedImages = true;
        QVERIFY(f.loadThroughMenu(unnamed));
        QCOMPARE(f.rom.variant(), RomVariant::SnesEnglish);
        QVERIFY(!f.action(command::japanese)->isChecked());
    }

    void japaneseToggleRereadsTables() {
        Fixture f;
        // The release's table file, where there is one, comes with the sheets.
        f.window->setProgramFolder(f.folder.path());
        QFile table(f.folder.filePath(QStringLiteral("charset-gba-ja.tbl")));
        QVERIFY(table.open(QIODevice::WriteOnly));
        table.write("60=\xE3\x83\x8F\n");
        table.close();
        const QString path = f.demo(RomVariant::GbaEnglish);
        QVERIFY(f.loadThroughMenu(path));
        QVERIFY(f.window->characterTable() == builtInCharacterTable(RomVariant::GbaEnglish));
        const QString title = f.titleBox()->text();
        f.window->prepareGlyphSheets();
        const Image englishFont = f.rom.fontSheet;

        f.user.switchAgainstHeaderAnswer = true;
        f.trigger(command::japanese);
        QCOMPARE(f.user.switchWarnings.size(), 1);
        QVERIFY(f.japaneseChecked());
        QVERIFY(f.rom.isJapanese());
        QVERIFY(f.rom.esperTable == parsedAs(path, true).esperTable);
        f.window->prepareGlyphSheets();
        QVERIFY(f.rom.fontSheet == renderGlyphSheets(parsedAs(path, true)).fontSheet);
        QVERIFY(!(f.rom.fontSheet == englishFont));
        QCOMPARE(f.titleBox()->text(), title);
        QCOMPARE(f.button(mainControl::anim14)->text(), QStringLiteral("&15-Byte"));
        QCOMPARE(f.window->findChild<QLabel*>(QStringLiteral("releaseLabel"))->text(),
                 QStringLiteral("GBA Japanese"));
        QCOMPARE(f.window->characterTable()[0x60], "\xE3\x83\x8F");
        QCOMPARE(f.window->characterTable()[0x53], "0");

        f.trigger(command::japanese); // back to the release the header names: nothing to ask
        QVERIFY(!f.japaneseChecked());
        QVERIFY(f.rom.esperTable == parsedAs(path, false).esperTable);
        f.window->prepareGlyphSheets();
        QVERIFY(f.rom.fontSheet == englishFont);
        QCOMPARE(f.user.unsavedQuestions, 0);
        QCOMPARE(f.user.switchWarnings.size(), 1);
    }

    // Switching against the release the image's header names asks first; cancelling leaves the
    // check mark, the tables, the edits and their history as they were. An image whose header
    // names no release switches without the question.
    void switchingAgainstTheHeaderAsksFirst() {
        Fixture f;
        const QString path = f.demo(RomVariant::SnesEnglish);
        QVERIFY(f.loadThroughMenu(path));
        const TableSnapshot before = takeSnapshot(f.rom);
        f.editShopTable();
        QVERIFY(f.history.record(changesSince(before, f.rom)));
        const auto edited = f.rom.shopTable;

        f.trigger(command::japanese);
        QCOMPARE(f.user.switchWarnings.size(), 1);
        QVERIFY(f.user.switchWarnings[0].contains(path));
        QVERIFY(f.user.switchWarnings[0].contains(QStringLiteral("SNES Japanese offsets")));
        QCOMPARE(f.user.unsavedQuestions, 0);
        QVERIFY(!f.japaneseChecked());
        QCOMPARE(f.rom.variant(), RomVariant::SnesEnglish);
        QVERIFY(f.rom.shopTable == edited);
        QVERIFY(f.history.canUndo());

        f.user.loadUnnamedImages = true;
        f.user.unsavedAnswer = UnsavedChoice::Discard;
        QVERIFY(f.loadThroughMenu(writeUnnamedImage(f.folder)));
        f.trigger(command::japanese);
        QCOMPARE(f.user.switchWarnings.size(), 1);
        QVERIFY(f.japaneseChecked());
        QCOMPARE(f.rom.variant(), RomVariant::SnesJapanese);
    }

    void japaneseToggleWithoutImageOnlyFlips() {
        Fixture f;
        f.trigger(command::japanese);
        QVERIFY(f.japaneseChecked());
        QVERIFY(f.rom.isJapanese());
        QVERIFY(f.rom.fontSheet.isNull());
    }

    void unsavedEditsAreOfferedBeforeEveryLoss_data() {
        QTest::addColumn<QString>("route");
        for (const char* route : {"exit", "escape", "enter", "closeBox", "load", "japanese"})
            QTest::newRow(route) << QString::fromLatin1(route);
    }
    void unsavedEditsAreOfferedBeforeEveryLoss() {
        QFETCH(QString, route);
        for (const UnsavedChoice answer :
             {UnsavedChoice::Cancel, UnsavedChoice::Discard, UnsavedChoice::Save}) {
            Fixture f;
            const QString path = f.demo(RomVariant::SnesEnglish);
            const QString other = f.demo(RomVariant::GbaEnglish);
            QVERIFY(f.loadThroughMenu(path));
            const QByteArray before = fileBytes(path);
            f.editShopTable();
            const auto edited = f.rom.shopTable;
            f.user.unsavedAnswer = answer;
            f.user.switchAgainstHeaderAnswer = true;

            if (route == QLatin1String("exit"))
                f.trigger(command::exit);
            else if (route == QLatin1String("escape"))
                QTest::keyClick(f.window.get(), Qt::Key_Escape);
            else if (route == QLatin1String("enter"))
                QTest::keyClick(f.titleBox(), Qt::Key_Return);
            else if (route == QLatin1String("closeBox"))
                f.window->close();
            else if (route == QLatin1String("load"))
                f.loadThroughMenu(other);
            else
                f.trigger(command::japanese);

            QCOMPARE(f.user.unsavedQuestions, 1);
            const bool closes =
                route != QLatin1String("load") && route != QLatin1String("japanese");
            if (answer == UnsavedChoice::Cancel) {
                QVERIFY(f.window->isVisible());
                QVERIFY(f.rom.shopTable == edited);
                QVERIFY(!f.japaneseChecked());
                QCOMPARE(f.rom.variant(), RomVariant::SnesEnglish);
                QCOMPARE(fileBytes(path), before);
                continue;
            }
            QCOMPARE(f.window->isVisible(), !closes);
            if (answer == UnsavedChoice::Discard) {
                QCOMPARE(fileBytes(path), before);
            } else {
                QVERIFY(parsedAs(path, false).shopTable == edited);
            }
            if (route == QLatin1String("japanese"))
                QVERIFY(f.japaneseChecked());
        }
    }

    void closingWithoutEditsAsksNothing() {
        Fixture f;
        QVERIFY(f.loadThroughMenu(f.demo(RomVariant::GbaJapanese)));
        f.trigger(command::japanese);
        f.trigger(command::japanese);
        QTest::keyClick(f.titleBox(), Qt::Key_Enter);
        QVERIFY(!f.window->isVisible());
        QCOMPARE(f.window->result(), int(QDialog::Accepted));
        QCOMPARE(f.user.unsavedQuestions, 0);
    }

    void enterOnAButtonPressesIt() {
        Fixture f;
        f.button(mainControl::espers)->setFocus();
        QTest::keyClick(f.button(mainControl::espers), Qt::Key_Return);
        QVERIFY(f.window->isVisible());
        QVERIFY(titleSelectedWhole(f.titleBox()));
    }

    void saveWritesTablesAndReportsFailure() {
        Fixture f;
        const QString path = f.demo(RomVariant::SnesEnglish, true);
        QVERIFY(f.loadThroughMenu(path));
        f.editShopTable();
        QTest::keySequence(f.window.get(), QKeySequence(QStringLiteral("Ctrl+S")));
        QVERIFY(f.user.failures.isEmpty());
        QVERIFY(parsedAs(path, false).shopTable == f.rom.shopTable);

        // A save that cannot be done says so, and the edits wait for the next attempt.
        f.editShopTable();
        QVERIFY(QFile::remove(path));
        f.trigger(command::save);
        QCOMPARE(f.user.failures.size(), 1);
        QVERIFY(f.user.failures[0].contains(path));
        f.user.unsavedAnswer = UnsavedChoice::Save;
        f.trigger(command::exit);
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.user.failures.size(), 2);
    }

    // A save that fails leaves no backup of a file it did not change.
    void failedSaveLeavesNoBackup() {
        Fixture f;
        const QString path = f.demo(RomVariant::SnesEnglish);
        QVERIFY(f.loadThroughMenu(path));
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
        f.editShopTable();
        f.trigger(command::save);
        QCOMPARE(f.user.failures.size(), 1);
        QVERIFY(!QFile::exists(path + QStringLiteral(".bak")));
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        f.trigger(command::save);
        QCOMPARE(f.user.failures.size(), 1);
        QVERIFY(QFile::exists(path + QStringLiteral(".bak")));
    }

    // The first save of a session keeps the previous file as NAME.bak and refuses to go on when
    // it cannot; Save As moves the window to the new file; the title marks unsaved edits.
    void backupsSaveAsAndTheTitle() {
        Fixture f;
        const QString path = f.demo(RomVariant::SnesEnglish);
        const QByteArray original = fileBytes(path);
        QVERIFY(f.loadThroughMenu(path));
        // The file's name first, then its folder.
        QCOMPARE(f.window->windowTitle(),
                 QStringLiteral("snes-en.smc[*] \u2013 %1 \u2013 Tarnwick").arg(f.folder.path()));
        QVERIFY(!f.window->isWindowModified());
        f.editShopTable();
        f.trigger(command::save);
        QCOMPARE(fileBytes(path + QStringLiteral(".bak")), original);
        QVERIFY(fileBytes(path) != original);
        f.editShopTable();
        f.trigger(command::save); // the second save keeps the first backup
        QCOMPARE(fileBytes(path + QStringLiteral(".bak")), original);

        const QString copy = QDir(f.folder.path()).filePath(QStringLiteral("copy.smc"));
        f.editShopTable();
        f.user.filesToChoose << copy;
        f.trigger(command::saveAs);
        QVERIFY(f.user.failures.isEmpty());
        QCOMPARE(QString::fromStdString(f.rom.getPath()), copy);
        QVERIFY(f.window->windowTitle().startsWith(QStringLiteral("copy.smc[*] \u2013 ")));
        QVERIFY(!f.rom.tablesDifferFromImage());
        QCOMPARE(f.window->appSettings().recentFiles().constFirst(), copy);

        // A backup that cannot be written stops the save and leaves the file as it was.
        QVERIFY(QDir().mkdir(copy + QStringLiteral(".bak")));
        const QByteArray before = fileBytes(copy);
        f.editShopTable();
        f.trigger(command::save);
        QCOMPARE(f.user.failures.size(), 1);
        QVERIFY(f.user.failures[0].contains(QStringLiteral("backup")));
        QCOMPARE(fileBytes(copy), before);
        f.window->appSettings().setKeepBackups(false);
        f.trigger(command::save);
        QCOMPARE(f.user.failures.size(), 1);
        QVERIFY(fileBytes(copy) != before);
    }

    // File > Changes lists every byte saving would change, with the shop's place as its label,
    // and copies the same change in words.
    void changesListEveryByteSavingWouldChange() {
        Fixture f;
        QVERIFY(!f.action(command::changes)->isEnabled());
        QVERIFY(f.loadThroughMenu(f.demo(RomVariant::SnesEnglish)));
        const int imageValue = f.rom.shopTable[3][2];
        f.editShopTable();
        QVERIFY(whileModal(
            [&] { f.trigger(command::changes); },
            [&](QWidget* dialog) {
                auto* changes = qobject_cast<ChangesDialog*>(dialog);
                QVERIFY(changes != nullptr);
                QCOMPARE(changes->changeCount(), 1);
                auto* table = changes->findChild<QTableWidget*>(QStringLiteral("changesTable"));
                const QStringList row = {table->item(0, 0)->text(), table->item(0, 1)->text(),
                                         table->item(0, 2)->text(), table->item(0, 3)->text()};
                QCOMPARE(row, (QStringList{QStringLiteral("Shops"), QStringLiteral("3"),
                                           toQString(shopLabels()[3]), QStringLiteral("2")}));
                // Decimal first, the hexadecimal beside it: "246 (0xF6)".
                QVERIFY(table->item(0, 4)->text().startsWith(QString::number(imageValue) + " (0x"));
                QVERIFY(table->item(0, 5)->text().startsWith(
                    QString::number(f.rom.shopTable[3][2]) + " (0x"));
                changes->findChild<QPushButton*>(QStringLiteral("copyChangelogButton"))->click();
                const QString notes = QGuiApplication::clipboard()->text();
                QVERIFY2(notes.startsWith(QStringLiteral("Shops\n  Shop 3 (%1): #2 ")
                                              .arg(toQString(shopLabels()[3]))),
                         qPrintable(notes));
            }));
        QVERIFY(f.action(command::changes)->isEnabled());
    }

    // File > Compare With lists the same bytes against another image of the release, and
    // refuses one of another release with the reason.
    void compareWithListsTheTablesAgainstAnotherImage() {
        Fixture f;
        QVERIFY(!f.action(command::compareWith)->isEnabled());
        const QString original = f.demo(RomVariant::GbaEnglish);
        QVERIFY(f.loadThroughMenu(original));
        QVERIFY(f.action(command::compareWith)->isEnabled());
        f.editShopTable();
        f.user.filesToChoose << original;
        QVERIFY(whileModal([&] { f.trigger(command::compareWith); },
                           [&](QWidget* dialog) {
                               auto* changes = qobject_cast<ChangesDialog*>(dialog);
                               QVERIFY(changes != nullptr);
                               QCOMPARE(changes->changeCount(), 1);
                               QVERIFY(
                                   dialog->windowTitle().endsWith(QFileInfo(original).fileName()));
                           }));
        f.user.filesToChoose << f.demo(RomVariant::SnesEnglish);
        f.trigger(command::compareWith);
        QCOMPARE(f.user.failures.size(), 1);
        QVERIFY2(f.user.failures[0].contains(QStringLiteral("only images of one release")),
                 qPrintable(f.user.failures[0]));
    }

    void recentFilesReopenAndShowMissingOnesDisabled() {
        Fixture f;
        const QString first = f.demo(RomVariant::GbaEnglish);
        const QString second = f.demo(RomVariant::SnesJapanese);
        QVERIFY(f.loadThroughMenu(first));
        QVERIFY(f.loadThroughMenu(second));
        QVERIFY(QFile::remove(first));
        const QAction* fileMenu = f.window->findChild<QMenuBar*>()->actions().constFirst();
        auto* recent = fileMenu->menu<QMenu*>()->findChild<QMenu*>(QStringLiteral("recentMenu"));
        QVERIFY(recent != nullptr);
        emit recent->aboutToShow();
        const QList<QAction*> entries = recent->actions();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0]->text(), second);
        QVERIFY(entries[0]->isEnabled());
        QVERIFY(!entries[1]->isEnabled());
        entries[0]->trigger();
        QCOMPARE(f.rom.variant(), RomVariant::SnesJapanese);
    }

    // What a load changes in the settings reaches the disk once the window is drawn, or when
    // it goes undrawn; opening the most recent file again writes nothing.
    void settingsReachTheDiskOnceTheWindowIsDrawn() {
        for (const bool drawn : {true, false}) {
            QTemporaryDir folder;
            const QString ini = QDir(folder.path()).filePath(QStringLiteral("test.ini"));
            // Read from the file itself: QSettings objects in one process share unwritten values.
            const auto recentOnDisk = [&ini] {
                QFile file(ini);
                return file.open(QIODevice::ReadOnly) && file.readAll().contains("recentFiles");
            };
            const QString image = writeDemoFile(folder, RomVariant::SnesEnglish);
            {
                RomImage rom;
                EditHistory history;
                MainDialog window(rom, history, nullptr, testSettings(folder));
                QVERIFY(window.loadFile(image));
                QCoreApplication::processEvents();
                QVERIFY(!recentOnDisk());
                if (drawn) {
                    (void)window.grab();
                    QCoreApplication::processEvents();
                    QVERIFY(recentOnDisk());
                }
            }
            QVERIFY(recentOnDisk());
            {
                AppSettings again(ini);
                QVERIFY(QFile::remove(ini));
                again.addRecentFile(image);
            }
            QVERIFY(!QFile::exists(ini));
        }
    }

    // The picture --screenshot saves shows the window laid out for the image it opened, the
    // release in the status bar whole, as the window shows it once it has settled.
    void screenshotShowsTheWindowLaidOutForTheImage() {
        QTemporaryDir folder;
        StartOptions options;
        options.imagePath = writeDemoFile(folder, RomVariant::SnesEnglish);
        options.screenshotPath = QDir(folder.path()).filePath(QStringLiteral("shot.png"));
        QCOMPARE(EditorApp(options).run(), 0);
        Fixture f;
        QVERIFY(f.window->loadFile(options.imagePath));
        QCoreApplication::processEvents();
        const QRect bar = f.window->findChild<QStatusBar*>(QStringLiteral("statusBar"))->geometry();
        const auto strip = [&bar](const QImage& picture) {
            return picture.copy(bar).convertToFormat(QImage::Format_RGB32);
        };
        QCOMPARE(strip(QImage(options.screenshotPath)), strip(f.window->grab().toImage()));
    }

    // The window icon, read when first drawn, is the program's SVG.
    void windowIconIsTheProgramIcon() {
        Fixture f;
        const QIcon svg(QStringLiteral(":/icons/tarnwick.svg"));
        QCOMPARE(f.window->windowIcon().pixmap(32).toImage(), svg.pixmap(32).toImage());
    }

    void droppedFileLoads() {
        Fixture f;
        const QString path = f.demo(RomVariant::GbaEnglish);
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(f.window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(f.window.get(), &drop);
        QTRY_VERIFY(f.window->isRomLoaded());
        QCOMPARE(f.button(mainControl::anim14)->text(), QStringLiteral("&15-Byte"));

        QMimeData text;
        text.setText(QStringLiteral("not a file"));
        QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton,
                                Qt::NoModifier);
        refused.setAccepted(false);
        QCoreApplication::sendEvent(f.window.get(), &refused);
        QVERIFY(!refused.isAccepted());
    }

    // Every answer of the window's questions has its Alt key.
    void questionsHaveMnemonicsOnEveryButton() {
        QTemporaryDir folder;
        AppSettings settings(QDir(folder.path()).filePath(QStringLiteral("q.ini")));
        const MainDialog::Prompts prompts = MainDialog::standardPrompts(settings);
        const std::function<void()> questions[] = {
            [&] { (void)prompts.askAboutUnsavedEdits(nullptr); },
            [&] { (void)prompts.loadUnnamedImage(nullptr, "Odd file.", "SNES English"); },
            [&] { (void)prompts.switchAgainstHeader(nullptr, "Other release."); },
            [&] { prompts.reportFailure(nullptr, "Failed", "Why."); },
        };
        for (const auto& ask : questions) {
            QStringList buttons;
            QTimer::singleShot(0, [&buttons] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (box == nullptr)
                    return;
                for (QAbstractButton* button : box->buttons())
                    buttons << button->text();
                box->reject();
            });
            ask();
            QVERIFY(!buttons.isEmpty());
            for (const QString& text : buttons)
                QVERIFY2(text.contains(QLatin1Char('&')), qPrintable(text));
        }
    }

    void dataFilesFromProgramFolderFirst() {
        QStandardPaths::setTestModeEnabled(true);
        const QString userFolder = userDataFolders().constFirst();
        QVERIFY(QDir().mkpath(userFolder));
        QTemporaryDir programDir;
        const QString programFolder = programDir.path();
        const QString name =
            QStringLiteral("datafile-test-%1.txt").arg(QCoreApplication::applicationPid());
        const QString inUser = QDir(userFolder).filePath(name);
        const QString inProgram = QDir(programFolder).filePath(name);
        const QStringList folders = dataFileFolders({}, programFolder);

        QVERIFY(locateDataFile(folders, name).isEmpty());
        QFile(inUser).open(QIODevice::WriteOnly);
        QCOMPARE(locateDataFile(folders, name), QFileInfo(inUser).absoluteFilePath());
        QFile(inProgram).open(QIODevice::WriteOnly);
        QCOMPARE(locateDataFile(folders, name), QFileInfo(inProgram).absoluteFilePath());
        QFile::remove(inUser);
        QCOMPARE(folders.constFirst(), programFolder);
    }

    // The demo image is kept in the user's data folder and opened again as it was saved; a
    // fresh copy replaces it only when asked. The window names it by its whole path.
    void demoImageIsKeptBetweenRuns() {
        QString error;
        const QString path = prepareDemoImage(RomVariant::SnesJapanese, false, error);
        QVERIFY2(!path.isEmpty(), qPrintable(error));
        QVERIFY(path.startsWith(home.path()));
        QCOMPARE(QFileInfo(path).absolutePath(), demoFolderPath());
        QVERIFY(QFile::exists(QDir(demoFolderPath()).filePath(QStringLiteral("chestloc.txt"))));
        const QByteArray generated = fileBytes(path);
        QByteArray edited = generated;
        edited[0x100] = static_cast<char>(edited[0x100] ^ 0x5A);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(edited) == edited.size());
        file.close();
        QCOMPARE(prepareDemoImage(RomVariant::SnesJapanese, false, error), path);
        QCOMPARE(fileBytes(path), edited);
        QCOMPARE(prepareDemoImage(RomVariant::SnesJapanese, true, error), path);
        QCOMPARE(fileBytes(path), generated);

        Fixture f;
        f.window->setFullPathShown(true);
        QVERIFY(f.window->loadFile(path));
        QCOMPARE(f.window->windowTitle(),
                 QStringLiteral("%1[*] \u2013 ~%2 \u2013 Tarnwick")
                     .arg(QFileInfo(path).fileName(),
                          QFileInfo(path).absolutePath().mid(QDir::homePath().size())));
        auto* shown = f.window->findChild<QLabel*>(QStringLiteral("pathLabel"));
        QVERIFY(shown != nullptr);
        QCOMPARE(shown->text(), path);

        const StartOptions fresh = parseStartOptions(
            {QStringLiteral("tarnwick"), QStringLiteral("--demo"), QStringLiteral("--fresh")});
        QVERIFY(fresh.freshDemo && fresh.demoRelease);
        QVERIFY(
            !parseStartOptions({QStringLiteral("tarnwick"), QStringLiteral("--demo")}).freshDemo);
        QCOMPARE(
            int(parseStartOptions({QStringLiteral("tarnwick"), QStringLiteral("--fresh")}).action),
            int(StartOptions::Action::Fail));
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("image");
        QTest::addColumn<int>("demo"); // -1 for none
        using A = StartOptions::Action;
        QTest::newRow("nothing") << QStringList{} << int(A::Run) << QString() << -1;
        QTest::newRow("image") << QStringList{"x.smc"} << int(A::Run) << "x.smc" << -1;
        QTest::newRow("demo default") << QStringList{"--demo"} << int(A::Run) << QString() << 0;
        QTest::newRow("demo gba-ja")
            << QStringList{"--demo", "gba-ja"} << int(A::Run) << QString() << 3;
        QTest::newRow("demo bad") << QStringList{"--demo", "n64"} << int(A::Fail) << QString()
                                  << -1;
        QTest::newRow("two images") << QStringList{"a", "b"} << int(A::Fail) << QString() << -1;
        QTest::newRow("unknown") << QStringList{"--frobnicate"} << int(A::Fail) << QString() << -1;
        QTest::newRow("help") << QStringList{"--help"} << int(A::ShowHelp) << QString() << -1;
        QTest::newRow("version") << QStringList{"--version"} << int(A::ShowVersion) << QString()
                                 << -1;
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QFETCH(QString, image);
        QFETCH(int, demo);
        const StartOptions options =
            parseStartOptions(QStringList{QStringLiteral("tarnwick")} + arguments);
        QCOMPARE(int(options.action), action);
        if (action == int(StartOptions::Action::Fail))
            QVERIFY(!options.text.isEmpty());
        if (action != int(StartOptions::Action::Run))
            return;
        QCOMPARE(options.imagePath, image);
        QCOMPARE(options.demoRelease ? variantIndex(*options.demoRelease) : -1, demo);
    }
};

} // namespace tarnwick::testing

QTEST_MAIN(tarnwick::testing::MainDialogTest)
#include "MainDialogTest.moc"
