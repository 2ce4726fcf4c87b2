#include "controls/NameComboBox.h"

#include "SheetPainting.h"
#include "TypeToFind.h"
#include "controls/DialogTemplate.h"
#include "graphics/GameTextLayout.h"
#include "graphics/GameTextReading.h"
#include "rom/RomImage.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tarnwick {
namespace {

// The selection field draws its text this many rows below the top of the item's box.
constexpr int fieldTextDrop = 3;
// Plain text starts this far in from the row's left edge.
constexpr int plainTextInset = 2;
// Room kept right of the last glyph, matching the pen's start on the left.
constexpr int gameTextRightMargin = 6;

// Right edge of the last glyph copy, in unzoomed pixels from the box's left edge.
int textRight(const RomImage& rom, std::span<const std::uint8_t> text, TextPlace place) {
    std::vector<GlyphBlit> blits;
    layoutGameText(text, rom.variant(), rom.glyphTable, ListScheme::Normal, place, blits);
    int right = 0;
    for (const GlyphBlit& blit : blits)
        right = std::max(right, blit.targetX + blit.width);
    return right;
}

// Fills box with the scheme's background and copies the text's glyphs from the font sheet,
// each sheet pixel becoming zoom x zoom screen pixels. The copies are clipped to the box.
void paintGameText(QPainter& painter, const QRect& box, const RomImage& rom,
                   std::span<const std::uint8_t> text, ListScheme scheme, TextPlace place,
                   int zoom) {
    painter.fillRect(box, QColor::fromRgb(schemeBackground(scheme)));
    if (rom.fontSheet.isNull())
        return;
    std::vector<GlyphBlit> blits;
    blits.reserve(32);
    layoutGameText(text, rom.variant(), rom.glyphTable, scheme, place, blits);

    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    drawSheetBlocks(painter, box.topLeft(), wrapSheet(rom.fontSheet), blits, zoom);
    painter.restore();
}

struct PlainColours {
    QColor background;
    QColor text;
};

PlainColours plainColours(ListScheme scheme) {
    switch (scheme) {
    case ListScheme::Highlight:
        return {Qt::black, Qt::white};
    case ListScheme::Current:
        return {QColor(0xFF, 0xFF, 0x00), Qt::black};
    case ListScheme::Normal:
        break;
    }
    return {Qt::white, Qt::black};
}

void paintPlainText(QPainter& painter, const QRect& box, const QString& text, ListScheme scheme,
                    const QFont& font) {
    const PlainColours colours = plainColours(scheme);
    painter.fillRect(box, colours.background);
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    painter.setPen(colours.text);
    painter.setFont(font);
    // The line is centred in the row, which is at least as high as the font's lines.
    painter.drawText(box.adjusted(plainTextInset, 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter.restore();
}

// Paints the rows of the open list: the highlighted row, the remembered current row and the
// others each in their own scheme.
class NameRowDelegate final : public QAbstractItemDelegate {
public:
    explicit NameRowDelegate(NameComboBox& owner) : QAbstractItemDelegate(&owner), combo(owner) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (!index.isValid())
            return;
        const bool highlighted =
            option.state.testAnyFlags(QStyle::State_Selected | QStyle::State_HasFocus);
        const ListScheme scheme =
            listSchemeFor(highlighted, index.row() == combo.currentItem(), TextPlace::ListRow);
        if (combo.plainTextMode()) {
            paintPlainText(*painter, option.rect, index.data(Qt::DisplayRole).toString(), scheme,
                           combo.font());
            return;
        }
        const QByteArray text = index.data(NameComboBox::gameTextRole).toByteArray();
        paintGameText(*painter, option.rect, combo.document(), bytesOf(text), scheme,
                      TextPlace::ListRow, combo.textZoom());
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override {
        return {combo.rowWidth(index.row()), combo.rowHeight()};
    }

private:
    NameComboBox& combo;
};

} // namespace

NameComboBox::NameComboBox(const RomImage& document, QWidget* parent)
    : CurrentItemComboBox(parent), rom(document) {
    setModel(new TypeToFindModel(this));
    setItemDelegate(new NameRowDelegate(*this));
}

void NameComboBox::addGameItem(const GameString& text) {
    // The reading is the row's display text: typing finds rows by it, and accessibility tools
    // read it out. Only the game font's glyphs are painted.
    const std::string reading = readGameText(codesOf(text), rom.variant(), readingsFor());
    addItem(readingText(reading));
    setItemData(count() - 1, QByteArray(text.data(), static_cast<qsizetype>(text.size())),
                gameTextRole);
}

const CharacterTable& NameComboBox::readingsFor() const {
    if (readings != nullptr)
        return *readings;
    if (!builtInReadings)
        builtInReadings = builtInCharacterTable(rom.variant());
    return *builtInReadings;
}

void NameComboBox::addGameItems(std::span<const GameString> texts) {
    for (const GameString& text : texts)
        addGameItem(text);
}

GameString NameComboBox::gameItem(int index) const {
    const QByteArray bytes = itemData(index, gameTextRole).toByteArray();
    return GameString(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void NameComboBox::setPlainTextMode(bool plain) {
    plainText = plain;
    rowsChanged();
}

void NameComboBox::setTextZoom(int newZoom) {
    zoom = std::max(1, newZoom);
    rowsChanged();
}

void NameComboBox::rowsChanged() {
    updateGeometry();
    update();
    emit itemDelegate()->sizeHintChanged(model()->index(0, modelColumn()));
}

int NameComboBox::rowHeight() const {
    if (plainText)
        return std::max(plainTextRowHeight, fontMetrics().height());
    return gameTextRowHeight * zoom;
}

int NameComboBox::rowWidth(int index) const {
    if (plainText)
        return fontMetrics().horizontalAdvance(itemText(index)) + 2 * plainTextInset;
    const QByteArray text = itemData(index, gameTextRole).toByteArray();
    return (textRight(rom, bytesOf(text), TextPlace::ListRow) + gameTextRightMargin) * zoom;
}

int NameComboBox::widestRow() const {
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, rowWidth(i));
    return widest;
}

void NameComboBox::paintSelectionField(QPainter& painter, const QRect& box) const {
    const int index = currentIndex();
    if (index < 0)
        return;
    if (plainText) {
        // A name longer than the field (a location from the user's file) ends in an ellipsis
        // instead of being cut off mid-letter; the open list shows it whole.
        const QString shown = fontMetrics().elidedText(itemText(index), Qt::ElideRight,
                                                       box.width() - 2 * plainTextInset);
        paintPlainText(painter, box, shown, ListScheme::Normal, font());
        return;
    }
    const QByteArray text = itemData(index, gameTextRole).toByteArray();
    paintGameText(painter, box, rom, bytesOf(text), ListScheme::Normal, TextPlace::SelectionField,
                  zoom);
}

QSize NameComboBox::sizeHint() const {
    if (plainText)
        return QComboBox::sizeHint();
    QStyleOptionComboBox option;
    initStyleOption(&option);
    // Eight cells is enough for a short name; longer ones widen the control.
    const int width = std::max(widestRow(), (8 * cellSize + gameTextRightMargin) * zoom);
    const QSize contents(width, (gameTextRowHeight + fieldTextDrop) * zoom);
    return style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, this);
}

QSize NameComboBox::minimumSizeHint() const {
    QSize size = QComboBox::minimumSizeHint();
    if (!plainText)
        size.setHeight(std::max(size.height(), sizeHint().height()));
    return size;
}

void NameComboBox::showPopup() {
    QComboBox::showPopup();
    // The list is as wide as the control at first; widen it so no name is cut off.
    QWidget* popup = view()->window();
    const int chrome = popup->width() - view()->viewport()->width();
    const int needed = widestRow() + chrome;
    if (popup->width() >= needed)
        return;
    QRect geometry = popup->geometry();
    geometry.setWidth(needed);
    if (const QScreen* onScreen = popup->screen()) {
        const QRect available = onScreen->availableGeometry();
        if (geometry.right() > available.right())
            geometry.moveRight(
                std::max(available.right(), available.left() + geometry.width() - 1));
    }
    popup->setGeometry(geometry);
}

void NameComboBox::changeEvent(QEvent* event) {
    CurrentItemComboBox::changeEvent(event);
    // Plain rows follow the font's height.
    if (event->type() == QEvent::FontChange)
        rowsChanged();
}

void NameComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    const QRect field = paintFrame(painter);
    if (field.isEmpty())
        return;
    if (plainText) {
        paintSelectionField(painter, field);
        if (hasFocus())
            paintFocusFrame(painter, field, plainColours(ListScheme::Normal).background);
        return;
    }
    // Fill the whole field, then place the box so that the line of text (marks and cells)
    // sits in the middle of the field; the painting stays clipped to the field.
    painter.fillRect(field, QColor::fromRgb(schemeBackground(ListScheme::Normal)));
    const int lineHeight = gameTextRowHeight * zoom;
    const int lineTop = field.top() + std::max(0, (field.height() - lineHeight) / 2);
    painter.setClipRect(field);
    paintSelectionField(painter, QRect(field.left(), lineTop - fieldTextDrop * zoom, field.width(),
                                       lineHeight + fieldTextDrop * zoom));
    if (hasFocus())
        paintFocusFrame(painter, field, QColor::fromRgb(schemeBackground(ListScheme::Normal)));
}

} // namespace tarnwick
