#include "app/CheckImageDialog.h"

#include "controls/DialogTemplate.h"
#include "controls/WindowPlacement.h"
#include "editors/ManualWindow.h"
#include "graphics/Changelog.h"
#include "graphics/NamedFindings.h"
#include "graphics/RecordNames.h"
#include "rom/ImageCheck.h"
#include "rom/RomImage.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QIcon>
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
// Where the severity cell keeps the whole finding as one string, to match rows across checks.
constexpr int rowKeyRole = Qt::UserRole + 1;
// And the finding without the record's label, to match the findings a merge brought in.
constexpr int findingKeyRole = Qt::UserRole + 2;

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

QString findingKey(const Finding& finding) {
    return QStringList{
        finding.severity == Severity::Error ? QStringLiteral("E") : QStringLiteral("W"),
        toQString(finding.table), QString::number(finding.record), toQString(finding.message)}
        .join(QChar(0x1f));
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
    mergeNote = new QLabel(this);
    mergeNote->setObjectName(QStringLiteral("mergeNote"));
    mergeNote->setWordWrap(true);
    mergeNote->hide();

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
    list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
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
    layout->addWidget(mergeNote);
    layout->addWidget(list);
    layout->addWidget(buttons);
    refresh();
    // The headers' own widths count once, at the start.
    for (int column = 0; column < list->columnCount(); ++column)
        list->setColumnWidth(column, std::max(list->columnWidth(column),
                                              list->horizontalHeader()->sectionSizeHint(column)));
    // Wide enough for the longest finding, within reason.
    int width = list->frameWidth() * 2 + 48;
    for (int column = 0; column < list->columnCount(); ++column)
        width += list->columnWidth(column);
    resize(std::clamp(width, 640, 1100), 440);
    // Beside the window rather than over its menus, so both can be read while editing.
    keepBeside(this, parent);
}

void CheckImageDialog::refresh() {
    const std::vector<Finding> findings =
        rom.hasImage() ? checkImage(rom, readings) : std::vector<Finding>{};
    RecordNameBook names(rom, readings);
    // A finding is one row: its words, and what the record is called now, which an edit to
    // another field (a chest's contents) can change.
    std::vector<Row> wanted;
    wanted.reserve(findings.size());
    for (const Finding& finding : findings) {
        const QString tableKey = toQString(finding.table);
        const QString label = readingText(names.nameOf(finding.table, finding.record));
        const QString message = toQString(finding.message);
        const QString key = QStringList{finding.severity == Severity::Error ? QStringLiteral("E")
                                                                            : QStringLiteral("W"),
                                        tableKey, QString::number(finding.record), label, message}
                                .join(QChar(0x1f));
        wanted.push_back({&finding, key, label});
    }
    QHash<QString, int> counts;
    for (const Row& row : wanted)
        ++counts[row.key];
    // Rows still found keep their items, so the list lays out and paints only what changed;
    // the current row and the sort order stay as they are.
    for (int row = table->rowCount() - 1; row >= 0; --row) {
        int& left = counts[table->item(row, SeverityColumn)->data(rowKeyRole).toString()];
        if (left > 0)
            --left;
        else
            table->removeRow(row);
    }
    std::vector<const Row*> added;
    for (const Row& row : wanted) {
        int& left = counts[row.key];
        if (left > 0) {
            --left;
            added.push_back(&row);
        }
    }
    if (!added.empty())
        appendRows(added);

    const auto errors = std::count_if(findings.begin(), findings.end(), [](const Finding& f) {
        return f.severity == Severity::Error;
    });
    const auto warnings = static_cast<qsizetype>(findings.size()) - errors;
    const QString errorCount =
        errors == 0 ? QStringLiteral("No errors")
                    : countText(errors, QStringLiteral("error"), QStringLiteral("errors"));
    const QString summed = findings.empty()
                               ? QStringLiteral("No mistakes found across the records.")
                               : QStringLiteral("%1, %2.").arg(
                                     errorCount, countText(warnings, QStringLiteral("warning"),
                                                           QStringLiteral("warnings")));
    if (summary->text() != summed)
        summary->setText(summed);
    QString merged;
    if (!introducedBy.isEmpty()) {
        const auto brought =
            std::count_if(findings.begin(), findings.end(), [this](const Finding& finding) {
                return introducedKeys.contains(findingKey(finding));
            });
        merged =
            brought == 0
                ? QStringLiteral("Merging %1 brought in no new mistakes.").arg(introducedBy)
                : QStringLiteral("Merging %1 brought in %2, shown in bold.")
                      .arg(introducedBy, brought == 1 ? QStringLiteral("1 of them")
                                                      : QStringLiteral("%1 of them").arg(brought));
    }
    mergeNote->setText(merged);
    mergeNote->setVisible(!merged.isEmpty());
    applyFilter();
}

void CheckImageDialog::appendRows(const std::vector<const Row*>& added) {
    // Filled unsorted at the end, then sorted once as the user last chose.
    table->setSortingEnabled(false);
    const int first = table->rowCount();
    table->setRowCount(first + static_cast<int>(added.size()));
    const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (int row = first; row < table->rowCount(); ++row) {
        const Row& shown = *added[static_cast<std::size_t>(row - first)];
        const Finding& finding = *shown.finding;
        const bool error = finding.severity == Severity::Error;
        QTableWidgetItem* severity =
            cell(error ? QStringLiteral("Error") : QStringLiteral("Warning"));
        severity->setIcon(error ? errorIcon : warningIcon);
        severity->setData(tableKeyRole, toQString(finding.table));
        severity->setData(rowKeyRole, shown.key);
        severity->setData(findingKeyRole, findingKey(finding));
        table->setItem(row, SeverityColumn, severity);
        table->setItem(row, TableColumn, cell(toQString(tableTitle(finding.table))));
        QTableWidgetItem* record = cell(finding.record);
        record->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, RecordColumn, record);
        table->setItem(row, LabelColumn, cell(shown.label));
        QTableWidgetItem* message = cell(toQString(finding.message));
        message->setToolTip(message->text());
        table->setItem(row, MessageColumn, message);
        markRow(row);
    }
    // Every row is one line of the same height, so no row is measured but the first; columns
    // widen to the new rows and never shrink while the user works.
    QHeaderView* rows = table->verticalHeader();
    if (!rowHeightSettled) {
        int height = 0;
        for (int column = 0; column < table->columnCount(); ++column)
            height = std::max(
                height, table->sizeHintForIndex(table->model()->index(first, column)).height());
        rows->setDefaultSectionSize(height);
        rowHeightSettled = true;
    }
    for (int column = 0; column < table->columnCount(); ++column) {
        int width = table->columnWidth(column);
        for (int row = first; row < table->rowCount(); ++row)
            width = std::max(width,
                             table->sizeHintForIndex(table->model()->index(row, column)).width());
        if (width != table->columnWidth(column))
            table->setColumnWidth(column, width);
    }
    table->setSortingEnabled(true);
}

void CheckImageDialog::applyFilter() {
    const int filter = severityFilter->currentIndex();
    for (int row = 0; row < table->rowCount(); ++row) {
        const bool error = table->item(row, SeverityColumn)->text() == QStringLiteral("Error");
        table->setRowHidden(row,
                            (filter == ErrorsOnly && !error) || (filter == WarningsOnly && error));
    }
}

void CheckImageDialog::markIntroduced(const std::vector<Finding>& introduced,
                                      const QString& source) {
    introducedKeys.clear();
    for (const Finding& finding : introduced)
        introducedKeys.insert(findingKey(finding));
    introducedBy = source;
    for (int row = 0; row < table->rowCount(); ++row)
        markRow(row);
    refresh();
}

void CheckImageDialog::markRow(int row) {
    const bool brought =
        introducedKeys.contains(table->item(row, SeverityColumn)->data(findingKeyRole).toString());
    QTableWidgetItem* message = table->item(row, MessageColumn);
    QFont font = table->font();
    font.setBold(brought);
    for (int column = 0; column < table->columnCount(); ++column)
        table->item(row, column)->setFont(font);
    // The mark in words too, for the tooltip and for a screen reader.
    const QString note = QStringLiteral(" (brought in by merging %1)").arg(introducedBy);
    const QString text = message->text() + (brought ? note : QString());
    message->setToolTip(text);
    message->setData(Qt::AccessibleTextRole, text);
}

int CheckImageDialog::introducedCount() const {
    int marked = 0;
    for (int row = 0; row < table->rowCount(); ++row)
        marked += table->item(row, MessageColumn)->font().bold() ? 1 : 0;
    return marked;
}

int CheckImageDialog::shownCount() const {
    int shown = 0;
    for (int row = 0; row < table->rowCount(); ++row)
        shown += table->isRowHidden(row) ? 0 : 1;
    return shown;
}

} // namespace tarnwick
