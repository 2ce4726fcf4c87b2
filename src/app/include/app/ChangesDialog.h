#pragma once

#include "rom/CharacterTable.h"

#include <QDialog>

class QTableWidget;

namespace tarnwick {

class RomImage;

// "Changes": every byte that saving would change, one row each: the table, the record with
// what a person calls it (the game's names read through readings), the byte, and the value in
// the image and in the tables, in decimal with the hexadecimal beside it.
class ChangesDialog : public QDialog {
    Q_OBJECT

public:
    ChangesDialog(const RomImage& rom, const CharacterTable& readings, QWidget* parent = nullptr);

    int changeCount() const;

private:
    QTableWidget* table = nullptr;
};

} // namespace tarnwick
