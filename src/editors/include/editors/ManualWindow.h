#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace tarnwick {

// The user manual shipped with the program (docs/MANUAL.md, compiled in), in a window of its
// own that stays open beside the window it was asked from, at a section of the reader's choice.
class ManualWindow : public QDialog {
    Q_OBJECT

public:
    explicit ManualWindow(QWidget* parent = nullptr);

    // Scrolls so that the section with this heading starts at the top; false when there is none.
    bool showSection(const QString& heading);
    // The heading of the section at the top of the view.
    QString sectionShown() const;

private:
    QTextBrowser* browser = nullptr;
};

// Opens the manual at a section (the start when heading is empty), beside parent.
ManualWindow* openManual(QWidget* parent, const QString& heading = {});

} // namespace tarnwick
