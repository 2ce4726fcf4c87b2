#include "editors/HistoryKeys.h"

#include "rom/EditHistory.h"
#include "rom/RomImage.h"

#include <QKeyEvent>
#include <QKeySequence>
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

bool typesACharacter(const QKeyEvent& key) {
    return !key.text().isEmpty() && key.text().front().isPrint();
}

} // namespace

HistoryKeys::HistoryKeys(RomImage& document, EditHistory& steps, QWidget* window)
    : QObject(window), rom(document), history(steps) {
    // Whatever was typed before the window opened is a step of its own.
    history.closeMerge();
    window->installEventFilter(this);
    for (QWidget* child : window->findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool HistoryKeys::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        const auto& key = *static_cast<QKeyEvent*>(event);
        const HistoryKey historyKey = historyKeyOf(key);
        if (historyKey == HistoryKey::None) {
            if (event->type() == QEvent::KeyPress && !typesACharacter(key))
                history.closeMerge();
            return false;
        }
        // Taken before a text field's own undo, which would only change its text.
        event->accept();
        if (event->type() == QEvent::KeyPress)
            historyKey == HistoryKey::Undo ? undo() : redo();
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
        history.closeMerge();
        return false;
    default:
        return false;
    }
}

bool HistoryKeys::undo() {
    const QString name = QString::fromStdString(history.nextUndoName());
    if (!history.undo(rom))
        return false;
    emit documentRestored(QStringLiteral("Undo %1").arg(name));
    return true;
}

bool HistoryKeys::redo() {
    const QString name = QString::fromStdString(history.nextRedoName());
    if (!history.redo(rom))
        return false;
    emit documentRestored(QStringLiteral("Redo %1").arg(name));
    return true;
}

} // namespace tarnwick
