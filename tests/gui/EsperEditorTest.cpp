// The esper editor driven as a user drives it: lists and learn-rate edits found by their
// resource numbers, and the document's esper records checked afterwards.
#include "EditorFixture.h"

#include "controls/NameComboBox.h"
#include "editors/EsperEditorDialog.h"
#include "resources/EditorTemplates.h"
#include "resources/MainTemplates.h"
#include "rom/RomImage.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace tarnwick::testing {
namespace {

// An editor open on a demo document of the release; invalid-number reports are counted.
struct EsperFixture : EditorFixture<EsperEditorDialog> {
    int invalidReports = 0;

    using EditorFixture::EditorFixture;
    EsperEditorDialog& open() {
        editor = std::make_unique<EsperEditorDialog>(rom, history);
        editor->setInvalidNumberReport([this](QWidget*) { ++invalidReports; });
        showAndWait(*editor);
        return *editor;
    }
    NameComboBox* list(int id) const { return findControl<NameComboBox>(editor.get(), id); }
    NameComboBox* spellList(int spell) const { return list(esperControl::spells[spell - 1]); }
    QLineEdit* rateEdit(int spell) const {
        return findControl<QLineEdit>(editor.get(), esperControl::learnRates[spell - 1]);
    }
    void chooseEsper(int esper) { chooseWithMouse(list(esperControl::esper), esper); }
    // Replaces the edit's text by typing, as the user selects all and types over it.
    void typeRate(int spell, const QString& text) {
        QLineEdit* edit = rateEdit(spell);
        edit->setFocus();
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
        else
            QTest::keyClicks(edit, text);
    }
};

} // namespace

class EsperEditorTest : public QObject {
    Q_OBJECT

private slots:
    void listsFollowTheRelease_data() { addReleaseRows(); }
    void listsFollowTheRelease() {
        QFETCH(int, release);
        const auto variant = static_cast<RomVariant>(release);
        EsperFixture f(variant);
        f.open();
        QCOMPARE(f.editor->windowTitle(), QStringLiteral("Esper Editor"));
        QCOMPARE(f.list(esperControl::esper)->count(), isGbaVariant(variant) ? 31 : 27);
        QCOMPARE(f.list(esperControl::esper)->currentItem(), 0);
        for (int spell = 1; spell <= 5; ++spell) {
            NameComboBox* spells = f.spellList(spell);
            QCOMPARE(spells->count(), isGbaVariant(variant) ? 58 : 55);
            QCOMPARE(spells->gameItem(0), emptySpellLabel(variant));
            QCOMPARE(spells->gameItem(1), f.rom.spellNames[0]);
        }
        NameComboBox* bonuses = f.list(esperControl::bonus);
        QCOMPARE(bonuses->count(), 18);
        QCOMPARE(bonuses->gameItem(0), noBonusLabel(variant));
        QCOMPARE(bonuses->gameItem(17), f.rom.bonusNames[16]);
        // The Japanese labels are drawn as plain glyphs on either platform.
        if (isJapaneseVariant(variant))
            QCOMPARE(static_cast<std::uint8_t>(bonuses->gameItem(0)[0]), plainTextMarker);

        const Record& first = f.rom.esperTable[0];
        QCOMPARE(f.rateEdit(3)->text(), QString::number(first[4]));
        QCOMPARE(f.spellList(3)->currentItem(), listPositionOf(first[5]));
        QCOMPARE(bonuses->currentItem(), listPositionOf(first[10]));
    }

    void storedValuesAndListPositions() {
        EsperFixture f(RomVariant::SnesEnglish);
        Record& esper = f.rom.esperTable[2];
        esper = {10, 0xFF, 20, 0x80, 30, 0x36, 40, 0x35, 50, 0x00, 0x10};
        f.rom.esperTable[3][10] = 0x11;
        f.open();
        f.chooseEsper(2);
        QCOMPARE(f.spellList(1)->currentIndex(), 0);  // empty slot label
        QCOMPARE(f.spellList(2)->currentIndex(), -1); // 0x80: position -127
        QCOMPARE(f.spellList(3)->currentIndex(), -1); // 0x36: beyond the 55 entries
        QCOMPARE(f.spellList(4)->currentIndex(), 54);
        QCOMPARE(f.list(esperControl::bonus)->currentIndex(), 17);
        f.chooseEsper(3);
        QCOMPARE(f.list(esperControl::bonus)->currentIndex(), -1);
        QCOMPARE(f.rom.esperTable[3][10], 0x11);

        f.chooseEsper(2);
        chooseWithMouse(f.spellList(5), 0);
        chooseWithMouse(f.spellList(2), 54);
        chooseWithMouse(f.list(esperControl::bonus), 0);
        const Record expected = {10, 0xFF, 20, 0x35, 30, 0x36, 40, 0x35, 50, 0xFF, 0xFF};
        QVERIFY(esper == expected);
    }

    void lastGbaSpellAndJapaneseGbaLabels() {
        EsperFixture f(RomVariant::GbaJapanese);
        f.open();
        f.chooseEsper(30);
        chooseWithMouse(f.spellList(1), 57);
        QCOMPARE(f.rom.esperTable[30][1], 0x38);
        QCOMPARE(f.spellList(1)->gameItem(0), GameString("\xFE\x2D\x2E\xFF\x32\x2F\x24\x2B\x2B"));
    }

    void learnRatesAreStoredModulo256AsTyped() {
        EsperFixture f(RomVariant::GbaEnglish);
        f.open();
        f.chooseEsper(4);
        // The field keeps the typed number while the user types, and shows the stored one once
        // the user presses Enter or leaves it.
        f.typeRate(2, QStringLiteral("300"));
        QCOMPARE(f.rom.esperTable[4][2], 0x2C);
        QCOMPARE(f.rateEdit(2)->text(), QStringLiteral("300"));
        QTest::keyClick(f.rateEdit(2), Qt::Key_Return);
        QCOMPARE(f.rateEdit(2)->text(), QStringLiteral("44"));
        f.typeRate(5, QStringLiteral("999"));
        QCOMPARE(f.rom.esperTable[4][8], 231);
        QTest::keyClick(f.rateEdit(5), Qt::Key_Enter);
        QCOMPARE(f.rateEdit(5)->text(), QStringLiteral("231"));
        chooseWithMouse(f.spellList(2), 3);
        QCOMPARE(f.rateEdit(2)->text(), QStringLiteral("44"));
        QCOMPARE(f.rom.esperTable[4][2], 0x2C);
        QCOMPARE(f.invalidReports, 0);
    }

    // An emptied edit is reported, gets its previous number back with the focus, and that
    // number is what the record keeps.
    void emptyLearnRateIsRefused() {
        EsperFixture f(RomVariant::SnesJapanese);
        f.open();
        f.typeRate(4, QStringLiteral("77"));
        f.typeRate(4, QString());
        QCOMPARE(f.invalidReports, 1);
        QCOMPARE(f.rateEdit(4)->text(), QStringLiteral("77"));
        QCOMPARE(f.rom.esperTable[0][6], 77);
        QCOMPARE(f.editor->focusWidget(), f.rateEdit(4));
        QCOMPARE(f.rateEdit(4)->selectedText(), QStringLiteral("77"));
        // The digit that takes the number past 32 bits is refused; the number before it stays.
        f.typeRate(4, QStringLiteral("4294967296"));
        QCOMPARE(f.invalidReports, 2);
        QCOMPARE(f.rateEdit(4)->text(), QStringLiteral("429496729"));
        QCOMPARE(f.rom.esperTable[0][6], 0x99);
    }

    void switchingEspersWritesNothing() {
        EsperFixture f(RomVariant::GbaEnglish);
        f.rom.esperTable[1] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
        f.rom.esperTable[2] = {200, 0xFF, 0, 0x80, 255, 56, 17, 0, 9, 0xFF, 0xFF};
        const auto before = f.rom.esperTable;
        f.open();
        auto* espers = f.list(esperControl::esper);
        espers->setFocus();
        for (int esper = 1; esper < 31; ++esper) {
            QTest::keyClick(espers, Qt::Key_Down);
            QCOMPARE(f.editor->selectedEsper(), esper);
            const Record& shown = f.rom.esperTable[static_cast<std::size_t>(esper)];
            for (int spell = 1; spell <= 5; ++spell) {
                QCOMPARE(f.rateEdit(spell)->text(), QString::number(shown[learnRateSlot(spell)]));
                QCOMPARE(f.spellList(spell)->currentItem(),
                         listPositionOf(shown[spellSlot(spell)]));
            }
        }
        f.chooseEsper(2);
        QVERIFY(f.rom.esperTable == before);
    }

    // Tab reaches every list and edit; an arrow key changes a list as a mouse choice would.
    void keyboardReachesAndChangesEveryList() {
        EsperFixture f(RomVariant::SnesEnglish);
        f.rom.esperTable[0][3] = 0xFF;
        f.open();
        f.list(esperControl::esper)->setFocus();
        QVERIFY(QTest::qWaitFor(
            [&] { return f.editor->focusWidget() == f.list(esperControl::esper); }));
        std::vector<int> order;
        for (int n = 0; n < 5; ++n)
            order.insert(order.end(), {esperControl::spells[n], esperControl::learnRates[n]});
        order.insert(order.end(), {esperControl::bonus, okButtonId, esperControl::esper});
        for (int id : order) {
            QTest::keyClick(f.editor->focusWidget(), Qt::Key_Tab);
            QCOMPARE(f.editor->focusWidget()->property(controlIdProperty).toInt(), id);
        }
        QTest::keyClick(f.spellList(2), Qt::Key_Down);
        QCOMPARE(f.rom.esperTable[0][3], 0x00);
        QCOMPARE(f.spellList(2)->currentItem(), 1);
        QTest::keyClick(f.list(esperControl::esper), Qt::Key_Down);
        QCOMPARE(f.editor->selectedEsper(), 1);
    }
};

} // namespace tarnwick::testing

QTEST_MAIN(tarnwick::testing::EsperEditorTest)
#include "EsperEditorTest.moc"
