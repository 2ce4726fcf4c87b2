#pragma once

#include "rom/EditHistory.h"
#include "rom/TableChanges.h"

#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;

namespace tarnwick {

class RomImage;

// Turns what the user does in a window into undo steps of the document's history, without the
// window's handlers knowing: after each key, click or wheel turn in the window (or one of its
// lists' pop-ups) it compares the tables with what they held before and records the difference
// as one step. Keys typed into one field merge into one step. Ctrl+Z undoes and Ctrl+Shift+Z
// or Ctrl+Y redoes, even inside a text field, and the window is told to show the document.
class ActionRecorder : public QObject {
    Q_OBJECT

public:
    ActionRecorder(RomImage& rom, QWidget* window);

    // Records what changed since the last step, now rather than after the current event.
    void flush();
    bool undo();
    bool redo();

signals:
    // Undo or redo changed the tables: the window shows them again.
    void documentRestored();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool belongsToWindow(QObject* object) const;
    // The field a key goes to, for merging what is typed into it (a text field, or a list that
    // finds names as they are typed); noMerge for anything else.
    static EditHistory::MergeKey typingKey(QObject* target, const QKeyEvent& key);
    void queueFlush(EditHistory::MergeKey key);

    RomImage& rom;
    QWidget* window;
    TableSnapshot baseline;
    EditHistory::MergeKey pendingKey = EditHistory::noMerge;
    bool flushQueued = false;
};

} // namespace tarnwick
