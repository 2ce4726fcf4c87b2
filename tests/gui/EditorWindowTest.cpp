// The editors opened from the main window's buttons: Escape keeps what was changed in them and
// File > Save writes it into the image file.
#include "WindowTestSupport.h"

#include "app/CheckImageDialog.h"
#include "editors/AnimString14Dialog.h"
#include "editors/AnimString8Dialog.h"
#include "editors/ChestEditorDialog.h"
#include "editors/EsperEditorDialog.h"
#include "editors/ManualWindow.h"
#include "editors/ShopEditorDialog.h"
#include "resources/AnimTemplates.h"
#include "resources/ChestTemplate.h"
#include "resources/ControlHelp.h"
#include "resources/EditorTemplates.h"
#include "resources/MainTemplates.h"
#include "rom/ChestRecord.h"
#include "rom/RomImage.h"
#include "rom/ShopRecord.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTableWidget>
#include <QtTest>

#include <regex>

namespace tarnwick::testing {
namespace {

void typeInto(QWidget* dialog, int id, const QString& text) {
    auto* field = findControl<QLineEdit>(dialog, id);
    field->selectAll();
    QTest::keyClicks(field, text);
}

std::uint8_t byteAt(const QByteArray& file, qsizetype offset) {
    return static_cast<std::uint8_t>(file.at(offset));
}

} // namespace

class EditorWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Every field, box, list and button of the main window and of each editor it opens has its
    // help as a tooltip, and the status bar repeats it while the pointer rests there.
    void everyControlExplainsItself() {
        WindowOnDemoFile f(RomVariant::GbaEnglish);
        const auto checkWindow = [](QWidget* window) {
            const QList<QWidget*> controls = window->findChildren<QWidget*>();
            int checked = 0;
            QWidget* explained = nullptr;
            for (QWidget* control : controls) {
                const int id = control->property(controlIdProperty).toInt();
                const bool interactive = qobject_cast<QComboBox*>(control) != nullptr ||
                                         qobject_cast<QAbstractButton*>(control) != nullptr ||
                                         qobject_cast<QLineEdit*>(control) != nullptr ||
                                         qobject_cast<QAbstractSpinBox*>(control) != nullptr ||
                                         qobject_cast<QListWidget*>(control) != nullptr;
                if (id <= 1 || !interactive || !control->isVisibleTo(window))
                    continue; // the OK button (1) and the hidden font button say what they do
                QVERIFY2(!control->toolTip().isEmpty(),
                         qPrintable(QStringLiteral("%1 %2").arg(window->windowTitle()).arg(id)));
                ++checked;
                explained = control;
            }
            QVERIFY(checked > 0);
            auto* statusBar = window->findChild<QStatusBar*>(QStringLiteral("statusBar"));
            QVERIFY(statusBar != nullptr);
            QStatusTipEvent tip(QStringLiteral("the help of a control"));
            QApplication::sendEvent(explained, &tip);
            QCOMPARE(statusBar->currentMessage(), QStringLiteral("the help of a control"));
        };
        checkWindow(&f.window);
        for (const int button : {mainControl::chests, mainControl::shops, mainControl::espers,
                                 mainControl::anim8, mainControl::anim14})
            QVERIFY(whileModal([&] { findControl<QPushButton>(&f.window, button)->click(); },
                               checkWindow));
    }

    // A byte number a field's label or group shows ("Byte6:", "Byte 3 - Other") is the one its
    // help shows, and the help names the record's byte once, in one form, counted from 0.
    void helpCountsBytesAsTheCaptionsDo() {
        const std::regex captionNumber(R"(Byte ?\d+)");
        const std::regex recordByte(R"( \(record bytes? \d+( and \d+)?, counted from 0\))");
        const std::regex otherByte(R"(byte \d|(first|second|third|\w+th) byte)");
        for (const DialogTemplate* dialog :
             {&chestEditorTemplate(), &shopEditorTemplate(), &esperEditorTemplate(),
              &anim8EditorTemplate(), &anim14EditorTemplate()})
            for (std::size_t at = 1; at < dialog->controls.size(); ++at) {
                const ControlTemplate& control = dialog->controls[at];
                const std::string help(controlHelp(dialog->id, control.id));
                if (help.empty())
                    continue; // labels and groups
                const ControlTemplate& before = dialog->controls[at - 1];
                std::string captions(before.kind == ControlKind::Label ? before.caption : "");
                for (const ControlTemplate& group : dialog->controls)
                    if (group.kind == ControlKind::GroupBox &&
                        QRect(group.x, group.y, group.width, group.height)
                            .contains(control.x, control.y))
                        captions += " " + std::string(group.caption);
                std::erase(captions, '&'); // a mnemonic is no part of the number
                std::smatch shown, told;
                std::regex_search(captions, shown, captionNumber);
                std::regex_search(help, told, captionNumber);
                const std::string rest = std::regex_replace(
                    help, recordByte, "", std::regex_constants::format_first_only);
                QVERIFY2(shown.str() == told.str() && !std::regex_search(rest, otherByte),
                         help.c_str());
            }
    }

    // Help > Manual opens the manual; F1 in an editor opens it at that editor's section.
    void theManualOpensAtTheEditorsSection() {
        WindowOnDemoFile f(RomVariant::SnesEnglish);
        f.window.commandAction(command::manual)->trigger();
        auto* manual = f.window.findChild<ManualWindow*>();
        QVERIFY(manual != nullptr && manual->isVisible());
        QCOMPARE(manual->sectionShown(), QString());
        manual->close();
        QString shown;
        QVERIFY(
            whileModal([&] { findControl<QPushButton>(&f.window, mainControl::espers)->click(); },
                       [&](QWidget* dialog) {
                           QTest::keyClick(dialog, Qt::Key_F1);
                           if (auto* opened = dialog->findChild<ManualWindow*>())
                               shown = opened->sectionShown();
                       }));
        QCOMPARE(shown, QStringLiteral("The Esper Editor"));
    }

    // Tools > Check Image stays open beside the window; double-clicking a finding opens its
    // editor at the record, and the list follows the edit made there.
    void aFindingOpensItsEditorAndTheListFollowsEdits() {
        WindowOnDemoFile f(RomVariant::SnesEnglish);
        // The demo image passes every check: a money chest of 0 GP and a shop selling an item
        // twice give the list its findings.
        setChestType(f.rom.chestTable[5], moneyChest);
        storeChosenContents(f.rom.chestTable[5], f.rom.variant(), 0);
        for (int slot = 1; slot <= shopItemSlots; ++slot)
            setShopItem(f.rom.shopTable[12], slot, slot == 5 ? 41 : 39 + slot);
        f.window.show();
        f.window.commandAction(command::checkImage)->trigger();
        CheckImageDialog* check = f.window.checkImageDialog();
        QVERIFY(check != nullptr && check->isVisible() && !check->isModal());
        QVERIFY(QTest::qWaitForWindowExposed(check));
        auto* findings = check->findChild<QTableWidget*>(QStringLiteral("findingsTable"));
        const int before = findings->rowCount();
        QVERIFY(before > 0);
        auto* filter = check->findChild<QComboBox*>(QStringLiteral("severityFilter"));
        filter->setCurrentIndex(1); // errors only: the demo image has none
        QCOMPARE(check->shownCount(), 0);
        filter->setCurrentIndex(0);
        QCOMPARE(check->shownCount(), before);

        // The shop selling an item twice: "lists item 41 twice (#2 and #5)".
        const QList<QTableWidgetItem*> twice =
            findings->findItems(QStringLiteral(" twice (#"), Qt::MatchContains);
        QVERIFY(!twice.isEmpty());
        const int row = twice.front()->row();
        const int shop = findings->item(row, 2)->text().toInt();
        const int slot = QRegularExpression(QStringLiteral("and #(\\d)"))
                             .match(twice.front()->text())
                             .captured(1)
                             .toInt();
        QVERIFY(slot > 1);
        QTableWidgetItem* cell = findings->item(row, 0);
        findings->scrollToItem(cell);
        QVERIFY(whileModal(
            [&] {
                const QPoint at = findings->visualItemRect(cell).center();
                // A double-click follows a first click, as the mouse sends it.
                QTest::mouseClick(findings->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseDClick(findings->viewport(), Qt::LeftButton, {}, at);
            },
            [&](QWidget* dialog) {
                auto* editor = qobject_cast<ShopEditorDialog*>(dialog);
                QVERIFY(editor != nullptr);
                QCOMPARE(editor->selectedShop(), shop);
                // An item no slot sells: the duplicate is gone while the editor is still open.
                chooseWithMouse(findControl<QComboBox>(dialog, shopControl::firstSlot + slot - 1),
                                254);
                QCOMPARE(findings->rowCount(), before - 1);
            }));

        // Enter on a finding opens its editor too, and leaves the list open.
        findings->setFocus();
        findings->setCurrentCell(0, 0);
        const int chest = findings->item(0, 2)->text().toInt();
        QVERIFY(whileModal([&] { QTest::keyClick(findings, Qt::Key_Return); },
                           [&](QWidget* dialog) {
                               auto* editor = qobject_cast<ChestEditorDialog*>(dialog);
                               QVERIFY(editor != nullptr);
                               QCOMPARE(editor->currentChest(), chest);
                           }));
        QVERIFY(check->isVisible());
    }

    // Every table's findings open its editor at the record; a monster-in-a-box entry opens the
    // chest editor at a monster chest opening onto it.
    void eachTableOpensItsEditorAtTheRecord() {
        WindowOnDemoFile f(RomVariant::GbaEnglish);
        const auto shown = [&](const QString& table, int record) {
            int selected = -1;
            whileModal([&] { f.window.openEditorAt(table, record); },
                       [&](QWidget* dialog) {
                           if (auto* chests = qobject_cast<ChestEditorDialog*>(dialog))
                               selected = chests->currentChest();
                           else if (auto* shops = qobject_cast<ShopEditorDialog*>(dialog))
                               selected = shops->selectedShop();
                           else if (auto* espers = qobject_cast<EsperEditorDialog*>(dialog))
                               selected = espers->selectedEsper();
                           else if (auto* anim8 = qobject_cast<AnimString8Dialog*>(dialog))
                               selected = anim8->selectedRecord();
                           else if (auto* anim14 = qobject_cast<AnimString14Dialog*>(dialog))
                               selected = 1000 + anim14->selectedRecord();
                       });
            return selected;
        };
        QCOMPARE(shown(QStringLiteral("chestTable"), 40), 40);
        QCOMPARE(shown(QStringLiteral("shopTable"), 12), 12);
        QCOMPARE(shown(QStringLiteral("esperTable"), 4), 4);
        QCOMPARE(shown(QStringLiteral("anim8Table"), 50), 50);
        QCOMPARE(shown(QStringLiteral("anim14Table"), 120), 1120);

        const auto firstMonsterChest =
            std::find_if(f.rom.chestTable.begin(), f.rom.chestTable.end(),
                         [](const Record& chest) { return chestType(chest) == monsterChest; });
        QVERIFY(firstMonsterChest != f.rom.chestTable.end());
        const int entry = chestContents(*firstMonsterChest, f.rom.variant());
        const int chest = shown(QStringLiteral("monsterBoxTable"), entry);
        QVERIFY(chest >= 0 && chest < chestCount);
        const Record& opened = f.rom.chestTable[static_cast<std::size_t>(chest)];
        QCOMPARE(chestType(opened), monsterChest);
        QCOMPARE(chestContents(opened, f.rom.variant()), entry);
    }

    // From the main window: Shops opens the editor, Escape keeps its changes and Save writes
    // them into the file.
    void shopEditsAreSaved() {
        WindowOnDemoFile f(RomVariant::SnesEnglish, true);
        QVERIFY(f.window.isRomLoaded());
        auto* shopsButton = findControl<QPushButton>(&f.window, mainControl::shops);
        QVERIFY(whileModal(
            [&] { shopsButton->click(); },
            [&](QWidget* dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Shop Editor"));
                chooseWithMouse(findControl<QComboBox>(dialog, shopControl::shop), 100);
                chooseWithMouse(findControl<QComboBox>(dialog, shopControl::type), 3);
                chooseWithMouse(findControl<QComboBox>(dialog, shopControl::priceModifier), 6);
                chooseWithMouse(findControl<QComboBox>(dialog, shopControl::firstSlot + 6), 77);
                QTest::keyClick(dialog, Qt::Key_Escape);
                QVERIFY(!dialog->isVisible());
            }));
        QCOMPARE(f.rom.shopTable[100][0], 0x33);
        QCOMPARE(f.rom.shopTable[100][7], 77);

        f.window.commandAction(command::save)->trigger();
        QVERIFY(f.user.failures.isEmpty());
        const QByteArray file = fileBytes(f.path);
        const qsizetype record = 0x200 + 0x47AC0 + 100 * 9;
        QCOMPARE(static_cast<std::uint8_t>(file[record]), 0x33);
        QCOMPARE(static_cast<std::uint8_t>(file[record + 7]), 77);
    }

    // From the main window: Espers opens the editor, Escape keeps its changes and Save writes
    // them into the file.
    void esperEditsAreSaved() {
        WindowOnDemoFile f(RomVariant::GbaJapanese);
        QVERIFY(f.window.isRomLoaded());
        auto* espersButton = findControl<QPushButton>(&f.window, mainControl::espers);
        QVERIFY(whileModal(
            [&] { espersButton->click(); },
            [&](QWidget* dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Esper Editor"));
                chooseWithMouse(findControl<QComboBox>(dialog, esperControl::esper), 29);
                chooseWithMouse(findControl<QComboBox>(dialog, esperControl::spells[4]), 12);
                chooseWithMouse(findControl<QComboBox>(dialog, esperControl::bonus), 5);
                auto* rate = findControl<QLineEdit>(dialog, esperControl::learnRates[0]);
                rate->selectAll();
                QTest::keyClicks(rate, QStringLiteral("260"));
                QTest::keyClick(dialog, Qt::Key_Escape);
                QVERIFY(!dialog->isVisible());
            }));
        const Record& esper = f.rom.esperTable[29];
        QCOMPARE(esper[9], 11);
        QCOMPARE(esper[10], 4);
        QCOMPARE(esper[0], 4);

        f.window.commandAction(command::save)->trigger();
        QVERIFY(f.user.failures.isEmpty());
        const QByteArray file = fileBytes(f.path);
        const qsizetype record = 0x62A480 + 29 * 11;
        QCOMPARE(static_cast<std::uint8_t>(file[record]), 4);
        QCOMPARE(static_cast<std::uint8_t>(file[record + 9]), 11);
        QCOMPARE(static_cast<std::uint8_t>(file[record + 10]), 4);
    }

    // The money multiplier set in the chest editor is saved at its place in a SNES image.
    void chestEditsAreSaved() {
        WindowOnDemoFile f(RomVariant::SnesEnglish, true);
        auto* chestsButton = findControl<QPushButton>(&f.window, mainControl::chests);
        QVERIFY(whileModal([&] { chestsButton->click(); },
                           [&](QWidget* dialog) {
                               QCOMPARE(dialog->windowTitle(), QStringLiteral("Chest Editor"));
                               auto* gp = findControl<QSpinBox>(dialog, chestControl::gpMultiplier);
                               gp->setFocus();
                               gp->selectAll();
                               QTest::keyClicks(gp, QStringLiteral("50"));
                               auto* x = findControl<QSpinBox>(dialog, chestControl::x);
                               x->setFocus();
                               x->selectAll();
                               QTest::keyClicks(x, QStringLiteral("77"));
                               QTest::keyClick(dialog, Qt::Key_Escape);
                           }));
        f.window.commandAction(command::save)->trigger();
        QVERIFY(f.user.failures.isEmpty());
        const QByteArray file = fileBytes(f.path);
        QCOMPARE(static_cast<std::uint8_t>(file[0x200 + 0x4C41]), 0x32);
        QCOMPARE(static_cast<std::uint8_t>(file[0x200 + 0x2D8634]), 77);
    }

    // From the main window: 8-Byte opens the editor on an enemy special; Save writes it.
    void anim8EditsAreSaved() {
        WindowOnDemoFile f(RomVariant::SnesEnglish, true);
        QVERIFY(whileModal(
            [&] { findControl<QPushButton>(&f.window, mainControl::anim8)->click(); },
            [&](QWidget* dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("8-Byte Animation String Editor"));
                chooseWithMouse(findControl<QComboBox>(dialog, anim8Control::category), 1);
                chooseWithMouse(findControl<QComboBox>(dialog, anim8Control::entry), 2);
                chooseWithMouse(findControl<QComboBox>(dialog, anim8Control::hitList), 0x2C);
                typeInto(dialog, anim8Control::fields[5], QStringLiteral("1G"));
                QTest::keyClick(dialog, Qt::Key_Escape);
                QVERIFY(!dialog->isVisible());
            }));
        f.window.commandAction(command::save)->trigger();
        QVERIFY(f.user.failures.isEmpty());
        const QByteArray file = fileBytes(f.path);
        const qsizetype record = 0x200 + 0x2CE400 + 95 * 8;
        QCOMPARE(byteAt(file, record + 3), 0x2C);
        QCOMPARE(byteAt(file, record + 5), 0x20);
    }

    // From the main window: 15-Byte opens the editor on the last GBA esper; Save writes it.
    void anim15EditsAreSaved() {
        WindowOnDemoFile f(RomVariant::GbaEnglish);
        bool highBitBefore = false;
        QVERIFY(whileModal(
            [&] { findControl<QPushButton>(&f.window, mainControl::anim14)->click(); },
            [&](QWidget* dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("15-Byte Animation String Editor"));
                chooseWithMouse(findControl<QComboBox>(dialog, anim14Control::category), 1);
                chooseWithMouse(findControl<QComboBox>(dialog, anim14Control::entry), 34);
                chooseWithMouse(findControl<QComboBox>(dialog, anim14Control::animationLists[3]),
                                768);
                typeInto(dialog, anim14Control::numberFields[0], QStringLiteral("2FF"));
                auto* box = findControl<QCheckBox>(dialog, anim14Control::highBits[0]);
                highBitBefore = box->isChecked();
                QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
                typeInto(dialog, anim14Control::gbaOnly, QStringLiteral("7"));
                dialog->close();
            }));
        f.window.commandAction(command::save)->trigger();
        QVERIFY(f.user.failures.isEmpty());
        const QByteArray file = fileBytes(f.path);
        const qsizetype record = 0x98A20 + 440 * 15;
        QCOMPARE(byteAt(file, record + 0), 0xFF);
        QCOMPARE(byteAt(file, record + 1), highBitBefore ? 0x02 : 0x82);
        QCOMPARE(byteAt(file, record + 11), 0xFF);
        QCOMPARE(byteAt(file, record + 12), 0xFF);
        QCOMPARE(byteAt(file, record + 14), 7);
    }

    // The hidden Fonts button opens a frame that takes input and changes no byte.
    void fontEditorChangesNothing() {
        WindowOnDemoFile f(RomVariant::SnesJapanese);
        const QByteArray before = fileBytes(f.path);
        QVERIFY(whileModal(
            [&] { findControl<QPushButton>(&f.window, mainControl::fonts)->click(); },
            [&](QWidget* dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Font Editor"));
                auto* fontType = findControl<QComboBox>(dialog, fontControl::fontType);
                QCOMPARE(fontType->currentIndex(), -1);
                chooseWithMouse(fontType, 1);
                auto* character = findControl<QLineEdit>(dialog, fontControl::character);
                character->setFocus();
                QTest::keyClicks(character, QStringLiteral("7x"));
                QCOMPARE(character->text(), QStringLiteral("7"));
                QTest::keyClick(character, Qt::Key_Up);
                auto* arrows = findControl(dialog, fontControl::characterArrows);
                QTest::mouseClick(arrows->childAt(arrows->width() / 2, 1), Qt::LeftButton);
                QCOMPARE(character->text(), QStringLiteral("9"));
                for (int id :
                     {fontControl::up, fontControl::left, fontControl::down, fontControl::right})
                    findControl<QPushButton>(dialog, id)->click();
                QTest::mouseClick(dialog, Qt::RightButton, {}, QPoint(40, 60));
                QTest::keyClick(dialog, Qt::Key_Escape);
                QCOMPARE(static_cast<QDialog*>(dialog)->result(), int(QDialog::Rejected));
            }));
        QVERIFY(!f.rom.tablesDifferFromImage());
        f.window.commandAction(command::save)->trigger();
        QCOMPARE(fileBytes(f.path), before);
    }
};

} // namespace tarnwick::testing

QTEST_MAIN(tarnwick::testing::EditorWindowTest)
#include "EditorWindowTest.moc"
