#pragma once

#include "editors/EditorDialog.h"
#include "rom/AnimCategories.h"
#include "rom/AnimRecord.h"

#include <array>

class QComboBox;
class QLineEdit;

namespace tarnwick {

class CurrentItemComboBox;

// "8-Byte Animation String Editor": the animations, palettes and sound of each weapon and enemy
// special. Choosing a category or an entry shows its record; every field edit and list choice
// is written into it at once.
class AnimString8Dialog : public EditorDialog {
    Q_OBJECT

public:
    AnimString8Dialog(RomImage& rom, EditHistory& history, QWidget* parent = nullptr,
                      EditorTexts texts = {});

    // The record the category and entry select; -1 while none is selected.
    int selectedRecord() const;
    // Shows record number `record` of the editor's table as if the user had chosen it, for
    // opening the editor at a finding; a number its lists do not reach changes nothing.
    void selectRecord(int record);

protected:
    void showDocument() override { showRecord(); }

private:
    void fillLists();
    void connectControls();
    // Refills the entry list for the selected category and shows its first entry.
    void fillEntryList();
    // Shows the selected record in the fields and lists; writes nothing.
    void showRecord();
    // The user changed a field: its value goes into the record and the paired list follows.
    void storeField(Anim8Field field);
    // The user chose position in a field's paired list: as if its number had been typed.
    void storeListChoice(Anim8Field field, int position);
    QLineEdit* fieldEdit(Anim8Field field) const;
    CurrentItemComboBox* pairedList(Anim8Field field) const;

    RomImage& rom;
    // The categories' first records and entries, fixed for the release at construction.
    const std::array<AnimCategory, anim8CategoryCount> categories;
    QComboBox* categoryList = nullptr;
    NameComboBox* entryList = nullptr;
    std::array<QLineEdit*, anim8FieldCount> fields{};
    std::array<CurrentItemComboBox*, anim8FieldCount> lists{};
};

} // namespace tarnwick
