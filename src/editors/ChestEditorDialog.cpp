#include "editors/ChestEditorDialog.h"

#include "controls/ChestListBox.h"
#include "controls/CurrentItemComboBox.h"
#include "controls/NameComboBox.h"
#include "editors/DataFiles.h"
#include "resources/ChestTemplate.h"
#include "rom/ChestLabels.h"
#include "rom/ChestRecord.h"
#include "rom/MonsterBox.h"
#include "rom/RomImage.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>

namespace tarnwick {
namespace {

// Typing below 0 reaches the end of the list: 255, or 270 for a GBA item chest.
int contentsFromBelowZero(int value, bool gbaItemChest) {
    return value < 0 ? value + byteContentsLimit + (gbaItemChest ? 15 : 0) : value;
}

} // namespace

ChestEditorDialog::ChestEditorDialog(RomImage& document, QWidget* parent)
    : EditorDialog(chestEditorTemplate(), QStringLiteral(":/icons/chest.svg"), document, parent),
      rom(document) {
    findControls();
    setRanges();
    for (std::string_view label : chestTypeLabels)
        typeList->addItem(toQString(label));
    if (rom.isGba()) {
        // Bit 2 is the item number's ninth bit there, and the image has no money multiplier.
        bit2Box->setText(QStringLiteral("Item# + 256:"));
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
    const QString path = locateDataFile(
        rom, QString::fromUtf8(chestLocationFileName.data(), chestLocationFileName.size()));
    for (const std::string& label : chestLocationLabels(QFile::encodeName(path).toStdString()))
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

void ChestEditorDialog::typeChosen() {
    const int type = std::clamp(typeList->currentIndex(), 0, chestTypeCount - 1);
    contents = chooseChestType(record(), rom.variant(), type, contents);
    typeNumber = type;
    showFields();
    rebuildChestList();
    rebuildContentsList();
}

void ChestEditorDialog::typeNumberTyped() {
    typeList->setCurrentItem(typeNumberField->value());
    typeChosen();
}

void ChestEditorDialog::contentsChosen() {
    const int chosen = contentsFromBelowZero(contentsList->currentIndex(), gbaItemChest());
    contents = storeChosenContents(record(), rom.variant(), chosen);
    contentsList->setCurrentItem(contents);
    showFields();
    rebuildChestList();
    typeList->setCurrentItem(typeNumber);
    rebuildMonsterList();
}

void ChestEditorDialog::contentsNumberTyped() {
    // A number is wrapped into the chest's own range, so every typed number has a list entry.
    const int limit = gbaItemChest() ? contentsLimit(rom.variant()) : byteContentsLimit;
    const int typed = contentsFromBelowZero(contentsNumberField->value(), gbaItemChest());
    contentsList->setCurrentItem(wrapInto(typed, limit));
    contentsChosen();
}

void ChestEditorDialog::gpMultiplierChanged() {
    rom.gpMultiplier = wrapInto(gpField->value(), gpMultiplierLimit);
    showFields();
    rebuildChestList();
    typeList->setCurrentItem(typeNumber);
    rebuildContentsList();
}

void ChestEditorDialog::memoryBitChanged() {
    setMemoryBit(record(), memoryBitField->value());
    showFields();
}

void ChestEditorDialog::memoryByteChanged() {
    setMemoryByte(record(), memoryByteField->value());
    showFields();
}

void ChestEditorDialog::positionChanged(int controlId) {
    if (controlId == chestControl::x)
        setChestX(record(), xField->value());
    else
        setChestY(record(), yField->value());
    showFields();
}

void ChestEditorDialog::formChanged(int form) {
    // Every chest naming this monster-in-a-box entry changes with it.
    setMonsterBoxForm(rom, contents, form, (form == 1 ? form1Field : form2Field)->value());
    showFields();
    rebuildChestList();
    rebuildContentsList();
    rebuildMonsterList();
}

void ChestEditorDialog::flagClicked(int bit) {
    setChestFlag(record(), bit, (bit == 1 ? bit1Box : bit4Box)->isChecked());
    showFields();
}

void ChestEditorDialog::bit2Clicked() {
    const bool ticked = bit2Box->isChecked();
    setChestFlag(record(), 2, ticked);
    if (!rom.isGba()) {
        showFields();
        return;
    }
    // On GBA images the bit moves an item chest's contents by 256, and choosing the contents
    // again writes bit and byte 4 together.
    if (gbaItemChest())
        contentsList->setCurrentItem(contentsAfterBit2(contents, ticked));
    showFields();
    contentsChosen();
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

} // namespace tarnwick
