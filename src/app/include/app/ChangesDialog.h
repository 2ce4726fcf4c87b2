#pragma once

#include "rom/CharacterTable.h"
#include "rom/TableDifferences.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QTableWidget;

namespace tarnwick {

class RomImage;

// What the Changes window lists: the bytes where the tables differ from the image file (what
// saving would change) or from another file the user chose, and the same changes in words.
struct ChangesList {
    std::vector<TableDifference> differences;
    // The chosen file's name; empty when the list compares with the image file itself.
    QString comparedFile;
    // The changes as a mod's release notes, made when the user asks for them.
    std::function<std::string()> changelog;
};

// "Changes": one row per differing byte: the table by its title ("Shops"), the record with what a
// person calls it (the game's names read through readings), the byte, and the value in the other
// file and in the tables, in decimal with the hexadecimal beside it. "Copy as Changelog" puts the
// changes in words on the clipboard.
class ChangesDialog : public QDialog {
    Q_OBJECT

public:
    ChangesDialog(const RomImage& rom, const CharacterTable& readings, ChangesList list,
                  QWidget* parent = nullptr);

    int changeCount() const;

private:
    void copyChangelog();

    std::function<std::string()> changelog;
    QTableWidget* table = nullptr;
    QLabel* copied = nullptr;
};

} // namespace tarnwick
