#include "editors/EsperEditorDialog.h"

#include "controls/NameComboBox.h"
#include "resources/EditorTemplates.h"
#include "rom/EsperRecord.h"
#include "rom/RomImage.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace tarnwick {
namespace {

void reportWithMessageBox(QWidget* parent) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Esper Editor"),
                    QStringLiteral("Please enter a positive integer."), QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("&OK"));
    box.exec();
}

QString numberText(std::uint32_t number) {
    return QString::number(number);
}

} // namespace

EsperEditorDialog::EsperEditorDialog(RomImage& document, EditHistory& steps, QWidget* parent,
                                     EditorTexts userFiles)
    : EditorDialog(esperEditorTemplate(), QStringLiteral(":/icons/esper.svg"), document, steps,
                   parent, std::move(userFiles)),
      rom(document), reportInvalid(reportWithMessageBox) {
    esperList = control<NameComboBox>(esperControl::esper);
    bonusList = control<NameComboBox>(esperControl::bonus);
    for (std::size_t n = 0; n < spellLists.size(); ++n) {
        spellLists[n] = control<NameComboBox>(esperControl::spells[n]);
        learnRateEdits[n] = control<QLineEdit>(esperControl::learnRates[n]);
    }
    fillLists();
    connectControls();
    esperList->setCurrentItem(0);
    showSelectedEsper();
}

void EsperEditorDialog::fillLists() {
    const RomVariant release = rom.variant();
    const auto spells =
        std::span(rom.spellNames).first(static_cast<std::size_t>(esperSpellChoices(release)));
    for (NameComboBox* spellList : spellLists) {
        spellList->addGameItem(emptySpellLabel(release));
        spellList->addGameItems(spells);
    }
    esperList->addGameItems(
        std::span(rom.esperNames).first(static_cast<std::size_t>(esperCount(release))));
    bonusList->addGameItem(noBonusLabel(release));
    bonusList->addGameItems(std::span(rom.bonusNames).first(esperBonusChoices));
}

void EsperEditorDialog::connectControls() {
    // activated and textEdited come from the user only, never from showing a record.
    connect(esperList, &QComboBox::activated, this, &EsperEditorDialog::showSelectedEsper);
    connect(bonusList, &QComboBox::activated, this, [this](int position) {
        storeListChoice(esperControl::bonus, QStringLiteral("bonus"),
                        [position](Record& esper) { setEsperBonus(esper, position); });
    });
    for (int spell = 1; spell <= esperSpellCount; ++spell) {
        const auto n = static_cast<std::size_t>(spell - 1);
        connect(spellLists[n], &QComboBox::activated, this, [this, spell, n](int position) {
            storeListChoice(
                esperControl::spells[n], QStringLiteral("spell #%1").arg(spell),
                [spell, position](Record& esper) { setEsperSpell(esper, spell, position); });
        });
        connect(learnRateEdits[n], &QLineEdit::textEdited, this,
                [this, spell] { storeLearnRate(spell); });
        // Once the user leaves the field or presses Enter it shows what the record holds,
        // which for a number past 255 is not what was typed.
        connect(learnRateEdits[n], &QLineEdit::editingFinished, this,
                &EsperEditorDialog::showSelectedEsper);
    }
}

int EsperEditorDialog::selectedEsper() const {
    return esperList->currentIndex();
}

Record* EsperEditorDialog::selectedRecord() {
    return recordAt(rom.esperTable, selectedEsper());
}

void EsperEditorDialog::showSelectedEsper() {
    const Record* esper = selectedRecord();
    if (esper == nullptr)
        return;
    for (int spell = 1; spell <= esperSpellCount; ++spell) {
        const auto n = static_cast<std::size_t>(spell - 1);
        learnRates[n] = static_cast<std::uint32_t>((*esper)[learnRateSlot(spell)]);
        spellLists[n]->setCurrentItem(listPositionOf((*esper)[spellSlot(spell)]));
    }
    bonusList->setCurrentItem(listPositionOf((*esper)[esperBonusSlot]));
    for (std::size_t n = 0; n < learnRateEdits.size(); ++n)
        learnRateEdits[n]->setText(numberText(learnRates[n]));
}

bool EsperEditorDialog::readLearnRates() {
    for (std::size_t n = 0; n < learnRateEdits.size(); ++n) {
        QLineEdit* edit = learnRateEdits[n];
        const std::optional<std::uint32_t> number = parseLearnRate(edit->text().toStdString());
        if (number) {
            learnRates[n] = *number;
            continue;
        }
        reportInvalid(this);
        edit->setText(numberText(learnRates[n]));
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
        return false;
    }
    return true;
}

void EsperEditorDialog::showLearnRates() {
    for (std::size_t n = 0; n < learnRateEdits.size(); ++n) {
        QLineEdit* edit = learnRateEdits[n];
        if (parseLearnRate(edit->text().toStdString()) != learnRates[n])
            edit->setText(numberText(learnRates[n]));
    }
}

void EsperEditorDialog::editEsper(int fieldId, const QString& what,
                                  const std::function<void(Record&)>& change) {
    changeRecord(selectedRecord(), QStringLiteral("Esper"), selectedEsper(), fieldId, what, change);
}

void EsperEditorDialog::storeListChoice(int fieldId, const QString& what,
                                        const std::function<void(Record&)>& change) {
    if (selectedRecord() == nullptr)
        return;
    (void)readLearnRates();
    editEsper(fieldId, what, change);
    showLearnRates();
}

void EsperEditorDialog::storeLearnRate(int spell) {
    if (selectedRecord() == nullptr)
        return;
    // A refused number keeps the previous one, which is written back all the same.
    (void)readLearnRates();
    const auto n = static_cast<std::size_t>(spell - 1);
    const std::uint32_t typed = learnRates[n];
    editEsper(esperControl::learnRates[n], QStringLiteral("learn rate #%1").arg(spell),
              [spell, typed](Record& esper) { setLearnRate(esper, spell, typed); });
    showLearnRates();
}

void EsperEditorDialog::selectRecord(int record) {
    if (record < 0 || record >= esperList->count())
        return;
    esperList->setCurrentItem(record);
    showSelectedEsper();
}

} // namespace tarnwick
