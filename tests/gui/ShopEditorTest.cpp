// The shop editor driven as a user drives it: lists found by their resource numbers, chosen
// with the mouse and the keys, and the document's shop records checked afterwards.
#include "EditorFixture.h"

#include "controls/NameComboBox.h"
#include "editors/ShopEditorDialog.h"
#include "resources/EditorTemplates.h"
#include "resources/MainTemplates.h"
#include "rom/RomImage.h"
#include "rom/ShopRecord.h"

#include <QPushButton>
#include <QtTest>

namespace tarnwick::testing {
namespace {

// A shop editor open on a demo document of the release.
struct ShopFixture : EditorFixture<ShopEditorDialog> {
    using EditorFixture::EditorFixture;
    QComboBox* list(int id) const { return control(id); }
    NameComboBox* slot(int k) const {
        return findControl<NameComboBox>(editor.get(), shopControl::firstSlot + k - 1);
    }
    void chooseShop(int shop) { chooseWithMouse(list(shopControl::shop), shop); }
};

} // namespace

class ShopEditorTest : public QObject {
    Q_OBJECT

private slots:
    void opensOnTheFirstShopWithEveryList_data() { addReleaseRows(); }
    void opensOnTheFirstShopWithEveryList() {
        QFETCH(int, release);
        ShopFixture f(static_cast<RomVariant>(release));
        ShopEditorDialog& editor = f.open();
        QCOMPARE(editor.windowTitle(), QStringLiteral("Shop Editor"));
        QVERIFY(findControl<QPushButton>(&editor, okButtonId) != nullptr);

        QComboBox* shops = f.list(shopControl::shop);
        QCOMPARE(shops->count(), 128);
        QCOMPARE(shops->itemText(39), QStringLiteral("39 Vendor"));
        QCOMPARE(shops->currentIndex(), 0);
        QCOMPARE(f.list(shopControl::priceModifier)->count(), 7);
        QCOMPARE(f.list(shopControl::priceModifier)->itemText(4),
                 QStringLiteral("1.5x cost, 0.5x if female leads"));

        // Japanese releases name the types by digits, whatever the document's type names hold.
        auto* types = findControl<NameComboBox>(&editor, shopControl::type);
        QCOMPARE(types->count(), 6);
        const auto typeNames = shopTypeListNames(f.rom);
        for (int type = 0; type < 6; ++type)
            QCOMPARE(types->gameItem(type), typeNames[static_cast<std::size_t>(type)]);
        if (isJapaneseVariant(static_cast<RomVariant>(release)))
            QCOMPARE(types->gameItem(5), GameString("\x58"));

        const Record& first = f.rom.shopTable[0];
        QCOMPARE(types->currentItem(), shopType(first));
        for (int k = 1; k <= 8; ++k) {
            QCOMPARE(f.slot(k)->count(), 256);
            QCOMPARE(f.slot(k)->gameItem(255), f.rom.itemNames[255]);
            QCOMPARE(f.slot(k)->currentIndex(), first[static_cast<std::size_t>(k)]);
        }
    }

    void outOfRangeFieldsShowBlankAndKeepTheirBits() {
        ShopFixture f(RomVariant::SnesEnglish);
        f.rom.shopTable[5][0] = 0x3E; // type 6, modifier 7
        f.rom.shopTable[6][0] = 0x05; // type 5, modifier 0
        f.open();
        f.chooseShop(5);
        QCOMPARE(f.list(shopControl::type)->currentIndex(), -1);
        QCOMPARE(f.list(shopControl::priceModifier)->currentIndex(), -1);
        QCOMPARE(f.rom.shopTable[5][0], 0x3E);

        chooseWithMouse(f.list(shopControl::type), 2);
        QCOMPARE(f.rom.shopTable[5][0], 0x3A);
        f.chooseShop(6);
        chooseWithMouse(f.list(shopControl::priceModifier), 4);
        QCOMPARE(f.rom.shopTable[6][0], 0x25);
        QCOMPARE(f.rom.shopTable[5][0], 0x3A);
    }

    void slotChoicesWriteOnlyTheirByte() {
        ShopFixture f(RomVariant::GbaEnglish);
        f.open();
        f.chooseShop(45);
        const auto before = f.rom.shopTable;
        chooseWithMouse(f.slot(3), 200);
        chooseWithMouse(f.slot(8), 0);
        auto expected = before;
        expected[45][3] = 200;
        expected[45][8] = 0;
        QVERIFY(f.rom.shopTable == expected);
        QCOMPARE(f.slot(3)->currentItem(), 200);
        // The close box ends the editor as OK does, keeping everything.
        f.editor->close();
        QCOMPARE(f.editor->result(), int(QDialog::Accepted));
        QVERIFY(f.rom.shopTable == expected);
    }

    void movingThroughShopsWritesNothing() {
        ShopFixture f(RomVariant::SnesJapanese);
        f.rom.shopTable[7][0] = 0xFF;
        f.rom.shopTable[7][1] = 0x1FF; // unmasked slots stay as they are too
        const auto before = f.rom.shopTable;
        f.open();
        QComboBox* shops = f.list(shopControl::shop);
        shops->setFocus();
        for (int shop = 1; shop < 128; ++shop) {
            QTest::keyClick(shops, Qt::Key_Down);
            QCOMPARE(f.editor->selectedShop(), shop);
            QCOMPARE(f.slot(2)->currentIndex(), f.rom.shopTable[static_cast<std::size_t>(shop)][2]);
        }
        f.chooseShop(7);
        QVERIFY(f.rom.shopTable == before);
    }

    // A wheel turned over an item list on the way elsewhere leaves the item as it was.
    void wheelOverAnUnfocusedListChangesNothing() {
        ShopFixture f(RomVariant::SnesEnglish);
        const auto before = f.rom.shopTable;
        f.open();
        f.list(shopControl::shop)->setFocus();
        const int shown = f.slot(3)->currentIndex();
        QVERIFY(!turnWheelOver(f.slot(3)));
        QCOMPARE(f.slot(3)->currentIndex(), shown);
        QVERIFY(f.rom.shopTable == before);
    }

    // Tab reaches every list in order; an arrow key changes it as a mouse choice would.
    void keyboardReachesAndChangesEveryList() {
        ShopFixture f(RomVariant::GbaJapanese);
        f.rom.shopTable[0][0] = 0x00;
        f.open();
        f.list(shopControl::shop)->setFocus();
        QVERIFY(
            QTest::qWaitFor([&] { return f.editor->focusWidget() == f.list(shopControl::shop); }));
        const int order[] = {shopControl::type,
                             shopControl::priceModifier,
                             1016,
                             1017,
                             1018,
                             1019,
                             1020,
                             1021,
                             1022,
                             1023,
                             okButtonId};
        for (int id : order) {
            QTest::keyClick(f.editor->focusWidget(), Qt::Key_Tab);
            QCOMPARE(f.editor->focusWidget()->property(controlIdProperty).toInt(), id);
        }
        QTest::keyClick(f.list(shopControl::type), Qt::Key_Down);
        QTest::keyClick(f.list(shopControl::priceModifier), Qt::Key_Down);
        QCOMPARE(f.rom.shopTable[0][0], 0x09);
        const int item = f.rom.shopTable[0][4];
        QTest::keyClick(f.slot(4), Qt::Key_Up);
        QCOMPARE(f.rom.shopTable[0][4], item == 0 ? 0 : item - 1);
        QCOMPARE(f.slot(4)->currentItem(), f.rom.shopTable[0][4]);
        // Enter on a closed list presses OK.
        QTest::keyClick(f.slot(4), Qt::Key_Return);
        QVERIFY(!f.editor->isVisible());
        QCOMPARE(f.editor->result(), int(QDialog::Accepted));
    }
};

} // namespace tarnwick::testing

QTEST_MAIN(tarnwick::testing::ShopEditorTest)
#include "ShopEditorTest.moc"
