#pragma once

#include "editors/EditorDialog.h"
#include "rom/Record.h"

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace tarnwick {

class ChestListBox;
class CurrentItemComboBox;

// "Chest Editor": what each of the 312 treasure chests holds, its memory flag, place and flags,
// the two formations of the monster-in-a-box entry it names, and the money multiplier. Every
// change is written into the document at once; showing a chest never writes.
class ChestEditorDialog : public EditorDialog {
    Q_OBJECT

public:
    ChestEditorDialog(RomImage& rom, EditHistory& history, QWidget* parent = nullptr,
                      EditorTexts texts = {});

    int currentChest() const { return chest; }
    // Shows record number `record` of the editor's table as if the user had chosen it, for
    // opening the editor at a finding; a number its lists do not reach changes nothing.
    void selectRecord(int record);

protected:
    void showDocument() override;

private:
    void findControls();
    void setRanges();
    void fillLocations();
    void connectHandlers();

    // ---- Handlers, one per control ----
    void loadChest();
    void locationChosen();
    void chestNumberTyped();
    void typeChosen();
    void typeNumberTyped();
    void contentsChosen();
    // Changes the chest as one undo step, "Chest 12: <what>".
    void editChest(int fieldId, const QString& what, const std::function<void(Record&)>& change);
    // Stores the contents the contents list shows; shows them and what depends on them.
    void storeListedContents(Record& chestRecord);
    void showContents();
    void contentsNumberTyped();
    void gpMultiplierChanged();
    void memoryBitChanged();
    void memoryByteChanged();
    void positionChanged(int controlId);
    void formChanged(int form);
    void flagClicked(int bit);
    void bit2Clicked();

    // ---- Showing ----
    // Puts the fields into the controls without running any handler.
    void showFields();
    void rebuildChestList();
    void rebuildContentsList();
    void rebuildMonsterList();

    Record& record();
    bool gbaItemChest() const;

    RomImage& rom;
    // What the fields show: the chest, its contents number (plus 256 for GBA items 256-270) and
    // its type number.
    int chest = 0;
    int contents = 0;
    int typeNumber = 0;

    NameComboBox* chestList = nullptr;
    NameComboBox* locationList = nullptr;
    CurrentItemComboBox* typeList = nullptr;
    NameComboBox* contentsList = nullptr;
    ChestListBox* monsterList = nullptr;
    QSpinBox* chestNumberField = nullptr;
    QSpinBox* typeNumberField = nullptr;
    QSpinBox* contentsNumberField = nullptr;
    QSpinBox* gpField = nullptr;
    QSpinBox* memoryByteField = nullptr;
    QSpinBox* memoryBitField = nullptr;
    QSpinBox* xField = nullptr;
    QSpinBox* yField = nullptr;
    QSpinBox* form1Field = nullptr;
    QSpinBox* form2Field = nullptr;
    QCheckBox* bit1Box = nullptr;
    QCheckBox* bit2Box = nullptr;
    QCheckBox* bit4Box = nullptr;
};

} // namespace tarnwick
