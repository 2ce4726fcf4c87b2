#include "app/MergeConflictsDialog.h"

#include "controls/DialogTemplate.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace tarnwick {
namespace {

enum Column { PlaceColumn, FieldColumn, MineColumn, TheirsColumn, KeepsColumn };

const QString mineName = QStringLiteral("Mine");

// The words hold the game's names as read through the character table.
QString fromUtf8(const std::string& text) {
    return readingText(text);
}

} // namespace

MergeConflictsDialog::MergeConflictsDialog(const MergeConflictQuestion& asked, QWidget* parent)
    : QDialog(parent), question(asked), chosen(asked.conflicts.size(), MergeSide::First) {
    setWindowTitle(question.title);

    auto* text = new QLabel(question.text, this);
    text->setObjectName(QStringLiteral("conflictText"));
    text->setWordWrap(true);

    list = new QTreeWidget(this);
    list->setObjectName(QStringLiteral("conflictList"));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setHeaderLabels({QStringLiteral("Place"), QStringLiteral("Field"), mineName,
                           question.secondName, QStringLiteral("Keeps")});
    for (const ConflictWords& words : question.conflicts) {
        auto* item = new QTreeWidgetItem(list, {fromUtf8(words.place), fromUtf8(words.field),
                                                fromUtf8(words.first), fromUtf8(words.second)});
        item->setToolTip(PlaceColumn, fromUtf8(words.line()));
    }
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        showChoice(row);
    for (int column = PlaceColumn; column < KeepsColumn; ++column)
        list->resizeColumnToContents(column);
    // Room for either side's name, whichever a row comes to show.
    const QFontMetrics metrics(list->font());
    list->setColumnWidth(KeepsColumn, std::max({metrics.horizontalAdvance(mineName),
                                                metrics.horizontalAdvance(question.secondName),
                                                list->header()->sectionSizeHint(KeepsColumn)}) +
                                          16);
    auto* listLabel = new QLabel(QStringLiteral("C&onflicts:"), this);
    listLabel->setBuddy(list);

    keepSelected = new QPushButton(QStringLiteral("&Keep Mine"), this);
    takeSelected = new QPushButton(QLatin1Char('&') + question.takeSecond, this);
    auto* keepAll = new QPushButton(QStringLiteral("Keep Mine for &All"), this);
    auto* takeAll = new QPushButton(question.takeSecond + QStringLiteral(" for A&ll"), this);
    keepSelected->setToolTip(QStringLiteral("The selected places keep the open image's values."));
    takeSelected->setToolTip(
        QStringLiteral("The selected places take %1 values.").arg(question.secondName.toLower()));
    for (QPushButton* button : {keepSelected, takeSelected, keepAll, takeAll})
        button->setAutoDefault(false);
    connect(keepSelected, &QPushButton::clicked, this, [this] { choose(MergeSide::First, false); });
    connect(takeSelected, &QPushButton::clicked, this,
            [this] { choose(MergeSide::Second, false); });
    connect(keepAll, &QPushButton::clicked, this, [this] { choose(MergeSide::First, true); });
    connect(takeAll, &QPushButton::clicked, this, [this] { choose(MergeSide::Second, true); });
    const auto followSelection = [this] {
        const bool any = !list->selectedItems().isEmpty();
        keepSelected->setEnabled(any);
        takeSelected->setEnabled(any);
    };
    connect(list, &QTreeWidget::itemSelectionChanged, this, followSelection);

    counts = new QLabel(this);
    counts->setObjectName(QStringLiteral("conflictCounts"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Merge"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("&Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* choices = new QHBoxLayout;
    choices->addWidget(keepSelected);
    choices->addWidget(takeSelected);
    choices->addStretch(1);
    choices->addWidget(keepAll);
    choices->addWidget(takeAll);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(counts, 1);
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(listLabel);
    layout->addWidget(list, 1);
    layout->addLayout(choices);
    layout->addLayout(bottom);

    if (list->topLevelItemCount() > 0) {
        list->setCurrentItem(list->topLevelItem(0));
        list->topLevelItem(0)->setSelected(true);
    }
    followSelection();
    showCounts();
    list->setFocus();
    // Wide enough for every column, within reason.
    int width = list->frameWidth() * 2 + 40;
    for (int column = PlaceColumn; column <= KeepsColumn; ++column)
        width += list->columnWidth(column);
    resize(std::clamp(width, 560, 1000), 380);
}

void MergeConflictsDialog::choose(MergeSide side, bool everyRow) {
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        if (everyRow || list->topLevelItem(row)->isSelected()) {
            chosen[static_cast<std::size_t>(row)] = side;
            showChoice(row);
        }
    showCounts();
}

void MergeConflictsDialog::showChoice(int row) {
    QTreeWidgetItem* item = list->topLevelItem(row);
    const bool theirs = chosen[static_cast<std::size_t>(row)] == MergeSide::Second;
    item->setText(KeepsColumn, theirs ? question.secondName : mineName);
    // The value the merge keeps stands out; the other stays readable beside it.
    QFont kept = list->font();
    kept.setBold(true);
    item->setFont(MineColumn, theirs ? list->font() : kept);
    item->setFont(TheirsColumn, theirs ? kept : list->font());
}

void MergeConflictsDialog::showCounts() {
    const auto theirs = std::count(chosen.begin(), chosen.end(), MergeSide::Second);
    const auto mine = static_cast<qsizetype>(chosen.size()) - theirs;
    counts->setText(QStringLiteral("Keeps mine in %1, %2 in %3.")
                        .arg(mine)
                        .arg(question.secondName.toLower())
                        .arg(theirs));
}

std::optional<std::vector<MergeSide>>
settleMergeConflictsWithDialog(QWidget* parent, const MergeConflictQuestion& question) {
    MergeConflictsDialog dialog(question, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choices();
}

} // namespace tarnwick
