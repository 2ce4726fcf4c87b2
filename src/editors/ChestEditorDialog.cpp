#include "editors/ChestEditorDialog.h"

#include "controls/ChestListBox.h"
#include "controls/CurrentItemComboBox.h"
#include "controls/NameComboBox.h"
#include "resources/ChestTemplate.h"
#include "rom/ChestLabels.h"
#include "rom/ChestRecord.h"
#include "rom/FieldMessages.h"
#include "rom/MonsterBox.h"
#include "rom/RomImage.h"
#include "rom/TableEdit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>

namespace tarnwick {
ChestEditorDialog::ChestEditorDialog(RomImage& document, EditHistory& steps, QWidget* parent,
                                     EditorTexts userFiles)
    : EditorDialog(chestEditorTemplate(), QStringLiteral(":/icons/chest.svg"), document, steps,
                   parent, std::move(userFiles)),
      rom(document) {
    findControls();
    setRanges();
    for (std::string_view label : chestTypeLabels)
        typeList->addItem(toQString(label));
    if (rom.isGba()) {
        // Bit 2 is the item number's ninth bit there, and the image has no money multiplier.
        bit2Box->setText(QStringLiteral("Item# + &256:"));
        if (auto* edit = gpField->findChild<QLineEdit*>())
            edit->setEnabled(false);
    }
    fillLocations();
    showFields();
    rebuildChestList();
    typeList->setCurrentItem(0);
    chestList->setCurrentItem(0);
    locationList->setCurrentItem(0);
    contentsList->setCurrentItem(0);
    connectHandlers();
    loadChest();
}

void ChestEditorDialog::findControls() {
    namespace c = chestControl;
    chestList = control<NameComboBox>(c::chest);
    locationList = control<NameComboBox>(c::location);
    typeList = control<CurrentItemComboBox>(c::type);
    contentsList = control<NameComboBox>(c::contents);
    monsterList = control<ChestListBox>(c::monsters);
    chestNumberField = control<QSpinBox>(c::chestNumber);
    typeNumberField = control<QSpinBox>(c::typeNumber);
    contentsNumberField = control<QSpinBox>(c::contentsNumber);
    gpField = control<QSpinBox>(c::gpMultiplier);
    memoryByteField = control<QSpinBox>(c::memoryByte);
    memoryBitField = control<QSpinBox>(c::memoryBit);
    xField = control<QSpinBox>(c::x);
    yField = control<QSpinBox>(c::y);
    form1Field = control<QSpinBox>(c::form1);
    form2Field = control<QSpinBox>(c::form2);
    bit1Box = control<QCheckBox>(c::bit1);
    bit2Box = control<QCheckBox>(c::bit2);
    bit4Box = control<QCheckBox>(c::bit4);
}

void ChestEditorDialog::setRanges() {
    // Every field but the type's steps one past both ends of its range, and its handler wraps
    // what the arrows give; larger numbers may be typed and are wrapped the same way.
    typeNumberField->setRange(0, chestTypeCount - 1);
}

void ChestEditorDialog::fillLocations() {
    for (const std::string& label : chestLocationLabels(userTexts().chestLocations))
        locationList->addItem(QString::fromLocal8Bit(label));
}

void ChestEditorDialog::connectHandlers() {
    // activated, valueChanged and clicked come from the user only: showing blocks the fields'
    // signals, and lists are set with setCurrentItem, which signals nothing.
    connect(chestList, &QComboBox::activated, this, &ChestEditorDialog::loadChest);
    connect(locationList, &QComboBox::activated, this, &ChestEditorDialog::locationChosen);
    connect(typeList, &QComboBox::activated, this, &ChestEditorDialog::typeChosen);
    connect(contentsList, &QComboBox::activated, this, &ChestEditorDialog::contentsChosen);
    // Once the user leaves a field or presses Enter it shows the value as stored: wrapped into
    // its range, whatever number was typed.
    const auto onValue = [this](QSpinBox* field, auto handler) {
        connect(field, &QSpinBox::valueChanged, this, handler);
        connect(field, &QSpinBox::editingFinished, this, &ChestEditorDialog::showFields);
    };
    onValue(chestNumberField, [this] { chestNumberTyped(); });
    onValue(typeNumberField, [this] { typeNumberTyped(); });
    onValue(contentsNumberField, [this] { contentsNumberTyped(); });
    onValue(gpField, [this] { gpMultiplierChanged(); });
    onValue(memoryBitField, [this] { memoryBitChanged(); });
    onValue(memoryByteField, [this] { memoryByteChanged(); });
    onValue(xField, [this] { positionChanged(chestControl::x); });
    onValue(yField, [this] { positionChanged(chestControl::y); });
    onValue(form1Field, [this] { formChanged(1); });
    onValue(form2Field, [this] { formChanged(2); });
    connect(bit1Box, &QCheckBox::clicked, this, [this] { flagClicked(1); });
    connect(bit4Box, &QCheckBox::clicked, this, [this] { flagClicked(4); });
    connect(bit2Box, &QCheckBox::clicked, this, &ChestEditorDialog::bit2Clicked);
}

Record& ChestEditorDialog::record() {
    return rom.chestTable[static_cast<std::size_t>(chest)];
}

bool ChestEditorDialog::gbaItemChest() const {
    return rom.isGba() && typeNumber == itemChest;
}

// ---- Handlers ------------------------------------------------------------------------------

void ChestEditorDialog::loadChest() {
    chest = wrapInto(chestList->currentIndex(), chestCount);
    const Record& shown = record();
    typeNumber = chestType(shown);
    contents = chestContents(shown, rom.variant());
    showFields();
    typeList->setCurrentItem(typeNumber);
    rebuildContentsList();
    rebuildMonsterList();
}

void ChestEditorDialog::locationChosen() {
    chestList->setCurrentItem(locationList->currentIndex());
    loadChest();
}

void ChestEditorDialog::chestNumberTyped() {
    chestList->setCurrentItem(wrapInto(chestNumberField->value(), chestCount));
    loadChest();
}

void ChestEditorDialog::editChest(int fieldId, const QString& what,
                                  const std::function<void(Record&)>& change) {
    changeRecord(&record(), QStringLiteral("Chest"), chest, fieldId, what, change);
}

void ChestEditorDialog::typeChosen() {
    const int type = std::clamp(typeList->currentIndex(), 0, chestTypeCount - 1);
    editChest(chestControl::type, QStringLiteral("type"), [&](Record& chestRecord) {
        contents = chooseChestType(chestRecord, rom.variant(), type, contents);
    });
    typeNumber = type;
    showFields();
    rebuildChestList();
    rebuildContentsList();
}

void ChestEditorDialog::typeNumberTyped() {
    typeList->setCurrentItem(typeNumberField->value());
    typeChosen();
}

void ChestEditorDialog::storeListedContents(Record& chestRecord) {
    const int chosen = wrapContents(contentsList->currentIndex(), rom.variant(), typeNumber);
    contents = storeChosenContents(chestRecord, rom.variant(), chosen);
}

void ChestEditorDialog::showContents() {
    contentsList->setCurrentItem(contents);
    showFields();
    rebuildChestList();
    typeList->setCurrentItem(typeNumber);
    rebuildMonsterList();
}

void ChestEditorDialog::contentsChosen() {
    editChest(chestControl::contents, QStringLiteral("contents"),
              [this](Record& chestRecord) { storeListedContents(chestRecord); });
    showContents();
}

void ChestEditorDialog::contentsNumberTyped() {
    // A number is wrapped into the chest's own range, so every typed number has a list entry.
    contentsList->setCurrentItem(
        wrapContents(contentsNumberField->value(), rom.variant(), typeNumber));
    contentsChosen();
}

void ChestEditorDialog::gpMultiplierChanged() {
    const int typed = gpField->value();
    edit(QStringLiteral("GP multiplier"), chestControl::gpMultiplier, 0,
         [typed](TableEdit& step) { setGpMultiplier(step.changeGpMultiplier(), typed); });
    showFieldMessage(
        numberFieldMessage(typed, rom.gpMultiplier, "the byte", 0, gpMultiplierLimit - 1));
    showFields();
    rebuildChestList();
    typeList->setCurrentItem(typeNumber);
    rebuildContentsList();
}

void ChestEditorDialog::memoryBitChanged() {
    const int typed = memoryBitField->value();
    editChest(chestControl::memoryBit, QStringLiteral("memory bit"),
              [typed](Record& chestRecord) { setMemoryBit(chestRecord, typed); });
    showFieldMessage(
        numberFieldMessage(typed, memoryBit(record()), "the memory bit", 0, memoryBitLimit - 1));
    showFields();
}

void ChestEditorDialog::memoryByteChanged() {
    const int typed = memoryByteField->value();
    editChest(chestControl::memoryByte, QStringLiteral("memory byte"),
              [typed](Record& chestRecord) { setMemoryByte(chestRecord, typed); });
    showFieldMessage(
        numberFieldMessage(typed, memoryByte(record()), "the memory byte", 0, memoryByteLimit - 1));
    showFields();
}

void ChestEditorDialog::positionChanged(int controlId) {
    const bool x = controlId == chestControl::x;
    const int typed = (x ? xField : yField)->value();
    editChest(controlId, x ? QStringLiteral("X") : QStringLiteral("Y"),
              [x, typed](Record& c) { x ? setChestX(c, typed) : setChestY(c, typed); });
    showFieldMessage(numberFieldMessage(typed, x ? chestX(record()) : chestY(record()), "the byte",
                                        0, positionLimit - 1));
    showFields();
}

void ChestEditorDialog::formChanged(int form) {
    const int typed = (form == 1 ? form1Field : form2Field)->value();
    const int entry = contents;
    // Every chest naming this monster-in-a-box entry changes with it.
    edit(QStringLiteral("Monster-in-a-box %1: form %2").arg(entry).arg(form),
         form == 1 ? chestControl::form1 : chestControl::form2, entry, [&](TableEdit& step) {
             if (entry >= 0 && entry < monsterBoxCount)
                 step.change(rom.monsterBoxTable[static_cast<std::size_t>(entry)]);
             setMonsterBoxForm(rom, entry, form, typed);
         });
    if (entry >= 0 && entry < monsterBoxCount)
        showFieldMessage(numberFieldMessage(typed, monsterBoxForm(rom, entry, form),
                                            "the formation number", 0, formationNumbers - 1));
    showFields();
    rebuildChestList();
    rebuildContentsList();
    rebuildMonsterList();
}

void ChestEditorDialog::flagClicked(int bit) {
    const bool ticked = (bit == 1 ? bit1Box : bit4Box)->isChecked();
    editChest(bit == 1 ? chestControl::bit1 : chestControl::bit4, QStringLiteral("bit %1").arg(bit),
              [bit, ticked](Record& chestRecord) { setChestFlag(chestRecord, bit, ticked); });
    showFields();
}

void ChestEditorDialog::bit2Clicked() {
    const bool ticked = bit2Box->isChecked();
    // On GBA images the bit moves an item chest's contents by 256, and the contents are stored
    // again with it, bit and byte 4 together: one step.
    const bool movesContents = rom.isGba();
    if (gbaItemChest())
        contentsList->setCurrentItem(contentsAfterBit2(contents, ticked));
    editChest(chestControl::bit2, QStringLiteral("bit 2"), [&](Record& chestRecord) {
        setChestFlag(chestRecord, 2, ticked);
        if (movesContents)
            storeListedContents(chestRecord);
    });
    if (movesContents)
        showContents();
    else
        showFields();
}

// ---- Showing -------------------------------------------------------------------------------

void ChestEditorDialog::showDocument() {
    // An undone edit may have changed any chest's label or the money multiplier.
    rebuildChestList();
    loadChest();
}

void ChestEditorDialog::showFields() {
    const Record& shown = record();
    const auto show = [](QSpinBox* field, int value) {
        const QSignalBlocker blocker(field);
        field->setValue(value);
    };
    const auto tick = [](QCheckBox* box, bool on) {
        const QSignalBlocker blocker(box);
        box->setChecked(on);
    };
    show(chestNumberField, chest);
    show(typeNumberField, typeNumber);
    show(contentsNumberField, contents);
    show(gpField, rom.gpMultiplier);
    show(memoryByteField, memoryByte(shown));
    show(memoryBitField, memoryBit(shown));
    show(xField, chestX(shown));
    show(yField, chestY(shown));
    show(form1Field, monsterBoxForm(rom, contents, 1));
    show(form2Field, monsterBoxForm(rom, contents, 2));
    tick(bit1Box, chestFlag(shown, 1));
    tick(bit2Box, chestFlag(shown, 2));
    tick(bit4Box, chestFlag(shown, 4));
    locationList->setCurrentItem(chest);
}

void ChestEditorDialog::rebuildChestList() {
    chestList->clear();
    chestList->addGameItems(chestLabels(rom));
    chestList->setCurrentItem(chest);
}

void ChestEditorDialog::rebuildContentsList() {
    contentsList->clear();
    contentsList->addGameItems(contentsEntries(rom, chestType(record())));
    contentsList->setCurrentItem(contents);
}

void ChestEditorDialog::rebuildMonsterList() {
    const auto lines = monsterLines(rom, contents);
    monsterList->setLines(lines);
}

void ChestEditorDialog::selectRecord(int record) {
    if (record < 0 || record >= chestCount)
        return;
    chestList->setCurrentItem(record);
    loadChest();
}

} // namespace tarnwick
