#include "editors/AnimString14Dialog.h"

#include "controls/NameComboBox.h"
#include "editors/AnimationLists.h"
#include "resources/AnimTemplates.h"
#include "rom/AnimationNames.h"
#include "rom/FieldMessages.h"
#include "rom/HexText.h"
#include "rom/RomImage.h"

#include <QCheckBox>
#include <QLineEdit>

namespace tarnwick {
namespace {

constexpr std::size_t at(int k) {
    return static_cast<std::size_t>(k);
}

QString hexText(std::int32_t value, int digits) {
    return QString::fromStdString(formatHex(value, digits));
}

std::int32_t hexValue(const QLineEdit* edit) {
    return parseHex(edit->text().toStdString());
}

// Merge keys of the fields, by kind; each kind's fields follow its first.
constexpr int numberFieldId = 1;
constexpr int highBitFieldId = 10;
constexpr int paletteFieldId = 20;
constexpr int plainFieldId = 30;

} // namespace

AnimString14Dialog::AnimString14Dialog(RomImage& document, EditHistory& steps, QWidget* parent,
                                       EditorTexts userFiles)
    : EditorDialog(anim14EditorTemplate(), QStringLiteral(":/icons/anim14.svg"), document, steps,
                   parent, std::move(userFiles)),
      rom(document), categories(anim14Categories(document.variant())) {
    findControls();
    if (rom.isGba())
        setWindowTitle(QStringLiteral("15-Byte Animation String Editor"));
    // The last byte exists in GBA records only.
    plainFields.back()->setEnabled(anim14SlotWritable(rom.variant(), anim14GbaOnlySlot));
    fillLists();
    connectControls();
    categoryList->setCurrentIndex(0);
    fillEntryList();
}

void AnimString14Dialog::findControls() {
    categoryList = control<QComboBox>(anim14Control::category);
    entryList = control<NameComboBox>(anim14Control::entry);
    for (int k = 0; k < anim14AnimationCount; ++k) {
        numberFields[at(k)] = control<QLineEdit>(anim14Control::numberFields[at(k)]);
        numberFields[at(k)]->setMaxLength(animNumberDigits);
        highBitBoxes[at(k)] = control<QCheckBox>(anim14Control::highBits[at(k)]);
        animationLists[at(k)] = control<CurrentItemComboBox>(anim14Control::animationLists[at(k)]);
    }
    for (int k = 0; k < paletteCount; ++k) {
        paletteFields[at(k)] = control<QLineEdit>(anim14Control::paletteFields[at(k)]);
        paletteFields[at(k)]->setMaxLength(animByteDigits);
        paletteLists[at(k)] = control<CurrentItemComboBox>(anim14Control::paletteLists[at(k)]);
    }
    for (std::size_t k = 0; k < plainFields.size(); ++k) {
        plainFields[k] = control<QLineEdit>(anim14Control::plainFields[k]);
        plainFields[k]->setMaxLength(animByteDigits);
    }
}

void AnimString14Dialog::fillLists() {
    fillPaletteLists(std::vector<QComboBox*>(paletteLists.begin(), paletteLists.end()), this);
    fillAnimationLists(std::vector<QComboBox*>(animationLists.begin(), animationLists.end()),
                       anim14AnimationNames(userTexts().animationNames), this);
    for (const AnimCategory& category : categories)
        categoryList->addItem(toQString(category.label));
}

void AnimString14Dialog::connectControls() {
    // activated, textEdited and clicked come from the user only, never from showing a record.
    connect(categoryList, &QComboBox::activated, this, &AnimString14Dialog::fillEntryList);
    connect(entryList, &QComboBox::activated, this, &AnimString14Dialog::showRecord);
    for (int k = 0; k < anim14AnimationCount; ++k)
        connectAnimation(k);
    for (int k = 0; k < paletteCount; ++k) {
        connect(paletteFields[at(k)], &QLineEdit::textEdited, this,
                [this, k] { paletteChanged(k); });
        connect(paletteLists[at(k)], &QComboBox::activated, this, [this, k](int position) {
            paletteFields[at(k)]->setText(hexText(position, animByteDigits));
            paletteChanged(k);
        });
    }
    for (std::size_t k = 0; k < plainFields.size(); ++k)
        connect(plainFields[k], &QLineEdit::textEdited, this,
                [this, k] { plainByteChanged(static_cast<int>(k)); });
    // Leaving a field or pressing Enter shows what the record holds: the byte the image gets.
    std::vector<QLineEdit*> edits(numberFields.begin(), numberFields.end());
    edits.insert(edits.end(), paletteFields.begin(), paletteFields.end());
    edits.insert(edits.end(), plainFields.begin(), plainFields.end());
    for (QLineEdit* field : edits)
        connect(field, &QLineEdit::editingFinished, this, &AnimString14Dialog::showRecord);
}

void AnimString14Dialog::connectAnimation(int k) {
    connect(numberFields[at(k)], &QLineEdit::textEdited, this, [this, k] { numberChanged(k); });
    connect(highBitBoxes[at(k)], &QCheckBox::clicked, this, [this, k] { highBitChanged(k); });
    // The last entry stands for no animation: its position, 0x300, stores none.
    connect(animationLists[at(k)], &QComboBox::activated, this, [this, k](int position) {
        numberFields[at(k)]->setText(hexText(position, animNumberDigits));
        numberChanged(k);
    });
}

int AnimString14Dialog::selectedRecord() const {
    return animRecordIndex(categories, categoryList->currentIndex(), entryList->currentIndex())
        .value_or(-1);
}

Record* AnimString14Dialog::currentRecord() {
    return recordAt(rom.anim14Table, selectedRecord());
}

void AnimString14Dialog::fillEntryList() {
    const int category = categoryList->currentIndex();
    entryList->clear();
    if (category >= 0 && category < anim14CategoryCount)
        entryList->addGameItems(anim14EntryLabels(rom, static_cast<Anim14Category>(category)));
    entryList->setCurrentItem(0);
    showRecord();
}

void AnimString14Dialog::showRecord() {
    const Record* selected = currentRecord();
    if (selected == nullptr)
        return;
    const Record& record = *selected;
    // setText and setChecked do not count as user changes, so nothing is written back.
    for (int k = 0; k < anim14AnimationCount; ++k)
        showNumber(record, k);
    for (int k = 0; k < paletteCount; ++k) {
        QLineEdit* field = paletteFields[at(k)];
        field->setText(hexText(anim14Palette(record, k), animByteDigits));
        paletteLists[at(k)]->setCurrentItem(hexValue(field));
    }
    for (std::size_t k = 0; k < plainFields.size(); ++k)
        plainFields[k]->setText(
            hexText(anim14PlainByte(record, anim14PlainSlots[k]), animByteDigits));
}

void AnimString14Dialog::showNumber(const Record& record, int k) {
    const ShownAnimation shown = showAnimation(record, anim14Animations[at(k)]);
    numberFields[at(k)]->setText(hexText(shown.number, animNumberDigits));
    // No animation selects the list's last entry.
    animationLists[at(k)]->setCurrentItem(shown.number);
    highBitBoxes[at(k)]->setEnabled(shown.highBitEnabled);
    highBitBoxes[at(k)]->setChecked(shown.highBit);
}

void AnimString14Dialog::editRecord(int fieldId, const QString& what,
                                    const std::function<void(Record&)>& change) {
    const QString kind = rom.isGba() ? QStringLiteral("15-Byte") : QStringLiteral("14-Byte");
    changeRecord(currentRecord(), kind, selectedRecord(), fieldId, what, change);
}

void AnimString14Dialog::numberChanged(int k) {
    if (currentRecord() == nullptr)
        return;
    const std::int32_t number = hexValue(numberFields[at(k)]);
    const bool highBit = highBitBoxes[at(k)]->isChecked();
    editRecord(numberFieldId + k, QStringLiteral("animation %1").arg(k + 1), [&](Record& record) {
        storeAnimationNumber(record, anim14Animations[at(k)], number, highBit);
    });
    showFieldMessage(hexFieldMessage(
        numberFields[at(k)]->text().toStdString(),
        showAnimation(*currentRecord(), anim14Animations[at(k)]).number, animNumberDigits));
    // Shown again at once: a typed leading zero goes, and any number past 2FF shows as 300.
    showRecord();
}

void AnimString14Dialog::highBitChanged(int k) {
    const bool highBit = highBitBoxes[at(k)]->isChecked();
    editRecord(highBitFieldId + k, QStringLiteral("high bit %1").arg(k + 1),
               [&](Record& record) { storeHighBit(record, anim14Animations[at(k)], highBit); });
}

void AnimString14Dialog::paletteChanged(int k) {
    if (currentRecord() == nullptr)
        return;
    const std::int32_t value = hexValue(paletteFields[at(k)]);
    // The field keeps what was typed until the edit is finished.
    editRecord(paletteFieldId + k, QStringLiteral("palette %1").arg(k + 1),
               [&](Record& record) { setAnim14Palette(record, k, value); });
    showFieldMessage(hexFieldMessage(paletteFields[at(k)]->text().toStdString(),
                                     anim14Palette(*currentRecord(), k), animByteDigits));
    paletteLists[at(k)]->setCurrentItem(value);
}

void AnimString14Dialog::plainByteChanged(int k) {
    const int slot = anim14PlainSlots[at(k)];
    const std::int32_t value = hexValue(plainFields[at(k)]);
    if (anim14SlotWritable(rom.variant(), slot))
        editRecord(plainFieldId + k, QStringLiteral("byte %1").arg(slot), [&](Record& record) {
            (void)setAnim14PlainByte(record, rom.variant(), slot, value);
        });
    if (const Record* record = currentRecord())
        showFieldMessage(hexFieldMessage(plainFields[at(k)]->text().toStdString(),
                                         anim14PlainByte(*record, slot), animByteDigits));
}

void AnimString14Dialog::selectRecord(int record) {
    const std::optional<AnimListPosition> position = animListPosition(categories, record);
    if (!position)
        return;
    categoryList->setCurrentIndex(position->category);
    fillEntryList();
    entryList->setCurrentItem(position->entry);
    showRecord();
}

} // namespace tarnwick
