#pragma once

#include "app/WindowPrompts.h"

#include <QDialog>

#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace tarnwick {

// The conflicts of a merge before anything changes: one row for each place where the open
// image's edits and the other side hold different values (the place, the field, both values and
// which one the merge keeps, in bold), and buttons that keep mine or take theirs for the
// selected rows or for all. Every row starts at mine; Merge goes on with the choices, Cancel
// changes nothing.
class MergeConflictsDialog : public QDialog {
    Q_OBJECT

public:
    explicit MergeConflictsDialog(const MergeConflictQuestion& question, QWidget* parent = nullptr);

    // The side chosen for each conflict, in the question's order.
    const std::vector<MergeSide>& choices() const { return chosen; }

private:
    void choose(MergeSide side, bool everyRow);
    void showChoice(int row);
    void showCounts();

    MergeConflictQuestion question;
    std::vector<MergeSide> chosen;
    QTreeWidget* list = nullptr;
    QLabel* counts = nullptr;
    QPushButton* keepSelected = nullptr;
    QPushButton* takeSelected = nullptr;
};

// Asks with the dialog; nothing when the user cancels.
std::optional<std::vector<MergeSide>>
settleMergeConflictsWithDialog(QWidget* parent, const MergeConflictQuestion& question);

} // namespace tarnwick
