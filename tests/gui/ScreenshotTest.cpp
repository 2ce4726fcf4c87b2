// Pictures of the main window for a person to look at: with no image, then with each demo
// release loaded. They are written under the build folder's screenshots/.
#include "WindowTestSupport.h"

#include "app/AboutDialog.h"
#include "app/DataFiles.h"
#include "controls/NameComboBox.h"
#include "controls/PaletteComboBox.h"
#include "demo/DemoTextFiles.h"
#include "editors/AnimString14Dialog.h"
#include "editors/AnimString8Dialog.h"
#include "editors/ChestEditorDialog.h"
#include "editors/EsperEditorDialog.h"
#include "editors/FontEditorDialog.h"
#include "editors/ManualWindow.h"
#include "editors/ShopEditorDialog.h"
#include "resources/AnimTemplates.h"
#include "resources/ChestTemplate.h"
#include "resources/EditorTemplates.h"
#include "resources/MainTemplates.h"
#include "rom/RomImage.h"
#include "rom/TableEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace tarnwick::testing {
namespace {

// An editor shown closed, then with a palette list open on the record's palette.
template <typename Editor>
void shootAnimationEditor(RomImage& rom, const EditorTexts& texts, int paletteList,
                          const QString& name) {
    EditHistory history;
    Editor editor(rom, history, nullptr, texts);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QVERIFY(saveScreenshot(&editor, name + QStringLiteral(".png")));
    auto* palettes = findControl<PaletteComboBox>(&editor, paletteList);
    QVERIFY(saveScreenshotWithOpenList(&editor, palettes, name + QStringLiteral("-open.png")));
}

} // namespace

class ScreenshotTest : public QObject {
    Q_OBJECT

private slots:
    void mainWindowWithoutImage() {
        RomImage rom;
        EditHistory history;
        MainDialog window(rom, history);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(saveScreenshot(&window, QStringLiteral("main-window-empty.png")));
    }

    // Tools > Check Image beside the window, and File > Changes after a few edits, with the
    // changelog copied.
    void checkImageAndChanges() {
        WindowOnDemoFile f(RomVariant::SnesEnglish);
        f.window.show();
        {
            TableEdit edit(f.rom, f.history, "Shop 3: item #2");
            edit.change(f.rom.shopTable[3])[2] = 10;
            edit.change(f.rom.esperTable[1])[3] = 7;
        }
        f.window.commandAction(command::checkImage)->trigger();
        QWidget* check = f.window.checkImageDialog();
        QVERIFY(QTest::qWaitForWindowExposed(check));
        QVERIFY(saveScreenshot(check, QStringLiteral("check-image.png")));
        QVERIFY(whileModal(
            [&] { f.window.commandAction(command::changes)->trigger(); },
            [&](QWidget* changes) {
                changes->findChild<QPushButton*>(QStringLiteral("copyChangelogButton"))->click();
                QVERIFY(saveScreenshot(changes, QStringLiteral("changes.png")));
            }));
    }

    void mainWindowWithEachRelease_data() { addReleaseRows(); }
    void mainWindowWithEachRelease() {
        QFETCH(int, release);
        const auto variant = static_cast<RomVariant>(release);
        WindowOnDemoFile f(variant);
        QVERIFY(f.window.isRomLoaded());
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        QVERIFY(saveScreenshot(
            &f.window, QStringLiteral("main-window-%1.png").arg(toQString(releaseKey(variant)))));
    }

    // Each editor on each release, once closed and once with a list of game names open on the
    // record's current item while the user highlights another.
    void editorsWithEachRelease_data() { addReleaseRows(); }
    void editorsWithEachRelease() {
        QFETCH(int, release);
        const auto variant = static_cast<RomVariant>(release);
        const QString key = toQString(releaseKey(variant));
        RomImage rom;
        QVERIFY(openDemoImage(rom, {variant}).isOk());
        EditHistory history;

        ShopEditorDialog shops(rom, history);
        shops.show();
        QVERIFY(QTest::qWaitForWindowExposed(&shops));
        QVERIFY(saveScreenshot(&shops, QStringLiteral("shop-editor-%1.png").arg(key)));
        auto* slot = findControl<NameComboBox>(&shops, shopControl::firstSlot + 2);
        QVERIFY(saveScreenshotWithOpenList(&shops, slot,
                                           QStringLiteral("shop-editor-%1-open.png").arg(key)));
        // The focus frame on a game-font list.
        shops.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&shops));
        slot->setFocus();
        QVERIFY(saveScreenshot(&shops, QStringLiteral("shop-editor-%1-focus.png").arg(key)));

        EsperEditorDialog espers(rom, history);
        espers.show();
        QVERIFY(QTest::qWaitForWindowExposed(&espers));
        QVERIFY(saveScreenshot(&espers, QStringLiteral("esper-editor-%1.png").arg(key)));
        auto* spells = findControl<NameComboBox>(&espers, esperControl::spells[1]);
        QVERIFY(saveScreenshotWithOpenList(&espers, spells,
                                           QStringLiteral("esper-editor-%1-open.png").arg(key)));
    }

    // The editors that name things from text files, on each release with the demo's invented
    // location and animation names: the chest editor with its contents list open, both
    // animation editors with a palette list open.
    void textFileEditorsWithEachRelease_data() { addReleaseRows(); }
    void textFileEditorsWithEachRelease() {
        QFETCH(int, release);
        const auto variant = static_cast<RomVariant>(release);
        const QString key = toQString(releaseKey(variant));
        QTemporaryDir programFolder;
        RomImage rom;
        QVERIFY(openDemoImage(rom, {variant}).isOk());
        QVERIFY(writeDemoTextFiles(QFile::encodeName(programFolder.path()).toStdString()).isOk());
        // The text files as the application reads them when it opens an editor.
        const EditorTexts texts =
            readEditorTexts({programFolder.path()}, builtInCharacterTable(variant));

        EditHistory history;
        ChestEditorDialog chests(rom, history, nullptr, texts);
        chests.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chests));
        QVERIFY(saveScreenshot(&chests, QStringLiteral("chest-editor-%1.png").arg(key)));
        auto* contents = findControl<NameComboBox>(&chests, chestControl::contents);
        QVERIFY(saveScreenshotWithOpenList(&chests, contents,
                                           QStringLiteral("chest-editor-%1-open.png").arg(key)));
        auto* locations = findControl<NameComboBox>(&chests, chestControl::location);
        QVERIFY(saveScreenshotWithOpenList(
            &chests, locations, QStringLiteral("chest-editor-%1-locations.png").arg(key)));

        shootAnimationEditor<AnimString8Dialog>(rom, texts, anim8Control::rightHandPaletteList,
                                                QStringLiteral("anim8-editor-%1").arg(key));
        shootAnimationEditor<AnimString14Dialog>(rom, texts, anim14Control::paletteLists[1],
                                                 QStringLiteral("anim14-editor-%1").arg(key));
    }

    // The question asked before an image is read as the release its header does not name.
    void switchAgainstHeaderQuestion() {
        WindowOnDemoFile f(RomVariant::SnesEnglish);
        AppSettings settings(QDir(f.folder.path()).filePath(QStringLiteral("shot.ini")));
        const auto ask = MainDialog::standardPrompts(settings).switchAgainstHeader;
        bool saved = false;
        QTimer::singleShot(0, [&saved] {
            QWidget* box = QApplication::activeModalWidget();
            saved = box != nullptr && saveScreenshot(box, QStringLiteral("switch-release.png"));
            if (box != nullptr)
                box->close();
        });
        f.rom.setPath("/home/user/games/kavo.smc"); // the same picture in every build folder
        QVERIFY(!ask(&f.window, QString::fromStdString(f.rom.releaseSwitchWarning(true))));
        QVERIFY(saved);
    }

    // The manual, opened at an editor's section as F1 in that editor opens it.
    void manualWindow() {
        ManualWindow manual;
        manual.show();
        QVERIFY(QTest::qWaitForWindowExposed(&manual));
        QVERIFY(manual.showSection(QStringLiteral("The Chest Editor")));
        QVERIFY(saveScreenshot(&manual, QStringLiteral("manual.png")));
    }

    void fontEditor() {
        RomImage rom;
        EditHistory history;
        FontEditorDialog editor(rom, history);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QVERIFY(saveScreenshot(&editor, QStringLiteral("font-editor.png")));
    }

    void aboutBox() {
        AboutDialog about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QVERIFY(saveScreenshot(&about, QStringLiteral("about-box.png")));
    }
};

} // namespace tarnwick::testing

QTEST_MAIN(tarnwick::testing::ScreenshotTest)
#include "ScreenshotTest.moc"
