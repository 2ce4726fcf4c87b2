#include "controls/ChestListBox.h"

#include "SheetPainting.h"
#include "controls/DialogTemplate.h"
#include "graphics/GameTextLayout.h"
#include "graphics/GameTextReading.h"
#include "graphics/SheetLayout.h"
#include "rom/RomImage.h"

#include <QAbstractItemDelegate>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <vector>

namespace tarnwick {
namespace {

const QColor navy = QColor::fromRgb(schemeBackground(ListScheme::Normal));

// Paints every row on navy with its line, whatever the row's state: the list shows no
// selection, focus or hover.
class ChestLineDelegate final : public QAbstractItemDelegate {
public:
    explicit ChestLineDelegate(ChestListBox& owner) : QAbstractItemDelegate(&owner), list(owner) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->fillRect(option.rect, navy);
        const RomImage& rom = list.document();
        if (!index.isValid() || rom.fontSheet.isNull())
            return;
        const QByteArray left = index.data(ChestListBox::leftEntryRole).toByteArray();
        const QByteArray right = index.data(ChestListBox::rightEntryRole).toByteArray();
        std::vector<GlyphBlit> blits;
        blits.reserve(32);
        layoutChestLine(bytesOf(left), bytesOf(right), rom.variant(), rom.glyphTable,
                        option.rect.width(), blits);
        painter->save();
        painter->setClipRect(option.rect, Qt::IntersectClip);
        drawSheetBlocks(*painter, option.rect.topLeft(), wrapSheet(rom.fontSheet), blits);
        painter->restore();
    }

    // Rows take the viewport's width, which places the second entry.
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {0, ChestListBox::rowHeight};
    }

private:
    ChestListBox& list;
};

} // namespace

ChestListBox::ChestListBox(const RomImage& document, QWidget* parent)
    : QListWidget(parent), rom(document) {
    setItemDelegate(new ChestLineDelegate(*this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A click neither selects nor focuses; the list only shows.
    setFocusPolicy(Qt::NoFocus);
    setUniformItemSizes(true);
    // The middle of the row is the middle of the viewport, so lines never scroll sideways.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Below the last line the list shows the lines' own navy, not an empty white band.
    QPalette colours = palette();
    colours.setColor(QPalette::Base, QColor(0x00, 0x00, 0x80));
    setPalette(colours);
}

void ChestListBox::setLines(std::span<const MonsterLine> lines) {
    clear();
    for (const MonsterLine& text : lines)
        addLine(text);
}

namespace {

QByteArray entryBytes(const GameString& entry) {
    return QByteArray(entry.data(), static_cast<qsizetype>(entry.size()));
}

GameString entryOf(const QListWidgetItem& row, int role) {
    const QByteArray bytes = row.data(role).toByteArray();
    return GameString(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

const CharacterTable& ChestListBox::readingsFor() const {
    if (readings != nullptr)
        return *readings;
    if (!builtInReadings)
        builtInReadings = builtInCharacterTable(rom.variant());
    return *builtInReadings;
}

QString ChestListBox::entryReading(const GameString& entry) const {
    const auto read = [this](const GameString& codes) {
        return readingText(
                   readGameText(codesOf(codes), rom.variant(), readingsFor(), UnknownCodes::Hex))
            .simplified();
    };
    // An entry is the slot's digit, the game's separator glyph (which the character tables do
    // not read) and the name; a listener hears "1: name".
    if (entry.size() < 2)
        return read(entry);
    return (read(entry.substr(0, 1)) + QStringLiteral(": ") + read(entry.substr(2))).trimmed();
}

void ChestListBox::addLine(const MonsterLine& text) {
    auto* row = new QListWidgetItem(this);
    row->setFlags(Qt::ItemIsEnabled);
    row->setData(leftEntryRole, entryBytes(text.left));
    row->setData(rightEntryRole, entryBytes(text.right));
    QStringList entries;
    for (const GameString* entry : {&text.left, &text.right})
        if (const QString reading = entryReading(*entry); !reading.isEmpty())
            entries << reading;
    row->setData(Qt::AccessibleTextRole, entries.join(QStringLiteral(", ")));
}

MonsterLine ChestListBox::line(int row) const {
    const QListWidgetItem* found = item(row);
    if (!found)
        return {};
    return {entryOf(*found, leftEntryRole), entryOf(*found, rightEntryRole)};
}

} // namespace tarnwick
