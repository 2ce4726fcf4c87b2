#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

namespace tarnwick {

// The bar across the main window that says another program changed the open file, with
// Reload and Dismiss. It asks nothing and blocks nothing: the user may go on editing.
class FileChangedNotice : public QFrame {
    Q_OBJECT

public:
    explicit FileChangedNotice(QWidget* parent = nullptr);
    // Shows text; Reload is offered only when there is a file to read again.
    void showChange(const QString& text, bool canReload);

signals:
    void reloadRequested();

private:
    QLabel* icon = nullptr;
    QLabel* message = nullptr;
    QPushButton* reload = nullptr;
};

} // namespace tarnwick
