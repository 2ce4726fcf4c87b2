// The two animation string editors driven as a user drives them: fields typed into, lists
// chosen with the mouse and keys, all found by their resource numbers, and the document's
// records checked afterwards.
#include "GuiTestSupport.h"

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
#include <QtTest>

#include <memory>

namespace tarnwick::testing {
namespace {

// An editor of either kind open on a demo document, with its own program folder for
// "animdata.txt".
struct AnimFixture {
    QTemporaryDir programFolder;
    RomImage rom;
    std::unique_ptr<QDialog> editor;

    explicit AnimFixture(RomVariant release) {
        if (!openDemoImage(rom, {release}).isOk())
            qFatal("demo image does not open");
        rom.setProgramDirectory(QFile::encodeName(programFolder.path()).toStdString());
    }
    QDialog& open(int bytes) {
        if (bytes == 8)
            editor = std::make_unique<AnimString8Dialog>(rom);
        else
            editor = std::make_unique<AnimString14Dialog>(rom);
        editor->show();
        editor->activateWindow();
        (void)QTest::qWaitForWindowActive(editor.get());
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
    void writeNameFile(const QByteArray& bytes, bool readOnly = false) {
        QFile file(QDir(programFolder.path()).filePath(QStringLiteral("animdata.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        if (readOnly)
            QVERIFY(file.setPermissions(QFileDevice::ReadOwner));
    }
};

QList<int> slotList(const Record& record) {
    return QList<int>(record.begin(), record.end());
}

constexpr int categoryList = 1029;
constexpr int entryList = 1028;
constexpr int soundField = 1034;

} // namespace

class AnimEditorTest : public QObject {
    Q_OBJECT

private slots:
    // A name file in the user's own data folders must not stand in for an absent one.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void categoriesListTheirEntriesAndRecords_data() {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<int>("release");
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("record");
        QTest::addColumn<int>("labelNumber"); // location label of the entry, 0 for a name
        const auto row = [](const char* name, int bytes, RomVariant release, int category,
                            int entries, int entry, int record, int label) {
            QTest::newRow(name) << bytes << variantIndex(release) << category << entries << entry
                                << record << label;
        };
        row("8 snes weapons", 8, RomVariant::SnesEnglish, 0, 93, 92, 92, 0);
        row("8 gba weapons", 8, RomVariant::GbaJapanese, 0, 108, 15, 15, 0);
        row("8 snes specials first", 8, RomVariant::SnesEnglish, 1, 35, 0, 93, 0xECE6E8);
        row("8 snes specials last", 8, RomVariant::SnesJapanese, 1, 35, 34, 127, 0xECE7F8);
        row("8 gba specials", 8, RomVariant::GbaEnglish, 1, 35, 0, 108, 0x0BF7B8);
        row("14 snes spells", 14, RomVariant::SnesEnglish, 0, 54, 53, 53, 0);
        row("14 gba espers", 14, RomVariant::GbaEnglish, 1, 35, 34, 440, 0);
        row("14 snes other1", 14, RomVariant::SnesJapanese, 3, 72, 0, 256, 0xD08DB2);
        row("14 gba other1", 14, RomVariant::GbaJapanese, 3, 72, 0, 256, 0x0998E0);
        row("14 snes tools", 14, RomVariant::SnesEnglish, 4, 9, 8, 336, 0);
        row("14 gba other2", 14, RomVariant::GbaEnglish, 6, 46, 45, 405, 0x99DD0 + 45 * 15);
    }
    void categoriesListTheirEntriesAndRecords() {
        QFETCH(int, bytes);
        QFETCH(int, release);
        QFETCH(int, category);
        QFETCH(int, entries);
        QFETCH(int, entry);
        QFETCH(int, record);
        QFETCH(int, labelNumber);
        AnimFixture f(static_cast<RomVariant>(release));
        f.open(bytes);
        QCOMPARE(f.at(categoryList)->count(), bytes == 8 ? 2 : 7);
        QCOMPARE(f.selectedRecord(), 0);
        f.choose(categoryList, category);
        auto* entryNames = f.at<NameComboBox>(entryList);
        QCOMPARE(entryNames->count(), entries);
        const auto labels = bytes == 8
                                ? anim8EntryLabels(f.rom, static_cast<Anim8Category>(category))
                                : anim14EntryLabels(f.rom, static_cast<Anim14Category>(category));
        for (int i = 0; i < entries; ++i)
            QCOMPARE(entryNames->gameItem(i), labels[static_cast<std::size_t>(i)]);
        if (labelNumber != 0)
            QCOMPARE(entryNames->gameItem(entry),
                     locationLabel(f.rom.digitCodes, static_cast<std::uint32_t>(labelNumber)));

        f.choose(entryList, entry);
        QCOMPARE(f.selectedRecord(), record);
        const auto& shown = bytes == 8 ? f.rom.anim8Table[static_cast<std::size_t>(record)][6]
                                       : f.rom.anim14Table[static_cast<std::size_t>(record)][9];
        QCOMPARE(f.field(soundField)->text(), QString::fromStdString(formatHex(shown, 2)));
    }

    // What typing into each kind of field stores, shows and selects, on a record of zeros.
    void typedFieldsAreStored_data() {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QList<int>>("slotValues"); // pairs of slot and value
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("listRow");
        using L = QList<int>;
        QTest::newRow("8 index empty") << 8 << 1031 << ""
                                       << "" << L{0, 0} << 1009 << 0;
        QTest::newRow("8 index 1g") << 8 << 1031 << "1g"
                                    << "1G" << L{0, 0x20} << 1009 << 0x20;
        QTest::newRow("8 left FF") << 8 << 1032 << "FF"
                                   << "FF" << L{1, 0xFF} << 1010 << 0xFF;
        QTest::newRow("8 palette FF") << 8 << 1038 << "FF"
                                      << "FF" << L{4, 0xFF} << 1042 << -1;
        QTest::newRow("8 sound 05") << 8 << 1034 << "05"
                                    << "05" << L{6, 5} << 0 << 0;
        QTest::newRow("8 three digits") << 8 << 1039 << "123"
                                        << "12" << L{7, 0x12} << 0 << 0;
        QTest::newRow("14 index 05") << 14 << 1019 << "05"
                                     << "5" << L{0, 5} << 1009 << 5;
        QTest::newRow("14 index 1G") << 14 << 1021 << "1G"
                                     << "20" << L{2, 0x20} << 1010 << 0x20;
        QTest::newRow("14 index 2FF") << 14 << 1023 << "2FF"
                                      << "2FF" << L{4, 0xFF, 5, 0x02} << 1011 << 0x2FF;
        QTest::newRow("14 index 300") << 14 << 1030 << "300"
                                      << "300" << L{11, 0xFF, 12, 0xFF} << 1012 << 768;
        QTest::newRow("14 index FFF") << 14 << 1019 << "FFF"
                                      << "300" << L{0, 0xFF, 1, 0xFF} << 1009 << 768;
        QTest::newRow("14 palette 1G") << 14 << 1025 << "1G"
                                       << "1G" << L{6, 0x20} << 1033 << 0x20;
        QTest::newRow("14 repeat FF") << 14 << 1036 << "FF"
                                      << "FF" << L{13, 0xFF} << 0 << 0;
        QTest::newRow("14 gba only 7") << 14 << 1037 << "7"
                                       << "7" << L{14, 7} << 0 << 0;
    }
    void typedFieldsAreStored() {
        QFETCH(int, bytes);
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QList<int>, slotValues);
        QFETCH(int, list);
        QFETCH(int, listRow);
        AnimFixture f(RomVariant::GbaEnglish);
        Record& record = bytes == 8 ? f.rom.anim8Table[0] : f.rom.anim14Table[0];
        record.fill(0);
        // Every slot another value first, so an empty text is seen to store 0.
        Record expected{};
        for (qsizetype i = 0; i < slotValues.size(); i += 2) {
            record[static_cast<std::size_t>(slotValues[i])] = 1;
            expected[static_cast<std::size_t>(slotValues[i])] = slotValues[i + 1];
        }
        f.open(bytes);
        f.type(field, typed);
        QCOMPARE(f.field(field)->text(), shown);
        QCOMPARE(slotList(record), slotList(expected));
        if (list != 0) {
            QCOMPARE(f.at(list)->currentIndex(), listRow);
            if (auto* palettes = f.at<PaletteComboBox>(list))
                QCOMPARE(palettes->currentItem(),
                         expected[static_cast<std::size_t>(slotValues.front())]);
        }
    }

    void listChoicesFillTheirFields() {
        AnimFixture short8(RomVariant::SnesEnglish);
        short8.open(8);
        short8.choose(1009, 0x2C);
        short8.choose(1035, 5);
        QCOMPARE(short8.field(1031)->text(), QStringLiteral("2C"));
        QCOMPARE(short8.field(1033)->text(), QStringLiteral("5"));
        QCOMPARE(short8.rom.anim8Table[0][0], 0x2C);
        QCOMPARE(short8.rom.anim8Table[0][2], 5);
        QCOMPARE(short8.at<PaletteComboBox>(1035)->currentItem(), 5);

        AnimFixture long14(RomVariant::GbaJapanese);
        Record& record = long14.rom.anim14Table[0];
        record[1] = 0x80;
        record[3] = 0x01;
        long14.open(14);
        long14.choose(1009, 0x2C);
        QCOMPARE(long14.field(1019)->text(), QStringLiteral("2C"));
        QCOMPARE(record[0], 0x2C);
        QCOMPARE(record[1], 0x80); // the High Bit the box shows stays
        long14.choose(1010, 768);  // the last entry: no animation
        QCOMPARE(long14.field(1021)->text(), QStringLiteral("300"));
        QCOMPARE(record[2], 0xFF);
        QCOMPARE(record[3], 0xFF);
        QVERIFY(!long14.at<QCheckBox>(1014)->isEnabled());
        long14.choose(1038, 5);
        QCOMPARE(long14.field(1026)->text(), QStringLiteral("5"));
        QCOMPARE(record[7], 5);
        // A key on a closed list chooses as the mouse does.
        long14.at(1009)->setFocus();
        QTest::keyClick(long14.at(1009), Qt::Key_Down);
        QCOMPARE(record[0], 0x2D);
        QCOMPARE(long14.field(1019)->text(), QStringLiteral("2D"));
    }

    // Animation 3's number and box for its two bytes, then after an optional typed number and a
    // click on the box (which a disabled box ignores).
    void highBitBoxes_data() {
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("finalLow");
        QTest::addColumn<int>("finalHigh");
        QTest::newRow("34 81") << 0x34 << 0x81 << "134" << true << true << "" << 0x34 << 0x01;
        QTest::newRow("10 7D") << 0x10 << 0x7D << "110" << false << true << "" << 0x10 << 0x81;
        QTest::newRow("FF FF") << 0xFF << 0xFF << "300" << true << false << "12" << 0x12 << 0x00;
        QTest::newRow("00 03") << 0x00 << 0x03 << "300" << false << false << "" << 0x00 << 0x03;
    }
    void highBitBoxes() {
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(QString, shown);
        QFETCH(bool, checked);
        QFETCH(bool, enabled);
        QFETCH(QString, typed);
        QFETCH(int, finalLow);
        QFETCH(int, finalHigh);
        AnimFixture f(RomVariant::SnesEnglish);
        Record& record = f.rom.anim14Table[0];
        record[4] = low;
        record[5] = high;
        f.open(14);
        auto* box = f.at<QCheckBox>(1015);
        QCOMPARE(f.field(1023)->text(), shown);
        QCOMPARE(f.at(1011)->currentIndex(), parseHex(shown.toStdString()));
        QCOMPARE(box->isChecked(), checked);
        QCOMPARE(box->isEnabled(), enabled);
        if (!typed.isEmpty()) {
            f.type(1023, typed); // stored with the High Bit the disabled box showed
            QCOMPARE(record[5], checked ? 0x80 : 0x00);
            QVERIFY(box->isEnabled());
        }
        QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
        QCOMPARE(record[4], finalLow);
        QCOMPARE(record[5], finalHigh);
    }

    // Walking through every entry shows each record and writes nothing, even for slots that
    // hold more than a byte.
    void switchingEntriesWritesNothing_data() {
        QTest::addColumn<int>("bytes");
        QTest::newRow("8") << 8;
        QTest::newRow("14") << 14;
    }
    void switchingEntriesWritesNothing() {
        QFETCH(int, bytes);
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

    void animationNamesComeFromTheFile_data() {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<QByteArray>("file"); // null: no file
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QStringList>("names");
        using L = QList<int>;
        using S = QStringList;
        const QByteArray none;
        QTest::newRow("8 absent") << 8 << none << false << L{0, 1, 254, 255}
                                  << S{"0", "1", "FE", "FF"};
        QTest::newRow("14 absent")
            << 14 << none << false << L{0, 10, 767, 768} << S{"0", "A", "2FF", "FFF"};
        QTest::newRow("8 short") << 8 << QByteArray("Slash\r\nFeu\xE9\r\n") << false
                                 << L{0, 1, 2, 255} << S{"Slash", "Feu\u00E9", "", ""};
        QTest::newRow("14 LF only") << 14 << QByteArray("Slash\nStab\n") << false << L{0, 1, 768}
                                    << S{"Slash\nStab\n", "", ""};
        // Reading needs no write access.
        QTest::newRow("14 read-only") << 14 << QByteArray("Fire\r\nIce") << true << L{0, 1, 2, 768}
                                      << S{"Fire", "Ice", "", ""};
    }
    void animationNamesComeFromTheFile() {
        QFETCH(int, bytes);
        QFETCH(QByteArray, file);
        QFETCH(bool, readOnly);
        QFETCH(QList<int>, rows);
        QFETCH(QStringList, names);
        AnimFixture f(RomVariant::SnesJapanese);
        if (!file.isNull())
            f.writeNameFile(file, readOnly);
        f.open(bytes);
        const QList<int> lists =
            bytes == 8 ? QList<int>{1009, 1010, 1011} : QList<int>{1009, 1010, 1011, 1012};
        for (int id : lists) {
            QCOMPARE(f.at(id)->count(), bytes == 8 ? 256 : 769);
            for (qsizetype i = 0; i < rows.size(); ++i)
                QCOMPARE(f.at(id)->itemText(rows[i]), names[i]);
        }
    }

    void captionAndGbaOnlyFieldFollowTheRelease_data() { addReleaseRows(); }
    void captionAndGbaOnlyFieldFollowTheRelease() {
        QFETCH(int, release);
        const bool gba = isGbaVariant(static_cast<RomVariant>(release));
        AnimFixture f(static_cast<RomVariant>(release));
        QCOMPARE(f.open(8).windowTitle(), QStringLiteral("8-Byte Animation String Editor"));
        QCOMPARE(f.open(14).windowTitle(), gba ? QStringLiteral("15-Byte Animation String Editor")
                                               : QStringLiteral("14-Byte Animation String Editor"));
        QCOMPARE(f.field(anim14Control::gbaOnly)->isEnabled(), gba);
        // Enter in a field presses OK; everything typed is kept.
        f.type(anim14Control::sound, QStringLiteral("3C"));
        QTest::keyClick(f.field(anim14Control::sound), Qt::Key_Return);
        QVERIFY(!f.editor->isVisible());
        QCOMPARE(f.editor->result(), int(QDialog::Accepted));
        QCOMPARE(f.rom.anim14Table[0][9], 0x3C);
    }
};

} // namespace tarnwick::testing

QTEST_MAIN(tarnwick::testing::AnimEditorTest)
#include "AnimEditorTest.moc"
