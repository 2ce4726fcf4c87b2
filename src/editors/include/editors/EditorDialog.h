#pragma once

#include "controls/DialogTemplate.h"

#include <QDialog>
#include <QHash>

#include <cstddef>

namespace tarnwick {

class NameComboBox;
class RomImage;

// The frame every data editor shares: a modal dialog built from its template, with lists of
// game names for the template's Custom controls. Every change lands in the document as it is
// made, so OK, Escape and the close box all close the editor the same way, keeping everything.
class EditorDialog : public QDialog {
    Q_OBJECT

public:
    // Escape and the close box end the editor as OK does.
    void reject() override;

protected:
    // iconPath names an icon among the program's resources.
    EditorDialog(const DialogTemplate& resource, const QString& iconPath, const RomImage& rom,
                 QWidget* parent);

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
    QHash<int, QWidget*> controls;
};

} // namespace tarnwick
