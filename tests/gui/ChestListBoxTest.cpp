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
    void line_data() {
        QTest::addColumn<RomVariant>("release");
        QTest::addColumn<GameString>("line");
        QTest::addColumn<int>("width");
        QTest::addColumn<std::vector<Copy>>("copies");
        const auto snes = RomVariant::SnesEnglish;
        QTest::newRow("ten column marks")
            << snes << GameString(10, '\xFF') << 200 << std::vector<Copy>{};
        // However long the first name, the second pair starts at the middle column.
        std::vector<Copy> overlap;
        for (int i = 0; i < 20; ++i)
            overlap.push_back(glyph(0x80, 2 + 8 * i));
        overlap.push_back(glyph(0x82, 101));
        QTest::newRow("second pair at the middle, over a long first name")
            << snes << GameString(20, '\x80') + "\xFF\xFF\x82" << 201 << overlap;
        for (RomVariant release : {RomVariant::SnesJapanese, RomVariant::GbaJapanese})
            QTest::newRow(releaseKey(release).data()) << release << GameString("\x4A\x20") << 200
                                                      << std::vector<Copy>{{16, 300, 8, 4, 2, 1},
                                                                           glyph(0x61, 2),
                                                                           {8, 300, 8, 4, 10, 1},
                                                                           glyph(0x60, 10)};
        const GlyphTable& widths = test::sharedDemoDocument(RomVariant::GbaEnglish).glyphTable;
        // Code 6 has no glyph there, so width 0: nothing is drawn and the pen stays.
        const GameString word = *encodeDemoText(RomVariant::GbaEnglish, "MI") + "\x06" +
                                *encodeDemoText(RomVariant::GbaEnglish, "X");
        std::vector<Copy> copies;
        for (std::size_t i = 0, x = 2; i < word.size(); x += widths[std::uint8_t(word[i++])].width)
            copies.push_back(
                glyph(std::uint8_t(word[i]), int(x), widths[std::uint8_t(word[i])].width));
        QTest::newRow("GBA English advances by the width")
            << RomVariant::GbaEnglish << word << 200 << copies;
    }

    void line() {
        QFETCH(RomVariant, release);
        QFETCH(GameString, line);
        QFETCH(int, width);
        QFETCH(std::vector<Copy>, copies);
        const RomImage& rom = test::sharedDemoDocument(release);
        ChestListBox list(rom);
        list.addLine(line);
        QCOMPARE(list.line(0), line);
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
        list.setLines(std::vector<GameString>{"\x80", "\x81", "\x82"});
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
                list.addLine(entry(n) + "\xFF" + entry(n + 1));
            list.resize(260, 7 * ChestListBox::rowHeight + 2 * list.frameWidth());
            QVERIFY(list.grab().save(QStringLiteral(TARNWICK_SCREENSHOT_DIR "/chest-list-%1.png")
                                         .arg(QString::fromUtf8(releaseKey(release)))));
        }
    }
};

QTEST_MAIN(ChestListBoxTest)
#include "ChestListBoxTest.moc"
