#include "controls/PaletteComboBox.h"

#include "SheetPainting.h"
#include "graphics/SheetLayout.h"
#include "rom/RomImage.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <algorithm>
#include <cstdint>

namespace tarnwick {
namespace {

const QColor highlightBackground(0xFF, 0xFF, 0xFF);
const QColor currentBackground(0x7F, 0x7F, 0x7F);
const QColor otherBackground(0x00, 0x00, 0x00);
const QColor stripColour(0x7F, 0x7F, 0x7F);
const QColor swatchEdge(0x00, 0x00, 0x00);

constexpr int swatchesPerPalette = 8;
constexpr int swatchPitch = 11;
// Two palettes to a row of swatches.
constexpr int palettesInSheet = paletteSheetHeight / cellSize * 2;
// The first swatch's top-left corner within a list row; the strip and each swatch's black edge
// reach 2 and 1 pixels further out.
constexpr QPoint listPen(3, 4);
constexpr QPoint fieldPen(3, 5);
constexpr QSize stripSize(89, 12);
constexpr QSize edgedSwatch(cellSize + 2, cellSize + 2);

// Fills box with the background, then draws the palette's strip with its first swatch at pen
// (relative to box). A palette the sheet does not hold, or a sheet not yet built, leaves the
// swatches black.
void paintPaletteItem(QPainter& painter, const QRect& box, const Image& paletteSheet, int palette,
                      const QColor& background, QPoint pen) {
    painter.fillRect(box, background);
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    pen += box.topLeft();
    painter.fillRect(QRect(pen - QPoint(2, 2), stripSize), stripColour);
    const bool inSheet = !paletteSheet.isNull() && palette >= 0 && palette < palettesInSheet;
    const QImage sheet = wrapSheet(paletteSheet);
    for (int i = 0; i < swatchesPerPalette; ++i) {
        painter.fillRect(QRect(pen - QPoint(1, 1), edgedSwatch), swatchEdge);
        const int colour = palette * swatchesPerPalette + i;
        if (inSheet)
            painter.drawImage(pen, sheet,
                              QRect(swatchX(colour), swatchY(colour), cellSize, cellSize));
        pen.rx() += swatchPitch;
    }
    painter.restore();
}

// Paints the rows of the open list: white for the highlighted row, grey for the remembered
// current row, black for the others.
class PaletteRowDelegate final : public QAbstractItemDelegate {
public:
    explicit PaletteRowDelegate(PaletteComboBox& owner)
        : QAbstractItemDelegate(&owner), combo(owner) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (!index.isValid())
            return;
        QColor background = otherBackground;
        if (option.state.testAnyFlags(QStyle::State_Selected | QStyle::State_HasFocus))
            background = highlightBackground;
        else if (index.row() == combo.currentItem())
            background = currentBackground;
        const int palette = PaletteComboBox::paletteNumber(index.data(Qt::DisplayRole).toString());
        paintPaletteItem(*painter, option.rect, combo.document().paletteSheet, palette, background,
                         listPen);
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {PaletteComboBox::rowWidth, PaletteComboBox::rowHeight};
    }

private:
    PaletteComboBox& combo;
};

} // namespace

PaletteComboBox::PaletteComboBox(const RomImage& document, QWidget* parent)
    : CurrentItemComboBox(parent), rom(document) {
    setItemDelegate(new PaletteRowDelegate(*this));
}

int PaletteComboBox::paletteNumber(const QString& text) {
    // Letters count from 'A' = 10 and anything else from '0', so only 0-9 and A-F give a
    // meaningful number. The sum wraps rather than overflow on text the lists never hold.
    std::uint32_t number = 0;
    std::uint32_t weight = 1;
    for (auto it = text.crbegin(); it != text.crend(); ++it) {
        const int c = it->unicode();
        const int digit = c - '0' > 9 ? c - 'A' + 10 : c - '0';
        number += static_cast<std::uint32_t>(digit) * weight;
        weight *= 16;
    }
    return static_cast<int>(number);
}

void PaletteComboBox::paintSelectionField(QPainter& painter, const QRect& box) const {
    const int index = currentIndex();
    if (index < 0)
        return;
    paintPaletteItem(painter, box, rom.paletteSheet, paletteNumber(itemText(index)),
                     otherBackground, fieldPen);
}

QSize PaletteComboBox::sizeHint() const {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_ComboBox, &option, {rowWidth, rowHeight}, this);
}

QSize PaletteComboBox::minimumSizeHint() const {
    return sizeHint();
}

void PaletteComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    const QRect field = paintFrame(painter);
    if (field.isEmpty())
        return;
    // The whole field is black; a row-sized box in its middle carries the strip.
    painter.fillRect(field, otherBackground);
    const int boxTop = field.top() + std::max(0, (field.height() - rowHeight) / 2);
    painter.setClipRect(field);
    paintSelectionField(painter, QRect(field.left(), boxTop, field.width(), rowHeight));
    if (hasFocus())
        paintFocusFrame(painter, field, otherBackground);
}

} // namespace tarnwick
