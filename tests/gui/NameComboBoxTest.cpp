#include "DemoDocuments.h"

#include "DemoCharacters.h"
#include "TypeToFind.h"
#include "controls/NameComboBox.h"
#include "demo/DemoImage.h"
#include "demo/DemoTextFiles.h"
#include "graphics/GlyphSheets.h"
#include "graphics/SheetLayout.h"
#include "rom/RomImage.h"

#include <QAbstractItemView>
#include <QDir>
#include <QPainter>
#include <QSignalSpy>
#include <QStyleOptionViewItem>
#include <QtTest>

#include <map>
#include <memory>

using namespace tarnwick;

namespace {

// One block expected in a painted row: a rectangle of the font sheet (y within the band) and
// where its top-left corner lands, in unzoomed pixels from the row's top-left corner.
struct Copy {
    int sourceX, sourceY, width, height, targetX, targetY;
};
Copy cell(std::uint8_t code, int x, int y, int width = cellSize) {
    return {cellX(code), (code >> 4) * cellSize, width, cellSize, x, y};
}
Copy voicedMark(int x, int y) {
    return {8, 44, 8, 4, x, y};
}
Copy semiVoicedMark(int x, int y) {
    return {16, 44, 8, 4, x, y};
}

const QRgb sentinel = qRgb(0x12, 0x34, 0x56);

// The demo image of each release, loaded and with its sheets built, shared by the tests.
RomImage& demoRom(RomVariant release) {
    return test::sharedDemoDocument(release);
}

QByteArray bytes(std::initializer_list<int> codes) {
    QByteArray result;
    for (int c : codes)
        result.append(static_cast<char>(c));
    return result;
}
GameString gameString(const QByteArray& b) {
    return GameString(b.constData(), size_t(b.size()));
}

// What a row should look like: the scheme's background with the blocks copied from its band,
// each sheet pixel zoom x zoom screen pixels.
QImage expectedRow(const RomImage& rom, ListScheme scheme, QSize size,
                   const std::vector<Copy>& copies, int zoom = 1) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(schemeBackground(scheme));
    for (const Copy& c : copies)
        for (int y = 0; y < c.height * zoom; ++y)
            for (int x = 0; x < c.width * zoom; ++x)
                image.setPixel(c.targetX * zoom + x, c.targetY * zoom + y,
                               rom.fontSheet.pixel(c.sourceX + x / zoom,
                                                   bandTop(scheme) + c.sourceY + y / zoom));
    return image;
}

QImage paintRow(NameComboBox& combo, int row, QStyle::State state, int width = 96) {
    QImage image(width, combo.rowHeight(), QImage::Format_RGB32);
    image.fill(sentinel);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = image.rect();
    option.state = QStyle::State_Enabled | state;
    combo.view()->itemDelegate()->paint(&painter, option, combo.model()->index(row, 0));
    return image;
}

QString firstDifference(const QImage& actual, const QImage& expected) {
    if (actual.size() != expected.size())
        return QStringLiteral("size differs");
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y))
                return QStringLiteral("pixel (%1,%2) is %3, expected %4")
                    .arg(x)
                    .arg(y)
                    .arg(actual.pixel(x, y), 8, 16)
                    .arg(expected.pixel(x, y), 8, 16);
    return {};
}
#define COMPARE_IMAGES(actual, expected)                                                           \
    do {                                                                                           \
        const QString difference = firstDifference(actual, expected);                              \
        QVERIFY2(difference.isEmpty(), qPrintable(difference));                                    \
    } while (false)

} // namespace

Q_DECLARE_METATYPE(RomVariant)
Q_DECLARE_METATYPE(ListScheme)
Q_DECLARE_METATYPE(std::vector<Copy>)

class NameComboBoxTest : public QObject {
    Q_OBJECT

private slots:
    void gameTextRow_data() {
        QTest::addColumn<RomVariant>("release");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<std::vector<Copy>>("copies");
        const auto snesEnglishAb = *encodeDemoText(RomVariant::SnesEnglish, "Ab");
        QTest::newRow("SNES English name, 8-pixel cells")
            << RomVariant::SnesEnglish << QByteArray::fromStdString(snesEnglishAb)
            << std::vector<Copy>{cell(std::uint8_t(snesEnglishAb[0]), 6, 4),
                                 cell(std::uint8_t(snesEnglishAb[1]), 14, 4)};
        QTest::newRow("marker is not drawn on English images either")
            << RomVariant::SnesEnglish << bytes({0xFE, 0x80})
            << std::vector<Copy>{cell(0x80, 6, 4)};
        for (RomVariant release : {RomVariant::SnesJapanese, RomVariant::GbaJapanese}) {
            const std::string name(releaseName(release));
            QTest::newRow((name + ": voiced, semi-voiced, plain kana").c_str())
                << release << bytes({0x20, 0x49, 0x60})
                << std::vector<Copy>{voicedMark(6, 0), cell(0x60, 6, 4), semiVoicedMark(14, 0),
                                     cell(0x60, 14, 4), cell(0x60, 22, 4)};
            QTest::newRow((name + ": marked label keeps plain glyphs").c_str())
                << release << bytes({0xFE, 0x21, 0x49})
                << std::vector<Copy>{cell(0x21, 6, 4), cell(0x49, 14, 4)};
        }
        for (RomVariant release : allReleases) {
            const RomImage& rom = demoRom(release);
            const int width = release == RomVariant::GbaEnglish ? rom.glyphTable[0xFF].width : 8;
            QTest::newRow((std::string(releaseName(release)) + ": empty name").c_str())
                << release << QByteArray() << std::vector<Copy>{cell(0xFF, 6, 4, width)};
        }
        // Proportional glyphs advance by their width plus one pixel of background.
        const RomImage& gba = demoRom(RomVariant::GbaEnglish);
        const auto word = *encodeDemoText(RomVariant::GbaEnglish, "MIX");
        std::vector<Copy> copies;
        int x = 6;
        for (char c : word) {
            const std::uint8_t code = std::uint8_t(c);
            copies.push_back(cell(code, x, 4, gba.glyphTable[code].width));
            x += gba.glyphTable[code].width + 1;
        }
        QTest::newRow("GBA English widths")
            << RomVariant::GbaEnglish << QByteArray::fromStdString(word) << copies;
        // Code 6 has no glyph in the demo font: width 0 draws nothing but the one-pixel gap.
        QTest::newRow("GBA English glyph of width 0")
            << RomVariant::GbaEnglish << bytes({0x06, 0x06}) << std::vector<Copy>{};
    }

    void gameTextRow() {
        QFETCH(RomVariant, release);
        QFETCH(QByteArray, text);
        QFETCH(std::vector<Copy>, copies);
        const RomImage& rom = demoRom(release);
        NameComboBox combo(rom);
        combo.addGameItem(gameString(text));
        combo.setCurrentItem(-1);
        const QImage row = paintRow(combo, 0, {});
        COMPARE_IMAGES(row, expectedRow(rom, ListScheme::Normal, row.size(), copies));
    }

    void schemes_data() {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("remembered");
        QTest::addColumn<ListScheme>("scheme");
        QTest::newRow("plain row") << 0 << 3 << ListScheme::Normal;
        QTest::newRow("remembered row") << 0 << 1 << ListScheme::Current;
        QTest::newRow("selected row") << int(QStyle::State_Selected) << 3 << ListScheme::Highlight;
        QTest::newRow("focused row") << int(QStyle::State_HasFocus) << 3 << ListScheme::Highlight;
        QTest::newRow("selected remembered row")
            << int(QStyle::State_Selected) << 1 << ListScheme::Highlight;
        QTest::newRow("remembered out of range") << 0 << 40 << ListScheme::Normal;
    }

    void schemes() {
        QFETCH(int, state);
        QFETCH(int, remembered);
        QFETCH(ListScheme, scheme);
        const RomImage& rom = demoRom(RomVariant::SnesEnglish);
        NameComboBox combo(rom);
        combo.addGameItems(std::span(rom.itemNames).first(4));
        combo.setCurrentItem(remembered);
        const QImage row = paintRow(combo, 1, QStyle::State(state));
        std::vector<Copy> copies;
        for (std::size_t i = 0; i < rom.itemNames[1].size(); ++i)
            copies.push_back(cell(std::uint8_t(rom.itemNames[1][i]), 6 + 8 * int(i), 4));
        COMPARE_IMAGES(row, expectedRow(rom, scheme, row.size(), copies));
    }

    void zoomRepeatsPixels() {
        const RomImage& rom = demoRom(RomVariant::SnesJapanese);
        NameComboBox combo(rom);
        combo.addGameItem(gameString(bytes({0x49, 0x61})));
        combo.setTextZoom(2);
        QCOMPARE(combo.view()->sizeHintForRow(0), 24);
        const QImage row = paintRow(combo, 0, QStyle::State_Selected, 64);
        COMPARE_IMAGES(row,
                       expectedRow(rom, ListScheme::Highlight, row.size(),
                                   {semiVoicedMark(6, 0), cell(0x60, 6, 4), cell(0x61, 14, 4)}, 2));
    }

    void selectionField() {
        const RomImage& rom = demoRom(RomVariant::GbaJapanese);
        NameComboBox combo(rom);
        combo.addGameItem(gameString(bytes({0x20, 0x61})));
        QImage field(40, 15, QImage::Format_RGB32);
        field.fill(sentinel);
        QPainter painter(&field);
        combo.setCurrentItem(-1);
        combo.paintSelectionField(painter, field.rect());
        QCOMPARE(field.pixel(0, 0), sentinel); // no selection: nothing painted
        // The field keeps the normal scheme even for the remembered item.
        combo.setCurrentItem(0);
        combo.paintSelectionField(painter, field.rect());
        COMPARE_IMAGES(field, expectedRow(rom, ListScheme::Normal, field.size(),
                                          {voicedMark(4, 3), cell(0x60, 4, 7), cell(0x61, 12, 7)}));
    }

    void widgetShowsGameTextInItsField() {
        const RomImage& rom = demoRom(RomVariant::SnesEnglish);
        NameComboBox combo(rom);
        combo.addGameItems(rom.itemNames);
        combo.setCurrentItem(5);
        combo.resize(combo.sizeHint());
        const QImage shown = combo.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage glyph = expectedRow(rom, ListScheme::Normal, {8, 8},
                                         {cell(std::uint8_t(rom.itemNames[5][0]), 0, 0)});
        bool found = false;
        for (int y = 0; y + 8 <= shown.height() && !found; ++y)
            for (int x = 0; x + 8 <= shown.width() && !found; ++x)
                found = shown.copy(x, y, 8, 8) == glyph;
        QVERIFY2(found, "first glyph of the selected name is not in the field");
    }

    void followsARebuiltSheet() {
        RomImage rom;
        const std::vector<std::uint8_t> file = buildDemoImage({RomVariant::GbaEnglish});
        rom.adoptFileBytes(file, file.size());
        rom.settleRelease();
        NameComboBox combo(rom);
        combo.addGameItem(gameString(bytes({0x20})));
        // Before the first build there is no font to draw from: the background only.
        QCOMPARE(paintRow(combo, 0, {}), expectedRow(rom, ListScheme::Normal, {96, 12}, {}));
        buildGlyphSheets(rom);
        const int englishWidth = rom.glyphTable[0x20].width;
        QCOMPARE(paintRow(combo, 0, {}),
                 expectedRow(rom, ListScheme::Normal, {96, 12}, {cell(0x20, 6, 4, englishWidth)}));
        rom.setJapanese(true); // the document now draws the Japanese font with marks
        buildGlyphSheets(rom);
        const QImage row = paintRow(combo, 0, {});
        COMPARE_IMAGES(row, expectedRow(rom, ListScheme::Normal, row.size(),
                                        {voicedMark(6, 0), cell(0x60, 6, 4)}));
    }

    void rowHeights() {
        const RomImage& rom = demoRom(RomVariant::SnesEnglish);
        NameComboBox combo(rom);
        combo.addGameItems(std::span(rom.itemNames).first(3));
        QCOMPARE(combo.view()->sizeHintForRow(0), 12);
        NameComboBox locations(rom);
        QFont small = locations.font();
        small.setPixelSize(10);
        locations.setFont(small);
        locations.setPlainTextMode(true);
        locations.addItem(QStringLiteral("Lakeside"));
        QCOMPARE(locations.view()->sizeHintForRow(0), 14);
        small.setPixelSize(24); // a taller font's lines keep their descenders
        locations.setFont(small);
        QCOMPARE(locations.view()->sizeHintForRow(0), QFontMetrics(small).height());
    }

    // Plain text starts two pixels in, with its letters in the middle of the row, whatever
    // the font.
    void plainTextIsCentredInTheRow() {
        for (int pixelSize : {0, 10, 16}) {
            NameComboBox combo(demoRom(RomVariant::SnesEnglish));
            QFont font = combo.font();
            if (pixelSize > 0)
                font.setPixelSize(pixelSize);
            font.setStyleStrategy(QFont::NoAntialias);
            combo.setFont(font);
            combo.setPlainTextMode(true);
            combo.addItem(QStringLiteral("Harbour, cellar 7"));
            const QImage row = paintRow(combo, 0, {}, 120);
            QRect ink;
            for (int y = 0; y < row.height(); ++y)
                for (int x = 0; x < row.width(); ++x)
                    ink |= row.pixel(x, y) == qRgb(0xFF, 0xFF, 0xFF) ? QRect() : QRect(x, y, 1, 1);
            QVERIFY(ink.left() >= 2 && ink.left() <= 4);
            QVERIFY(std::abs(ink.top() - (row.height() - 1 - ink.bottom())) <= 2);
        }
    }

    // A plain name too long for the field ends in an ellipsis clear of the field's right edge.
    void longPlainTextIsElidedInTheField() {
        NameComboBox combo(demoRom(RomVariant::SnesEnglish));
        combo.setPlainTextMode(true);
        combo.addItem(QStringLiteral("000 Harrowmere - inn cellar, west wing"));
        combo.setCurrentItem(0);
        QImage field(120, 20, QImage::Format_RGB32);
        QPainter painter(&field);
        combo.paintSelectionField(painter, field.rect());
        int inkRight = -1;
        for (int y = 0; y < field.height(); ++y)
            for (int x = 0; x < field.width(); ++x)
                if (field.pixel(x, y) != qRgb(0xFF, 0xFF, 0xFF))
                    inkRight = std::max(inkRight, x);
        QVERIFY(inkRight > field.width() / 2);
        QVERIFY(inkRight < field.width() - 2);
    }

    void plainTextColours_data() {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("remembered");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("ink");
        QTest::newRow("normal") << 0 << 1 << QColor(Qt::white) << QColor(Qt::black);
        QTest::newRow("current") << 0 << 0 << QColor(0xFF, 0xFF, 0) << QColor(Qt::black);
        QTest::newRow("highlight")
            << int(QStyle::State_Selected) << 0 << QColor(Qt::black) << QColor(Qt::white);
    }

    void plainTextColours() {
        QFETCH(int, state);
        QFETCH(int, remembered);
        QFETCH(QColor, background);
        QFETCH(QColor, ink);
        NameComboBox combo(demoRom(RomVariant::SnesEnglish));
        QFont font = combo.font();
        font.setPixelSize(10);
        font.setStyleStrategy(QFont::NoAntialias);
        combo.setFont(font);
        combo.setPlainTextMode(true);
        combo.addItems({QStringLiteral("Lake"), QStringLiteral("Mill")});
        combo.setCurrentItem(remembered);
        const QImage row = paintRow(combo, 0, QStyle::State(state), 60);
        QCOMPARE(row.pixelColor(59, 13), background);
        int inkPixels = 0;
        for (int y = 0; y < row.height(); ++y)
            for (int x = 0; x < row.width(); ++x) {
                QVERIFY(row.pixel(x, y) == background.rgb() || row.pixel(x, y) == ink.rgb());
                inkPixels += row.pixel(x, y) == ink.rgb() && x >= 2;
            }
        QVERIFY(inkPixels > 20);
    }

    void setCurrentItem_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("selected");
        QTest::newRow("first") << 0 << 0;
        QTest::newRow("last") << 4 << 4;
        QTest::newRow("one past the end") << 5 << -1;
        QTest::newRow("far past the end") << 5000 << -1;
        QTest::newRow("negative") << -3 << -1;
    }

    void setCurrentItem() {
        QFETCH(int, index);
        QFETCH(int, selected);
        const RomImage& rom = demoRom(RomVariant::GbaEnglish);
        NameComboBox combo(rom);
        combo.addGameItems(std::span(rom.itemNames).first(5));
        combo.setCurrentItem(2);
        QSignalSpy changed(&combo, &QComboBox::currentIndexChanged);
        QSignalSpy activated(&combo, &QComboBox::activated);
        QCOMPARE(combo.setCurrentItem(index), selected);
        QCOMPARE(combo.currentIndex(), selected);
        QCOMPARE(combo.currentItem(), index);
        QCOMPARE(changed.count() + activated.count(), 0);
    }

    void onlyConfirmingMakesAnItemCurrent() {
        const RomImage& rom = demoRom(RomVariant::SnesEnglish);
        NameComboBox combo(rom);
        combo.addGameItems(std::span(rom.itemNames).first(8));
        combo.setCurrentItem(2);
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        QSignalSpy activated(&combo, &QComboBox::activated);
        combo.showPopup();
        QAbstractItemView* list = combo.view();
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->currentIndex().row(), 4);
        QCOMPARE(combo.currentItem(), 2);
        QCOMPARE(activated.count(), 0);
        // While browsing, the remembered row keeps its colour beside the highlighted one.
        const QImage shown = list->viewport()->grab().toImage();
        const auto rowColour = [&](int row) {
            return shown.pixel(list->visualRect(combo.model()->index(row, 0)).topRight() -
                               QPoint(1, 0));
        };
        QCOMPARE(rowColour(2), schemeBackground(ListScheme::Current));
        QCOMPARE(rowColour(4), schemeBackground(ListScheme::Highlight));
        QCOMPARE(rowColour(3), schemeBackground(ListScheme::Normal));

        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(activated.count(), 1);
        QCOMPARE(combo.currentItem(), 4);
        QCOMPARE(combo.currentIndex(), 4);
    }

    void popupShowsTheLongestNameWhole() {
        const RomImage& rom = demoRom(RomVariant::SnesEnglish);
        NameComboBox combo(rom);
        combo.addGameItems(rom.itemNames);
        combo.addGameItem(GameString(40, char(0x80)));
        combo.resize(40, combo.sizeHint().height());
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        combo.showPopup();
        QVERIFY(combo.rowWidth(combo.count() - 1) >= 6 + 40 * 8);
        QVERIFY(combo.view()->viewport()->width() >= combo.rowWidth(combo.count() - 1));
        combo.hidePopup();
    }

    void searchKeys_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::newRow("katakana") << QStringLiteral("ポーション") << "poshon";
        QTest::newRow("half-width") << QStringLiteral("ﾎﾟｰｼｮﾝ") << "poshon";
        QTest::newRow("hiragana") << QStringLiteral("がるーだ") << "garuda";
        QTest::newRow("combining mark") << QStringLiteral("ハ\u309Aン") << "pan";
        QTest::newRow("small kana") << QStringLiteral("ヴァ") << "vua";
        QTest::newRow("full-width Latin") << QStringLiteral("ＰＯＴＩＯＮ") << "potion";
        QTest::newRow("accents and case") << QStringLiteral("Élan") << "elan";
        QTest::newRow("symbols stay") << QStringLiteral("-x") << "-x";
    }
    void searchKeys() {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QCOMPARE(searchKey(text), key);
    }

    // Typing into the closed control or the open list selects the next name starting with the
    // typed letters or with the romaji of its kana; symbols in front of a name do not count.
    void typingFindsNames() {
        RomImage& rom = demoRom(RomVariant::SnesJapanese);
        CharacterTable readings{};
        readCharacterTable(demoCharacterTable(RomVariant::SnesJapanese), readings);
        NameComboBox combo(rom);
        combo.setReadings(&readings);
        const auto latin = [](std::string_view text) {
            return "\xFE" + *encodeDemoText(RomVariant::SnesJapanese, text);
        };
        combo.addGameItem(latin("Ether"));
        combo.addGameItem(*encodeDemoKana("po-shon"));
        combo.addGameItem(*encodeDemoKana("ga-ruda"));
        combo.addGameItem(latin("-Potion"));
        combo.addGameItem(*encodeDemoKana("haipo-shon"));
        combo.setCurrentItem(0);
        QCOMPARE(combo.itemText(1), QStringLiteral("ポーション"));
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        QSignalSpy activated(&combo, &QComboBox::activated);
        const auto typeAfresh = [](QWidget* target, const QString& keys) {
            QTest::qWait(QApplication::keyboardInputInterval() + 50);
            QTest::keyClicks(target, keys);
        };

        typeAfresh(&combo, QStringLiteral("GA"));
        QCOMPARE(combo.currentIndex(), 2);
        QCOMPARE(activated.count(), 1);
        typeAfresh(&combo, QStringLiteral("pot"));
        QCOMPARE(combo.currentIndex(), 3);
        typeAfresh(&combo, QStringLiteral("po"));
        QCOMPARE(combo.currentIndex(), 1); // the search wraps round from the row after
        typeAfresh(&combo, QStringLiteral("x"));
        QCOMPARE(combo.currentIndex(), 1);
        // A space inside a name searches on; with nothing typed it opens the list.
        combo.addGameItem(latin("Steel Mail"));
        combo.addGameItem(latin("Steel Buckler"));
        typeAfresh(&combo, QStringLiteral("steel b"));
        QCOMPARE(combo.currentIndex(), 6);
        QVERIFY(!combo.view()->isVisible());
        typeAfresh(&combo, QStringLiteral(" "));
        QVERIFY(combo.view()->isVisible());
        combo.hidePopup();

        combo.showPopup();
        typeAfresh(combo.view(), QStringLiteral("hai"));
        QCOMPARE(combo.view()->currentIndex().row(), 4);
        combo.hidePopup();
    }

    // Pictures of the open list of item names on each release, to look at.
    void screenshots() {
        const QString folder = QStringLiteral(TARNWICK_SCREENSHOT_DIR);
        QVERIFY(QDir().mkpath(folder));
        for (RomVariant release : allReleases) {
            const RomImage& rom = demoRom(release);
            const QString key = QString::fromUtf8(releaseKey(release));
            for (int zoom : {1, 2}) {
                NameComboBox combo(rom);
                combo.setTextZoom(zoom);
                combo.addGameItems(rom.itemNames);
                combo.setMaxVisibleItems(20);
                combo.setCurrentItem(3);
                combo.resize(combo.sizeHint());
                combo.show();
                QVERIFY(QTest::qWaitForWindowExposed(&combo));
                combo.showPopup();
                combo.view()->setCurrentIndex(combo.model()->index(6, 0));
                const QString suffix = zoom == 1 ? QString() : QStringLiteral("-zoom%1").arg(zoom);
                QVERIFY(combo.view()->window()->grab().save(
                    QStringLiteral("%1/name-list-%2%3.png").arg(folder, key, suffix)));
                combo.hidePopup();
                QVERIFY(combo.grab().save(
                    QStringLiteral("%1/name-field-%2%3.png").arg(folder, key, suffix)));
            }
        }
        NameComboBox locations(demoRom(RomVariant::SnesEnglish));
        locations.setPlainTextMode(true);
        for (int i = 0; i < 12; ++i)
            locations.addItem(QStringLiteral("%1: Harbour town, cellar %2").arg(i).arg(i + 1));
        locations.setCurrentItem(2);
        locations.resize(locations.sizeHint());
        locations.show();
        QVERIFY(QTest::qWaitForWindowExposed(&locations));
        locations.showPopup();
        locations.view()->setCurrentIndex(locations.model()->index(5, 0));
        QVERIFY(locations.view()->window()->grab().save(folder + "/location-list.png"));
        QVERIFY(locations.grab().save(folder + "/location-field.png"));
    }
};

QTEST_MAIN(NameComboBoxTest)
#include "NameComboBoxTest.moc"
