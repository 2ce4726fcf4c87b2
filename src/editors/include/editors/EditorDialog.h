#pragma once

#include "controls/DialogTemplate.h"
#include "editors/EditorTexts.h"
#include "rom/Record.h"

#include <QDialog>
#include <QHash>
#include <QString>

class QStatusBar;

#include <cstddef>
#include <functional>
#include <string>

namespace tarnwick {

class EditHistory;
class HistoryKeys;
class NameComboBox;
class RomImage;
class TableEdit;

// The frame every data editor shares: a modal dialog built from its template, with lists of
// game names for the template's Custom controls. Every change lands in the document as it is
// made, so OK, Escape and the close box all close the editor the same way, keeping everything.
class EditorDialog : public QDialog {
    Q_OBJECT

public:
    ~EditorDialog() override;
    // Escape and the close box end the editor as OK does.
    void reject() override;

protected:
    // Shows the help of the control under the pointer in the status bar.
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    // iconPath names an icon among the program's resources.
    EditorDialog(const DialogTemplate& resource, const QString& iconPath, RomImage& rom,
                 EditHistory& history, QWidget* parent, EditorTexts texts);

    // The texts of the user's files the application handed in.
    const EditorTexts& userTexts() const { return fileTexts; }

    // Shows the document's values again after an undo or redo changed them.
    virtual void showDocument() = 0;

    // Runs change as one undo step named "<record>: <what>" ("Chest 12: X"). Edits of one field
    // of one record in a row form one step while the user types into the field.
    void edit(const QString& name, int fieldId, int record,
              const std::function<void(TableEdit&)>& change);
    // Changes record, number index of the editor's table, as one undo step named
    // "<kind> <index>: <what>" ("Shop 5: item #3"); nothing when no record is selected.
    void changeRecord(Record* record, const QString& kind, int index, int fieldId,
                      const QString& what, const std::function<void(Record&)>& change);

    // Says in the status bar what a typed field text became when stored (a record-layer
    // message); an empty message takes back an earlier one, leaving the controls' help alone.
    void showFieldMessage(const std::string& message);

    // The record at index of a table, or nullptr when no record is selected (index -1).
    template <typename Table> static auto* recordAt(Table& table, int index) {
        const bool inTable = index >= 0 && index < static_cast<int>(table.size());
        return inTable ? &table[static_cast<std::size_t>(index)] : nullptr;
    }

    // The template's control with this number, as the widget class it was made as.
    template <typename Widget> Widget* control(int id) const {
        return qobject_cast<Widget*>(controls.value(id));
    }

private:
    void closeTyping();

    RomImage& editedRom;
    EditHistory& history;
    EditorTexts fileTexts;
    QHash<int, QWidget*> controls;
    HistoryKeys* historyKeys = nullptr;
    QStatusBar* statusBar = nullptr;
    bool fieldMessageShown = false;
    QString manualHeading;
};

} // namespace tarnwick
