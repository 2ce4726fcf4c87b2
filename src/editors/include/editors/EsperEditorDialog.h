#pragma once

#include "editors/EditorDialog.h"
#include "rom/EsperRecord.h"

#include <array>
#include <cstdint>
#include <functional>

class QLineEdit;

namespace tarnwick {

// "Esper Editor": the five spells each esper teaches, their learn rates and its level-up bonus.
// Choosing an esper shows its record; every other change is written into it at once.
class EsperEditorDialog : public EditorDialog {
    Q_OBJECT

public:
    // Tells the user that a learn-rate edit does not hold a number; tests replace it.
    using InvalidNumberReport = std::function<void(QWidget* parent)>;

    EsperEditorDialog(RomImage& rom, EditHistory& history, QWidget* parent = nullptr,
                      EditorTexts texts = {});
    void setInvalidNumberReport(InvalidNumberReport report) { reportInvalid = std::move(report); }

    int selectedEsper() const;
    // Shows record number `record` of the editor's table as if the user had chosen it, for
    // opening the editor at a finding; a number its lists do not reach changes nothing.
    void selectRecord(int record);

protected:
    void showDocument() override { showSelectedEsper(); }

private:
    void fillLists();
    void connectControls();
    // Shows the selected esper's record in the controls; writes nothing.
    void showSelectedEsper();
    // Takes the numbers from the learn-rate edits. An edit without a valid number is reported,
    // keeps its previous number and gets the focus; returns false then.
    bool readLearnRates();
    // Shows the learn-rate numbers in their edits, leaving an edit that already shows its
    // number as the user typed it.
    void showLearnRates();
    // Changes the selected esper as one undo step, "Esper 4: <what>".
    void editEsper(int fieldId, const QString& what, const std::function<void(Record&)>& change);
    void storeListChoice(int fieldId, const QString& what,
                         const std::function<void(Record&)>& change);
    void storeLearnRate(int spell);
    Record* selectedRecord();

    RomImage& rom;
    NameComboBox* esperList = nullptr;
    NameComboBox* bonusList = nullptr;
    std::array<NameComboBox*, esperSpellCount> spellLists{};
    std::array<QLineEdit*, esperSpellCount> learnRateEdits{};
    // The numbers the learn-rate edits hold; the record keeps them modulo 256.
    std::array<std::uint32_t, esperSpellCount> learnRates{};
    InvalidNumberReport reportInvalid;
};

} // namespace tarnwick
