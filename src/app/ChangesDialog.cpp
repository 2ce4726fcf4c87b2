#include "app/ChangesDialog.h"

#include "controls/DialogTemplate.h"
#include "controls/WindowPlacement.h"
#include "graphics/Changelog.h"
#include "graphics/RecordNames.h"
#include "rom/RomImage.h"
#include "rom/TableDifferences.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace tarnwick {
namespace {

// "246 (0xF6)": the number as people count, and as the bytes are usually written.
QString byteValue(std::uint8_t value) {
    return QStringLiteral("%1 (0x%2)")
        .arg(value)
        .arg(QString::number(value, 16).toUpper().rightJustified(2, QLatin1Char('0')));
}

// What a person calls the record a difference is in.
QString nameOf(RecordNameBook& names, const TableDifference& difference) {
    if (difference.table == gpMultiplierKey)
        return QStringLiteral("money chests' multiplier");
    return readingText(names.nameOf(difference.table, difference.record));
}

QTableWidgetItem* cell(const QString& value, bool number) {
    auto* item = new QTableWidgetItem(value);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

ChangesDialog::ChangesDialog(const RomImage& rom, const CharacterTable& readings, ChangesList list,
                             QWidget* parent)
    : QDialog(parent), changelog(std::move(list.changelog)) {
    const bool againstImage = list.comparedFile.isEmpty();
    setWindowTitle(againstImage ? QStringLiteral("Changes")
                                : QStringLiteral("Changes Against %1").arg(list.comparedFile));
    const std::vector<TableDifference>& differences = list.differences;

    table = new QTableWidget(static_cast<int>(differences.size()), 6, this);
    table->setObjectName(QStringLiteral("changesTable"));
    table->setHorizontalHeaderLabels({QStringLiteral("Table"), QStringLiteral("Record"),
                                      QStringLiteral("Label"), QStringLiteral("Byte"),
                                      againstImage ? QStringLiteral("Image") : list.comparedFile,
                                      QStringLiteral("Now")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    RecordNameBook names(rom, readings);
    for (int row = 0; row < table->rowCount(); ++row) {
        const TableDifference& d = differences[static_cast<std::size_t>(row)];
        table->setItem(row, 0, cell(toQString(tableTitle(d.table)), false));
        table->setItem(row, 1, cell(QString::number(d.record), true));
        table->setItem(row, 2, cell(nameOf(names, d), false));
        table->setItem(row, 3, cell(QString::number(d.byte), true));
        table->setItem(row, 4, cell(byteValue(d.imageValue), true));
        table->setItem(row, 5, cell(byteValue(d.tableValue), true));
    }
    // Every column as wide as its widest entry; the window grows to show them all.
    table->resizeColumnsToContents();

    const auto count = static_cast<qsizetype>(differences.size());
    const QString bytes =
        count == 1 ? QStringLiteral("1 byte") : QStringLiteral("%1 bytes").arg(count);
    auto* summary = new QLabel(
        againstImage
            ? (count == 0 ? QStringLiteral("The tables hold what the image file holds: "
                                           "nothing to save.")
                          : QStringLiteral("%1 of the image would change on saving.").arg(bytes))
            : (count == 0 ? QStringLiteral("The tables hold what %1 holds.").arg(list.comparedFile)
                          : QStringLiteral("%1 of the tables differ from %2.")
                                .arg(bytes, list.comparedFile)),
        this);
    summary->setObjectName(QStringLiteral("changesSummary"));
    copied = new QLabel(this);
    copied->setObjectName(QStringLiteral("copiedNote"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* copy =
        buttons->addButton(QStringLiteral("Copy as &Changelog"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("copyChangelogButton"));
    copy->setToolTip(QStringLiteral("Puts the changes on the clipboard in words a player reads, "
                                    "one line per changed record, for a mod's release notes."));
    copy->setEnabled(count > 0 && changelog);
    connect(copy, &QPushButton::clicked, this, &ChangesDialog::copyChangelog);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(table);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(copied, 1);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
    int width = table->frameWidth() * 2 + 24;
    for (int column = 0; column < table->columnCount(); ++column)
        width += table->columnWidth(column);
    resize(std::max(560, width), 360);
    keepOnScreen(this);
}

void ChangesDialog::copyChangelog() {
    QGuiApplication::clipboard()->setText(readingText(changelog()));
    copied->setText(QStringLiteral("The changelog is on the clipboard."));
}

int ChangesDialog::changeCount() const {
    return table->rowCount();
}

} // namespace tarnwick
