#include "app/CheckImageDialog.h"

#include "controls/DialogTemplate.h"
#include "editors/ManualWindow.h"
#include "graphics/Changelog.h"
#include "graphics/RecordNames.h"
#include "rom/ImageCheck.h"
#include "rom/RomImage.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace tarnwick {
namespace {

enum Column { SeverityColumn, TableColumn, RecordColumn, LabelColumn, MessageColumn };
// Where a row keeps the finding's table key; the record is the record column's number.
constexpr int tableKeyRole = Qt::UserRole;

// The filter's entries, in order.
enum Filter { AllFindings, ErrorsOnly, WarningsOnly };

QTableWidgetItem* cell(const QVariant& value) {
    auto* item = new QTableWidgetItem;
    item->setData(Qt::DisplayRole, value);
    return item;
}

QString countText(qsizetype count, const QString& one, const QString& many) {
    return count == 1 ? QStringLiteral("1 ") + one : QString::number(count) + ' ' + many;
}

} // namespace

CheckImageDialog::CheckImageDialog(const RomImage& document, const CharacterTable& names,
                                   QWidget* parent)
    : QDialog(parent), rom(document), readings(names) {
    setWindowTitle(QStringLiteral("Check Image"));
    setModal(false);

    severityFilter = new QComboBox(this);
    severityFilter->setObjectName(QStringLiteral("severityFilter"));
    severityFilter->addItems({QStringLiteral("Errors and warnings"), QStringLiteral("Errors only"),
                              QStringLiteral("Warnings only")});
    severityFilter->setToolTip(QStringLiteral("Which findings the list shows."));
    auto* filterLabel = new QLabel(QStringLiteral("&Show:"), this);
    filterLabel->setBuddy(severityFilter);
    summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("checkSummary"));

    this->table = new QTableWidget(0, 5, this);
    QTableWidget* list = this->table;
    list->setObjectName(QStringLiteral("findingsTable"));
    list->setHorizontalHeaderLabels({QStringLiteral("Severity"), QStringLiteral("Table"),
                                     QStringLiteral("Record"), QStringLiteral("Label"),
                                     QStringLiteral("Finding")});
    list->verticalHeader()->hide();
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->horizontalHeader()->setStretchLastSection(true);
    // One line a finding; the whole message is also its tooltip.
    list->setWordWrap(false);
    list->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->setSortingEnabled(true);
    list->sortByColumn(SeverityColumn, Qt::AscendingOrder);
    list->setToolTip(QStringLiteral(
        "Double-click a finding, or press Enter, to open its editor at the record."));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close | QDialogButtonBox::Help, this);
    // Enter on a finding opens its editor; it must not also press Close.
    for (QAbstractButton* button : buttons->buttons())
        if (auto* push = qobject_cast<QPushButton*>(button))
            push->setAutoDefault(false);
    buttons->button(QDialogButtonBox::Help)->setShortcut(QKeySequence::HelpContents);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this,
            [this] { openManual(this, QStringLiteral("Checking and comparing")); });
    connect(severityFilter, &QComboBox::currentIndexChanged, this, &CheckImageDialog::applyFilter);
    connect(list, &QTableWidget::cellActivated, this, [this](int row, int) {
        const QTableWidgetItem* severity = this->table->item(row, SeverityColumn);
        const QTableWidgetItem* record = this->table->item(row, RecordColumn);
        emit openRecord(severity->data(tableKeyRole).toString(),
                        record->data(Qt::DisplayRole).toInt());
    });

    auto* top = new QHBoxLayout;
    top->addWidget(summary, 1);
    top->addWidget(filterLabel);
    top->addWidget(severityFilter);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(list);
    layout->addWidget(buttons);
    refresh();
    // Wide enough for the longest finding, within reason.
    int width = list->frameWidth() * 2 + 48;
    for (int column = 0; column < list->columnCount(); ++column)
        width += list->columnWidth(column);
    resize(std::clamp(width, 640, 1100), 440);
}

void CheckImageDialog::refresh() {
    // The finding the user stands on stays current when it is still there.
    const int current = table->currentRow();
    const QStringList kept =
        current < 0
            ? QStringList()
            : QStringList{table->item(current, SeverityColumn)->data(tableKeyRole).toString(),
                          table->item(current, RecordColumn)->text(),
                          table->item(current, MessageColumn)->text()};
    const std::vector<Finding> findings = rom.hasImage() ? checkImage(rom) : std::vector<Finding>{};
    RecordNameBook names(rom, readings);
    // Filled unsorted, then sorted once as the user last chose.
    table->setSortingEnabled(false);
    table->setRowCount(static_cast<int>(findings.size()));
    for (int row = 0; row < table->rowCount(); ++row) {
        const Finding& finding = findings[static_cast<std::size_t>(row)];
        const bool error = finding.severity == Severity::Error;
        QTableWidgetItem* severity =
            cell(error ? QStringLiteral("Error") : QStringLiteral("Warning"));
        severity->setIcon(style()->standardIcon(error ? QStyle::SP_MessageBoxCritical
                                                      : QStyle::SP_MessageBoxWarning));
        severity->setData(tableKeyRole, toQString(finding.table));
        table->setItem(row, SeverityColumn, severity);
        table->setItem(row, TableColumn, cell(toQString(tableTitle(finding.table))));
        QTableWidgetItem* record = cell(finding.record);
        record->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, RecordColumn, record);
        table->setItem(row, LabelColumn,
                       cell(readingText(names.nameOf(finding.table, finding.record))));
        QTableWidgetItem* message = cell(toQString(finding.message));
        message->setToolTip(message->text());
        table->setItem(row, MessageColumn, message);
    }
    table->setSortingEnabled(true);
    table->resizeColumnsToContents();
    for (int row = 0; row < table->rowCount() && !kept.isEmpty(); ++row)
        if (table->item(row, SeverityColumn)->data(tableKeyRole).toString() == kept[0] &&
            table->item(row, RecordColumn)->text() == kept[1] &&
            table->item(row, MessageColumn)->text() == kept[2]) {
            table->setCurrentCell(row, SeverityColumn);
            break;
        }

    const auto errors = std::count_if(findings.begin(), findings.end(), [](const Finding& f) {
        return f.severity == Severity::Error;
    });
    const auto warnings = static_cast<qsizetype>(findings.size()) - errors;
    const QString errorCount =
        errors == 0 ? QStringLiteral("No errors")
                    : countText(errors, QStringLiteral("error"), QStringLiteral("errors"));
    summary->setText(findings.empty()
                         ? QStringLiteral("No mistakes found across the records.")
                         : QStringLiteral("%1, %2.").arg(
                               errorCount, countText(warnings, QStringLiteral("warning"),
                                                     QStringLiteral("warnings"))));
    applyFilter();
}

void CheckImageDialog::applyFilter() {
    const int filter = severityFilter->currentIndex();
    for (int row = 0; row < table->rowCount(); ++row) {
        const bool error = table->item(row, SeverityColumn)->text() == QStringLiteral("Error");
        table->setRowHidden(row,
                            (filter == ErrorsOnly && !error) || (filter == WarningsOnly && error));
    }
}

int CheckImageDialog::shownCount() const {
    int shown = 0;
    for (int row = 0; row < table->rowCount(); ++row)
        shown += table->isRowHidden(row) ? 0 : 1;
    return shown;
}

} // namespace tarnwick
