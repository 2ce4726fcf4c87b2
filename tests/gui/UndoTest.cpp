// Undo and redo as the user meets them: Ctrl+Z and Ctrl+Shift+Z (or Ctrl+Y) inside the editors,
// Edit > Undo and Redo in the main window, one step per action, typing in a field merged, and
// the document clean again once undone back to its file.
#include "EditorFixture.h"
#include "WindowTestSupport.h"

#include "controls/CurrentItemComboBox.h"
#include "controls/NameComboBox.h"
#include "editors/AnimString14Dialog.h"
#include "editors/AnimString8Dialog.h"
#include "editors/ChestEditorDialog.h"
#include "editors/EsperEditorDialog.h"
#include "editors/ShopEditorDialog.h"
#include "resources/AnimTemplates.h"
#include "resources/ChestTemplate.h"
#include "resources/EditorTemplates.h"
#include "resources/MainTemplates.h"
#include "rom/ChestRecord.h"
#include "rom/RomImage.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include <tuple>

namespace tarnwick::testing {
namespace {

void typeOver(QWidget* field, const QString& text) {
    field->setFocus();
    if (auto* spin = qobject_cast<QSpinBox*>(field))
        spin->selectAll();
    else
        qobject_cast<QLineEdit*>(field)->selectAll();
    QTest::keyClicks(field, text);
    QCoreApplication::processEvents();
}

} // namespace

class UndoTest : public QObject {
    Q_OBJECT

private slots:
    // A type change writes byte 3 and counts as one step; three keys typed into X are one more.
    void editorStepsUndoAndRedoWithTheirKeys() {
        RomImage rom;
        EditHistory history;
        QVERIFY(openDemoImage(rom, {RomVariant::SnesJapanese}).isOk());
        Record& chest = rom.chestTable[0];
        chest[3] = 0x40 | 0x17;
        const Record before = chest;
        auto editor = openEditor<ChestEditorDialog>(rom, history);
        chooseWithMouse(findControl<CurrentItemComboBox>(editor.get(), chestControl::type),
                        monsterChest);
        auto* x = findControl<QSpinBox>(editor.get(), chestControl::x);
        typeOver(x, QStringLiteral("200"));
        QCOMPARE(chest[3], 0x20 | 0x17);
        QCOMPARE(chest[0], 200);
        QCOMPARE(history.stepCount(), std::size_t{2});

        QTest::keyClick(x, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(chest[0], before[0]);
        QCOMPARE(x->value(), before[0]);
        QTest::keyClick(x, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(chest == before);
        auto* type = findControl<CurrentItemComboBox>(editor.get(), chestControl::type);
        QCOMPARE(type->currentIndex(), itemChest);
        QTest::keyClick(x, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(chest[3], 0x20 | 0x17);
        QTest::keyClick(x, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(chest[0], 200);
        QCOMPARE(x->value(), 200);
    }

    // One list choice in each of the other editors is one step that Ctrl+Z takes back and the
    // editor then shows.
    void everyEditorKindUndoesAListChoice_data() {
        QTest::addColumn<int>("editorKind");
        QTest::addColumn<int>("listId");
        QTest::newRow("shops") << 0 << shopControl::firstSlot + 4;
        QTest::newRow("espers") << 1 << esperControl::spells[2];
        QTest::newRow("8-byte") << 2 << anim8Control::hitList;
    }
    void everyEditorKindUndoesAListChoice() {
        QFETCH(int, editorKind);
        QFETCH(int, listId);
        RomImage rom;
        EditHistory history;
        QVERIFY(openDemoImage(rom, {RomVariant::GbaJapanese}).isOk());
        const auto before = std::tuple(rom.shopTable, rom.esperTable, rom.anim8Table);
        std::unique_ptr<QDialog> editor;
        if (editorKind == 0)
            editor = openEditor<ShopEditorDialog>(rom, history);
        else if (editorKind == 1)
            editor = openEditor<EsperEditorDialog>(rom, history);
        else
            editor = openEditor<AnimString8Dialog>(rom, history);
        auto* list = findControl<QComboBox>(editor.get(), listId);
        const int shown = list->currentIndex();
        chooseWithMouse(list, shown == 3 ? 4 : 3);
        QVERIFY(std::tuple(rom.shopTable, rom.esperTable, rom.anim8Table) != before);
        QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(std::tuple(rom.shopTable, rom.esperTable, rom.anim8Table) == before);
        QCOMPARE(list->currentIndex(), shown);
    }

    // Typing a name's first letters into a list chooses it; the letters are one step.
    void typingANameIntoAListIsOneStep() {
        RomImage rom;
        EditHistory history;
        QVERIFY(openDemoImage(rom, {RomVariant::SnesEnglish}).isOk());
        const auto before = rom.esperTable;
        auto editor = openEditor<EsperEditorDialog>(rom, history);
        auto* spells = findControl<NameComboBox>(editor.get(), esperControl::spells[0]);
        spells->setFocus();
        // "b" chooses "Blaze", "bli" then "Blight".
        QTest::keyClicks(spells, QStringLiteral("bli"));
        QCoreApplication::processEvents();
        QCOMPARE(spells->currentIndex(), 19);
        QCOMPARE(history.stepCount(), std::size_t{1});
        QTest::keyClick(spells, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(rom.esperTable == before);
    }

    // Undo inside a text field restores the record, not just the field's text.
    void undoInATextFieldRestoresTheRecord() {
        RomImage rom;
        EditHistory history;
        QVERIFY(openDemoImage(rom, {RomVariant::GbaEnglish}).isOk());
        const Record before = rom.anim14Table[0];
        auto editor = openEditor<AnimString14Dialog>(rom, history);
        auto* sound = findControl<QLineEdit>(editor.get(), anim14Control::sound);
        typeOver(sound, QStringLiteral("7F"));
        QCOMPARE(rom.anim14Table[0][9], 0x7F);
        QTest::keyClick(sound, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(rom.anim14Table[0] == before);
        QCOMPARE(sound->text(), QString::number(before[9], 16).toUpper());
    }

    // An edit is recorded where the document changes, not where the user's input arrives: a
    // handler run without any key or click is one named step all the same.
    void aChangeWithoutInputIsUndoableWithItsName() {
        RomImage rom;
        EditHistory history;
        QVERIFY(openDemoImage(rom, {RomVariant::SnesEnglish}).isOk());
        const Record before = rom.shopTable[0];
        auto editor = openEditor<ShopEditorDialog>(rom, history);
        auto* list = findControl<QComboBox>(editor.get(), shopControl::firstSlot + 2);
        emit list->activated(before[3] == 7 ? 8 : 7);
        QVERIFY(rom.shopTable[0] != before);
        QCOMPARE(history.nextUndoName(), std::string("Shop 0: item #3"));
        QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(rom.shopTable[0] == before);
    }

    // Edit > Undo in the main window, back to the file's state: clean, nothing to ask on exit.
    void undoingBackToTheFileMakesTheWindowClean() {
        WindowOnDemoFile f(RomVariant::SnesEnglish);
        QAction* undo = f.window.commandAction(command::undo);
        QAction* redo = f.window.commandAction(command::redo);
        QVERIFY(!undo->isEnabled());
        QVERIFY(whileModal(
            [&] { findControl<QPushButton>(&f.window, mainControl::shops)->click(); },
            [&](QWidget* dialog) {
                chooseWithMouse(findControl<QComboBox>(dialog, shopControl::firstSlot), 9);
                QTest::keyClick(dialog, Qt::Key_Escape);
            }));
        QCOMPARE(f.rom.shopTable[0][1], 9);
        QVERIFY(f.window.isWindowModified());
        QVERIFY(undo->isEnabled());
        QCOMPARE(undo->text(), QStringLiteral("&Undo Shop 0: item #1"));
        undo->trigger();
        QCOMPARE(redo->text(), QStringLiteral("&Redo Shop 0: item #1"));
        QVERIFY(!f.window.isWindowModified());
        QVERIFY(redo->isEnabled());
        f.window.close();
        QCOMPARE(f.user.unsavedQuestions, 0);
        redo->trigger();
        QCOMPARE(f.rom.shopTable[0][1], 9);
        QVERIFY(f.window.isWindowModified());
        // A release switch reads the tables anew and forgets the steps.
        f.user.unsavedAnswer = UnsavedChoice::Discard;
        f.user.switchAgainstHeaderAnswer = true;
        f.window.commandAction(command::japanese)->trigger();
        QVERIFY(!undo->isEnabled());
        QVERIFY(!redo->isEnabled());
    }
};

} // namespace tarnwick::testing

QTEST_MAIN(tarnwick::testing::UndoTest)
#include "UndoTest.moc"
