// The editors opened from the main window's buttons: Escape keeps what was changed in them and
// File > Save writes it into the image file.
#include "WindowTestSupport.h"

#include "resources/ChestTemplate.h"
#include "resources/EditorTemplates.h"
#include "resources/MainTemplates.h"
#include "rom/RomImage.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

namespace tarnwick::testing {

class EditorWindowTest : public QObject {
    Q_OBJECT

private slots:
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
};

} // namespace tarnwick::testing

QTEST_MAIN(tarnwick::testing::EditorWindowTest)
#include "EditorWindowTest.moc"
