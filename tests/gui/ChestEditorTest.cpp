// The chest editor driven as a user drives it: controls found by their resource numbers, typed
// into and chosen with the mouse and the keys, and the document's records checked afterwards.
// The record rules themselves are tested in the core; these check that each control reaches
// the right rule and that the dialog shows what the record then holds.
#include "EditorFixture.h"

#include "controls/ChestListBox.h"
#include "controls/CurrentItemComboBox.h"
#include "controls/NameComboBox.h"
#include "editors/ChestEditorDialog.h"
#include "resources/ChestTemplate.h"
#include "rom/ChestLabels.h"
#include "rom/ChestRecord.h"
#include "rom/MonsterBox.h"
#include "rom/RomImage.h"

#include <QAccessible>
#include <QCheckBox>
#include <QSpinBox>
#include <QStatusBar>
#include <QtTest>

#include <memory>

namespace tarnwick::testing {
namespace {

namespace c = chestControl;

// A chest editor open on a demo document of the release; texts.chestLocations stands for
// chestloc.txt.
struct ChestFixture : EditorFixture<ChestEditorDialog> {
    using EditorFixture::EditorFixture;
    QSpinBox* field(int id) const { return findControl<QSpinBox>(editor.get(), id); }
    NameComboBox* list(int id) const { return findControl<NameComboBox>(editor.get(), id); }
    QCheckBox* box(int id) const { return findControl<QCheckBox>(editor.get(), id); }
    Record& chest(int index) { return rom.chestTable[static_cast<std::size_t>(index)]; }
    // Replaces a field's text by typing over it, one key at a time.
    void type(int id, const QString& text) {
        QSpinBox* spin = field(id);
        spin->setFocus();
        spin->selectAll();
        if (text.isEmpty())
            QTest::keyClick(spin, Qt::Key_Delete);
        else
            QTest::keyClicks(spin, text);
    }
    void showChest(int index) { type(c::chestNumber, QString::number(index)); }
};

} // namespace

class ChestEditorTest : public QObject {
    Q_OBJECT

private slots:
    void opensOnTheFirstChest_data() { addReleaseRows(); }
    void opensOnTheFirstChest() {
        QFETCH(int, release);
        const auto variant = static_cast<RomVariant>(release);
        ChestFixture f(variant);
        const auto before = f.rom.chestTable;
        f.open();
        QCOMPARE(f.editor->windowTitle(), QStringLiteral("Chest Editor"));
        QCOMPARE(f.list(c::chest)->count(), chestCount);
        QCOMPARE(f.list(c::chest)->currentItem(), 0);
        QCOMPARE(f.list(c::location)->count(), chestCount);
        QCOMPARE(f.field(c::x)->value(), chestX(f.chest(0)));
        QCOMPARE(f.field(c::contentsNumber)->value(), chestContents(f.chest(0), variant));
        QCOMPARE(f.box(c::bit2)->text(), isGbaVariant(variant) ? QStringLiteral("Item# + &256:")
                                                               : QStringLiteral("Bit &2:"));
        QCOMPARE(findControl<ChestListBox>(f.editor.get(), c::monsters)->count(), 7);
        // Showing chests writes nothing.
        f.showChest(17);
        chooseWithMouse(f.list(c::chest), 200);
        QCOMPARE(f.field(c::chestNumber)->value(), 200);
        QVERIFY(f.rom.chestTable == before);
    }

    // Each number field stores into its own bits and wraps what the arrows give at both ends.
    void fieldsStoreAndWrap() {
        ChestFixture f(RomVariant::SnesEnglish);
        f.open();
        f.showChest(3);
        Record& chest = f.chest(3);
        f.type(c::x, QStringLiteral("0"));
        QTest::keyClick(f.field(c::x), Qt::Key_Down);
        QCOMPARE(chest[0], 255);
        QCOMPARE(f.field(c::x)->value(), 255);
        QTest::keyClick(f.field(c::x), Qt::Key_Up);
        QCOMPARE(chest[0], 0);
        f.type(c::y, QStringLiteral("300"));
        QCOMPARE(chest[1], 300 - 256);

        f.type(c::memoryByte, QStringLiteral("40"));
        QCOMPARE(chest[2] >> 3, 8);
        QCOMPARE(chest[3] & 1, 1);
        f.type(c::memoryByte, QStringLiteral("8"));
        QCOMPARE(chest[2] >> 3, 8);
        QCOMPARE(chest[3] & 1, 0);
        f.type(c::memoryBit, QStringLiteral("0"));
        QTest::keyClick(f.field(c::memoryBit), Qt::Key_Down);
        QCOMPARE(chest[2] & 7, 7);

        // An emptied field writes nothing and shows its value again once the user leaves it.
        const Record kept = chest;
        f.type(c::x, QString());
        QVERIFY(chest == kept);
        f.field(c::y)->setFocus();
        QCOMPARE(f.field(c::x)->text(), QStringLiteral("0"));

        QTest::mouseClick(f.box(c::bit1), Qt::LeftButton);
        QCOMPARE(chest[3] & 0x02, (kept[3] & 0x02) ^ 0x02);
    }

    // A typed number past a field's range is stored wrapped; the field shows the stored value
    // once the user presses Enter or leaves it.
    void fieldsShowTheStoredValueOnceLeft() {
        ChestFixture f(RomVariant::SnesEnglish);
        f.open();
        f.showChest(3);
        const std::pair<int, int> typedAndShown[] = {{c::x, 44},
                                                     {c::y, 44},
                                                     {c::memoryByte, 44},
                                                     {c::memoryBit, 4},
                                                     {c::gpMultiplier, 44},
                                                     {c::form1, 300},
                                                     {c::contentsNumber, 44},
                                                     {c::chestNumber, 300}};
        for (const auto& [id, shown] : typedAndShown) {
            f.type(id, QStringLiteral("300"));
            QTest::keyClick(f.field(id), Qt::Key_Return);
            QCOMPARE(f.field(id)->text(), QString::number(shown));
        }
        QCOMPARE(chestX(f.chest(3)), 44);
        f.type(c::x, QStringLiteral("300"));
        QCOMPARE(f.editor->findChild<QStatusBar*>()->currentMessage(),
                 QStringLiteral("300 is stored as 44: the byte holds 0-255"));
        f.type(c::y, QStringLiteral("1000"));
        f.field(c::x)->setFocus();
        QCOMPARE(f.field(c::y)->text(), QStringLiteral("232"));
        QCOMPARE(chestY(f.chest(300)), 232);
    }

    // A new type replaces the type bits and keeps bits 0, 1, 2 and 4 of byte 3.
    void typeChangesKeepTheOtherBits() {
        ChestFixture f(RomVariant::SnesJapanese);
        f.chest(5)[3] = 0x40 | 0x17;
        f.chest(5)[4] = 0x31;
        f.open();
        f.showChest(5);
        QCOMPARE(f.field(c::typeNumber)->value(), itemChest);
        chooseWithMouse(findControl<CurrentItemComboBox>(f.editor.get(), c::type), monsterChest);
        QCOMPARE(f.chest(5)[3], 0x20 | 0x17);
        QCOMPARE(f.chest(5)[4], 0x31);
        QCOMPARE(f.list(c::contents)->gameItem(0), monsterBoxLabel(f.rom, 0));
        f.type(c::typeNumber, QStringLiteral("3"));
        QCOMPARE(f.chest(5)[3], 0x80 | 0x17);
        QCOMPARE(f.list(c::chest)->gameItem(5), chestLabel(f.rom, f.chest(5)));
    }

    // GBA item 261 is byte 4 = 5 with bit 2; choosing item 12 clears the bit. SNES clears it on
    // every choice of an item.
    void itemChoicesSetByte4AndBit2() {
        ChestFixture gba(RomVariant::GbaEnglish);
        gba.chest(7)[3] = 0x44;
        gba.chest(7)[4] = 5;
        gba.open();
        gba.showChest(7);
        QCOMPARE(gba.field(c::contentsNumber)->value(), 261);
        QCOMPARE(gba.list(c::contents)->count(), 271);
        QCOMPARE(gba.list(c::contents)->currentItem(), 261);
        chooseWithMouse(gba.list(c::contents), 12);
        QCOMPARE(gba.chest(7)[3], 0x40);
        QCOMPARE(gba.chest(7)[4], 12);
        QTest::mouseClick(gba.box(c::bit2), Qt::LeftButton);
        QCOMPARE(gba.field(c::contentsNumber)->value(), 268);
        QCOMPARE(gba.chest(7)[3], 0x44);
        QCOMPARE(gba.chest(7)[4], 12);

        ChestFixture snes(RomVariant::SnesEnglish);
        snes.chest(7)[3] = 0x44;
        snes.open();
        snes.showChest(7);
        chooseWithMouse(snes.list(c::contents), 20);
        QCOMPARE(snes.chest(7)[3], 0x40);
        QCOMPARE(snes.chest(7)[4], 20);
    }

    // "Bit 2:" has the room of the GBA caption; a click between the caption and the box counts.
    void bit2TogglesOnAClickBesideItsCaption() {
        ChestFixture f(RomVariant::SnesEnglish);
        f.chest(0)[3] &= ~0x04;
        f.open();
        QCheckBox* bit2 = f.box(c::bit2);
        QTest::mouseClick(bit2, Qt::LeftButton, {}, QPoint(2, bit2->height() / 2));
        QVERIFY(bit2->isChecked());
        QCOMPARE(f.chest(0)[3] & 0x04, 0x04);
    }

    // Money chests are labelled with contents x multiplier, rebuilt when the multiplier changes.
    void gpMultiplierRelabelsMoney() {
        ChestFixture f(RomVariant::SnesEnglish);
        f.rom.gpMultiplier = 100;
        f.chest(9)[3] = 0x80;
        f.chest(9)[4] = 15;
        f.open();
        QCOMPARE(f.list(c::chest)->gameItem(9), moneyLabel(f.rom, 1500));
        f.showChest(9);
        f.type(c::gpMultiplier, QStringLiteral("50"));
        QCOMPARE(f.rom.gpMultiplier, 50);
        QCOMPARE(f.list(c::chest)->gameItem(9), moneyLabel(f.rom, 750));
        QCOMPARE(f.list(c::contents)->gameItem(15), moneyLabel(f.rom, 750));
    }

    // A formation edit changes the entry, and so every chest that names it.
    void formEditsChangeEveryChestNamingTheEntry() {
        ChestFixture f(RomVariant::GbaJapanese);
        for (int index : {10, 11}) {
            f.chest(index)[3] = 0x20;
            f.chest(index)[4] = 42;
        }
        f.open();
        f.showChest(10);
        f.type(c::form1, QStringLiteral("7"));
        QCOMPARE(monsterBoxForm(f.rom, 42, 1), 7);
        QCOMPARE(f.rom.monsterBoxTable[42][0], 7);
        QCOMPARE(f.rom.monsterBoxTable[42][1], 0);
        QCOMPARE(f.list(c::chest)->gameItem(11), monsterBoxLabel(f.rom, 42));
        const int form2 = monsterBoxForm(f.rom, 42, 2);
        QTest::keyClick(f.field(c::form2), Qt::Key_Down);
        QCOMPARE(monsterBoxForm(f.rom, 42, 2), wrapInto(form2 - 1, formationNumbers));
        const auto lines = monsterLines(f.rom, 42);
        auto* monsters = findControl<ChestListBox>(f.editor.get(), c::monsters);
        QCOMPARE(monsters->line(0), lines[0]);
    }

    // A screen reader reads each line of slots as text; the last line is blank.
    void monsterLinesReadAsText() {
        ChestFixture f(RomVariant::SnesEnglish);
        f.chest(0)[3] = 0x20;
        f.chest(0)[4] = 42;
        f.open();
        auto* monsters = findControl<ChestListBox>(f.editor.get(), c::monsters);
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(monsters);
        QCOMPARE(list->childCount(), 7);
        const QString first = list->child(0)->text(QAccessible::Name);
        QVERIFY2(QRegularExpression(QStringLiteral("^1: \\w.*, 2: \\w")).match(first).hasMatch(),
                 qPrintable(first));
        QCOMPARE(list->child(6)->text(QAccessible::Name), QString());
    }

    // chestloc.txt: line i names chest i; only CR LF ends a line.
    void locationsComeFromTheTextFile_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("chest0");
        QTest::addColumn<QString>("chest9");
        QTest::addColumn<QString>("chest10");
        QByteArray crlf;
        for (int i = 0; i < 10; ++i)
            crlf += "Place " + QByteArray::number(i) + "\r\n";
        QTest::newRow("ten CR LF lines") << crlf << "000 Place 0"
                                         << "009 Place 9"
                                         << "010 ";
        QTest::newRow("LF only") << QByteArray("a\nb\n") << "000 a\\x0Ab\\x0A"
                                 << "009 "
                                 << "010 ";
        QTest::newRow("no file") << QByteArray() << "000"
                                 << "009"
                                 << "010";
    }
    void locationsComeFromTheTextFile() {
        QFETCH(QByteArray, file);
        QFETCH(QString, chest0);
        QFETCH(QString, chest9);
        QFETCH(QString, chest10);
        ChestFixture f(RomVariant::SnesEnglish);
        if (!file.isEmpty())
            f.texts.chestLocations = textFile(file);
        f.open();
        NameComboBox* locations = f.list(c::location);
        QCOMPARE(locations->itemText(0), chest0);
        QCOMPARE(locations->itemText(9), chest9);
        QCOMPARE(locations->itemText(10), chest10);
        chooseWithMouse(locations, 9);
        QCOMPARE(f.editor->currentChest(), 9);
        QCOMPARE(f.list(c::chest)->currentItem(), 9);
    }
};

} // namespace tarnwick::testing

QTEST_MAIN(tarnwick::testing::ChestEditorTest)
#include "ChestEditorTest.moc"
