#pragma once

#include "rom/CharacterTable.h"

#include <QDialog>
#include <QSet>
#include <QString>

#include <vector>

class QComboBox;
class QLabel;
class QTableWidget;

namespace tarnwick {

class RomImage;
struct Finding;

// "Check Image": the mistakes across records that the document's tables hold, one row each:
// severity, table, record, what a person calls the record and the finding in words. The list
// sorts by any column and can show errors or warnings only. It stays open beside the window
// and looks again whenever refresh is called (after every edit); a double-click or Enter on a
// row asks for the editor at that record.
class CheckImageDialog : public QDialog {
    Q_OBJECT

public:
    CheckImageDialog(const RomImage& rom, const CharacterTable& readings,
                     QWidget* parent = nullptr);

    // Checks the tables again and shows the findings, keeping the sort order and the filter.
    void refresh();
    // Rows the filter shows.
    int shownCount() const;
    // Shows the findings that merging source brought in, in bold and counted in the summary,
    // until the next merge or load; no source takes the marks away.
    void markIntroduced(const std::vector<Finding>& introduced, const QString& source);
    // Rows marked as brought in by the last merge.
    int introducedCount() const;

signals:
    // The user asked to see a finding's record: its table key ("chestTable") and number.
    void openRecord(const QString& table, int record);

private:
    // A finding as the list shows it, and the key that tells it from every other.
    struct Row {
        const Finding* finding;
        QString key;
        QString label;
    };

    void appendRows(const std::vector<const Row*>& added);
    void applyFilter();
    void markRow(int row);

    const RomImage& rom;
    const CharacterTable& readings;
    QComboBox* severityFilter = nullptr;
    QLabel* summary = nullptr;
    QLabel* mergeNote = nullptr; // what the last merge brought in
    QTableWidget* table = nullptr;
    bool rowHeightSettled = false;
    QSet<QString> introducedKeys; // findingKey of each finding the last merge brought in
    QString introducedBy;
};

} // namespace tarnwick
