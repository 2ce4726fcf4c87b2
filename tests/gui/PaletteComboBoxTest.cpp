#include "DemoDocuments.h"

#include "controls/PaletteComboBox.h"
#include "graphics/SheetLayout.h"

#include <QAbstractItemView>
#include <QDir>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <QtTest>

using namespace tarnwick;

namespace {

const QRgb white = qRgb(0xFF, 0xFF, 0xFF), grey = qRgb(0x7F, 0x7F, 0x7F), black = qRgb(0, 0, 0);

// An item as it should look: the background, a grey 89 x 12 strip whose first swatch sits at
// (3, penY), eight black-edged swatches 11 pixels apart (black when the sheet has no such palette).
QImage expectedItem(const RomImage& rom, int palette, QRgb background, int penY) {
    QImage image(PaletteComboBox::rowWidth, PaletteComboBox::rowHeight, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    painter.fillRect(1, penY - 2, 89, 12, QColor(grey));
    for (int i = 0, x = 3; i < 8; ++i, x += 11) {
        painter.fillRect(x - 1, penY - 1, 10, 10, Qt::black);
        for (int d = 0; d < 64 && palette < 256; ++d)
            image.setPixel(x + d % 8, penY + d / 8,
                           rom.paletteSheet.pixel(swatchX(8 * palette + i) + d % 8,
                                                  swatchY(8 * palette + i) + d / 8));
    }
    return image;
}

QImage paintRow(PaletteComboBox& combo, int row, int state = 0) {
    QImage image(PaletteComboBox::rowWidth, PaletteComboBox::rowHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = image.rect();
    option.state = QStyle::State_Enabled | QStyle::State(state);
    combo.view()->itemDelegate()->paint(&painter, option, combo.model()->index(row, 0));
    return image;
}

} // namespace

class PaletteComboBoxTest : public QObject {
    Q_OBJECT

private slots:
    void listRow_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("remembered");
        QTest::addColumn<int>("palette");
        QTest::addColumn<QRgb>("background");
        QTest::newRow("0, other row") << "0" << 0 << 1 << 0 << black;
        QTest::newRow("1, current row") << "1" << 0 << 0 << 1 << grey;
        QTest::newRow("EF, highlighted")
            << "EF" << int(QStyle::State_Selected) << 1 << 239 << white;
        QTest::newRow("A, focused current")
            << "A" << int(QStyle::State_HasFocus) << 0 << 10 << white;
        QTest::newRow("empty text") << "" << 0 << 7 << 0 << black;
        QTest::newRow("past the sheet: no colours") << "FFF" << 0 << 7 << 4095 << black;
    }

    void listRow() {
        QFETCH(QString, text);
        QFETCH(int, state);
        QFETCH(int, remembered);
        QFETCH(int, palette);
        QFETCH(QRgb, background);
        const RomImage& rom = test::sharedDemoDocument(RomVariant::GbaEnglish);
        PaletteComboBox combo(rom);
        combo.addItem(text);
        combo.setCurrentItem(remembered);
        QCOMPARE(PaletteComboBox::paletteNumber(text), palette);
        QCOMPARE(paintRow(combo, 0, state), expectedItem(rom, palette, background, 4));
    }

    void selectionFieldIsBlackWithTheStripOneRowLower() {
        const RomImage& rom = test::sharedDemoDocument(RomVariant::SnesEnglish);
        PaletteComboBox combo(rom);
        combo.addItems({"0", "1", "2"});
        QImage field(PaletteComboBox::rowWidth, PaletteComboBox::rowHeight, QImage::Format_RGB32);
        field.fill(Qt::red);
        QPainter painter(&field);
        combo.setCurrentItem(3);
        combo.paintSelectionField(painter, field.rect());
        QCOMPARE(field.pixel(0, 0), qRgb(0xFF, 0, 0)); // no selection: nothing painted
        combo.setCurrentItem(1);
        combo.paintSelectionField(painter, field.rect());
        QCOMPARE(field, expectedItem(rom, 1, black, 5));
    }

    void confirmingMakesAnItemCurrent() {
        PaletteComboBox combo(test::sharedDemoDocument(RomVariant::SnesJapanese));
        combo.addItems({"0", "1", "2", "3", "4", "5"});
        combo.setCurrentItem(2);
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        combo.showPopup();
        QCOMPARE(combo.view()->sizeHintForRow(0), PaletteComboBox::rowHeight);
        QTest::keyClick(combo.view(), Qt::Key_Down);
        QTest::keyClick(combo.view(), Qt::Key_Down);
        QCOMPARE(combo.currentItem(), 2); // browsing only highlights
        QTest::keyClick(combo.view(), Qt::Key_Return);
        QCOMPARE(combo.currentItem(), 4);
        QCOMPARE(paintRow(combo, 4).pixel(0, 0), grey);
        QCOMPARE(paintRow(combo, 2).pixel(0, 0), black);
    }

    // Pictures of the open list and the field on each release, to look at.
    void screenshots() {
        const QString folder = QStringLiteral(TARNWICK_SCREENSHOT_DIR);
        QVERIFY(QDir().mkpath(folder));
        for (RomVariant release : allReleases) {
            PaletteComboBox combo(test::sharedDemoDocument(release));
            for (int p = 0; p < 240; ++p)
                combo.addItem(QString::number(p, 16).toUpper());
            combo.setCurrentItem(3);
            combo.resize(combo.sizeHint());
            combo.show();
            QVERIFY(QTest::qWaitForWindowExposed(&combo));
            combo.showPopup();
            combo.view()->setCurrentIndex(combo.model()->index(6, 0));
            const QString name = folder + "/palette-%1-" + QString::fromUtf8(releaseKey(release));
            QVERIFY(combo.view()->window()->grab().save(name.arg("list") + ".png"));
            combo.hidePopup();
            QVERIFY(combo.grab().save(name.arg("field") + ".png"));
        }
    }
};

QTEST_MAIN(PaletteComboBoxTest)
#include "PaletteComboBoxTest.moc"
