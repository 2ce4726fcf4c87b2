#include "editors/AnimString8Dialog.h"

#include "controls/NameComboBox.h"
#include "editors/AnimationLists.h"
#include "resources/AnimTemplates.h"
#include "rom/AnimationNames.h"
#include "rom/FieldMessages.h"
#include "rom/HexText.h"
#include "rom/RomImage.h"

#include <QLineEdit>

namespace tarnwick {
namespace {

constexpr std::size_t at(Anim8Field field) {
    return static_cast<std::size_t>(field);
}

QString hexText(std::int32_t value) {
    return QString::fromStdString(formatHex(value, animByteDigits));
}

std::int32_t hexValue(const QLineEdit* edit) {
    return parseHex(edit->text().toStdString());
}

// What an undo step says it changed, by Anim8Field.
const char* const fieldNames[anim8FieldCount] = {
    "right-hand animation",
    "left-hand animation",
    "right-hand palette",
    "hit animation",
    "hit palette",
    "Byte6",
    "sound",
    "Byte8",
};

} // namespace

AnimString8Dialog::AnimString8Dialog(RomImage& document, EditHistory& steps, QWidget* parent,
                                     EditorTexts userFiles)
    : EditorDialog(anim8EditorTemplate(), QStringLiteral(":/icons/anim8.svg"), document, steps,
                   parent, std::move(userFiles)),
      rom(document), categories(anim8Categories(document.variant())) {
    categoryList = control<QComboBox>(anim8Control::category);
    entryList = control<NameComboBox>(anim8Control::entry);
    for (std::size_t k = 0; k < fields.size(); ++k) {
        fields[k] = control<QLineEdit>(anim8Control::fields[k]);
        fields[k]->setMaxLength(animByteDigits);
        lists[k] = control<CurrentItemComboBox>(anim8Control::pairedLists[k]);
    }
    fillLists();
    connectControls();
    categoryList->setCurrentIndex(0);
    fillEntryList();
}

void AnimString8Dialog::fillLists() {
    const std::array<QComboBox*, 2> palettes = {lists[at(Anim8Field::RightHandPalette)],
                                                lists[at(Anim8Field::HitPalette)]};
    fillPaletteLists(palettes, this);
    const std::array<QComboBox*, 3> animations = {lists[at(Anim8Field::RightHandAnimation)],
                                                  lists[at(Anim8Field::LeftHandAnimation)],
                                                  lists[at(Anim8Field::HitAnimation)]};
    fillAnimationLists(animations, anim8AnimationNames(userTexts().animationNames), this);
    for (const AnimCategory& category : categories)
        categoryList->addItem(toQString(category.label));
}

void AnimString8Dialog::connectControls() {
    // activated and textEdited come from the user only, never from showing a record.
    connect(categoryList, &QComboBox::activated, this, &AnimString8Dialog::fillEntryList);
    connect(entryList, &QComboBox::activated, this, &AnimString8Dialog::showRecord);
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const auto field = static_cast<Anim8Field>(k);
        connect(fields[k], &QLineEdit::textEdited, this, [this, field] { storeField(field); });
        // Leaving the field or pressing Enter shows the byte the image gets.
        connect(fields[k], &QLineEdit::editingFinished, this, &AnimString8Dialog::showRecord);
        if (lists[k] != nullptr)
            connect(lists[k], &QComboBox::activated, this,
                    [this, field](int position) { storeListChoice(field, position); });
    }
}

int AnimString8Dialog::selectedRecord() const {
    return animRecordIndex(categories, categoryList->currentIndex(), entryList->currentIndex())
        .value_or(-1);
}

QLineEdit* AnimString8Dialog::fieldEdit(Anim8Field field) const {
    return fields[at(field)];
}

CurrentItemComboBox* AnimString8Dialog::pairedList(Anim8Field field) const {
    return lists[at(field)];
}

void AnimString8Dialog::fillEntryList() {
    const int category = categoryList->currentIndex();
    entryList->clear();
    if (category >= 0 && category < anim8CategoryCount)
        entryList->addGameItems(anim8EntryLabels(rom, static_cast<Anim8Category>(category)));
    entryList->setCurrentItem(0);
    showRecord();
}

void AnimString8Dialog::showRecord() {
    const Record* record = recordAt(rom.anim8Table, selectedRecord());
    if (record == nullptr)
        return;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        // setText does not count as an edit, so nothing is written back.
        fields[k]->setText(hexText(anim8Field(*record, static_cast<Anim8Field>(k))));
        // The list shows what the field shows: only the low digits of a larger value.
        if (lists[k] != nullptr)
            lists[k]->setCurrentItem(hexValue(fields[k]));
    }
}

void AnimString8Dialog::storeField(Anim8Field field) {
    Record* record = recordAt(rom.anim8Table, selectedRecord());
    if (record == nullptr)
        return;
    const std::int32_t value = hexValue(fieldEdit(field));
    // The field keeps what was typed until the edit is finished.
    changeRecord(record, QStringLiteral("8-Byte"), selectedRecord(), static_cast<int>(at(field)),
                 QLatin1String(fieldNames[at(field)]),
                 [&](Record& changed) { setAnim8Field(changed, field, value); });
    showFieldMessage(hexFieldMessage(fieldEdit(field)->text().toStdString(),
                                     anim8Field(*record, field), animByteDigits));
    if (CurrentItemComboBox* list = pairedList(field))
        list->setCurrentItem(value);
}

void AnimString8Dialog::storeListChoice(Anim8Field field, int position) {
    fieldEdit(field)->setText(hexText(position));
    storeField(field);
}

void AnimString8Dialog::selectRecord(int record) {
    const std::optional<AnimListPosition> position = animListPosition(categories, record);
    if (!position)
        return;
    categoryList->setCurrentIndex(position->category);
    fillEntryList();
    entryList->setCurrentItem(position->entry);
    showRecord();
}

} // namespace tarnwick
