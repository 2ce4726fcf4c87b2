#include "controls/CurrentItemComboBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace tarnwick {

CurrentItemComboBox::CurrentItemComboBox(QWidget* parent) : QComboBox(parent) {
    // Confirming an item with a click or Enter makes it current; moving through the open list
    // only highlights. Connected first, so editors' own handlers already see the new value.
    connect(this, &QComboBox::activated, this, [this](int index) { rememberedIndex = index; });
}

int CurrentItemComboBox::setCurrentItem(int index) {
    rememberedIndex = index;
    const bool inList = index >= 0 && index < count();
    {
        const QSignalBlocker blocker(this);
        setCurrentIndex(inList ? index : -1);
    }
    // The current row's colours change even when the selection does not.
    update();
    view()->viewport()->update();
    return inList ? index : -1;
}

void CurrentItemComboBox::keyPressEvent(QKeyEvent* event) {
    const bool plainSpace = event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier;
    const bool typing =
        sinceTyped.isValid() && sinceTyped.elapsed() < QApplication::keyboardInputInterval();
    if (plainSpace && typing && !isEditable()) {
        // Handed on as a key without a meaning of its own, the space reaches the list's
        // search, which still holds the letters before it.
        QKeyEvent asText(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, event->text());
        QComboBox::keyPressEvent(&asText);
        event->setAccepted(asText.isAccepted());
        sinceTyped.start();
        return;
    }
    const QString text = event->text();
    if (!plainSpace && !text.isEmpty() && text.at(0).isPrint())
        sinceTyped.start();
    else
        sinceTyped.invalidate();
    QComboBox::keyPressEvent(event);
}

QRect CurrentItemComboBox::paintFrame(QStylePainter& painter) {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    // The frame and arrow come from the style; the field's inside is the subclass's.
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0)
        return {};
    return style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField,
                                   this);
}

} // namespace tarnwick
