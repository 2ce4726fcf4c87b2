#pragma once

#include "controls/CurrentItemComboBox.h"

class QPainter;

namespace tarnwick {

class RomImage;

// A drop-down list of palette numbers that shows each palette as a strip of its eight colours
// and marks the record's current palette in the open list.
class PaletteComboBox : public CurrentItemComboBox {
    Q_OBJECT

public:
    // A row holds the 89 x 12 strip with two rows of background above and below it and one
    // column on each side.
    static constexpr int rowHeight = 16;
    static constexpr int rowWidth = 91;

    // The colours are read from rom's palette sheet whenever something is painted, so the
    // control follows a reload or a release switch without being told.
    explicit PaletteComboBox(const RomImage& rom, QWidget* parent = nullptr);

    // The palette an item's text names: capital hexadecimal, read digit by digit from the right
    // (the lists hold "0" to "EF"); an empty text is palette 0.
    static int paletteNumber(const QString& text);

    // Paints the selection field's contents for the selected item into box: black over the
    // whole box and the strip one row lower than in a list row. Nothing when no item is selected.
    void paintSelectionField(QPainter& painter, const QRect& box) const;
    const RomImage& document() const { return rom; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const RomImage& rom;
};

} // namespace tarnwick
