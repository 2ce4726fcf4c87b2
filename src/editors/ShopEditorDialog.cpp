#include "editors/ShopEditorDialog.h"

#include "controls/NameComboBox.h"
#include "resources/EditorTemplates.h"
#include "rom/RomImage.h"
#include "rom/ShopRecord.h"

#include <QSignalBlocker>

namespace tarnwick {

ShopEditorDialog::ShopEditorDialog(RomImage& document, EditHistory& steps, QWidget* parent,
                                   EditorTexts userFiles)
    : EditorDialog(shopEditorTemplate(), QStringLiteral(":/icons/shop.svg"), document, steps,
                   parent, std::move(userFiles)),
      rom(document) {
    shopList = control<QComboBox>(shopControl::shop);
    typeList = control<NameComboBox>(shopControl::type);
    modifierList = control<QComboBox>(shopControl::priceModifier);
    for (std::size_t slot = 0; slot < slotLists.size(); ++slot)
        slotLists[slot] = control<NameComboBox>(shopControl::firstSlot + static_cast<int>(slot));
    fillLists();
    connectLists();
    shopList->setCurrentIndex(0);
    showSelectedShop();
}

void ShopEditorDialog::fillLists() {
    for (int shop = 0; shop < static_cast<int>(shopLabels().size()); ++shop)
        shopList->addItem(QString::fromStdString(numberedShopLabel(shop)));
    for (std::string_view label : priceModifierLabels())
        modifierList->addItem(toQString(label));
    typeList->addGameItems(shopTypeListNames(rom));
    // Every item number can be on sale, so each list holds items 0-255: row = item number.
    const auto items = std::span(rom.itemNames).first(256);
    for (NameComboBox* slotList : slotLists)
        slotList->addGameItems(items);
}

void ShopEditorDialog::connectLists() {
    // activated comes from the user only (mouse or keys), never from showing a record.
    connect(shopList, &QComboBox::activated, this, &ShopEditorDialog::showSelectedShop);
    connect(typeList, &QComboBox::activated, this, [this](int type) {
        editShop(shopControl::type, QStringLiteral("type"),
                 [type](Record& shop) { setShopType(shop, type); });
    });
    connect(modifierList, &QComboBox::activated, this, [this](int modifier) {
        editShop(shopControl::priceModifier, QStringLiteral("price modifier"),
                 [modifier](Record& shop) { setPriceModifier(shop, modifier); });
    });
    for (std::size_t k = 0; k < slotLists.size(); ++k) {
        const int slot = static_cast<int>(k) + 1;
        connect(slotLists[k], &QComboBox::activated, this, [this, slot](int item) {
            editShop(shopControl::firstSlot + slot - 1, QStringLiteral("item #%1").arg(slot),
                     [slot, item](Record& shop) { setShopItem(shop, slot, item); });
        });
    }
}

void ShopEditorDialog::editShop(int fieldId, const QString& what,
                                const std::function<void(Record&)>& change) {
    changeRecord(selectedRecord(), QStringLiteral("Shop"), selectedShop(), fieldId, what, change);
}

int ShopEditorDialog::selectedShop() const {
    return shopList->currentIndex();
}

Record* ShopEditorDialog::selectedRecord() {
    return recordAt(rom.shopTable, selectedShop());
}

void ShopEditorDialog::showSelectedShop() {
    const Record* selected = selectedRecord();
    if (selected == nullptr)
        return;
    const Record& shop = *selected;
    {
        // A modifier without a label shows as no selection and stays as it is.
        const QSignalBlocker blocker(modifierList);
        const int modifier = priceModifier(shop);
        modifierList->setCurrentIndex(modifier < modifierList->count() ? modifier : -1);
    }
    typeList->setCurrentItem(shopType(shop));
    for (std::size_t k = 0; k < slotLists.size(); ++k)
        slotLists[k]->setCurrentItem(shopItem(shop, static_cast<int>(k) + 1));
}

void ShopEditorDialog::selectRecord(int record) {
    if (record < 0 || record >= shopList->count())
        return;
    shopList->setCurrentIndex(record);
    showSelectedShop();
}

} // namespace tarnwick
