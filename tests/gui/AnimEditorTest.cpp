// The two animation string editors driven as a user drives them: fields typed into, lists
// chosen with the mouse and keys, all found by their resource numbers, and the document's
// records checked afterwards.
#include "EditorFixture.h"

#include "controls/NameComboBox.h"
#include "controls/PaletteComboBox.h"
#include "editors/AnimString14Dialog.h"
#include "editors/AnimString8Dialog.h"
#include "resources/AnimTemplates.h"
#include "resources/EditorTemplates.h"
#include "rom/AnimCategories.h"
#include "rom/HexText.h"
#include "rom/RomImage.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QStandardPaths>
#include <QStatusBar>
#include <QtTest>

#include <array>
#include <memory>

namespace tarnwick::testing {
namespace {

// An editor of either kind open on a demo document; texts.animationNames stands for
// "animdata.txt".
struct AnimFixture : EditorFixture<QDialog> {
    using EditorFixture::EditorFixture;
    QDialog& open(int bytes) {
        if (bytes == 8)
            editor = std::make_unique<AnimString8Dialog>(rom, history, nullptr, texts);
        else
            editor = std::make_unique<AnimString14Dialog>(rom, history, nullptr, texts);
        showAndWait(*editor);
        return *editor;
    }
    int selectedRecord() const {
        if (auto* short8 = qobject_cast<AnimString8Dialog*>(editor.get()))
            return short8->selectedRecord();
        return static_cast<AnimString14Dialog*>(editor.get())->selectedRecord();
    }
    template <typename Widget = QComboBox> Widget* at(int id) const {
        return findControl<Widget>(editor.get(), id);
    }
    QLineEdit* field(int id) const { return at<QLineEdit>(id); }
    // Replaces a field's text by typing, as the user selects all and types over it.
    void type(int id, const QString& text) {
        QLineEdit* edit = field(id);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    void choose(int id, int row) { chooseWithMouse(at(id), row); }
    void writeNameFile(const QByteArray& bytes) { texts.animationNames = textFile(bytes); }
};

QList<int> slotList(const Record& record) {
    return QList<int>(record.begin(), record.end());
}

// Runs each row of a table through check, naming the row that fails.
template <typename Row, std::size_t N, typename Check>
void forEachRow(const std::array<Row, N>& rows, Check check) {
    for (const Row& row : rows) {
        check(row);
        if (QTest::currentTestFailed()) {
            qWarning("in row \"%s\"", row.name);
            return;
        }
    }
}

constexpr int categoryList = 1029;
constexpr int entryList = 1028;
constexpr int soundField = 1034; // in both editors

} // namespace

class AnimEditorTest : public QObject {
    Q_OBJECT

    struct CategoryRow {
        const char* name;
        int bytes;
        RomVariant release;
        int category, entries, entry, record;
        std::uint32_t label; // location label of the entry, 0 for a name
    };
    static void checkCategory(const CategoryRow& row) {
        const bool gba = isGbaVariant(row.release);
        AnimFixture f(row.release);
        f.open(row.bytes);
        const char* caption = row.bytes == 8 ? "8-Byte" : gba ? "15-Byte" : "14-Byte";
        QCOMPARE(f.editor->windowTitle(), caption + QStringLiteral(" Animation String Editor"));
        if (row.bytes == 14)
            QCOMPARE(f.field(anim14Control::gbaOnly)->isEnabled(), gba);
        QCOMPARE(f.at(categoryList)->count(), row.bytes == 8 ? 2 : 7);
        QCOMPARE(f.selectedRecord(), 0);
        f.choose(categoryList, row.category);
        auto* entryNames = f.at<NameComboBox>(entryList);
        const auto labels =
            row.bytes == 8 ? anim8EntryLabels(f.rom, static_cast<Anim8Category>(row.category))
                           : anim14EntryLabels(f.rom, static_cast<Anim14Category>(row.category));
        QCOMPARE(entryNames->count(), row.entries);
        for (int i = 0; i < row.entries; ++i)
            QCOMPARE(entryNames->gameItem(i), labels[static_cast<std::size_t>(i)]);
        if (row.label != 0)
            QCOMPARE(entryNames->gameItem(row.entry), locationLabel(f.rom.digitCodes, row.label));
        f.choose(entryList, row.entry);
        QCOMPARE(f.selectedRecord(), row.record);
        const auto r = static_cast<std::size_t>(row.record);
        const int sound = row.bytes == 8 ? f.rom.anim8Table[r][6] : f.rom.anim14Table[r][9];
        QCOMPARE(f.field(soundField)->text(), QString::fromStdString(formatHex(sound, 2)));
    }

    // Typing into a field (or choosing a row of its paired list, typed null) on a record of
    // zeros whose touched slots hold 0x81 first, so an empty text is seen to store 0 and an
    // animation's "High Bit" box shows checked: the text shown, the slots stored and the row
    // the paired list selects.
    struct FieldRow {
        const char* name;
        int bytes, field;
        const char* typed;
        const char* shown;
        std::array<int, 4> slotValues; // slot, value, and a second pair or -1, 0
        int list, listRow;
    };
    static void checkField(const FieldRow& row) {
        AnimFixture f(RomVariant::GbaEnglish);
        Record& record = row.bytes == 8 ? f.rom.anim8Table[0] : f.rom.anim14Table[0];
        record.fill(0);
        Record expected{};
        for (std::size_t i = 0; i < 4 && row.slotValues[i] >= 0; i += 2) {
            record[static_cast<std::size_t>(row.slotValues[i])] = 0x81;
            expected[static_cast<std::size_t>(row.slotValues[i])] = row.slotValues[i + 1];
        }
        f.open(row.bytes);
        if (row.typed != nullptr)
            f.type(row.field, QString::fromLatin1(row.typed));
        else
            f.choose(row.list, row.listRow);
        QCOMPARE(f.field(row.field)->text(), QString::fromLatin1(row.shown));
        QCOMPARE(slotList(record), slotList(expected));
        if (row.list != 0)
            QCOMPARE(f.at(row.list)->currentIndex(), row.listRow);
        if (auto* palettes = f.at<PaletteComboBox>(row.list))
            QCOMPARE(palettes->currentItem(), row.slotValues[1]);
    }

    // Animation 3's number and box for its two bytes, then after an optional typed number and a
    // click on the box (which a disabled box ignores).
    struct HighBitRow {
        const char* name;
        int low, high;
        const char* shown;
        bool checked, enabled;
        const char* typed;
        int finalLow, finalHigh;
    };
    static void checkHighBit(const HighBitRow& row) {
        AnimFixture f(RomVariant::SnesEnglish);
        Record& record = f.rom.anim14Table[0];
        record[4] = row.low;
        record[5] = row.high;
        f.open(14);
        auto* box = f.at<QCheckBox>(1015);
        QCOMPARE(f.field(1023)->text(), QString::fromLatin1(row.shown));
        QCOMPARE(f.at(1011)->currentIndex(), parseHex(row.shown));
        QCOMPARE(box->isChecked(), row.checked);
        QCOMPARE(box->isEnabled(), row.enabled);
        if (*row.typed != '\0') {
            f.type(1023, QString::fromLatin1(row.typed));
            QCOMPARE(record[5], row.checked ? 0x80 : 0x00); // the High Bit the box showed
            QVERIFY(box->isEnabled());
        }
        QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
        QCOMPARE(record[4], row.finalLow);
        QCOMPARE(record[5], row.finalHigh);
    }

    // The animation lists' rows for a name file's bytes (null: no file).
    struct NamesRow {
        const char* name;
        int bytes;
        QByteArray file;
        QList<int> rows;
        QStringList names;
    };
    static void checkNames(const NamesRow& row) {
        AnimFixture f(RomVariant::SnesJapanese);
        if (!row.file.isNull())
            f.writeNameFile(row.file);
        f.open(row.bytes);
        const int lists = row.bytes == 8 ? 3 : 4;
        for (int id = 1009; id < 1009 + lists; ++id) {
            QCOMPARE(f.at(id)->count(), row.bytes == 8 ? 256 : 769);
            for (qsizetype i = 0; i < row.rows.size(); ++i)
                QCOMPARE(f.at(id)->itemText(row.rows[i]), row.names[i]);
        }
    }

    // Walking through every entry shows each record and writes nothing, even for slots that
    // hold more than a byte.
    static void walkEveryEntry(int bytes) {
        AnimFixture f(RomVariant::GbaEnglish);
        f.rom.anim8Table[1][0] = 0x1A5;
        f.rom.anim14Table[1][6] = 0x100;
        const auto before8 = f.rom.anim8Table;
        const auto before14 = f.rom.anim14Table;
        f.open(bytes);
        QComboBox* categories = f.at(categoryList);
        for (int category = 0; category < categories->count(); ++category) {
            f.choose(categoryList, category);
            QComboBox* entries = f.at(entryList);
            entries->setFocus();
            for (int entry = 1; entry < entries->count(); ++entry)
                QTest::keyClick(entries, Qt::Key_Down);
            QCOMPARE(entries->currentIndex(), entries->count() - 1);
        }
        f.choose(categoryList, 0);
        f.choose(entryList, 1);
        QCOMPARE(f.field(bytes == 8 ? 1031 : 1025)->text(),
                 QString::fromLatin1(bytes == 8 ? "A5" : "0"));
        QCOMPARE(f.at(bytes == 8 ? 1009 : 1033)->currentIndex(), bytes == 8 ? 0xA5 : 0);
        QVERIFY(f.rom.anim8Table == before8);
        QVERIFY(f.rom.anim14Table == before14);
    }

private slots:
    // A name file in the user's own data folders must not stand in for an absent one.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void categoriesListTheirEntriesAndRecords() {
        using V = RomVariant;
        const std::array<CategoryRow, 10> rows = {{
            {"8 snes weapons", 8, V::SnesEnglish, 0, 93, 92, 92, 0},
            {"8 gba weapons", 8, V::GbaJapanese, 0, 108, 15, 15, 0},
            {"8 snes specials first", 8, V::SnesEnglish, 1, 35, 0, 93, 0xECE6E8},
            {"8 snes specials last", 8, V::SnesJapanese, 1, 35, 34, 127, 0xECE7F8},
            {"8 gba specials", 8, V::GbaEnglish, 1, 35, 0, 108, 0x0BF7B8},
            {"14 snes spells", 14, V::SnesEnglish, 0, 54, 53, 53, 0},
            {"14 gba espers", 14, V::GbaEnglish, 1, 35, 34, 440, 0},
            {"14 snes other1", 14, V::SnesJapanese, 3, 72, 0, 256, 0xD08DB2},
            {"14 gba other1", 14, V::GbaJapanese, 3, 72, 0, 256, 0x0998E0},
            {"14 gba other2", 14, V::GbaEnglish, 6, 46, 45, 405, 0x99DD0 + 45 * 15},
        }};
        forEachRow(rows, checkCategory);
    }

    void fieldsAndListChoicesAreStored() {
        const std::array<FieldRow, 17> rows = {{
            {"8 index empty", 8, 1031, "", "", {0, 0, -1, 0}, 1009, 0},
            {"8 index 1g", 8, 1031, "1g", "1G", {0, 0x20, -1, 0}, 1009, 0x20},
            {"8 palette FF", 8, 1038, "FF", "FF", {4, 0xFF, -1, 0}, 1042, -1},
            {"8 sound 05", 8, 1034, "05", "05", {6, 5, -1, 0}, 0, 0},
            {"8 three digits", 8, 1039, "123", "12", {7, 0x12, -1, 0}, 0, 0},
            {"8 chosen 2C", 8, 1031, nullptr, "2C", {0, 0x2C, -1, 0}, 1009, 0x2C},
            {"8 chosen palette 5", 8, 1033, nullptr, "5", {2, 5, -1, 0}, 1035, 5},
            {"14 index 05", 14, 1019, "05", "5", {0, 5, 1, 0x80}, 1009, 5},
            {"14 index 1G", 14, 1021, "1G", "20", {2, 0x20, 3, 0x80}, 1010, 0x20},
            {"14 index 2FF", 14, 1023, "2FF", "2FF", {4, 0xFF, 5, 0x82}, 1011, 0x2FF},
            {"14 index 300", 14, 1030, "300", "300", {11, 0xFF, 12, 0xFF}, 1012, 768},
            {"14 index FFF", 14, 1019, "FFF", "300", {0, 0xFF, 1, 0xFF}, 1009, 768},
            {"14 palette 1G", 14, 1025, "1G", "1G", {6, 0x20, -1, 0}, 1033, 0x20},
            {"14 gba only 7", 14, 1037, "7", "7", {14, 7, -1, 0}, 0, 0},
            {"14 chosen 2C", 14, 1019, nullptr, "2C", {0, 0x2C, 1, 0x80}, 1009, 0x2C},
            {"14 chosen none", 14, 1021, nullptr, "300", {2, 0xFF, 3, 0xFF}, 1010, 768},
            {"14 chosen palette 5", 14, 1026, nullptr, "5", {7, 5, -1, 0}, 1038, 5},
        }};
        forEachRow(rows, checkField);
    }

    // Once the user presses Enter or leaves a field, it shows the byte the image gets rather
    // than the text typed.
    void fieldsShowTheStoredByteOnceLeft() {
        struct Row {
            int bytes, field;
            const char* typed;
            const char* shown;
        };
        const Row rows[] = {{8, 1031, "", "0"},       {8, 1031, "1g", "20"},  {8, 1038, "ZZ", "53"},
                            {14, 1025, "1G", "20"},   {14, 1037, "ZZ", "53"}, {14, 1019, "05", "5"},
                            {14, soundField, "", "0"}};
        for (const Row& row : rows) {
            AnimFixture f(RomVariant::GbaEnglish);
            f.open(row.bytes);
            f.type(row.field, QString::fromLatin1(row.typed));
            QTest::keyClick(f.field(row.field), Qt::Key_Return);
            QCOMPARE(f.field(row.field)->text(), QString::fromLatin1(row.shown));
        }
        AnimFixture f(RomVariant::SnesEnglish);
        f.open(8);
        f.type(1038, QStringLiteral("g"));
        // The status bar says what the letter became.
        QCOMPARE(f.editor->findChild<QStatusBar*>()->currentMessage(),
                 QStringLiteral("G is not a hexadecimal digit: stored 10"));
        f.field(soundField)->setFocus();
        QCOMPARE(f.field(1038)->text(), QStringLiteral("10"));
    }

    void highBitBoxes() {
        const std::array<HighBitRow, 4> rows = {{
            {"34 81", 0x34, 0x81, "134", true, true, "", 0x34, 0x01},
            {"10 7D", 0x10, 0x7D, "110", false, true, "", 0x10, 0x81},
            {"FF FF", 0xFF, 0xFF, "300", true, false, "12", 0x12, 0x00},
            {"00 03", 0x00, 0x03, "300", false, false, "", 0x00, 0x03},
        }};
        forEachRow(rows, checkHighBit);
    }

    void switchingEntriesWritesNothing() {
        for (int bytes : {8, 14})
            walkEveryEntry(bytes);
    }

    void animationNamesComeFromTheFile() {
        using L = QList<int>;
        using S = QStringList;
        const std::array<NamesRow, 5> rows = {{
            {"8 absent", 8, {}, L{0, 1, 254, 255}, S{"0", "1", "FE", "FF"}},
            {"14 absent", 14, {}, L{0, 10, 767, 768}, S{"0", "A", "2FF", "FFF"}},
            {"8 short", 8, "Slash\r\nFeu\xE9\r\n", L{0, 1, 2, 255},
             S{"Slash", "Feu\u00E9", "", ""}},
            {"14 LF only", 14, "Slash\nStab\n", L{0, 1, 768}, S{"Slash\\x0AStab\\x0A", "", ""}},
            {"14 no last line end", 14, "Fire\r\nIce", L{0, 1, 2, 768}, S{"Fire", "Ice", "", ""}},
        }};
        forEachRow(rows, checkNames);
    }
};

} // namespace tarnwick::testing

QTEST_MAIN(tarnwick::testing::AnimEditorTest)
#include "AnimEditorTest.moc"
