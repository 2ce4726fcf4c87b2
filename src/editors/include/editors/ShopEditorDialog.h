#pragma once

#include "editors/EditorDialog.h"
#include "rom/Record.h"

#include <array>

class QComboBox;

namespace tarnwick {

// "Shop Editor": the type, price modifier and eight items on sale of each of the 128 shops.
// Choosing a shop shows its record; every other choice is written into it at once.
class ShopEditorDialog : public EditorDialog {
    Q_OBJECT

public:
    ShopEditorDialog(RomImage& rom, EditHistory& history, QWidget* parent = nullptr,
                     EditorTexts texts = {});

    int selectedShop() const;
    // Shows record number `record` of the editor's table as if the user had chosen it, for
    // opening the editor at a finding; a number its lists do not reach changes nothing.
    void selectRecord(int record);

protected:
    void showDocument() override { showSelectedShop(); }

private:
    void fillLists();
    void connectLists();
    // Shows the selected shop's record in the controls; writes nothing.
    void showSelectedShop();
    // The selected shop's record; nullptr while no shop is selected.
    Record* selectedRecord();
    // Changes the selected shop as one undo step, "Shop 5: <what>".
    void editShop(int fieldId, const QString& what, const std::function<void(Record&)>& change);

    RomImage& rom;
    QComboBox* shopList = nullptr;
    NameComboBox* typeList = nullptr;
    QComboBox* modifierList = nullptr;
    std::array<NameComboBox*, 8> slotLists{};
};

} // namespace tarnwick
