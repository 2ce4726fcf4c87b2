// Pictures of the main window for a person to look at: with no image, then with each demo
// release loaded. They are written under the build folder's screenshots/.
#include "GuiTestSupport.h"

#include "app/AboutDialog.h"
#include "rom/RomImage.h"

#include <QLineEdit>
#include <QtTest>

namespace tarnwick::testing {

class ScreenshotTest : public QObject {
    Q_OBJECT

private slots:
    void mainWindowWithoutImage() {
        RomImage rom;
        MainDialog window(rom);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(saveScreenshot(&window, QStringLiteral("main-window-empty.png")));
    }

    void mainWindowWithEachRelease_data() {
        QTest::addColumn<int>("release");
        for (RomVariant release : allReleases)
            QTest::newRow(releaseKey(release).data()) << variantIndex(release);
    }
    void mainWindowWithEachRelease() {
        QFETCH(int, release);
        const auto variant = static_cast<RomVariant>(release);
        QTemporaryDir folder;
        RomImage rom;
        MainDialog window(rom);
        ScriptedUser user;
        window.setPrompts(user.prompts());
        window.show();
        QVERIFY(window.loadFile(writeDemoFile(folder, variant)));
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(saveScreenshot(&window, QStringLiteral("main-window-%1.png")
                                            .arg(toQString(releaseKey(variant)))));
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
