#include "DemoDocuments.h"

#include "DemoCharacters.h"
#include "controls/ChestListBox.h"
#include "graphics/SheetLayout.h"

#include <QDir>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <QtTest>

using namespace tarnwick;

namespace {

// A block of the font sheet and where its top-left corner lands in the row.
struct Copy {
    int sourceX, sourceY, width, height, targetX, targetY;
};
Copy glyph(std::uint8_t code, int x, int width = cellSize) {
    return {cellX(code), cellY(code, ListScheme::Normal), width, cellSize, x, 5};
}

// Navy with the blocks copied in order, so a later one covers an earlier one.
QImage expectedRow(const RomImage& rom, int width, const std::vector<Copy>& copies) {
    QImage image(width, ChestListBox::rowHeight, QImage::Format_RGB32);
    image.fill(schemeBackground(ListScheme::Normal));
    for (const Copy& c : copies)
        for (int d = 0; d < c.width * c.height; ++d)
            image.setPixel(c.targetX + d % c.width, c.targetY + d / c.width,
                           rom.fontSheet.pixel(c.sourceX + d % c.width, c.sourceY + d / c.width));
    return image;
}

} // namespace

Q_DECLARE_METATYPE(RomVariant)
Q_DECLARE_METATYPE(std::vector<Copy>)

class ChestListBoxTest : public QObject {
    Q_OBJECT

private slots:
    // The row paints its two entries as the core lays them out: the right one at the middle.
    void line_data() {
        QTest::addColumn<RomVariant>("release");
        QTest::addColumn<GameString>("left");
        QTest::addColumn<GameString>("right");
        QTest::addColumn<int>("width");
        QTest::addColumn<std::vector<Copy>>("copies");
        const auto snes = RomVariant::SnesEnglish;
        QTest::newRow("blank line")
            << snes << GameString() << GameString() << 200 << std::vector<Copy>{};
        QTest::newRow("two-word names")
            << snes << GameString("\x80\xFF\x81\xFF\xFF") << GameString("\x82\xFF\x83") << 201
            << std::vector<Copy>{glyph(0x80, 2), glyph(0x81, 18), glyph(0x82, 101),
                                 glyph(0x83, 117)};
        for (RomVariant release : {RomVariant::SnesJapanese, RomVariant::GbaJapanese})
            QTest::newRow(releaseKey(release).data())
                << release << GameString("\x4A\x20") << GameString() << 200
                << std::vector<Copy>{{16, 300, 8, 4, 2, 1},
                                     glyph(0x61, 2),
                                     {8, 300, 8, 4, 10, 1},
                                     glyph(0x60, 10)};
    }

    void line() {
        QFETCH(RomVariant, release);
        QFETCH(GameString, left);
        QFETCH(GameString, right);
        QFETCH(int, width);
        QFETCH(std::vector<Copy>, copies);
        const RomImage& rom = test::sharedDemoDocument(release);
        ChestListBox list(rom);
        list.addLine({left, right});
        QVERIFY(list.line(0) == (MonsterLine{left, right}));
        QImage row(width, ChestListBox::rowHeight, QImage::Format_RGB32);
        QPainter painter(&row);
        QStyleOptionViewItem option;
        option.rect = row.rect();
        option.state = QStyle::State_Enabled | QStyle::State_Selected | QStyle::State_HasFocus;
        list.itemDelegate()->paint(&painter, option, list.model()->index(0, 0));
        QCOMPARE(row, expectedRow(rom, width, copies));
    }

    void clickingSelectsNothing() {
        ChestListBox list(test::sharedDemoDocument(RomVariant::SnesEnglish));
        list.setLines(std::vector<MonsterLine>{{"\x80", {}}, {"\x81", {}}, {"\x82", {}}});
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QCOMPARE(list.sizeHintForRow(0), ChestListBox::rowHeight);
        const QImage before = list.grab().toImage();
        const QPoint second = list.visualItemRect(list.item(1)).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, second);
        QVERIFY(list.selectedItems().isEmpty());
        QCOMPARE(list.grab().toImage(), before);
    }

    // Seven lines of two numbered monster names on each release, to look at.
    void screenshots() {
        QVERIFY(QDir().mkpath(QStringLiteral(TARNWICK_SCREENSHOT_DIR)));
        for (RomVariant release : allReleases) {
            const RomImage& rom = test::sharedDemoDocument(release);
            ChestListBox list(rom);
            const auto entry = [&](int n) {
                return *encodeDemoText(release, std::to_string(n) + ":") + rom.monsterNames[n];
            };
            for (int n = 1; n < 14; n += 2)
                list.addLine({entry(n), entry(n + 1)});
            list.resize(260, 7 * ChestListBox::rowHeight + 2 * list.frameWidth());
            QVERIFY(list.grab().save(QStringLiteral(TARNWICK_SCREENSHOT_DIR "/chest-list-%1.png")
                                         .arg(QString::fromUtf8(releaseKey(release)))));
        }
    }
};

QTEST_MAIN(ChestListBoxTest)
#include "ChestListBoxTest.moc"
