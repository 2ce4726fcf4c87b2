#include "app/ChangesDialog.h"

#include "rom/RomImage.h"
#include "rom/TableDifferences.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tarnwick {
namespace {

QString text(std::string_view view) {
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

QString hexByte(std::uint8_t value) {
    return QStringLiteral("0x%1")
        .arg(value, 2, 16, QLatin1Char('0'))
        .toUpper()
        .replace(QStringLiteral("0X"), QStringLiteral("0x"));
}

QTableWidgetItem* cell(const QString& value, bool number) {
    auto* item = new QTableWidgetItem(value);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

ChangesDialog::ChangesDialog(const RomImage& rom, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Changes"));
    const std::vector<TableDifference> differences = tableDifferences(rom);

    table = new QTableWidget(static_cast<int>(differences.size()), 6, this);
    table->setObjectName(QStringLiteral("changesTable"));
    table->setHorizontalHeaderLabels({QStringLiteral("Table"), QStringLiteral("Record"),
                                      QStringLiteral("Label"), QStringLiteral("Byte"),
                                      QStringLiteral("Image"), QStringLiteral("Now")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int row = 0; row < table->rowCount(); ++row) {
        const TableDifference& d = differences[static_cast<std::size_t>(row)];
        table->setItem(row, 0, cell(text(d.table), false));
        table->setItem(row, 1, cell(QString::number(d.record), true));
        table->setItem(row, 2, cell(text(d.label), false));
        table->setItem(row, 3, cell(QString::number(d.byte), true));
        table->setItem(row, 4, cell(hexByte(d.imageValue), true));
        table->setItem(row, 5, cell(hexByte(d.tableValue), true));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);

    const auto count = static_cast<qsizetype>(differences.size());
    auto* summary = new QLabel(
        count == 0   ? QStringLiteral("The tables hold what the image file holds: nothing to save.")
        : count == 1 ? QStringLiteral("1 byte of the image would change on saving.")
                     : QStringLiteral("%1 bytes of the image would change on saving.").arg(count),
        this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(table);
    layout->addWidget(buttons);
    resize(560, 360);
}

int ChangesDialog::changeCount() const {
    return table->rowCount();
}

} // namespace tarnwick
