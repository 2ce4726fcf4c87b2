#pragma once

#include "editors/EditorDialog.h"
#include "rom/AnimCategories.h"
#include "rom/AnimRecord.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace tarnwick {

class CurrentItemComboBox;

// "14-Byte Animation String Editor" ("15-Byte ..." on GBA): the four animations with their
// "High Bit" flags, three palettes, the sound and the other bytes of each spell, esper, tool,
// item and effect. Choosing a category or an entry shows its record; every field edit, box
// click and list choice is written into it at once.
class AnimString14Dialog : public EditorDialog {
    Q_OBJECT

public:
    AnimString14Dialog(RomImage& rom, EditHistory& history, QWidget* parent = nullptr,
                       EditorTexts texts = {});

    // The record the category and entry select; -1 while none is selected.
    int selectedRecord() const;
    // Shows record number `record` of the editor's table as if the user had chosen it, for
    // opening the editor at a finding; a number its lists do not reach changes nothing.
    void selectRecord(int record);

protected:
    void showDocument() override { showRecord(); }

private:
    static constexpr int paletteCount = 3;

    void findControls();
    void fillLists();
    void connectControls();
    void connectAnimation(int k);
    // Refills the entry list for the selected category and shows its first entry.
    void fillEntryList();
    // Shows the selected record in the fields, boxes and lists; writes nothing.
    void showRecord();
    void showNumber(const Record& record, int k);
    // The user's changes to animation k's number or box, palette k or plain byte k: each
    // writes the record at once.
    void numberChanged(int k);
    void highBitChanged(int k);
    void paletteChanged(int k);
    void plainByteChanged(int k);
    Record* currentRecord();
    // Changes the selected record as one undo step, "14-Byte 33: <what>".
    void editRecord(int fieldId, const QString& what, const std::function<void(Record&)>& change);

    RomImage& rom;
    // The categories' first records and entries, fixed for the release at construction.
    const std::array<AnimCategory, anim14CategoryCount> categories;
    QComboBox* categoryList = nullptr;
    NameComboBox* entryList = nullptr;
    std::array<QLineEdit*, anim14AnimationCount> numberFields{};
    std::array<QCheckBox*, anim14AnimationCount> highBitBoxes{};
    std::array<CurrentItemComboBox*, anim14AnimationCount> animationLists{};
    std::array<QLineEdit*, paletteCount> paletteFields{};
    std::array<CurrentItemComboBox*, paletteCount> paletteLists{};
    std::array<QLineEdit*, anim14PlainSlots.size()> plainFields{};
};

} // namespace tarnwick
