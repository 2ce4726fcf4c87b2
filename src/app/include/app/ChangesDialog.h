#pragma once

#include <QDialog>

class QTableWidget;

namespace tarnwick {

class RomImage;

// "Changes": every byte that saving would change, one row each: the table, the record with
// its label where it has one, the byte, and the value in the image and in the tables.
class ChangesDialog : public QDialog {
    Q_OBJECT

public:
    explicit ChangesDialog(const RomImage& rom, QWidget* parent = nullptr);

    int changeCount() const;

private:
    QTableWidget* table = nullptr;
};

} // namespace tarnwick
