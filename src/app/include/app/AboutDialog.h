#pragma once

#include <QDialog>

namespace tarnwick {

// The About box: the program's icon, its version and what it edits.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

} // namespace tarnwick
