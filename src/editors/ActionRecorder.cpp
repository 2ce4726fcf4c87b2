#include "editors/ActionRecorder.h"

#include "controls/DialogTemplate.h"
#include "rom/RomImage.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

namespace tarnwick {
namespace {

enum class HistoryKey { None, Undo, Redo };

HistoryKey historyKeyOf(const QKeyEvent& key) {
    if (key.matches(QKeySequence::Undo))
        return HistoryKey::Undo;
    const bool ctrlY = key.key() == Qt::Key_Y && key.modifiers() == Qt::ControlModifier;
    if (key.matches(QKeySequence::Redo) || ctrlY)
        return HistoryKey::Redo;
    return HistoryKey::None;
}

bool isUserInput(QEvent::Type type) {
    return type == QEvent::KeyPress || type == QEvent::MouseButtonRelease || type == QEvent::Wheel;
}

} // namespace

ActionRecorder::ActionRecorder(RomImage& document, QWidget* watchedWindow)
    : QObject(watchedWindow), rom(document), window(watchedWindow),
      baseline(takeSnapshot(document)) {
    rom.history.closeMerge();
    qApp->installEventFilter(this);
}

bool ActionRecorder::belongsToWindow(QObject* object) const {
    // A list's pop-up is a window of its own whose parent chain still leads here.
    for (; object != nullptr; object = object->parent())
        if (object == window)
            return true;
    return false;
}

EditHistory::MergeKey ActionRecorder::typingKey(QObject* target, const QKeyEvent& key) {
    // Letters typed into a list pick a name as they are typed: one step, like typing a number.
    const bool findingByName = !key.text().isEmpty() && key.text().front().isPrint();
    for (QObject* object = target; object != nullptr; object = object->parent()) {
        const bool field = qobject_cast<QLineEdit*>(object) != nullptr ||
                           qobject_cast<QAbstractSpinBox*>(object) != nullptr ||
                           (findingByName && qobject_cast<QComboBox*>(object) != nullptr);
        const int id = object->property(controlIdProperty).toInt();
        if (field && id > 0)
            return static_cast<EditHistory::MergeKey>(id);
    }
    return EditHistory::noMerge;
}

bool ActionRecorder::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool keyEvent = type == QEvent::KeyPress || type == QEvent::ShortcutOverride;
    if (!(keyEvent || isUserInput(type)) || !watched->isWidgetType() || !belongsToWindow(watched))
        return false;
    if (keyEvent) {
        const HistoryKey historyKey = historyKeyOf(*static_cast<QKeyEvent*>(event));
        if (historyKey != HistoryKey::None) {
            // Taken before a text field's own undo, which would only change its text.
            event->accept();
            if (type == QEvent::KeyPress)
                historyKey == HistoryKey::Undo ? undo() : redo();
            return true;
        }
        if (type == QEvent::ShortcutOverride)
            return false;
    }
    queueFlush(type == QEvent::KeyPress ? typingKey(watched, *static_cast<QKeyEvent*>(event))
                                        : EditHistory::noMerge);
    return false;
}

void ActionRecorder::queueFlush(EditHistory::MergeKey key) {
    // What the previous event changed is complete now: it is recorded under its own key before
    // this event's handlers run.
    flush();
    if (key != pendingKey || key == EditHistory::noMerge)
        rom.history.closeMerge();
    pendingKey = key;
    if (flushQueued)
        return;
    flushQueued = true;
    // After the event and every handler it runs.
    QTimer::singleShot(0, this, [this] {
        flushQueued = false;
        flush();
    });
}

void ActionRecorder::flush() {
    const std::vector<TableChange> changes = changesSince(baseline, rom);
    if (changes.empty())
        return;
    rom.history.record(changes, pendingKey);
    baseline = takeSnapshot(rom);
}

bool ActionRecorder::undo() {
    flush();
    if (!rom.history.undo(rom))
        return false;
    baseline = takeSnapshot(rom);
    rom.history.closeMerge();
    emit documentRestored();
    return true;
}

bool ActionRecorder::redo() {
    flush();
    if (!rom.history.redo(rom))
        return false;
    baseline = takeSnapshot(rom);
    rom.history.closeMerge();
    emit documentRestored();
    return true;
}

} // namespace tarnwick
