#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace tarnwick {

class EditHistory;
class RomImage;

// The keys of the document's history inside one editor window: Ctrl+Z undoes and Ctrl+Shift+Z
// or Ctrl+Y redoes, even inside a text field, whose own undo would change only its text. It
// also marks where typing ends: a click, a wheel turn or a key that types no character closes
// the step that keys typed into one field build up.
//
// It watches the window's own widgets only; edits are recorded where the document changes
// (TableEdit), not here.
class HistoryKeys : public QObject {
    Q_OBJECT

public:
    HistoryKeys(RomImage& rom, EditHistory& history, QWidget* window);

    bool undo();
    bool redo();

signals:
    // Undo or redo changed the tables: the window shows them again. done names the step
    // ("Undo Chest 12: X").
    void documentRestored(const QString& done);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    RomImage& rom;
    EditHistory& history;
};

} // namespace tarnwick
