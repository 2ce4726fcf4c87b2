#pragma once

#include <QComboBox>
#include <QElapsedTimer>

class QStylePainter;

namespace tarnwick {

// A combo box that remembers the record's current item apart from its selection: the value the
// editor last loaded into it or the item the user last confirmed.
class CurrentItemComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit CurrentItemComboBox(QWidget* parent = nullptr);

    // Selects index without emitting signals and remembers it as the current item, even when it
    // lies outside the list (the control then shows no selection). Returns index when it was
    // selected, -1 otherwise.
    int setCurrentItem(int index);
    // The remembered current item: the last value given to setCurrentItem or the last item the
    // user confirmed. Moving through the open list does not change it. -1 before either.
    int currentItem() const { return rememberedIndex; }

protected:
    // A space typed while a name is being typed into the closed list searches on with it
    // ("steel b"); otherwise it opens the list, as the style has it.
    void keyPressEvent(QKeyEvent* event) override;

    // Draws the frame and arrow of the style with an empty field and returns the field's
    // rectangle, for an owner-drawn field; an empty rectangle when no item is selected.
    QRect paintFrame(QStylePainter& painter);

private:
    int rememberedIndex = -1;
    // When the last key with text reached the closed list.
    QElapsedTimer sinceTyped;
};

} // namespace tarnwick
